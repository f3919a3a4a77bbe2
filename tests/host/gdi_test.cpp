// Device contexts, selection rules, bitmaps and BitBlt of the host GDI.
#include "platform/host/gdi/objects.h"  // kMaxSide
#include "platform/host/gdi/surface.h"
#include "win32.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

namespace {

constexpr COLORREF kSentinel = RGB(1, 2, 3);

// A memory DC with its own colour bitmap selected, filled with one colour.
struct MemDc {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    int width, height;

    MemDc(int w, int h, COLORREF fill = kSentinel) : width(w), height(h)
    {
        dc = CreateCompatibleDC(nullptr);
        bmp = CreateCompatibleBitmap(nullptr, w, h);
        SelectObject(dc, bmp);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) SetPixel(dc, x, y, fill);
    }
    ~MemDc()
    {
        DeleteDC(dc);
        DeleteObject(bmp);
    }
    MemDc(const MemDc&) = delete;
    MemDc& operator=(const MemDc&) = delete;
};

// A source whose every pixel is distinct: RGB(x, y, 7).
COLORREF SourceColor(int x, int y) { return RGB(x, y, 7); }

int BitsOf(HBITMAP bmp)
{
    BITMAP bm{};
    return GetObjectW(bmp, sizeof bm, &bm) ? bm.bmBitsPixel : 0;
}

TEST(MemoryDc, StartsWithOneByOneMonochromeBitmapAndDocumentedDefaults)
{
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    BITMAP bm{};
    ASSERT_EQ(GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    EXPECT_EQ(bm.bmPlanes, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(SetBkColor(dc, RGB(9, 8, 7)), RGB(255, 255, 255));
    EXPECT_EQ(SetBkColor(dc, RGB(1, 1, 1)), RGB(9, 8, 7));
    EXPECT_EQ(SetTextColor(dc, RGB(5, 5, 5)), RGB(0, 0, 0));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(SetBkMode(dc, 77), 0);
    EXPECT_TRUE(DeleteDC(dc));
}

TEST(CompatibleBitmap, FormatFollowsTheReferenceDc)
{
    HDC fresh = CreateCompatibleDC(nullptr);
    auto surface = std::make_shared<host::Surface>(8, 8);
    HDC window = host::CreateSurfaceDC(surface, POINT{0, 0}, RECT{0, 0, 8, 8});
    HBITMAP screen = CreateCompatibleBitmap(nullptr, 4, 4);
    HBITMAP fromWindow = CreateCompatibleBitmap(window, 4, 4);
    HBITMAP fromFresh = CreateCompatibleBitmap(fresh, 4, 4);
    EXPECT_EQ(BitsOf(screen), 32);
    EXPECT_EQ(BitsOf(fromWindow), 32);
    EXPECT_EQ(BitsOf(fromFresh), 1);  // the default 1x1 bitmap is monochrome
    SelectObject(fresh, screen);
    HBITMAP fromColourMem = CreateCompatibleBitmap(fresh, 4, 4);
    EXPECT_EQ(BitsOf(fromColourMem), 32);
    EXPECT_EQ(GetObjectType(window), static_cast<DWORD>(OBJ_DC));
    BITMAP bm{};
    GetObjectW(screen, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidthBytes, 16);
    GetObjectW(fromFresh, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidthBytes, 2);  // rows padded to a WORD
    DeleteDC(fresh);
    host::ReleaseSurfaceDC(window);
    for (HBITMAP b : {screen, fromWindow, fromFresh, fromColourMem}) EXPECT_TRUE(DeleteObject(b));
}

TEST(CompatibleBitmap, FreshBitmapsAreBlack)
{
    for (int bits : {1, 32}) {
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP b = bits == 1 ? CreateBitmap(5, 3, 1, 1, nullptr) : CreateCompatibleBitmap(nullptr, 5, 3);
        ASSERT_NE(SelectObject(dc, b), nullptr);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(GetPixel(dc, x, y), RGB(0, 0, 0)) << bits << " bpp at " << x << "," << y;
        DeleteDC(dc);
        DeleteObject(b);
    }
}

TEST(CompatibleBitmap, RefusesBadSizes)
{
    struct Case {
        int cx, cy;
    } cases[] = {
        {0, 10},
        {10, 0},
        {-1, 10},
        {10, -5},
        {INT_MIN, 1},
        {host::gdi::kMaxSide + 1, 1},
        {1, host::gdi::kMaxSide + 1},
        {host::gdi::kMaxSide, host::gdi::kMaxSide},
        {INT_MAX, INT_MAX},
    };
    for (const auto& c : cases) {
        SetLastError(0);
        EXPECT_EQ(CreateCompatibleBitmap(nullptr, c.cx, c.cy), nullptr) << c.cx << "x" << c.cy;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        EXPECT_EQ(CreateBitmap(c.cx, c.cy, 1, 32, nullptr), nullptr);
    }
    HBITMAP longest = CreateCompatibleBitmap(nullptr, host::gdi::kMaxSide, 1);
    EXPECT_NE(longest, nullptr);
    DeleteObject(longest);
    EXPECT_EQ(CreateBitmap(4, 4, 2, 1, nullptr), nullptr);   // planes
    EXPECT_EQ(CreateBitmap(4, 4, 1, 13, nullptr), nullptr);  // depth
}

TEST(CreateBitmap, TakesWordAlignedRowsOfBits)
{
    // 1 bpp, 3x2: rows of one WORD, most significant bit first, 1 = white.
    const unsigned char mono[] = {0xA0, 0x00, 0x40, 0x00};
    // 32 bpp, 2x1: B, G, R, unused.
    const unsigned char colour[] = {0x30, 0x20, 0x10, 0xFF, 0x03, 0x02, 0x01, 0x00};
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP m = CreateBitmap(3, 2, 1, 1, mono);
    SelectObject(dc, m);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 0));
    HBITMAP c = CreateBitmap(2, 1, 1, 32, colour);
    SelectObject(dc, c);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0x01, 0x02, 0x03));
    DeleteDC(dc);
    DeleteObject(m);
    DeleteObject(c);
}

