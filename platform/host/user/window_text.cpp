// A window's text, through the messages its procedure answers.
#include "user/internal.h"

using namespace host::user;

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text)
{
    if (!FindOrFail(hwnd)) return FALSE;
    return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L"")) ? TRUE : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount)
{
    if (!FindOrFail(hwnd)) return 0;
    if (!buffer || maxCount <= 0) return 0;
    buffer[0] = 0;
    return static_cast<int>(
        SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd)
{
    if (!FindOrFail(hwnd)) return 0;
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
}
