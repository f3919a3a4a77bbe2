/* A DLL planted beside the launcher under the name of a system DLL it loads.
 * It exports nothing: loaded at all, it leaves "<its own path>.<program>.planted",
 * the program being the file name of the process that loaded it (Wine's own
 * processes, started from the same folder, may load it too). It imports
 * kernel32 alone and brings no C runtime (built with -nostdlib, DllMain its
 * entry point), so that it stands in for msvcrt.dll as for any other. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    WCHAR path[2 * MAX_PATH + 16], program[MAX_PATH];
    DWORD n = GetModuleFileNameW(instance, path, MAX_PATH);
    DWORD m = GetModuleFileNameW(NULL, program, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || m == 0 || m >= MAX_PATH) return TRUE;
    const WCHAR* name = program;
    for (const WCHAR* p = program; *p; ++p)
        if (*p == L'\\' || *p == L'/') name = p + 1;
    lstrcatW(path, L".");
    lstrcatW(path, name);
    lstrcatW(path, L".planted");
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}
