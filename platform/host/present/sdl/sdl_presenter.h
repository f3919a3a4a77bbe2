// The desktop presenter's state: one SDL window per top-level host window.
// sdl_desktop.cpp follows the host's windows onto the desktop; sdl_input.cpp
// brings the desktop's events back as host input.
#pragma once

#include "present/presenter.h"
#include "present/sdl/move_echo.h"

#include <SDL.h>

#include <map>
#include <string>

namespace host::sdl {

class Desktop final : public Presenter {
public:
    Desktop() = default;  // SDL's video is initialised (MakePresenter)
    ~Desktop() override;
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    void WindowCreated(HWND h) override;
    void WindowDestroyed(HWND h) override;
    void WindowMoved(HWND h, const RECT& rect) override;
    void WindowShown(HWND h) override;
    void WindowHidden(HWND h) override;
    void WindowMinimized(HWND h) override;
    void WindowRestored(HWND h) override;
    void TextChanged(HWND h) override;
    void IconChanged(HWND h) override;
    void Painted(HWND h) override;
    bool BeginWindowMove(HWND h) override;

    RECT ScreenRect() override;
    RECT WorkArea() override;
    int ShowMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) override;

    bool Idle(int wakeAfterMs) override;
    [[noreturn]] void Starved() override;

private:
    struct Shown {
        SDL_Window* window = nullptr;  // made when first shown
        HICON icon = nullptr;
        bool dirty = false;            // the host painted since the last present
        bool minimized = false;        // the desktop shows it minimized, or was asked to
        bool minimizePending = false;  // asked, and the desktop has not confirmed yet
        MoveEchoes echoes;
    };

    Shown* Of(HWND h);
    bool Materialise(HWND h, Shown& s);
    HWND HandleOf(Uint32 windowId) const;
    void Present(HWND h, Shown& s);
    void PresentDirty();
    bool AnyWindowVisible() const;
    SDL_Window* AnyWindow() const;

    void Handle(const SDL_Event& e);
    void HandleWindowEvent(const SDL_WindowEvent& e);
    POINT PointerAt(Uint32 windowId, int x, int y);
    void Track();
    void SyncModifiers(Uint16 mod, UINT vk);

    std::map<HWND, Shown> m_windows;
    bool m_fromDesktop = false;    // applying a desktop change to a host window: not to be sent back
    Uint32 m_releaseSeenAt = 0;    // when the desktop first showed the button up during a capture
    HWND m_managerMove = nullptr;  // the window the window manager moves with the pointer
};

}  // namespace host::sdl
