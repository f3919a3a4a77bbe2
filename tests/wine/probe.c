/* Reports what Win32 itself says about the launcher's window, for the tests
 * to hold against what the X server shows: the window's and the client
 * area's rectangles on the screen, its styles, its title, whether it is
 * minimized, and the version label's rectangle (client coordinates) and text.
 * Finds the window by its title; prints "none" when there is no such window. */
#include <windows.h>
#include <stdio.h>

static void print_utf8(const char* key, const wchar_t* text)
{
    char line[1024];
    if (WideCharToMultiByte(CP_UTF8, 0, text, -1, line, sizeof line, NULL, NULL) <= 0) line[0] = 0;
    printf("%s %s\n", key, line);
}

int wmain(void)
{
    HWND wnd = FindWindowW(NULL, L"Orvane \xC124\xCE58 CD");
    if (!wnd) {
        printf("none\n");
        return 1;
    }
    RECT w, c;
    GetWindowRect(wnd, &w);
    GetClientRect(wnd, &c);
    POINT origin = {0, 0};
    ClientToScreen(wnd, &origin);
    printf("screen %d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    printf("window %ld %ld %ld %ld\n", w.left, w.top, w.right - w.left, w.bottom - w.top);
    printf("client %ld %ld %ld %ld\n", origin.x, origin.y, c.right, c.bottom);
    printf("style 0x%08lx\n", (unsigned long)GetWindowLongW(wnd, GWL_STYLE));
    printf("exstyle 0x%08lx\n", (unsigned long)GetWindowLongW(wnd, GWL_EXSTYLE));
    printf("iconic %d\n", IsIconic(wnd) ? 1 : 0);

    wchar_t text[256];
    GetWindowTextW(wnd, text, 256);
    print_utf8("title", text);

    HWND label = GetDlgItem(wnd, 1000);
    if (label) {
        RECT r;
        GetWindowRect(label, &r);
        MapWindowPoints(HWND_DESKTOP, wnd, (POINT*)&r, 2);
        printf("label %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        GetWindowTextW(label, text, 256);
        print_utf8("label_text", text);
    }
    return 0;
}
