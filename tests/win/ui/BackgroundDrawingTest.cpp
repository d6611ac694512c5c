// The background window's drawing on a memory bitmap: the band fallback of the gradient and
// the background bitmap's files and stretching.
#include "platform/Win32.h"
#include "tests/win/support/ScratchFolder.h"
#include "ui/BackgroundBitmap.h"
#include "ui/BackgroundWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// A 32-bit top-down memory surface selected into its own device context.
class Surface {
public:
    Surface(int width, int height) : width_(width)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Surface()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    // 0x00BBGGRR, as the drawing functions take colours.
    uint32_t at(int x, int y) const
    {
        GdiFlush();
        const uint32_t p = pixels_[y * width_ + x];  // 0x00RRGGBB in memory order B, G, R
        return ((p >> 16) & 0xff) | (p & 0xff00) | ((p & 0xff) << 16);
    }

private:
    int width_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* pixels_ = nullptr;
};

void put32(std::string& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

// A ".BMP" file of a 2 x 2 24-bit bitmap: bottom row red, blue; top row green, white.
std::string smallBmp()
{
    std::string f(14 + 40 + 16, '\0');
    f[0] = 'B';
    f[1] = 'M';
    put32(f, 2, static_cast<uint32_t>(f.size()));
    put32(f, 10, 54);
    put32(f, 14, 40);
    put32(f, 18, 2);
    put32(f, 22, 2);
    f[26] = 1;
    f[28] = 24;
    const unsigned char rows[16] = {0, 0, 255, 255, 0, 0, 0, 0, 0, 255, 0, 255, 255, 255, 0, 0};
    f.replace(54, 16, reinterpret_cast<const char*>(rows), 16);
    return f;
}

} // namespace

TEST(BackgroundDrawing, BandsOfTwoPixelsStepFromTheTopToTheBottomColour)
{
    Surface s(4, 500);
    FillGradientBands(s.dc(), RGB(250, 0, 0), 0, 0, 4, 500, RGB(0, 0, 250));
    for (int y = 0; y < 500; y += 2) {
        ASSERT_EQ(s.at(0, y), s.at(0, y + 1)) << y;  // one band: two rows, one colour
        ASSERT_EQ(s.at(0, y), s.at(3, y)) << y;      // the whole width, right edge included
    }
    EXPECT_EQ(s.at(0, 0), static_cast<uint32_t>(RGB(249, 0, 1)));
    EXPECT_EQ(s.at(0, 499), static_cast<uint32_t>(RGB(0, 0, 250)));
    EXPECT_NE(s.at(0, 249), s.at(0, 251));
}

TEST(BackgroundDrawing, BitmapFilesLoadSaveAndStretch)
{
    ScratchFolder folder;
    const std::string bmp = smallBmp();
    ASSERT_TRUE(LoadBitmapFile(folder.WriteFile("in.bmp", bmp).c_str()));
    EXPECT_EQ(backgroundBitmap().width(), 2);

    const std::string out = folder / "Installer Background.BMP";
    ASSERT_TRUE(SaveBitmapFile(out.c_str()));
    EXPECT_EQ(ScratchFolder::ReadFile(out), bmp);

    // Stretched over 10 x 10 (right and bottom inclusive): each pixel becomes 5 x 5.
    Surface s(10, 10);
    const RECT r{0, 0, 9, 9};
    DrawBitmap(s.dc(), r, SRCCOPY);
    EXPECT_EQ(s.at(1, 1), static_cast<uint32_t>(RGB(0, 255, 0)));
    EXPECT_EQ(s.at(8, 1), static_cast<uint32_t>(RGB(255, 255, 255)));
    EXPECT_EQ(s.at(1, 8), static_cast<uint32_t>(RGB(255, 0, 0)));
    EXPECT_EQ(s.at(8, 8), static_cast<uint32_t>(RGB(0, 0, 255)));

    // From the bytes of a file, too.
    EXPECT_TRUE(LoadBitmapBytes(bmp.data(), static_cast<int>(bmp.size())));
}

TEST(BackgroundDrawing, UnusableBitmapFilesLeaveNoBitmap)
{
    ScratchFolder folder;
    std::string notBm = smallBmp();
    notBm[0] = 'X';
    std::string v5 = smallBmp();
    put32(v5, 14, 108);
    const std::string shortFile = smallBmp().substr(0, 40);
    for (const std::string& bytes : {notBm, v5, shortFile}) {
        ASSERT_TRUE(LoadBitmapFile(folder.WriteFile("good.bmp", smallBmp()).c_str()));
        EXPECT_FALSE(LoadBitmapFile(folder.WriteFile("bad.bmp", bytes).c_str()));
        EXPECT_FALSE(backgroundBitmap().loaded());
    }
    EXPECT_FALSE(LoadBitmapFile((folder / "missing.bmp").c_str()));
    EXPECT_FALSE(SaveBitmapFile((folder / "nothing.bmp").c_str()));  // nothing loaded
    Surface s(2, 2);
    DrawBitmap(s.dc(), RECT{0, 0, 1, 1}, SRCCOPY);  // nothing to draw
    EXPECT_EQ(s.at(0, 0), 0u);
}
