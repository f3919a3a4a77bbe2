// Host-only extras of the window manager that the framework may use where
// the Win32 API gives no call (the real system keeps these internally).
#pragma once

#include "win32.h"

namespace host::user {

// Whether EndDialog was called on `dlg`, and with what result. False for a
// window that is not a dialog or was never ended.
bool DialogEnded(HWND dlg, INT_PTR* result);

}  // namespace host::user
