// The host's top-level windows on the desktop: created, placed, shown,
// minimized, titled and given their icon as the window manager asks, and
// their pixels presented once the host has painted them.
#include "present/sdl/sdl_presenter.h"
#include "base/utf.h"

#include "gdi/icon.h"
#include "present/sdl/icon.h"
#include "present/sdl/message_box.h"
#include "present/sdl/entry.h"
#include "present/sdl/scale.h"
#include "present/sdl/x11_errors.h"
#include "present/sdl/x11_resources.h"
#include "present/sdl/x11_title.h"
#include "user/presenting.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace host::sdl {
namespace {

// Sizes SDL accepts for a window: at least one pixel.
int Extent(LONG v) { return std::max<int>(1, static_cast<int>(v)); }

std::string TitleOf(HWND h) { return Utf8FromWide(user::TextOf(h)); }

bool IsOffscreenDriver(const char* name)
{
    return SDL_strcasecmp(name, "offscreen") == 0 || SDL_strcasecmp(name, "dummy") == 0 ||
           SDL_strcasecmp(name, "evdev") == 0;
}

RECT FromSdl(const SDL_Rect& r) { return RECT{r.x, r.y, r.x + r.w, r.y + r.h}; }

std::optional<std::string> Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// The scale the desktop asks for; what is wrong with its settings is said
// on stderr and left out.
int DesktopScale()
{
    ScaleSources sources{Environment("ORVANE_SCALE"), Environment("GDK_SCALE"), ReadX11Resources()};
    std::vector<std::string> complaints;
    int scale = WishedScale(sources, &complaints);
    for (const std::string& line : complaints) std::fprintf(stderr, "%s\n", line.c_str());
    return scale;
}

}  // namespace

std::unique_ptr<Presenter> MakePresenter(std::string* error)
{
    // SIGINT and SIGTERM end the process as they always do, not as SDL_QUIT.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The windows show finished pixels and nothing else: the desktop's own
    // framebuffer (shared memory on X11) does, without bringing up a GL
    // renderer (on a machine without a GPU, a software rasteriser that
    // takes long to start).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    const char* x11 = SDL_getenv("DISPLAY");
    const char* wayland = SDL_getenv("WAYLAND_DISPLAY");
    bool named = (x11 && *x11) || (wayland && *wayland);
    if (!named && !(asked && *asked)) {
        *error = "neither DISPLAY nor WAYLAND_DISPLAY is set";
        return nullptr;
    }
    // Before SDL opens the display: SDL puts back the handler it found when
    // it closes the display again, at the process's end.
    ReportX11ErrorsInsteadOfExiting();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        *error = SDL_GetError();
        return nullptr;
    }
    // SDL falls back to drivers that draw nowhere; they are no desktop
    // unless asked for by name (SDL_VIDEODRIVER).
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && IsOffscreenDriver(driver) && !(asked && SDL_strcasecmp(asked, driver) == 0)) {
        *error = std::string("no display answers at ") +
                 (x11 && *x11 ? std::string("DISPLAY=") + x11 : std::string("WAYLAND_DISPLAY=") + wayland);
        SDL_Quit();
        return nullptr;
    }
    SDL_StopTextInput();  // keys only: no input method
    return std::make_unique<SdlPresenter>(DesktopScale());
}

SdlPresenter::~SdlPresenter()
{
    for (auto& [h, s] : m_windows)
        if (s.window) SDL_DestroyWindow(s.window);
    m_windows.clear();
    SDL_Quit();
}

SdlPresenter::Shown* SdlPresenter::Of(HWND h)
{
    auto it = m_windows.find(h);
    return it == m_windows.end() ? nullptr : &it->second;
}

HWND SdlPresenter::HandleOf(Uint32 windowId) const
{
    for (const auto& [h, s] : m_windows)
        if (s.window && SDL_GetWindowID(s.window) == windowId) return h;
    return nullptr;
}

// The desktop window is made when the host first shows the window, where
// the host has placed it by then: a window manager places a new window by
// the position it is mapped with, and may ignore moves made before that.
void SdlPresenter::WindowCreated(HWND h)
{
    if (!IsWindow(h)) return;
    m_windows[h] = Shown{};
    if (!m_scale) SettleScale(h);
}

