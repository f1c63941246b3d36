#include "Objects/PathSearch.h"

#include <algorithm>
#include <array>
#include <limits>
#include <new>

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Geometry.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/PathCache.h"
#include "Objects/Request.h"
#include "Objects/Sight.h"
#include "System/ErrorReport.h"

std::vector<std::uint32_t> path_nodes;
std::vector<std::uint8_t> field_cost;
std::vector<std::uint16_t> path_queue;
std::uint16_t path_queue_count = 0;

std::vector<std::uint32_t> pathdirs;
std::uint16_t pathdirs_capacity = 0;
std::uint16_t path_count = 0;
std::uint16_t path_cost = 0;

std::unique_ptr<std::uint32_t[]> cursordirs;
std::uint16_t cursordirs_count = 0;
std::uint16_t cursor_path_dest = NO_FIELD;
std::uint16_t shown_path_dest = NO_FIELD;
obj_ref shown_path_char = NOOBJ;

obj_ref path_char = NOOBJ;
std::uint16_t path_dest = NO_FIELD;
std::int32_t path_bound = 0;

std::int32_t danger_limit = 0;

namespace {

// The straight-line bound when the line cannot be costed.
constexpr std::int32_t NO_LINE_BOUND = MAX_NODE_COST;
// Added to the line bound for a destination that cannot be entered.
constexpr std::int32_t BLOCKED_DEST_MARGIN = 10;
constexpr std::uint32_t TYPE_BITS_CLEAR = ~NODE_TYPE_MASK;

// The danger of the last danger map, per field. field_cost holds it too
// until a field's cost is cached over it; the entry cost of a transporter's
// destination still needs it after that.
std::vector<std::uint8_t> danger_map;

// The destination the last search was asked for, before any transporter.
std::uint16_t asked_dest = NO_FIELD;

// One pending re-expansion of an improved, already expanded field.
struct Expand_Frame {
    std::uint16_t field;
    std::int16_t x, y, level;
    std::int32_t cost;
    int next_dir;
};
std::vector<Expand_Frame> expand_stack;

bool On_Map(std::int32_t x, std::int32_t y) {
    return x >= 0 && y >= 0 && x < static_cast<std::int32_t>(map_width) && y < static_cast<std::int32_t>(map_height);
}

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

bool Path_Char_Is_Char() { return Is_Char(path_char); }

void Set_Path_Char_Facing(int d) {
    if (Path_Char_Is_Char()) chararray.records[Obj_Index(path_char)].facing = static_cast<std::uint8_t>(d);
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

void Fill_No_Danger() {
    std::fill(field_cost.begin(), field_cost.end(), COST_NOT_COMPUTED);
    std::fill(danger_map.begin(), danger_map.end(), 0);
}

// Adds danger to a field of the danger map; the sum stops at 127.
void Add_Danger(std::uint16_t field, std::int32_t danger) {
    std::int32_t sum = std::min<std::int32_t>(MAX_FIELD_COST, danger_map[field] + std::max(danger, 0));
    danger_map[field] = static_cast<std::uint8_t>(sum);
    field_cost[field] = static_cast<std::uint8_t>(COST_NOT_COMPUTED | sum);
}

// Whether slot a counts as hostile to slot b; slots outside the relation
// matrix are not.
bool Hostile(std::int64_t a, std::int64_t b) {
    if (a < 0 || b < 0 || a >= NO_INDEX || b >= NO_INDEX) return false;
    return Is_Hostile(static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b));
}

// Where a character's path starts: the field it is stepping to, else its own.
std::uint16_t Char_Start_Field(std::uint16_t c) {
    const char_record& r = chararray.records[c];
    if (r.state == CS_STEPPING) return static_cast<std::uint16_t>(r.act & 0xFFFF);
    return Object_Field(Make_Obj(OBJ_CHAR, c));
}

// ---- The search ----

void Set_Node_Type(std::uint16_t field, std::uint32_t type) {
    path_nodes[field] = (path_nodes[field] & TYPE_BITS_CLEAR) | (type << NODE_TYPE_SHIFT);
}

// One relaxation of the search: the step from p in direction d onto field f
// with the cost c_in so far. True when an already expanded field g was
// improved to cost t, so that its neighbours must be expanded again.
bool Path_Relax(std::uint16_t f, std::int32_t c_in, int d, std::uint16_t p, std::uint16_t& g_out, std::int32_t& t_out) {
    const std::uint32_t nf = path_nodes[f];
    const bool cached = (field_cost[f] & COST_NOT_COMPUTED) == 0;
    // A cheaper arrival always wins: only a field already reached can refuse one.
    if (cached && Node_Type(nf) != PT_UNVISITED && c_in >= Node_Cost(nf)) return false;

    std::uint16_t g = f;
    std::int32_t e;
    if (!cached) {
        path_cacheable = 1;
        Set_Path_Char_Facing(d);
        e = Field_Enter_Cost(g);
        if (e > MAX_FIELD_COST) e = MAX_FIELD_COST;
        // The cost is cached on the field actually entered; a transporter
        // field itself is asked again on every visit.
        if (path_cacheable && e >= 0) field_cost[g] = static_cast<std::uint8_t>(e);
    } else {
        e = Node_Type(nf) == PT_BLOCKED ? -1 : field_cost[f];
    }

    if (e < 0) {
        const std::uint32_t type = Node_Type(nf);
        if (type == PT_UNVISITED || (type == PT_BLOCKED && c_in <= Node_Cost(nf)))
            path_nodes[f] = Make_Node(static_cast<std::uint32_t>(c_in), PT_BLOCKED, 0, p);
        return false;
    }

    const std::int32_t t = c_in + e;
    if (t > MAX_NODE_COST) return false;
    if (g == path_dest) path_bound = t;
    if (t > path_bound) return false;

    const std::uint32_t ng = path_nodes[g];
    switch (Node_Type(ng)) {
        case PT_EXPANDED:
            if (t >= Node_Cost(ng)) return false;
            path_nodes[g] = Make_Node(static_cast<std::uint32_t>(t), PT_EXPANDED, static_cast<std::uint32_t>(d), p);
            g_out = g;
            t_out = t;
            return true;
        case PT_QUEUED:
            if (t < Node_Cost(ng))
                path_nodes[g] = Make_Node(static_cast<std::uint32_t>(t), PT_QUEUED, static_cast<std::uint32_t>(d), p);
            return false;
        default:
            path_nodes[g] = Make_Node(static_cast<std::uint32_t>(t), PT_QUEUED, static_cast<std::uint32_t>(d), p);
            if (path_queue_count < path_queue.size()) path_queue[path_queue_count++] = g;
            return false;
    }
}

Expand_Frame Frame_Of(std::uint16_t field, std::int32_t cost) {
    return Expand_Frame{field,
                        static_cast<std::int16_t>(Field_X(field)),
                        static_cast<std::int16_t>(Field_Y(field)),
                        static_cast<std::int16_t>(Field_Level(field)),
                        cost,
                        1};
}

// Path_Expand: relaxes one step and, when it improved an expanded field,
// expands that field's neighbours again at once, depth first (an explicit
// stack in place of recursion, in the same order).
void Path_Expand(std::uint16_t f, std::int32_t c_in, int d, std::uint16_t p) {
    std::uint16_t g = 0;
    std::int32_t t = 0;
    if (!Path_Relax(f, c_in, d, p, g, t)) return;
    const std::size_t bottom = expand_stack.size();
    expand_stack.push_back(Frame_Of(g, t));
    while (expand_stack.size() > bottom) {
        Expand_Frame& top = expand_stack.back();
        if (top.next_dir > 6) {
            expand_stack.pop_back();
            continue;
        }
        const int k = top.next_dir++;
        const std::int32_t nx = top.x + hex_dirs[k].dx;
        const std::int32_t ny = top.y + hex_dirs[k].dy;
        if (!On_Map(nx, ny)) continue;
        const std::uint16_t from = top.field;
        const std::int32_t cost = top.cost;
        const std::uint16_t n = Field_Index(static_cast<std::uint32_t>(nx), static_cast<std::uint32_t>(ny),
                                            static_cast<std::uint32_t>(top.level));
        if (Path_Relax(n, cost, k, from, g, t)) expand_stack.push_back(Frame_Of(g, t));
    }
}

void Expand_Queued_Field(std::uint16_t f) {
    const std::int32_t c = Node_Cost(path_nodes[f]);
    const std::int32_t x = static_cast<std::int32_t>(Field_X(f));
    const std::int32_t y = static_cast<std::int32_t>(Field_Y(f));
    const std::uint32_t level = Field_Level(f);
    for (int k = 1; k <= 6; ++k) {
        const std::int32_t nx = x + hex_dirs[k].dx;
        const std::int32_t ny = y + hex_dirs[k].dy;
        if (On_Map(nx, ny))
            Path_Expand(Field_Index(static_cast<std::uint32_t>(nx), static_cast<std::uint32_t>(ny), level), c, k, f);
    }
}

// The cost of the straight line from start to dest, the search's first
// bound; rewrites dest when it is a transporter field.
std::int32_t Line_Bound(std::uint16_t start, std::uint16_t& dest) {
    if (Field_Level(dest) != Field_Level(start)) {
        Field_Enter_Cost(dest);
        return NO_LINE_BOUND;
    }
    std::array<std::uint16_t, MAX_LINE_FIELDS> line;
    const std::uint16_t n = Line_Fields(start, dest, line.data());
    std::int32_t bound = 0;
    std::int32_t c = 0;
    for (std::uint16_t j = 1; j < n; ++j) {
        path_cacheable = 1;
        std::uint16_t field = line[j];
        c = Field_Enter_Cost(field);
        // A field whose cost depends on the step, or that transports the
        // walker away, gives no usable line.
        if (c < 0 || !path_cacheable || field != line[j]) {
            bound = NO_LINE_BOUND;
            break;
        }
        bound += c;
    }
    if (c >= 0) {
        path_cacheable = 1;
        c = Field_Enter_Cost(dest);
        if (!path_cacheable)
            bound = std::max(bound, NO_LINE_BOUND);  // its cost depends on the side it is entered from
        else
            bound += c < 0 ? BLOCKED_DEST_MARGIN : c;
    } else {
        Field_Enter_Cost(dest);
    }
    return bound;
}

bool Grow_Pathdirs() {
    const std::uint32_t grown = static_cast<std::uint32_t>(pathdirs_capacity) + PATHDIRS_STEP;
    if (grown > 0xFFFF) {
        Error_Query_Quit("Unsuccesfull pathdir realloc!");
        return false;
    }
    try {
        pathdirs.resize(grown);
    } catch (const std::bad_alloc&) {
        Error_Query_Quit("Unsuccesfull pathdir realloc!");
        return false;
    }
    pathdirs_capacity = static_cast<std::uint16_t>(grown);
    return true;
}

// Copies the nodes from path_dest back to start into pathdirs.
void Collect_Path(std::uint16_t start) {
    const std::uint32_t nd = path_nodes[path_dest];
    path_cost = Node_Cost(nd);
    path_count = 0;
    if (Node_Parent(nd) == NO_FIELD || Node_Type(nd) == PT_UNVISITED) return;
    std::uint16_t f = path_dest;
    for (std::uint32_t steps = 0; f != start; ++steps) {
        if (f >= total_fields || steps >= total_fields) {  // a broken chain gives no path
            path_count = 0;
            return;
        }
        if (path_count == pathdirs_capacity && !Grow_Pathdirs()) {
            path_count = 0;
            return;
        }
        pathdirs[path_count++] = path_nodes[f];
        f = Node_Parent(path_nodes[f]);
    }
}

// ---- Arrows ----

// Calls mark(field, frame) for each arrow of a path: the target marker
// (frame 0) on a destination that could not be entered, then an arrow of
// the step's direction on each field, or beside the parent when the step
// went through a transporter.
template <class Mark>
void Walk_Arrows(const std::uint32_t* dirs, std::uint16_t count, std::uint16_t dest, Mark&& mark) {
    if (count == 0 || dest >= total_fields) return;
    std::uint16_t cur = dest;
    std::uint16_t i = 0;
    if (Node_Type(dirs[0]) == PT_BLOCKED) {
        mark(dest, 0);
        cur = Node_Parent(dirs[0]);
        i = 1;
    }
    for (; i < count; ++i) {
        const int d = Node_Dir(dirs[i]);
        const std::uint16_t parent = Node_Parent(dirs[i]);
        if (cur >= total_fields || parent >= total_fields) return;
        if (Neighbour_Dir(parent, cur) == d) {
            mark(cur, d);
        } else {
            const std::uint16_t beside = Neighbour_Field(parent, d);
            if (beside != NO_FIELD) mark(beside, d);
        }
        cur = parent;
    }
}

void Remove_Arrows(const std::uint32_t* dirs, std::uint16_t count, std::uint16_t dest) {
    Walk_Arrows(dirs, count, dest, [](std::uint16_t field, int) { Remove_MapAnim(field, ANIM_PATH_ARROW); });
}

}  // namespace

