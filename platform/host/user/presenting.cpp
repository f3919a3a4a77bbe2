// The gestures presenters report, as input state and queued messages, and
// the window state they read.
#include "user/presenting.h"

#include "user/internal.h"

namespace host::user {

void MovePointer(POINT screen)
{
    Input().cursor = screen;
    DeliverMouse(WM_MOUSEMOVE, WM_NCMOUSEMOVE);
}

void PlacePointer(POINT screen) { Input().cursor = screen; }

void PressLeft()
{
    Input().async[VK_LBUTTON] |= 0x80;
    DeliverMouse(WM_LBUTTONDOWN, WM_NCLBUTTONDOWN);
}

void ReleaseLeft()
{
    Input().async[VK_LBUTTON] &= static_cast<std::uint8_t>(~0x80);
    DeliverMouse(WM_LBUTTONUP, WM_NCLBUTTONUP);
}

void KeyDown(UINT vk) { DeliverKey(vk, true); }

void KeyUp(UINT vk) { DeliverKey(vk, false); }

void CloseRequest(HWND top)
{
    if (Find(top)) PostMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0);
}

POINT PointerPos() { return Input().cursor; }

bool PointerCaptured() { return Input().capture != nullptr; }

Frame FrameOf(HWND top)
{
    const Window* w = Find(top);
    if (!w || w->parent || !w->surface) return Frame{};
    return Frame{w->surface->width, w->surface->height, w->surface->pixels.data()};
}

std::wstring TextOf(HWND top)
{
    const Window* w = Find(top);
    return w ? w->text : std::wstring();
}

HWND TopLevelOf(HWND h) { return Find(h) ? RootOf(h) : nullptr; }

HICON IconOf(HWND top)
{
    const Window* w = Find(top);
    if (!w) return nullptr;
    return w->bigIcon ? w->bigIcon : w->smallIcon;
}

std::vector<HWND> TopLevelWindows() { return TopLevels(); }

}  // namespace host::user
