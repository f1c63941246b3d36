#include "frontend/Picking.h"

#include "Objects/Map.h"
#include "frontend/MapView.h"

namespace {

constexpr int mask_first_split_row = 12;
// Rows 12 to 20 of a cell: the first left and the last right pixels belong
// to the lower-left (direction 3) and the lower (direction 2) neighbour.
constexpr int split_left[pick_cell_height] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 5, 8, 11, 12, 13, 14, 15, 16};
constexpr int split_right[pick_cell_height] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 4, 7, 10, 11, 12, 13, 14, 15};
constexpr std::uint8_t lower_left = 3;
constexpr std::uint8_t lower = 2;

constexpr auto Make_Pick_Mask() {
    std::array<std::array<std::uint8_t, pick_cell_width>, pick_cell_height> mask{};
    for (int y = mask_first_split_row; y < pick_cell_height; ++y)
        for (int x = 0; x < pick_cell_width; ++x) {
            if (x < split_left[y])
                mask[y][x] = lower_left;
            else if (x >= pick_cell_width - split_right[y])
                mask[y][x] = lower;
        }
    return mask;
}

// A cell's top is 10 pixels above its field's anchor, its left half a
// field left of it.
constexpr int cell_anchor_y = 10;
constexpr int cell_anchor_x = map_field_width / 2;

}  // namespace

const std::array<std::array<std::uint8_t, pick_cell_width>, pick_cell_height> pick_mask = Make_Pick_Mask();

map_pick Pick_Column_Row(int px, int py) {
    const int x = scroll_x + px - map_view.left;
    const int y = scroll_y + py - map_view.top;
    map_pick at;
    at.row = Floor_Div(y + cell_anchor_y, map_row_step);
    const int across = x - at.row * map_row_step + cell_anchor_x;
    at.col = Floor_Div(across, pick_cell_width);
    const std::uint8_t d =
        pick_mask[Floor_Mod(y + cell_anchor_y, pick_cell_height)][Floor_Mod(across, pick_cell_width)];
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
