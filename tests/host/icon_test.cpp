// Icons: DrawIcon and DrawIconEx honour the mask, LoadIconW shares its icons.
#include "platform/host/gdi/icon.h"
#include "win32.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr COLORREF kGround = RGB(10, 200, 30);

struct Target {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp;
    int size;
    explicit Target(int s) : bmp(CreateCompatibleBitmap(nullptr, s, s)), size(s)
    {
        SelectObject(dc, bmp);
        RECT all{0, 0, s, s};
        HBRUSH ground = CreateSolidBrush(kGround);
        FillRect(dc, &all, ground);
        DeleteObject(ground);
    }
    ~Target()
    {
        DeleteDC(dc);
        DeleteObject(bmp);
    }
};

// 2x2: red top-left and blue bottom-right, the other two transparent.
host::IconPicture Quadrants()
{
    host::IconPicture p;
    p.width = p.height = 2;
    p.colors = {0x00FF0000u, 0x0000FF00u, 0x00000000u, 0x000000FFu};
    p.mask = {0, 1, 1, 0};
    return p;
}

TEST(DrawIcon, LeavesMaskedPixelsUnchanged)
{
    HICON icon = host::CreateIconFromPicture(Quadrants());
    ASSERT_NE(icon, nullptr);
    Target t(4);
    ASSERT_TRUE(DrawIconEx(t.dc, 1, 1, icon, 0, 0, 0, nullptr, DI_NORMAL));  // its own size
    EXPECT_EQ(GetPixel(t.dc, 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(t.dc, 2, 1), kGround);  // masked, though its colour is green
    EXPECT_EQ(GetPixel(t.dc, 1, 2), kGround);
    EXPECT_EQ(GetPixel(t.dc, 2, 2), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(t.dc, 0, 0), kGround);
    EXPECT_EQ(GetPixel(t.dc, 3, 3), kGround);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));  // created icons are really freed
}

TEST(DrawIcon, DrawsAtTheSystemIconSize)
{
    HICON icon = host::CreateIconFromPicture(Quadrants());
    const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    ASSERT_GT(cx, 1);
    Target t(cx + 4);
    ASSERT_TRUE(DrawIcon(t.dc, 2, 2, icon));
    EXPECT_EQ(GetPixel(t.dc, 2, 2), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(t.dc, 2 + cx - 1, 2 + cy - 1), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(t.dc, 2 + cx - 1, 2), kGround);
    EXPECT_EQ(GetPixel(t.dc, 2 + cx, 2 + cy - 1), kGround);  // nothing past the icon
    EXPECT_EQ(GetPixel(t.dc, 1, 2), kGround);
    // DrawIconEx with a size scales too; partly off the bitmap is fine.
    ASSERT_TRUE(DrawIconEx(t.dc, -3, -3, icon, 8, 8, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(GetPixel(t.dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(t.dc, 1, 1), RGB(0, 0, 255));
    DestroyIcon(icon);
}

TEST(DrawIcon, RefusesBadHandlesAndPictures)
{
    Target t(4);
    HBITMAP notAnIcon = CreateCompatibleBitmap(nullptr, 2, 2);
    HICON icon = host::CreateIconFromPicture(Quadrants());
    EXPECT_FALSE(DrawIcon(t.dc, 0, 0, reinterpret_cast<HICON>(notAnIcon)));
    EXPECT_FALSE(DrawIcon(t.dc, 0, 0, nullptr));
    EXPECT_FALSE(DrawIcon(reinterpret_cast<HDC>(icon), 0, 0, icon));
    EXPECT_FALSE(DrawIconEx(t.dc, 0, 0, icon, -1, 4, 0, nullptr, DI_NORMAL));
    EXPECT_FALSE(DestroyIcon(reinterpret_cast<HICON>(notAnIcon)));
    EXPECT_FALSE(DeleteObject(icon));  // icons go with DestroyIcon
    EXPECT_EQ(GetPixel(t.dc, 0, 0), kGround);

    host::IconPicture bad = Quadrants();
    bad.mask.pop_back();
    EXPECT_EQ(host::CreateIconFromPicture(bad), nullptr);
    bad = Quadrants();
    bad.width = -2;
    EXPECT_EQ(host::CreateIconFromPicture(bad), nullptr);
    EXPECT_EQ(host::IconSize(reinterpret_cast<HICON>(notAnIcon)).cx, 0);
    host::IconPicture out;
    EXPECT_FALSE(host::GetIconPicture(nullptr, &out));
    DestroyIcon(icon);
    DeleteObject(notAnIcon);
}

TEST(LoadIcon, TheLauncherIconIsSharedAndMasked)
{
    HINSTANCE self = GetModuleHandleW(nullptr);
    HICON icon = LoadIconW(self, MAKEINTRESOURCEW(128));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconW(self, MAKEINTRESOURCEW(128)), icon);
    SIZE size = host::IconSize(icon);
    EXPECT_EQ(size.cx, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(size.cy, GetSystemMetrics(SM_CYICON));

    host::IconPicture pic;
    ASSERT_TRUE(host::GetIconPicture(icon, &pic));
    int transparent = 0;
    for (auto m : pic.mask) transparent += m;
    EXPECT_GT(transparent, 0);  // a transparent ground
    EXPECT_LT(transparent, pic.width * pic.height);

    Target t(size.cx);
    ASSERT_TRUE(DrawIcon(t.dc, 0, 0, icon));
    for (int y = 0; y < pic.height; ++y)
        for (int x = 0; x < pic.width; ++x) {
            std::size_t i = static_cast<std::size_t>(y) * pic.width + x;
            std::uint32_t c = pic.colors[i];
            COLORREF want = pic.mask[i] ? kGround : RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
            ASSERT_EQ(GetPixel(t.dc, x, y), want) << x << "," << y;
        }

    EXPECT_TRUE(DestroyIcon(icon));  // harmless on a shared icon
    EXPECT_EQ(host::IconSize(icon).cx, size.cx);
    EXPECT_EQ(LoadIconW(self, MAKEINTRESOURCEW(128)), icon);
}

TEST(LoadIcon, MissingOrWrongResourcesGiveNull)
{
    HINSTANCE self = GetModuleHandleW(nullptr);
    EXPECT_EQ(LoadIconW(self, MAKEINTRESOURCEW(4242)), nullptr);
    EXPECT_EQ(LoadIconW(self, MAKEINTRESOURCEW(130)), nullptr);  // a bitmap
    EXPECT_EQ(LoadIconW(nullptr, MAKEINTRESOURCEW(128)), nullptr);
    EXPECT_EQ(LoadIconW(self, nullptr), nullptr);
}

}  // namespace
