// What the game world needs to know of a sprite, by handle: its draw layer
// (the order of objects in a field list) and its frame count, answered from
// the system layer's sprite records; and loading the sprites that a map's
// records name.
#pragma once
#include <cstdint>

// The signed draw-layer byte; 0 for no sprite.
int Sprite_Layer(std::uint32_t sprite);
// The number of frames; 0 for no sprite.
int Sprite_Frame_Count(std::uint32_t sprite);
// Sets the draw layer of a sprite (done once when it is loaded).
void Set_Sprite_Layer(std::uint32_t sprite, int layer);

// A bitmap sprite that a map names (a fixitem type's picture, a portrait):
// name + ".BMP" through LoadSprite. A file that is not there is reported as
// a failure the player may ignore, and the handle is 0, so the program goes
// on without the picture instead of ending.
std::uint32_t Load_Named_Bitmap_Sprite(const char* name);

// A sprite record in memory only, with a layer and a frame count but no
// pictures: what a test stands in for a loaded sprite. It lives as long as
// the program, unless something releases it like a loaded one.
std::uint32_t Register_Sprite_Info(int layer, int frames);
