#include "Objects/Floods.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Geometry.h"
#include "Objects/Map.h"
#include "Objects/PathCache.h"
#include "Objects/PathSearch.h"
#include "Objects/Request.h"
#include "System/ErrorReport.h"
#include "System/Random.h"

std::uint16_t sound_source = NO_FIELD;

namespace {
// Hearing is loudness left plus request 71 beyond this par.
constexpr std::int64_t HEARING_PAR = 100;
std::uint32_t sound_flood_generation = 0;
}  // namespace

void Reset_Flood_State() {
    sound_source = NO_FIELD;
    sound_flood_generation = 0;
}

namespace {

// One pending re-relaxation around an improved, already expanded field.
struct Flood_Frame {
    std::uint16_t field;
    std::int16_t x, y, level;
    std::int32_t value;  // budget or loudness left at the field
    int next_move;
};
std::vector<Flood_Frame> reach_stack;
std::vector<Flood_Frame> sound_stack;

constexpr int HEX_MOVES = 6;
constexpr int MOVE_DOWN = 7;
constexpr int MOVE_UP = 8;
constexpr int SOUND_MOVES = MOVE_UP;  // six neighbours, then down and up a level

bool On_Map(std::int32_t x, std::int32_t y, std::int32_t level) {
    return x >= 0 && y >= 0 && level >= 0 && x < static_cast<std::int32_t>(map_width) &&
           y < static_cast<std::int32_t>(map_height) && level < static_cast<std::int32_t>(map_levels);
}

std::uint16_t Index_Of(std::int32_t x, std::int32_t y, std::int32_t level) {
    return Field_Index(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), static_cast<std::uint32_t>(level));
}

void Set_Cost(std::uint16_t field, std::int32_t cost) {
    path_nodes[field] = (path_nodes[field] & ~NODE_COST_MASK) | (static_cast<std::uint32_t>(cost) & NODE_COST_MASK);
}

void Set_Type(std::uint16_t field, std::uint32_t type) {
    path_nodes[field] = (path_nodes[field] & ~NODE_TYPE_MASK) | (type << NODE_TYPE_SHIFT);
}

void Queue(std::uint16_t field, std::int32_t value) {
    Set_Cost(field, value);
    Set_Type(field, PT_QUEUED);
    if (path_queue_count < path_queue.size()) path_queue[path_queue_count++] = field;
}

Flood_Frame Frame_Of(std::uint16_t field, std::int32_t value) {
    return Flood_Frame{field,
                       static_cast<std::int16_t>(Field_X(field)),
                       static_cast<std::int16_t>(Field_Y(field)),
                       static_cast<std::int16_t>(Field_Level(field)),
                       value,
                       1};
}

// The fill percent of the ground of field (its field head's type).
std::int32_t Ground_Fill(std::uint16_t field) { return fixitem_types[maparray.records[field].type].fill; }

std::int32_t Floor_Loss(std::uint16_t floor_field) { return Ground_Fill(floor_field) * 8 / 10; }

void Set_Mover_Facing(int d) {
    if (Obj_Kind(path_char) == OBJ_CHAR && Char_In_Use(Obj_Index(path_char)))
        chararray.records[Obj_Index(path_char)].facing = static_cast<std::uint8_t>(d);
}

// ---- Reach ----

// The step in direction d onto field f with budget b. True when an
// expanded field g was raised to rest, so its neighbours are relaxed again.
bool Reach_Relax(std::uint16_t f, std::int32_t b, int d, std::uint16_t& g_out, std::int32_t& rest_out) {
    const bool cached = field_cost[f] < COST_NOT_COMPUTED;
    // A transporter field leads elsewhere on every visit, so it is always asked.
    const std::uint32_t nf = path_nodes[f];
    if ((cached || !(mapfield[f] & MF_TRANSPORTER)) && Node_Type(nf) != PT_UNVISITED && b <= Node_Cost(nf))
        return false;

    std::uint16_t g = f;
    std::int32_t e;
    if (!cached) {
        path_cacheable = 1;
        Set_Mover_Facing(d);
        e = Field_Enter_Cost(g);
        if (path_cacheable) {
            if (e < 0)
                field_cost[g] = REACH_BLOCKED;
            else if (e < REACH_BLOCKED)
                field_cost[g] = static_cast<std::uint8_t>(e);
        }
    } else {
        e = field_cost[f] == REACH_BLOCKED ? -1 : field_cost[f];
    }

    const std::uint32_t ng = path_nodes[g];
    if (e < 0) {
        // A field that cannot be entered remembers the largest budget that touched it.
        if (b > Node_Cost(ng) && Node_Type(ng) == PT_UNVISITED) Set_Cost(g, b);
        return false;
    }
    const std::int32_t rest = b - e;
    if (rest <= 0) return false;
    switch (Node_Type(ng)) {
        case PT_UNVISITED: Queue(g, rest); return false;
        case PT_EXPANDED:
            if (rest <= Node_Cost(ng)) return false;
            Set_Cost(g, rest);
            g_out = g;
            rest_out = rest;
            return true;
        case PT_QUEUED:
            if (rest > Node_Cost(ng)) Set_Cost(g, rest);
            return false;
        default: Error_Query_Quit("invalid PATHTYPE in Distance"); return false;
    }
}

