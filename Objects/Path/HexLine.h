// The straight hex line walked field by field, for callers that may stop
// before its end.
#pragma once
#include <cstdint>

#include "Objects/Map.h"

// Calls visit(field) for each field of the line from a (included) toward the
// field (dx, dy) away from it on a's level (excluded), in order, until visit
// returns false. The line has Step_Distance(dx, dy) fields.
template <class Visit>
void Walk_Line_Toward(std::uint16_t a, std::int32_t dx, std::int32_t dy, Visit&& visit) {
    const std::int32_t sx = dx >= 0 ? 1 : -1;
    const std::int32_t ys = dy >= 0 ? static_cast<std::int32_t>(map_width) : -static_cast<std::int32_t>(map_width);
    const std::int32_t A = dx < 0 ? -dx : dx;
    const std::int32_t B = dy < 0 ? -dy : dy;
    std::int32_t cur = a;
    auto put = [&](std::int32_t f) { return visit(static_cast<std::uint16_t>(f)); };

    if (dx == 0) {
        for (std::int32_t i = 0; i < B; ++i, cur += ys)
            if (!put(cur)) return;
        return;
    }
    if (dy == 0) {
        for (std::int32_t i = 0; i < A; ++i, cur += sx)
            if (!put(cur)) return;
        return;
    }
    if ((dx > 0) == (dy > 0)) {
        // (1,1) is no hexagon step: the two axes are walked one after the other.
        if (A <= B) {
            for (std::int32_t t = B; t < 2 * A * B + B; t += 2 * A) {
                if (!put(cur)) return;
                cur += ys;
                const std::int32_t r = (t + 2 * A) % (2 * B);
                if (r < 2 * A) {
                    if (!put(r >= A ? cur - ys + sx : cur)) return;
                    cur += sx;
                }
            }
        } else {
            for (std::int32_t t = A; t < 2 * A * B + A; t += 2 * B) {
                if (!put(cur)) return;
                cur += sx;
                const std::int32_t r = (t + 2 * B) % (2 * A);
                if (r < 2 * B) {
                    if (!put(r >= B ? cur - sx + ys : cur)) return;
                    cur += ys;
                }
            }
        }
        return;
    }
    // Opposite signs: the diagonal (1,-1) is a hexagon step.
    if (A <= B) {
        for (std::int32_t t = B; t < 2 * A * B + B; t += 2 * A) {
            if (!put(cur)) return;
            cur += ys;
            if ((t + 2 * A) % (2 * B) < 2 * A) cur += sx;
        }
    } else {
        for (std::int32_t t = A; t < 2 * A * B + A; t += 2 * B) {
            if (!put(cur)) return;
            cur += sx;
            if ((t + 2 * B) % (2 * A) < 2 * B) cur += ys;
        }
    }
}
