#include "System/SpriteHandles.h"

#include <unordered_map>

#include "System/Sprite.h"
#include "platform/HandleRegistry.h"

namespace {

HandleRegistry<sprite>& Registry() {
    static HandleRegistry<sprite> registry;
    return registry;
}

std::unordered_map<const sprite*, std::uint32_t>& Handles() {
    static std::unordered_map<const sprite*, std::uint32_t> handles;
    return handles;
}

}  // namespace

std::uint32_t Sprite_Handle(sprite* s) {
    if (s == nullptr) return 0;
    auto it = Handles().find(s);
    if (it != Handles().end()) return it->second;
    std::uint32_t handle = Registry().Add(s);
    Handles()[s] = handle;
    return handle;
}

sprite* Sprite_From_Handle(std::uint32_t handle) { return Registry().Get(handle); }

void Forget_Sprite_Handle(sprite* s) {
    auto it = Handles().find(s);
    if (it == Handles().end()) return;
    Registry().Remove(it->second);
    Handles().erase(it);
}
