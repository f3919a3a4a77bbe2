// The SDL presenter: one SDL window per top-level host window.
// sdl_presenter.cpp follows the host's windows onto the desktop; input.cpp
// brings the desktop's events back as host input.
#pragma once

#include "present/presenter.h"
#include "present/sdl/move_echo.h"

#include <SDL.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace host::sdl {

class SdlPresenter final : public Presenter {
public:
    // SDL's video is initialised (MakePresenter). `wishedScale` is the
    // desktop's integer scale (scale.h); the first window settles the one
    // used, the largest up to it at which that window fits on the screen.
    explicit SdlPresenter(int wishedScale) : m_wishedScale(wishedScale) {}
    ~SdlPresenter() override;
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;

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

    int Scale() const { return m_scale ? m_scale : m_wishedScale; }
    void SettleScale(HWND first);
    RECT DeviceScreen() const;
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
    void NotePress(Uint32 windowId, int x, int y);
    void EndManagerMove(bool releaseCameToUs);
    void Track();
    void SyncModifiers(Uint16 mod, UINT vk);

    std::map<HWND, Shown> m_windows;
    Uint32 m_releaseSeenAt = 0;         // when the desktop first showed the button up during a capture
    HWND m_managerMove = nullptr;       // the window the window manager moves with the pointer
    HWND m_moveAfterRelease = nullptr;  // test path: the move to ask for once the release came
    POINT m_pressAt{};                  // where the last press was, in device pixels of the root
    int m_wishedScale = 1;
    int m_scale = 0;                      // settled by the first window; 0 until then
    std::vector<std::uint32_t> m_blocks;  // a frame scaled up, on its way to the desktop
};

}  // namespace host::sdl
