#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "System/Bitmap.h"
#include "System/DisplayFixture.h"
#include "System/Dys.h"
#include "System/SpriteHandles.h"
#include "support/FileFaultBox.h"
#include "tools/writers/FileWrite.h"

namespace {

// A bitmap of frames side by side: pixel (x, y) of frame f is index
// 20 + f * 50 + (x + y) % 40, with a key-coloured (transparent) diagonal.
Bmp8 Frames_Picture(int frame_width, int height, int frames, std::optional<FixBlock> fix) {
    Bmp8 b = test_art::Picture(frame_width * frames, height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < frame_width * frames; ++x) {
            int f = x / frame_width, fx = x % frame_width;
            b.pixels[y * b.width + x] =
                fx == y ? test_art::key_index() : static_cast<std::uint8_t>(20 + f * 50 + (fx + y) % 40);
        }
    b.fix = fix;
    return b;
}

class SpriteTest : public DisplayTest {
  protected:
    void TearDown() override {
        for (sprite* s : loaded) Release_Sprite(s);
        DisplayTest::TearDown();
    }
    sprite* Load(const char* name) {
        sprite* s = LoadSprite(name, 0);
        if (s != nullptr) loaded.push_back(s);
        return s;
    }
    std::vector<sprite*> loaded;
};

TEST_F(SpriteTest, FixBlockGivesHotSpotFramesAndLayer) {
    Write_Bmp_File("two.bmp", Frames_Picture(65, 10, 2, FixBlock{3, 4, 2, 1, 0x0105}));
    sprite* s = Load("TWO");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->kind, SPRITE_BITMAP);
    EXPECT_EQ(s->width, 65);
    EXPECT_EQ(s->height, 10);
    EXPECT_EQ(s->surface->Width(), 132);  // rounded up to a multiple of 4
    EXPECT_EQ(s->frames, 2);
    EXPECT_EQ(s->hot_x, 3);
    EXPECT_EQ(s->hot_y, 4);
    EXPECT_EQ(s->layer, 5);
    // The key is the palette index of RGB(255, 0, 255).
    DDCOLORKEY key{};
    ASSERT_EQ(s->surface->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue, static_cast<DWORD>(test_art::key_index()));

    Write_Bmp_File("zero.bmp", Frames_Picture(8, 8, 1, FixBlock{0, 0, 0, 0, 0}));
    EXPECT_EQ(Load("zero")->frames, 1);  // a frame count of 0 means 1
    Write_Bmp_File("plain.bmp", Frames_Picture(8, 8, 1, std::nullopt));
    sprite* plain = Load("plain");
    EXPECT_EQ(plain->frames, 1);
    EXPECT_EQ(plain->hot_x, 0);
    EXPECT_EQ(plain->layer, 0);
    EXPECT_TRUE(backend().boxes.empty());
}

TEST_F(SpriteTest, FramesDrawAtTheirHotSpotThroughTheShadeTable) {
    Bmp8 picture = Frames_Picture(12, 9, 3, FixBlock{2, 5, 3, 1, 0});
    Write_Bmp_File("three.bmp", picture);
    sprite* s = Load("three");
    ASSERT_NE(s, nullptr);
    for (int frame = 0; frame < 3; ++frame) {
        for (int light : {45, 20, 63}) {
            Fill(BACK, 0x0101);
            Put_Sprite(BACK, 100, 50, s, frame, 7, light);
            for (int y = 40; y < 60; ++y)
                for (int x = 90; x < 115; ++x) {
                    int fx = x - 98, fy = y - 45;
                    std::uint16_t want = 0x0101;
                    if (fx >= 0 && fx < 12 && fy >= 0 && fy < 9 && fx != fy)
                        want = Shade(picture.pixels[fy * picture.width + frame * 12 + fx], light);
                    ASSERT_EQ(Pixel(BACK, x, y), want) << frame << " " << light << " at " << x << "," << y;
                }
        }
    }
    // Frames outside 0 .. frames - 1 draw nothing.
    Fill(BACK, 0x0101);
    for (int frame : {-1, 3, 100}) Put_Sprite(BACK, 100, 50, s, frame, 0, 45);
    Put_Sprite(BACK, 100, 50, nullptr, 0, 0, 45);
    EXPECT_EQ(Snapshot(BACK), std::vector<std::uint16_t>(640 * 480, 0x0101));
}