// One scale for the session, settled by the first window (the launcher's
// own): a later change would move every window the host has placed.
void SdlPresenter::SettleScale(HWND first)
{
    RECT r{}, screen = DeviceScreen();
    GetWindowRect(first, &r);
    const SIZE size{r.right - r.left, r.bottom - r.top};
    m_scale = FittingScale(m_wishedScale, size, SIZE{screen.right - screen.left, screen.bottom - screen.top});
    if (m_scale != m_wishedScale)
        std::fprintf(stderr, "OrvaneCD: at scale %d the %ldx%ld window does not fit the %ldx%ld screen; scale %d\n",
                     m_wishedScale, static_cast<long>(size.cx), static_cast<long>(size.cy),
                     static_cast<long>(screen.right - screen.left), static_cast<long>(screen.bottom - screen.top),
                     m_scale);
}

bool SdlPresenter::Materialise(HWND h, Shown& s)
{
    if (s.window) return true;
    RECT r;
    if (!GetWindowRect(h, &r)) return false;
    // Borderless: host windows have no frame of their own, and the launcher
    // paints its own buttons.
    const std::string title = TitleOf(h);
    const int n = Scale();
    s.window = SDL_CreateWindow(title.c_str(), r.left * n, r.top * n, Extent(r.right - r.left) * n,
                                Extent(r.bottom - r.top) * n, SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    if (!s.window) {
        std::fprintf(stderr, "OrvaneCD: cannot make a desktop window: %s\n", SDL_GetError());
        return false;
    }
    WriteX11WindowName(s.window);
    s.echoes.Expect(POINT{r.left * n, r.top * n}, SDL_GetTicks());
    IconChanged(h);
    return true;
}

void SdlPresenter::WindowDestroyed(HWND h)
{
    auto it = m_windows.find(h);
    if (it == m_windows.end()) return;
    if (it->second.window) SDL_DestroyWindow(it->second.window);
    m_windows.erase(it);
}

void SdlPresenter::WindowMoved(HWND h, const RECT& rect)
{
    Shown* s = Of(h);
    // A minimized host window shrinks to its icon; the desktop keeps the
    // window's own size and shows it minimized in its own way.
    if (!s || !s->window || !IsWindow(h) || IsIconic(h)) return;
    s->dirty = true;
    const int n = Scale();
    int cw = 0, ch = 0;
    SDL_GetWindowSize(s->window, &cw, &ch);
    const int width = Extent(rect.right - rect.left) * n, height = Extent(rect.bottom - rect.top) * n;
    if (cw != width || ch != height) SDL_SetWindowSize(s->window, width, height);
    // A window the desktop placed between two logical pixels stays there
    // while the host keeps it in the same one.
    int x = 0, y = 0;
    SDL_GetWindowPosition(s->window, &x, &y);
    if (ToLogical(x, n) != rect.left || ToLogical(y, n) != rect.top) {
        s->echoes.Expect(POINT{rect.left * n, rect.top * n}, SDL_GetTicks());
        SDL_SetWindowPosition(s->window, rect.left * n, rect.top * n);
    }
}

void SdlPresenter::WindowShown(HWND h)
{
    Shown* s = Of(h);
    if (!s || !Materialise(h, *s)) return;
    SDL_ShowWindow(s->window);
    s->dirty = true;
    if (IsIconic(h)) WindowMinimized(h);
}

void SdlPresenter::WindowHidden(HWND h)
{
    Shown* s = Of(h);
    if (s && s->window) SDL_HideWindow(s->window);
}

void SdlPresenter::WindowMinimized(HWND h)
{
    Shown* s = Of(h);
    if (!s || !s->window || s->minimized) return;
    s->minimized = true;
    s->minimizePending = true;
    SDL_MinimizeWindow(s->window);
}

void SdlPresenter::WindowRestored(HWND h)
{
    Shown* s = Of(h);
    if (!s || !s->window) return;
    s->dirty = true;
    if (!s->minimized) return;
    s->minimized = false;
    s->minimizePending = false;
    SDL_RestoreWindow(s->window);
}

void SdlPresenter::TextChanged(HWND h)
{
    Shown* s = Of(h);
    if (!s || !s->window || !IsWindow(h)) return;
    SDL_SetWindowTitle(s->window, TitleOf(h).c_str());
    WriteX11WindowName(s->window);
}

void SdlPresenter::IconChanged(HWND h)
{
    Shown* s = Of(h);
    if (!s || !s->window) return;
    HICON icon = user::IconOf(h);
    if (!icon || icon == s->icon) return;
    IconPicture picture;
    if (!GetIconPicture(icon, &picture)) return;
    std::vector<std::uint32_t> argb = IconArgb(picture);
    if (argb.empty()) return;
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormatFrom(argb.data(), picture.width, picture.height, 32,
                                                            picture.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!image) return;
    SDL_SetWindowIcon(s->window, image);  // SDL copies the pixels
    SDL_FreeSurface(image);
    s->icon = icon;
}

// Presented when the UI thread idles, not at each paint: one paint of the
// launcher ends several paint DCs (its own, the dialog's, the label's), and
// only the last of them leaves the whole picture.
void SdlPresenter::Painted(HWND h)
{
    if (Shown* s = Of(h)) s->dirty = true;
}

void SdlPresenter::Present(HWND h, Shown& s)
{
    s.dirty = false;
    user::Frame frame = user::FrameOf(h);
    if (!frame.pixels || !IsWindowVisible(h) || IsIconic(h)) return;
    if (!s.window) return;
    SDL_Surface* target = SDL_GetWindowSurface(s.window);
    if (!target) return;
    // Scaled up by repeating pixels: sharp blocks, as the host drew them.
    const int n = Scale();
    if (n > 1) {
        ScaleBlocks(frame.pixels, frame.width, frame.height, n, &m_blocks);
        frame = user::Frame{frame.width * n, frame.height * n, m_blocks.data()};
    }
    int width = std::min(frame.width, target->w);
    int height = std::min(frame.height, target->h);
    if (width <= 0 || height <= 0) return;
    if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return;
    SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, frame.pixels, frame.width * 4, target->format->format,
                      target->pixels, target->pitch);
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
    SDL_UpdateWindowSurface(s.window);
}

