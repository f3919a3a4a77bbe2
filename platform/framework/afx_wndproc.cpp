// Message dispatch: AfxWndProc hands each message of a subclassed window to
// its object's WindowProc, which looks the message up in the message maps
// and calls the handler in its own signature, or else default processing.
#include "platform/platform.h"

#include <cstdio>

namespace {

// The message being handled, for Default(). Saved and restored around each
// call so that nested sends see their own message.
struct CurrentMessage {
    HWND hWnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
CurrentMessage g_current;

}  // namespace

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd) return ::DefWindowProcW(hWnd, message, wParam, lParam);

    const CurrentMessage saved = g_current;
    g_current = CurrentMessage{hWnd, message, wParam, lParam};
    LRESULT result = 0;
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (CException* e) {
        // A handler's exception ends at the dispatch, as the framework's
        // message loop would: report it and go on.
        AfxTrace("exception in message 0x%04X: %ls", message, e->GetErrorMessage());
        AfxMessageBox(e->GetErrorMessage(), MB_OK | MB_ICONHAND);
        e->Delete();
    }
    g_current = saved;
    return result;
}

LRESULT CWnd::Default() { return DefWindowProc(g_current.message, g_current.wParam, g_current.lParam); }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *pResult = 0;
        return TRUE;
    }

    // Every control-colour message reaches the one WM_CTLCOLOR entry, with
    // the kind of request taken from the message number.
    UINT lookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) lookup = WM_CTLCOLOR;

    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), lookup);
    if (!entry) return FALSE;

    *pResult = entry->pfn(this, AFX_MSGCALL{message, wParam, lParam});
    return TRUE;
}

LRESULT AfxUnpackCtlColor(const AFX_MSGCALL& c, CDC** ppDC, CWnd** ppWnd, UINT* pnCtlColor)
{
    *ppDC = CDC::FromHandle(reinterpret_cast<HDC>(c.wParam));
    *ppWnd = CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam));
    *pnCtlColor = c.message - WM_CTLCOLORMSGBOX;
    return 0;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const int nCode = HIWORD(wParam);
    // A notification from a control goes to the control first.
    if (lParam) {
        if (CWnd* pChild = FromHandlePermanent(reinterpret_cast<HWND>(lParam))) {
            LRESULT r = 0;
            if (pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &r)) return TRUE;
        }
    }
    return OnCmdMsg(nID, nCode);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::PostNcDestroy() {}

// ---- base handlers ---------------------------------------------------------------

void CWnd::OnPaint() { Default(); }

void CWnd::OnMouseMove(UINT, CPoint) { Default(); }

void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }

HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

// Offers the colour request to the control's own object first; if it does
// not answer, the default window procedure does.
HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    if (pWnd) {
        if (CWnd* pControl = FromHandlePermanent(pWnd->m_hWnd); pControl && pControl != this) {
            LRESULT r = 0;
            if (pControl->OnChildNotify(g_current.message, g_current.wParam, g_current.lParam, &r))
                return reinterpret_cast<HBRUSH>(r);
        }
    }
    return reinterpret_cast<HBRUSH>(Default());
}

BOOL CWnd::OnHelpInfo(HELPINFO*)
{
    if (!(GetStyle() & WS_CHILD)) {
        CWnd* pMainWnd = AfxGetMainWnd();
        const bool modifierHeld =
            ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0;
        if (pMainWnd && pMainWnd->m_hWnd && !modifierHeld) {
            pMainWnd->SendMessage(WM_COMMAND, ID_HELP, 0);
            return TRUE;
        }
    }
    return static_cast<BOOL>(Default());
}

// The window's last message: the object lets go of it. When the main window
// goes, the application has no main window any more and the thread is asked
// to quit.
void CWnd::OnNcDestroy()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread && pThread->m_pMainWnd == this) {
        pThread->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    Default();
    if (m_pfnSuper) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    Detach();
    PostNcDestroy();
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_HELPINFO()
ON_WM_NCDESTROY()
END_MESSAGE_MAP()