TEST(Selection, ABitmapLivesInOneDcAndCannotBeDeletedThere)
{
    HDC a = CreateCompatibleDC(nullptr), b = CreateCompatibleDC(nullptr);
    HGDIOBJ defaultBitmap = GetCurrentObject(a, OBJ_BITMAP);
    HBITMAP bmp = CreateCompatibleBitmap(nullptr, 4, 4);
    EXPECT_EQ(SelectObject(a, bmp), defaultBitmap);
    SetPixel(a, 1, 1, RGB(10, 20, 30));

    EXPECT_EQ(SelectObject(b, bmp), nullptr);  // already in a
    EXPECT_EQ(GetCurrentObject(b, OBJ_BITMAP), defaultBitmap);

    EXPECT_FALSE(DeleteObject(bmp));  // selected: refused, left intact
    EXPECT_EQ(GetObjectType(bmp), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(GetPixel(a, 1, 1), RGB(10, 20, 30));

    EXPECT_TRUE(DeleteDC(a));  // releases the selection
    EXPECT_EQ(SelectObject(b, bmp), defaultBitmap);
    EXPECT_EQ(GetPixel(b, 1, 1), RGB(10, 20, 30));
    EXPECT_EQ(SelectObject(b, defaultBitmap), bmp);  // selected out again
    EXPECT_TRUE(DeleteObject(bmp));
    EXPECT_EQ(GetObjectType(bmp), 0u);
    DeleteDC(b);
}

TEST(Selection, ReturnsThePreviousObjectOfEachKind)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    EXPECT_EQ(SelectObject(dc, red), GetStockObject(WHITE_BRUSH));
    EXPECT_FALSE(DeleteObject(red));  // selected brushes are not deleted either
    EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_BRUSH)), red);
    EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_PEN)), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT)), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_TRUE(DeleteObject(red));

    // Things that cannot be selected.
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(dc, other), nullptr);
    EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
    auto surface = std::make_shared<host::Surface>(4, 4);
    HDC window = host::CreateSurfaceDC(surface, POINT{0, 0}, RECT{0, 0, 4, 4});
    HBITMAP bmp = CreateCompatibleBitmap(nullptr, 2, 2);
    EXPECT_EQ(SelectObject(window, bmp), nullptr);  // window DCs draw on their window
    DeleteObject(bmp);
    host::ReleaseSurfaceDC(window);
    DeleteDC(other);
    DeleteDC(dc);
}

