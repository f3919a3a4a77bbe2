// The presenter contract. A presenter shows the host's top-level windows
// somewhere (nowhere, for the headless one; desktop windows, for the SDL2
// one) and turns the user's gestures into USER's input calls
// (user/presenting.h), which is also where it reads what it draws. USER
// tells it what changed and hands it the thread whenever the thread would
// block. Nothing here knows a particular presenter: present/registry picks
// one.
#pragma once

#include "win32.h"

#include <memory>

namespace host {

// A screen where none can be asked: the headless presenter's virtual
// screen, and the desktop's when it cannot say.
constexpr int kDefaultScreenWidth = 1024;
constexpr int kDefaultScreenHeight = 768;

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
    virtual void TextChanged(HWND) {}  // a top-level window's text became another
    virtual void IconChanged(HWND) {}
    virtual void Painted(HWND) {}  // the window's surface has new pixels

    // A press in a top-level window's caption starts a move with the left
    // button down. True when the desktop's window manager takes it: it moves
    // the window with the pointer, the presenter reports where (SetWindowPos)
    // and the release as input. False: USER moves the window itself.
    virtual bool BeginWindowMove(HWND) { return false; }

    // The primary screen and its work area, in screen coordinates (what
    // GetSystemMetrics, GetDeviceCaps and SPI_GETWORKAREA report).
    virtual RECT ScreenRect() = 0;
    virtual RECT WorkArea() { return ScreenRect(); }

    // MessageBoxW: show the text and return the button the user chose.
    virtual int ShowMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) = 0;

    // The UI thread has nothing queued and would block: deliver input (through
    // USER's input calls) or return without. With `wakeAfterMs` >= 0, return
    // by then even if nothing came (the queue has housekeeping to do). False
    // when no input will ever come: the caller then ends the session
    // (Starved), unless something else was queued meanwhile.
    static constexpr int kNoWake = -1;
    virtual bool Idle(int wakeAfterMs) = 0;
    // No input will come and nothing is queued. Must not return.
    [[noreturn]] virtual void Starved() = 0;
};

// The presenter in use. The first call asks the chooser (SetPresenterChooser)
// for one; without a chooser the process says so and ends (status 3).
Presenter& CurrentPresenter();

// The size of the presenter's screen (SM_CXSCREEN, HORZRES and their
// heights).
SIZE ScreenSize();

// From now on `presenter` is the one in use; the previous one is destroyed.
void UsePresenter(std::unique_ptr<Presenter> presenter);

// Whether a presenter has been chosen or installed yet.
bool HasPresenter();

// Who picks the presenter on first use. Must return one or end the process.
using PresenterChooser = std::unique_ptr<Presenter> (*)();
void SetPresenterChooser(PresenterChooser chooser);

// What a presenter's Starved() does once it has chosen its words: `text` on
// stderr (after what stdout holds), then the process ends with status 124.
[[noreturn]] void EndStarved(const char* text);

}  // namespace host
