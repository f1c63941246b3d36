// A working folder with the artwork the display needs (palette bitmap,
// palette tables, title picture, the two font files), and a fixture that
// opens the display on the headless backend with the surfaces ready.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "System/ClipRect.h"
#include "System/Cursor.h"
#include "System/Display.h"
#include "System/Fonts.h"
#include "System/MessageLine.h"
#include "System/Palette.h"
#include "System/ScreenType.h"
#include "System/Sprite.h"
#include "System/SurfaceLock.h"
#include "platform/PathResolver.h"
#include "support/HeadlessFixture.h"
#include "support/MapArtFolder.h"
#include "tools/artgen/folder/ArtFiles.h"
#include "tools/writers/BmpWriter.h"
#include "tools/writers/DysWriter.h"
#include "tools/writers/PaletteWriter.h"

namespace test_art {

namespace fs = std::filesystem;

constexpr int key_index() { return 253; }

// Index 0 black, 253 the sprites' key colour magenta, every other entry a
// colour of its own (no two alike), entry 200 has red 200.
inline std::array<Rgb, 256> Palette() {
    std::array<Rgb, 256> p{};
    for (int i = 0; i < 256; ++i)
        p[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>((i * 3) % 256),
                static_cast<std::uint8_t>(255 - i)};
    p[0] = {0, 0, 0};
    p[key_index()] = {255, 0, 255};
    return p;
}

// PAL0.CNV: every index to the next one.
inline PaletteTable Remap() {
    PaletteTable t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<std::uint8_t>((i + 1) % 256);
    return t;
}

inline Bmp8 Picture(int width, int height, std::uint8_t fill) {
    Bmp8 b;
    b.width = width;
    b.height = height;
    b.palette = Palette();
    b.pixels.assign(static_cast<std::size_t>(width) * height, fill);
    return b;
}

inline void Write_Fonts(const fs::path& system) { ASSERT_TRUE(art::Write_Font_Files(system)); }

// The whole folder, with lower-case names where the game spells them in
// capitals (the resolver matches either).
inline void Write_Folder(const fs::path& root) {
    fs::create_directories(root / "artwork" / "palettes");
    fs::create_directories(root / "artwork" / "pages");
    fs::create_directories(root / "artwork" / "system");
    ASSERT_TRUE(Write_Bmp8(root / "artwork" / "palettes" / "palette.bmp", Palette_Bitmap(Palette())));
    ASSERT_TRUE(Write_Palette_Table(root / "artwork" / "palettes" / "PAL0.CNV", Remap()));
    for (int i = 0; i < 4; ++i) {
        PaletteTable shade{};
        shade.fill(static_cast<std::uint8_t>(i));
        ASSERT_TRUE(Write_Palette_Table(root / "artwork" / "palettes" / ("pal" + std::to_string(i) + ".shd"), shade));
    }
    ASSERT_TRUE(Write_Bmp8(root / "artwork" / "pages" / "cimkep2.bmp", Picture(640, 480, 7)));
    Write_Fonts(root / "artwork" / "system");
}

inline fs::path Folder_Name(const char* what) {
    return fs::temp_directory_path() / ("orvex-" + std::string(what) + "-" + std::to_string(::getpid()));
}

}  // namespace test_art

// The display open on the headless backend: Init_DirectDraw, Create_Surfaces
// and surfaces_ready, the palette tables loaded, the full clip rect, no
// cursor shown, the screen that of the hexamap.
class DisplayTest : public HeadlessTest {
  protected:
    static void SetUpTestSuite() {
        root = test_art::Folder_Name("display");
        std::filesystem::remove_all(root);
        test_art::Write_Folder(root);
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(root); }

    void SetUp() override {
        HeadlessTest::SetUp();
        Set_Working_Folder(root);
        Set_Main_Window(reinterpret_cast<HWND>(0x1234));
        dd_cursor = dd_cursor_state{};
        message_line = message_line_state{{}, {0, 467, 300, 480}};
        Open_Display();
    }
    void TearDown() override {
        Close_Display();
        Display_Options() = DisplayOptions{};
        dd_cursor = dd_cursor_state{};
        ScreenType = SCREEN_NONE;
        Set_Main_Window(nullptr);
        Set_Working_Folder({});
        EXPECT_EQ(Live_Surface_Count(), 0) << "a surface was not released";
        HeadlessTest::TearDown();
    }

    void Open_Display() {
        Init_DirectDraw();
        ASSERT_EQ(Create_Surfaces(), 1);
        surfaces_ready = 1;
        Load_Palette_Tables();
        Set_Full_Clip();
        ASSERT_TRUE(backend().boxes.empty()) << backend().boxes[0].caption;
        Display_Primary()->Take_Dirty_Rect(ignored_rect);
    }
    void Close_Display() {
        Release_Surfaces();
        Release_DirectDraw();
    }

    static std::uint16_t Pixel(LPDIRECTDRAWSURFACE s, int x, int y) {
        return reinterpret_cast<const std::uint16_t*>(s->Bits() + y * s->Pitch())[x];
    }
    static void Fill(LPDIRECTDRAWSURFACE s, std::uint16_t value) {
        DDBLTFX fx{sizeof(DDBLTFX), value};
        ASSERT_EQ(s->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    }
    // Every pixel its own value, so a misplaced copy shows.
    static void Fill_Pattern(LPDIRECTDRAWSURFACE s) {
        for (int y = 0; y < s->Height(); ++y)
            for (int x = 0; x < s->Width(); ++x)
                reinterpret_cast<std::uint16_t*>(s->Bits() + y * s->Pitch())[x] =
                    static_cast<std::uint16_t>((x * 7 + y * 131) | 1);
    }
    static std::vector<std::uint16_t> Snapshot(LPDIRECTDRAWSURFACE s) {
        std::vector<std::uint16_t> out;
        for (int y = 0; y < s->Height(); ++y)
            for (int x = 0; x < s->Width(); ++x) out.push_back(Pixel(s, x, y));
        return out;
    }
    static std::uint16_t Shade(int index, int light = LIGHT_PLAIN) { return shade_table[light][index]; }

    // Writes a DYS file into the working folder.
    static void Write_Dys_File(const char* name, const DysImage& image) { ASSERT_TRUE(Write_Dys(root / name, image)); }
    static void Write_Bmp_File(const char* name, const Bmp8& picture) { ASSERT_TRUE(Write_Bmp8(root / name, picture)); }

    static inline std::filesystem::path root;
    RECT ignored_rect{};
};
