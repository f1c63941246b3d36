#include "Objects/SpriteInfo.h"

#include <new>
#include <string>
#include <vector>

#include "System/ErrorReport.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "platform/PathResolver.h"

int Sprite_Layer(std::uint32_t handle) {
    const sprite* s = Sprite_From_Handle(handle);
    return s != nullptr ? static_cast<std::int8_t>(s->layer) : 0;
}

int Sprite_Frame_Count(std::uint32_t handle) {
    const sprite* s = Sprite_From_Handle(handle);
    return s != nullptr ? s->frames : 0;
}

void Set_Sprite_Layer(std::uint32_t handle, int layer) {
    if (sprite* s = Sprite_From_Handle(handle)) s->layer = static_cast<std::uint8_t>(layer);
}

std::uint32_t Load_Named_Bitmap_Sprite(const char* name) {
    const std::string path = std::string(name != nullptr ? name : "") + ".BMP";
    file_fault fault;
    if (!Resolve_Readable_File(path, &fault)) {
        File_Error_Query_Quit("Can't load bitmap:", fault);
        return 0;
    }
    return Sprite_Handle(LoadSprite(name, 0));
}

std::uint32_t Register_Sprite_Info(int layer, int frames) {
    // Stand-ins stay reachable for the program's life, whoever forgets them.
    static std::vector<sprite*>& stand_ins = *new std::vector<sprite*>;
    auto* s = new (std::nothrow) sprite{};
    if (s == nullptr) return 0;
    stand_ins.push_back(s);
    s->kind = SPRITE_BITMAP;
    s->frames = static_cast<std::uint16_t>(frames);
    s->layer = static_cast<std::uint8_t>(layer);
    return Sprite_Handle(s);
}