TEST_F(SpriteTest, BadBitmapsAreRefusedWithTheLoadersMessage) {
    const std::vector<std::uint8_t> good = Encode_Bmp8(Frames_Picture(16, 8, 2, FixBlock{0, 0, 2, 1, 0}));
    using Patch = std::function<void(std::vector<std::uint8_t>&)>;
    struct Case {
        const char* what;
        Patch patch;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"24 bits", [](auto& f) { Set_U16(f, 28, 24); }, "not an uncompressed 8-bit bitmap"},
        {"compressed", [](auto& f) { Set_U32(f, 30, 1); }, "not an uncompressed 8-bit bitmap"},
        {"no width", [](auto& f) { Set_U32(f, 18, 0); }, "size is out of range"},
        {"no height", [](auto& f) { Set_U32(f, 22, 0); }, "size is out of range"},
        {"huge width", [](auto& f) { Set_U32(f, 18, 0x40000000); }, "size is out of range"},
        {"pixels past the end", [](auto& f) { Set_U32(f, 10, static_cast<std::uint32_t>(f.size()) - 10); },
         "cut short"},
        {"offset past the end", [](auto& f) { Set_U32(f, 10, 0xFFFFFFF0u); }, "cut short"},
        {"truncated", [](auto& f) { f.resize(f.size() - 3); }, "cut short"},
        {"too many colours", [](auto& f) { Set_U32(f, 46, 300); }, "colour table"},
        {"short header", [](auto& f) { Set_U32(f, 14, 12); }, "header is damaged"},
        {"header past the end", [](auto& f) { Set_U32(f, 14, 0x7FFFFFFF); }, "header is damaged"},
        {"not a bitmap", [](auto& f) { f[0] = 'X'; }, "not a BMP file"},
        {"frame count -1", [](auto& f) { Set_U16(f, 65, 0xFFFF); }, "FIX block names -1 frames"},
        {"more frames than columns", [](auto& f) { Set_U16(f, 65, 33); }, "FIX block names 33 frames"},
        {"only the headers", [](auto& f) { f.resize(60); }, "colour table"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = good;
        c.patch(bytes);
        ASSERT_TRUE(Write_File_Atomic(root / "bad.bmp", bytes));
        backend().boxes.clear();
        Reset_Quitting();
        EXPECT_EQ(LoadSprite("BAD", 0), nullptr) << c.what;
        ASSERT_EQ(backend().boxes.size(), 1u) << c.what;
        EXPECT_TRUE(fixture::Is_File_Fault_Box(backend().boxes[0], "Can't load bitmap:", "/bad.bmp", c.reason, false))
            << c.what;
        EXPECT_EQ(backend().boxes[0].Icon(), MB_ICONHAND);
        // The quiet loader (the editor's preview) refuses it without a word.
        Reset_Quitting();
        EXPECT_EQ(Try_Load_Sprite("BAD"), nullptr) << c.what;
        EXPECT_EQ(backend().boxes.size(), 1u) << c.what;
    }
    EXPECT_EQ(Try_Load_Sprite("MISSING"), nullptr);
    EXPECT_FALSE(Is_Quitting());
    backend().boxes.clear();
    Reset_Quitting();
    EXPECT_EQ(LoadSprite("MISSING", 0), nullptr);
    ASSERT_EQ(backend().boxes.size(), 1u);
    EXPECT_TRUE(fixture::Is_File_Fault_Box(backend().boxes[0], "Can't load bitmap:", "/MISSING.BMP",
                                           "No such file or directory", false));
}

