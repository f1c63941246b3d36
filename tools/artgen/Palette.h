#pragma once
// The one 256-colour palette of all artwork: colour ramps for terrains, skin,
// cloth, metal, wood, fire and the screens, one pure magenta entry for the
// bitmap colour key, and the remap tables of the palette files.

#include <array>
#include <cstdint>

namespace art {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
using Palette = std::array<Rgb, 256>;

// Entries the display overwrites with the system colours; no picture uses them.
constexpr int SYSTEM_LOW_END = 10;      // 0..9
constexpr int SYSTEM_HIGH_FIRST = 245;  // 245..254
constexpr bool Is_System_Entry(int i) { return i < SYSTEM_LOW_END || (i >= SYSTEM_HIGH_FIRST && i <= 254); }

// Transparent index of every sprite: pure magenta (255, 0, 255).
constexpr uint8_t KEY = 10;
constexpr uint8_t WHITE = 255;

enum class Ramp : uint8_t {
    Shadow,  // very dark purple-grey: outlines and cast shadows
    Grey,
    Stone,  // cool blue-grey
    Grass,
    Earth,
    Water,
    Wood,
    Skin,
    Hair,  // dark brown
    ClothRed,
    ClothBlue,
    ClothGreen,
    ClothPurple,
    Leather,
    Metal,
    Gold,
    Fire,
    Blood,
    Bone,
    Parchment,  // the screens' panels; holds the UI background (222, 182, 148)
    Frame,      // dark red-brown panel frames
    Zombie,     // grey-green skin
    Gas,
    Magic,  // violet glow
    Ice,    // teal to white
    Sky,
    Count
};

struct RampRange {
    uint8_t first;
    uint8_t count;
};
RampRange Ramp_Range(Ramp r);

// The i-th entry of a ramp, dark to light; i is clamped to the ramp.
uint8_t Ramp_Index(Ramp r, int i);
// The entry at t (0 dark .. 1 light) of a ramp.
uint8_t Ramp_At(Ramp r, double t);
// Which ramp holds a palette entry (Ramp::Count for the key, white and the system entries).
Ramp Ramp_Of(uint8_t index);

const Palette& Game_Palette();

// The usable entry nearest to a colour (never the key or a system entry).
uint8_t Nearest_Index(Rgb c);

// Named entries.
uint8_t Ui_Background();  // exactly RGB(222, 182, 148)
uint8_t Outline_Index();  // the darkest entry, for outlines

// PAL0.CNV: the remap of run-length sprites drawn with palette 1. Blue cloth
// becomes red and red blue, green cloth purple and purple green, dark hair
// fair; everything else stays.
std::array<uint8_t, 256> Colour_Remap();

// PAL0.SHD .. PAL3.SHD: each entry darkened to 80, 60, 40 and 20 percent.
std::array<std::array<uint8_t, 256>, 4> Shade_Remaps();

}  // namespace art