TEST(StockObjects, AreSharedTypedAndNeverDeleted)
{
    struct Case {
        int index;
        DWORD type;
    } cases[] = {
        {WHITE_BRUSH, OBJ_BRUSH}, {LTGRAY_BRUSH, OBJ_BRUSH}, {GRAY_BRUSH, OBJ_BRUSH},      {DKGRAY_BRUSH, OBJ_BRUSH},
        {BLACK_BRUSH, OBJ_BRUSH}, {NULL_BRUSH, OBJ_BRUSH},   {WHITE_PEN, OBJ_PEN},         {BLACK_PEN, OBJ_PEN},
        {NULL_PEN, OBJ_PEN},      {SYSTEM_FONT, OBJ_FONT},   {DEFAULT_GUI_FONT, OBJ_FONT},
    };
    for (const auto& c : cases) {
        HGDIOBJ obj = GetStockObject(c.index);
        ASSERT_NE(obj, nullptr) << c.index;
        EXPECT_EQ(GetStockObject(c.index), obj);
        EXPECT_EQ(GetObjectType(obj), c.type);
        EXPECT_TRUE(DeleteObject(obj));
        EXPECT_EQ(GetObjectType(obj), c.type) << "stock object " << c.index << " was deleted";
    }
    EXPECT_EQ(GetStockObject(HOLLOW_BRUSH), GetStockObject(NULL_BRUSH));
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(99), nullptr);
}

TEST(Handles, StaleForgedAndWrongKindHandlesFailCleanly)
{
    HDC deadDc = CreateCompatibleDC(nullptr);
    DeleteDC(deadDc);
    HBITMAP deadBmp = CreateCompatibleBitmap(nullptr, 2, 2);
    DeleteObject(deadBmp);
    HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
    HDC live = CreateCompatibleDC(nullptr);
    HDC reused = CreateCompatibleDC(nullptr);  // may take the dead DC's slot
    EXPECT_NE(reused, deadDc);

    std::vector<HDC> badDcs = {nullptr,
                               deadDc,
                               reinterpret_cast<HDC>(brush),
                               reinterpret_cast<HDC>(deadBmp),
                               reinterpret_cast<HDC>(0x1234),
                               reinterpret_cast<HDC>(~std::uintptr_t{0})};
    for (HDC bad : badDcs) {
        SetLastError(0);
        EXPECT_FALSE(BitBlt(bad, 0, 0, 1, 1, live, 0, 0, SRCCOPY));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        EXPECT_FALSE(BitBlt(live, 0, 0, 1, 1, bad, 0, 0, SRCCOPY));
        EXPECT_EQ(SelectObject(bad, brush), nullptr);
        EXPECT_EQ(GetPixel(bad, 0, 0), CLR_INVALID);
        EXPECT_EQ(SetPixel(bad, 0, 0, 0), CLR_INVALID);
        EXPECT_EQ(GetDeviceCaps(bad, BITSPIXEL), 0);
        EXPECT_EQ(GetBkColor(bad), CLR_INVALID);
        RECT r{0, 0, 1, 1};
        EXPECT_EQ(FillRect(bad, &r, brush), 0);
        EXPECT_EQ(GetClipBox(bad, &r), ERROR);
        EXPECT_EQ(CreateCompatibleDC(bad) == nullptr, bad != nullptr);
        if (bad != reinterpret_cast<HDC>(brush)) { EXPECT_FALSE(DeleteDC(bad)); }
    }
    std::vector<HGDIOBJ> badObjects = {deadBmp, deadDc, reinterpret_cast<HGDIOBJ>(0x10), nullptr};
    for (HGDIOBJ bad : badObjects) {
        EXPECT_EQ(SelectObject(live, bad), nullptr);
        EXPECT_FALSE(DeleteObject(bad));
        EXPECT_EQ(GetObjectType(bad), 0u);
        BITMAP bm{};
        EXPECT_EQ(GetObjectW(bad, sizeof bm, &bm), 0);
    }
    RECT r{0, 0, 1, 1};
    EXPECT_EQ(FillRect(live, &r, reinterpret_cast<HBRUSH>(live)), 0);  // a DC is no brush
    EXPECT_FALSE(DeleteObject(live));                                  // DCs go with DeleteDC
    EXPECT_TRUE(DeleteObject(brush));
    DeleteDC(live);
    DeleteDC(reused);
}

