// The straight hex line between two fields, the direction of a vector,
// and the cover summed along a line.
#include "Objects/PathSearch.h"

#include <array>

#include "Objects/Map.h"
#include "Objects/Path/HexLine.h"
#include "Objects/Request.h"
#include "System/ErrorReport.h"

std::uint16_t Line_Fields(std::uint16_t a, std::uint16_t b, std::uint16_t* out) {
    if (a >= total_fields || b >= total_fields) return 0;
    const std::int32_t dx = static_cast<std::int32_t>(Field_X(b)) - static_cast<std::int32_t>(Field_X(a));
    const std::int32_t dy = static_cast<std::int32_t>(Field_Y(b)) - static_cast<std::int32_t>(Field_Y(a));
    std::uint16_t n = 0;
    Walk_Line_Toward(a, dx, dy, [&](std::uint16_t f) {
        out[n++] = f;
        return true;
    });
    return n;
}

int Direction_Of_Vector(std::int16_t dx, std::int16_t dy) {
    if (dy == 0) return dx > 0 ? 1 : 4;
    if (dx == 0) return dy > 0 ? 2 : 5;
    const std::int32_t q = 2 * static_cast<std::int32_t>(dy) / dx;
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

std::int32_t Mass(std::uint16_t source, std::uint16_t destination, obj_ref other) {
    if (source >= total_fields) {
        Error_Query_Quit("Source index is not field-head in Mass");
        return 0;
    }
    if (destination >= total_fields) {
        Error_Query_Quit("Destination index is not field-head in Mass");
        return 0;
    }
    std::array<std::uint16_t, MAX_LINE_FIELDS> line;
    const std::uint16_t n = Line_Fields(source, destination, line.data());
    std::int64_t sum = 0;
    for (std::uint16_t j = 0; j < n; ++j)
        sum += Ask_Clamped(NOOBJ, Field_Head(line[j]), REQ_FIELD_COVER, static_cast<RequestValue>(other));
    return Clamp32(sum);
}
