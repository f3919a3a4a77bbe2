// Fonts and text: the Korean dialog font, metrics, TextOutW, ExtTextOutW
// and DrawTextW.
#include "platform/host/gdi/font.h"
#include "platform/host/gdi/surface.h"
#include "win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cwchar>
#include <memory>
#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(200, 0, 0);
constexpr COLORREF kBk = RGB(0, 0, 180);

HFONT MakeFont(const wchar_t* face, LONG height, BYTE charset, LONG weight = FW_NORMAL)
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = charset;
    std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

// The dialog font of the launcher's template: 9 pt "굴림", Hangul charset.
HFONT DialogFont() { return MakeFont(L"굴림", -MulDiv(9, 96, 72), HANGUL_CHARSET); }

// A white memory bitmap with a font selected.
struct Page {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp;
    HFONT font;
    int w, h;
    Page(int width, int height, HFONT f)
        : bmp(CreateCompatibleBitmap(nullptr, width, height)), font(f), w(width), h(height)
    {
        SelectObject(dc, bmp);
        RECT all{0, 0, w, h};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SelectObject(dc, font);
        SetTextColor(dc, kInk);
        SetBkMode(dc, TRANSPARENT);
    }
    ~Page()
    {
        DeleteDC(dc);
        DeleteObject(bmp);
        DeleteObject(font);
    }
    // Bounding box of pixels that are not white; empty when none.
    RECT Ink() const
    {
        RECT box{w, h, 0, 0};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (GetPixel(dc, x, y) != kWhite) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }
};

std::string Lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

TEST(KoreanFont, TheDialogFontHasTheVersionTextGlyphs)
{
    HFONT font = DialogFont();
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(host::FontHasGlyphs(font, L"버젼 : 1.02"));
    EXPECT_TRUE(host::FontHasGlyphs(font, L"Orvane 설치 CD"));
    EXPECT_FALSE(host::FontHasGlyphs(font, L"\U000F0000"));  // private use: .notdef
    std::string file = Lower(host::FontFilePath(font));
    EXPECT_NE(file.find("nanum"), std::string::npos) << file;

    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font);
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(dc, &tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12);  // -12: a 12-pixel em
    EXPECT_GE(tm.tmHeight, 12);
    EXPECT_LE(tm.tmHeight, 18);
    EXPECT_GT(tm.tmAveCharWidth, 3);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    EXPECT_EQ(tm.tmCharSet, HANGUL_CHARSET);
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);
    DeleteDC(dc);
    DeleteObject(font);
}

// "굴림" is drawn with a Nanum face that keeps Gulim's cell, one em high:
// the dialog's base units, and so the launcher window's size and its
// version label's room, come out as the dialog was laid out with them.
TEST(KoreanFont, SubstitutedFacesKeepTheirEmHighCell)
{
    struct Case {
        const wchar_t* face;
        bool emCell;
    };
    for (const Case& c :
         {Case{L"굴림", true}, Case{L"Gulim", true}, Case{L"돋움", true}, Case{L"NanumGothic", false}}) {
        SCOPED_TRACE(testing::Message() << (c.emCell ? "substituted" : "own cell"));
        HFONT font = MakeFont(c.face, -12, HANGUL_CHARSET);
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, font);
        TEXTMETRICW tm{};
        ASSERT_TRUE(GetTextMetricsW(dc, &tm));
        if (c.emCell) {
            EXPECT_EQ(tm.tmHeight, 12);
            EXPECT_EQ(tm.tmInternalLeading, 0);
            EXPECT_EQ(tm.tmAscent, 10);
            // Dialog base units: the alphabet's average width, rounded.
            SIZE alphabet{};
            const wchar_t* letters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
            GetTextExtentPoint32W(dc, letters, 52, &alphabet);
            EXPECT_EQ((alphabet.cx / 26 + 1) / 2, 7);
            // The version label is 35 units (61 pixels) wide.
            SIZE label{};
            GetTextExtentPoint32W(dc, L"버젼 : 1.02", 10, &label);
            EXPECT_LE(label.cx, 61);
        } else {
            EXPECT_GT(tm.tmHeight, 12);
        }
        DeleteDC(dc);
        DeleteObject(font);
    }
}

TEST(Fonts, HugeRequestsAreDrawnAtTheLargestSize)
{
    // A damaged template can ask for any height: absurd ones are refused,
    // large ones measured and drawn at a bounded size.
    EXPECT_EQ(MakeFont(L"굴림", -2000000, HANGUL_CHARSET), nullptr);
    HFONT font = MakeFont(L"굴림", -16000, HANGUL_CHARSET);
    ASSERT_NE(font, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font);
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(dc, &tm));
    EXPECT_LE(tm.tmHeight, 1024);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 26, &size));
    EXPECT_GT(size.cx, 0);
    EXPECT_LE(size.cx, 26 * 2048);
    DeleteDC(dc);
    DeleteObject(font);
}

