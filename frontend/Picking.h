// The field under a point of the map view. Each field owns a picking cell
// of 42 x 21 pixels around its anchor; in the cell's lower rows the left
// and right corners belong to the lower-left and lower neighbours, which
// gives every pixel of the view to exactly one field, the one whose floor
// covers it.
#pragma once
#include <array>
#include <cstdint>

constexpr int PICK_CELL_WIDTH = 42;
constexpr int PICK_CELL_HEIGHT = 21;
// Per pixel of a cell: 0 the cell's own field, else the direction (of
// hex_dirs) of the neighbour that owns it.
extern const std::array<std::array<std::uint8_t, PICK_CELL_WIDTH>, PICK_CELL_HEIGHT> pick_mask;

struct map_pick {
    int col = 0, row = 0;
    bool operator==(const map_pick&) const = default;
};

// The column and row under the screen point (px, py) of the viewport, on
// shown_level; elevation is not taken into account. It may lie off the map.
map_pick Pick_Column_Row(int px, int py);
// The same as a field index of shown_level, NO_FIELD off the map.
std::uint16_t Field_Under_Point(int px, int py);
