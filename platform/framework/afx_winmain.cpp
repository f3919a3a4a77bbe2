// The framework's main routine.
#include "platform/platform.h"

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    AfxTrace("AfxWinMain: start");
    int nReturnCode = -1;
    CWinThread* pThread = AfxGetThread();
    CWinApp* pApp = AfxGetApp();
    if (pThread && AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) && pApp->InitApplication()) {
        if (pThread->InitInstance()) {
            nReturnCode = pThread->Run();
        } else {
            // No message loop: the run is over. A main window still open
            // goes first.
            if (pThread->m_pMainWnd) pThread->m_pMainWnd->DestroyWindow();
            nReturnCode = pThread->ExitInstance();
        }
        AfxTrace("AfxWinMain: ExitInstance %d", nReturnCode);
    }
    AfxWinTerm();
    AfxTrace("AfxWinMain: returns %d", nReturnCode);
    return nReturnCode;
}
