// The search: a bounded, label-correcting flood from the character's field
// over the entry costs, and the step test of a walking character.
#include "Objects/PathSearch.h"

#include <algorithm>
#include <array>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Path/PathWork.h"

obj_ref path_char = NOOBJ;
std::uint16_t path_dest = NO_FIELD;
std::int32_t path_bound = 0;
std::uint16_t asked_dest = NO_FIELD;

namespace {

void Set_Path_Char_Facing(int d) {
    if (Is_Char(path_char)) chararray.records[Obj_Index(path_char)].facing = static_cast<std::uint8_t>(d);
}

// The straight-line bound when the line cannot be costed.
constexpr std::int32_t NO_LINE_BOUND = MAX_NODE_COST;
// Added to the line bound for a destination that cannot be entered.
constexpr std::int32_t BLOCKED_DEST_MARGIN = 10;
constexpr std::uint32_t TYPE_BITS_CLEAR = ~NODE_TYPE_MASK;

// One pending re-expansion of an improved, already expanded field.
struct Expand_Frame {
    std::uint16_t field;
    std::int16_t x, y, level;
    std::int32_t cost;
    int next_dir;
};
std::vector<Expand_Frame> expand_stack;

// A destination blocked whatever side it is entered from keeps its cheapest
// arrival (the last of equal ones): once it is reached, a dearer step can
// lead to no arrival that counts, and the search stops there. Sound while
// the search's questions change nothing and a cost that does not depend on
// the side does not (the kinds as built).
bool blocked_dest_bounds = false;

// Where a character's path starts: the field it is stepping to, else its own.
std::uint16_t Char_Start_Field(std::uint16_t c) {
    const char_record& r = chararray.records[c];
    if (r.state == CS_STEPPING) return static_cast<std::uint16_t>(r.act & 0xFFFF);
    return Object_Field(Make_Obj(OBJ_CHAR, c));
}

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
        if (type == PT_UNVISITED || (type == PT_BLOCKED && c_in <= Node_Cost(nf))) {
            path_nodes[f] = Make_Node(static_cast<std::uint32_t>(c_in), PT_BLOCKED, 0, p);
            if (f == path_dest && g == f && path_cacheable && blocked_dest_bounds)
                path_bound = std::min(path_bound, c_in);
        }
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
        if (!Path_On_Map(nx, ny)) continue;
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
        if (Path_On_Map(nx, ny))
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

}  // namespace

void Reset_Path_Search_State() {
    path_char = NOOBJ;
    path_dest = NO_FIELD;
    path_bound = 0;
    asked_dest = NO_FIELD;
    path_count = 0;
    path_cost = 0;
    expand_stack.clear();
    blocked_dest_bounds = false;
    Reset_Danger_Limit();
    Reset_Path_Arrows();
}

void path(std::uint16_t character, std::int32_t x, std::int32_t y, std::int32_t level, std::uint32_t ignore_danger) {
    path_count = 0;
    path_cost = 0;
    path_dest = NO_FIELD;
    asked_dest = NO_FIELD;
    if (!Char_In_Use(character) || !Path_Arrays_Ready() || !Path_On_Map(x, y) || level < 0 ||
        level >= static_cast<std::int32_t>(map_levels))
        return;
    std::uint16_t dest =
        Field_Index(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), static_cast<std::uint32_t>(level));
    path_char = Make_Obj(OBJ_CHAR, character);
    const std::uint16_t start = Char_Start_Field(character);
    if (start >= total_fields) return;
    const std::uint8_t facing = chararray.records[character].facing;

    Clear_Path_Nodes();
    if (ignore_danger) {
        Fill_No_Danger();
        Set_Danger_Limits(path_char);  // the routed character's own limit, not a stale one
    } else {
        Build_Danger_Map(path_char);
    }
    asked_dest = dest;

    blocked_dest_bounds = Mod_Kinds_As_Built();
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
    if (Path_On_Map(nx, ny) && level >= 0 && level < static_cast<std::int32_t>(map_levels)) {
        std::uint16_t next = Field_Index(static_cast<std::uint32_t>(nx), static_cast<std::uint32_t>(ny),
                                         static_cast<std::uint32_t>(level));
        Build_Danger_Map(path_char);
        e = Field_Enter_Cost(next);
    }
    chararray.records[character].facing = facing;
    return e > 0 ? 1 : 0;
}
