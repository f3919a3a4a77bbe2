// The resource reader: what it decodes from well-formed input built here,
// and that every kind of damaged input is refused with a ResError naming the
// field, without reading outside the bytes (run under ASan/valgrind too).

#include "host/res_builder.h"
#include "base/utf.h"
#include "platform/host/res/format.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <random>

using namespace host::res;
using host::FromUtf8;
using host::FromWide;
using host::ToUtf8;
using host::ToWide;
using host::Utf8FromWide;
using namespace restest;

namespace {

enum class Kind { ResFile, Dib, IconGroup, IconImage, Dialog, Version };

// Decodes a copy held in an exactly-sized heap block, so that any read past
// the end is caught by the sanitizers.
void Decode(Kind kind, const ByteVec& input)
{
    const ByteVec bytes(input);
    const Bytes span(bytes.data(), bytes.size());
    switch (kind) {
    case Kind::ResFile: (void)ResFile::Parse(span); break;
    case Kind::Dib: (void)DecodeDib24(span); break;
    case Kind::IconGroup: (void)DecodeIconGroup(span); break;
    case Kind::IconImage: (void)DecodeIconImage(span); break;
    case Kind::Dialog: (void)DecodeDialogEx(span); break;
    case Kind::Version: (void)DecodeVersionInfo(span); break;
    }
}

// ---- well-formed samples ----

ByteVec SampleRes()
{
    return MakeRes({
        {ResId::Ordinal(5), ResId::Ordinal(102), 1042, {1, 2, 3}, 0, 0x1030, 0, 0},
        // odd-length names need padding before DataVersion
        {ResId::Name(u"MYTYPE"), ResId::Name(u"ABC"), 1033, {9, 8, 7, 6, 5}, 7, 0x0010, 0x11223344, 0x55667788},
        {ResId::Ordinal(24), ResId::Ordinal(1), 1033, {}, 0, 0x0030, 0, 0},
    });
}

std::vector<std::uint32_t> Gradient(int w, int h)
{
    std::vector<std::uint32_t> px;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) px.push_back(static_cast<std::uint32_t>((x * 40) << 16 | (y * 50) << 8 | (x + y)));
    return px;
}

ByteVec SampleDib() { return MakeDib24(3, 2, Gradient(3, 2)); }

std::vector<std::uint32_t> Palette16()
{
    std::vector<std::uint32_t> p;
    for (std::uint32_t i = 0; i < 16; ++i) p.push_back(i * 0x101010);
    return p;
}

ByteVec SampleIcon4()
{
    std::vector<std::uint32_t> idx;
    std::vector<std::uint8_t> mask;
    for (int i = 0; i < 5 * 3; ++i) {
        idx.push_back(static_cast<std::uint32_t>(i % 16));
        mask.push_back(i % 3 == 0);
    }
    return MakeIconImage(5, 3, 4, Palette16(), idx, mask);
}

ByteVec SampleGroup() { return MakeIconGroup({{32, 32, 16, 0, 1, 4, 744, 1}, {16, 16, 16, 0, 1, 4, 296, 2}}); }

DialogTemplate SampleDialog()
{
    DialogTemplate d;
    d.dlgVer = 1;
    d.signature = 0xFFFF;
    d.helpId = 7;
    d.exStyle = 0x00040000;
    d.style = 0x90080040;
    d.x = -3;
    d.y = 4;
    d.cx = 166;
    d.cy = 184;
    d.menu = ResId::Ordinal(0);
    d.windowClass = ResId::Ordinal(0);
    d.title = u"제목";
    d.pointSize = 9;
    d.weight = 400;
    d.italic = 1;
    d.charset = 129;
    d.typeface = u"굴림";
    DialogItem a;
    a.helpId = 1;
    a.style = 0x50020000;
    a.x = 122;
    a.y = 170;
    a.cx = 35;
    a.cy = 8;
    a.id = 1000;
    a.windowClass = ResId::Ordinal(0x0082);
    a.title = ResId::Name(u"Static");  // 7 units: the next item needs padding
    DialogItem b;
    b.exStyle = 0x200;
    b.style = 0x50010000;
    b.id = 0x12345678;
    b.windowClass = ResId::Name(u"MyClass");
    b.title = ResId::Ordinal(128);
    b.creationData = {0xAA, 0xBB, 0xCC};
    d.items = {a, b};
    return d;
}

