// Path search: the per-field work arrays shared with the floods, the entry
// cost of a field for the routed character, the danger map, the straight hex
// line, the bounded label-correcting search, the found path and its arrows,
// the step test of a walking character and the characters' stored paths.
// The code lives in Objects/Path/, one file per topic.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "Objects/Map.h"
#include "Objects/ObjRef.h"
#include "Objects/PathCache.h"
#include "Objects/Request.h"

// ---- Node word: the low 16 bits of a path_nodes entry ----
constexpr std::uint32_t NODE_COST_MASK = 0x07FF;  // cost so far (floods: budget left)
constexpr int NODE_TYPE_SHIFT = 11;
constexpr std::uint32_t NODE_TYPE_MASK = 0x1800;
constexpr int NODE_DIR_SHIFT = 13;
constexpr std::uint32_t NODE_DIR_MASK = 0xE000;
constexpr int NODE_PARENT_SHIFT = 16;
constexpr std::int32_t MAX_NODE_COST = 2047;

// PATHTYPE
enum PATHTYPE : std::uint32_t {
    PT_UNVISITED = 0,
    PT_EXPANDED = 1,
    PT_QUEUED = 2,
    PT_BLOCKED = 3,  // could not be entered, but was reached
};

constexpr std::uint16_t Node_Cost(std::uint32_t n) { return static_cast<std::uint16_t>(n & NODE_COST_MASK); }
constexpr std::uint32_t Node_Type(std::uint32_t n) { return (n & NODE_TYPE_MASK) >> NODE_TYPE_SHIFT; }
constexpr int Node_Dir(std::uint32_t n) { return static_cast<int>((n & NODE_DIR_MASK) >> NODE_DIR_SHIFT); }
constexpr std::uint16_t Node_Parent(std::uint32_t n) { return static_cast<std::uint16_t>(n >> NODE_PARENT_SHIFT); }
constexpr std::uint32_t Make_Node(std::uint32_t cost, std::uint32_t type, std::uint32_t dir, std::uint16_t parent) {
    return (cost & NODE_COST_MASK) | (type << NODE_TYPE_SHIFT) | (dir << NODE_DIR_SHIFT) |
           (static_cast<std::uint32_t>(parent) << NODE_PARENT_SHIFT);
}

// ---- Work arrays, one entry per field ----
extern std::vector<std::uint32_t> path_nodes;  // node word | parent field << 16
// Path search: bit 7 set = entry cost not computed yet, the low 7 bits then
// the danger of the danger map; bit 7 clear = the cached entry cost 0..127.
extern std::vector<std::uint8_t> field_cost;
constexpr std::uint8_t COST_NOT_COMPUTED = 0x80;
constexpr std::uint8_t MAX_FIELD_COST = 127;
extern std::vector<std::uint16_t> path_queue;  // first in, first out; nothing is removed
extern std::uint16_t path_queue_count;

void Init_Path_Arrays();
void Free_Path_Arrays();
// No search routed or found, no arrows shown (their map animations go with
// the map they stood on), no danger limit. The work arrays stay.
void Reset_Path_Search_State();
// True while the work arrays fit the current map.
bool Path_Arrays_Ready();
// Empties path_nodes for a new search or flood.
void Clear_Path_Nodes();
// Changes whenever path_nodes are emptied or reallocated, so that a reader
// can tell whether they still hold the run it is interested in.
std::uint32_t Path_Nodes_Generation();

// ---- Found path: entry 0 is the destination, the start has no entry ----
constexpr std::uint16_t PATHDIRS_START = 100;
constexpr std::uint16_t PATHDIRS_STEP = 50;
extern std::vector<std::uint32_t> pathdirs;  // size() is pathdirs_capacity
extern std::uint16_t pathdirs_capacity;
extern std::uint16_t path_count;  // 0 = no path
extern std::uint16_t path_cost;

// The arrows of a shown path: a copy of pathdirs that exists while they are shown.
extern std::unique_ptr<std::uint32_t[]> cursordirs;
extern std::uint16_t cursordirs_count;
extern std::uint16_t cursor_path_dest;
extern std::uint16_t shown_path_dest;  // the destination asked for; 0xFFFF when no arrows
// The character whose search the shown arrows came from; NOOBJ when none.
extern obj_ref shown_path_char;

// ---- Search state ----
extern obj_ref path_char;
extern std::uint16_t path_dest;
extern std::int32_t path_bound;

// ---- Danger ----
// danger_limit: hit points * braveness / 50 of the character the danger is
// measured for; danger_scale and danger_unit (PathCache.h) go with it.
extern std::int32_t danger_limit;
constexpr std::int32_t DANGER_SCALE = 100;
constexpr std::int32_t DANGER_UNIT = 5;
constexpr std::int32_t DANGER_SIGHT_RANGE = 20;

void Set_Danger_Limits(obj_ref character);
void Build_Danger_Map(obj_ref character);
// A danger map without danger: every field's cost not computed, danger 0.
void Clear_Danger_Map();
std::int32_t Enemy_Threat(obj_ref enemy, obj_ref character);
// NO_DISTANCE (0x7FFFFFFF) when another character stands on the field.
std::int32_t Field_Danger(obj_ref character, std::uint16_t field);

// ---- Costs and the search ----
// The entry cost of field for path_char, -1 when it cannot be entered; a
// transporter field is rewritten to its destination.
std::int16_t Field_Enter_Cost(std::uint16_t& field);
void path(std::uint16_t character, std::int32_t x, std::int32_t y, std::int32_t level, std::uint32_t ignore_danger);
// 1 when the next step of the character's stored path may be taken.
int Can_Step_Next(std::uint16_t character);

// ---- Transporter chains ----
// A chain of transporters longer than this is taken for a cycle.
constexpr int MAX_TRANSPORTER_HOPS = 32;

enum class ChainEnd {
    Reached,  // field is where the chain ends
    OffMap,   // a transporter leads off the map; field is the last one on it
    TooLong,  // the chain runs on beyond MAX_TRANSPORTER_HOPS
};

// Follows the transporters from field: lead(f) answers the field f leads
// to, NO_VALUE where the chain ends. field is left at the last field
// reached on the map.
template <class Lead>
ChainEnd Follow_Transporter_Chain(std::uint16_t& field, Lead&& lead) {
    for (int hops = 0;; ++hops) {
        const RequestValue next = lead(field);
        if (next == NO_VALUE) return ChainEnd::Reached;
        if (next < 0 || static_cast<std::uint64_t>(next) >= total_fields) return ChainEnd::OffMap;
        if (hops >= MAX_TRANSPORTER_HOPS) return ChainEnd::TooLong;
        field = static_cast<std::uint16_t>(next);
    }
}

// ---- Geometry ----
// The longest line Line_Fields can write on a map of the largest size.
constexpr std::uint32_t MAX_LINE_FIELDS = 2 * 100;
// The straight hex line from a (included) toward b (excluded) on a's level;
// out must hold |dx| + |dy| entries. Returns the number written.
std::uint16_t Line_Fields(std::uint16_t a, std::uint16_t b, std::uint16_t* out);
// The direction 1..6 nearest to the axial vector.
int Direction_Of_Vector(std::int16_t dx, std::int16_t dy);
// The sum of request 109 over the fields of the line from s toward d.
std::int32_t Mass(std::uint16_t source, std::uint16_t destination, obj_ref other);

// ---- Arrows ----
void Show_Path_Cursor();
void Hide_Path_Cursor();
