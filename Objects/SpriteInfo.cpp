#include "Objects/SpriteInfo.h"

#include <vector>

namespace {
struct Info {
    int layer;
    int frames;
};
std::vector<Info> infos;
}  // namespace

int Sprite_Layer(std::uint32_t sprite) {
    if (sprite == 0 || sprite > infos.size()) return 0;
    return static_cast<std::int8_t>(infos[sprite - 1].layer);
}

int Sprite_Frame_Count(std::uint32_t sprite) {
    if (sprite == 0 || sprite > infos.size()) return 0;
    return infos[sprite - 1].frames;
}

void Set_Sprite_Layer(std::uint32_t sprite, int layer) {
    if (sprite == 0 || sprite > infos.size()) return;
    infos[sprite - 1].layer = layer;
}

std::uint32_t Register_Sprite_Info(int layer, int frames) {
    infos.push_back({layer, frames});
    return static_cast<std::uint32_t>(infos.size());
}

void Clear_Sprite_Info() { infos.clear(); }
