#include <gtest/gtest.h>

#include "System/DisplayFixture.h"
#include "System/Palette.h"
#include "support/FileFaultBox.h"
#include "tools/writers/FileWrite.h"

namespace {

// What the shade table must hold for a palette colour at a light level,
// computed here from the pixel format alone.
std::uint16_t Expected(const Rgb& c, int level, int red_bits, int green_bits, int blue_bits) {
    auto channel = [level](int v, int bits, int shift) {
        int shaded = std::min(v * level * 4 / 180, 255);
        int max = (1 << bits) - 1;
        return ((shaded * max) >> 8) << shift;
    };
    return static_cast<std::uint16_t>(channel(c.r, red_bits, green_bits + blue_bits) |
                                      channel(c.g, green_bits, blue_bits) | channel(c.b, blue_bits, 0));
}

TEST_F(DisplayTest, ChannelTablesOf565) {
    EXPECT_EQ(red_table.shift, 11);
    EXPECT_EQ(red_table.bits, 5);
    EXPECT_EQ(green_table.shift, 5);
    EXPECT_EQ(green_table.bits, 6);
    EXPECT_EQ(green_table.max, 63u);
    EXPECT_EQ(blue_table.shift, 0);
    EXPECT_EQ(blue_table.max, 31u);
    EXPECT_EQ(red_table.table[255], ((255u * 31) >> 8) << 11);
    EXPECT_EQ(green_table.table[128], ((128u * 63) >> 8) << 5);
    EXPECT_EQ(blue_table.table[0], 0u);
}

TEST_F(DisplayTest, ShadeTableLevelsOf565) {
    const auto palette = test_art::Palette();
    for (int level : {0, 10, 44, 45, 46, 63})
        for (int i : {0, 1, 100, 200, 253, 255})
            EXPECT_EQ(shade_table[level][i], Expected(palette[i], level, 5, 6, 5)) << level << " " << i;
    // Level 45 is the palette colour itself, through the channel tables.
    for (int i : {1, 77, 200})
        EXPECT_EQ(shade_table[45][i],
                  red_table.table[palette[i].r] | green_table.table[palette[i].g] | blue_table.table[palette[i].b]);
    // Red 200 at level 63 is 280, capped at 255.
    EXPECT_EQ(shade_table[63][200] & 0xF800, red_table.table[255]);
    EXPECT_EQ(shade_table[62][200] & 0xF800, red_table.table[255]);  // 275, capped too
    EXPECT_EQ(shade_table[50][200] & 0xF800, red_table.table[222]);
}

TEST_F(DisplayTest, A555DisplayGivesFiveBitGreen) {
    Close_Display();
    Display_Options().rgb555 = true;
    Open_Display();
    EXPECT_EQ(green_table.max, 31u);
    EXPECT_EQ(green_table.shift, 5);
    EXPECT_EQ(green_table.bits, 5);
    EXPECT_EQ(red_table.shift, 10);
    const auto palette = test_art::Palette();
    for (int i : {1, 100, 200, 255}) EXPECT_EQ(shade_table[45][i], Expected(palette[i], 45, 5, 5, 5));
    EXPECT_EQ(ui_background, Pixel_From_Colour(BACK->Layout(), RGB(222, 182, 148)));
}

TEST_F(DisplayTest, MissingPaletteBitmapAsksToQuitAndLeavesTheTable) {
    Close_Display();
    std::filesystem::rename(root / "artwork" / "palettes" / "palette.bmp", root / "palette.bak");
    std::memset(shade_table, 0, sizeof(shade_table));
    backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
    Init_DirectDraw();
    EXPECT_EQ(Create_Surfaces(), 1);
    surfaces_ready = 1;
    std::filesystem::rename(root / "palette.bak", root / "artwork" / "palettes" / "palette.bmp");
    ASSERT_EQ(backend().boxes.size(), 1u);
    EXPECT_TRUE(fixture::Is_File_Fault_Box(backend().boxes[0], "Palette load failed", "/PALETTE.BMP",
                                           "No such file or directory", true));
    EXPECT_EQ(shade_table[45][200], 0);
}

TEST_F(DisplayTest, PaletteTablesThatCannotBeReadAreNamedAndLeftAsTheyWere) {
    namespace fs = std::filesystem;
    const fs::path palettes = root / "artwork" / "palettes";
    const std::vector<std::uint8_t> whole(256, 7);
    std::vector<std::uint8_t> half(128, 9);
    ASSERT_TRUE(Write_File_Atomic(palettes / "pal0.shd", half));
    fs::rename(palettes / "PAL0.CNV", root / "pal0.cnv.bak");
    backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
    const auto kept_remap = remap_tables[0];
    const auto kept_shade = shade_files[0];
    Load_Palette_Tables();
    fs::rename(root / "pal0.cnv.bak", palettes / "PAL0.CNV");
    ASSERT_TRUE(Write_File_Atomic(palettes / "pal0.shd", whole));
    ASSERT_EQ(backend().boxes.size(), 2u);
    EXPECT_TRUE(fixture::Is_File_Fault_Box(backend().boxes[0], "cannot open file ...", "/PAL0.CNV",
                                           "No such file or directory", true));
    EXPECT_TRUE(fixture::Is_File_Fault_Box(backend().boxes[1], "Palette table too short", "/pal0.shd",
                                           "128 of 256 bytes", true));
    EXPECT_EQ(remap_tables[0], kept_remap);
    EXPECT_EQ(shade_files[0], kept_shade);
    backend().boxes.clear();
    Load_Palette_Tables();
    EXPECT_TRUE(backend().boxes.empty());
    EXPECT_EQ(shade_files[0][100], 7);
    ASSERT_TRUE(Write_File_Atomic(palettes / "pal0.shd", std::vector<std::uint8_t>(256, 0)));
}

}  // namespace
