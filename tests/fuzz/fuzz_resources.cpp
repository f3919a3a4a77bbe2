// libFuzzer target: the compiled-resource container and every decoder.
// The first byte chooses what the rest is read as:
//   0  a whole .res: parsed, each record decoded by its type, and the
//      bitmaps and dialog also loaded through the Win32 functions
//   1  RT_BITMAP   2 RT_GROUP_ICON   3 RT_ICON   4 RT_DIALOG   5 RT_VERSION
// Refusals (ResError) are the expected answer to bad input; anything else
// that escapes, or any read outside the input, is a finding.
#include "platform/host/kernel/module.h"
#include "platform/host/res/format.h"
#include "win32.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using namespace host::res;

void DecodeAs(std::uint16_t type, Bytes bytes)
{
    try {
        switch (type) {
        case kRtBitmap: DecodeDib24(bytes); break;
        case kRtGroupIcon: DecodeIconGroup(bytes); break;
        case kRtIcon: DecodeIconImage(bytes); break;
        case kRtDialog: DecodeDialogEx(bytes); break;
        case kRtVersion: DecodeVersionInfo(bytes); break;
        default: break;
        }
    } catch (const ResError&) {}
}

// A dialog template the decoder accepts, created and destroyed as a window
// (the template has no length of its own: the decoder's acceptance is what
// says the bytes hold a whole one).
INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

void CreateFromTemplate(Bytes bytes)
{
    DialogTemplate t;
    try {
        t = DecodeDialogEx(bytes);
    } catch (const ResError&) {
        return;
    }
    const std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());  // exactly sized, for ASan
    HWND dlg = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()),
                                          nullptr, &QuietDialogProc, 0);
    if (dlg) DestroyWindow(dlg);
}

void Container(Bytes bytes)
{
    ResFile file;
    try {
        file = ResFile::Parse(bytes);
    } catch (const ResError&) {
        return;
    }
    for (const ResEntry& e : file.entries()) {
        if (!e.type.IsOrdinal()) continue;
        DecodeAs(e.type.ordinal(), e.data);
        if (e.type.ordinal() == kRtDialog) CreateFromTemplate(e.data);
    }
    // The same records as the module's resources, through the API.
    host::ReplaceModuleResources(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    HMODULE module = GetModuleHandleW(nullptr);
    for (const ResEntry& e : host::ModuleResources().entries()) {
        if (!e.type.IsOrdinal() || !e.name.IsOrdinal()) continue;
        LPCWSTR name = MAKEINTRESOURCEW(e.name.ordinal());
        if (e.type.ordinal() == kRtBitmap) {
            if (HBITMAP b = LoadBitmapW(module, name)) DeleteObject(b);
        }
        if (HRSRC info = FindResourceW(module, name, MAKEINTRESOURCEW(e.type.ordinal()))) {
            const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, info)));
            const DWORD size = SizeofResource(module, info);
            if (size && !data) __builtin_trap();
        }
    }
    host::RestoreModuleResources();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const Bytes body(data + 1, size - 1);
    switch (data[0] % 6) {
    case 0: Container(body); break;
    case 1: DecodeAs(kRtBitmap, body); break;
    case 2: DecodeAs(kRtGroupIcon, body); break;
    case 3: DecodeAs(kRtIcon, body); break;
    case 4:
        DecodeAs(kRtDialog, body);
        CreateFromTemplate(body);
        break;
    case 5: DecodeAs(kRtVersion, body); break;
    }
    return 0;
}