TEST_F(SpriteTest, BitmapFilesIntoSurfaces) {
    // The title picture is index 7 everywhere: (7, 21, 248) on the screen's format.
    const std::uint16_t seven = static_cast<std::uint16_t>(Pixel_From_Colour(TEXT->Layout(), RGB(7, 21, 248)));
    ASSERT_EQ(DD_Reload_Bitmap(TEXT, "ARTWORK\\PAGES\\CIMKEP2.BMP"), DD_OK);
    EXPECT_EQ(Pixel(TEXT, 0, 0), seven);
    EXPECT_EQ(Pixel(TEXT, 322, 129), seven);  // cut to the surface
    EXPECT_EQ(DD_Reload_Bitmap(TEXT, "ARTWORK\\PAGES\\NONE.BMP"), E_FAIL);
    EXPECT_TRUE(backend().boxes.empty());
    LPDIRECTDRAWSURFACE title = DD_Load_Bitmap(direct_draw, "artwork/pages/cimkep2.bmp", 0, 0);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Width(), 640);
    EXPECT_EQ(Pixel(title, 639, 479), seven);
    title->Release();
    EXPECT_EQ(DD_Load_Bitmap(direct_draw, "NONE.BMP", 0, 0), nullptr);
    ASSERT_EQ(backend().boxes.size(), 1u);
    EXPECT_TRUE(fixture::Is_File_Fault_Box(backend().boxes[0], "Can't load bitmap:", "/NONE.BMP",
                                           "No such file or directory", false));
    // A colour's pixel on a surface, with the surface's own pixel put back.
    Fill(BACK, 0x1357);
    EXPECT_EQ(DD_Color_Match(BACK, RGB(255, 255, 255)), 0xFFFFu);
    EXPECT_EQ(Pixel(BACK, 0, 0), 0x1357);
}

TEST_F(SpriteTest, HandlesNameLiveSpritesOnly) {
    Write_Bmp_File("h.bmp", Frames_Picture(8, 8, 1, std::nullopt));
    sprite* a = LoadSprite("h", 0);
    sprite* b = LoadSprite("h", 0);
    EXPECT_EQ(Sprite_Handle(nullptr), 0u);
    std::uint32_t ha = Sprite_Handle(a), hb = Sprite_Handle(b);
    EXPECT_NE(ha, 0u);
    EXPECT_NE(ha, hb);
    EXPECT_EQ(Sprite_Handle(a), ha);  // registered once
    EXPECT_EQ(Sprite_From_Handle(ha), a);
    Release_Sprite(a);
    EXPECT_EQ(Sprite_From_Handle(ha), nullptr);
    EXPECT_EQ(Sprite_From_Handle(hb), b);
    EXPECT_EQ(Sprite_From_Handle(0), nullptr);
    EXPECT_EQ(Sprite_From_Handle(12345), nullptr);
    Release_Sprite(b);
    Release_Sprite(nullptr);
}

// ---- clipping ------------------------------------------------------------

// One drawer under test: draws its sprite at (x, y) into the surface it
// draws on.
struct Drawer {
    const char* name;
    std::function<void(int x, int y)> draw;
    LPDIRECTDRAWSURFACE* target;
};

