// The world map's own pictures as the program carries them: the terrain
// with both bands, cliffs, peaks, rough ground, roads, the home town on a
// road and sea wherever the view never reaches; the map painted from it;
// the frame open over the view but for its strips; the flames, the marker
// and the palette's cycled colours; and the same bytes on every run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tools/artgen/worldmap/WorldPalette.h"
#include "tools/artgen/worldmap/WorldTerrain.h"
#include "worldmap/WorldMapFixture.h"

namespace {

namespace wm = art::worldmap;

int Band(int c) { return c >= 4 && c <= 15 ? 1 : c >= 16 && c <= 23 ? 2 : 0; }

using ResourceArt = WorldMapTest;

TEST_F(ResourceArt, TheTerrainHasItsFeaturesAndSeaWhereTheViewNeverReaches) {
    const resource_picture hmap("HMAP");
    ASSERT_EQ(hmap.info.bmWidth, 400);
    ASSERT_EQ(hmap.info.bmHeight, 400);
    int water = 0, peaks = 0, roads = 0, cliffs[3] = {0, 0, 0}, rough[3] = {0, 0, 0}, band[3] = {0, 0, 0};
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x) {
            const int t = hmap.At(x, y), c = t & 31, b = Band(c);
            if (x < 1 || y < 1 || x > 392 || y > 350) {
                ASSERT_EQ(b, 0) << "a margin at " << x << "," << y;
            }
            water += b == 0;
            ++band[b];
            peaks += c == 23;
            roads += (t & 0x40) != 0;
            if (t & 0x20) ++rough[b];
            if (x + 1 < 400 && Band(hmap.At(x + 1, y) & 31) == b && b != 0 &&
                std::abs((hmap.At(x + 1, y) & 31) - c) > 2)
                ++cliffs[b];
        }
    EXPECT_GT(water, 20000);
    EXPECT_GT(band[1], 40000);
    EXPECT_GT(band[2], 5000);
    EXPECT_GT(peaks, 50);
    EXPECT_GT(roads, 500);
    EXPECT_GT(cliffs[1], 50) << "the mesas";
    EXPECT_GT(cliffs[2], 50) << "the escarpments";
    EXPECT_GT(rough[1], 5000) << "forests";
    EXPECT_GT(rough[2], 500) << "rocks";
    const int home = hmap.At(wm::HOME_TOWN.x, wm::HOME_TOWN.y);
    EXPECT_TRUE(home & 0x40) << "the home town lies on a road";
    EXPECT_EQ(Band(home & 31), 1);
    EXPECT_EQ(PLAYER_START_X / 2, wm::HOME_TOWN.x);
    EXPECT_EQ(PLAYER_START_Y / 2, wm::HOME_TOWN.y);

    // The landmarks of the tests and the benchmark.
    ASSERT_TRUE(Init_Path_Search());
    Set_Terrain(static_cast<const std::uint8_t*>(hmap.info.bmBits), hmap.info.bmWidthBytes);
    const wm::Cell reached[] = {wm::FAR_NORTH_WEST, wm::FAR_NORTH_EAST, wm::FAR_SOUTH_WEST, wm::FAR_SOUTH_EAST};
    for (const wm::Cell& c : reached) EXPECT_EQ(Find_Path(wm::HOME_TOWN.x, wm::HOME_TOWN.y, c.x, c.y), 1);
    EXPECT_EQ(Band(hmap.At(wm::ENCLOSED_PLACE.x, wm::ENCLOSED_PLACE.y) & 31), 1);
    EXPECT_EQ(Find_Path(wm::HOME_TOWN.x, wm::HOME_TOWN.y, wm::ENCLOSED_PLACE.x, wm::ENCLOSED_PLACE.y), 0);
    EXPECT_EQ(Band(hmap.At(wm::OPEN_SEA.x, wm::OPEN_SEA.y) & 31), 0);
    Reset_Path_Search();
}