TEST(GetObject, AnswersTheSizeAndRefusesShortBuffers)
{
    HBITMAP b = CreateCompatibleBitmap(nullptr, 3, 2);
    EXPECT_EQ(GetObjectW(b, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
    BITMAP bm{};
    EXPECT_EQ(GetObjectW(b, sizeof bm - 1, &bm), 0);
    EXPECT_EQ(bm.bmWidth, 0);  // untouched
    LOGFONTW lf{};
    EXPECT_EQ(GetObjectW(GetStockObject(SYSTEM_FONT), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, 16);
    DeleteObject(b);
}

struct BlitCase {
    const char* name;
    int x, y, cx, cy, sx, sy;
    RECT changed;  // destination pixels that take source pixels
};

// Source 8x6, destination 10x10: only pixels inside the destination
// rectangle, the destination and the source change.
const BlitCase kBlitCases[] = {
    {"inside", 1, 1, 3, 2, 0, 0, {1, 1, 4, 3}},
    {"destination off top left", -2, -1, 5, 4, 0, 0, {0, 0, 3, 3}},
    {"oversize past the destination", 7, 8, 100, 100, 0, 0, {7, 8, 10, 10}},
    {"source starts outside", 2, 2, 4, 4, -1, -2, {3, 4, 6, 6}},
    {"source ends outside", 0, 0, 6, 3, 5, 0, {0, 0, 3, 3}},
    {"source entirely outside", 0, 0, 4, 4, 20, 20, {0, 0, 0, 0}},
    {"huge size", 0, 0, INT_MAX, INT_MAX, 0, 0, {0, 0, 8, 6}},
    {"huge negative origin", INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, {0, 0, 0, 0}},
    {"huge source offset", 0, 0, 5, 5, INT_MAX, INT_MIN, {0, 0, 0, 0}},
    {"zero width", 3, 3, 0, 5, 0, 0, {0, 0, 0, 0}},
};

TEST(BitBlt, ClipsToDestinationAndSource)
{
    for (const BlitCase& c : kBlitCases) {
        MemDc src(8, 6), dst(10, 10);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) SetPixel(src.dc, x, y, SourceColor(x, y));
        EXPECT_TRUE(BitBlt(dst.dc, c.x, c.y, c.cx, c.cy, src.dc, c.sx, c.sy, SRCCOPY)) << c.name;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) {
                POINT p{x, y};
                COLORREF want = PtInRect(&c.changed, p) ? SourceColor(static_cast<int>(std::int64_t{x} - c.x + c.sx),
                                                                      static_cast<int>(std::int64_t{y} - c.y + c.sy))
                                                        : kSentinel;
                ASSERT_EQ(GetPixel(dst.dc, x, y), want) << c.name << " at " << x << "," << y;
            }
    }
}

TEST(BitBlt, RefusesNegativeSizesAndUnknownRasterOperations)
{
    MemDc src(4, 4, RGB(200, 0, 0)), dst(4, 4);
    struct Case {
        int cx, cy;
        DWORD rop;
    } cases[] = {
        {-1, 2, SRCCOPY}, {2, -1, SRCCOPY}, {INT_MIN, INT_MIN, SRCCOPY}, {2, 2, 0x008800C6 /* SRCAND */}, {2, 2, 0},
    };
    for (const auto& c : cases) {
        SetLastError(0);
        EXPECT_FALSE(BitBlt(dst.dc, 0, 0, c.cx, c.cy, src.dc, 0, 0, c.rop));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        EXPECT_EQ(GetPixel(dst.dc, 0, 0), kSentinel);
    }
    EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));  // SRCCOPY needs a source
}