void Reach_Step(std::uint16_t f, std::int32_t b, int d) {
    std::uint16_t g = 0;
    std::int32_t rest = 0;
    if (!Reach_Relax(f, b, d, g, rest)) return;
    const std::size_t bottom = reach_stack.size();
    reach_stack.push_back(Frame_Of(g, rest));
    while (reach_stack.size() > bottom) {
        Flood_Frame& top = reach_stack.back();
        if (top.next_move > HEX_MOVES) {
            reach_stack.pop_back();
            continue;
        }
        const int k = top.next_move++;
        const std::int32_t nx = top.x + hex_dirs[k].dx;
        const std::int32_t ny = top.y + hex_dirs[k].dy;
        if (!On_Map(nx, ny, top.level)) continue;
        const std::int32_t value = top.value;
        if (Reach_Relax(Index_Of(nx, ny, top.level), value, k, g, rest)) reach_stack.push_back(Frame_Of(g, rest));
    }
}

// ---- Sound ----

// The sound arriving at field f with loudness L. True when an expanded
// field was raised to r, so the sound spreads from it again.
bool Audio_Relax(std::uint16_t f, std::int32_t L, std::int32_t& r_out) {
    std::int32_t r;
    if (field_cost[f] == SOUND_NOT_COMPUTED) {
        r = L - Field_Sound_Damping(f);
        field_cost[f] = r < 0 ? SOUND_DIES : static_cast<std::uint8_t>(std::min<std::int32_t>(r, MAX_SOUND_CACHE));
    } else {
        r = field_cost[f];
        if (r == SOUND_DIES) return false;
    }
    if (r < 0) return false;
    r = std::min(r, MAX_NODE_COST);
    const std::uint32_t n = path_nodes[f];
    switch (Node_Type(n)) {
        case PT_UNVISITED: Queue(f, r); return false;
        case PT_EXPANDED:
            if (r <= Node_Cost(n)) return false;
            Set_Cost(f, r);
            r_out = r;
            return true;
        case PT_QUEUED:
            if (r > Node_Cost(n)) Set_Cost(f, r);
            return false;
        default: Error_Query_Quit("invalid PATHTYPE in Audio"); return false;
    }
}

// Where move k (1..6 neighbours, 7 down, 8 up) leads from (x, y, level) and
// how loud the sound arrives there; false off the map.
bool Sound_Move(const Flood_Frame& from, int k, std::uint16_t& to, std::int32_t& loudness) {
    std::int32_t x = from.x, y = from.y, level = from.level;
    loudness = from.value;
    if (k <= HEX_MOVES) {
        x += hex_dirs[k].dx;
        y += hex_dirs[k].dy;
    } else if (k == MOVE_DOWN) {
        loudness -= Floor_Loss(from.field);
        --level;
    } else {  // MOVE_UP
        if (level + 1 >= static_cast<std::int32_t>(map_levels)) return false;
        loudness -= Floor_Loss(static_cast<std::uint16_t>(from.field + fields_per_level));
        ++level;
    }
    if (!On_Map(x, y, level)) return false;
    to = Index_Of(x, y, level);
    return true;
}

void Spread_Sound(const Flood_Frame& from);

void Audio_Step(std::uint16_t f, std::int32_t L) {
    std::int32_t r = 0;
    if (Audio_Relax(f, L, r)) Spread_Sound(Frame_Of(f, r));
}

