#include "tools/artgen/Hex.h"

#include <cmath>

#include "tools/artgen/Scene3D.h"

namespace art {
namespace {

// Picking cell of 42 x 21 pixels: in rows 12..20 the first L pixels belong to
// the lower-left neighbour and the last R pixels to the lower neighbour.
constexpr int PICK_LEFT[21] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 5, 8, 11, 12, 13, 14, 15, 16};
constexpr int PICK_RIGHT[21] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 4, 7, 10, 11, 12, 13, 14, 15};

int Floor_Div(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int Mod(int a, int b) { return ((a % b) + b) % b; }

}  // namespace

FieldPos Pick_Field(int x, int y) {
    int row = Floor_Div(y + 10, ROW_STEP);
    int col = Floor_Div(x - row * ROW_STEP + 21, FIELD_STEP_X);
    int my = Mod(y + 10, ROW_STEP);
    int mx = Mod(x - row * ROW_STEP + 21, FIELD_STEP_X);
    if (mx < PICK_LEFT[my]) return {col - 1, row + 1};               // direction 3: (-1, +1)
    if (mx >= FIELD_STEP_X - PICK_RIGHT[my]) return {col, row + 1};  // direction 2: (0, +1)
    return {col, row};
}

GroundDir Direction_On_Ground(int d) {
    static const int sx[7] = {0, 42, 21, -21, -42, -21, 21};
    static const int sy[7] = {0, 0, 21, 21, 0, -21, -21};
    if (d < 1 || d > 6) return {1, 0};
    double gx = sx[d], gy = sy[d] / GROUND_SQUASH;
    double l = std::sqrt(gx * gx + gy * gy);
    return {gx / l, gy / l};
}

const FloorMask& Floor_Mask() {
    static const FloorMask mask = [] {
        FloorMask m{};
        const int col = 5, row = 5;  // any field; the rule is the same everywhere
        int ax = Anchor_X(col, row), ay = Anchor_Y(row);
        for (int y = 0; y < FLOOR_HEIGHT; ++y)
            for (int x = 0; x < FLOOR_WIDTH; ++x)
                m[y][x] = Pick_Field(ax + x - FLOOR_HOT_X, ay + y - FLOOR_HOT_Y) == FieldPos{col, row};
        return m;
    }();
    return mask;
}

}  // namespace art
