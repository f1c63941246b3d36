// Fitting the 640 x 480 picture to a screen: the whole scale, the centring,
// the way back from window pixels (borders count as the picture's edges),
// and the scaled copy of a surface's rectangle.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/DDraw.h"
#include "platform/ScreenFit.h"

namespace {

TEST(ScreenFit, LargestWholeScaleCentred) {
    struct fit_case {
        int w, h, scale, left, top;
    };
    const fit_case cases[] = {
        {640, 480, 1, 0, 0},     {800, 600, 1, 80, 60},    {1280, 1024, 2, 0, 32}, {1920, 1080, 2, 320, 60},
        {2560, 1440, 3, 320, 0}, {1279, 959, 1, 319, 239}, {1280, 960, 2, 0, 0},
    };
    for (const fit_case& c : cases) {
        const screen_fit f = Fit_Picture(c.w, c.h);
        EXPECT_EQ(f.scale, c.scale) << c.w << "x" << c.h;
        EXPECT_EQ(f.left, c.left) << c.w << "x" << c.h;
        EXPECT_EQ(f.top, c.top) << c.w << "x" << c.h;
        EXPECT_EQ(f.width, 640 * c.scale);
        EXPECT_EQ(f.height, 480 * c.scale);
    }
}

// A window smaller than the picture shows all of it, shrunk with its shape
// kept and centred; its corners are the picture's, so the screen's edges
// still scroll the view.
TEST(ScreenFit, ASmallWindowShowsTheWholePictureShrunk) {
    struct fit_case {
        int w, h, width, height, left, top;
    };
    const fit_case cases[] = {
        {600, 400, 533, 400, 33, 0},
        {320, 240, 320, 240, 0, 0},
        {639, 480, 639, 479, 0, 0},
        {640, 300, 400, 300, 120, 0},
    };
    for (const fit_case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        const screen_fit f = Fit_Picture(c.w, c.h);
        EXPECT_EQ(f.scale, 0);
        EXPECT_EQ(f.width, c.width);
        EXPECT_EQ(f.height, c.height);
        EXPECT_EQ(f.left, c.left);
        EXPECT_EQ(f.top, c.top);
        EXPECT_LE(f.left + f.width, c.w);
        EXPECT_LE(f.top + f.height, c.h);
        const POINT first = Window_To_Picture(f, f.left, f.top);
        const POINT last = Window_To_Picture(f, f.left + f.width - 1, f.top + f.height - 1);
        EXPECT_EQ(first.x, 0);
        EXPECT_EQ(first.y, 0);
        EXPECT_EQ(last.x, 639);
        EXPECT_EQ(last.y, 479);
        // A picture rectangle covers the window pixels that show it.
        const RECT w = Picture_To_Window(f, {100, 200, 101, 201});
        EXPECT_LT(w.left, w.right);
        for (LONG x = w.left; x < w.right; ++x) EXPECT_EQ(Window_To_Picture(f, x, w.top).x, 100);
        EXPECT_NE(Window_To_Picture(f, w.left - 1, w.top).x, 100);
        EXPECT_NE(Window_To_Picture(f, w.right, w.top).x, 100);
        const RECT all = Picture_To_Window(f, {0, 0, 640, 480});
        EXPECT_EQ(all.right - all.left, f.width);
        EXPECT_EQ(all.bottom - all.top, f.height);
    }
}

TEST(ScreenFit, WindowPixelsMapBackToThePicture) {
    const screen_fit f = Fit_Picture(1920, 1080);  // scale 2 at (320, 60)
    struct point_case {
        int x, y;
        LONG px, py;
    };
    const point_case cases[] = {
        {320, 60, 0, 0}, {321, 61, 0, 0},        {322, 62, 1, 1},    {1599, 1019, 639, 479},
        {0, 0, 0, 0},    {1919, 1079, 639, 479}, {319, 500, 0, 220}, {1600, 59, 639, 0},
    };
    for (const point_case& c : cases) {
        const POINT p = Window_To_Picture(f, c.x, c.y);
        EXPECT_EQ(p.x, c.px) << c.x << "," << c.y;
        EXPECT_EQ(p.y, c.py) << c.x << "," << c.y;
    }
    const RECT w = Picture_To_Window(f, {10, 20, 30, 40});
    EXPECT_EQ(w.left, 340);
    EXPECT_EQ(w.top, 100);
    EXPECT_EQ(w.right, 380);
    EXPECT_EQ(w.bottom, 140);
}

// A 16-bit off-screen surface of the stand-in display.
class Surface : public ::testing::Test {
  protected:
    LPDIRECTDRAWSURFACE Make(int width, int height) {
        EXPECT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
        EXPECT_EQ(dd->SetCooperativeLevel(reinterpret_cast<HWND>(1), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
        EXPECT_EQ(dd->SetDisplayMode(640, 480, 16), DD_OK);
        DDSURFACEDESC desc = Offscreen_Surface_Desc(width, height);
        EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DD_OK);
        return s;
    }
    void TearDown() override {
        if (s != nullptr) s->Release();
        if (dd != nullptr) dd->Release();
    }
    void set(int x, int y, std::uint16_t v) { reinterpret_cast<std::uint16_t*>(s->Bits() + y * s->Pitch())[x] = v; }
    LPDIRECTDRAW dd = nullptr;
    LPDIRECTDRAWSURFACE s = nullptr;
};

using ScaledCopy = Surface;
using ChangedParts = Surface;

TEST_F(ScaledCopy, FillsBlocksOfTheRectOnly) {
    ASSERT_NE(Make(8, 4), nullptr);
    set(2, 1, 0xF800);  // red
    set(3, 1, 0x07E0);  // green
    set(2, 2, 0x001F);  // blue
    const int scale = 3;
    const std::size_t stride = 8 * scale * 3;
    std::vector<std::uint8_t> rgb(stride * 4 * scale, 0xAB);
    Scale_To_Rgb(*s, {2, 1, 4, 3}, scale, rgb.data(), stride);
    auto pixel = [&](int x, int y) {
        const std::uint8_t* p = rgb.data() + y * stride + x * 3;
        return (p[0] << 16) | (p[1] << 8) | p[2];
    };
    for (int dy = 0; dy < scale; ++dy)
        for (int dx = 0; dx < scale; ++dx) {
            EXPECT_EQ(pixel(6 + dx, 3 + dy), 0xFF0000);
            EXPECT_EQ(pixel(9 + dx, 3 + dy), 0x00FF00);
            EXPECT_EQ(pixel(6 + dx, 6 + dy), 0x0000FF);
            EXPECT_EQ(pixel(9 + dx, 6 + dy), 0x000000);
        }
    EXPECT_EQ(pixel(5, 3), 0xABABAB) << "left of the rect";
    EXPECT_EQ(pixel(12, 8), 0xABABAB) << "right of the rect";
    EXPECT_EQ(pixel(6, 2), 0xABABAB) << "above the rect";
    EXPECT_EQ(pixel(6, 9), 0xABABAB) << "below the rect";
}

TEST_F(ScaledCopy, AShrunkPictureSamplesTheNearestPixels) {
    ASSERT_NE(Make(640, 480), nullptr);
    set(0, 0, 0xF800);
    set(639, 479, 0x07E0);
    set(320, 240, 0x001F);
    const screen_fit fit = Fit_Picture(320, 240);
    const std::size_t stride = 320 * 3;
    std::vector<std::uint8_t> rgb(stride * 240, 0xAB);
    Fit_To_Rgb(*s, {0, 0, 640, 480}, fit, rgb.data(), stride);
    auto pixel = [&](int x, int y) {
        const std::uint8_t* p = rgb.data() + y * stride + x * 3;
        return (p[0] << 16) | (p[1] << 8) | p[2];
    };
    EXPECT_EQ(pixel(0, 0), 0xFF0000) << "the picture's first pixel";
    EXPECT_EQ(pixel(319, 239), 0x00FF00) << "and its last";
    int blue = 0, unwritten = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            blue += pixel(x, y) == 0x0000FF;
            unwritten += pixel(x, y) == 0xABABAB;
        }
    EXPECT_LE(blue, 1) << "a pixel is shown at most once";
    EXPECT_EQ(unwritten, 0);
    // Only what shows the rectangle is written.
    std::vector<std::uint8_t> part(stride * 240, 0xAB);
    Fit_To_Rgb(*s, {600, 400, 640, 480}, fit, part.data(), stride);
    EXPECT_EQ(part[0], 0xAB);
    EXPECT_EQ(part[239 * stride + 319 * 3 + 1], 0xFF);
}

std::string Text(const std::vector<RECT>& parts) {
    std::ostringstream out;
    for (const RECT& r : parts) out << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
    return out.str();
}

TEST_F(ChangedParts, OnlyWhatDiffersFromTheShownPictureInBands) {
    ASSERT_NE(Make(64, 48), nullptr);
    shown_picture shown;
    const RECT all{0, 0, 64, 48};
    EXPECT_EQ(Text(Changed_Parts(*s, all, shown)), "") << "a black picture on a black window";
    set(5, 3, 1);
    set(40, 10, 2);
    set(20, 20, 3);
    set(63, 47, 4);
    EXPECT_EQ(Text(Changed_Parts(*s, all, shown)), "(5,3,41,11)(20,20,21,21)(63,47,64,48)")
        << "one part per band of 16 rows";
    EXPECT_EQ(Text(Changed_Parts(*s, all, shown)), "") << "what was shown is remembered";
    set(6, 3, 9);
    set(20, 20, 0);
    EXPECT_EQ(Text(Changed_Parts(*s, {0, 0, 10, 10}, shown)), "(6,3,7,4)") << "only inside the dirty rect";
    EXPECT_EQ(Text(Changed_Parts(*s, {-5, 16, 100, 99}, shown)), "(20,20,21,21)") << "a rect cut to the surface";
}

// On an 8-bit display a pixel also changes when its index's colour does:
// only the pixels of the entries that changed are shown again, wherever
// they lie.
TEST(ChangedPartsOfEightBits, ThePaletteRepaintsThePixelsOfItsChangedEntries) {
    Display_Options() = DisplayOptions{};
    LPDIRECTDRAW dd = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
    ASSERT_EQ(dd->SetCooperativeLevel(reinterpret_cast<HWND>(1), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    ASSERT_EQ(dd->SetDisplayMode(640, 480, 8), DD_OK);
    DDSURFACEDESC desc{};
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    LPDIRECTDRAWSURFACE primary = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &primary, nullptr), DD_OK);
    PALETTEENTRY entries[256] = {};
    entries[7] = {200, 100, 50, 0};
    LPDIRECTDRAWPALETTE palette = nullptr;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr), DD_OK);
    ASSERT_EQ(primary->SetPalette(palette), DD_OK);
    auto put = [&](int x, int y, std::uint8_t v) { primary->Bits()[y * primary->Pitch() + x] = v; };
    put(30, 40, 7);
    put(600, 300, 7);
    put(100, 100, 9);
    shown_picture shown;
    RECT dirty;
    ASSERT_TRUE(primary->Take_Dirty_Rect(dirty));
    EXPECT_EQ(Text(Changed_Parts(*primary, dirty, shown)), "(30,40,31,41)(100,100,101,101)(600,300,601,301)");
    entries[7] = {10, 20, 30, 0};
    ASSERT_EQ(palette->SetEntries(0, 7, 1, &entries[7]), DD_OK);
    ASSERT_TRUE(primary->Take_Dirty_Rect(dirty));
    EXPECT_EQ(Text(Changed_Parts(*primary, dirty, shown)), "(30,40,31,41)(600,300,601,301)");
    entries[9] = {1, 1, 1, 0};
    ASSERT_EQ(palette->SetEntries(0, 9, 1, &entries[9]), DD_OK);
    EXPECT_EQ(Text(Changed_Parts(*primary, {0, 0, 10, 10}, shown)), "(100,100,101,101)")
        << "a changed palette is looked for on the whole surface";
    EXPECT_EQ(Text(Changed_Parts(*primary, {0, 0, 640, 480}, shown)), "") << "what was shown is remembered";
    palette->Release();
    primary->Release();
    dd->RestoreDisplayMode();
    dd->Release();
}

}  // namespace
