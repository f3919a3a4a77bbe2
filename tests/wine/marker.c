/* A stand-in for the programs on the CD (Setup.exe, AdbeRdr70_kor.exe).
 * Copied under one of their names, it leaves "<its own file name>.ran" in
 * the current directory, holding its command line, and exits. The file is
 * written under a temporary name first, so a test never reads half of it. */
#include <windows.h>
#include <stdio.h>
#include <wchar.h>

int wmain(int argc, wchar_t** argv)
{
    wchar_t self[MAX_PATH];
    DWORD n = GetModuleFileNameW(NULL, self, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return 1;
    const wchar_t* name = self;
    for (const wchar_t* p = self; *p; ++p)
        if (*p == L'\\' || *p == L'/') name = p + 1;

    wchar_t final_name[MAX_PATH], part_name[MAX_PATH];
    _snwprintf(final_name, MAX_PATH, L"%ls.ran", name);
    _snwprintf(part_name, MAX_PATH, L"%ls.part", name);

    FILE* f = _wfopen(part_name, L"wb");
    if (!f) return 2;
    for (int i = 0; i < argc; ++i) {
        char line[4 * MAX_PATH];
        int len = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, line, sizeof line, NULL, NULL);
        if (len > 0) fprintf(f, "%s\n", line);
    }
    fclose(f);
    return MoveFileExW(part_name, final_name, MOVEFILE_REPLACE_EXISTING) ? 0 : 3;
}