// ---- Work arrays ----

void Init_Path_Arrays() {
    try {
        path_nodes.assign(total_fields, 0);
        field_cost.assign(total_fields, 0);
        path_queue.assign(total_fields, 0);
        danger_map.assign(total_fields, 0);
    } catch (const std::bad_alloc&) {
        path_nodes.clear();
        field_cost.clear();
        path_queue.clear();
        danger_map.clear();
    }
    path_queue_count = 0;
    path_count = 0;
    path_cost = 0;
    try {
        pathdirs.assign(PATHDIRS_START, 0);
        pathdirs_capacity = PATHDIRS_START;
    } catch (const std::bad_alloc&) {
        pathdirs.clear();
        pathdirs_capacity = 0;
        Error_Query_Quit("Can't allocate pathdirs!");
    }
}

void Free_Path_Arrays() {
    for (auto* v : {&path_nodes, &pathdirs}) {
        v->clear();
        v->shrink_to_fit();
    }
    for (auto* v : {&field_cost, &danger_map}) {
        v->clear();
        v->shrink_to_fit();
    }
    path_queue.clear();
    path_queue.shrink_to_fit();
    path_queue_count = 0;
    pathdirs_capacity = 0;
    path_count = 0;
}

bool Path_Arrays_Ready() {
    return total_fields > 0 && path_nodes.size() == total_fields && field_cost.size() == total_fields &&
           path_queue.size() == total_fields && danger_map.size() == total_fields;
}

