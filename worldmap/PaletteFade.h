// The world map's palette on the screen: the palette the pictures are
// painted in, cycled by the tick (water and fire), times a fade level
// (0 black .. 256 the palette itself) that the fades move.
#pragma once
#include "platform/PixelFormat.h"

constexpr int FULL_LEVEL = 256;
// The cycled entries: 227 and 228 swap, the groups 229-231, 232-235 and
// 236-239 turn by one.
constexpr int FIRST_CYCLED = 227, CYCLED_COUNT = 13;

extern PALETTEENTRY base_palette[256];
extern int fade_level;

// Shows base x level / 256 (all 256 entries).
void Show_Palette();
// One tick of cycling, shown at the current level.
void Cycle_Palette();
void Black_Palette();
// From black to the palette, 64 steps of 10 ms; then the palette itself.
void Fade_In();
// To black in 64 steps of 25 ms, the music and the steps fading alike; then
// the screen is cleared and nothing draws any more.
void Fade_Out();
