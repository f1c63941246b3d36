#include "Objects/Acts.h"

#include "platform/HandleRegistry.h"

namespace {
HandleRegistry<act_desc>& Act_Registry() {
    static HandleRegistry<act_desc> registry;
    return registry;
}
}  // namespace

std::int32_t resist_margin = 0;

// Minimal stand-ins until the acts are built.
act_desc evil_fog_hit{"", "", 0, {0, 0, 0, 0}, 0, 0, 0, 0, 1, 0, 0, 0, nullptr, NOOBJ};
act_desc fire_hit{"", "", 0, {0, 0, 0, 0}, 0, 0, 0, 0, 1, 0, 0, 0, nullptr, NOOBJ};
act_desc fire_wall_hit{"", "", 0, {0, 0, 0, 0}, 0, 0, 0, 0, 1, 0, 0, 0, nullptr, NOOBJ};

std::uint32_t Act_Handle(const act_desc* act) {
    if (act == nullptr) return 0;
    HandleRegistry<act_desc>& registry = Act_Registry();
    for (std::uint32_t h = 1; h <= registry.Live_Count(); ++h)
        if (registry.Get(h) == act) return h;
    return registry.Add(const_cast<act_desc*>(act));
}

act_desc* Act_From_Handle(std::uint32_t handle) { return Act_Registry().Get(handle); }

RequestValue Get_Act_Value(obj_ref, obj_ref, act_desc*, request_no, RequestValue value) { return value; }

bool Resist_Check(obj_ref, obj_ref, request_no, std::int32_t, std::int32_t) {
    resist_margin = 0;
    return false;
}