// ---- Danger ----

void Set_Danger_Limits(obj_ref character) {
    const std::int64_t hp = Ask_Clamped(character, character, REQ_HIT_POINTS);
    const std::int64_t braveness = Ask_Clamped(character, character, REQ_BRAVENESS);
    danger_limit = Clamp32(hp * braveness / 50);
    danger_scale = DANGER_SCALE;
    danger_unit = DANGER_UNIT;
}

void Clear_Danger_Map() {
    if (Path_Arrays_Ready()) Fill_No_Danger();
}

std::int32_t Enemy_Threat(obj_ref enemy, obj_ref character) {
    const std::int32_t attack = Ask_Clamped(character, enemy, REQ_ATTACK);
    const std::int32_t defence = Ask_Clamped(character, character, REQ_DEFENCE);
    const std::int64_t damage = (static_cast<std::int64_t>(Ask_Clamped(character, enemy, REQ_DAMAGE_MIN)) +
                                 Ask_Clamped(character, enemy, REQ_DAMAGE_MAX)) /
                                2;
    const std::int64_t dealt = Hit_Damage(attack, defence, Clamp32(damage), 1);
    return Clamp32(dealt * danger_scale / 100);
}

void Build_Danger_Map(obj_ref character) {
    if (!Path_Arrays_Ready()) return;
    Fill_No_Danger();
    Set_Danger_Limits(character);
    const std::uint16_t own_slot = Obj_Kind(character) == OBJ_CHAR && Char_In_Use(Obj_Index(character))
                                       ? chararray.records[Obj_Index(character)].ai_slot
                                       : NO_INDEX;
    for (std::uint16_t s = 0; s < iqarray.Capacity(); ++s) {
        const obj_ref enemy = iqarray.records[s].object;
        if (Obj_Kind(enemy) == OBJ_NONE || s == own_slot) continue;
        if (Ask_Clamped(character, enemy, REQ_ACTIVE) == 0) continue;
        if (!Hostile(s, own_slot)) continue;
        const std::uint16_t field = Object_Field(enemy);
        if (field >= total_fields) continue;
        Set_Sight_Target(field, DANGER_SIGHT_RANGE);
        if (visi_dist(character) == NO_DISTANCE) continue;
        const std::int32_t threat = Enemy_Threat(enemy, character);
        for (int k = 1; k <= 6; ++k) {
            const std::uint16_t n = Neighbour_Field(field, k);
            if (n != NO_FIELD) Add_Danger(n, threat);
        }
    }
}

