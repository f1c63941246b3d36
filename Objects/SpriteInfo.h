// What the game world needs to know of a sprite, by handle: its draw layer
// (the order of objects in a field list) and its frame count.
#pragma once
#include <cstdint>

// The signed draw-layer byte; 0 for no sprite.
int Sprite_Layer(std::uint32_t sprite);
// The number of frames; 0 for no sprite.
int Sprite_Frame_Count(std::uint32_t sprite);
// Sets the draw layer of a sprite (done once when it is loaded).
void Set_Sprite_Layer(std::uint32_t sprite, int layer);

// Until the display layer's sprites are wired in, a small table stands in
// for them: a test or tool registers a handle with its layer and frames.
std::uint32_t Register_Sprite_Info(int layer, int frames);
void Clear_Sprite_Info();
