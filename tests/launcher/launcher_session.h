// Runs the launcher in-process on the headless presenter: the application's
// InitInstance with its modal run, driven by steps that run one at a time
// whenever the UI thread idles (so the paints between steps have happened).
#pragma once

#include "app/application.h"
#include "launcher/frame_composition.h"
#include "launcher/launcher_dialog.h"
#include "platform/host/present/headless/headless.h"
#include "platform/host/user/presenting.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Reads the launcher window's state.
struct CLauncherDialogProbe {
    static COrvaneCDDlg* Dlg() { return static_cast<COrvaneCDDlg*>(AfxGetMainWnd()); }
    static int* Hover(COrvaneCDDlg* d) { return d->m_nHover; }
    static CPoint Origin(COrvaneCDDlg* d, int hover)
    {
        switch (hover) {
        case HOVER_CLOSE: return d->m_ptClose;
        case HOVER_MINIMIZE: return d->m_ptMinimize;
        case HOVER_SETUP: return d->m_ptSetup;
        case HOVER_MANUAL: return d->m_ptManual;
        default: return d->m_ptReader;
        }
    }
    // The image pair behind one of the frame's surfaces.
    static CBitmap& Bitmap(COrvaneCDDlg* d, EFrameSurface surface)
    {
        switch (surface) {
        case SURFACE_BACKGROUND: return d->m_bmpBackground;
        case SURFACE_SETUP: return d->m_bmpSetup;
        case SURFACE_MANUAL: return d->m_bmpManual;
        case SURFACE_READER: return d->m_bmpReader;
        case SURFACE_MINIMIZE: return d->m_bmpMinimize;
        case SURFACE_CLOSE: return d->m_bmpClose;
        default: return d->m_bmpFrame;
        }
    }
    static CDC& Dc(COrvaneCDDlg* d, EFrameSurface surface)
    {
        switch (surface) {
        case SURFACE_BACKGROUND: return d->m_dcBackground;
        case SURFACE_SETUP: return d->m_dcSetup;
        case SURFACE_MANUAL: return d->m_dcManual;
        case SURFACE_READER: return d->m_dcReader;
        case SURFACE_MINIMIZE: return d->m_dcMinimize;
        case SURFACE_CLOSE: return d->m_dcClose;
        default: return d->m_dcFrame;
        }
    }
    static HICON Icon(COrvaneCDDlg* d) { return d->m_hIcon; }

    // Puts `proc` between the framework and the window's default procedure,
    // so a test sees what the framework hands to default processing (the
    // base handlers' Default()). Returns the procedure it replaced, which
    // `proc` must call on.
    static WNDPROC HookDefault(COrvaneCDDlg* d, WNDPROC proc)
    {
        WNDPROC old = d->m_pfnSuper;
        d->m_pfnSuper = proc;
        return old;
    }
};

// Replaces a window's procedure with one that records messages and calls on
// the one it replaced; the tests' eyes in front of the framework.
class MessageSpy {
public:
    explicit MessageSpy(HWND hwnd) : m_hwnd(hwnd)
    {
        s_instance = this;
        m_old = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageSpy::Proc)));
    }
    ~MessageSpy()
    {
        if (::IsWindow(m_hwnd)) ::SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_old));
        s_instance = nullptr;
    }

    int Count(UINT message) const
    {
        int n = 0;
        for (const MSG& m : m_seen) n += m.message == message;
        return n;
    }
    const std::vector<MSG>& Seen() const { return m_seen; }
    void Clear() { m_seen.clear(); }

    // Called for each message before it goes on; may record more.
    std::function<void(const MSG&)> onMessage;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        MessageSpy* self = s_instance;
        MSG m{hwnd, message, wParam, lParam, 0, {0, 0}};
        self->m_seen.push_back(m);
        if (self->onMessage) self->onMessage(m);
        return ::CallWindowProcW(self->m_old, hwnd, message, wParam, lParam);
    }

    HWND m_hwnd;
    WNDPROC m_old = nullptr;
    std::vector<MSG> m_seen;
    static inline MessageSpy* s_instance = nullptr;
};

class LauncherSession {
public:
    using Step = std::function<void()>;

    LauncherSession& Then(Step step)
    {
        m_steps.push_back(std::move(step));
        return *this;
    }

    // Runs InitInstance (the whole modal run). The steps must end the run;
    // if they run out with the window still open, the test fails and the
    // session presses Escape to end it.
    BOOL Run()
    {
        return RunWith([] { return theApp.InitInstance(); });
    }

    // Runs `dlg` modally as the application's main window.
    INT_PTR RunDialog(CDialog& dlg)
    {
        INT_PTR result = 0;
        RunWith([&] {
            theApp.m_pMainWnd = &dlg;
            result = dlg.DoModal();
            return FALSE;
        });
        return result;
    }

    BOOL RunWith(const std::function<BOOL()>& run)
    {
        host::headless::Reset();
        static bool initialised = false;
        if (!initialised) {
            AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOWDEFAULT);
            initialised = true;
        }
        host::headless::SetIdleHook([this] { OnIdle(); });
        const BOOL result = run();
        host::headless::SetIdleHook(nullptr);
        return result;
    }

    static HWND Window()
    {
        CWnd* w = AfxGetMainWnd();
        return w ? w->m_hWnd : nullptr;
    }

    // Screen position of a client-area point of the launcher window.
    static POINT ToScreen(int x, int y)
    {
        POINT pt{x, y};
        ::ClientToScreen(Window(), &pt);
        return pt;
    }

    static void MoveTo(int x, int y)
    {
        POINT pt = ToScreen(x, y);
        host::headless::MovePointer(pt.x, pt.y);
    }

    static void ClickAt(int x, int y)
    {
        MoveTo(x, y);
        host::user::PressLeft();
        host::user::ReleaseLeft();
    }

private:
    void OnIdle()
    {
        while (!m_steps.empty()) {
            Step step = std::move(m_steps.front());
            m_steps.pop_front();
            step();
            MSG msg;
            if (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) return;
        }
        ADD_FAILURE() << "the session's steps ended with the launcher window still open";
        host::headless::Key(VK_ESCAPE);
    }

    std::deque<Step> m_steps;
};