VBlock SampleVersionTree()
{
    Out tr;
    tr.u16(0x0412).u16(949).u16(0x0409).u16(1200);
    VBlock root{u"VS_VERSION_INFO", 0, 52, FixedInfo(), {}};
    root.children = {
        Node(u"StringFileInfo",
             {Node(u"041203b5", {Text(u"CompanyName", u"회사"), Text(u"FileVersion", u"1.00"), Text(u"Empty", u"")})}),
        Node(u"VarFileInfo", {Binary(u"Translation", tr.b)}),
    };
    return root;
}

ByteVec SampleVersion() { return EncodeBlock(SampleVersionTree()); }

// Offsets in SampleVersion(): the root header and key end at 38, the fixed
// part runs 40..92, and the StringFileInfo block begins at 92.
constexpr std::size_t kFixedAt = 40;
constexpr std::size_t kStringFileInfoAt = 92;

// ---- positive cases ----

TEST(ResFile, ListsRecordsAfterTheMarkerWithAllHeaderFields)
{
    const ByteVec bytes = SampleRes();
    const ResFile f = ResFile::Parse(bytes);
    ASSERT_EQ(f.entries().size(), 3u);
    const ResEntry& e = f.entries()[1];
    EXPECT_EQ(e.type, ResId::Name(u"MYTYPE"));
    EXPECT_EQ(e.name, ResId::Name(u"ABC"));
    EXPECT_EQ(e.language, 1033);
    EXPECT_EQ(e.dataVersion, 7u);
    EXPECT_EQ(e.memoryFlags, 0x0010);
    EXPECT_EQ(e.version, 0x11223344u);
    EXPECT_EQ(e.characteristics, 0x55667788u);
    EXPECT_EQ(ByteVec(e.data.begin(), e.data.end()), (ByteVec{9, 8, 7, 6, 5}));
    EXPECT_EQ(f.entries()[0].data.size(), 3u);
    EXPECT_TRUE(f.entries()[2].data.empty());
    // data lies DWORD-aligned inside the input
    for (const ResEntry& r : f.entries()) EXPECT_EQ((r.data.data() - bytes.data()) % 4, 0);
}

TEST(ResFile, FindMatchesNamesWithoutCaseAndLanguagesExactly)
{
    const ByteVec bytes = SampleRes();
    const ResFile f = ResFile::Parse(bytes);
    EXPECT_EQ(f.Find(ResId::Name(u"mytype"), ResId::Name(u"aBc")), &f.entries()[1]);
    EXPECT_EQ(f.Find(ResId::Ordinal(5), ResId::Ordinal(102), 1042), &f.entries()[0]);
    EXPECT_EQ(f.Find(ResId::Ordinal(5), ResId::Ordinal(102), 1033), nullptr);
    EXPECT_EQ(f.Find(ResId::Ordinal(5), ResId::Name(u"102")), nullptr);  // a name is not an ordinal
    EXPECT_EQ(f.Find(ResId::Ordinal(0), ResId::Ordinal(0)), nullptr);    // the marker is not listed
}

TEST(ResFile, AcceptsMarkerOnlyAndAMissingFinalPadding)
{
    EXPECT_TRUE(ResFile::Parse(MakeRes({})).entries().empty());
    ByteVec b = MakeRes({{ResId::Ordinal(2), ResId::Ordinal(1), 0, {1, 2, 3, 4, 5}}});
    b.resize(b.size() - 3);  // the file ends right after the data
    const ResFile f = ResFile::Parse(b);
    ASSERT_EQ(f.entries().size(), 1u);
    EXPECT_EQ(f.entries()[0].data.size(), 5u);
}

TEST(Dib24, DecodesBottomUpAndTopDownRowsWithPadding)
{
    const auto px = Gradient(3, 2);
    for (int height : {2, -2}) {
        for (bool sizeImage : {true, false}) {
            SCOPED_TRACE(testing::Message() << "height " << height << " sizeImage " << sizeImage);
            const Dib d = DecodeDib24(MakeDib24(3, height, px, sizeImage));
            EXPECT_EQ(d.width, 3);
            EXPECT_EQ(d.height, height);
            EXPECT_EQ(d.bitCount, 24);
            EXPECT_EQ(d.sizeImage, sizeImage ? 24u : 0u);
            EXPECT_EQ(d.pixels, px);
            EXPECT_EQ(d.At(2, 1), px[5]);
        }
    }
}

