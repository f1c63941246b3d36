// The world map program's start-up and end on the headless backend: the
// framed map with the marker on the screen in the palette of its resources,
// the clicks that start a walk, Escape and an outside close, and every
// failure named in a box with exit status 1 and nothing left behind.
#include <cstring>
#include <functional>

#include "platform/VirtualKeys.h"
#include "worldmap/Display.h"
#include "worldmap/WorldMapFixture.h"

namespace {

using Startup = WorldMapTest;

TEST_F(Startup, ShowsTheFramedMapWithTheMarkerInThePalettesColours) {
    ASSERT_TRUE(Start()) << (Box_Texts().empty() ? "" : Box_Texts()[0]);
    EXPECT_TRUE(Box_Texts().empty());
    ASSERT_EQ(backend().windows.size(), 1u);
    EXPECT_EQ(backend().windows[0].title, "Main Map");
    EXPECT_TRUE(backend().windows[0].shown);
    const IDirectDrawSurface* screen = Display_Primary();
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(screen->Layout().bits, 8);
    ASSERT_NE(screen->Palette(), nullptr);
    Save_Shot("start");

    // The palette is the resource's.
    const HRSRC pal = FindResourceA(main_instance, "PAL", "Palette");
    const auto* rgb = static_cast<const std::uint8_t*>(LockResource(LoadResource(main_instance, pal)));
    ASSERT_NE(rgb, nullptr);
    for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = screen->Palette()->Entries()[i];
        ASSERT_EQ((e.peRed << 16) | (e.peGreen << 8) | e.peBlue,
                  (rgb[3 * i] << 16) | (rgb[3 * i + 1] << 8) | rgb[3 * i + 2])
            << "entry " << i;
    }

    const resource_picture map("CMAP"), frame("KERET"), marker("PLAYER");
    // The marker's picture is centred on map (365, 280), at screen (252, 167).
    int marker_pixels = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (marker.At(x, y) != 0) {
                ASSERT_EQ(Screen_Index(252 - 16 + x, 167 - 16 + y), marker.At(x, y)) << x << "," << y;
                ++marker_pixels;
            }
    EXPECT_GT(marker_pixels, 200);
    // Elsewhere in the view between the frame's strips the map shows, map
    // pixel (x - 7 + 120, y - 7 + 120) at screen (x, y), in its colour.
    for (int y = 20; y < 325; y += 7)
        for (int x = 10; x < 630; x += 11) {
            if (std::abs(x - 252) <= 16 && std::abs(y - 167) <= 16) continue;
            if (y >= 300 && (std::abs(x - 58) < 12 || std::abs(x - 575) < 12)) continue;  // the flames
            const std::uint8_t index = map.At(x - 7 + 120, y - 7 + 120);
            ASSERT_EQ(Screen_Index(x, y), index) << x << "," << y;
            ASSERT_EQ(Screen_Colour(x, y), static_cast<std::uint32_t>((rgb[3 * index] << 16) |
                                                                      (rgb[3 * index + 1] << 8) | rgb[3 * index + 2]));
        }
    // The frame lies over everything else.
    for (int y = 0; y < 480; y += 3)
        for (int x = 0; x < 640; x += 5) {
            const bool flame = y >= 300 && y < 341 && (std::abs(x - 58) < 12 || std::abs(x - 575) < 12);
            if (frame.At(x, y) == 0 || flame) continue;
            ASSERT_EQ(Screen_Index(x, y), frame.At(x, y)) << x << "," << y;
        }
}

TEST_F(Startup, OnlyAClickInTheViewStartsAWalk) {
    ASSERT_TRUE(Start());
    Click(7, 100);
    Click(100, 390);
    Click(633, 200);
    EXPECT_EQ(walking, 0);
    Click(8, 8);
    EXPECT_EQ(walking, 1);
    EXPECT_GT(path_len, 0u) << "map cell (60, 60) is land the home town reaches";
}

TEST_F(Startup, TheMouseStartsWherethePointerIs) {
    backend().cursor_pos = {123, 234};
    ASSERT_TRUE(Start());
    EXPECT_EQ(mouse_x, 123);
    EXPECT_EQ(mouse_y, 234);
}

TEST_F(Startup, ReactivationRedrawsTheScreen) {
    ASSERT_TRUE(Start());
    const std::uint8_t before = Screen_Index(300, 100);
    Post(WM_ACTIVATEAPP, 0);
    Pump();
    EXPECT_EQ(active_flag, 0);
    Clear_Surface(primary_surface, 0, 0, 640, 480, 0);
    Post(WM_ACTIVATEAPP, 1);
    Pump();
    EXPECT_EQ(active_flag, 1);
    EXPECT_EQ(Screen_Index(300, 100), before);
    EXPECT_NE(Screen_Index(2, 2), 0) << "the frame is drawn again";
}

struct ending {
    const char* what;
    std::function<void(WorldMapTest&)> act;
};

TEST_F(Startup, EscapeAndAnOutsideCloseEndWithStatusZeroReleasingEverything) {
    const int surfaces = Live_Surface_Count(), objects = Live_Gdi_Object_Count();
    const ending endings[] = {
        {"Escape twice", [](WorldMapTest& t) { t.Post(WM_KEYDOWN, VK_ESCAPE), t.Post(WM_KEYDOWN, VK_ESCAPE); }},
        {"a close", [](WorldMapTest& t) { t.Post(WM_CLOSE); }},
    };
    for (const ending& e : endings) {
        SCOPED_TRACE(e.what);
        Reset_Platform();
        Register_World_Map_Resources();
        ended = false;
        ASSERT_TRUE(Start());
        Post(WM_KEYDOWN, 'A');
        ASSERT_TRUE(Pump()) << "other keys are ignored";
        e.act(*this);
        EXPECT_FALSE(Pump());
        EXPECT_EQ(Exit_Status(), 0);
        EXPECT_EQ(backend().destroyed.size(), 1u);
        EXPECT_EQ(main_window, nullptr);
        EXPECT_EQ(Display_Primary(), nullptr);
        EXPECT_EQ(Live_Surface_Count(), surfaces);
        EXPECT_EQ(Live_Gdi_Object_Count(), objects);
    }
}

