// libFuzzer target: the launcher window in-process on the headless
// presenter, driven by a random sequence of user actions and raw messages,
// one per idle of the UI thread. After every action (every move included)
// each hover state must be 0 or 1 and at most one may be 1.
//
// Presses on the close button are left out: it ends the process by design.
#include "launcher_session.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using Probe = CLauncherDialogProbe;

// The close button reacts on client x 269..285, y 6..22.
bool OnCloseButton(int x, int y) { return x >= 269 && x <= 285 && y >= 6 && y <= 22; }

class Actions {
public:
    Actions(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool Done() const { return m_at >= m_size; }
    std::uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::int16_t Short() { return static_cast<std::int16_t>(Byte() | (Byte() << 8)); }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

void CheckHover()
{
    CWnd* main = AfxGetMainWnd();
    if (!main) return;
    const int* hover = Probe::Hover(static_cast<COrvaneCDDlg*>(main));
    int lit = 0;
    for (int i = 0; i < HOVER_COUNT; ++i) {
        if (hover[i] != 0 && hover[i] != 1) std::abort();
        lit += hover[i];
    }
    if (lit > 1) std::abort();
}

POINT ClientOfPointer(HWND hwnd)
{
    POINT p = host::user::PointerPos();
    ::ScreenToClient(hwnd, &p);
    return p;
}

const UINT kKeys[] = {VK_RETURN, VK_ESCAPE, VK_F1,    VK_TAB,     VK_SPACE, VK_LEFT, VK_UP, VK_RIGHT,
                      VK_DOWN,   VK_BACK,   VK_SHIFT, VK_CONTROL, VK_MENU,  'A',     '1',   0x79 /* F10 */};

// Runs one action; each queues input or messages (or changes the window).
void RunOne(Actions& a, HWND hwnd)
{
    switch (a.Byte() % 14) {
    case 0: {  // pointer to a client point (the presenter keeps it on the screen)
        POINT p{a.Short(), a.Short()};
        ::ClientToScreen(hwnd, &p);
        host::headless::MovePointer(p.x, p.y);
        break;
    }
    case 1: {
        const POINT p = ClientOfPointer(hwnd);
        if (!OnCloseButton(p.x, p.y)) host::user::PressLeft();
        break;
    }
    case 2: host::user::ReleaseLeft(); break;
    case 3: {  // raw coordinates: negative and huge ones come from sign extension
        const std::int16_t x = a.Short(), y = a.Short();
        ::PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        break;
    }
    case 4: {
        const std::int16_t x = a.Short(), y = a.Short();
        if (!OnCloseButton(x, y)) ::PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        break;
    }
    case 5: host::headless::Key(kKeys[a.Byte() % std::size(kKeys)]); break;
    case 6: host::headless::Key(a.Byte()); break;  // any virtual key
    case 7: host::headless::KeyWithAlt(VK_F4); break;
    case 8: {  // a paint of some area, possibly outside or inverted
        const RECT r{a.Short(), a.Short(), a.Short(), a.Short()};
        ::InvalidateRect(hwnd, &r, a.Byte() & 1);
        if (a.Byte() & 1) ::UpdateWindow(hwnd);
        break;
    }
    case 9: ::ShowWindow(hwnd, SW_MINIMIZE); break;
    case 10: ::ShowWindow(hwnd, SW_RESTORE); break;
    case 11: {  // a press on the caption at a screen point
        const std::int16_t x = a.Short(), y = a.Short();
        ::PostMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(x, y));
        break;
    }
    case 12: host::user::CloseRequest(hwnd); break;
    case 13: ::InvalidateRect(hwnd, nullptr, FALSE); break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool initialised =
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOWDEFAULT);
    (void)initialised;
    host::headless::Reset();

    Actions actions(data, size);
    int endingIdles = 0;
    host::headless::SetIdleHook([&] {
        CheckHover();
        HWND hwnd = LauncherSession::Window();
        if (!hwnd) std::abort();  // idle without the window: nothing can end the run
        if (!actions.Done()) {
            RunOne(actions, hwnd);
            // An action that queued nothing (a filtered press, a minimized
            // window's paint) must not leave the thread without input.
            MSG m;
            if (!::PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE)) ::PostMessageW(hwnd, WM_NULL, 0, 0);
            return;
        }
        // Input used up: let go of the button (ending a move loop), come
        // back from the taskbar and press Escape; the dialog's own Cancel
        // command if the keys do not reach it.
        const int n = endingIdles++;
        if (n == 0) host::user::ReleaseLeft();
        else if (n == 1) ::ShowWindow(hwnd, SW_RESTORE);
        else if (n < 8) host::headless::Key(VK_ESCAPE);
        else if (n < 16) ::PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
        else std::abort();  // the run does not end
        MSG m;
        if (!::PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE)) ::PostMessageW(hwnd, WM_NULL, 0, 0);
    });
    {
        COrvaneCDDlg dlg;
        theApp.m_pMainWnd = &dlg;
        dlg.DoModal();
    }
    CheckHover();
    host::headless::SetIdleHook(nullptr);
    return 0;
}
