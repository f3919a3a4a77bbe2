// A presenter shows the host's top-level windows somewhere (nowhere, for the
// headless one; a desktop window, for the SDL2 one in sdl/) and feeds the UI
// thread its input. The window manager tells it what changed and asks it for
// input whenever the thread would block.
#pragma once

#include "win32.h"

#include <memory>

namespace host {

class Presenter {
public:
    virtual ~Presenter() = default;

    // Top-level windows only. `rect` is in screen coordinates.
    virtual void WindowCreated(HWND) {}
    virtual void WindowDestroyed(HWND) {}
    virtual void WindowMoved(HWND, const RECT&) {}
    virtual void WindowShown(HWND) {}
    virtual void WindowHidden(HWND) {}
    virtual void WindowMinimized(HWND) {}
    virtual void WindowRestored(HWND) {}
    virtual void TextChanged(HWND) {}   // a top-level window's text became another
    virtual void IconChanged(HWND) {}
    virtual void Painted(HWND) {}       // the window's surface has new pixels

    // The primary screen and its work area, in screen coordinates (what
    // GetSystemMetrics and SPI_GETWORKAREA report). The defaults are the
    // headless virtual screen.
    virtual RECT ScreenRect();
    virtual RECT WorkArea() { return ScreenRect(); }

    // MessageBoxW: show the text and return the button the user chose.
    virtual int ShowMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) = 0;

    // The UI thread has nothing queued and would block: deliver input (through
    // host::headless-style calls that queue messages) or return with none.
    virtual void Idle() = 0;
    // Idle() gave nothing: no input will ever come. Must not return.
    [[noreturn]] virtual void Starved() = 0;
};

// The presenter in use: chosen from ORVANE_PRESENTER on first use
// ("headless": the headless presenter; "sdl" or unset: the SDL2 desktop
// presenter). When no display can be opened, or the name is unknown, the
// process says so on stderr and ends (status 3, or 2 for a bad name).
Presenter& CurrentPresenter();

// What a presenter's Starved() does once it has chosen its words: `text` on
// stderr (after what stdout holds), then the process ends with status 124.
[[noreturn]] void EndStarved(const char* text);

}  // namespace host
