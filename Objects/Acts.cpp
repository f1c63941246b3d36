#include "Objects/Acts.h"

#include "System/Random.h"
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

std::int32_t Hit_Damage(std::int32_t attack, std::int32_t defence, std::int32_t damage, std::uint32_t sure_hit) {
    constexpr int SURE_ROLL = 9;
    constexpr int MISS_ROLL = -10;
    int roll = sure_hit ? SURE_ROLL : Random(20) - 10;
    if (damage < 0 || roll == MISS_ROLL) return 0;
    std::int64_t total = static_cast<std::int64_t>(attack) + roll;
    if (roll == SURE_ROLL || total >= defence) return damage;
    std::int64_t partial = damage + total - defence;
    return partial > 0 ? static_cast<std::int32_t>(partial) : 0;
}

bool Resist_Check(obj_ref, obj_ref, request_no, std::int32_t, std::int32_t) {
    resist_margin = 0;
    return false;
}
