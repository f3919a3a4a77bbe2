// The launcher's compiled resources, read from the .res the build produced
// and through the Win32 resource functions on the copy embedded in this
// executable; and the module functions over replaced (damaged) resources.

#include "host/res_builder.h"
#include "base/utf.h"
#include "platform/host/kernel/module.h"
#include "platform/host/res/format.h"
#include "platform/host/win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <map>
#include <set>
#include <thread>
#include <tuple>

using namespace host::res;
using host::FromUtf8;
using host::ToUtf8;
using host::ToWide;
using restest::ByteVec;
using restest::MakeRes;
using restest::Record;

namespace {

constexpr std::uint16_t kKorean = 1042;
constexpr std::uint16_t kEnglishUs = 1033;

ByteVec ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return ByteVec(std::istreambuf_iterator<char>(in), {});
}

const ByteVec& ResBytes()
{
    static const ByteVec bytes = ReadFile(ORVANE_RES_PATH);
    return bytes;
}

const ResFile& Res()
{
    static const ResFile file = ResFile::Parse(ResBytes());
    return file;
}

const ResEntry& Get(std::uint16_t type, std::uint16_t name)
{
    const ResEntry* e = Res().Find(ResId::Ordinal(type), ResId::Ordinal(name));
    if (!e) throw std::runtime_error("resource " + std::to_string(type) + "/" + std::to_string(name) + " missing");
    return *e;
}

// ---- the resource set ----

TEST(ResourceSet, HoldsExactlyTheLauncherResourcesInTheirLanguages)
{
    using Key = std::tuple<std::uint16_t, std::uint16_t, std::uint16_t>;  // type, name, language
    std::multiset<Key> have;
    for (const ResEntry& e : Res().entries()) {
        ASSERT_TRUE(e.type.IsOrdinal() && e.name.IsOrdinal()) << "named resource in the .res";
        have.insert({e.type.ordinal(), e.name.ordinal(), e.language});
    }
    std::multiset<Key> want = {
        {kRtDialog, 102, kKorean}, {kRtGroupIcon, 128, kKorean}, {kRtBitmap, 129, kKorean}, {kRtBitmap, 130, kKorean},
        {kRtBitmap, 132, kKorean}, {kRtBitmap, 133, kKorean},    {kRtBitmap, 134, kKorean}, {kRtBitmap, 135, kKorean},
        {kRtVersion, 1, kKorean},  {kRtManifest, 1, kEnglishUs},
    };
    // The icon images are those the group names, no more.
    for (const IconDirEntry& e : DecodeIconGroup(Get(kRtGroupIcon, 128).data).entries)
        want.insert({kRtIcon, e.id, kKorean});
    EXPECT_EQ(have, want);
}

TEST(ResourceSet, IconGroupHoldsTwo16ColourImagesThatMatchTheirEntries)
{
    const IconGroup g = DecodeIconGroup(Get(kRtGroupIcon, 128).data);
    EXPECT_EQ(g.type, 1);
    struct Want {
        int size;
        std::uint32_t bytes;
    };
    const std::vector<Want> want = {{32, 744}, {16, 296}};
    ASSERT_EQ(g.entries.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(i);
        const IconDirEntry& e = g.entries[i];
        EXPECT_EQ(e.width, want[i].size);
        EXPECT_EQ(e.height, want[i].size);
        EXPECT_EQ(e.colorCount, 16);
        EXPECT_EQ(e.planes, 1);
        EXPECT_EQ(e.bitCount, 4);
        EXPECT_EQ(e.bytesInRes, want[i].bytes);
        const ResEntry& image = Get(kRtIcon, e.id);
        EXPECT_EQ(image.data.size(), e.bytesInRes);
        const IconImage img = DecodeIconImage(image.data);
        EXPECT_EQ(img.width, want[i].size);
        EXPECT_EQ(img.height, want[i].size);
        EXPECT_EQ(img.bitCount, 4);
        EXPECT_EQ(img.palette.size(), 16u);
    }
}