TEST(IconGroup, DecodesEveryEntry)
{
    const IconGroup g = DecodeIconGroup(SampleGroup());
    EXPECT_EQ(g.type, 1);
    ASSERT_EQ(g.entries.size(), 2u);
    EXPECT_EQ(g.entries[0].width, 32);
    EXPECT_EQ(g.entries[0].colorCount, 16);
    EXPECT_EQ(g.entries[0].bitCount, 4);
    EXPECT_EQ(g.entries[0].bytesInRes, 744u);
    EXPECT_EQ(g.entries[1].height, 16);
    EXPECT_EQ(g.entries[1].id, 2);
}

TEST(IconImage, DecodesColoursAndMaskAtEveryDepth)
{
    struct Case {
        int bpp;
        std::vector<std::uint32_t> palette;
    };
    const std::vector<Case> cases = {
        {1, {0x000000, 0xFFFFFF}},
        {4, Palette16()},
        {8, {0x112233, 0x445566, 0x778899}},  // fewer colours than 256: biClrUsed
        {24, {}},
        {32, {}},
    };
    const int w = 9, h = 3;  // odd width: every plane's rows are padded
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bpp << " bpp");
        std::vector<std::uint32_t> values, want;
        std::vector<std::uint8_t> mask;
        for (int i = 0; i < w * h; ++i) {
            if (c.bpp <= 8) {
                values.push_back(static_cast<std::uint32_t>(i) % c.palette.size());
                want.push_back(c.palette[values.back()]);
            } else {
                values.push_back(0x80000000u | static_cast<std::uint32_t>(i * 0x010203));
                want.push_back(values.back() & 0xFFFFFF);
            }
            mask.push_back((i * 7) % 3 == 0);
        }
        const IconImage img = DecodeIconImage(MakeIconImage(w, h, c.bpp, c.palette, values, mask));
        EXPECT_EQ(img.width, w);
        EXPECT_EQ(img.height, h);
        EXPECT_EQ(img.bitCount, c.bpp);
        EXPECT_EQ(img.colors, want);
        EXPECT_EQ(img.mask, mask);
        if (c.bpp <= 8) { EXPECT_EQ(img.palette, c.palette); }
        EXPECT_EQ(img.alpha, c.bpp == 32 ? std::vector<std::uint8_t>(w * h, 0x80) : std::vector<std::uint8_t>{});
    }
}

void ExpectSameDialog(const DialogTemplate& a, const DialogTemplate& b)
{
    EXPECT_EQ(a.dlgVer, b.dlgVer);
    EXPECT_EQ(a.signature, b.signature);
    EXPECT_EQ(a.helpId, b.helpId);
    EXPECT_EQ(a.exStyle, b.exStyle);
    EXPECT_EQ(a.style, b.style);
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.cx, b.cx);
    EXPECT_EQ(a.cy, b.cy);
    EXPECT_EQ(a.menu, b.menu);
    EXPECT_EQ(a.windowClass, b.windowClass);
    EXPECT_EQ(a.title, b.title);
    EXPECT_EQ(a.pointSize, b.pointSize);
    EXPECT_EQ(a.weight, b.weight);
    EXPECT_EQ(a.italic, b.italic);
    EXPECT_EQ(a.charset, b.charset);
    EXPECT_EQ(a.typeface, b.typeface);
    ASSERT_EQ(a.items.size(), b.items.size());
    for (std::size_t i = 0; i < a.items.size(); ++i) {
        SCOPED_TRACE(i);
        const DialogItem &x = a.items[i], &y = b.items[i];
        EXPECT_EQ(x.helpId, y.helpId);
        EXPECT_EQ(x.exStyle, y.exStyle);
        EXPECT_EQ(x.style, y.style);
        EXPECT_EQ(x.x, y.x);
        EXPECT_EQ(x.y, y.y);
        EXPECT_EQ(x.cx, y.cx);
        EXPECT_EQ(x.cy, y.cy);
        EXPECT_EQ(x.id, y.id);
        EXPECT_EQ(x.windowClass, y.windowClass);
        EXPECT_EQ(x.title, y.title);
        EXPECT_EQ(x.creationData, y.creationData);
    }
}

