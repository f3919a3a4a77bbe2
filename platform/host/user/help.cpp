// WinHelp: there is no help engine on this host, so every request fails as
// it does on a Windows without the help file.
#include "user/internal.h"

BOOL WinHelpW(HWND hwnd, LPCWSTR helpFile, UINT command, ULONG_PTR data)
{
    (void)hwnd;
    (void)helpFile;
    (void)command;
    (void)data;
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
}