TEST(ResourceSet, BitmapsAre24BitBottomUpDibsOfTheirSizes)
{
    struct Want {
        std::uint16_t id;
        int width, height;
        std::uint32_t pixelBytes, wholeBytes;
    };
    const std::vector<Want> table = {
        {130, 291, 277, 242652, 242692}, {133, 370, 20, 22240, 22280}, {134, 370, 20, 22240, 22280},
        {129, 370, 20, 22240, 22280},    {132, 36, 18, 1944, 1984},    {135, 36, 18, 1944, 1984},
    };
    for (const Want& w : table) {
        SCOPED_TRACE(w.id);
        const ResEntry& e = Get(kRtBitmap, w.id);
        EXPECT_EQ(e.data.size(), w.wholeBytes);
        const Dib d = DecodeDib24(e.data);
        EXPECT_EQ(d.width, w.width);
        EXPECT_EQ(d.height, w.height);  // positive: bottom-up
        EXPECT_EQ(d.planes, 1);
        EXPECT_EQ(d.bitCount, 24);
        EXPECT_EQ(d.compression, 0u);
        EXPECT_EQ(d.sizeImage, w.pixelBytes);
        EXPECT_EQ(d.xPelsPerMeter, 0);
        EXPECT_EQ(d.yPelsPerMeter, 0);
        EXPECT_EQ(d.clrUsed, 0u);
        EXPECT_EQ(d.clrImportant, 0u);
    }
}

TEST(ResourceSet, DialogTemplateIsTheLauncherWindowFieldByField)
{
    const DialogTemplate d = DecodeDialogEx(Get(kRtDialog, 102).data);
    EXPECT_EQ(d.dlgVer, 1);
    EXPECT_EQ(d.signature, 0xFFFF);
    EXPECT_EQ(d.helpId, 0u);
    EXPECT_EQ(d.exStyle, 0x00040000u);
    EXPECT_EQ(d.style, 0x90080040u);
    EXPECT_EQ(d.x, 0);
    EXPECT_EQ(d.y, 0);
    EXPECT_EQ(d.cx, 166);
    EXPECT_EQ(d.cy, 184);
    EXPECT_EQ(d.menu, ResId::Ordinal(0));
    EXPECT_EQ(d.windowClass, ResId::Ordinal(0));
    EXPECT_EQ(d.title, u"");
    EXPECT_EQ(d.pointSize, 9);
    EXPECT_EQ(d.weight, 400);
    EXPECT_EQ(d.italic, 0);
    EXPECT_EQ(d.charset, 129);
    EXPECT_EQ(d.typeface, u"굴림");
    ASSERT_EQ(d.items.size(), 1u);
    const DialogItem& c = d.items[0];
    EXPECT_EQ(c.helpId, 0u);
    EXPECT_EQ(c.exStyle, 0u);
    EXPECT_EQ(c.style, 0x50020000u);
    EXPECT_EQ(c.x, 122);
    EXPECT_EQ(c.y, 170);
    EXPECT_EQ(c.cx, 35);
    EXPECT_EQ(c.cy, 8);
    EXPECT_EQ(c.id, 1000u);
    EXPECT_EQ(c.windowClass, ResId::Ordinal(0x0082));
    EXPECT_EQ(c.title, ResId::Name(u"Static"));
    EXPECT_TRUE(c.creationData.empty());
}

TEST(ResourceSet, VersionBlockHoldsTheFixedFieldsAndStringsInOrder)
{
    const VersionInfo v = DecodeVersionInfo(Get(kRtVersion, 1).data);
    EXPECT_EQ(v.signature, 0xFEEF04BDu);
    EXPECT_EQ(v.fileVersionMS, 0x00010000u);  // 1.0
    EXPECT_EQ(v.fileVersionLS, 0x00000001u);  // .0.1
    EXPECT_EQ(v.productVersionMS, 0x00010000u);
    EXPECT_EQ(v.productVersionLS, 0x00000001u);
    EXPECT_EQ(v.fileFlagsMask, 0x3Fu);
    EXPECT_EQ(v.fileFlags, 0x1u);
    EXPECT_EQ(v.fileOS, 0x4u);
    EXPECT_EQ(v.fileType, 0x1u);
    EXPECT_EQ(v.fileSubtype, 0u);
    EXPECT_EQ(v.fileDateMS, 0u);
    EXPECT_EQ(v.fileDateLS, 0u);
    ASSERT_EQ(v.stringTables.size(), 1u);
    EXPECT_EQ(v.stringTables[0].key, u"041203b5");
    // nullopt: the maker's own text, which only has to be there
    const std::vector<std::pair<std::u16string, std::optional<std::u16string>>> want = {
        {u"CompanyName", std::nullopt},     {u"FileDescription", u"Orvane CD"}, {u"FileVersion", u"1.00"},
        {u"InternalName", u"OrvaneCD.exe"}, {u"LegalCopyright", std::nullopt},  {u"OriginalFilename", u"OrvaneCD.exe"},
        {u"ProductName", u"Orvane"},        {u"ProductVersion", u"1.00"},
    };
    const auto& strings = v.stringTables[0].strings;
    ASSERT_EQ(strings.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(ToUtf8(want[i].first));
        EXPECT_EQ(strings[i].key, want[i].first);
        if (want[i].second) EXPECT_EQ(strings[i].value, *want[i].second);
        else EXPECT_FALSE(strings[i].value.empty());
    }
    EXPECT_EQ(v.translations, std::vector<std::uint32_t>{(949u << 16) | 0x0412});
}

