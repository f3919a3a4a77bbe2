// Keeps a DLL that someone put beside the launcher, or in the folder it was
// started from, out of its process. The launcher runs from a disc or from a
// copy of one (a download folder, a network share), where anyone may have
// left a version.dll or uxtheme.dll; Windows looks for a DLL named without a
// path in the program's folder first, and in the current folder too.
//
// Two defences, each on the Windows versions that have it:
// - The load configuration's DependentLoadFlags: the loader resolves the
//   executable's own imports, and theirs, from System32 alone (Windows 10
//   1607 and later; older versions ignore the field).
// - At the first moment the program has (a TLS callback, which the loader
//   runs once the imported DLLs have initialised, before the runtime's
//   start-up code, the static initialisers and WinMain), the search of
//   every later LoadLibrary by name narrows to System32 with
//   SetDefaultDllDirectories (Windows 8; Vista and 7 with KB2533623),
//   looked up at run time because XP lacks it; and on every version
//   SetDllDirectoryW(L"") takes the current folder out of the standard
//   search (XP SP1 and later), which still starts with the program's own
//   folder.
#include "platform.h"

#include <cstddef>

namespace {

// LoadLibraryEx's LOAD_LIBRARY_SEARCH_SYSTEM32.
constexpr DWORD kSearchSystem32 = 0x00000800;

typedef BOOL(WINAPI* PFN_SET_DEFAULT_DLL_DIRECTORIES)(DWORD);

// Win32 calls alone: the C runtime is not set up yet.
void RestrictDllSearch()
{
    HMODULE hKernel = ::GetModuleHandleW(L"kernel32.dll");
    auto pfnSetDefault = hKernel ? reinterpret_cast<PFN_SET_DEFAULT_DLL_DIRECTORIES>(
                                       reinterpret_cast<void*>(::GetProcAddress(hKernel, "SetDefaultDllDirectories")))
                                 : nullptr;
    if (pfnSetDefault) pfnSetDefault(kSearchSystem32);
    // Also where the above holds: a search that asks for the standard order
    // (LOAD_WITH_ALTERED_SEARCH_PATH, or a component that passes its own
    // flags) still skips the current folder.
    ::SetDllDirectoryW(L"");
}

void NTAPI DllSearchTlsCallback(PVOID, DWORD dwReason, PVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) RestrictDllSearch();
}

}  // namespace

// The runtime's TLS directory calls every pointer in the .CRT$XL* sections,
// in the order of their names; B comes before the runtime's own (C).
extern "C" __attribute__((section(".CRT$XLB"), used)) const PIMAGE_TLS_CALLBACK orvane_dll_search_callback =
    DllSearchTlsCallback;

// The linker points the load configuration entry of the data directory at
// the object of this name. Its size stops before the SafeSEH fields: 64 bytes
// in a 32-bit image, the size Windows XP accepts there (the handler table
// stays absent, as without a load configuration); DependentLoadFlags lies
// within it in both layouts.
constexpr IMAGE_LOAD_CONFIG_DIRECTORY MakeLoadConfig()
{
    IMAGE_LOAD_CONFIG_DIRECTORY config{};
    config.Size = offsetof(IMAGE_LOAD_CONFIG_DIRECTORY, SEHandlerTable);
    config.Reserved1 = kSearchSystem32;  // DependentLoadFlags
    return config;
}
extern "C" __attribute__((used)) const IMAGE_LOAD_CONFIG_DIRECTORY _load_config_used = MakeLoadConfig();
