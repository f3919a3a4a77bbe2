// The process entry: the runtime calls it after the static initialisers (the
// application object among them) and calls exit with what it returns.
#include "platform.h"

#ifdef _WIN32
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
#else
int main()
{
    // The command line is handed to the framework; nothing reads it.
    return AfxWinMain(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOWDEFAULT);
}
#endif