TEST(DialogEx, RoundTripsTemplateFontAndAlignedItems)
{
    const DialogTemplate d = SampleDialog();
    ExpectSameDialog(DecodeDialogEx(EncodeDialogEx(d)), d);
}

TEST(DialogEx, WithoutSetFontThereIsNoFontBlock)
{
    DialogTemplate d = SampleDialog();
    d.style &= ~0x40u;
    d.pointSize = d.weight = 0;
    d.italic = d.charset = 0;
    d.typeface.clear();
    d.menu = ResId::Name(u"MENU");
    d.windowClass = ResId::Ordinal(0x8002);
    d.items[0].title = ResId::Name(u"");  // empty text is a string, not "none"
    ExpectSameDialog(DecodeDialogEx(EncodeDialogEx(d)), d);
}

TEST(VersionInfo, DecodesFixedPartStringsInOrderAndTranslations)
{
    const VersionInfo v = DecodeVersionInfo(SampleVersion());
    EXPECT_EQ(v.signature, 0xFEEF04BDu);
    EXPECT_EQ(v.fileVersionMS, 0x00010000u);
    EXPECT_EQ(v.fileVersionLS, 0x00000001u);
    EXPECT_EQ(v.productVersionLS, 0x00000001u);
    EXPECT_EQ(v.fileFlagsMask, 0x3Fu);
    EXPECT_EQ(v.fileOS, 0x4u);
    ASSERT_EQ(v.stringTables.size(), 1u);
    EXPECT_EQ(v.stringTables[0].key, u"041203b5");
    ASSERT_EQ(v.stringTables[0].strings.size(), 3u);
    EXPECT_EQ(v.stringTables[0].strings[0].key, u"CompanyName");
    EXPECT_EQ(v.stringTables[0].strings[0].value, u"회사");
    EXPECT_EQ(v.stringTables[0].strings[1].value, u"1.00");
    EXPECT_EQ(v.stringTables[0].strings[2].key, u"Empty");
    EXPECT_EQ(v.stringTables[0].strings[2].value, u"");
    EXPECT_EQ(v.translations, (std::vector<std::uint32_t>{949u << 16 | 0x0412, 1200u << 16 | 0x0409}));
}

TEST(VersionInfo, FixedPartIsOptional)
{
    VBlock root = SampleVersionTree();
    root.valueLength = 0;
    root.value.clear();
    const VersionInfo v = DecodeVersionInfo(EncodeBlock(root));
    EXPECT_EQ(v.signature, 0u);
    EXPECT_EQ(v.stringTables.size(), 1u);
}

TEST(Utf, ConvertsKoreanAndAstralTextBothWays)
{
    const std::u16string s = u"굴림 A \U0001F600";
    EXPECT_EQ(ToUtf8(s), "굴림 A \xF0\x9F\x98\x80");
    EXPECT_EQ(FromUtf8(ToUtf8(s)), s);
    EXPECT_EQ(ToWide(s), L"굴림 A \U0001F600");
    EXPECT_EQ(FromWide(ToWide(s)), s);
}

TEST(Utf, WideTextBecomesUtf8ForTheHostsInterfaces)
{
    struct Case {
        std::wstring wide;
        std::string utf8;
    };
    const Case cases[] = {
        {L"", ""},
        {L"Orvane \uC124\uCE58 CD", "Orvane \xEC\x84\xA4\xEC\xB9\x98 CD"},  // the launcher's title
        {L"\u00E9\u07FF", "\xC3\xA9\xDF\xBF"},
        {L"\U0001F600", "\xF0\x9F\x98\x80"},
        {std::wstring(1, static_cast<wchar_t>(0xD800)), "\xEF\xBF\xBD"},    // a lone surrogate
        {std::wstring(1, static_cast<wchar_t>(0x110000)), "\xEF\xBF\xBD"},  // past Unicode
    };
    for (const Case& c : cases) EXPECT_EQ(Utf8FromWide(c.wide), c.utf8);
}

