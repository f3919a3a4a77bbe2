#include "app/application.h"

#include "launcher/launcher_dialog.h"

BEGIN_MESSAGE_MAP(COrvaneCDApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

// A null name: the framework names the application after the executable.
COrvaneCDApp::COrvaneCDApp() : CWinApp(nullptr) {}

COrvaneCDApp::~COrvaneCDApp() = default;

COrvaneCDApp theApp;

// The whole run happens in the launcher window's modal run; the application
// never enters a message loop of its own, so this always returns FALSE.
BOOL COrvaneCDApp::InitInstance()
{
    INITCOMMONCONTROLSEX InitCtrls;
    InitCtrls.dwSize = sizeof(InitCtrls);
    InitCtrls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&InitCtrls);

    CWinApp::InitInstance();

    AfxEnableControlContainer();

    SetRegistryKey(L"로컬 응용 프로그램 마법사에서 생성된 응용 프로그램");

    COrvaneCDDlg dlg;
    m_pMainWnd = &dlg;
    INT_PTR nResponse = dlg.DoModal();
    (void)nResponse;  // IDOK, IDCANCEL or -1 all end the run the same way

    return FALSE;
}
