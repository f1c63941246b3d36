#include "support/PathWorld.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Geometry.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/PathCache.h"
#include "Objects/PathSearch.h"
#include "support/WorldBuilder.h"

namespace fixture {

namespace {

constexpr std::int32_t UNREACHED = 0x7FFFFFFF;
constexpr std::int16_t COST_UNKNOWN = -32768;

struct ReferenceBuffers {
    std::vector<std::int32_t> dist;
    std::vector<std::int32_t> touched;                         // cheapest arrival at a field that could not be entered
    std::vector<std::int16_t> cost;                            // cached entry cost per field
    std::vector<std::pair<std::int32_t, std::uint16_t>> heap;  // a binary min-heap
};
ReferenceBuffers buffers;

}  // namespace

void Reset_Path_World(std::uint32_t width, std::uint32_t height, std::uint32_t levels) {
    Reset_World(width, height, levels);
    Set_Fixitem_Type(WALL_SLOT, LAYER_WALL, 1, -1, 100);
    Init_Path_Arrays();
}

void Draw_Level(const std::vector<std::string>& rows, std::uint32_t level) {
    for (std::uint32_t y = 0; y < rows.size() && y < map_height; ++y) {
        for (std::uint32_t x = 0; x < rows[y].size() && x < map_width; ++x) {
            const char c = rows[y][x];
            const std::uint16_t f = Field_Index(x, y, level);
            if (c == '#') {
                Place_Fixitem(f, WALL_SLOT);
            } else if (c >= '0' && c <= '9') {
                const std::uint8_t slot = static_cast<std::uint8_t>(210 + (c - '0'));
                if (fixitem_types[slot].sprite == 0)
                    Set_Fixitem_Type(slot, LAYER_WALL - 1, 1, static_cast<std::int8_t>(c - '0'));
                Place_Fixitem(f, slot);
            }
        }
    }
}

std::uint16_t Place_Thinking_Char(std::uint16_t field, const std::string& name, std::uint8_t lobby) {
    std::uint16_t c = Place_Char(field, name, lobby);
    Alloc_IQ_Slot(Char_Ref(c));
    chararray.records[c].state = CS_WAITING;
    return c;
}

void Set_Relation(std::uint16_t a, std::uint16_t b, std::int8_t value) {
    if (std::int8_t* cell = Relation_Cell(a, b)) *cell = value;
}

void Make_Hostile(std::uint16_t enemy, std::uint16_t victim) {
    Set_Relation(chararray.records[enemy].ai_slot, chararray.records[victim].ai_slot, -100);
}

std::vector<int> Arrow_Frames(std::uint16_t field) {
    std::vector<int> frames;
    obj_ref cur = Fix_Ref(field);
    for (int steps = 0; steps < 1000; ++steps) {
        Next_Object(cur);
        if (Obj_Kind(cur) == OBJ_NONE) break;
        if (Obj_Kind(cur) == OBJ_MAPANIM && mapanim.records[Obj_Index(cur)].type == ANIM_PATH_ARROW)
            frames.push_back(mapanim.records[Obj_Index(cur)].frame);
    }
    return frames;
}

std::vector<std::uint16_t> Found_Path_Fields() {
    std::vector<std::uint16_t> fields(path_count);
    std::uint16_t f = path_dest;
    for (std::uint16_t i = 0; i < path_count; ++i) {
        fields[i] = f;
        f = Node_Parent(pathdirs[i]);
    }
    std::reverse(fields.begin(), fields.end());
    return fields;
}

bool Found_Path_Is_Connected(std::uint16_t start) {
    std::uint16_t f = path_dest;
    for (std::uint16_t i = 0; i < path_count; ++i) {
        const std::uint32_t e = pathdirs[i];
        const std::uint16_t parent = Node_Parent(e);
        if (parent >= total_fields) return false;
        if (i + 1 < path_count && Node_Cost(pathdirs[i + 1]) > Node_Cost(e)) return false;
        if (!(i == 0 && Node_Type(e) == PT_BLOCKED)) {
            const std::uint16_t beside = Neighbour_Field(parent, Node_Dir(e));
            if (beside == NO_FIELD) return false;
            if (beside != f && !(mapfield[beside] & MF_TRANSPORTER)) return false;
        } else if (Neighbour_Dir(parent, f) > 6) {
            return false;
        }
        f = parent;
    }
    return f == start;
}

ReferencePath Reference_Path(std::uint16_t character, std::uint16_t dest, bool ignore_danger) {
    ReferencePath result;
    const obj_ref who = Char_Ref(character);
    path_char = who;
    char_record& r = chararray.records[character];
    const std::uint16_t start = r.state == CS_STEPPING ? static_cast<std::uint16_t>(r.act & 0xFFFF) : Object_Field(who);
    if (ignore_danger) {
        Clear_Danger_Map();
        Set_Danger_Limits(who);
    } else {
        Build_Danger_Map(who);
    }
    const std::uint8_t facing = r.facing;
    path_cacheable = 1;
    // A transporter destination is rewritten, as the search does; one that
    // cannot be entered from any side ends the search once nothing cheaper
    // can touch it.
    const bool dest_blocked = Field_Enter_Cost(dest) < 0 && path_cacheable;

    buffers.dist.assign(total_fields, UNREACHED);
    buffers.touched.assign(total_fields, UNREACHED);
    buffers.cost.assign(total_fields, COST_UNKNOWN);
    auto& heap = buffers.heap;
    heap.clear();
    const auto later = std::greater<std::pair<std::int32_t, std::uint16_t>>();
    buffers.dist[start] = 0;
    heap.push_back({0, start});
    while (!heap.empty()) {
        std::pop_heap(heap.begin(), heap.end(), later);
        const auto [d, u] = heap.back();
        heap.pop_back();
        if (d > buffers.dist[u]) continue;
        if (u == dest) break;
        if (dest_blocked && d >= buffers.touched[dest]) break;
        for (int k = 1; k <= 6; ++k) {
            const std::uint16_t n = Neighbour_Field(u, k);
            if (n == NO_FIELD) continue;
            std::uint16_t g = n;
            std::int32_t e = buffers.cost[n];
            if (e == COST_UNKNOWN) {
                path_cacheable = 1;
                chararray.records[character].facing = static_cast<std::uint8_t>(k);
                e = std::min<std::int32_t>(Field_Enter_Cost(g), 127);
                if (path_cacheable && g == n && e >= 0) buffers.cost[n] = static_cast<std::int16_t>(e);
            }
            if (e < 0) {
                buffers.touched[n] = std::min(buffers.touched[n], d);
                continue;
            }
            const std::int32_t t = d + e;
            if (t > 2047 || t >= buffers.dist[g]) continue;
            buffers.dist[g] = t;
            heap.push_back({t, g});
            std::push_heap(heap.begin(), heap.end(), later);
        }
    }
    chararray.records[character].facing = facing;
    if (dest != start) {
        if (buffers.dist[dest] != UNREACHED) {
            result.found = true;
            result.cost = buffers.dist[dest];
        } else if (buffers.touched[dest] != UNREACHED) {
            result.found = true;
            result.cost = buffers.touched[dest];
        }
    }
    return result;
}

}  // namespace fixture
