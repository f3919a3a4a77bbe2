// CDialog: creation from the template, the modal run and the base dialog
// handlers.
#include "platform/platform.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{}

CDialog::~CDialog() { AfxTrace("CDialog::~CDialog template %u", m_nIDHelp); }

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG) return FALSE;

    // The object arrives with WM_INITDIALOG; from here on the window's
    // messages go through its message map.
    auto* pDlg = reinterpret_cast<CDialog*>(lParam);
    if (!pDlg) return FALSE;
    if (!pDlg->m_hWnd) pDlg->SubclassWindow(hWnd);

    RECT rcBefore;
    ::GetWindowRect(hWnd, &rcBefore);
    const BOOL bResult = pDlg->OnInitDialog();

    // A template that places the window itself keeps its place; otherwise
    // the window opens centred, unless OnInitDialog moved it.
    RECT rcAfter;
    ::GetWindowRect(hWnd, &rcAfter);
    const DWORD style = pDlg->GetStyle();
    const bool placedByTemplate = (style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) != 0;
    const bool moved = rcBefore.left != rcAfter.left || rcBefore.top != rcAfter.top;
    if (!placedByTemplate && !moved) pDlg->CenterWindow();
    return bResult;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceW(hInst, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
    auto lpTemplate = static_cast<LPCDLGTEMPLATEW>(hTemplate ? ::LockResource(hTemplate) : nullptr);
    if (!lpTemplate) {
        AfxTrace("CDialog::DoModal: template %u missing", m_nIDHelp);
        return -1;
    }

    HWND hWndParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    const bool reenableParent = hWndParent && ::IsWindowEnabled(hWndParent);
    if (reenableParent) ::EnableWindow(hWndParent, FALSE);

    m_nModalResult = -1;
    HWND hWnd =
        ::CreateDialogIndirectParamW(hInst, lpTemplate, hWndParent, &AfxDlgProc, reinterpret_cast<LPARAM>(this));
    if (!hWnd) {
        AfxTrace("CDialog::DoModal: window creation failed");
        if (reenableParent) ::EnableWindow(hWndParent, TRUE);
        Detach();
        return -1;
    }

    AfxTrace("CDialog::DoModal: running");
    RunModalLoop();

    if (m_hWnd)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (reenableParent) {
        ::EnableWindow(hWndParent, TRUE);
        ::SetActiveWindow(hWndParent);
    }
    DestroyWindow();
    AfxTrace("CDialog::DoModal: returns %d", m_nModalResult);
    return m_nModalResult;
}

int CWnd::RunModalLoop()
{
    m_bContinueModal = TRUE;
    CWinThread* pThread = AfxGetThread();
    MSG* pMsg = &pThread->m_msgCur;
    while (m_bContinueModal) {
        MSG peek;
        if (!::PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) AfxDeleteTempMaps();
        if (!pThread->PumpMessage()) {
            // WM_QUIT ends the run; it stays for the outer loop to see.
            ::PostQuitMessage(static_cast<int>(pMsg->wParam));
            m_bContinueModal = FALSE;
            m_nModalResult = -1;
            break;
        }
    }
    return m_nModalResult;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    m_bContinueModal = FALSE;
}

void CDialog::EndDialog(int nResult)
{
    AfxTrace("CDialog::EndDialog %d", nResult);
    EndModalLoop(nResult);
}

BOOL CDialog::OnInitDialog() { return UpdateData(FALSE); }

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // The dialog manager's keys: Enter, Escape, Tab and the arrows.
    return m_hWnd && ::IsDialogMessageW(m_hWnd, pMsg);
}

// A command the dialog does not take goes on to the application object.
BOOL CDialog::OnCmdMsg(UINT nID, int nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode)) return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode);
}

// The dialog's own paint: a paint DC of its own for the control container
// (none here), then the window's default paint.
void CDialog::OnPaint()
{
    CPaintDC dc(this);
    Default();
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
ON_WM_PAINT()
END_MESSAGE_MAP()
