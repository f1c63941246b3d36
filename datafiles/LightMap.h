// The light map: one light level per field (shade levels 0..63), filled
// when a map has been loaded: a base level everywhere plus the light of the
// lamps, torches and candles standing on the map. The map view shades
// everything drawn on a field with it.
#pragma once
#include <cstdint>
#include <vector>

// Indexed like the fields; total_fields entries once a map is loaded.
extern std::vector<std::uint8_t> light;

constexpr std::uint8_t LIGHT_BASE = 26;
constexpr std::uint8_t LIGHT_MAX = 63;

// No light map (no map loaded).
void Reset_Light_Map();
// Fills light for the current map from the fixitems on its fields.
void Compute_Light_Map();