TEST(Fonts, HeightsFollowTheLogfontConvention)
{
    struct Case {
        LONG lfHeight;
        int em;
        int cell;
    } cases[] = {
        {-12, 12, 0},
        {-20, 20, 0},
        {16, 0, 16},
        {30, 0, 30},
    };
    for (const auto& c : cases) {
        HDC dc = CreateCompatibleDC(nullptr);
        HFONT f = MakeFont(L"sans-serif", c.lfHeight, DEFAULT_CHARSET);
        SelectObject(dc, f);
        TEXTMETRICW tm{};
        ASSERT_TRUE(GetTextMetricsW(dc, &tm));
        if (c.em) {
            EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, c.em) << c.lfHeight;
        } else {
            EXPECT_NEAR(tm.tmHeight, c.cell, 1) << c.lfHeight;
        }
        DeleteDC(dc);
        DeleteObject(f);
    }
    HDC dc = CreateCompatibleDC(nullptr);
    TEXTMETRICW tm{};
    HFONT zero = MakeFont(L"", 0, ANSI_CHARSET);
    SelectObject(dc, zero);
    ASSERT_TRUE(GetTextMetricsW(dc, &tm));
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12);
    DeleteDC(dc);
    DeleteObject(zero);
    EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
    EXPECT_EQ(MakeFont(L"sans-serif", INT32_MIN, ANSI_CHARSET), nullptr);
}

int InkPixels(const Page& p)
{
    int n = 0;
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) n += GetPixel(p.dc, x, y) != kWhite;
    return n;
}

TEST(Fonts, BoldIsHeavierAndReportsItsWeight)
{
    Page regular(120, 20, MakeFont(L"굴림", -12, HANGUL_CHARSET));
    Page bold(120, 20, MakeFont(L"굴림", -12, HANGUL_CHARSET, FW_BOLD));
    TextOutW(regular.dc, 0, 0, L"Orvane 설치", 9);
    TextOutW(bold.dc, 0, 0, L"Orvane 설치", 9);
    EXPECT_GT(InkPixels(bold), InkPixels(regular));
    TEXTMETRICW tm{};
    GetTextMetricsW(bold.dc, &tm);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
}

TEST(TextExtent, IsTheSumOfAdvancesByTheCellHeight)
{
    Page p(10, 10, DialogFont());
    TEXTMETRICW tm{};
    GetTextMetricsW(p.dc, &tm);
    SIZE ab{}, a{}, b{}, none{};
    ASSERT_TRUE(GetTextExtentPoint32W(p.dc, L"A버", 2, &ab));
    GetTextExtentPoint32W(p.dc, L"A", 1, &a);
    GetTextExtentPoint32W(p.dc, L"버", 1, &b);
    EXPECT_EQ(ab.cx, a.cx + b.cx);
    EXPECT_EQ(ab.cy, tm.tmHeight);
    ASSERT_TRUE(GetTextExtentPoint32W(p.dc, L"", 0, &none));
    EXPECT_EQ(none.cx, 0);
    EXPECT_FALSE(GetTextExtentPoint32W(p.dc, L"A", -1, &a));
    EXPECT_FALSE(GetTextExtentPoint32W(p.dc, nullptr, 3, &a));
    EXPECT_FALSE(GetTextExtentPoint32W(p.dc, L"A", 1, nullptr));
}

TEST(TextOut, PaintsOnlyTextAndBackgroundColoursInsideTheClip)
{
    auto surface = std::make_shared<host::Surface>(120, 40);
    constexpr std::uint32_t kOutside = 0x00123456u;
    std::fill(surface->pixels.begin(), surface->pixels.end(), kOutside);
    const RECT clip{10, 5, 90, 30};
    HDC dc = host::CreateSurfaceDC(surface, POINT{2, 3}, clip);
    HFONT font = DialogFont();
    SelectObject(dc, font);
    SetTextColor(dc, kInk);
    SetBkColor(dc, kBk);
    ASSERT_TRUE(TextOutW(dc, 0, 0, L"버젼 : 1.02 Orvane 설치 CD", 22));
    int ink = 0, bk = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            std::uint32_t p = surface->pixels[static_cast<std::size_t>(y) * 120 + x];
            if (!PtInRect(&clip, POINT{x, y})) {
                ASSERT_EQ(p, kOutside) << x << "," << y;
                continue;
            }
            ink += p == 0x00C80000u;
            bk += p == 0x000000B4u;
            ASSERT_TRUE(p == 0x00C80000u || p == 0x000000B4u || p == kOutside)
                << std::hex << p << " at " << std::dec << x << "," << y;
        }
    EXPECT_GT(ink, 50);
    EXPECT_GT(bk, ink);  // the opaque cell around the glyphs

    // Transparent: no background colour anywhere.
    std::fill(surface->pixels.begin(), surface->pixels.end(), kOutside);
    SetBkMode(dc, TRANSPARENT);
    ASSERT_TRUE(TextOutW(dc, 0, 0, L"버젼 : 1.02", 9));
    for (std::uint32_t p : surface->pixels) ASSERT_TRUE(p == 0x00C80000u || p == kOutside);
    EXPECT_FALSE(TextOutW(dc, 0, 0, L"x", -1));
    EXPECT_FALSE(TextOutW(dc, 0, 0, nullptr, 4));
    host::ReleaseSurfaceDC(dc);
    DeleteObject(font);
}

