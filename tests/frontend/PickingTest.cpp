// The field under a point of the map view: the regions of a picking cell,
// agreement with the rule the artwork's floors are drawn to, levels,
// elevations and points off the map.
#include <gtest/gtest.h>

#include "frontend/MapView.h"
#include "frontend/Picking.h"
#include "tests/frontend/MapViewFixture.h"
#include "tools/artgen/Hex.h"

namespace {

struct cell_case {
    int row, col;
    std::uint8_t owner;  // 0 the cell's field, 3 lower-left, 2 lower neighbour
};

TEST(PickMask, EachRegionOfACellBelongsToItsField) {
    const cell_case cases[] = {
        {0, 0, 0},   {0, 41, 0}, {11, 0, 0},  {11, 41, 0},  // rows 0 to 11: the cell itself
        {12, 0, 3},  {12, 1, 3}, {12, 2, 0},  {12, 40, 0}, {12, 41, 2}, {15, 10, 3}, {15, 11, 0}, {15, 31, 0},
        {15, 32, 2}, {20, 0, 3}, {20, 15, 3}, {20, 16, 0}, {20, 26, 0}, {20, 27, 2}, {20, 41, 2},
    };
    for (const cell_case& c : cases) EXPECT_EQ(pick_mask[c.row][c.col], c.owner) << c.row << ", " << c.col;
    for (int row = 0; row < 12; ++row)
        for (int col = 0; col < PICK_CELL_WIDTH; ++col) EXPECT_EQ(pick_mask[row][col], 0) << row << ", " << col;
}

// The artwork draws its floors to its own statement of the picking rule;
// the view must give every pixel to the same field.
TEST(Picking, AgreesWithTheRuleTheFloorsAreDrawnTo) {
    Set_Map_View(HEXAMAP_VIEW.left, HEXAMAP_VIEW.top, HEXAMAP_VIEW.right, HEXAMAP_VIEW.bottom);
    const std::pair<int, int> scrolls[] = {{0, 0}, {-21, -106}, {-229, -179}, {377, 250}, {4000, 2000}, {13, 7}};
    for (auto [sx, sy] : scrolls) {
        scroll_x = sx;
        scroll_y = sy;
        for (int py = map_view.top; py < map_view.bottom; ++py)
            for (int px = map_view.left; px < map_view.right; ++px) {
                const art::FieldPos expected = art::Pick_Field(sx + px - map_view.left, sy + py - map_view.top);
                const map_pick got = Pick_Column_Row(px, py);
                ASSERT_EQ(got, (map_pick{expected.col, expected.row}))
                    << "scroll " << sx << ", " << sy << " point " << px << ", " << py;
            }
    }
}

class PickingOnTheMap : public MapViewTest {};

TEST_F(PickingOnTheMap, TheShownLevelIsPickedWhateverTheElevation) {
    New_World(5, 5, 3);
    shown_level = 2;
    scroll_x = scroll_y = 0;
    mapfield[Field_Index(1, 1, 2)] = 7;  // the highest elevation
    mapfield[Field_Index(1, 1, 0)] = 3;
    // Field (1, 1) is anchored at map pixel (63, 21), whatever its level.
    const int px = map_view.left + 63, py = map_view.top + 21;
    EXPECT_EQ(Field_Under_Point(px, py), Field_Index(1, 1, 2));
    shown_level = 0;
    EXPECT_EQ(Field_Under_Point(px, py), Field_Index(1, 1, 0));
    // Off the map: above it, left of it, past its last row and column.
    scroll_x = -300;
    scroll_y = -106;
    EXPECT_EQ(Field_Under_Point(map_view.left, map_view.top), NO_FIELD);
    scroll_x = 500;
    scroll_y = 200;
    EXPECT_EQ(Field_Under_Point(map_view.right - 1, map_view.bottom - 1), NO_FIELD);
}

// Every pixel of the view shows the floor of the field picked there: floors
// of four colours laid so that no two neighbours share one.
TEST_F(PickingOnTheMap, EveryPixelShowsTheFloorOfTheFieldPickedThere) {
    New_World(12, 12, 1);
    for (int i = 0; i < fixture::TEST_FLOOR_COUNT; ++i)
        Use_Slot(static_cast<std::uint8_t>(1 + i), ("TESTFLR" + std::to_string(i)).c_str());
    for (std::uint32_t r = 0; r < map_height; ++r)
        for (std::uint32_t c = 0; c < map_width; ++c)
            Set_Floor(Field_Index(c, r, 0), static_cast<std::uint8_t>(1 + c % 2 + 2 * (r % 2)));
    Load_Map_Artwork();
    ASSERT_TRUE(backend().boxes.empty()) << backend().boxes[0].caption;

    ScreenType = SCREEN_EDITOR;  // no ornaments over the view
    Set_Map_View(EDITOR_VIEW.left, EDITOR_VIEW.top, EDITOR_VIEW.right, EDITOR_VIEW.bottom);
    scroll_limits = {-10000, -10000, 10000, 10000};
    const std::pair<int, int> scrolls[] = {{-60, -40}, {100, 80}, {230, 160}};
    for (auto [sx, sy] : scrolls) {
        scroll_x = sx;
        scroll_y = sy;
        Redraw_Map();
        for (int py = map_view.top; py < map_view.bottom; ++py)
            for (int px = map_view.left; px < map_view.right; ++px) {
                const map_pick at = Pick_Column_Row(px, py);
                const bool on_map = at.col >= 0 && at.row >= 0 && at.col < 12 && at.row < 12;
                const std::uint16_t expected =
                    on_map ? Shade(fixture::test_floor_colours[at.col % 2 + 2 * (at.row % 2)], Field_Light(0)) : 0;
                ASSERT_EQ(Pixel(px, py), expected) << "scroll " << sx << ", " << sy << " point " << px << ", " << py;
            }
    }
}

}  // namespace