// Relaxes every move from an improved, expanded field, depth first.
void Spread_Sound(const Flood_Frame& from) {
    const std::size_t bottom = sound_stack.size();
    sound_stack.push_back(from);
    while (sound_stack.size() > bottom) {
        Flood_Frame& top = sound_stack.back();
        if (top.next_move > SOUND_MOVES) {
            sound_stack.pop_back();
            continue;
        }
        const int k = top.next_move++;
        std::uint16_t to = 0;
        std::int32_t loudness = 0;
        if (!Sound_Move(top, k, to, loudness)) continue;
        std::int32_t r = 0;
        if (Audio_Relax(to, loudness, r)) sound_stack.push_back(Frame_Of(to, r));
    }
}

}  // namespace

// ---- Reach ----

void Compute_Reach(obj_ref character, std::uint16_t budget) {
    if (Obj_Kind(character) != OBJ_CHAR || !Char_In_Use(Obj_Index(character)) || !Path_Arrays_Ready()) return;
    const std::uint16_t c = Obj_Index(character);
    const std::uint16_t s = Object_Field(character);
    if (s >= total_fields) return;
    const std::uint8_t facing = chararray.records[c].facing;
    const obj_ref previous = path_char;
    path_char = character;

    Clear_Path_Nodes();
    Build_Danger_Map(character);
    path_queue[0] = s;
    path_nodes[s] = Make_Node(std::min<std::uint32_t>(budget, MAX_NODE_COST), PT_QUEUED, 0, 0);
    field_cost[s] = 0;
    path_queue_count = 1;
    for (std::uint32_t q = 0; q < path_queue_count; ++q) {
        const std::uint16_t f = path_queue[q];
        const std::int32_t v = Node_Cost(path_nodes[f]);
        const std::int32_t x = static_cast<std::int32_t>(Field_X(f));
        const std::int32_t y = static_cast<std::int32_t>(Field_Y(f));
        const std::int32_t level = static_cast<std::int32_t>(Field_Level(f));
        for (int k = 1; k <= HEX_MOVES; ++k) {
            const std::int32_t nx = x + hex_dirs[k].dx;
            const std::int32_t ny = y + hex_dirs[k].dy;
            if (On_Map(nx, ny, level)) Reach_Step(Index_Of(nx, ny, level), v, k);
        }
        Set_Type(f, PT_EXPANDED);
    }

    chararray.records[c].facing = facing;
    path_char = previous;
}

void Distance(std::int16_t x, std::int16_t y, std::int16_t level, std::int16_t budget, std::uint8_t dir) {
    if (!Path_Arrays_Ready() || !On_Map(x, y, level)) return;
    Reach_Step(Index_Of(x, y, level), std::clamp<std::int32_t>(budget, 0, MAX_NODE_COST), dir);
}

// ---- Flight ----

int bad_place(obj_ref character) {
    if (Obj_Kind(character) != OBJ_CHAR) {
        Error_Query_Quit("non-character obj in bad_place");
        return 0;
    }
    const std::uint16_t c = Obj_Index(character);
    if (!Char_In_Use(c)) return 0;
    const std::uint16_t own = Object_Field(character);
    if (own >= total_fields) return 0;

    Set_Danger_Limits(character);
    const std::int32_t here = Field_Danger(character, own);
    if (danger_limit > here) return 0;

    const int r = Random(6);
    std::int32_t best = NO_DISTANCE;
    std::uint16_t chosen = NO_FIELD;
    const std::int32_t x = static_cast<std::int32_t>(Field_X(own));
    const std::int32_t y = static_cast<std::int32_t>(Field_Y(own));
    const std::int32_t level = static_cast<std::int32_t>(Field_Level(own));
    for (int k = r + 1; k <= r + 6; ++k) {
        const std::int32_t nx = x + hex_dirs_wrap[k].dx;
        const std::int32_t ny = y + hex_dirs_wrap[k].dy;
        if (!On_Map(nx, ny, level)) continue;
        const std::uint16_t n = Index_Of(nx, ny, level);
        const std::int32_t d = Field_Danger(character, n);
        if (d >= best) continue;
        path(c, nx, ny, level, 1);
        if (path_count > 0) {
            best = d;
            chosen = n;
        }
    }
    Free_Char_Path(c);
    if (best >= here) return 0;
    path(c, static_cast<std::int32_t>(Field_X(chosen)), static_cast<std::int32_t>(Field_Y(chosen)), level, 1);
    if (path_count == 0) return 0;
    Store_Char_Path(c, pathdirs.data(), path_count, Make_Obj(OBJ_FIXITEM, chosen));
    return 1;
}