TEST(ExtTextOut, OpaqueFillsTheRectangleAndClippedCutsTheGlyphs)
{
    Page p(60, 30, DialogFont());
    SetBkColor(p.dc, kBk);
    RECT r{5, 5, 20, 15};
    ASSERT_TRUE(ExtTextOutW(p.dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &r, L"WWWWWW", 6, nullptr));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            COLORREF c = GetPixel(p.dc, x, y);
            if (PtInRect(&r, POINT{x, y})) ASSERT_TRUE(c == kBk || c == kInk) << x << "," << y;
            else ASSERT_EQ(c, kWhite) << x << "," << y;
        }
    // Without text, ETO_OPAQUE just fills.
    RECT second{30, 0, 40, 5};
    ASSERT_TRUE(ExtTextOutW(p.dc, 0, 0, ETO_OPAQUE, &second, nullptr, 0, nullptr));
    EXPECT_EQ(GetPixel(p.dc, 35, 2), kBk);
}

struct AlignCase {
    UINT format;
    int dxNumerator;  // shift of the ink, in halves of the free width
    int dyNumerator;  // and of the free height
};

TEST(DrawText, AlignsASingleLineInTheRectangle)
{
    const AlignCase cases[] = {
        {DT_LEFT | DT_TOP, 0, 0},     {DT_CENTER | DT_TOP, 1, 0},     {DT_RIGHT | DT_TOP, 2, 0},
        {DT_LEFT | DT_VCENTER, 0, 1}, {DT_CENTER | DT_VCENTER, 1, 1}, {DT_RIGHT | DT_BOTTOM, 2, 2},
    };
    const RECT rect{4, 3, 150, 43};
    const wchar_t* text = L"버젼 : 1.02";
    RECT reference{};
    SIZE extent{};
    TEXTMETRICW tm{};
    for (const auto& c : cases) {
        Page p(160, 50, DialogFont());
        GetTextExtentPoint32W(p.dc, text, 9, &extent);
        GetTextMetricsW(p.dc, &tm);
        RECT r = rect;
        int height = DrawTextW(p.dc, text, -1, &r, c.format | DT_SINGLELINE);
        const int freeW = (rect.right - rect.left) - extent.cx, freeH = (rect.bottom - rect.top) - tm.tmHeight;
        const int dy = c.dyNumerator * freeH / 2;
        EXPECT_EQ(height, dy + tm.tmHeight) << c.format;
        RECT ink = p.Ink();
        if (c.format == (DT_LEFT | DT_TOP)) {
            reference = ink;
            EXPECT_GE(ink.left, rect.left);
            EXPECT_GE(ink.top, rect.top);
            EXPECT_LE(ink.bottom, rect.top + tm.tmHeight);
        }
        EXPECT_EQ(ink.left, reference.left + c.dxNumerator * freeW / 2) << c.format;
        EXPECT_EQ(ink.top, reference.top + dy) << c.format;
        EXPECT_EQ(ink.right - ink.left, reference.right - reference.left);
    }
}

