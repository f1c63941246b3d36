#include "Objects/PathSearch.h"

// Minimal stand-in until the path search and its arrows are built: no
// arrows are ever shown.
void Hide_Path_Cursor() {}

int Direction_Of_Vector(std::int16_t dx, std::int16_t dy) {
    if (dy == 0) return dx > 0 ? 1 : 4;
    if (dx == 0) return dy > 0 ? 2 : 5;
    int q = (2 * dy) / dx;  // truncates toward zero
    if (dy > 0) {
        if (q >= 2 || q < -4) return 2;
        if (q <= -2) return 3;
        if (q == 1) return 1;
        return dx >= 0 ? 1 : 4;
    }
    if (q >= 2 || q < -4) return 5;
    if (q <= -2) return 6;
    if (q == 1) return 4;
    return dx <= 0 ? 4 : 1;
}