TEST(Utf, ReplacesInvalidInputInsteadOfStopping)
{
    struct Case {
        std::string utf8;
        std::u16string want;
    };
    const std::vector<Case> cases = {
        {"a\x80"
         "b",
         u"a\uFFFDb"},                    // stray continuation byte
        {"\xC0\xAF", u"\uFFFD"},          // overlong
        {"\xED\xA0\x80", u"\uFFFD"},      // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD"},  // beyond U+10FFFF
        {"x\xE4\xB8", u"x\uFFFD"},        // truncated at the end
        {"\xFF", u"\uFFFD"},
    };
    for (const Case& c : cases) EXPECT_EQ(FromUtf8(c.utf8), c.want) << testing::PrintToString(c.utf8);
    EXPECT_EQ(ToUtf8(std::u16string{u'a', char16_t(0xD800), u'b'}), "a\xEF\xBF\xBD"
                                                                    "b");
    EXPECT_EQ(ToUtf8(std::u16string{char16_t(0xDC00)}), "\xEF\xBF\xBD");
}

// ---- damaged input ----

struct Damage {
    const char* name;
    Kind kind;
    std::function<ByteVec()> make;
    const char* field;  // what the message must name
};

ByteVec With(ByteVec b, const std::function<void(ByteVec&)>& edit)
{
    edit(b);
    return b;
}

// A .res whose one record's name string runs to the end of the file.
ByteVec UnterminatedName()
{
    Out o;
    o.raw(MakeRes({}));
    o.u32(0).u32(64).u16(0xFFFF).u16(2).u16('A').u16('B');
    return o.b;
}

// Two records written without the padding after odd-sized data.
ByteVec UnalignedRecords()
{
    Out first, second;
    AppendRecord(first, {ResId::Ordinal(2), ResId::Ordinal(1), 0, {1}});
    AppendRecord(second, {ResId::Ordinal(2), ResId::Ordinal(2), 0, {2}});
    first.b.resize(first.b.size() - 3);
    Out o;
    o.raw(MakeRes({})).raw(first.b).raw(second.b);
    return o.b;
}

ByteVec OldStyleDialog()
{
    Out o;  // DLGTEMPLATE: style, exStyle, cdit, x, y, cx, cy, menu, class, title
    o.u32(0x90080040).u32(0).u16(0).u16(0).u16(0).u16(10).u16(10).u16(0).u16(0).u16(0);
    return o.b;
}

