#include "support/TimedWorld.h"

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/PathCache.h"
#include "Objects/Timers.h"
#include "support/WorldBuilder.h"

namespace fixture {

namespace {

// The protection of a character for requests 57..68.
std::int16_t Protection(const char_record& c, request_no r) {
    static const int element[12] = {0, 1, 2, 3, 0, 0, 1, 1, 2, 2, 3, 3};
    return c.protection[element[r - REQ_PROT_FIRE]];
}

RequestValue Base_Answer(const HandlerCall& call, const ScopedBaseAnswers& self) {
    auto it = self.fixed.find({call.object, call.request});
    if (it != self.fixed.end()) return it->second;
    std::uint16_t i = Obj_Index(call.object);
    switch (Obj_Kind(call.object)) {
        case OBJ_CHAR: {
            if (!Char_In_Use(i)) return call.value;
            const char_record& c = chararray.records[i];
            switch (call.request) {
                case REQ_HIT_POINTS: return c.hp;
                case REQ_CHAR_LEVEL: return c.level;
                case REQ_NAME: return Pointer_Value(chararray.records[i].name);
                case REQ_83: return 1;
                case REQ_CAN_BURN: return 1;
                case REQ_WATER: return 0;
                default:
                    if (call.request >= REQ_PROT_FIRE && call.request <= REQ_PROT_EARTH_3)
                        return Protection(c, call.request);
                    return call.value;
            }
        }
        case OBJ_ITEM: {
            if (i >= itemarray.Capacity()) return call.value;
            const item_record& r = itemarray.records[i];
            switch (call.request) {
                case REQ_CHAR_LEVEL: return 0;
                case REQ_CARRIER: return Obj_Kind(r.owner) == OBJ_CHAR ? Obj_Index(r.owner) : -1;
                case REQ_CAN_BURN: return (item_types[r.type].flags & ITEM_BURNABLE) ? 1 : 0;
                case REQ_WATER: return 0;
                default:
                    if (call.request >= REQ_PROT_FIRE && call.request <= REQ_PROT_EARTH_3) return 0;
                    return call.value;
            }
        }
        case OBJ_FIXITEM: {
            if (i >= maparray.Capacity()) return call.value;
            const fixitem_type& t = fixitem_types[maparray.records[i].type];
            switch (call.request) {
                case REQ_CHAR_LEVEL: return 0;
                case REQ_CAN_BURN: return (t.flags & FIX_BURNABLE) ? 1 : 0;
                case REQ_WATER: return (t.flags & FIX_WATER) ? 1 : 0;
                default:
                    if (call.request >= REQ_PROT_FIRE && call.request <= REQ_PROT_EARTH_3) return 0;
                    return call.value;
            }
        }
        default: return call.value;
    }
}

}  // namespace

void Reset_Timed_World(std::uint32_t width, std::uint32_t height, std::uint32_t levels) {
    Set_Random_Script(nullptr);
    Reset_World(width, height, levels);
    Timer_Init();
    Reset_Game_Clock();
}

ScopedBaseAnswers::ScopedBaseAnswers()
    : handler_(MK_MOVING_GUARD, [this](const HandlerCall& call) {
          if (call.request >= REQ_INITIALISE && call.request <= REQ_TIMER) return call.value;
          return Base_Answer(call, *this);
      }) {
    for (std::uint32_t f = 0; f < total_fields; ++f)
        Add_Modifier(0, Fix_Ref(static_cast<std::uint16_t>(f)), MK_MOVING_GUARD, 0, 0, 0, 0);
}

ScopedRandom::ScopedRandom(std::initializer_list<int> values) {
    script.values = values;
    Set_Random_Script(&script);
}

ScopedRandom::~ScopedRandom() { Set_Random_Script(nullptr); }

void ScopedRandom::Set(std::initializer_list<int> values) {
    script.values = values;
    script.next = 0;
}

std::vector<request_no> Requests_For(const ScopedHandler& h, obj_ref object) {
    std::vector<request_no> out;
    for (const HandlerCall& c : h.calls)
        if (c.object == object) out.push_back(c.request);
    return out;
}

std::vector<RequestValue> Values_For(const ScopedHandler& h, request_no r) {
    std::vector<RequestValue> out;
    for (const HandlerCall& c : h.calls)
        if (c.request == r) out.push_back(c.value);
    return out;
}

}  // namespace fixture
