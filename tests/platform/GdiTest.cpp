#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "platform/Gdi.h"
#include "platform/PathResolver.h"
#include "tools/writers/BmpWriter.h"
#include "tools/writers/FileWrite.h"

namespace fs = std::filesystem;

namespace {

// A 5 x 3 picture: pixel (x, y) is index x + 10 * y; colour i is (i, 2i, 3i).
Bmp8 Small_Picture() {
    Bmp8 b;
    b.width = 5;
    b.height = 3;
    for (int i = 0; i < 256; ++i)
        b.palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(2 * i),
                        static_cast<std::uint8_t>(3 * i)};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) b.pixels.push_back(static_cast<std::uint8_t>(x + 10 * y));
    return b;
}

class GdiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("orvex-gdi-" + std::to_string(::getpid()));
        fs::create_directories(root / "art");
        Set_Working_Folder(root);
        ASSERT_TRUE(Write_Bmp8(root / "art" / "small.bmp", Small_Picture()));
        ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
        dd->SetCooperativeLevel(reinterpret_cast<HWND>(1), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
        objects_before = Live_Gdi_Object_Count();
    }
    void TearDown() override {
        for (auto* s : surfaces) s->Release();
        dd->Release();
        Display_Options() = DisplayOptions{};
        Set_Working_Folder({});
        fs::remove_all(root);
        EXPECT_EQ(Live_Gdi_Object_Count(), objects_before);
    }
    HBITMAP Load(const char* name, int cx = 0, int cy = 0) {
        return static_cast<HBITMAP>(
            LoadImageA(nullptr, name, IMAGE_BITMAP, cx, cy, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    }
    LPDIRECTDRAWSURFACE Surface(int w, int h, bool eight_bit) {
        DDSURFACEDESC desc = Offscreen_Surface_Desc(w, h, DDSCAPS_OFFSCREENPLAIN, eight_bit);
        LPDIRECTDRAWSURFACE s = nullptr;
        EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DD_OK);
        surfaces.push_back(s);
        return s;
    }
    // Copies the whole bitmap to the surface's top-left through contexts.
    void Copy(HBITMAP bitmap, LPDIRECTDRAWSURFACE s) {
        HDC image = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(image, bitmap);
        EXPECT_EQ(DeleteObject(bitmap), FALSE);  // selected: not deleted
        HDC dc = nullptr;
        ASSERT_EQ(s->GetDC(&dc), DD_OK);
        BITMAP info{};
        GetObjectA(bitmap, sizeof(info), &info);
        EXPECT_TRUE(BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, image, 0, 0, SRCCOPY));
        s->ReleaseDC(dc);
        SelectObject(image, old);
        DeleteDC(image);
    }
    fs::path root;
    LPDIRECTDRAW dd = nullptr;
    std::vector<LPDIRECTDRAWSURFACE> surfaces;
    int objects_before = 0;
};

