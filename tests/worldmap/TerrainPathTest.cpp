// The terrain path search: the step costs of the two bands, roads and ROUGH
// ground; routes that replay onto their target with the stored cost and
// never beat the cheapest route; the longest routes the grid allows; a queue
// that grows; and the terrain's rows counted from the picture's top.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/Gdi.h"
#include "platform/Resources.h"
#include "tools/writers/BmpWriter.h"
#include "worldmap/ReferencePath.h"
#include "worldmap/TerrainPath.h"

namespace {

constexpr std::uint8_t ROUGH = TERRAIN_ROUGH, ROAD = TERRAIN_ROAD;
// A class in neither band: no step may enter it.
constexpr std::uint8_t WALL = 30;

class TerrainPath : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Init_Path_Search());
        Fill(5);
    }
    void TearDown() override { Reset_Path_Search(); }

    void Fill(std::uint8_t cell) {
        cells.assign(TERRAIN_CELLS, cell);
        Set_Terrain(cells.data(), TERRAIN_WIDTH);
    }
    std::uint8_t& At(int x, int y) { return cells[static_cast<std::size_t>(y) * TERRAIN_WIDTH + x]; }

    // A seeded terrain of low hills (some too steep), highland, water, ROUGH
    // ground and roads.
    void Random_Terrain(unsigned seed) {
        std::mt19937 rng(seed);
        for (std::uint8_t& c : cells) {
            const unsigned r = rng() % 100;
            c = r < 5    ? 2
                : r < 20 ? static_cast<std::uint8_t>(16 + rng() % 4)
                         : static_cast<std::uint8_t>(4 + rng() % 4);
            if (rng() % 6 == 0) c |= ROUGH;
            if (rng() % 9 == 0) c |= ROAD;
        }
    }

    // The route from (x1, y1) to (x2, y2) agrees with the reference: found
    // exactly when reachable, replaying onto the target, never below the
    // cheapest. Its steps add up to the target's stored cost or less: the
    // search stops at the target's first turn in the queue, when cells on
    // its way may have been improved since the target was reached through
    // them. Returns the route's cost.
    long Check_Route(int x1, int y1, int x2, int y2) {
        const long best = Reference_Cost(x1, y1, x2, y2);
        const int found = Find_Path(x1, y1, x2, y2);
        EXPECT_EQ(found, best >= 0 ? 1 : 0) << "from " << x1 << "," << y1 << " to " << x2 << "," << y2;
        if (found == 0) {
            EXPECT_EQ(path_len, 0u);
            return -1;
        }
        const replayed_path r = Replay_Path(x1, y1);
        EXPECT_EQ(r.end_x, x2);
        EXPECT_EQ(r.end_y, y2);
        EXPECT_TRUE(r.passable);
        EXPECT_LE(r.cost, static_cast<long>(Found_Cost()));
        EXPECT_GE(r.cost, best);
        EXPECT_EQ(r.cost, static_cast<long>(Route_Cost(x1, y1)));
        return r.cost;
    }

    std::vector<std::uint8_t> cells;
};

struct step_case {
    std::uint8_t from, to;
    bool diagonal;
    int cost;
};

TEST_F(TerrainPath, StepCostsOfTheBandsRoadsAndRoughGround) {
    const step_case cases[] = {
        {5, 7, false, 8},
        {5, 7, true, 10},  // up two in the first band
        {5, 8, false, 0},
        {5, 8 | ROAD, false, 0},  // three is too steep, even onto a ROAD
        {8, 5, false, 0},         // and so is three down
        {7, 5, false, 4},
        {5, 5, false, 4},
        {5, 5, true, 6},
        {5, 6 | ROAD, false, 1},
        {5, 7 | ROAD, true, 1},  // a ROAD costs 1 where the class rule passes
        {10, 18, false, 8},
        {17, 18, false, 11},
        {20, 5, false, 4},  // between and within the bands
        {16, 18, false, 14},
        {18, 16, false, 8},
        {18, 21, false, 0},
        {21, 18, false, 0},
        {5, 5 | ROUGH, false, 7},
        {5, 5 | ROUGH, true, 9},
        {5, 5 | ROUGH | ROAD, false, 1},
        {5, 2, false, 0},
        {5, 24, false, 0},
        {5, WALL, false, 0},  // outside both bands
    };
    for (const step_case& c : cases) {
        At(100, 100) = c.from;
        const int tx = 101, ty = c.diagonal ? 101 : 100;
        At(tx, ty) = c.to;
        EXPECT_EQ(Step_Cost(100, 100, tx, ty), c.cost)
            << int(c.from) << " to " << int(c.to) << (c.diagonal ? " diagonally" : "");
        At(tx, ty) = 5;
    }
    // Off the grid nothing is passable.
    EXPECT_EQ(Step_Cost(0, 0, -1, 0), 0);
    EXPECT_EQ(Step_Cost(399, 399, 400, 399), 0);
    EXPECT_EQ(Step_Cost(399, 0, 400, -1), 0);
    EXPECT_EQ(Get_Cell_Dist(-1, 5), OUTSIDE_COST);
}