const std::vector<Damage>& Damages()
{
    static const std::vector<Damage> table = {
        // .res container
        {"empty file", Kind::ResFile, [] { return ByteVec{}; }, "empty"},
        {"truncated header", Kind::ResFile, [] { return With(SampleRes(), [](ByteVec& b) { b.resize(32 + 3); }); },
         "DataSize"},
        {"truncated fields", Kind::ResFile, [] { return With(SampleRes(), [](ByteVec& b) { b.resize(32 + 22); }); },
         "LanguageId"},
        {"DataSize past end", Kind::ResFile,
         [] { return With(SampleRes(), [](ByteVec& b) { Put32(b, 32, 1000000); }); }, "DataSize"},
        {"DataSize 4G", Kind::ResFile, [] { return With(SampleRes(), [](ByteVec& b) { Put32(b, 32, 0xFFFFFFFF); }); },
         "DataSize"},
        {"HeaderSize too small", Kind::ResFile, [] { return With(SampleRes(), [](ByteVec& b) { Put32(b, 36, 24); }); },
         "HeaderSize"},
        {"HeaderSize past end", Kind::ResFile,
         [] { return With(SampleRes(), [](ByteVec& b) { Put32(b, 36, 0x7FFFFFFC); }); }, "HeaderSize"},
        {"HeaderSize not aligned", Kind::ResFile,
         [] { return With(SampleRes(), [](ByteVec& b) { Put32(b, 36, 34); }); }, "HeaderSize"},
        {"unterminated name", Kind::ResFile, UnterminatedName, "NAME"},
        {"empty name", Kind::ResFile, [] { return With(SampleRes(), [](ByteVec& b) { Put16(b, 44, 0); }); }, "NAME"},
        {"records without padding", Kind::ResFile, UnalignedRecords, "record 2"},
        {"no marker record", Kind::ResFile,
         [] {
             const ByteVec b = SampleRes();
             return ByteVec(b.begin() + 32, b.end());
         },
         "marker"},
        {"marker with data", Kind::ResFile, [] { return With(SampleRes(), [](ByteVec& b) { Put32(b, 0, 4); }); },
         "marker"},
        // 24-bit DIB
        {"dib truncated header", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { b.resize(20); }); },
         "biSizeImage"},
        {"dib header size 39", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 0, 39); }); },
         "biSize"},
        {"dib header size 41", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 0, 41); }); },
         "biSize"},
        {"dib header size 108", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 0, 108); }); },
         "biSize"},
        {"dib header size 12", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 0, 12); }); },
         "biSize"},
        {"dib two planes", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put16(b, 12, 2); }); },
         "biPlanes"},
        {"dib bit count 8", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put16(b, 14, 8); }); },
         "biBitCount"},
        {"dib bit count 32", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put16(b, 14, 32); }); },
         "biBitCount"},
        {"dib RLE8", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 16, 1); }); }, "biCompression"},
        {"dib BI_BITFIELDS", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 16, 3); }); },
         "biCompression"},
        {"dib negative width", Kind::Dib,
         [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 4, static_cast<std::uint32_t>(-3)); }); }, "biWidth"},
        {"dib zero width", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 4, 0); }); }, "biWidth"},
        {"dib huge width", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 4, 0x7FFFFFFF); }); },
         "biWidth"},
        {"dib zero height", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 8, 0); }); },
         "biHeight"},
        {"dib height INT_MIN", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 8, 0x80000000); }); },
         "biHeight"},
        {"dib huge height", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 8, 0x40000000); }); },
         "biHeight"},
        {"dib taller than its data", Kind::Dib,
         [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 8, 30000); }); }, "biSizeImage"},
        {"dib sizeImage past end", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 20, 100); }); },
         "biSizeImage"},
        {"dib sizeImage below rows", Kind::Dib, [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 20, 12); }); },
         "biSizeImage"},
        {"dib rows truncated", Kind::Dib,
         [] { return With(MakeDib24(3, 2, Gradient(3, 2), false), [](ByteVec& b) { b.pop_back(); }); }, "pixel rows"},
        {"dib colour table past end", Kind::Dib,
         [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 32, 200); }); }, "colour table"},
        {"dib colour count huge", Kind::Dib,
         [] { return With(SampleDib(), [](ByteVec& b) { Put32(b, 32, 0xFFFFFFFF); }); }, "biClrUsed"},
        // icon group
        {"group truncated", Kind::IconGroup,
         [] {
             return ByteVec{0, 0, 1};
         },
         "idType"},
        {"group reserved", Kind::IconGroup, [] { return With(SampleGroup(), [](ByteVec& b) { Put16(b, 0, 1); }); },
         "idReserved"},
        {"group of cursors", Kind::IconGroup, [] { return With(SampleGroup(), [](ByteVec& b) { Put16(b, 2, 2); }); },
         "idType"},
        {"group count past end", Kind::IconGroup,
         [] { return With(SampleGroup(), [](ByteVec& b) { Put16(b, 4, 3); }); }, "idCount"},
        {"group count 65535", Kind::IconGroup,
         [] { return With(SampleGroup(), [](ByteVec& b) { Put16(b, 4, 0xFFFF); }); }, "idCount"},
        // icon image
        {"icon PNG", Kind::IconImage, [] { return ByteVec{0x89, 'P', 'N', 'G', 13, 10, 26, 10}; }, "PNG"},
        {"icon header size 108", Kind::IconImage,
         [] { return With(SampleIcon4(), [](ByteVec& b) { Put32(b, 0, 108); }); }, "biSize"},
        {"icon odd height", Kind::IconImage, [] { return With(SampleIcon4(), [](ByteVec& b) { Put32(b, 8, 5); }); },
         "biHeight"},
        {"icon negative height", Kind::IconImage,
         [] { return With(SampleIcon4(), [](ByteVec& b) { Put32(b, 8, static_cast<std::uint32_t>(-6)); }); },
         "biHeight"},
        {"icon too wide", Kind::IconImage, [] { return With(SampleIcon4(), [](ByteVec& b) { Put32(b, 4, 300); }); },
         "biWidth"},
        {"icon bit count 16", Kind::IconImage, [] { return With(SampleIcon4(), [](ByteVec& b) { Put16(b, 14, 16); }); },
         "biBitCount"},
        {"icon compressed", Kind::IconImage, [] { return With(SampleIcon4(), [](ByteVec& b) { Put32(b, 16, 2); }); },
         "biCompression"},
        {"icon palette too large", Kind::IconImage,
         [] { return With(SampleIcon4(), [](ByteVec& b) { Put32(b, 32, 17); }); }, "biClrUsed"},
        {"icon index past palette", Kind::IconImage,
         [] { return With(SampleIcon4(), [](ByteVec& b) { Put32(b, 32, 2); }); }, "past the palette"},
        {"icon palette truncated", Kind::IconImage,
         [] { return With(SampleIcon4(), [](ByteVec& b) { b.resize(40 + 30); }); }, "palette entry 7"},
        {"icon mask truncated", Kind::IconImage, [] { return With(SampleIcon4(), [](ByteVec& b) { b.pop_back(); }); },
         "mask"},
        {"icon taller than its data", Kind::IconImage,
         [] { return With(SampleIcon4(), [](ByteVec& b) { Put32(b, 8, 400); }); }, "colour (XOR) bits"},
        // dialog template
        {"dialog old format", Kind::Dialog, OldStyleDialog, "signature"},
        {"dialog signature 0", Kind::Dialog,
         [] { return With(EncodeDialogEx(SampleDialog()), [](ByteVec& b) { Put16(b, 2, 0); }); }, "signature"},
        {"dialog version 2", Kind::Dialog,
         [] { return With(EncodeDialogEx(SampleDialog()), [](ByteVec& b) { Put16(b, 0, 2); }); }, "dlgVer"},
        {"dialog truncated header", Kind::Dialog,
         [] { return With(EncodeDialogEx(SampleDialog()), [](ByteVec& b) { b.resize(23); }); }, "cx"},
        {"dialog item count past end", Kind::Dialog,
         [] { return With(EncodeDialogEx(SampleDialog()), [](ByteVec& b) { Put16(b, 16, 3); }); }, "item 2"},
        {"dialog item count 65535", Kind::Dialog,
         [] { return With(EncodeDialogEx(SampleDialog()), [](ByteVec& b) { Put16(b, 16, 0xFFFF); }); }, "cDlgItems"},
        {"dialog title unterminated", Kind::Dialog,
         [] { return With(EncodeDialogEx(SampleDialog()), [](ByteVec& b) { b.resize(30); }); }, "title"},
        {"dialog typeface unterminated", Kind::Dialog,
         [] { return With(EncodeDialogEx(SampleDialog()), [](ByteVec& b) { b.resize(44); }); }, "typeface"},
        {"dialog creation data past end", Kind::Dialog,
         [] { return With(EncodeDialogEx(SampleDialog()), [](ByteVec& b) { Put16(b, b.size() - 5, 100); }); },
         "item 1 creation data"},
        // item 1 begins at 92; its class name at 116 is cut after three units
        {"dialog class name unterminated", Kind::Dialog,
         [] { return With(EncodeDialogEx(SampleDialog()), [](ByteVec& b) { b.resize(122); }); }, "item 1 windowClass"},
        // version block
        {"version truncated", Kind::Version,
         [] {
             return ByteVec{0x20, 0};
         },
         "wValueLength"},
        {"version length past end", Kind::Version,
         [] {
             return With(SampleVersion(), [](ByteVec& b) { Put16(b, 0, static_cast<std::uint16_t>(b.size() + 4)); });
         },
         "VS_VERSIONINFO wLength"},
        {"version length below header", Kind::Version,
         [] { return With(SampleVersion(), [](ByteVec& b) { Put16(b, 0, 4); }); }, "wLength"},
        {"version wrong root key", Kind::Version,
         [] { return With(SampleVersion(), [](ByteVec& b) { Put16(b, 6, 'X'); }); }, "VS_VERSION_INFO"},
        {"version key unterminated", Kind::Version,
         [] { return With(SampleVersion(), [](ByteVec& b) { Put16(b, 0, 30); }); }, "szKey"},
        {"version wrong signature", Kind::Version,
         [] { return With(SampleVersion(), [](ByteVec& b) { Put32(b, kFixedAt, 0xFEEF04BC); }); }, "dwSignature"},
        {"version fixed part 48 bytes", Kind::Version,
         [] { return With(SampleVersion(), [](ByteVec& b) { Put16(b, 2, 48); }); }, "VS_FIXEDFILEINFO"},
        {"version value past block", Kind::Version,
         [] { return With(SampleVersion(), [](ByteVec& b) { Put16(b, 2, 0xF000); }); }, "wValueLength"},
        {"version wType 2", Kind::Version, [] { return With(SampleVersion(), [](ByteVec& b) { Put16(b, 4, 2); }); },
         "wType"},
        {"version child longer than parent", Kind::Version,
         [] {
             return With(SampleVersion(), [](ByteVec& b) {
                 Put16(b, kStringFileInfoAt, static_cast<std::uint16_t>(b.size() - kStringFileInfoAt + 4));
             });
         },
         "runs past its parent"},
        {"version child longer than file", Kind::Version,
         [] { return With(SampleVersion(), [](ByteVec& b) { Put16(b, kStringFileInfoAt, 0xFFF0); }); },
         "VS_VERSIONINFO/0 wLength"},
        {"version translation of 3 bytes", Kind::Version,
         [] {
             VBlock root = SampleVersionTree();
             root.children[1].children[0] = Binary(u"Translation", {0x12, 0x04, 0xB5});
             return EncodeBlock(root);
         },
         "language/code-page"},
    };
    return table;
}

