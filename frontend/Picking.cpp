#include "frontend/Picking.h"

#include "Objects/Map.h"
#include "frontend/MapView.h"

namespace {

constexpr int MASK_FIRST_SPLIT_ROW = 12;
// Rows 12 to 20 of a cell: the first left and the last right pixels belong
// to the lower-left (direction 3) and the lower (direction 2) neighbour.
constexpr int SPLIT_LEFT[PICK_CELL_HEIGHT] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 5, 8, 11, 12, 13, 14, 15, 16};
constexpr int SPLIT_RIGHT[PICK_CELL_HEIGHT] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 4, 7, 10, 11, 12, 13, 14, 15};
constexpr std::uint8_t LOWER_LEFT = 3;
constexpr std::uint8_t LOWER = 2;

constexpr auto Make_Pick_Mask() {
    std::array<std::array<std::uint8_t, PICK_CELL_WIDTH>, PICK_CELL_HEIGHT> mask{};
    for (int y = MASK_FIRST_SPLIT_ROW; y < PICK_CELL_HEIGHT; ++y)
        for (int x = 0; x < PICK_CELL_WIDTH; ++x) {
            if (x < SPLIT_LEFT[y])
                mask[y][x] = LOWER_LEFT;
            else if (x >= PICK_CELL_WIDTH - SPLIT_RIGHT[y])
                mask[y][x] = LOWER;
        }
    return mask;
}

// A cell's top is 10 pixels above its field's anchor, its left half a
// field left of it.
constexpr int CELL_ANCHOR_Y = 10;
constexpr int CELL_ANCHOR_X = MAP_FIELD_WIDTH / 2;

}  // namespace

const std::array<std::array<std::uint8_t, PICK_CELL_WIDTH>, PICK_CELL_HEIGHT> pick_mask = Make_Pick_Mask();

map_pick Pick_Column_Row(int px, int py) {
    const int x = scroll_x + px - map_view.left;
    const int y = scroll_y + py - map_view.top;
    map_pick at;
    at.row = Floor_Div(y + CELL_ANCHOR_Y, MAP_ROW_STEP);
    const int across = x - at.row * MAP_ROW_STEP + CELL_ANCHOR_X;
    at.col = Floor_Div(across, PICK_CELL_WIDTH);
    const std::uint8_t d =
        pick_mask[Floor_Mod(y + CELL_ANCHOR_Y, PICK_CELL_HEIGHT)][Floor_Mod(across, PICK_CELL_WIDTH)];
    at.col += hex_dirs[d].dx;
    at.row += hex_dirs[d].dy;
    return at;
}

std::uint16_t Field_Under_Point(int px, int py) {
    const map_pick at = Pick_Column_Row(px, py);
    if (at.col < 0 || at.row < 0 || static_cast<std::uint32_t>(at.col) >= map_width ||
        static_cast<std::uint32_t>(at.row) >= map_height || shown_level >= map_levels)
        return NO_FIELD;
    return Field_Index(static_cast<std::uint32_t>(at.col), static_cast<std::uint32_t>(at.row), shown_level);
}
