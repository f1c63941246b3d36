// Narrowing a wide number into a smaller integer type, saturating at the
// type's ends instead of wrapping.
#pragma once
#include <algorithm>
#include <cstdint>
#include <limits>

template <class T>
constexpr T Clamp_To(std::int64_t v) {
    return static_cast<T>(std::clamp<std::int64_t>(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

constexpr std::int32_t Clamp32(std::int64_t v) { return Clamp_To<std::int32_t>(v); }
constexpr std::int16_t Clamp16(std::int64_t v) { return Clamp_To<std::int16_t>(v); }
constexpr std::int8_t Clamp8(std::int64_t v) { return Clamp_To<std::int8_t>(v); }
