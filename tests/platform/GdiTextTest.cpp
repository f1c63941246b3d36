#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/DDraw.h"
#include "platform/Gdi.h"
#include "platform/PathResolver.h"
#include "tools/writers/FntRender.h"

namespace fs = std::filesystem;

namespace {

// A working folder with FONTS/TEST.FON: face "Test Serif", strikes of 13
// (normal) and 16 (bold) pixels rendered from DejaVu Serif.
class GdiText : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        root = fs::temp_directory_path() / ("orvex-gditext-" + std::to_string(::getpid()));
        fs::create_directories(root / "fonts");
        auto normal = Render_Fnt_Strike(dejavu_folder / "DejaVuSerif.ttf", "Test Serif", 13, FW_NORMAL);
        auto bold = Render_Fnt_Strike(dejavu_folder / "DejaVuSerif-Bold.ttf", "Test Serif", 16, FW_BOLD);
        ASSERT_TRUE(normal && bold);
        ASSERT_TRUE(Write_Fon(root / "fonts" / "test.fon", {*normal, *bold}, "TESTSERIF"));
    }
    static void TearDownTestSuite() { fs::remove_all(root); }

    void SetUp() override {
        Set_Working_Folder(root);
        ASSERT_EQ(AddFontResourceA("FONTS\\TEST.FON"), 2);
        ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
        ASSERT_EQ(dd->SetCooperativeLevel(reinterpret_cast<HWND>(1), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
        DDSURFACEDESC desc = Offscreen_Surface_Desc(320, 40);
        ASSERT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DD_OK);
        ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    }
    void TearDown() override {
        surface->ReleaseDC(dc);
        surface->Release();
        dd->Release();
        for (HFONT f : fonts) DeleteObject(f);
        RemoveFontResourceA("FONTS\\TEST.FON");
        Set_Working_Folder({});
    }

    HFONT Font(int height, int weight) {
        HFONT f = CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Test Serif");
        fonts.push_back(f);
        SelectObject(dc, f);
        return f;
    }
    RECT Measure(const char* text, int width, UINT* drawn = nullptr) {
        RECT r{10, 0, 10 + width, 13};
        DRAWTEXTPARAMS p{sizeof(DRAWTEXTPARAMS), 0, 0, 0, 0};
        DrawTextExA(dc, text, -1, &r, DT_WORDBREAK | DT_CALCRECT, &p);
        if (drawn) *drawn = p.uiLengthDrawn;
        return r;
    }
    int Ink_Rows(std::uint16_t ink, int& first, int& last) {
        first = -1;
        last = -1;
        int count = 0;
        for (int y = 0; y < surface->Height(); ++y) {
            const auto* row = reinterpret_cast<const std::uint16_t*>(surface->Bits() + y * surface->Pitch());
            for (int x = 0; x < surface->Width(); ++x) {
                if (row[x] == ink) {
                    if (first < 0) first = y;
                    last = y;
                    ++count;
                }
            }
        }
        return count;
    }

    static inline fs::path root;
    LPDIRECTDRAW dd = nullptr;
    LPDIRECTDRAWSURFACE surface = nullptr;
    HDC dc = nullptr;
    std::vector<HFONT> fonts;
};

TEST_F(GdiText, StrikeChosenByHeightThenWeight) {
    Font(13, FW_DONTCARE);
    EXPECT_EQ(Measure("Hello", 300).bottom, 13);
    Font(16, FW_BOLD);
    EXPECT_EQ(Measure("Hello", 300).bottom, 16);
    Font(15, FW_BOLD);  // no 15: the nearest is 16
    EXPECT_EQ(Measure("Hello", 300).bottom, 16);
    Font(14, FW_NORMAL);  // 13 is nearer than 16
    EXPECT_EQ(Measure("Hello", 300).bottom, 13);
}