TEST_F(ResourceArt, TheMapIsPaintedFromTheTerrain) {
    const resource_picture hmap("HMAP"), cmap("CMAP");
    ASSERT_EQ(cmap.info.bmWidth, 800);
    ASSERT_EQ(cmap.info.bmHeight, 800);
    auto water_colour = [](int v) {
        return (v >= wm::SEA.first && v < wm::SEA.first + wm::SEA.count) || (v >= 227 && v <= 235);
    };
    auto road_colour = [](int v) {
        return v >= wm::ROAD_COLOUR.first && v < wm::ROAD_COLOUR.first + wm::ROAD_COLOUR.count;
    };
    long water = 0, water_painted = 0, road = 0, road_painted = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x) {
            const int t = hmap.At(x, y);
            for (int p = 0; p < 4; ++p) {
                const int v = cmap.At(2 * x + p % 2, 2 * y + p / 2);
                if (Band(t & 31) == 0) {
                    ++water;
                    water_painted += water_colour(v);
                } else if (t & 0x40) {
                    ++road;
                    road_painted += road_colour(v);
                } else {
                    ASSERT_FALSE(water_colour(v)) << "land painted as water at " << x << "," << y;
                }
            }
        }
    EXPECT_EQ(water_painted, water);
    EXPECT_GT(road_painted, road * 9 / 10) << "towns cover a few road cells";
}

TEST_F(ResourceArt, TheFrameIsOpenOverTheViewButForItsStrips) {
    const resource_picture frame("KERET");
    ASSERT_EQ(frame.info.bmWidth, 640);
    ASSERT_EQ(frame.info.bmHeight, 480);
    int top_strip = 0, bottom_strip = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const bool view = x >= 7 && x < 633 && y >= 7 && y < 390;
            const int v = frame.At(x, y);
            if (!view) {
                ASSERT_NE(v, 0) << "a hole in the frame at " << x << "," << y;
            } else if (y >= 15 && y < 330) {
                ASSERT_EQ(v, 0) << "the frame covers the view at " << x << "," << y;
            } else if (v != 0) {
                ++(y < 15 ? top_strip : bottom_strip);
            }
        }
    EXPECT_GT(top_strip, 1000);
    EXPECT_GT(bottom_strip, 20000);
}

TEST_F(ResourceArt, FlamesMarkerAndPalette) {
    const resource_picture flames("LANG"), marker("PLAYER");
    ASSERT_EQ(flames.info.bmWidth, 520);
    ASSERT_EQ(flames.info.bmHeight, 36);
    for (int frame = 0; frame < 26; ++frame) {
        int drawn = 0, cycled = 0;
        for (int y = 0; y < 36; ++y)
            for (int x = 0; x < 20; ++x) {
                const int v = flames.At(20 * frame + x, y);
                drawn += v != 0;
                cycled += v >= 236 && v <= 239;
            }
        EXPECT_GT(drawn, 150) << "frame " << frame;
        EXPECT_GT(cycled, 10) << "frame " << frame << " flickers in the fire entries";
    }
    ASSERT_EQ(marker.info.bmWidth, 32);
    ASSERT_EQ(marker.info.bmHeight, 32);
    EXPECT_NE(marker.At(16, 16), 0);
    EXPECT_EQ(marker.At(0, 0), 0);
    const HRSRC pal = FindResourceA(GetModuleHandleA(nullptr), "PAL", "Palette");
    ASSERT_EQ(SizeofResource(nullptr, pal), 768u);
    const auto* rgb = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, pal)));
    for (int i = 229; i <= 235; ++i) EXPECT_GT(rgb[3 * i + 2], rgb[3 * i]) << "water at " << i;
    for (int i = 236; i <= 239; ++i) EXPECT_GT(rgb[3 * i], rgb[3 * i + 2]) << "fire at " << i;
    EXPECT_EQ(rgb[3 * wm::YELLOW], 255);
    EXPECT_EQ(rgb[3 * wm::YELLOW + 1], 255);
    EXPECT_EQ(rgb[3 * wm::YELLOW + 2], 0);
}

std::string Generated(const std::filesystem::path& file) {
    const std::string command = std::string(ORVEX_WORLDMAP_ARTGEN) + " --resources '" + file.string() + "'";
    if (std::system(command.c_str()) != 0) return "";
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(ResourceArt, TheSameBytesOnEveryRun) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("worldmap-art-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string first = Generated(dir / "a.cpp"), second = Generated(dir / "b.cpp");
    std::filesystem::remove_all(dir);
    EXPECT_GT(first.size(), 1000000u);
    EXPECT_TRUE(first == second);
}

}  // namespace
