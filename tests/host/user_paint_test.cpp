// Painting: the paint DC is clipped to the update region, children repaint
// after their parent, erasing, device contexts of children, and the paint
// of a minimized window.
#include "user_fixture.h"

using namespace usertest;

namespace {

constexpr std::uint32_t kRed = 0xFF0000;

class PaintTest : public UserTest {
protected:
    HWND Top(DWORD extraStyle = 0)
    {
        auto bytes = DialogBytes(WS_POPUP | extraStyle, 0, 0, 10, 10);
        HWND h = MakeDialog(bytes);
        MoveWindow(h, 50, 50, 100, 80, FALSE);
        ShowWindow(h, SW_SHOW);
        Pump();
        Log().clear();
        return h;
    }
    HWND Label(HWND parent, int x, int y, int cx, int cy)
    {
        HWND c =
            CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, x, y, cx, cy, parent, nullptr, nullptr, nullptr);
        Pump();
        return c;
    }
    static void FillWhole(HWND h, HDC dc, COLORREF color)
    {
        RECT r;
        GetClientRect(h, &r);
        HBRUSH b = CreateSolidBrush(color);
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    static bool Same(const RECT& a, const RECT& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    static int CountColor(const host::headless::Picture& p, std::uint32_t color, RECT* bounds)
    {
        int n = 0;
        *bounds = RECT{p.width, p.height, 0, 0};
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                if (p.At(x, y) == color) {
                    ++n;
                    bounds->left = std::min<LONG>(bounds->left, x);
                    bounds->top = std::min<LONG>(bounds->top, y);
                    bounds->right = std::max<LONG>(bounds->right, x + 1);
                    bounds->bottom = std::max<LONG>(bounds->bottom, y + 1);
                }
        return n;
    }
};

TEST_F(PaintTest, BeginPaintIsClippedToTheUpdateRectangle)
{
    HWND h = Top();
    RECT area{10, 20, 30, 25};
    InvalidateRect(h, &area, FALSE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    ASSERT_TRUE(dc);
    EXPECT_EQ(ps.rcPaint.left, 10);
    EXPECT_EQ(ps.rcPaint.bottom, 25);
    EXPECT_FALSE(ps.fErase);
    FillWhole(h, dc, RGB(255, 0, 0));
    EndPaint(h, &ps);
    RECT painted;
    EXPECT_EQ(CountColor(host::headless::Snapshot(h), kRed, &painted), 20 * 5);
    EXPECT_EQ(painted.left, 10);
    EXPECT_EQ(painted.top, 20);
    EXPECT_EQ(painted.right, 30);
    EXPECT_EQ(painted.bottom, 25);

    // Validated: a second BeginPaint paints nothing.
    dc = BeginPaint(h, &ps);
    EXPECT_TRUE(IsRectEmpty(&ps.rcPaint));
    FillWhole(h, dc, RGB(0, 0, 255));
    EndPaint(h, &ps);
    EXPECT_EQ(CountColor(host::headless::Snapshot(h), 0x0000FF, &painted), 0);
}

// Two invalid corners: the paint DC changes only them, though the paint
// rectangle is their bound; validating one leaves the other.
TEST_F(PaintTest, BeginPaintIsClippedToTheUpdateRegionNotItsBound)
{
    HWND h = Top();
    const RECT a{10, 10, 20, 20}, b{60, 50, 70, 60};
    InvalidateRect(h, &a, FALSE);
    InvalidateRect(h, &b, FALSE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    ASSERT_TRUE(dc);
    EXPECT_EQ(ps.rcPaint.left, 10);
    EXPECT_EQ(ps.rcPaint.top, 10);
    EXPECT_EQ(ps.rcPaint.right, 70);
    EXPECT_EQ(ps.rcPaint.bottom, 60);
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
    EXPECT_TRUE(Same(box, ps.rcPaint));
    EXPECT_EQ(GetPixel(dc, 40, 30), CLR_INVALID);  // between the two: outside the clip
    FillWhole(h, dc, RGB(255, 0, 0));
    EndPaint(h, &ps);
    RECT painted;
    EXPECT_EQ(CountColor(host::headless::Snapshot(h), kRed, &painted), 2 * 10 * 10);
    EXPECT_TRUE(Same(painted, ps.rcPaint));

    InvalidateRect(h, &a, FALSE);
    InvalidateRect(h, &b, FALSE);
    ValidateRect(h, &a);
    RECT u;
    ASSERT_TRUE(GetUpdateRect(h, &u, FALSE));
    EXPECT_TRUE(Same(u, b));
}

// A paint DC in parts that copies from its own window: each part gets the
// pixels that were there before the copy, not what an earlier part wrote.
TEST_F(PaintTest, ABlitFromTheSameWindowReadsItsSourceBeforeAnyPartIsWritten)
{
    HWND h = Top();
    auto original = [](int x, int y) { return static_cast<COLORREF>(RGB(x, y, 7)); };
    HDC window = GetDC(h);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x) SetPixel(window, x, y, original(x, y));
    const RECT a{10, 10, 30, 20}, b{20, 20, 40, 30};  // b reads where a is written
    InvalidateRect(h, &a, FALSE);
    InvalidateRect(h, &b, FALSE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    EXPECT_TRUE(BitBlt(dc, 0, 5, 100, 80, window, 0, 0, SRCCOPY));
    EndPaint(h, &ps);
    int wrong = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x) {
            const POINT p{x, y};
            const bool moved = PtInRect(&a, p) || PtInRect(&b, p);
            wrong += GetPixel(window, x, y) != (moved ? original(x, y - 5) : original(x, y));
        }
    ReleaseDC(h, window);
    EXPECT_EQ(wrong, 0);
}

// Many scattered invalid pixels: the region may give up on exactness, but
// every one of them is painted.
TEST_F(PaintTest, AnUpdateRegionOfManyPiecesStillCoversEachOfThem)
{
    HWND h = Top();
    std::vector<RECT> dots;
    for (int i = 0; i < 40; ++i) dots.push_back(RECT{2 * i, (i * 7) % 80, 2 * i + 1, (i * 7) % 80 + 1});
    for (const RECT& d : dots) InvalidateRect(h, &d, FALSE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    FillWhole(h, dc, RGB(255, 0, 0));
    EndPaint(h, &ps);
    const auto shot = host::headless::Snapshot(h);
    for (const RECT& d : dots) EXPECT_EQ(shot.At(d.left, d.top), kRed) << d.left << "," << d.top;
}

// An update region of up to Region::kMaxParts disjoint pieces clips the
// paint DC to exactly them; one more and it is painted as its bound.
TEST_F(PaintTest, TheUpdateRegionKeepsItsPiecesUpToItsCapThenBecomesItsBound)
{
    struct Case {
        int pieces;
        bool exact;
    };
    const Case cases[] = {{3, true}, {8, true}, {16, true}, {17, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pieces);
        HWND h = Top();
        // 5x5 squares 10 pixels apart, six to a row: no two share an edge.
        std::vector<RECT> pieces;
        RECT bound{};
        for (int i = 0; i < c.pieces; ++i) {
            const RECT r{(i % 6) * 15 + 2, (i / 6) * 15 + 2, (i % 6) * 15 + 7, (i / 6) * 15 + 7};
            pieces.push_back(r);
            UnionRect(&bound, &bound, &r);
            InvalidateRect(h, &r, FALSE);
        }
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        ASSERT_TRUE(dc);
        FillWhole(h, dc, RGB(255, 0, 0));
        EndPaint(h, &ps);
        const auto shot = host::headless::Snapshot(h);
        int wrong = 0;
        for (int y = 0; y < shot.height; ++y)
            for (int x = 0; x < shot.width; ++x) {
                const POINT pt{x, y};
                bool inside = PtInRect(&bound, pt);
                if (c.exact)
                    inside = std::any_of(pieces.begin(), pieces.end(), [&](const RECT& r) { return PtInRect(&r, pt); });
                wrong += (shot.At(x, y) == kRed) != inside;
            }
        EXPECT_EQ(wrong, 0);
        DestroyWindow(h);
    }
}

TEST_F(PaintTest, ChildrenRepaintAfterTheirParentUnlessItClipsChildren)
{
    struct Case {
        DWORD style;
        bool childInvalid;
    };
    for (Case c : {Case{0, true}, Case{WS_CLIPCHILDREN, false}}) {
        HWND h = Top(c.style);
        HWND inside = Label(h, 20, 20, 30, 10);
        HWND outside = Label(h, 70, 60, 20, 10);
        RECT area{0, 0, 40, 40};
        InvalidateRect(h, &area, FALSE);
        RECT u;
        EXPECT_EQ(GetUpdateRect(inside, &u, FALSE), c.childInvalid ? TRUE : FALSE);
        if (c.childInvalid) {
            EXPECT_EQ(u.left, 0);
            EXPECT_EQ(u.right, 20);  // only the part the parent's area covers
            EXPECT_EQ(u.bottom, 10);
        }
        EXPECT_FALSE(GetUpdateRect(outside, &u, FALSE));

        std::vector<HWND> paints;
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_PAINT) paints.push_back(m.hwnd);
            DispatchMessageW(&m);
        }
        std::vector<HWND> expected{h};
        if (c.childInvalid) expected.push_back(inside);
        EXPECT_EQ(paints, expected) << c.style;
        DestroyWindow(h);
    }
}

TEST_F(PaintTest, EraseIsSentFromBeginPaintOnlyWhenAsked)
{
    HWND h = Top();
    for (BOOL erase : {FALSE, TRUE}) {
        Log().clear();
        InvalidateRect(h, nullptr, erase);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        EXPECT_EQ(Count(h, WM_ERASEBKGND), erase ? 1 : 0);
        if (erase) {
            EXPECT_EQ(Log().back().wp, reinterpret_cast<WPARAM>(dc));
            EXPECT_FALSE(ps.fErase);  // the dialog erased it
        }
        EndPaint(h, &ps);
    }
    // The dialog's default erase uses the 3D face colour.
    RECT r;
    EXPECT_EQ(CountColor(host::headless::Snapshot(h), 0xF0F0F0, &r), 100 * 80);
}

TEST_F(PaintTest, AChildDcDrawsAtTheChildAndNowhereElse)
{
    HWND h = Top();
    HWND label = Label(h, 20, 30, 10, 5);
    HDC dc = GetDC(label);
    ASSERT_TRUE(dc);
    RECT huge{-100, -100, 1000, 1000};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &huge, red);
    DeleteObject(red);
    EXPECT_EQ(ReleaseDC(label, dc), 1);
    EXPECT_EQ(ReleaseDC(label, dc), 0);  // only once
    RECT painted;
    EXPECT_EQ(CountColor(host::headless::Snapshot(h), kRed, &painted), 50);
    EXPECT_EQ(painted.left, 20);
    EXPECT_EQ(painted.top, 30);
}

TEST_F(PaintTest, ValidateAndUpdateWindow)
{
    HWND h = Top();
    RECT top{0, 0, 100, 10}, bottom{0, 70, 100, 80};
    InvalidateRect(h, nullptr, FALSE);
    ValidateRect(h, &top);
    RECT u;
    ASSERT_TRUE(GetUpdateRect(h, &u, FALSE));
    EXPECT_EQ(u.top, 10);
    ValidateRect(h, &bottom);
    GetUpdateRect(h, &u, FALSE);
    EXPECT_EQ(u.bottom, 70);

    Log().clear();
    UpdateWindow(h);
    EXPECT_EQ(Count(h, WM_PAINT), 1);
    EXPECT_FALSE(GetUpdateRect(h, &u, FALSE));
    UpdateWindow(h);
    EXPECT_EQ(Count(h, WM_PAINT), 1);  // nothing to paint: no message

    InvalidateRect(h, nullptr, FALSE);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(Count(h, WM_PAINT), 2);
}

TEST_F(PaintTest, HiddenWindowsGetNoPaintAndShowingPaintsThemWhole)
{
    HWND h = Top();
    ShowWindow(h, SW_HIDE);
    InvalidateRect(h, nullptr, TRUE);
    MSG m;
    EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE));
    ShowWindow(h, SW_SHOW);
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_PAINT));
    RECT u;
    GetUpdateRect(h, &u, FALSE);
    EXPECT_EQ(u.right, 100);
    EXPECT_EQ(u.bottom, 80);
}

TEST_F(PaintTest, AMinimizedWindowPaintsItsIconSizedClientArea)
{
    HWND h = Top();
    HWND label = Label(h, 0, 0, 50, 50);
    ShowWindow(h, SW_MINIMIZE);
    bool iconicInPaint = false;
    RECT client{};
    Answer() = [&](HWND w, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (w == h && msg == WM_PAINT) {
            iconicInPaint = IsIconic(w);
            GetClientRect(w, &client);
        }
        return FALSE;
    };
    std::vector<HWND> paints;
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_PAINT) paints.push_back(m.hwnd);
        DispatchMessageW(&m);
    }
    EXPECT_EQ(paints, std::vector<HWND>{h});  // children of an icon do not paint
    EXPECT_TRUE(iconicInPaint);
    EXPECT_EQ(client.right, 32);
    EXPECT_EQ(client.bottom, 32);
    EXPECT_EQ(host::headless::Snapshot(h).width, 32);
    (void)label;
}

}  // namespace
