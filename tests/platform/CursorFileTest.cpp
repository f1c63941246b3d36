// Cursor files: pictures of every colour depth come back with their hot
// spot and transparency, the entry nearest 32 x 32 is taken, and damaged or
// hostile files are refused without reading outside them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/CursorFile.h"
#include "platform/PathResolver.h"
#include "platform/headless/HeadlessBackend.h"
#include "tools/writers/CurWriter.h"

namespace {

namespace fs = std::filesystem;

// A 5 x 3 picture of indexes 0..3 whose index 3 is transparent.
CurPicture Small_Picture() {
    CurPicture p;
    p.width = 5;
    p.height = 3;
    p.hot_x = 4;
    p.hot_y = 1;
    p.pixels = {0, 1, 2, 3, 1, 1, 1, 0, 3, 2, 2, 3, 3, 0, 0};
    p.palette[0] = {10, 20, 30};
    p.palette[1] = {200, 0, 0};
    p.palette[2] = {0, 250, 5};
    p.palette[3] = {255, 0, 255};
    p.transparent = 3;
    return p;
}

std::uint32_t Argb(const Rgb& c) { return 0xFF000000u | (c.r << 16) | (c.g << 8) | c.b; }

TEST(CursorFile, EveryColourDepthReadsBackWithHotSpotAndTransparency) {
    const CurPicture p = Small_Picture();
    for (int bits : {1, 4, 8, 24, 32}) {
        CurPicture q = p;
        // One bit holds two colours: the picture keeps to indexes 0 and 1,
        // and the mask alone makes pixels transparent.
        if (bits == 1)
            for (std::uint8_t& i : q.pixels) i = i % 2;
        const std::vector<std::uint8_t> file = Encode_Cur(q, bits);
        ASSERT_FALSE(file.empty()) << bits;
        const std::optional<cursor_image> image = Parse_Cursor_File(file.data(), file.size());
        ASSERT_TRUE(image) << bits;
        EXPECT_EQ(image->width, 5) << bits;
        EXPECT_EQ(image->height, 3) << bits;
        EXPECT_EQ(image->hot_x, 4) << bits;
        EXPECT_EQ(image->hot_y, 1) << bits;
        for (std::size_t i = 0; i < q.pixels.size(); ++i) {
            const std::uint8_t index = q.pixels[i];
            const std::uint32_t want = index == q.transparent ? 0 : Argb(q.palette[index]);
            EXPECT_EQ(image->argb[i], want) << bits << " bits, pixel " << i;
        }
    }
}

TEST(CursorFile, TakesTheEntryNearest32Pixels) {
    CurPicture small = Small_Picture();
    CurPicture big = small;
    big.width = big.height = 32;
    big.pixels.assign(32 * 32, 2);
    big.hot_x = big.hot_y = 9;
    // Two entries: the 5 x 3 picture first, then the 32 x 32 one.
    const std::vector<std::uint8_t> a = Encode_Cur(small), b = Encode_Cur(big);
    const std::size_t image_a = a.size() - 22, image_b = b.size() - 22;
    std::vector<std::uint8_t> file = {0, 0, 2, 0, 2, 0};
    auto entry = [&](const std::vector<std::uint8_t>& from, std::size_t offset) {
        std::vector<std::uint8_t> e(from.begin() + 6, from.begin() + 22);
        for (int i = 0; i < 4; ++i) e[12 + i] = static_cast<std::uint8_t>(offset >> (8 * i));
        file.insert(file.end(), e.begin(), e.end());
    };
    entry(a, 38);
    entry(b, 38 + image_a);
    file.insert(file.end(), a.begin() + 22, a.end());
    file.insert(file.end(), b.begin() + 22, b.end());
    ASSERT_EQ(file.size(), 38 + image_a + image_b);
    const std::optional<cursor_image> image = Parse_Cursor_File(file.data(), file.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 32);
    EXPECT_EQ(image->hot_x, 9);
    EXPECT_EQ(image->argb[0], Argb(big.palette[2]));
}

TEST(CursorFile, RefusesDamagedFiles) {
    const std::vector<std::uint8_t> good = Encode_Cur(Small_Picture());
    ASSERT_TRUE(Parse_Cursor_File(good.data(), good.size()));
    // Every cut of the file is refused.
    for (std::size_t n = 0; n < good.size(); ++n) EXPECT_FALSE(Parse_Cursor_File(good.data(), n)) << n;

    struct damage {
        const char* what;
        std::size_t at;
        std::uint8_t value;
    };
    const damage cases[] = {
        {"an icon, not a cursor", 2, 1},
        {"no entries", 4, 0},
        {"the image beyond the file", 19, 0x7F},
        {"an image length beyond the file", 17, 0x7F},
        {"a header shorter than 40 bytes", 22, 12},
        {"an odd double height", 30, 7},
        {"a negative width", 29, 0xFF},
        {"16 bits per pixel", 36, 16},
        {"a compressed picture", 38, 1},
        {"a width over 256", 27, 2},
    };
    for (const damage& d : cases) {
        std::vector<std::uint8_t> bad = good;
        bad[d.at] = d.value;
        EXPECT_FALSE(Parse_Cursor_File(bad.data(), bad.size())) << d.what;
    }
    EXPECT_FALSE(Parse_Cursor_File(nullptr, 100));
}

TEST(CursorFile, LoadCursorFromFileMakesTheBackendsCursor) {
    const fs::path root = fs::temp_directory_path() / ("orvex-cursor-" + std::to_string(::getpid()));
    fs::create_directories(root / "cursor");
    ASSERT_TRUE(Write_Cur(root / "cursor" / "sword.cur", Small_Picture()));
    Set_Window_Backend(nullptr);
    Headless_Backend().Reset();
    Set_Working_Folder(root);
    const HCURSOR cursor = LoadCursorFromFileA("CURSOR\\SWORD.CUR");
    EXPECT_NE(cursor, nullptr);
    ASSERT_EQ(Headless_Backend().cursors.size(), 1u);
    EXPECT_EQ(Headless_Backend().cursors[0].hot_x, 4);
    EXPECT_EQ(LoadCursorFromFileA("CURSOR\\SHIELD.CUR"), nullptr) << "a missing file";
    EXPECT_EQ(LoadCursorFromFileA(nullptr), nullptr);
    Set_Working_Folder({});
    Headless_Backend().Reset();
    fs::remove_all(root);
}

}  // namespace
