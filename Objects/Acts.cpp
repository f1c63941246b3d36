#include "Objects/Acts.h"

#include <algorithm>
#include <climits>

#include "System/Random.h"
#include "platform/HandleRegistry.h"
#include "platform/Window.h"

namespace {
HandleRegistry<act_desc>& Act_Registry() {
    static HandleRegistry<act_desc> registry;
    return registry;
}
}  // namespace

std::int32_t resist_margin = 0;

act_desc evil_fog_hit{"", "", 0, {0, 0, 0, 0}, 6, 4, 1, 0, 1, 0, 0x834009, 1, Evil_Fog_Hit, NOOBJ};
act_desc fire_hit{"", "", 0, {0, 0, 0, 0}, 6, 4, 1, 0, 1, 0, 0x834001, 1, Fire_Hit, NOOBJ};
act_desc fire_wall_hit{"", "", 0, {0, 0, 0, 0}, 6, 4, 1, 0, 1, 0, 0x834009, 1, Fire_Wall_Hit, NOOBJ};

// Minimal stand-in until the spells are built: the rows and their icons,
// without their acts.
spell_row spell_table[SPELL_COUNT] = {{nullptr, 9}, {nullptr, 2}, {nullptr, 4}, {nullptr, 8}, {nullptr, 5},
                                      {nullptr, 0}, {nullptr, 7}, {nullptr, 1}, {nullptr, 3}, {nullptr, 6},
                                      {nullptr, 6}, {nullptr, 6}, {nullptr, 6}};

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

bool Resist_Check(obj_ref source, obj_ref target, request_no protection, std::int32_t bonus, std::int32_t dice) {
    int roll = Random(100);
    std::int64_t guard = static_cast<std::int32_t>(Object_Request(source, target, 0, protection, 0));
    std::int64_t level = static_cast<std::int32_t>(Object_Request(target, source, 0, REQ_CHAR_LEVEL, 0));
    std::int64_t margin = guard - (bonus + level * dice);
    resist_margin = static_cast<std::int32_t>(std::clamp<std::int64_t>(margin, INT32_MIN, INT32_MAX));
    return roll <= resist_margin;
}

// Minimal stand-in until the AI's acting flag exists: every notice is shown.
void Show_Message_Box(const char* text) { MessageBoxA(Get_Main_Window(), text, nullptr, MB_SETFOREGROUND); }
