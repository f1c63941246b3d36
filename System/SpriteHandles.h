// Records of the game world name their sprite by a 32-bit handle (0 = none)
// in place of the original's pointer. A sprite gets its handle the first
// time one is asked for and loses it when it is released.
#pragma once
#include <cstdint>

struct sprite;

std::uint32_t Sprite_Handle(sprite* s);            // 0 for none
sprite* Sprite_From_Handle(std::uint32_t handle);  // none for 0 and unknown handles
void Forget_Sprite_Handle(sprite* s);
