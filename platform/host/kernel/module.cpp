// The module and resource functions of the Win32 subset, over the .res bytes
// that cmake/Host.cmake links into the executable.

#include "kernel/module.h"
#include "base/utf.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <string>
#include <unistd.h>

extern "C" const unsigned char orvane_res_begin[], orvane_res_end[];

namespace host {
namespace {

// The one module a host process has; its address is the HMODULE.
struct HINSTANCE__ g_module {};

constexpr std::uint16_t kLangNeutral = 0;
constexpr std::uint16_t kLangKorean = 1042;
constexpr std::uint16_t kLangEnglishUs = 1033;

res::ResFile ParseOrReport(res::Bytes bytes)
{
    try {
        return res::ResFile::Parse(bytes);
    } catch (const res::ResError& e) {
        std::fprintf(stderr, "resources: %s\n", e.what());
        return {};
    }
}

struct Replacement {
    std::vector<std::uint8_t> bytes;  // owns what `file` points into
    res::ResFile file;
};

struct State {
    std::mutex mutex;
    std::optional<res::ResFile> embedded;  // parsed at most once
    std::optional<Replacement> replacement;

    const res::ResFile& Current()
    {
        std::lock_guard lock(mutex);
        if (replacement) return replacement->file;
        if (!embedded) {
            const auto size = static_cast<std::size_t>(orvane_res_end - orvane_res_begin);
            embedded = ParseOrReport(res::Bytes(orvane_res_begin, size));
        }
        return *embedded;
    }
};

State& TheState()
{
    static State state;
    return state;
}

bool IsOurModule(HMODULE module) { return module == nullptr || module == &g_module; }

enum class Miss { None, NoResources, Type, Name, Language };

const res::ResEntry* Lookup(const res::ResFile& file, const res::ResId& type, const res::ResId& name,
                            std::optional<std::uint16_t> language, Miss& miss)
{
    miss = Miss::None;
    if (file.entries().empty()) {
        miss = Miss::NoResources;
        return nullptr;
    }
    if (language) {
        if (const res::ResEntry* e = file.Find(type, name, language)) return e;
    } else {
        for (std::uint16_t lang : {kLangNeutral, kLangKorean, kLangEnglishUs})
            if (const res::ResEntry* e = file.Find(type, name, lang)) return e;
        if (const res::ResEntry* e = file.Find(type, name)) return e;
    }
    // Say what was missing, as the system does.
    const bool nameSeen = file.Find(type, name) != nullptr;
    const bool typeSeen = std::any_of(file.entries().begin(), file.entries().end(),
                                      [&](const res::ResEntry& e) { return file.Find(type, e.name) != nullptr; });
    miss = nameSeen ? Miss::Language : typeSeen ? Miss::Name : Miss::Type;
    return nullptr;
}

void SetMissError(Miss miss)
{
    switch (miss) {
    case Miss::None: break;
    case Miss::NoResources: SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND); break;
    case Miss::Type: SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND); break;
    case Miss::Name: SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND); break;
    case Miss::Language: SetLastError(ERROR_RESOURCE_LANG_NOT_FOUND); break;
    }
}

// An HRSRC is the address of an entry of the current resources; anything
// else is refused rather than followed.
const res::ResEntry* EntryOf(HRSRC handle)
{
    const auto& entries = ModuleResources().entries();
    const auto* p = reinterpret_cast<const res::ResEntry*>(handle);
    for (const res::ResEntry& e : entries)
        if (&e == p) return p;
    return nullptr;
}

HRSRC Find(HMODULE module, LPCWSTR type, LPCWSTR name, std::optional<std::uint16_t> language)
{
    if (!IsOurModule(module)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    Miss miss;
    const res::ResEntry* e =
        Lookup(ModuleResources(), ResIdFromDesignator(type), ResIdFromDesignator(name), language, miss);
    if (!e) {
        SetMissError(miss);
        return nullptr;
    }
    return reinterpret_cast<HRSRC>(const_cast<res::ResEntry*>(e));
}

// Quotes one argument so that the usual Windows command-line splitting gives
// it back unchanged.
void AppendQuoted(std::wstring& out, const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) {
        out += arg;
        return;
    }
    out += L'"';
    std::size_t backslashes = 0;
    for (wchar_t ch : arg) {
        if (ch == L'\\') {
            ++backslashes;
            continue;
        }
        if (ch == L'"') backslashes = backslashes * 2 + 1;
        out.append(backslashes, L'\\');
        backslashes = 0;
        out += ch;
    }
    out.append(backslashes * 2, L'\\');
    out += L'"';
}

