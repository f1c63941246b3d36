#include <gtest/gtest.h>

#include "Objects/Geometry.h"
#include "Objects/Map.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

class Geometry : public ::testing::Test {
  protected:
    void SetUp() override { Reset_World(10, 8, 3); }
};

TEST_F(Geometry, NeighboursInAllDirections) {
    const std::uint16_t centre = Field_Index(4, 4, 1);
    struct Case {
        int dir;
        int x, y;
    } cases[] = {{0, 4, 4}, {1, 5, 4}, {2, 4, 5}, {3, 3, 5}, {4, 3, 4}, {5, 4, 3}, {6, 5, 3}, {7, 4, 4}};
    for (const Case& c : cases) {
        std::uint16_t n = Neighbour_Field(centre, c.dir);
        EXPECT_EQ(n, Field_Index(c.x, c.y, 1)) << "direction " << c.dir;
        if (c.dir >= 1 && c.dir <= 6) {
            EXPECT_EQ(Neighbour_Dir(centre, n), c.dir);
            EXPECT_EQ(Field_Distance(centre, n), 1);
        }
    }
    EXPECT_EQ(Neighbour_Dir(centre, static_cast<std::uint16_t>(centre + fields_per_level)), DIR_UP);
    EXPECT_EQ(Neighbour_Dir(centre, static_cast<std::uint16_t>(centre - fields_per_level)), DIR_DOWN);
    EXPECT_EQ(Neighbour_Dir(centre, Field_Index(6, 4, 1)), DIR_NOT_ADJACENT);
    EXPECT_EQ(Neighbour_Dir(centre, Field_Index(4, 4, 0) + 1), DIR_NOT_ADJACENT);
}

TEST_F(Geometry, EdgesOfTheMap) {
    EXPECT_EQ(Neighbour_Field(Field_Index(9, 0, 0), 1), NO_FIELD);
    EXPECT_EQ(Neighbour_Field(Field_Index(0, 0, 0), 4), NO_FIELD);
    EXPECT_EQ(Neighbour_Field(Field_Index(0, 0, 0), 5), NO_FIELD);
    EXPECT_EQ(Neighbour_Field(Field_Index(3, 7, 2), 2), NO_FIELD);
    EXPECT_EQ(Neighbour_Field(Field_Index(0, 3, 0), 3), NO_FIELD);
    // Row ends are not checked: the last of a row and the first of the next.
    EXPECT_EQ(Neighbour_Dir(Field_Index(9, 2, 0), Field_Index(0, 3, 0)), 1);
}

TEST_F(Geometry, Distance) {
    struct Case {
        int ax, ay, bx, by, distance;
    } cases[] = {
        {0, 0, 0, 0, 0}, {0, 0, 3, 0, 3}, {0, 0, 0, 3, 3}, {0, 0, 2, 3, 5},
        {5, 5, 3, 2, 5}, {0, 3, 3, 0, 3}, {6, 1, 2, 4, 4}, {2, 4, 6, 1, 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Field_Distance(Field_Index(c.ax, c.ay, 0), Field_Index(c.bx, c.by, 0)), c.distance)
            << c.ax << "," << c.ay << " to " << c.bx << "," << c.by;
    }
    // Levels are ignored; fields off the map have no distance.
    EXPECT_EQ(Field_Distance(Field_Index(1, 1, 0), Field_Index(4, 1, 2)), 3);
    EXPECT_EQ(Field_Distance(0, static_cast<std::uint16_t>(total_fields)), NO_DISTANCE);
    ASSERT_EQ(Headless_Backend().boxes.size(), 1u);
    EXPECT_EQ(Headless_Backend().boxes[0].caption, "Not defined distance!");
}

TEST_F(Geometry, DistanceIsTheStepCountOfTheSixDirections) {
    // A breadth-first walk over the neighbours gives the same distances.
    const std::uint16_t start = Field_Index(4, 3, 0);
    std::vector<int> steps(fields_per_level, -1);
    std::vector<std::uint16_t> queue{start};
    steps[start] = 0;
    for (std::size_t q = 0; q < queue.size(); ++q) {
        for (int d = 1; d <= 6; ++d) {
            std::uint16_t n = Neighbour_Field(queue[q], d);
            if (n != NO_FIELD && steps[n] < 0) {
                steps[n] = steps[queue[q]] + 1;
                queue.push_back(n);
            }
        }
    }
    for (std::uint16_t f = 0; f < fields_per_level; ++f) EXPECT_EQ(Field_Distance(start, f), steps[f]) << f;
}

}  // namespace