TEST(BitBlt, OverlappingCopyWithinOneBitmap)
{
    MemDc m(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) SetPixel(m.dc, x, y, SourceColor(x, y));
    ASSERT_TRUE(BitBlt(m.dc, 1, 1, 3, 3, m.dc, 0, 0, SRCCOPY));  // down and right by one
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 4; ++x) EXPECT_EQ(GetPixel(m.dc, x, y), SourceColor(x - 1, y - 1)) << x << "," << y;
    ASSERT_TRUE(BitBlt(m.dc, 0, 0, 3, 3, m.dc, 1, 1, SRCCOPY));  // and back
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(GetPixel(m.dc, x, y), SourceColor(x, y)) << x << "," << y;
}

TEST(BitBlt, PatternOperations)
{
    MemDc m(4, 4);
    HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
    SelectObject(m.dc, green);
    EXPECT_TRUE(BitBlt(m.dc, 0, 0, 1, 4, nullptr, 0, 0, PATCOPY));
    EXPECT_TRUE(PatBlt(m.dc, 1, 0, 1, 4, BLACKNESS));
    EXPECT_TRUE(PatBlt(m.dc, 2, 0, 1, 4, WHITENESS));
    SelectObject(m.dc, GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(PatBlt(m.dc, 3, 0, 1, 4, PATCOPY));  // hollow: nothing
    EXPECT_FALSE(PatBlt(m.dc, 0, 0, 4, 4, SRCCOPY));
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(GetPixel(m.dc, 0, y), RGB(0, 200, 0));
        EXPECT_EQ(GetPixel(m.dc, 1, y), RGB(0, 0, 0));
        EXPECT_EQ(GetPixel(m.dc, 2, y), RGB(255, 255, 255));
        EXPECT_EQ(GetPixel(m.dc, 3, y), kSentinel);
    }
    DeleteObject(green);
}

TEST(FillRect, FillsHalfOpenRectanglesWithSolidBrushesOnly)
{
    MemDc m(6, 6);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 250));
    RECT r{1, 2, 4, 5};
    EXPECT_NE(FillRect(m.dc, &r, blue), 0);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(GetPixel(m.dc, x, y), PtInRect(&r, POINT{x, y}) ? RGB(0, 0, 250) : kSentinel) << x << "," << y;
    RECT all{-100, -100, 100, 100};
    EXPECT_NE(FillRect(m.dc, &all, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 0);
    EXPECT_EQ(GetPixel(m.dc, 0, 0), kSentinel);
    RECT inverted{4, 4, 1, 1};
    EXPECT_NE(FillRect(m.dc, &inverted, blue), 0);
    EXPECT_EQ(GetPixel(m.dc, 2, 1), kSentinel);
    EXPECT_EQ(FillRect(m.dc, nullptr, blue), 0);
    EXPECT_NE(FillRect(m.dc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH))), 0);
    EXPECT_EQ(GetPixel(m.dc, 5, 5), RGB(128, 128, 128));
    DeleteObject(blue);
}

