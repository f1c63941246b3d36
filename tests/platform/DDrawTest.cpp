#include <gtest/gtest.h>

#include <vector>

#include "platform/DDraw.h"
#include "platform/headless/HeadlessBackend.h"

namespace {

class DDrawTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
        ASSERT_EQ(dd->SetCooperativeLevel(reinterpret_cast<HWND>(1), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    }
    void TearDown() override {
        for (auto* s : surfaces) s->Release();
        dd->RestoreDisplayMode();
        dd->Release();
        Display_Options() = DisplayOptions{};
        EXPECT_EQ(Live_Surface_Count(), 0);
    }
    LPDIRECTDRAWSURFACE Plain(int w, int h, bool eight_bit = false) {
        DDSURFACEDESC desc = Offscreen_Surface_Desc(w, h, DDSCAPS_OFFSCREENPLAIN, eight_bit);
        LPDIRECTDRAWSURFACE s = nullptr;
        EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DD_OK);
        surfaces.push_back(s);
        return s;
    }
    LPDIRECTDRAWSURFACE Primary() {
        DDSURFACEDESC desc{};
        desc.dwFlags = DDSD_CAPS;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        LPDIRECTDRAWSURFACE s = nullptr;
        EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DD_OK);
        surfaces.push_back(s);
        return s;
    }
    static std::uint16_t& At(LPDIRECTDRAWSURFACE s, int x, int y) {
        return reinterpret_cast<std::uint16_t*>(s->Bits() + y * s->Pitch())[x];
    }
    static void Pattern(LPDIRECTDRAWSURFACE s) {
        for (int y = 0; y < s->Height(); ++y)
            for (int x = 0; x < s->Width(); ++x) At(s, x, y) = static_cast<std::uint16_t>(x + y * 1000 + 1);
    }
    static std::vector<std::uint16_t> Copy(LPDIRECTDRAWSURFACE s) {
        std::vector<std::uint16_t> out;
        for (int y = 0; y < s->Height(); ++y)
            for (int x = 0; x < s->Width(); ++x) out.push_back(At(s, x, y));
        return out;
    }
    LPDIRECTDRAW dd = nullptr;
    std::vector<LPDIRECTDRAWSURFACE> surfaces;
};