void SdlPresenter::PresentDirty()
{
    for (auto& [h, s] : m_windows)
        if (s.dirty) Present(h, s);
}

bool SdlPresenter::AnyWindowVisible() const
{
    for (const auto& [h, s] : m_windows) {
        if (s.window && IsWindowVisible(h)) return true;
    }
    return false;
}

SDL_Window* SdlPresenter::AnyWindow() const
{
    for (const auto& [h, s] : m_windows)
        if (s.window) return s.window;
    return nullptr;
}

RECT SdlPresenter::DeviceScreen() const
{
    SDL_Rect r;
    if (SDL_GetDisplayBounds(0, &r) != 0) return RECT{0, 0, kDefaultScreenWidth, kDefaultScreenHeight};
    return FromSdl(r);
}

// The host sees the screen in logical pixels.
RECT SdlPresenter::ScreenRect() { return ToLogical(DeviceScreen(), Scale()); }

RECT SdlPresenter::WorkArea()
{
    SDL_Rect r;
    if (SDL_GetDisplayUsableBounds(0, &r) != 0) return ScreenRect();
    return ToLogical(FromSdl(r), Scale());
}

int SdlPresenter::ShowMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    BoxLayout layout = MessageBoxLayout(type);
    std::string utf8Text = Utf8FromWide(text), utf8Caption = Utf8FromWide(caption);
    std::vector<SDL_MessageBoxButtonData> buttons;
    for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
        Uint32 flags = 0;
        if (i == 0) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (layout.buttons[i].id == layout.escapeId) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        buttons.push_back(SDL_MessageBoxButtonData{flags, layout.buttons[i].id, layout.buttons[i].text});
    }
    Uint32 flags = layout.icon == BoxLayout::Icon::Error     ? SDL_MESSAGEBOX_ERROR
                   : layout.icon == BoxLayout::Icon::Warning ? SDL_MESSAGEBOX_WARNING
                                                             : SDL_MESSAGEBOX_INFORMATION;
    Shown* parent = owner ? Of(user::TopLevelOf(owner)) : nullptr;
    SDL_MessageBoxData data{flags,
                            parent ? parent->window : nullptr,
                            utf8Caption.c_str(),
                            utf8Text.c_str(),
                            static_cast<int>(buttons.size()),
                            buttons.data(),
                            nullptr};
    std::fprintf(stderr, "OrvaneCD: message box \"%s\": %s\n", utf8Caption.c_str(), utf8Text.c_str());
    int chosen = layout.escapeId;
    if (SDL_ShowMessageBox(&data, &chosen) != 0) {
        std::fprintf(stderr, "OrvaneCD: cannot show the message box: %s\n", SDL_GetError());
        return layout.escapeId;
    }
    return chosen < 0 ? layout.escapeId : chosen;
}

}  // namespace host::sdl

extern "C" __attribute__((visibility("default"))) host::Presenter* OrvaneMakeSdlPresenter(std::string* error)
{
    return host::sdl::MakePresenter(error).release();
}
