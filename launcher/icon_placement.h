// Where the minimized window draws its icon: centred in the client area,
// ((W - cx + 1) / 2, (H - cy + 1) / 2) in signed integers, the division
// truncating toward zero (so a client area narrower than the icon still
// gets a sensible, not a floored, origin).
#pragma once

#include "platform/platform.h"

constexpr CPoint CenterIcon(const RECT& rcClient, int cxIcon, int cyIcon)
{
    const int nWidth = rcClient.right - rcClient.left;
    const int nHeight = rcClient.bottom - rcClient.top;
    return CPoint((nWidth - cxIcon + 1) / 2, (nHeight - cyIcon + 1) / 2);
}