TEST_F(DDrawTest, ColourFillFillsTheRectOnly) {
    auto* s = Plain(20, 10);
    Pattern(s);
    DDBLTFX fx{sizeof(DDBLTFX), 0xABCD};
    RECT r{2, 3, 5, 7};
    ASSERT_EQ(s->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(At(s, x, y), (x >= 2 && x < 5 && y >= 3 && y < 7) ? 0xABCD : x + y * 1000 + 1);
    EXPECT_EQ(s->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL, nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(DDrawTest, KeyedBlitLeavesKeyPixelsOfTheSource) {
    auto* src = Plain(8, 8);
    auto* dst = Plain(8, 8);
    Pattern(src);
    for (int i = 0; i < 8; ++i) At(src, i, i) = 0;  // a transparent diagonal
    At(src, 3, 5) = 0;
    DDBLTFX fx{sizeof(DDBLTFX), 0x7777};
    dst->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx);
    EXPECT_EQ(dst->Blt(nullptr, src, nullptr, DDBLT_KEYSRC, nullptr), DDERR_NOCOLORKEY);
    DDCOLORKEY key{0, 0};
    ASSERT_EQ(src->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    ASSERT_EQ(dst->Blt(nullptr, src, nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(At(dst, x, y), At(src, x, y) == 0 ? 0x7777 : At(src, x, y));
    // A key range covers all its values; BltFast honours the key too.
    key = {1, 3};
    src->SetColorKey(DDCKEY_SRCBLT, &key);
    dst->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx);
    ASSERT_EQ(dst->BltFast(0, 0, src, nullptr, DDBLTFAST_SRCCOLORKEY), DD_OK);
    EXPECT_EQ(At(dst, 0, 0), 0);  // 0 is outside the range now
    EXPECT_EQ(At(dst, 1, 0), 0x7777);
    EXPECT_EQ(At(dst, 3, 0), 4);
}

TEST_F(DDrawTest, OverlappingBlitOnOneSurfaceInEveryDirection) {
    auto* s = Plain(64, 64);
    for (auto [dx, dy] : {std::pair{5, 0}, {-5, 0}, {0, 5}, {0, -5}, {3, -4}, {-7, 7}}) {
        Pattern(s);
        const auto before = Copy(s);
        RECT from{10, 10, 40, 40};
        RECT to{10 + dx, 10 + dy, 40 + dx, 40 + dy};
        ASSERT_EQ(s->Blt(&to, s, &from, DDBLT_WAIT, nullptr), DD_OK);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                bool in = x >= to.left && x < to.right && y >= to.top && y < to.bottom;
                ASSERT_EQ(At(s, x, y), in ? before[(y - dy) * 64 + x - dx] : before[y * 64 + x])
                    << dx << "," << dy << " at " << x << "," << y;
            }
    }
    // The same through BltFast, keyed.
    Pattern(s);
    const auto before = Copy(s);
    DDCOLORKEY key{0, 0};
    s->SetColorKey(DDCKEY_SRCBLT, &key);
    RECT from{0, 0, 20, 20};
    ASSERT_EQ(s->BltFast(2, 1, s, &from, DDBLTFAST_SRCCOLORKEY), DD_OK);
    EXPECT_EQ(At(s, 21, 20), before[19 * 64 + 19]);
    EXPECT_EQ(At(s, 2, 1), before[0]);
}

TEST_F(DDrawTest, StretchedBlitScalesByNearestPixel) {
    auto* src = Plain(4, 2);
    auto* dst = Plain(8, 4);
    Pattern(src);
    ASSERT_EQ(dst->Blt(nullptr, src, nullptr, 0, nullptr), DD_OK);
    EXPECT_EQ(At(dst, 0, 0), At(src, 0, 0));
    EXPECT_EQ(At(dst, 1, 1), At(src, 0, 0));
    EXPECT_EQ(At(dst, 7, 3), At(src, 3, 1));
    RECT narrow{0, 0, 3, 4};  // 4 columns into 3
    ASSERT_EQ(dst->Blt(&narrow, src, nullptr, 0, nullptr), DD_OK);
    EXPECT_EQ(At(dst, 2, 3), At(src, 2, 1));
}

TEST_F(DDrawTest, LocksAreCountedAndBlockBlits) {
    auto* a = Plain(16, 16);
    auto* b = Plain(16, 16);
    DDSURFACEDESC desc{};
    ASSERT_EQ(a->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(desc.lPitch, 32);
    EXPECT_EQ(desc.dwWidth, 16u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_EQ(desc.lpSurface, a->Bits());
    ASSERT_EQ(a->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(a->Lock_Count(), 2);
    EXPECT_EQ(b->Blt(nullptr, a, nullptr, 0, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(a->Blt(nullptr, b, nullptr, 0, nullptr), DDERR_SURFACEBUSY);
    a->Unlock(nullptr);
    EXPECT_EQ(b->Blt(nullptr, a, nullptr, 0, nullptr), DDERR_SURFACEBUSY);
    a->Unlock(nullptr);
    EXPECT_EQ(b->Blt(nullptr, a, nullptr, 0, nullptr), DD_OK);
    EXPECT_EQ(a->Unlock(nullptr), DDERR_NOTLOCKED);
    // A drawing context holds a lock until it is released.
    HDC dc = nullptr;
    ASSERT_EQ(a->GetDC(&dc), DD_OK);
    EXPECT_EQ(b->Blt(nullptr, a, nullptr, 0, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(a->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(a->ReleaseDC(dc), DDERR_NODC);
    EXPECT_EQ(a->Lock_Count(), 0);
    // A rect lock points at the rect.
    RECT r{3, 2, 5, 4};
    ASSERT_EQ(a->Lock(&r, &desc, 0, nullptr), DD_OK);
    EXPECT_EQ(desc.lpSurface, a->Bits() + 2 * 32 + 3 * 2);
    a->Unlock(nullptr);
}

TEST_F(DDrawTest, RectsOutsideASurfaceAreRefusedUnlessItHasAClipper) {
    auto* s = Plain(16, 16);
    auto* src = Plain(16, 16);
    Pattern(src);
    RECT out{10, 10, 20, 20};
    RECT same{0, 0, 10, 10};
    EXPECT_EQ(s->Blt(&out, src, &same, 0, nullptr), DDERR_INVALIDRECT);
    EXPECT_EQ(s->Blt(&same, src, &out, 0, nullptr), DDERR_INVALIDRECT);
    RECT empty{5, 5, 5, 9};
    EXPECT_EQ(s->Blt(&empty, src, &same, 0, nullptr), DDERR_INVALIDRECT);
    EXPECT_EQ(s->BltFast(10, 10, src, &same, 0), DDERR_INVALIDRECT);
    LPDIRECTDRAWCLIPPER clipper = nullptr;
    ASSERT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
    s->SetClipper(clipper);
    clipper->Release();
    ASSERT_EQ(s->Blt(&out, src, &same, 0, nullptr), DD_OK);  // cut to the surface
    EXPECT_EQ(At(s, 15, 15), At(src, 5, 5));
    EXPECT_EQ(s->BltFast(0, 0, src, &same, 0), DDERR_BLTFASTCANTCLIP);
    auto* eight = Plain(16, 16, true);
    EXPECT_EQ(s->Blt(nullptr, eight, nullptr, 0, nullptr), DDERR_INVALIDPIXELFORMAT);
}

TEST_F(DDrawTest, PrimaryRecordsTheDirtyUnionForTheWindow) {
    auto* primary = Primary();
    EXPECT_EQ(Display_Primary(), primary);
    EXPECT_EQ(primary->Width(), 640);
    RECT r{};
    EXPECT_FALSE(primary->Take_Dirty_Rect(r));
    auto* src = Plain(16, 16);
    Pattern(src);
    ASSERT_EQ(primary->BltFast(100, 50, src, nullptr, 0), DD_OK);
    RECT small{0, 0, 4, 4};
    ASSERT_EQ(primary->BltFast(300, 20, src, &small, 0), DD_OK);
    ASSERT_TRUE(primary->Take_Dirty_Rect(r));
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 304);
    EXPECT_EQ(r.bottom, 66);
    EXPECT_FALSE(primary->Take_Dirty_Rect(r));
    // The picture in 0x00RRGGBB: a 565 pixel 0xF800 is pure red.
    At(primary, 5, 5) = 0xF800;
    At(primary, 6, 5) = 0x07E0;
    std::uint32_t rgb[2];
    primary->Read_RGB({5, 5, 7, 6}, rgb, 2);
    EXPECT_EQ(rgb[0], 0xFF0000u);
    EXPECT_EQ(rgb[1], 0x00FF00u);
    // One primary at a time.
    DDSURFACEDESC desc{};
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    LPDIRECTDRAWSURFACE second = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &second, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
}

TEST_F(DDrawTest, EightBitDisplayShowsThroughItsPalette) {
    ASSERT_EQ(dd->SetDisplayMode(640, 480, 8), DD_OK);
    auto* primary = Primary();
    PALETTEENTRY entries[256] = {};
    entries[9] = {10, 20, 30, 0};
    LPDIRECTDRAWPALETTE palette = nullptr;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr), DD_OK);
    ASSERT_EQ(primary->SetPalette(palette), DD_OK);
    palette->Release();  // the surface keeps it
    primary->Bits()[0] = 9;
    std::uint32_t rgb = 0;
    primary->Read_RGB({0, 0, 1, 1}, &rgb, 1);
    EXPECT_EQ(rgb, 0x0A141Eu);
    RECT r{};
    primary->Take_Dirty_Rect(r);
    PALETTEENTRY changed{200, 0, 0, 0};
    IDirectDrawPalette* attached = nullptr;
    ASSERT_EQ(primary->GetPalette(&attached), DD_OK);
    ASSERT_EQ(attached->SetEntries(0, 9, 1, &changed), DD_OK);
    EXPECT_TRUE(primary->Take_Dirty_Rect(r));  // a palette change repaints all
    EXPECT_EQ(r.right, 640);
    primary->Read_RGB({0, 0, 1, 1}, &rgb, 1);
    EXPECT_EQ(rgb, 0xC80000u);
    PALETTEENTRY out[2];
    EXPECT_EQ(attached->GetEntries(0, 255, 2, out), DDERR_INVALIDPARAMS);
    EXPECT_EQ(attached->SetEntries(0, 250, 7, entries), DDERR_INVALIDPARAMS);
    attached->Release();
}

TEST_F(DDrawTest, ModesLevelsAndVerticalBlank) {
    LPDIRECTDRAW other = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &other, nullptr), DD_OK);
    DDSURFACEDESC desc{};
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    LPDIRECTDRAWSURFACE s = nullptr;
    EXPECT_EQ(other->CreateSurface(&desc, &s, nullptr), DDERR_NOCOOPERATIVELEVELSET);
    EXPECT_EQ(other->SetDisplayMode(640, 480, 16), DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(other->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DDERR_INVALIDPARAMS);
    EXPECT_EQ(other->SetCooperativeLevel(reinterpret_cast<HWND>(1), DDSCL_EXCLUSIVE), DDERR_INVALIDPARAMS);
    other->Release();
    EXPECT_EQ(dd->SetDisplayMode(800, 600, 16), DDERR_INVALIDMODE);
    Display_Options().rgb555 = true;
    auto* plain = Plain(4, 4);
    DDPIXELFORMAT pf{};
    plain->GetPixelFormat(&pf);
    EXPECT_EQ(pf.dwGBitMask, 0x03E0u);
    Display_Options().unsupported_mode = true;
    EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DDERR_UNSUPPORTEDMODE);
    Headless_Backend().Reset();
    EXPECT_EQ(dd->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr), DD_OK);
    EXPECT_EQ(Headless_Backend().vertical_blanks, 1);
}

// The display's failures a test can ask for, each refusing its own call.
TEST_F(DDrawTest, DisplayFailuresOnRequest) {
    LPDIRECTDRAW other = nullptr;
    Display_Options().no_directdraw = true;
    EXPECT_EQ(DirectDrawCreate(nullptr, &other, nullptr), DDERR_NODIRECTDRAWHW);
    Display_Options().exclusive_taken = true;
    EXPECT_EQ(dd->SetCooperativeLevel(reinterpret_cast<HWND>(1), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN),
              DDERR_EXCLUSIVEMODEALREADYSET);
    EXPECT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK) << "the normal level stays open";
    Display_Options() = DisplayOptions{};
    ASSERT_EQ(dd->SetCooperativeLevel(reinterpret_cast<HWND>(1), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    Display_Options().mode_refused = true;
    EXPECT_EQ(dd->SetDisplayMode(640, 480, 8), DDERR_INVALIDMODE);
    Display_Options().mode_refused = false;
    Display_Options().offscreen_left = 2;
    Plain(4, 4);
    Plain(4, 4);
    DDSURFACEDESC desc{};
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = desc.dwHeight = 4;
    LPDIRECTDRAWSURFACE s = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DDERR_OUTOFVIDEOMEMORY) << "the third";
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(Display_Options().offscreen_left, 0);
}

}  // namespace