std::int32_t Field_Danger(obj_ref character, std::uint16_t field) {
    if (field >= total_fields) return NO_DISTANCE;
    std::int64_t danger = Ask_Clamped(character, Field_Head(field), REQ_DANGER);
    const std::uint16_t own = Obj_Kind(character) == OBJ_CHAR ? Obj_Index(character) : NO_INDEX;
    const std::uint16_t standing = Char_On_Field(field);
    if (standing != NO_INDEX && standing != own) return NO_DISTANCE;
    const std::int32_t own_slot = Ask_Clamped(character, character, REQ_AI_SLOT);
    for (int k = 1; k <= 6; ++k) {
        const std::uint16_t n = Neighbour_Field(field, k);
        if (n == NO_FIELD) continue;
        const std::uint16_t o = Char_On_Field(n);
        if (o == NO_INDEX || o == own) continue;
        const obj_ref other = Make_Obj(OBJ_CHAR, o);
        if (Ask_Clamped(character, other, REQ_ACTIVE) == 0) continue;
        if (!Hostile(Ask_Clamped(character, other, REQ_AI_SLOT), own_slot)) continue;
        danger += Enemy_Threat(other, character);
    }
    // However great, the danger of a free field never reads as "occupied".
    return std::min<std::int64_t>(Clamp32(danger), NO_DISTANCE - 1);
}

