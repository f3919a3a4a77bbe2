// The application object and the framework's main routine.
#pragma once

#include "afx_wnd.h"

// One thread of the application, with its message pump.
class CWinThread : public CCmdTarget {
public:
    CWinThread();
    ~CWinThread() override;

    CWnd* m_pMainWnd = nullptr;
    MSG m_msgCur{};  // the message the pump retrieved last

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL PumpMessage();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnIdle(LONG lCount);
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }
};

// The application: one object per process, a global constructed before the
// main routine runs.
class CWinApp : public CWinThread {
public:
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Names chosen by the framework: the application name (the executable's
    // base name unless given), the help file beside the executable, and the
    // registry key and profile names.
    LPCWSTR m_pszAppName = nullptr;
    LPCWSTR m_pszExeName = nullptr;
    LPCWSTR m_pszHelpFilePath = nullptr;
    LPCWSTR m_pszRegistryKey = nullptr;
    LPCWSTR m_pszProfileName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPWSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = 0;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int ExitInstance() override;

    HICON LoadIcon(UINT nIDResource) const;
    // Records the key name (and takes the application name as the profile
    // name); creates, opens and writes nothing.
    void SetRegistryKey(LPCWSTR lpszRegistryKey);

    // Asks the platform's help engine for the application's help file;
    // shows "Failed to launch help." when it refuses.
    void OnHelp();

    // Filled by the framework's start-up (AfxWinInit).
    void SetNames(HINSTANCE hInstance, LPWSTR lpCmdLine, int nCmdShow);

    DECLARE_MESSAGE_MAP()

private:
    // The texts the public name pointers point into, when the framework
    // made them: copies on the C heap, freed with the object.
    LPWSTR m_pszOwnedAppName = nullptr;
    LPWSTR m_pszOwnedExeName = nullptr;
    LPWSTR m_pszOwnedHelpPath = nullptr;
    LPWSTR m_pszOwnedRegistryKey = nullptr;
    LPWSTR m_pszOwnedProfileName = nullptr;
    LPCWSTR m_pszGivenAppName = nullptr;
};

CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

class COccManager;
// Lets the process's dialogs host ActiveX controls; the framework keeps the
// site manager (the default one when none is given).
void AfxEnableControlContainer(COccManager* pOccManager = nullptr);
BOOL AfxControlContainerEnabled();

int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK | MB_ICONEXCLAMATION);

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
void AfxWinTerm();
// The framework's main routine: start-up, InitInstance, then either the
// message loop or (when InitInstance returns FALSE) ExitInstance at once.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);

// Lifecycle tracing: with ORVANE_TRACE set in the environment, the framework
// writes one line per lifecycle step on stderr (the debugger's output on
// Windows), so tests can check the order in which a run starts and ends.
void AfxTrace(const char* fmt, ...);
