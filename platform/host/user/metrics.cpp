// System metrics and parameters of the presenter's screen.
#include "gdi/icon.h"
#include "user/internal.h"

BOOL SystemParametersInfoW(UINT action, UINT param, LPVOID pv, UINT winIni)
{
    (void)param;
    (void)winIni;
    if (action != SPI_GETWORKAREA || !pv) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *static_cast<RECT*>(pv) = host::CurrentPresenter().WorkArea();
    return TRUE;
}

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN: return host::ScreenSize().cx;
    case SM_CYSCREEN: return host::ScreenSize().cy;
    case SM_CXVSCROLL: return 17;
    case SM_CYCAPTION: return 23;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXICON:
    case SM_CYICON: return host::kIconSize;
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    default: return 0;
    }
}