// ---- the manifest ----

std::string ManifestText()
{
    const ByteVec b = ReadFile(std::string(ORVANE_SOURCE_DIR) + "/res/launcher.manifest");
    return std::string(b.begin(), b.end());
}

TEST(Manifest, ResourceBytesAreTheFileBytes)
{
    const ResEntry& e = Get(kRtManifest, 1);
    EXPECT_EQ(e.language, kEnglishUs);
    const std::string text = ManifestText();
    EXPECT_EQ(std::string(e.data.begin(), e.data.end()), text);
}

TEST(Manifest, IsUtf8WithBomAndCrlfLineEnds)
{
    const std::string text = ManifestText();
    EXPECT_EQ(text.size(), 422u);
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(FromUtf8(text).find(u'\uFFFD'), std::u16string::npos) << "not valid UTF-8";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') { EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i; }
        if (text[i] == '\r') { EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i; }
    }
}

// The element names in document order and each element's attributes.
struct Element {
    std::string name;
    std::map<std::string, std::string> attributes;
};

std::vector<Element> Elements(const std::string& xml)
{
    std::vector<Element> out;
    for (std::size_t at = xml.find('<'); at != std::string::npos; at = xml.find('<', at + 1)) {
        if (at + 1 >= xml.size() || xml[at + 1] == '/') continue;
        const std::size_t end = xml.find('>', at);
        if (end == std::string::npos) break;
        std::string tag = xml.substr(at + 1, end - at - 1);
        if (!tag.empty() && (tag.back() == '/' || tag.back() == '?')) tag.pop_back();
        Element e;
        std::size_t p = tag.find_first_of(" \t\r\n");
        e.name = tag.substr(0, p);
        while (p != std::string::npos) {
            const std::size_t nameAt = tag.find_first_not_of(" \t\r\n", p);
            if (nameAt == std::string::npos) break;
            const std::size_t eq = tag.find('=', nameAt);
            const std::size_t open = tag.find('"', eq);
            const std::size_t close = tag.find('"', open + 1);
            if (eq == std::string::npos || open == std::string::npos || close == std::string::npos) {
                ADD_FAILURE() << "unreadable attribute in <" << tag << ">";
                break;
            }
            e.attributes[tag.substr(nameAt, eq - nameAt)] = tag.substr(open + 1, close - open - 1);
            p = close + 1;
        }
        out.push_back(std::move(e));
    }
    return out;
}

TEST(Manifest, DeclaresOnlyTheCommonControls6Dependency)
{
    const std::vector<Element> els = Elements(ManifestText());
    std::vector<std::string> names;
    for (const Element& e : els) names.push_back(e.name);
    // nothing else: no trustInfo, no requestedExecutionLevel, one dependency
    EXPECT_EQ(names,
              (std::vector<std::string>{"?xml", "assembly", "dependency", "dependentAssembly", "assemblyIdentity"}));
    ASSERT_EQ(els.size(), 5u);
    using Attrs = std::map<std::string, std::string>;
    EXPECT_EQ(els[0].attributes, (Attrs{{"version", "1.0"}, {"encoding", "UTF-8"}, {"standalone", "yes"}}));
    EXPECT_EQ(els[1].attributes, (Attrs{{"xmlns", "urn:schemas-microsoft-com:asm.v1"}, {"manifestVersion", "1.0"}}));
    EXPECT_TRUE(els[2].attributes.empty());
    EXPECT_TRUE(els[3].attributes.empty());
    EXPECT_EQ(els[4].attributes, (Attrs{{"type", "win32"},
                                        {"name", "Microsoft.Windows.Common-Controls"},
                                        {"version", "6.0.0.0"},
                                        {"processorArchitecture", "x86"},
                                        {"publicKeyToken", "6595b64144ccf1df"},
                                        {"language", "*"}}));
}

// ---- the embedded copy, through the Win32 functions ----

class ModuleResourcesTest : public testing::Test {
protected:
    void TearDown() override { host::RestoreModuleResources(); }
};

