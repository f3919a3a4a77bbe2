// Message boxes and beeps: the presenter shows the box, in its own way.
#include "user/internal.h"

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    return host::CurrentPresenter().ShowMessageBox(owner, text ? text : L"", caption ? caption : L"Error", type);
}

// There is no sound to make.
BOOL MessageBeep(UINT type)
{
    (void)type;
    return TRUE;
}
