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

#include "framework/afx_types.h"
#include "framework/afx_object.h"
#include "framework/afx_msgmap.h"
#include "framework/afx_gdi.h"
#include "framework/afx_wnd.h"
#include "framework/afx_dialog.h"
#include "framework/afx_app.h"