ByteVec Bytes(HRSRC r)
{
    HGLOBAL g = LoadResource(nullptr, r);
    const auto* p = static_cast<const std::uint8_t*>(LockResource(g));
    if (!p) return {};
    return ByteVec(p, p + SizeofResource(nullptr, r));
}

TEST_F(ModuleResourcesTest, EmbeddedCopyIsTheCompiledResFile)
{
    const auto& embedded = host::ModuleResources().entries();
    ASSERT_EQ(embedded.size(), Res().entries().size());
    for (std::size_t i = 0; i < embedded.size(); ++i) {
        const ResEntry& a = embedded[i];
        const ResEntry& b = Res().entries()[i];
        EXPECT_EQ(a.type, b.type);
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.language, b.language);
        EXPECT_TRUE(std::equal(a.data.begin(), a.data.end(), b.data.begin(), b.data.end()));
    }
}

TEST_F(ModuleResourcesTest, FindResourceReturnsEveryResourceByOrdinalAndByNumberString)
{
    HMODULE self = GetModuleHandleW(nullptr);
    for (const ResEntry& e : Res().entries()) {
        SCOPED_TRACE(testing::Message() << e.type.ordinal() << "/" << e.name.ordinal());
        const ByteVec want(e.data.begin(), e.data.end());
        HRSRC r = FindResourceW(self, MAKEINTRESOURCEW(e.name.ordinal()), MAKEINTRESOURCEW(e.type.ordinal()));
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(Bytes(r), want);
        const std::wstring name = L"#" + std::to_wstring(e.name.ordinal());
        const std::wstring type = L"#" + std::to_wstring(e.type.ordinal());
        EXPECT_EQ(FindResourceW(nullptr, name.c_str(), type.c_str()), r);
        EXPECT_EQ(
            FindResourceExW(self, MAKEINTRESOURCEW(e.type.ordinal()), MAKEINTRESOURCEW(e.name.ordinal()), e.language),
            r);
    }
}

