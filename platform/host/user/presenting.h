// USER's side of the presenter contract: the calls through which every
// presenter reports the user's gestures, and reads what it shows. Presenters
// include this and present/presenter.h, never USER's internals.
#pragma once

#include "win32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace host::user {

// ---- gestures, in screen coordinates ----------------------------------------
// Each queues what Windows would: mouse messages to the window under the
// pointer or to the capture, in its client coordinates; key messages to the
// focus window (WM_SYSKEYDOWN while Alt is held).
void MovePointer(POINT screen);   // WM_MOUSEMOVE / WM_NCMOUSEMOVE
void PlacePointer(POINT screen);  // where the pointer is now, without a message (before a press)
void PressLeft();
void ReleaseLeft();
void KeyDown(UINT vk);
void KeyUp(UINT vk);
void CloseRequest(HWND top);  // the desktop's close button or menu: SC_CLOSE
POINT PointerPos();
bool PointerCaptured();  // a window holds the capture (a move loop, say)

// ---- what the desktop did to a top-level window ------------------------------
// The desktop (its window manager, its taskbar) moved, minimized, restored or
// activated the window. USER applies the change with the messages Windows
// sends for it and does not tell the presenter back: it already shows it.
void DesktopMoved(HWND top, POINT topLeft);  // screen coordinates
void DesktopMinimized(HWND top);
void DesktopRestored(HWND top);
void DesktopActivated(HWND top);

// Something waits that the waiting GetMessage or PeekMessage would take (a
// posted message, input, quit or paint within its filter): it will not block.
bool HasPendingWork();

// ---- what a top-level window shows ------------------------------------------
// The top-level windows that exist, in creation order.
std::vector<HWND> TopLevelWindows();
struct Frame {
    int width = 0, height = 0;
    const std::uint32_t* pixels = nullptr;  // 0x00RRGGBB, top-down; valid until the window changes
};
// Its surface, children drawn in; empty for a child or a stale handle.
Frame FrameOf(HWND top);
// Its text as the window manager keeps it (no WM_GETTEXT is sent).
std::wstring TextOf(HWND top);
// The top-level window that `h` is or lies in; null for a stale handle.
HWND TopLevelOf(HWND h);
// The icon the desktop shows for it: the big one, else the small one.
HICON IconOf(HWND top);

}  // namespace host::user
