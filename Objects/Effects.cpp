#include "Objects/Effects.h"

std::uint16_t target_field = 0xFFFF;
#include "Objects/FieldLists.h"
#include "Objects/Map.h"

namespace {
constexpr std::uint32_t ACT_MAY_HIT_CHARS = 0x4000;
constexpr std::uint32_t ACT_MAY_HIT_SOURCE = 0x10000;
}  // namespace

target_list New_Target_List(std::uint16_t count) {
    target_list list = new std::uint16_t[count + 1u]();
    list[0] = count;
    return list;
}

target_list One_Field_Target_List(std::uint16_t field) {
    target_list list = New_Target_List(1);
    list[1] = field;
    return list;
}

void Free_Target_List(target_list list) { delete[] list; }

// Minimal stand-ins until acts are started and executed: nothing is
// started, and executing an act on a given list only hits the last
// character of the k-th listed field, with request 163 + k, when the act may
// hit characters. A handed-over list is freed.
int Effect_Start(obj_ref, act_desc*, target_list list) {
    Free_Target_List(list);
    return 0;
}

void Effect_Execute(obj_ref source, act_desc* act, target_list list) {
    if (act != nullptr && list != nullptr && list[0] > 0 && act->handler != nullptr &&
        (act->flags & ACT_MAY_HIT_CHARS)) {
        act->origin = Make_Obj(OBJ_FIXITEM, list[1]);
        for (std::uint16_t k = 1; k <= list[0]; ++k) {
            std::uint16_t field = list[k];
            if (field >= total_fields) continue;
            obj_ref target = NOOBJ;
            obj_ref cur = Make_Obj(OBJ_FIXITEM, field);
            std::uint32_t limit = Field_List_Limit();
            for (std::uint32_t steps = 0; steps <= limit; ++steps) {
                Next_Object_No_Anim(cur);
                if (Obj_Kind(cur) == OBJ_NONE) break;
                if (Obj_Kind(cur) == OBJ_CHAR && (cur != source || (act->flags & ACT_MAY_HIT_SOURCE))) target = cur;
            }
            if (target != NOOBJ) act->handler(source, target, act, static_cast<request_no>(REQ_EFFECT + k), field);
        }
    }
    Free_Target_List(list);
}
