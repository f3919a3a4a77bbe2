// The launcher's platform: the Win32 API (the real one on Windows, our own
// subset elsewhere) and the application framework written once against it.
#pragma once

#ifdef _WIN32
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#else
#include "host/win32.h"
#endif

#include "afx_types.h"
#include "afx_object.h"
#include "afx_msgmap.h"
#include "afx_gdi.h"
#include "afx_wnd.h"
#include "afx_dialog.h"
#include "afx_app.h"