TEST(DrawText, CalcRectMeasuresWithoutDrawing)
{
    Page p(200, 100, DialogFont());
    TEXTMETRICW tm{};
    GetTextMetricsW(p.dc, &tm);
    SIZE one{};
    GetTextExtentPoint32W(p.dc, L"버젼 : 1.02", 9, &one);
    RECT r{10, 20, 11, 21};
    EXPECT_EQ(DrawTextW(p.dc, L"버젼 : 1.02", -1, &r, DT_CALCRECT | DT_SINGLELINE), tm.tmHeight);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 10 + one.cx);
    EXPECT_EQ(r.bottom, 20 + tm.tmHeight);
    EXPECT_TRUE(IsRectEmpty(&(r = p.Ink())));

    // Word breaking: "aaa bbb" fits the width, "aaa bbb ccc" does not.
    SIZE two{}, three{};
    GetTextExtentPoint32W(p.dc, L"aaa bbb", 7, &two);
    GetTextExtentPoint32W(p.dc, L"aaa bbb ccc", 11, &three);
    RECT w{0, 0, two.cx + 1, 0};
    EXPECT_EQ(DrawTextW(p.dc, L"aaa bbb ccc", -1, &w, DT_CALCRECT | DT_WORDBREAK), 2 * tm.tmHeight);
    EXPECT_EQ(w.right, two.cx);
    EXPECT_EQ(w.bottom, 2 * tm.tmHeight);
    // A word wider than the rectangle widens it; line ends break too.
    RECT narrow{0, 0, 3, 0};
    EXPECT_EQ(DrawTextW(p.dc, L"aaa\nbbb ccc", -1, &narrow, DT_CALCRECT | DT_WORDBREAK), 3 * tm.tmHeight);
    EXPECT_GT(narrow.right, 3);
    RECT single{0, 0, 3, 0};
    EXPECT_EQ(DrawTextW(p.dc, L"aaa bbb ccc", -1, &single, DT_CALCRECT | DT_WORDBREAK | DT_SINGLELINE), tm.tmHeight);
    EXPECT_EQ(single.right, three.cx);
}

TEST(DrawText, PrefixesUnderlineUnlessNoPrefix)
{
    Page p(200, 40, DialogFont());
    SIZE save{}, amp{};
    GetTextExtentPoint32W(p.dc, L"Save", 4, &save);
    GetTextExtentPoint32W(p.dc, L"&Save", 5, &amp);
    RECT r{0, 0, 200, 40};
    DrawTextW(p.dc, L"&Save", -1, &r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.right, save.cx);
    r = RECT{0, 0, 200, 40};
    DrawTextW(p.dc, L"&Save", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(r.right, amp.cx);
    r = RECT{0, 0, 200, 40};
    DrawTextW(p.dc, L"A&&B", -1, &r, DT_CALCRECT | DT_SINGLELINE);
    SIZE ab{};
    GetTextExtentPoint32W(p.dc, L"A&B", 3, &ab);
    EXPECT_EQ(r.right, ab.cx);

    // The underlined form reaches lower than the plain one.
    Page plain(100, 40, DialogFont()), marked(100, 40, DialogFont());
    RECT all{0, 0, 100, 40};
    DrawTextW(plain.dc, L"Save", -1, &all, DT_SINGLELINE);
    DrawTextW(marked.dc, L"&Save", -1, &all, DT_SINGLELINE);
    EXPECT_GT(marked.Ink().bottom, plain.Ink().bottom);
}

TEST(DrawText, ClipsToTheRectangleUnlessNoClip)
{
    Page clipped(100, 40, DialogFont()), free(100, 40, DialogFont());
    RECT r{10, 10, 20, 30};
    RECT r2 = r;
    DrawTextW(clipped.dc, L"WWWWWWWW", -1, &r, DT_SINGLELINE);
    DrawTextW(free.dc, L"WWWWWWWW", -1, &r2, DT_SINGLELINE | DT_NOCLIP);
    RECT a = clipped.Ink(), b = free.Ink();
    EXPECT_GE(a.left, 10);
    EXPECT_LE(a.right, 20);
    EXPECT_GT(b.right, 20);
}

TEST(DrawText, RefusesBadInput)
{
    Page p(10, 10, DialogFont());
    RECT r{0, 0, 10, 10};
    EXPECT_EQ(DrawTextW(p.dc, L"x", -1, nullptr, 0), 0);
    EXPECT_EQ(DrawTextW(p.dc, nullptr, 3, &r, 0), 0);
    EXPECT_EQ(DrawTextW(p.dc, L"x", -7, &r, 0), 0);
    EXPECT_EQ(DrawTextW(nullptr, L"x", -1, &r, 0), 0);
    HDC dead = CreateCompatibleDC(nullptr);
    DeleteDC(dead);
    EXPECT_EQ(DrawTextW(dead, L"x", -1, &r, 0), 0);
    TEXTMETRICW tm{};
    EXPECT_FALSE(GetTextMetricsW(dead, &tm));
    EXPECT_FALSE(GetTextMetricsW(p.dc, nullptr));
}

TEST(StockFonts, HaveFilesAndLatinGlyphs)
{
    for (int index : {SYSTEM_FONT, DEFAULT_GUI_FONT}) {
        HFONT f = static_cast<HFONT>(GetStockObject(index));
        EXPECT_FALSE(host::FontFilePath(f).empty());
        EXPECT_TRUE(host::FontHasGlyphs(f, L"Static"));
    }
    EXPECT_TRUE(host::FontFilePath(nullptr).empty());
    EXPECT_FALSE(host::FontHasGlyphs(reinterpret_cast<HFONT>(GetStockObject(WHITE_BRUSH)), L"A"));
}

}  // namespace