// ---- Entry cost ----

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

// ---- Search ----

void path(std::uint16_t character, std::int32_t x, std::int32_t y, std::int32_t level, std::uint32_t ignore_danger) {
    path_count = 0;
    path_cost = 0;
    path_dest = NO_FIELD;
    asked_dest = NO_FIELD;
    if (!Char_In_Use(character) || !Path_Arrays_Ready() || !On_Map(x, y) || level < 0 ||
        level >= static_cast<std::int32_t>(map_levels))
        return;
    std::uint16_t dest =
        Field_Index(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), static_cast<std::uint32_t>(level));
    path_char = Make_Obj(OBJ_CHAR, character);
    const std::uint16_t start = Char_Start_Field(character);
    if (start >= total_fields) return;
    const std::uint8_t facing = chararray.records[character].facing;

    std::fill(path_nodes.begin(), path_nodes.end(), 0);
    if (ignore_danger) {
        Fill_No_Danger();
        Set_Danger_Limits(path_char);  // the routed character's own limit, not a stale one
    } else {
        Build_Danger_Map(path_char);
    }
    asked_dest = dest;

    path_bound = Line_Bound(start, dest);
    path_dest = dest;

    path_queue[0] = start;
    path_queue_count = 1;
    path_nodes[start] = Make_Node(0, PT_QUEUED, 0, NO_FIELD);
    field_cost[start] = 0;
    for (std::uint32_t q = 0; q < path_queue_count; ++q) {
        const std::uint16_t f = path_queue[q];
        Expand_Queued_Field(f);
        Set_Node_Type(f, PT_EXPANDED);
    }

    chararray.records[character].facing = facing;
    Collect_Path(start);
}