class ClipTest : public SpriteTest {
  protected:
    void SetUp() override {
        SpriteTest::SetUp();
        Write_Bmp_File("clip.bmp", Frames_Picture(20, 16, 2, FixBlock{10, 8, 2, 1, 0}));
        bitmap = Load("clip");
        // The same picture as a run-length sprite: runs that straddle every edge.
        Bmp8 picture = Frames_Picture(20, 16, 1, std::nullopt);
        DysImage image;
        image.width = 20;
        image.height = 16;
        image.frames.push_back({-10, -8, Encode_Dys_Runs(20, 16, picture.pixels.data(), test_art::key_index())});
        Write_Dys_File("clip.dys", image);
        runs = Load_DYS("clip");
        loaded.push_back(runs);
        // A 16-bit sprite on the screen's own format, as the message line is.
        direct = sprite{SPRITE_BITMAP, 20, 16, 10, 8, nullptr, nullptr, 1, 0};
        DDSURFACEDESC desc = Offscreen_Surface_Desc(20, 16);
        ASSERT_EQ(direct_draw->CreateSurface(&desc, &direct.surface, nullptr), DD_OK);
        Fill_Pattern(direct.surface);
        Pixel_Ref(direct.surface, 3, 3) = 0;  // pixel 0 is its key
        DDCOLORKEY key{0, 0};
        direct.surface->SetColorKey(DDCKEY_SRCBLT, &key);
    }
    void TearDown() override {
        direct.surface->Release();
        SpriteTest::TearDown();
    }
    static std::uint16_t& Pixel_Ref(LPDIRECTDRAWSURFACE s, int x, int y) {
        return reinterpret_cast<std::uint16_t*>(s->Bits() + y * s->Pitch())[x];
    }
    std::vector<Drawer> Drawers() {
        return {
            {"bitmap", [this](int x, int y) { Put_Sprite(BACK, x, y, bitmap, 1, 0, 45); }, &BACK},
            {"run-length", [this](int x, int y) { Put_Sprite(BACK, x, y, runs, 0, 0, 45); }, &BACK},
            {"direct", [this](int x, int y) { Put_Direct_Sprite(x, y, &direct, 0); }, &primary_surface},
        };
    }
    sprite* bitmap = nullptr;
    sprite* runs = nullptr;
    sprite direct{};
};

TEST_F(ClipTest, EveryDrawerClipsAtEveryEdge) {
    const RECT clip{100, 100, 200, 180};
    struct Place {
        const char* where;
        int x, y;
    };
    const std::vector<Place> places = {
        {"inside", 150, 140},       {"left edge", 103, 140},   {"right edge", 196, 140},
        {"top edge", 150, 102},     {"bottom edge", 150, 177}, {"top-left", 101, 101},
        {"bottom-right", 199, 179}, {"wholly left", 80, 140},  {"wholly below", 150, 190},
    };
    for (const Drawer& d : Drawers()) {
        for (const Place& p : places) {
            // What the drawer makes with nothing clipped ...
            Fill(*d.target, 0x0202);
            Set_Full_Clip();
            d.draw(p.x, p.y);
            const auto whole = Snapshot(*d.target);
            // ... and with the clip rect: the same inside it, nothing outside.
            Fill(*d.target, 0x0202);
            Set_Clip_Rect_From(clip);
            d.draw(p.x, p.y);
            int drawn_outside = 0, drawn_inside = 0;
            for (int y = 0; y < 480; ++y)
                for (int x = 0; x < 640; ++x) {
                    bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
                    if (whole[y * 640 + x] != 0x0202) ++(inside ? drawn_inside : drawn_outside);
                }
            const bool wholly = std::string(p.where).starts_with("wholly");
            EXPECT_EQ(drawn_inside > 0, !wholly) << d.name << " " << p.where;
            EXPECT_EQ(drawn_outside > 0, std::string(p.where) != "inside") << d.name << " " << p.where;
            for (int y = 0; y < 480; ++y)
                for (int x = 0; x < 640; ++x) {
                    bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
                    ASSERT_EQ(Pixel(*d.target, x, y), inside ? whole[y * 640 + x] : 0x0202)
                        << d.name << " " << p.where << " at " << x << "," << y;
                }
        }
    }
}

TEST_F(ClipTest, DrawersStayInsideSmallSurfacesAndOffTheScreen) {
    // ZOOM is 96 rows high: a full-screen clip rect must not let a sprite
    // below its last row write past it.
    Set_Full_Clip();
    Fill(ZOOM, 0x0303);
    Put_Sprite(ZOOM, 50, 94, bitmap, 0, 0, 45);
    Put_Sprite(ZOOM, 50, 94, runs, 0, 0, 45);
    Put_Sprite(ZOOM, 50, 300, runs, 0, 0, 45);
    EXPECT_NE(Pixel(ZOOM, 45, 95), 0x0303);
    for (const Drawer& d : Drawers())
        for (auto [x, y] : {std::pair{-30, 10}, {700, 10}, {10, -30}, {10, 600}, {-5, -5}, {645, 485}}) d.draw(x, y);
    EXPECT_TRUE(backend().boxes.empty());
}

}  // namespace