void PrintTo(const Damage& d, std::ostream* os) { *os << d.name; }

class Refused : public testing::TestWithParam<Damage> {};

TEST_P(Refused, WithAResErrorNamingTheField)
{
    const Damage& d = GetParam();
    try {
        Decode(d.kind, d.make());
        FAIL() << "accepted";
    } catch (const ResError& e) {
        EXPECT_NE(std::string(e.what()).find(d.field), std::string::npos) << e.what();
    }
}

std::string CaseName(const testing::TestParamInfo<Damage>& info)
{
    std::string s;
    for (const char* p = info.param.name; *p; ++p) s += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return s;
}

INSTANTIATE_TEST_SUITE_P(Damaged, Refused, testing::ValuesIn(Damages()), CaseName);

struct Sample {
    Kind kind;
    ByteVec bytes;
};

std::vector<Sample> Samples()
{
    return {{Kind::ResFile, SampleRes()},
            {Kind::Dib, SampleDib()},
            {Kind::IconGroup, SampleGroup()},
            {Kind::IconImage, SampleIcon4()},
            {Kind::Dialog, EncodeDialogEx(SampleDialog())},
            {Kind::Version, SampleVersion()}};
}

TEST(Truncation, EveryShorterPrefixIsRefused)
{
    for (const Sample& s : Samples()) {
        ASSERT_NO_THROW(Decode(s.kind, s.bytes));
        for (std::size_t n = 0; n < s.bytes.size(); ++n) {
            const ByteVec prefix(s.bytes.begin(), s.bytes.begin() + static_cast<std::ptrdiff_t>(n));
            if (s.kind == Kind::ResFile) {
                // A .res cut at a record's end is a shorter valid file: it
                // must then list only what it fully holds.
                try {
                    const ResFile f = ResFile::Parse(prefix);
                    for (const ResEntry& e : f.entries())
                        EXPECT_LE(static_cast<std::size_t>(e.data.data() - prefix.data()) + e.data.size(), n);
                } catch (const ResError&) {}
                continue;
            }
            EXPECT_THROW(Decode(s.kind, prefix), ResError) << "kind " << static_cast<int>(s.kind) << " cut at " << n;
        }
    }
}

// Random damage: each decoder either decodes or throws ResError; the
// sanitizers see any read outside the bytes.
TEST(Mutation, RandomByteDamageNeverEscapesAsAnythingButResError)
{
    std::mt19937 rng(20240601);
    for (const Sample& s : Samples()) {
        for (int round = 0; round < 3000; ++round) {
            ByteVec b = s.bytes;
            const int edits = 1 + static_cast<int>(rng() % 4);
            for (int i = 0; i < edits; ++i) {
                const std::size_t at = rng() % b.size();
                switch (rng() % 3) {
                case 0: b[at] = static_cast<std::uint8_t>(rng()); break;
                case 1: b[at] ^= static_cast<std::uint8_t>(1u << (rng() % 8)); break;
                default: b[at] = (rng() % 2) ? 0xFF : 0x00; break;
                }
            }
            if (rng() % 4 == 0) b.resize(rng() % (b.size() + 1));
            try {
                Decode(s.kind, b);
            } catch (const ResError&) {}
        }
    }
}

}  // namespace