int Can_Step_Next(std::uint16_t character) {
    if (!Char_In_Use(character)) return 0;
    const std::vector<std::uint32_t>* entries = Char_Path(character);
    if (entries == nullptr) return 0;
    const std::uint16_t index = chararray.records[character].path_entry;
    if (index >= entries->size()) return 0;
    const int d = Node_Dir((*entries)[index]);
    if (d < 1 || d > 6) return 0;

    path_char = Make_Obj(OBJ_CHAR, character);
    char_record& r = chararray.records[character];
    const std::uint8_t facing = r.facing;
    r.facing = static_cast<std::uint8_t>(d);
    const std::int32_t nx = r.x + hex_dirs[d].dx;
    const std::int32_t ny = r.y + hex_dirs[d].dy;
    const std::int32_t level = r.map_level;
    std::int16_t e = -1;
    if (On_Map(nx, ny) && level >= 0 && level < static_cast<std::int32_t>(map_levels)) {
        std::uint16_t next = Field_Index(static_cast<std::uint32_t>(nx), static_cast<std::uint32_t>(ny),
                                         static_cast<std::uint32_t>(level));
        Build_Danger_Map(path_char);
        e = Field_Enter_Cost(next);
    }
    chararray.records[character].facing = facing;
    return e > 0 ? 1 : 0;
}

// ---- Geometry ----

std::uint16_t Line_Fields(std::uint16_t a, std::uint16_t b, std::uint16_t* out) {
    if (a >= total_fields || b >= total_fields) return 0;
    const std::int32_t dx = static_cast<std::int32_t>(Field_X(b)) - static_cast<std::int32_t>(Field_X(a));
    const std::int32_t dy = static_cast<std::int32_t>(Field_Y(b)) - static_cast<std::int32_t>(Field_Y(a));
    const std::int32_t sx = dx >= 0 ? 1 : -1;
    const std::int32_t ys = dy >= 0 ? static_cast<std::int32_t>(map_width) : -static_cast<std::int32_t>(map_width);
    const std::int32_t A = dx < 0 ? -dx : dx;
    const std::int32_t B = dy < 0 ? -dy : dy;
    std::int32_t cur = a;
    std::uint16_t n = 0;
    auto put = [&](std::int32_t f) { out[n++] = static_cast<std::uint16_t>(f); };

    if (dx == 0) {
        for (std::int32_t i = 0; i < B; ++i, cur += ys) put(cur);
        return n;
    }
    if (dy == 0) {
        for (std::int32_t i = 0; i < A; ++i, cur += sx) put(cur);
        return n;
    }
    if ((dx > 0) == (dy > 0)) {
        // (1,1) is no hexagon step: the two axes are walked one after the other.
        if (A <= B) {
            for (std::int32_t t = B; t < 2 * A * B + B; t += 2 * A) {
                put(cur);
                cur += ys;
                const std::int32_t r = (t + 2 * A) % (2 * B);
                if (r < 2 * A) {
                    put(r >= A ? cur - ys + sx : cur);
                    cur += sx;
                }
            }
        } else {
            for (std::int32_t t = A; t < 2 * A * B + A; t += 2 * B) {
                put(cur);
                cur += sx;
                const std::int32_t r = (t + 2 * B) % (2 * A);
                if (r < 2 * B) {
                    put(r >= B ? cur - sx + ys : cur);
                    cur += ys;
                }
            }
        }
        return n;
    }
    // Opposite signs: the diagonal (1,-1) is a hexagon step.
    if (A <= B) {
        for (std::int32_t t = B; t < 2 * A * B + B; t += 2 * A) {
            put(cur);
            cur += ys;
            if ((t + 2 * A) % (2 * B) < 2 * A) cur += sx;
        }
    } else {
        for (std::int32_t t = A; t < 2 * A * B + A; t += 2 * B) {
            put(cur);
            cur += sx;
            if ((t + 2 * B) % (2 * A) < 2 * B) cur += ys;
        }
    }
    return n;
}

