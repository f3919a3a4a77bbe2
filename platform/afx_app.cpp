// CWinThread's pump and CWinApp: the process's one application object.
#include "platform.h"

#include <cstdio>
#include <iterator>
#include <string>

namespace {

CWinApp* g_pApp = nullptr;
HINSTANCE g_hInstance = nullptr;
bool g_controlContainer = false;

}  // namespace

// ---- CWinThread -------------------------------------------------------------------

CWinThread::CWinThread() = default;
CWinThread::~CWinThread() = default;

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageW(&m_msgCur, nullptr, 0, 0)) return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageW(&m_msgCur);
    }
    return TRUE;
}

// Offers the message to the framework windows from its target up to the
// top-level window, the innermost first.
BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = CWnd::FromHandlePermanent(hWnd); pWnd && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    }
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG)
{
    AfxDeleteTempMaps();
    return FALSE;
}

int CWinThread::Run()
{
    for (;;) {
        MSG peek;
        if (!::PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) OnIdle(0);
        if (!PumpMessage()) return ExitInstance();
    }
}

// ---- CWinApp -----------------------------------------------------------------------

CWinApp::CWinApp(LPCWSTR lpszAppName) : m_pszGivenAppName(lpszAppName)
{
    if (g_pApp) {
        std::fputs("framework: a second application object is ignored\n", stderr);
        return;
    }
    g_pApp = this;
    m_pszAppName = lpszAppName;
}

CWinApp::~CWinApp()
{
    AfxTrace("CWinApp::~CWinApp");
    if (g_pApp == this) g_pApp = nullptr;
}

void CWinApp::SetNames(HINSTANCE hInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    m_hInstance = hInstance;
    m_lpCmdLine = lpCmdLine;
    m_nCmdShow = nCmdShow;

    wchar_t path[1024] = {};
    const DWORD n = ::GetModuleFileNameW(hInstance, path, static_cast<DWORD>(std::size(path)));
    std::wstring modulePath(path, n < std::size(path) ? n : 0);
    const std::size_t slash = modulePath.find_last_of(L"\\/");
    std::wstring base = slash == std::wstring::npos ? modulePath : modulePath.substr(slash + 1);
    const std::size_t dot = base.find_last_of(L'.');
    std::wstring stem = dot == std::wstring::npos ? base : base.substr(0, dot);
    if (stem.empty()) stem = L"app";

    m_strOwnedExeName = stem;
    m_pszExeName = m_strOwnedExeName.c_str();
    if (!m_pszGivenAppName) {
        m_strOwnedAppName = stem;
        m_pszAppName = m_strOwnedAppName.c_str();
    }
    // The help file is named after the executable, beside it.
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : modulePath.substr(0, slash + 1);
    std::wstring help = folder + (dot == std::wstring::npos ? base : base.substr(0, dot));
    if (help.empty()) help = stem;
    m_strOwnedHelpPath = help + L".HLP";
    m_pszHelpFilePath = m_strOwnedHelpPath.c_str();
}

BOOL CWinApp::InitApplication() { return TRUE; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return CWinThread::ExitInstance(); }

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
}

void CWinApp::SetRegistryKey(LPCWSTR lpszRegistryKey)
{
    if (!lpszRegistryKey) return;
    m_strOwnedRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strOwnedRegistryKey.c_str();
    m_strOwnedProfileName = m_pszAppName ? m_pszAppName : L"";
    m_pszProfileName = m_strOwnedProfileName.c_str();
}

void CWinApp::OnHelp()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWnd = pMainWnd ? pMainWnd->m_hWnd : nullptr;
    AfxTrace("CWinApp::OnHelp");
    if (!::WinHelpW(hWnd, m_pszHelpFilePath, HELP_FINDER, 0)) AfxMessageBox(L"Failed to launch help.");
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

// ---- globals -----------------------------------------------------------------------

CWinApp* AfxGetApp() { return g_pApp; }

CWinThread* AfxGetThread() { return g_pApp; }

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle() { return g_hInstance ? g_hInstance : ::GetModuleHandleW(nullptr); }

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

void AfxEnableControlContainer(COccManager*) { g_controlContainer = true; }

BOOL AfxControlContainerEnabled() { return g_controlContainer; }

int AfxMessageBox(LPCWSTR lpszText, UINT nType)
{
    CWinApp* pApp = AfxGetApp();
    CWnd* pMainWnd = AfxGetMainWnd();
    return ::MessageBoxW(pMainWnd ? pMainWnd->m_hWnd : nullptr, lpszText,
                         pApp && pApp->m_pszAppName ? pApp->m_pszAppName : L"", nType);
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int nCmdShow)
{
    g_hInstance = hInstance;
    if (CWinApp* pApp = AfxGetApp()) pApp->SetNames(hInstance, lpCmdLine, nCmdShow);
    return TRUE;
}

void AfxWinTerm()
{
    AfxDeleteTempMaps();
    AfxTrace("AfxWinTerm");
}