TEST_F(TerrainPath, TargetsWithoutARouteAndTheOwnCell) {
    At(50, 50) = 2;
    EXPECT_EQ(Find_Path(10, 10, 50, 50), 0) << "onto water";
    EXPECT_EQ(path_len, 0u);
    EXPECT_EQ(Find_Path(10, 10, 10, 10), 1) << "the own cell";
    EXPECT_EQ(path_len, 0u);
    // A target walled in by cliffs is searched for in vain.
    for (int y = 200; y <= 204; ++y)
        for (int x = 200; x <= 204; ++x) At(x, y) = (x == 202 && y == 202) ? 5 : 9;
    EXPECT_EQ(Find_Path(10, 10, 202, 202), 0);
    EXPECT_EQ(path_len, 0u);
    EXPECT_EQ(Find_Path(10, 10, -1, 3), 0) << "off the grid";
}

TEST_F(TerrainPath, RoutesReplayOntoTheirTargetsAtTheStoredCost) {
    std::mt19937 rng(36);
    for (unsigned seed : {1u, 2u, 3u}) {
        Random_Terrain(seed);
        for (int trip = 0; trip < 5; ++trip) {
            const int x1 = static_cast<int>(rng() % 400), y1 = static_cast<int>(rng() % 400);
            const int x2 = static_cast<int>(rng() % 400), y2 = static_cast<int>(rng() % 400);
            Check_Route(x1, y1, x2, y2);
        }
    }
    // On flat open ground the search finds the cheapest route.
    Fill(5);
    EXPECT_EQ(Check_Route(0, 0, 399, 399), Reference_Cost(0, 0, 399, 399));
    EXPECT_EQ(path_len, 399u);
}

// Rows 0, 2, ..., 398 are open, joined at alternate ends: a one-wide
// winding corridor through which the route from (0, 0) to (0, 398) takes
// 79 800 steps (it cuts each turn diagonally), more than a 16-bit path store
// holds.
TEST_F(TerrainPath, TheLongestCorridorFitsThePathStore) {
    Fill(WALL);
    for (int y = 0; y < TERRAIN_HEIGHT; y += 2) {
        for (int x = 0; x < TERRAIN_WIDTH; ++x) At(x, y) = 5;
        if (y + 2 < TERRAIN_HEIGHT) At((y / 2) % 2 == 0 ? TERRAIN_WIDTH - 1 : 0, y + 1) = 5;
    }
    const long cost = Check_Route(0, 0, 0, 398);
    EXPECT_EQ(path_len, 79800u);
    EXPECT_EQ(cost, Reference_Cost(0, 0, 0, 398));
}

TEST_F(TerrainPath, ATinyStartingQueueGrowsAndFindsTheSameRoute) {
    Random_Terrain(7);
    ASSERT_EQ(Find_Path(3, 5, 390, 380), 1);
    const std::vector<std::uint8_t> route(path_dirs.begin(), path_dirs.begin() + path_len + 1);
    const std::uint32_t cost = Found_Cost();
    const std::vector<std::uint8_t> terrain = cells;
    Reset_Path_Search();
    ASSERT_TRUE(Init_Path_Search(4));
    Set_Terrain(terrain.data(), TERRAIN_WIDTH);
    ASSERT_EQ(Find_Path(3, 5, 390, 380), 1);
    EXPECT_GT(Queue_Slots(), 4u);
    EXPECT_EQ(Found_Cost(), cost);
    EXPECT_EQ(std::vector<std::uint8_t>(path_dirs.begin(), path_dirs.begin() + path_len + 1), route);
}

// The terrain comes from a bitmap whose file stores its rows bottom-up: the
// search sees row 0 at the picture's top.
TEST_F(TerrainPath, TheTerrainsRowsCountFromThePicturesTop) {
    Bmp8 picture;
    picture.width = TERRAIN_WIDTH;
    picture.height = TERRAIN_HEIGHT;
    picture.pixels.assign(TERRAIN_CELLS, WALL);
    for (int x = 0; x < TERRAIN_WIDTH; ++x) picture.pixels[x] = 5;
    const std::vector<std::uint8_t> file = Encode_Bmp8(picture);
    const resource_entry table[] = {
        {RT_BITMAP_ID, nullptr, "HMAP", reinterpret_cast<const char*>(file.data()), file.size()}};
    Register_Resources(table, 1);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    auto* bitmap = static_cast<HBITMAP>(LoadImageA(instance, "hmap", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    Set_Terrain(static_cast<const std::uint8_t*>(info.bmBits), info.bmWidthBytes);
    EXPECT_EQ(Find_Path(0, 0, 399, 0), 1);
    EXPECT_EQ(path_len, 399u);
    EXPECT_EQ(Find_Path(0, 399, 399, 399), 0);
    Set_Terrain(cells.data(), TERRAIN_WIDTH);
    DeleteObject(bitmap);
    Reset_Resources();
}

}  // namespace
