// The entry cost of a field for the character being routed: transporters
// followed, the blocked bit, danger, the field's programs, and the objects
// standing on it.
#include "Objects/PathSearch.h"

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Path/PathWork.h"
#include "Objects/Request.h"
#include "System/ErrorReport.h"

namespace {

// Puts request through every active modifier of the field head's chain, in
// chain order, the value running through them.
RequestValue Ask_Field_Programs(std::uint16_t field, request_no request, RequestValue value) {
    const obj_ref head = Field_Head(field);
    For_Each_In_Chain(maparray.records[field].first_mod, [&](std::uint16_t m) {
        const modifier rec = mod_array.records[m];
        if ((rec.flags & MOD_INACTIVE) || rec.type >= MOD_KIND_COUNT) return;
        if (mod_handler h = mod_types[rec.type].handler) value = h(path_char, head, 0, m, request, value);
    });
    return value;
}

// Follows the transporters from field; false when the chain leads off the
// map or does not end (the field then counts as blocked).
bool Follow_Transporters(std::uint16_t& field) {
    const ChainEnd end = Follow_Transporter_Chain(field, [](std::uint16_t f) {
        if (!(mapfield[f] & MF_TRANSPORTER)) return NO_VALUE;
        return Ask_Field_Programs(f, REQ_TRANSPORT_DEST, NO_VALUE);
    });
    if (end == ChainEnd::OffMap) Error_Query_Quit("invalid transporter destination");
    return end == ChainEnd::Reached;
}

// The entry cost of the objects after the field head, given the running
// cost of the field head; below 0 as soon as one of them blocks.
std::int64_t Objects_Entry_Cost(std::uint16_t field, std::int64_t running) {
    const bool ask_programs = mapfield[field] & MF_ASK_ENTRY_COST;
    obj_ref cur = Field_Head(field);
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps < limit; ++steps) {
        Next_Object_No_Anim(cur);
        const std::uint16_t i = Obj_Index(cur);
        switch (Obj_Kind(cur)) {
            case OBJ_CHAR:
                // A character replaces what was summed before it.
                running =
                    chararray.records[i].state == CS_STEPPING ? 0 : Ask_Clamped(path_char, cur, REQ_ENTRY_COST_OBJ);
                break;
            case OBJ_ITEM: {
                std::int64_t c = ask_programs ? Ask_Clamped(path_char, cur, REQ_ENTRY_COST_OBJ) : 0;
                if (c < 0) {
                    running = -1;
                    break;
                }
                const item_type* t = Item_Type_Of(i);
                if (t != nullptr && t->item_class == CLASS_MACE && Ask_Clamped(cur, path_char, REQ_SPIRIT) > 10) c += 2;
                running += c;
                break;
            }
            case OBJ_FIXITEM: {
                std::int64_t c = ask_programs ? Ask_Clamped(path_char, cur, REQ_ENTRY_COST_OBJ)
                                              : fixitem_types[maparray.records[i].type].mp;
                running = c < 0 ? -1 : running + c;
                break;
            }
            default: return running;
        }
        if (running < 0) return running;
    }
    return running;
}

}  // namespace

std::int16_t Field_Enter_Cost(std::uint16_t& field) {
    if (field >= total_fields) return -1;
    std::uint16_t f = field;
    const bool arrived = Follow_Transporters(f);
    field = f;
    if (!arrived) return -1;
    if (mapfield[f] & MF_BLOCKED) return -1;

    std::int64_t base = danger_map.size() == total_fields ? danger_map[f] : 0;
    if (mapfield[f] & MF_DANGER) base += Ask_Clamped(path_char, Field_Head(f), REQ_DANGER);
    // Only danger stops a walker: a field without any stays open even to
    // one whose limit has fallen to 0 (badly wounded, or no courage).
    if (base > 0 && base >= danger_limit) return -1;

    std::int64_t running = fixitem_types[maparray.records[f].type].mp;
    if (mapfield[f] & MF_ASK_ENTRY_COST)
        running = Clamp32(Ask_Field_Programs(f, REQ_ENTRY_COST_OBJ, static_cast<RequestValue>(running)));
    if (running < 0) return Clamp16(running);
    running = Objects_Entry_Cost(f, running);
    if (running < 0) return Clamp16(running);
    return Clamp16(base + running);
}