int Direction_Of_Vector(std::int16_t dx, std::int16_t dy) {
    if (dy == 0) return dx > 0 ? 1 : 4;
    if (dx == 0) return dy > 0 ? 2 : 5;
    const std::int32_t q = 2 * static_cast<std::int32_t>(dy) / dx;
    if (dy > 0) {
        if (q >= 2 || q < -4) return 2;
        if (q <= -2) return 3;
        if (q == 1) return 1;
        return dx >= 0 ? 1 : 4;
    }
    if (q >= 2 || q < -4) return 5;
    if (q <= -2) return 6;
    if (q == 1) return 4;
    return dx <= 0 ? 4 : 1;
}

std::int32_t Mass(std::uint16_t source, std::uint16_t destination, obj_ref other) {
    if (source >= total_fields) {
        Error_Query_Quit("Source index is not field-head in Mass");
        return 0;
    }
    if (destination >= total_fields) {
        Error_Query_Quit("Destination index is not field-head in Mass");
        return 0;
    }
    std::array<std::uint16_t, MAX_LINE_FIELDS> line;
    const std::uint16_t n = Line_Fields(source, destination, line.data());
    std::int64_t sum = 0;
    for (std::uint16_t j = 0; j < n; ++j)
        sum += Ask_Clamped(NOOBJ, Field_Head(line[j]), REQ_FIELD_COVER, static_cast<RequestValue>(other));
    return Clamp32(sum);
}

// ---- Arrows ----

void Show_Path_Cursor() {
    if (cursordirs) {
        // Arrows still shown: take them off before the new ones go on.
        Error_Query_Quit("Cursordirs is not NULL!");
        Remove_Arrows(cursordirs.get(), cursordirs_count, cursor_path_dest);
        cursordirs.reset();
    }
    cursor_path_dest = path_dest;
    shown_path_dest = asked_dest;
    shown_path_char = path_char;
    cursordirs_count = path_count;
    if (cursordirs_count == 0) return;
    try {
        cursordirs.reset(new std::uint32_t[cursordirs_count]);
    } catch (const std::bad_alloc&) {
        Error_Query_Quit("Can't allocate memory for cursordirs!");
        cursordirs_count = 0;
        return;
    }
    std::copy(pathdirs.begin(), pathdirs.begin() + cursordirs_count, cursordirs.get());
    Walk_Arrows(cursordirs.get(), cursordirs_count, cursor_path_dest, [](std::uint16_t field, int frame) {
        Put_MapAnim(field, ANIM_PATH_ARROW, static_cast<std::uint8_t>(frame));
    });
}

void Hide_Path_Cursor() {
    if (cursordirs_count > 0) {
        if (!cursordirs)
            Error_Query_Quit("No cursordirs!");
        else
            Remove_Arrows(cursordirs.get(), cursordirs_count, cursor_path_dest);
    }
    cursordirs_count = 0;
    shown_path_dest = NO_FIELD;
    shown_path_char = NOOBJ;
    cursordirs.reset();
}