// ---- Sound ----

std::int32_t Field_Sound_Damping(std::uint16_t field) {
    if (field >= total_fields) return 0;
    const obj_ref head = Make_Obj(OBJ_FIXITEM, field);
    const std::int64_t base =
        (mapfield[field] & MF_ASK_SIGHT) ? Ask_Clamped(head, head, REQ_SILENCE) : DEFAULT_SOUND_DAMPING;
    std::int64_t sum = 0;
    obj_ref cur = head;
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps < limit; ++steps) {
        Next_Object_No_Anim(cur);
        if (Obj_Kind(cur) == OBJ_NONE) break;
        if (Obj_Kind(cur) == OBJ_FIXITEM) sum += fixitem_types[maparray.records[Obj_Index(cur)].type].fill;
    }
    return Clamp32(sum * 8 / 10 + base);
}

void Propagate_Sound(std::uint16_t source, std::uint16_t loudness) {
    if (!Path_Arrays_Ready() || source >= total_fields) return;
    Clear_Path_Nodes();
    std::fill(field_cost.begin(), field_cost.end(), SOUND_NOT_COMPUTED);
    sound_source = source;
    path_queue[0] = source;
    path_nodes[source] = Make_Node(
        static_cast<std::uint32_t>(std::min<std::int32_t>(loudness * SOUND_SCALE, MAX_NODE_COST)), PT_QUEUED, 0, 0);
    field_cost[source] = 0;
    path_queue_count = 1;
    for (std::uint32_t q = 0; q < path_queue_count; ++q) {
        const std::uint16_t g = path_queue[q];
        const Flood_Frame from = Frame_Of(g, Node_Cost(path_nodes[g]));
        for (int k = 1; k <= SOUND_MOVES; ++k) {
            std::uint16_t to = 0;
            std::int32_t loud = 0;
            if (Sound_Move(from, k, to, loud)) Audio_Step(to, loud);
        }
        Set_Type(g, PT_EXPANDED);
    }
    sound_flood_generation = Path_Nodes_Generation();
}

void Audio(std::int16_t x, std::int16_t y, std::int16_t level, std::int16_t loudness) {
    if (!Path_Arrays_Ready() || !On_Map(x, y, level)) return;
    Audio_Step(Index_Of(x, y, level), loudness);
}

std::int32_t Hear_Distance(obj_ref character) {
    const std::uint16_t f = Object_Field(character);
    if (f >= total_fields || !Path_Arrays_Ready() || sound_source >= total_fields) return NO_DISTANCE;
    const std::int64_t heard = static_cast<std::int64_t>(Node_Cost(path_nodes[f])) +
                               Ask_Clamped(character, character, REQ_PERCENT) - HEARING_PAR;
    if (heard < 1) return NO_DISTANCE;
    return Field_Distance(f, sound_source);
}

bool May_Hear_At(std::uint16_t field, std::int64_t greatest_hearing) {
    if (!Path_Arrays_Ready() || sound_source >= total_fields || field >= total_fields) return false;
    if (sound_flood_generation != Path_Nodes_Generation()) return true;
    return Node_Cost(path_nodes[field]) + greatest_hearing - HEARING_PAR >= 1;
}

std::int32_t Farthest_Hearing(std::int64_t greatest_hearing) {
    if (!Path_Arrays_Ready() || sound_source >= total_fields) return HEARD_NOWHERE;
    if (sound_flood_generation != Path_Nodes_Generation()) return HEARD_EVERYWHERE;
    // Heard where the loudness left reaches this; every field the flood
    // gave a loudness was queued, every other field has none.
    const std::int64_t least_loudness = 1 + HEARING_PAR - greatest_hearing;
    if (least_loudness <= 0) return HEARD_EVERYWHERE;
    std::int32_t farthest = HEARD_NOWHERE;
    for (std::uint32_t q = 0; q < path_queue_count; ++q) {
        const std::uint16_t f = path_queue[q];
        if (Node_Cost(path_nodes[f]) >= least_loudness) farthest = std::max(farthest, Field_Distance(f, sound_source));
    }
    return farthest;
}
