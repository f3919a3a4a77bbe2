// CWinThread's pump and CWinApp: the process's one application object.
#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <iterator>

namespace {

CWinApp* g_pApp = nullptr;
HINSTANCE g_hInstance = nullptr;
bool g_controlContainer = false;

// Replaces *owned with a copy of the n characters at text followed by
// suffix, and returns it; the old copy is freed. nullptr when no memory is
// left (the name then stays unset).
LPWSTR ReplaceOwned(LPWSTR* owned, const wchar_t* text, std::size_t n, const wchar_t* suffix = L"")
{
    const std::size_t tail = std::wcslen(suffix);
    auto* copy = static_cast<LPWSTR>(std::malloc((n + tail + 1) * sizeof(wchar_t)));
    if (copy) {
        std::wmemcpy(copy, text, n);
        std::wmemcpy(copy + n, suffix, tail + 1);
    }
    std::free(*owned);
    *owned = copy;
    return copy;
}

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
    for (LPWSTR owned :
         {m_pszOwnedAppName, m_pszOwnedExeName, m_pszOwnedHelpPath, m_pszOwnedRegistryKey, m_pszOwnedProfileName}) {
        std::free(owned);
    }
}

void CWinApp::SetNames(HINSTANCE hInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    m_hInstance = hInstance;
    m_lpCmdLine = lpCmdLine;
    m_nCmdShow = nCmdShow;

    wchar_t path[1024] = {};
    const DWORD got = ::GetModuleFileNameW(hInstance, path, static_cast<DWORD>(std::size(path)));
    const std::size_t n = got < std::size(path) ? got : 0;
    // folder\stem.ext: the base name starts after the last separator, the
    // stem ends at the base name's last dot.
    std::size_t base = n;
    while (base > 0 && path[base - 1] != L'\\' && path[base - 1] != L'/') --base;
    std::size_t stemEnd = n;
    while (stemEnd > base && path[stemEnd - 1] != L'.') --stemEnd;
    stemEnd = stemEnd > base ? stemEnd - 1 : n;

    // An empty stem (no module path, or a name like ".exe") stands as "app".
    const bool noStem = stemEnd == base;
    const wchar_t* stem = noStem ? L"app" : path + base;
    const std::size_t stemLength = noStem ? 3 : stemEnd - base;
    m_pszExeName = ReplaceOwned(&m_pszOwnedExeName, stem, stemLength);
    if (!m_pszGivenAppName) m_pszAppName = ReplaceOwned(&m_pszOwnedAppName, stem, stemLength);
    // The help file is named after the executable, beside it.
    m_pszHelpFilePath = stemEnd ? ReplaceOwned(&m_pszOwnedHelpPath, path, stemEnd, L".HLP")
                                : ReplaceOwned(&m_pszOwnedHelpPath, stem, stemLength, L".HLP");
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
    m_pszRegistryKey = ReplaceOwned(&m_pszOwnedRegistryKey, lpszRegistryKey, std::wcslen(lpszRegistryKey));
    const wchar_t* profile = m_pszAppName ? m_pszAppName : L"";
    m_pszProfileName = ReplaceOwned(&m_pszOwnedProfileName, profile, std::wcslen(profile));
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