TEST_F(ModuleResourcesTest, MissesSetTheErrorThatSaysWhatWasMissing)
{
    struct Case {
        const char* what;
        LPCWSTR type;
        LPCWSTR name;
        std::optional<WORD> lang;
        DWORD error;
    };
    const std::vector<Case> cases = {
        {"no menus", MAKEINTRESOURCEW(4), MAKEINTRESOURCEW(102), std::nullopt, ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"no bitmap 131", RT_BITMAP, MAKEINTRESOURCEW(131), std::nullopt, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"no named bitmap", RT_BITMAP, L"BACKGROUND", std::nullopt, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"dialog is not English", RT_DIALOG, MAKEINTRESOURCEW(102), kEnglishUs, ERROR_RESOURCE_LANG_NOT_FOUND},
        {"manifest is not Korean", RT_MANIFEST, MAKEINTRESOURCEW(1), kKorean, ERROR_RESOURCE_LANG_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        HRSRC r = c.lang ? FindResourceExW(nullptr, c.type, c.name, *c.lang) : FindResourceW(nullptr, c.name, c.type);
        EXPECT_EQ(r, nullptr) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
    }
}

TEST_F(ModuleResourcesTest, ForeignHandlesAreRefused)
{
    static HINSTANCE__ other;
    EXPECT_EQ(FindResourceW(&other, MAKEINTRESOURCEW(102), RT_DIALOG), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    HRSRC bogus = reinterpret_cast<HRSRC>(&other);
    SetLastError(0);
    EXPECT_EQ(LoadResource(nullptr, bogus), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(SizeofResource(nullptr, bogus), 0u);
    EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
}

TEST_F(ModuleResourcesTest, LastErrorBelongsToItsThread)
{
    SetLastError(1234);
    DWORD seen = 0;
    std::thread([&] {
        seen = GetLastError();
        SetLastError(99);
    }).join();
    EXPECT_EQ(seen, 0u);
    EXPECT_EQ(GetLastError(), 1234u);
}

Record R(ResId type, ResId name, std::uint16_t lang, std::uint8_t tag) { return {type, name, lang, {tag}}; }

TEST_F(ModuleResourcesTest, LanguagesArePreferredNeutralKoreanEnglishThenFirst)
{
    struct Case {
        std::vector<std::uint16_t> languages;
        std::uint16_t chosen;
    };
    const std::vector<Case> cases = {
        {{1033, 1042, 0}, 0},
        {{1033, 1042}, 1042},
        {{2052, 1033}, 1033},
        {{2052, 1031}, 2052},
    };
    for (const Case& c : cases) {
        std::vector<Record> records;
        for (std::uint16_t lang : c.languages)
            records.push_back(R(ResId::Ordinal(2), ResId::Ordinal(7), lang, static_cast<std::uint8_t>(lang & 0xFF)));
        host::ReplaceModuleResources(MakeRes(records));
        HRSRC r = FindResourceW(nullptr, MAKEINTRESOURCEW(7), RT_BITMAP);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(Bytes(r), ByteVec{static_cast<std::uint8_t>(c.chosen & 0xFF)}) << "chosen " << c.chosen;
        EXPECT_EQ(host::FindModuleResource(ResId::Ordinal(2), ResId::Ordinal(7))->language, c.chosen);
    }
}

TEST_F(ModuleResourcesTest, NamesMatchWithoutCaseAndHashDigitsMeanOrdinals)
{
    host::ReplaceModuleResources(MakeRes({R(ResId::Name(u"MYTYPE"), ResId::Name(u"LOGO"), 1042, 1),
                                          R(ResId::Ordinal(2), ResId::Ordinal(123), 1042, 2),
                                          R(ResId::Ordinal(2), ResId::Name(u"#X1"), 1042, 3)}));
    EXPECT_EQ(Bytes(FindResourceW(nullptr, L"logo", L"MyType")), ByteVec{1});
    EXPECT_EQ(Bytes(FindResourceW(nullptr, L"#123", RT_BITMAP)), ByteVec{2});
    EXPECT_EQ(Bytes(FindResourceW(nullptr, L"#x1", L"#2")), ByteVec{3});  // not digits: a name
    EXPECT_EQ(FindResourceW(nullptr, L"123", RT_BITMAP), nullptr);        // a name, not the ordinal
    EXPECT_EQ(FindResourceW(nullptr, L"#70000", RT_BITMAP), nullptr);     // too large for an ordinal
}

TEST_F(ModuleResourcesTest, DamagedResourcesAreReportedAndHoldNothing)
{
    ByteVec damaged = MakeRes({R(ResId::Ordinal(2), ResId::Ordinal(1), 1042, 1)});
    restest::Put32(damaged, 32, 5000);  // DataSize past the end
    testing::internal::CaptureStderr();
    host::ReplaceModuleResources(damaged);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind("resources: ", 0), 0u) << err;
    EXPECT_NE(err.find("DataSize"), std::string::npos) << err;
    EXPECT_TRUE(host::ModuleResources().entries().empty());
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
}

TEST_F(ModuleResourcesTest, EmptyReplacementMeansNoResourcesAndRestoreBringsThemBack)
{
    testing::internal::CaptureStderr();
    host::ReplaceModuleResources({});
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(102), RT_DIALOG), nullptr);
    host::RestoreModuleResources();
    EXPECT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(102), RT_DIALOG), nullptr);
}

// ---- module functions ----

TEST(Module, OnlyTheNullNameGivesTheModuleHandle)
{
    HMODULE self = GetModuleHandleW(nullptr);
    EXPECT_NE(self, nullptr);
    EXPECT_EQ(GetModuleHandleW(nullptr), self);
    EXPECT_EQ(GetModuleHandleW(L"user32.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(Module, FileNameIsTheExecutablePathAndIsCutToTheBuffer)
{
    const std::wstring exe = std::filesystem::read_symlink("/proc/self/exe").wstring();
    WCHAR buf[4096];
    const DWORD n = GetModuleFileNameW(nullptr, buf, 4096);
    EXPECT_EQ(n, exe.size());
    EXPECT_EQ(std::wstring(buf), exe);

    WCHAR small[5] = {L'x', L'x', L'x', L'x', L'x'};
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameW(GetModuleHandleW(nullptr), small, 5), 5u);
    EXPECT_EQ(std::wstring(small), exe.substr(0, 4));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(Module, CommandLineStartsWithTheProgram)
{
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string argv0;
    std::getline(in, argv0, '\0');
    const std::wstring line = GetCommandLineW();
    const std::wstring program = ToWide(FromUtf8(argv0));
    const bool quoted = program.find(L' ') != std::wstring::npos;
    EXPECT_EQ(line.substr(0, program.size() + (quoted ? 2 : 0)), quoted ? L"\"" + program + L"\"" : program);
    EXPECT_EQ(GetCommandLineW(), GetCommandLineW());  // one stable buffer
}

}  // namespace
