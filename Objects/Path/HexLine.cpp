// The straight hex line between two fields, the direction of a vector,
// and the cover summed along a line.
#include "Objects/PathSearch.h"

#include <array>

#include "Objects/Map.h"
#include "Objects/Request.h"
#include "System/ErrorReport.h"

std::uint16_t Line_Fields(std::uint16_t a, std::uint16_t b, std::uint16_t* out) {
    if (a >= total_fields || b >= total_fields) return 0;
    const std::int32_t dx = static_cast<std::int32_t>(Field_X(b)) - static_cast<std::int32_t>(Field_X(a));
    const std::int32_t dy = static_cast<std::int32_t>(Field_Y(b)) - static_cast<std::int32_t>(Field_Y(a));
    return Line_Fields_Toward(a, dx, dy, out);
}

std::uint16_t Line_Fields_Toward(std::uint16_t a, std::int32_t dx, std::int32_t dy, std::uint16_t* out) {
    const std::int32_t sx = dx >= 0 ? 1 : -1;
    const std::int32_t ys = dy >= 0 ? static_cast<std::int32_t>(map_width) : -static_cast<std::int32_t>(map_width);
    const std::int32_t A = dx < 0 ? -dx : dx;
    const std::int32_t B = dy < 0 ? -dy : dy;
    std::int32_t cur = a;
    std::uint16_t n = 0;
    auto put = [&](std::int32_t f) { out[n++] = static_cast<std::uint16_t>(f); };

    if (dx == 0) {
        for (std::int32_t i = 0; i < B; ++i, cur += ys) put(cur);
        return n;
    }
    if (dy == 0) {
        for (std::int32_t i = 0; i < A; ++i, cur += sx) put(cur);
        return n;
    }
    if ((dx > 0) == (dy > 0)) {
        // (1,1) is no hexagon step: the two axes are walked one after the other.
        if (A <= B) {
            for (std::int32_t t = B; t < 2 * A * B + B; t += 2 * A) {
                put(cur);
                cur += ys;
                const std::int32_t r = (t + 2 * A) % (2 * B);
                if (r < 2 * A) {
                    put(r >= A ? cur - ys + sx : cur);
                    cur += sx;
                }
            }
        } else {
            for (std::int32_t t = A; t < 2 * A * B + A; t += 2 * B) {
                put(cur);
                cur += sx;
                const std::int32_t r = (t + 2 * B) % (2 * A);
                if (r < 2 * B) {
                    put(r >= B ? cur - sx + ys : cur);
                    cur += ys;
                }
            }
        }
        return n;
    }
    // Opposite signs: the diagonal (1,-1) is a hexagon step.
    if (A <= B) {
        for (std::int32_t t = B; t < 2 * A * B + B; t += 2 * A) {
            put(cur);
            cur += ys;
            if ((t + 2 * A) % (2 * B) < 2 * A) cur += sx;
        }
    } else {
        for (std::int32_t t = A; t < 2 * A * B + A; t += 2 * B) {
            put(cur);
            cur += sx;
            if ((t + 2 * B) % (2 * A) < 2 * B) cur += ys;
        }
    }
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