// The resources of the program but one.
class Without : public std::vector<resource_entry> {
  public:
    explicit Without(const char* left_out) {
        struct named {
            const char* name;
            const char* type;
            WORD type_id;
        };
        const named all[] = {{"CMAP", RT_BITMAP, RT_BITMAP_ID},   {"HMAP", RT_BITMAP, RT_BITMAP_ID},
                             {"KERET", RT_BITMAP, RT_BITMAP_ID},  {"PLAYER", RT_BITMAP, RT_BITMAP_ID},
                             {"LANG", RT_BITMAP, RT_BITMAP_ID},   {"PAL", "Palette", 0},
                             {"CURSOR", RT_CURSOR, RT_CURSOR_ID}, {"URES", RT_CURSOR, RT_CURSOR_ID}};
        const HINSTANCE module = GetModuleHandleA(nullptr);
        for (const named& n : all) {
            if (std::strcmp(n.name, left_out) == 0) continue;
            const HRSRC r = FindResourceA(module, n.name, n.type);
            push_back({n.type_id, n.type_id == 0 ? n.type : nullptr, n.name,
                       static_cast<const char*>(LockResource(LoadResource(module, r))), SizeofResource(module, r)});
        }
    }
};

void Expect_Failure(WorldMapTest& t, const std::string& text) {
    EXPECT_FALSE(t.Start());
    EXPECT_EQ(t.Exit_Status(), 1);
    ASSERT_EQ(t.backend().boxes.size(), 1u);
    EXPECT_EQ(t.backend().boxes[0].text, text);
    EXPECT_EQ(t.backend().boxes[0].caption, "");
    EXPECT_EQ(t.backend().boxes[0].type, MB_TOPMOST | MB_ICONERROR);
    EXPECT_EQ(main_window, nullptr);
    EXPECT_EQ(Live_Surface_Count(), 0);
}

TEST_F(Startup, AMissingResourceIsNamedAndEndsWithStatusOne) {
    const int objects = Live_Gdi_Object_Count();
    const std::pair<const char*, const char*> cases[] = {
        {"HMAP", "Can't load the picture HMAP."},    {"CMAP", "Can't load the picture CMAP."},
        {"KERET", "Can't load the picture KERET."},  {"PLAYER", "Can't load the picture PLAYER."},
        {"LANG", "Can't load the picture LANG."},    {"PAL", "Can't load the palette PAL."},
        {"CURSOR", "Can't load the cursor CURSOR."}, {"URES", "Can't load the cursor URES."},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        Reset_Platform();
        Register_World_Map_Resources();
        const Without table(name);
        Reset_Resources();
        Register_Resources(table.data(), table.size());
        ended = false;
        Expect_Failure(*this, text);
        EXPECT_EQ(Live_Gdi_Object_Count(), objects);
    }
}

TEST_F(Startup, APictureOfTheWrongSizeIsNamed) {
    Bmp8 small;
    small.width = small.height = 16;
    small.pixels.assign(256, 1);
    const std::vector<std::uint8_t> file = Encode_Bmp8(small);
    const resource_entry wrong[] = {
        {RT_BITMAP_ID, nullptr, "PLAYER", reinterpret_cast<const char*>(file.data()), file.size()},
        {0, "Palette", "PAL", "short", 5}};
    Register_Resources(wrong, 1);
    Expect_Failure(*this, "The picture PLAYER is not 32 x 32 pixels with 256 colours.");
    Reset_Platform();
    Register_World_Map_Resources();
    Register_Resources(wrong + 1, 1);
    ended = false;
    Expect_Failure(*this, "Can't load the palette PAL.");
}

struct display_failure {
    std::function<void(DisplayOptions&)> set;
    const char* text;
};

TEST_F(Startup, EachDisplayFailureShowsItsText) {
    const display_failure failures[] = {
        {[](DisplayOptions& o) { o.no_directdraw = true; }, "Can't initialize DirectX."},
        {[](DisplayOptions& o) { o.exclusive_taken = true; }, "Can't switch into fullscreen mode."},
        {[](DisplayOptions& o) { o.mode_refused = true; }, "Videomode 640 x 480 - 8 bits is not supported."},
        {[](DisplayOptions& o) { o.unsupported_mode = true; }, "Can't create the primary surface."},
        {[](DisplayOptions& o) { o.offscreen_left = 0; }, "Can't create the back surface."},
        {[](DisplayOptions& o) { o.offscreen_left = 1; }, "Can't create the surface of the picture CMAP."},
        {[](DisplayOptions& o) { o.offscreen_left = 2; }, "Can't create the surface of the picture KERET."},
        {[](DisplayOptions& o) { o.offscreen_left = 4; }, "Can't create the surface of the picture LANG."},
        {[](DisplayOptions& o) { o.offscreen_left = 5; }, "Can't create the view surface."},
    };
    const int objects = Live_Gdi_Object_Count();
    for (const display_failure& f : failures) {
        SCOPED_TRACE(f.text);
        Reset_Platform();
        Register_World_Map_Resources();
        f.set(Display_Options());
        ended = false;
        Expect_Failure(*this, f.text);
        EXPECT_EQ(Live_Gdi_Object_Count(), objects);
    }
}

}  // namespace
