// What tests may ask of USER beyond the Win32 API: state the real system
// keeps to itself, and a clean slate between tests.
#pragma once

#include "win32.h"

namespace host::user {

// Whether EndDialog was called on `dlg`, and with what result. False for a
// window that is not a dialog or was never ended.
bool DialogEnded(HWND dlg, INT_PTR* result);

// Forgets every window, DC, queued message and input state, without
// sending a message (between tests).
void ForgetEverything();

}  // namespace host::user
