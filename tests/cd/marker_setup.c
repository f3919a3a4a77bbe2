/* Stands in for the product's Setup.exe on the test disc: it proves that it
 * was started by writing a marker file into its current directory. Started by
 * the shell with no directory of its own, that is the launcher's current
 * directory, the disc root. The marker holds that directory's name. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    char directory[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    HANDLE marker =
        CreateFileA("setup_started.txt", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (marker == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(marker, directory, length, &written, NULL);
    WriteFile(marker, "\r\n", 2, &written, NULL);
    CloseHandle(marker);
    return 0;
}