TEST(Pixels, StayInsideTheBitmap)
{
    MemDc m(3, 3);
    EXPECT_EQ(SetPixel(m.dc, 2, 2, RGB(9, 9, 9)), RGB(9, 9, 9));
    EXPECT_EQ(GetPixel(m.dc, 2, 2), RGB(9, 9, 9));
    for (POINT p : {POINT{3, 0}, POINT{0, 3}, POINT{-1, 0}, POINT{INT_MAX, INT_MAX}, POINT{INT_MIN, 0}}) {
        EXPECT_EQ(GetPixel(m.dc, p.x, p.y), CLR_INVALID);
        EXPECT_EQ(SetPixel(m.dc, p.x, p.y, 0), CLR_INVALID);
    }
    // A monochrome bitmap keeps the nearest of black and white.
    HDC mono = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SetPixel(mono, 0, 0, RGB(250, 240, 230)), RGB(255, 255, 255));
    EXPECT_EQ(SetPixel(mono, 0, 0, RGB(20, 30, 40)), RGB(0, 0, 0));
    DeleteDC(mono);
}

TEST(BitBlt, ConvertsBetweenMonochromeAndColourByTheDcColours)
{
    // Mono 2x1: black, white.
    const unsigned char bits[] = {0x40, 0x00};
    HBITMAP monoBmp = CreateBitmap(2, 1, 1, 1, bits);
    HDC mono = CreateCompatibleDC(nullptr);
    SelectObject(mono, monoBmp);
    MemDc colour(2, 1);
    SetTextColor(colour.dc, RGB(200, 0, 0));
    SetBkColor(colour.dc, RGB(0, 0, 200));
    ASSERT_TRUE(BitBlt(colour.dc, 0, 0, 2, 1, mono, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(colour.dc, 0, 0), RGB(200, 0, 0));  // 0 bits take the text colour
    EXPECT_EQ(GetPixel(colour.dc, 1, 0), RGB(0, 0, 200));  // 1 bits the background colour

    // Colour to mono: white exactly where the source has its background colour.
    SetBkColor(colour.dc, RGB(200, 0, 0));
    ASSERT_TRUE(BitBlt(mono, 0, 0, 2, 1, colour.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(mono, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(mono, 1, 0), RGB(0, 0, 0));
    DeleteDC(mono);
    DeleteObject(monoBmp);
}

// A window's surface seen through a DC whose origin is (5,4) and whose clip
// is the surface rectangle (6,6)-(12,10).
class SurfaceDcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        surface = std::make_shared<host::Surface>(20, 20);
        std::fill(surface->pixels.begin(), surface->pixels.end(), 0x00010203u);
        dc = host::CreateSurfaceDC(surface, POINT{5, 4}, RECT{6, 6, 12, 10});
        ASSERT_NE(dc, nullptr);
    }
    void TearDown() override { host::ReleaseSurfaceDC(dc); }
    std::uint32_t At(int x, int y) const { return surface->pixels[static_cast<std::size_t>(y) * 20 + x]; }
    bool InClip(int x, int y) const { return x >= 6 && x < 12 && y >= 6 && y < 10; }

    std::shared_ptr<host::Surface> surface;
    HDC dc = nullptr;
};

TEST_F(SurfaceDcTest, ClipBoxIsInLogicalCoordinates)
{
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.top, 2);
    EXPECT_EQ(box.right, 7);
    EXPECT_EQ(box.bottom, 6);
    EXPECT_EQ(GetClipBox(dc, nullptr), ERROR);

    HDC outside = host::CreateSurfaceDC(surface, POINT{0, 0}, RECT{15, 15, 40, 40});
    EXPECT_EQ(GetClipBox(outside, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 20);  // cut to the surface
    EXPECT_EQ(box.bottom, 20);
    host::ReleaseSurfaceDC(outside);
    HDC none = host::CreateSurfaceDC(surface, POINT{0, 0}, RECT{30, 30, 40, 40});
    EXPECT_EQ(GetClipBox(none, &box), NULLREGION);
    EXPECT_TRUE(BitBlt(none, 0, 0, 20, 20, nullptr, 0, 0, BLACKNESS));
    host::ReleaseSurfaceDC(none);
    EXPECT_EQ(At(19, 19), 0x00010203u);
    EXPECT_EQ(host::CreateSurfaceDC(nullptr, POINT{0, 0}, RECT{0, 0, 1, 1}), nullptr);
}

TEST_F(SurfaceDcTest, BlitAndFillChangeOnlyPixelsInsideTheClip)
{
    MemDc src(30, 30, RGB(0x40, 0x50, 0x60));
    ASSERT_TRUE(BitBlt(dc, -10, -10, 100, 100, src.dc, 0, 0, SRCCOPY));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(At(x, y), InClip(x, y) ? 0x00405060u : 0x00010203u) << x << "," << y;

    RECT all{-1000, -1000, 1000, 1000};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(At(x, y), InClip(x, y) ? 0u : 0x00010203u) << x << "," << y;

    // Logical (1,2) is surface (6,6); logical (0,0) lies outside the clip.
    EXPECT_EQ(SetPixel(dc, 1, 2, RGB(255, 0, 0)), RGB(255, 0, 0));
    EXPECT_EQ(At(6, 6), 0x00FF0000u);
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
}

TEST_F(SurfaceDcTest, MemoryDcCopiesFromTheWindow)
{
    surface->pixels[7 * 20 + 8] = 0x00ABCDEFu;  // logical (3,3)
    MemDc copy(2, 2);
    ASSERT_TRUE(BitBlt(copy.dc, 0, 0, 2, 2, dc, 3, 3, SRCCOPY));
    EXPECT_EQ(GetPixel(copy.dc, 0, 0), RGB(0xAB, 0xCD, 0xEF));
}

TEST(DeviceCaps, DescribeTheDisplay)
{
    auto surface = std::make_shared<host::Surface>(4, 4);
    HDC window = host::CreateSurfaceDC(surface, POINT{0, 0}, RECT{0, 0, 4, 4});
    HDC mem = CreateCompatibleDC(window);
    struct Case {
        int index;
        int value;
    } cases[] = {
        {BITSPIXEL, 32},
        {PLANES, 1},
        {LOGPIXELSX, 96},
        {LOGPIXELSY, 96},
        {HORZRES, GetSystemMetrics(SM_CXSCREEN)},
        {VERTRES, GetSystemMetrics(SM_CYSCREEN)},
    };
    for (HDC dc : {window, mem})
        for (const auto& c : cases) EXPECT_EQ(GetDeviceCaps(dc, c.index), c.value) << c.index;
    EXPECT_EQ(GetDeviceCaps(mem, 12345), 0);
    DeleteDC(mem);
    host::ReleaseSurfaceDC(window);
}

TEST(LoadBitmap, DecodesTheEmbeddedBackground)
{
    HINSTANCE self = GetModuleHandleW(nullptr);
    HBITMAP bg = LoadBitmapW(self, MAKEINTRESOURCEW(130));
    ASSERT_NE(bg, nullptr);
    BITMAP bm{};
    ASSERT_NE(GetObjectW(bg, sizeof bm, &bm), 0);
    EXPECT_EQ(bm.bmWidth, 291);
    EXPECT_EQ(bm.bmHeight, 277);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bg);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));     // outer margin
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(126, 126, 126));     // outline
    EXPECT_EQ(GetPixel(dc, 20, 246), RGB(167, 167, 167));  // lower rule, counted from the top
    DeleteDC(dc);
    EXPECT_TRUE(DeleteObject(bg));

    EXPECT_EQ(LoadBitmapW(self, MAKEINTRESOURCEW(999)), nullptr);
    EXPECT_EQ(LoadBitmapW(self, MAKEINTRESOURCEW(128)), nullptr);  // an icon group, not a bitmap
    EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(130)), nullptr);
}

}  // namespace