TEST_F(GdiText, FaceNameChoosesTheFontAndAnUnknownOneFallsBack) {
    auto mono = Render_Fnt_Strike(dejavu_folder / "DejaVuSansMono.ttf", "Test Mono", 13, FW_NORMAL);
    ASSERT_TRUE(mono);
    ASSERT_TRUE(Write_Fon(root / "fonts" / "mono.fon", {*mono}, "TESTMONO"));
    ASSERT_EQ(AddFontResourceA("fonts/mono.fon"), 1);
    auto width_in = [this](const char* face) {
        HFONT f = CreateFontA(13, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
        fonts.push_back(f);
        SelectObject(dc, f);
        RECT r = Measure("iiiiiiii", 300);
        return r.right - r.left;
    };
    const int serif = width_in("Test Serif"), mono_width = width_in("test mono");
    EXPECT_GT(mono_width, serif);  // monospaced i's are wider
    EXPECT_GT(width_in("No Such Face"), 0);
    RemoveFontResourceA("fonts/mono.fon");
}

TEST_F(GdiText, MeasureAndWordBreak) {
    Font(13, FW_NORMAL);
    RECT one = Measure("aaa bbb", 1000);
    int line = one.right - one.left;
    ASSERT_GT(line, 0);
    // Exactly as wide as "aaa bbb": the first line takes it and the space.
    UINT drawn = 0;
    RECT r = Measure("aaa bbb ccc", line, &drawn);
    EXPECT_EQ(drawn, 8u);
    EXPECT_EQ(r.bottom, 13);  // lines at or below the rect's bottom are not processed
    EXPECT_EQ(r.right - r.left, line);
    // Everything fits: all characters processed.
    Measure("aaa bbb ccc", 1000, &drawn);
    EXPECT_EQ(drawn, 11u);
    // A word wider than the line is broken where it overflows.
    Measure("wwwwwwwwwwwwwwwwwwww", line, &drawn);
    EXPECT_GT(drawn, 0u);
    EXPECT_LT(drawn, 20u);
    // Only blanks: they are all consumed.
    Measure("   ", 1000, &drawn);
    EXPECT_EQ(drawn, 3u);
}

TEST_F(GdiText, TextOutBottomAlignedInTextColourOnTransparentBackground) {
    Font(16, FW_BOLD);
    DDBLTFX fx{sizeof(DDBLTFX), 0x1234};
    surface->ReleaseDC(dc);
    ASSERT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    SelectObject(dc, fonts.back());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 0));
    SetTextAlign(dc, TA_BOTTOM);
    ASSERT_TRUE(TextOutA(dc, 5, 30, "Sword", 5));
    const std::uint16_t yellow = 0xFFE0;
    int first, last;
    EXPECT_GT(Ink_Rows(yellow, first, last), 20);
    EXPECT_GE(first, 30 - 16);
    EXPECT_LT(last, 30);
    // Every other pixel kept the fill.
    int other = 0;
    for (int y = 0; y < surface->Height(); ++y)
        for (int x = 0; x < surface->Width(); ++x) {
            auto p = reinterpret_cast<const std::uint16_t*>(surface->Bits() + y * surface->Pitch())[x];
            if (p != yellow && p != 0x1234) ++other;
        }
    EXPECT_EQ(other, 0);
}

TEST_F(GdiText, RemovedFontsDrawNothing) {
    Font(13, FW_NORMAL);
    ASSERT_TRUE(RemoveFontResourceA("FONTS\\TEST.FON"));
    EXPECT_FALSE(RemoveFontResourceA("FONTS\\TEST.FON"));
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, 0, 0, "Hello", 5);
    int first, last;
    EXPECT_EQ(Ink_Rows(0xFFFF, first, last), 0);
    ASSERT_EQ(AddFontResourceA("FONTS\\TEST.FON"), 2);  // for TearDown
}

TEST_F(GdiText, AddingAFileThatIsNotAFontFails) {
    std::FILE* f = std::fopen((root / "fonts" / "junk.fon").c_str(), "wb");
    std::fputs("MZ this is not a font", f);
    std::fclose(f);
    EXPECT_EQ(AddFontResourceA("FONTS\\JUNK.FON"), 0);
    EXPECT_EQ(AddFontResourceA("FONTS\\MISSING.FON"), 0);
}

}  // namespace
