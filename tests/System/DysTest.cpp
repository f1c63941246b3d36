#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cctype>
#include <functional>
#include <utility>

#include "System/DisplayFixture.h"
#include "System/Dys.h"
#include "support/FileFaultBox.h"
#include "tools/writers/FileWrite.h"

namespace {

// A w x h picture: index 1 + (x * 3 + y * 5) % 90, with transparent (0)
// holes so that rows have several runs.
std::vector<std::uint8_t> Picture(int w, int h, int seed) {
    std::vector<std::uint8_t> p(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p[y * w + x] = ((x + y + seed) % 7 == 0) ? 0 : static_cast<std::uint8_t>(1 + (x * 3 + y * 5 + seed) % 90);
    return p;
}

class DysTest : public DisplayTest {
  protected:
    void TearDown() override {
        for (sprite* s : loaded) Release_Sprite(s);
        DisplayTest::TearDown();
    }
    sprite* Load(const char* name) {
        sprite* s = Load_DYS(name);
        loaded.push_back(s);
        return s;
    }
    // Draws frame into BACK (filled with 0x0404 first) with the full clip.
    void Draw(const sprite* s, int frame, int x, int y, int palette, int light) {
        Fill(BACK, 0x0404);
        Put_Sprite(BACK, x, y, s, frame, palette, light);
    }
    // The picture drawn at (x, y), index mapped through map.
    void Expect_Picture(const std::vector<std::uint8_t>& p, int w, int h, int x, int y,
                        const std::function<std::uint16_t(std::uint8_t)>& map) {
        for (int py = 0; py < h; ++py)
            for (int px = 0; px < w; ++px) {
                std::uint8_t i = p[py * w + px];
                ASSERT_EQ(Pixel(BACK, x + px, y + py), i == 0 ? 0x0404 : map(i)) << px << "," << py;
            }
    }
    std::vector<sprite*> loaded;
};

TEST_F(DysTest, RoundTripThroughWriterAndReader) {
    DysImage image;
    image.value4 = -3;
    image.value10 = 77;
    image.width = 40;
    image.height = 30;
    image.x_origin = -16;
    image.y_origin = 5;
    for (int f = 0; f < 3; ++f)
        image.frames.push_back({static_cast<std::int16_t>(f * 2 - 20), static_cast<std::int16_t>(-f),
                                Encode_Dys_Runs(30 + f, 20, Picture(30 + f, 20, f).data(), 0)});
    Write_Dys_File("hero.dys", image);
    sprite* s = Load("ARTWORK\\..\\HERO");
    ASSERT_TRUE(backend().boxes.empty());
    EXPECT_EQ(s->kind, SPRITE_RUN_LENGTH);
    EXPECT_EQ(s->frames, 3);
    EXPECT_EQ(s->width, 40);
    EXPECT_EQ(s->height, 30);
    EXPECT_EQ(s->hot_x, 16);  // the negated origin
    EXPECT_EQ(s->hot_y, -5);
    for (int f = 0; f < 3; ++f) {
        Draw(s, f, 200, 100, 0, LIGHT_PLAIN);
        Expect_Picture(Picture(30 + f, 20, f), 30 + f, 20, 200 + f * 2 - 20, 100 - f,
                       [](std::uint8_t i) { return Shade(i); });
    }
    // The header comes out as it went in.
    CDysFrame* table = nullptr;
    CDysHeader header{};
    ASSERT_EQ(Read_DYS_File("hero.dys", &table, &header), 3);
    EXPECT_EQ(header.value4, -3);
    EXPECT_EQ(header.value10, 77u);
    EXPECT_TRUE(header.Check());
    EXPECT_EQ(table[2].x, -16);
    delete[] table;
}

TEST_F(DysTest, RemapAndLightLevel) {
    const auto p = Picture(12, 8, 4);
    DysImage image;
    image.frames.push_back({0, 0, Encode_Dys_Runs(12, 8, p.data(), 0)});
    Write_Dys_File("remap.dys", image);
    sprite* s = Load("remap");
    const auto remap = test_art::Remap();  // PAL0.CNV: i -> i + 1
    Draw(s, 0, 10, 10, 1, LIGHT_PLAIN);
    Expect_Picture(p, 12, 8, 10, 10, [&](std::uint8_t i) { return Shade(remap[i]); });
    Draw(s, 0, 10, 10, 1, 12);
    Expect_Picture(p, 12, 8, 10, 10, [&](std::uint8_t i) { return Shade(remap[i], 12); });
    Draw(s, 0, 10, 10, 0, 63);
    Expect_Picture(p, 12, 8, 10, 10, [](std::uint8_t i) { return Shade(i, 63); });
    // Beyond the one remap table: drawn without remap, nothing read past it.
    Draw(s, 0, 10, 10, 2, LIGHT_PLAIN);
    Expect_Picture(p, 12, 8, 10, 10, [](std::uint8_t i) { return Shade(i); });
    // With bit 7 set a palette becomes (palette without bit 7) + 32768, and
    // the remap is that minus 1: 128 gives 32767, the largest remap there is,
    // and draws without one; 132 (the cursor's shadow) and above draw nothing.
    for (int palette : {127, 128, 256, 300}) {
        Draw(s, 0, 10, 10, palette, LIGHT_PLAIN);
        Expect_Picture(p, 12, 8, 10, 10, [](std::uint8_t i) { return Shade(i); });
    }
    for (int palette : {129, 132, 255, 384}) {
        Draw(s, 0, 10, 10, palette, LIGHT_PLAIN);
        EXPECT_EQ(Snapshot(BACK), std::vector<std::uint16_t>(640 * 480, 0x0404)) << palette;
    }
}

TEST_F(DysTest, BlitterClipsRunsAtTheEdges) {
    // Rows of one 10-pixel run each, from (100, 50).
    std::vector<std::uint8_t> p(10 * 6, 9);
    DysImage image;
    image.frames.push_back({0, 0, Encode_Dys_Runs(10, 6, p.data(), 0)});
    Write_Dys_File("bar.dys", image);
    sprite* s = Load("bar");
    Fill(BACK, 0x0404);
    Set_Clip_Rect(104, 52, 107, 55);  // cuts every run on both sides; bottom exclusive
    Put_Sprite(BACK, 100, 50, s, 0, 0, LIGHT_PLAIN);
    for (int y = 48; y < 60; ++y)
        for (int x = 96; x < 115; ++x) {
            bool in = x >= 104 && x < 107 && y >= 52 && y < 55;
            ASSERT_EQ(Pixel(BACK, x, y), in ? Shade(9) : 0x0404) << x << "," << y;
        }
    // A frame whose first byte ends it draws nothing.
    Lock_Surface(BACK);
    const std::uint8_t empty[] = {DYS_FRAME_END, 0, 1, 9, DYS_ROW_END};
    Set_Full_Clip();
    Draw_DYS_Frame(0, 0, empty, sizeof(empty), -1, LIGHT_PLAIN);
    Unlock_Surface(BACK);
    EXPECT_EQ(Pixel(BACK, 0, 0), 0x0404);
    EXPECT_EQ(Pixel(BACK, 1, 0), 0x0404);
}

TEST_F(DysTest, ManyFramesIntoOneLock) {
    const auto p = Picture(6, 6, 1);
    DysImage image;
    image.frames.push_back({0, 0, Encode_Dys_Runs(6, 6, p.data(), 0)});
    Write_Dys_File("dot.dys", image);
    sprite* s = Load("dot");
    Fill(BACK, 0x0404);
    Lock_Surface(BACK);
    EXPECT_EQ(BACK->Lock_Count(), 1);
    for (int i = 0; i < 5; ++i) Put_Sprite(BACK, i * 10, 0, s, 0, 0, LIGHT_PLAIN);
    EXPECT_EQ(BACK->Lock_Count(), 1);
    Unlock_Surface(BACK);
    EXPECT_EQ(BACK->Lock_Count(), 0);
    Expect_Picture(p, 6, 6, 40, 0, [](std::uint8_t i) { return Shade(i); });
}

TEST_F(DysTest, CorruptFilesAreRefused) {
    const auto p = Picture(8, 5, 2);
    DysImage image;
    image.width = 8;
    image.height = 5;
    image.frames.push_back({0, 0, Encode_Dys_Runs(8, 5, p.data(), 0)});
    image.frames.push_back({1, 1, Encode_Dys_Runs(8, 5, p.data(), 0)});
    const std::vector<std::uint8_t> good = Encode_Dys(image);
    const std::size_t second_frame = 30 + 6 + image.frames[0].data.size();
    using Patch = std::function<void(std::vector<std::uint8_t>&)>;
    struct Case {
        const char* what;
        Patch patch;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"bad magic", [](auto& f) { f[3] = 'X'; }, "Not a DYS file!"},
        {"too short for the magic", [](auto& f) { f.resize(4); }, "Not a DYS file!"},
        {"checksum one off", [](auto& f) { f[26] ^= 1; }, "DYS file is corrupted"},
        {"header cut", [](auto& f) { f.resize(20); }, "DYS file is corrupted"},
        {"frame count past the file",
         [](auto& f) {
             Set_U32(f, 6, 5000);
             Set_U32(f, 26, Dys_Checksum(f.data()));
         },
         "DYS file is corrupted"},
        {"frame count of 65535",
         [](auto& f) {
             Set_U32(f, 6, 0xFFFF);
             Set_U32(f, 26, Dys_Checksum(f.data()));
         },
         "DYS file is corrupted"},
        {"frame running past the end", [&](auto& f) { Set_U16(f, second_frame + 4, 0xFFF0); }, "DYS file is corrupted"},
        {"file cut in a frame", [](auto& f) { f.resize(f.size() - 2); }, "DYS file is corrupted"},
        {"row without its end marker",
         [&](auto& f) {
             // The last frame: one run of 3 pixels, then the frame ends.
             f.resize(second_frame);
             const std::uint8_t frame[] = {0, 0, 0, 0, 5, 0, 0, 3, 1, 2, 3};
             f.insert(f.end(), frame, frame + sizeof(frame));
         },
         "DYS file is corrupted"},
        {"run longer than its frame",
         [&](auto& f) {
             f.resize(second_frame);
             const std::uint8_t frame[] = {0, 0, 0, 0, 4, 0, 0, 200, 1, 254};
             f.insert(f.end(), frame, frame + sizeof(frame));
         },
         "DYS file is corrupted"},
        {"no end of frame",
         [&](auto& f) {
             f.resize(second_frame);
             const std::uint8_t frame[] = {0, 0, 0, 0, 4, 0, 0, 1, 1, 255};
             f.insert(f.end(), frame, frame + sizeof(frame));
         },
         "DYS file is corrupted"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = good;
        c.patch(bytes);
        ASSERT_TRUE(Write_File_Atomic(root / "bad.dys", bytes));
        backend().boxes.clear();
        Reset_Quitting();
        sprite* s = Load("BAD");
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->frames, 0) << c.what;
        EXPECT_EQ(s->frames_data, nullptr) << c.what;
        ASSERT_EQ(backend().boxes.size(), 1u) << c.what;
        EXPECT_TRUE(fixture::Is_File_Fault_Box(backend().boxes[0], c.message, "/bad.dys", "", true)) << c.what;
        Put_Sprite(BACK, 10, 10, s, 0, 0, LIGHT_PLAIN);  // nothing of it is ever drawn
        // The quiet loader (the editor's preview) gives none and says nothing.
        EXPECT_EQ(Try_Load_DYS("BAD"), nullptr) << c.what;
        EXPECT_EQ(backend().boxes.size(), 1u) << c.what;
    }
    // A file that is missing, a folder or a FIFO (which would block the
    // reading) is not opened.
    namespace fs = std::filesystem;
    fs::create_directories(root / "folder.dys");
    fs::remove(root / "fifo.dys");
    ASSERT_EQ(::mkfifo((root / "fifo.dys").c_str(), 0600), 0);
    for (const auto& [name, reason] : {std::pair{"NOWHERE", "No such file"}, std::pair{"FOLDER", "Is a directory"},
                                       std::pair{"FIFO", "not a regular file"}}) {
        backend().boxes.clear();
        Reset_Quitting();
        EXPECT_EQ(Load(name)->frames, 0) << name;
        ASSERT_EQ(backend().boxes.size(), 1u) << name;
        const std::string file = std::string("/") + name + ".DYS";
        std::string lower = file;
        for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_TRUE(fixture::Is_File_Fault_Box(backend().boxes[0], "cannot open file ...",
                                               name == std::string("NOWHERE") ? file : lower, reason, true));
    }
    fs::remove(root / "fifo.dys");
    fs::remove(root / "folder.dys");
}

}  // namespace