TEST_F(GdiTest, LoadsAnEightBitBitmapTopRowFirst) {
    HBITMAP b = Load("ART\\SMALL.BMP");
    ASSERT_NE(b, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(b, sizeof(info), &info), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(info.bmWidth, 5);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(info.bmBitsPixel, 8);
    EXPECT_EQ(info.bmWidthBytes, 8);
    const auto* bits = static_cast<const std::uint8_t*>(info.bmBits);
    EXPECT_EQ(bits[0], 0);
    EXPECT_EQ(bits[8 + 4], 14);  // row 1, column 4
    EXPECT_EQ(bits[16 + 2], 22);
    // Scaled on load.
    HBITMAP big = Load("art/small.bmp", 10, 6);
    GetObjectA(big, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 10);
    EXPECT_EQ(static_cast<const std::uint8_t*>(info.bmBits)[info.bmWidthBytes * 5 + 9], 24);
    DeleteObject(big);
    DeleteObject(b);
    EXPECT_EQ(Load("ART\\NONE.BMP"), nullptr);
}

TEST_F(GdiTest, RefusesBitmapsItCannotRead) {
    const std::vector<std::uint8_t> good = Encode_Bmp8(Small_Picture());
    struct Case {
        const char* what;
        std::function<void(std::vector<std::uint8_t>&)> patch;
    };
    const std::vector<Case> cases = {
        {"4 bits", [](auto& f) { Set_U16(f, 28, 4); }},
        {"24 bits", [](auto& f) { Set_U16(f, 28, 24); }},
        {"run-length compressed", [](auto& f) { Set_U32(f, 30, 1); }},
        {"two planes", [](auto& f) { Set_U16(f, 26, 2); }},
        {"negative width", [](auto& f) { Set_U32(f, 18, 0xFFFFFFFB); }},
        {"no height", [](auto& f) { Set_U32(f, 22, 0); }},
        {"height past the data", [](auto& f) { Set_U32(f, 22, 1000); }},
        {"width past the data", [](auto& f) { Set_U32(f, 18, 100000); }},
        {"pixels past the end", [](auto& f) { Set_U32(f, 10, static_cast<std::uint32_t>(f.size())); }},
        {"pixels inside the header", [](auto& f) { Set_U32(f, 10, 20); }},
        {"header size past the end", [](auto& f) { Set_U32(f, 14, 0xFFFFFFF0u); }},
        {"core header", [](auto& f) { Set_U32(f, 14, 12); }},
        {"257 colours", [](auto& f) { Set_U32(f, 46, 257); }},
        {"cut", [](auto& f) { f.resize(f.size() - 1); }},
        {"not BM", [](auto& f) { f[1] = 'A'; }},
        {"empty", [](auto& f) { f.clear(); }},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = good;
        c.patch(bytes);
        ASSERT_TRUE(Write_File_Atomic(root / "bad.bmp", bytes));
        EXPECT_EQ(Load("bad.bmp"), nullptr) << c.what;
    }
    // Top-down files (negative height) are read too.
    std::vector<std::uint8_t> top_down = good;
    Set_U32(top_down, 22, static_cast<std::uint32_t>(-3));
    ASSERT_TRUE(Write_File_Atomic(root / "top.bmp", top_down));
    HBITMAP b = Load("top.bmp");
    ASSERT_NE(b, nullptr);
    BITMAP info{};
    GetObjectA(b, sizeof(info), &info);
    EXPECT_EQ(static_cast<const std::uint8_t*>(info.bmBits)[0], 20);  // the file's first row is its top
    DeleteObject(b);
}

TEST_F(GdiTest, CopyToSixteenBitsConvertsColoursAndToEightBitsKeepsIndexes) {
    HBITMAP b = Load("art/small.bmp");
    auto* rgb = Surface(8, 4, false);
    Copy(b, rgb);
    const auto* row1 = reinterpret_cast<const std::uint16_t*>(rgb->Bits() + rgb->Pitch());
    // Index 13 is (13, 26, 39): 565 keeps the top 5, 6, 5 bits.
    EXPECT_EQ(row1[3], ((13 >> 3) << 11) | ((26 >> 2) << 5) | (39 >> 3));
    auto* indexed = Surface(8, 4, true);
    Copy(b, indexed);
    EXPECT_EQ(indexed->Bits()[indexed->Pitch() * 2 + 4], 24);
    EXPECT_EQ(indexed->Bits()[5], 0);  // outside the picture: untouched
    DeleteObject(b);
}

TEST_F(GdiTest, SetPixelMatchesTheSurfaceFormat) {
    auto* s565 = Surface(4, 4, false);
    Display_Options().rgb555 = true;
    auto* s555 = Surface(4, 4, false);
    auto* s8 = Surface(4, 4, true);
    PALETTEENTRY entries[256] = {};
    for (int i = 0; i < 256; ++i) entries[i] = {static_cast<BYTE>(i), 0, 0, 0};
    entries[200] = {255, 0, 255, 0};
    LPDIRECTDRAWPALETTE palette = nullptr;
    dd->CreatePalette(DDPCAPS_8BIT, entries, &palette, nullptr);
    s8->SetPalette(palette);
    palette->Release();
    HDC dc;
    s565->GetDC(&dc);
    COLORREF shown = SetPixel(dc, 1, 0, RGB(222, 182, 148));  // the colour as the surface holds it
    EXPECT_EQ(shown, GetPixel(dc, 1, 0));
    s565->ReleaseDC(dc);
    EXPECT_EQ(reinterpret_cast<const std::uint16_t*>(s565->Bits())[1], (27 << 11) | (45 << 5) | 18);
    s555->GetDC(&dc);
    SetPixel(dc, 1, 0, RGB(222, 182, 148));
    EXPECT_EQ(SetPixel(dc, 9, 9, RGB(1, 2, 3)), CLR_INVALID);
    s555->ReleaseDC(dc);
    EXPECT_EQ(reinterpret_cast<const std::uint16_t*>(s555->Bits())[1], (27 << 10) | (22 << 5) | 18);
    s8->GetDC(&dc);
    SetPixel(dc, 0, 0, RGB(255, 0, 255));
    SetPixel(dc, 1, 0, RGB(101, 3, 2));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 255));
    s8->ReleaseDC(dc);
    EXPECT_EQ(s8->Bits()[0], 200);  // the nearest palette entry
    EXPECT_EQ(s8->Bits()[1], 101);
}

}  // namespace