std::wstring ReadCommandLine()
{
    std::string raw;
    if (std::FILE* f = std::fopen("/proc/self/cmdline", "rb")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) raw.append(buf, n);
        std::fclose(f);
    }
    std::wstring line;
    std::size_t start = 0;
    while (start < raw.size()) {
        std::size_t end = raw.find('\0', start);
        if (end == std::string::npos) end = raw.size();
        if (!line.empty()) line += L' ';
        AppendQuoted(line, ToWide(FromUtf8(raw.substr(start, end - start))));
        start = end + 1;
    }
    return line;
}

}  // namespace

const res::ResFile& ModuleResources() { return TheState().Current(); }

void ReplaceModuleResources(std::vector<std::uint8_t> bytes)
{
    State& s = TheState();
    std::lock_guard lock(s.mutex);
    s.replacement.emplace();
    s.replacement->bytes = std::move(bytes);
    if (!s.replacement->bytes.empty()) s.replacement->file = ParseOrReport(s.replacement->bytes);
}

void RestoreModuleResources()
{
    State& s = TheState();
    std::lock_guard lock(s.mutex);
    s.replacement.reset();
}

res::ResId ResIdFromDesignator(LPCWSTR id)
{
    if (IS_INTRESOURCE(id)) return res::ResId::Ordinal(LOWORD(id));
    const std::wstring s(id);
    if (s.size() >= 2 && s.size() <= 6 && s[0] == L'#') {
        std::uint32_t n = 0;
        bool digits = true;
        for (std::size_t i = 1; i < s.size(); ++i) {
            if (s[i] < L'0' || s[i] > L'9') {
                digits = false;
                break;
            }
            n = n * 10 + static_cast<std::uint32_t>(s[i] - L'0');
        }
        if (digits && n <= 0xFFFF) return res::ResId::Ordinal(static_cast<std::uint16_t>(n));
    }
    return res::ResId::Name(FromWide(s));
}

const res::ResEntry* FindModuleResource(const res::ResId& type, const res::ResId& name)
{
    Miss miss;
    return Lookup(ModuleResources(), type, name, std::nullopt, miss);
}

std::string ExecutablePath()
{
    std::string path(256, '\0');
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
        if (n < 0) return {};
        if (static_cast<std::size_t>(n) < path.size()) {
            path.resize(static_cast<std::size_t>(n));
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace host

// ---- the Win32 functions -----------------------------------------------------

HMODULE GetModuleHandleW(LPCWSTR moduleName)
{
    if (moduleName == nullptr) return &host::g_module;
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size)
{
    if (!host::IsOurModule(module)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    static const std::wstring path = host::ToWide(host::FromUtf8(host::ExecutablePath()));
    if (size == 0 || fileName == nullptr) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    // Too small a buffer gets the path cut to size - 1 characters and its NUL.
    if (path.size() >= size) {
        path.copy(fileName, size - 1);
        fileName[size - 1] = L'\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    path.copy(fileName, path.size());
    fileName[path.size()] = L'\0';
    return static_cast<DWORD>(path.size());
}

LPWSTR GetCommandLineW()
{
    static std::wstring line = host::ReadCommandLine();
    return line.data();
}

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) { return host::Find(module, type, name, std::nullopt); }

// Language 0 (neutral) means "the thread's languages", the order of
// FindResourceW; any other language must match exactly.
HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language)
{
    return host::Find(module, type, name, language == 0 ? std::nullopt : std::optional<std::uint16_t>(language));
}

HGLOBAL LoadResource(HMODULE module, HRSRC resInfo)
{
    const host::res::ResEntry* e = host::IsOurModule(module) ? host::EntryOf(resInfo) : nullptr;
    if (!e) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    // The bytes live as long as the resources: the handle is their address.
    return const_cast<std::uint8_t*>(e->data.data());
}

LPVOID LockResource(HGLOBAL resData) { return resData; }

DWORD SizeofResource(HMODULE module, HRSRC resInfo)
{
    const host::res::ResEntry* e = host::IsOurModule(module) ? host::EntryOf(resInfo) : nullptr;
    if (!e) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return static_cast<DWORD>(e->data.size());
}
