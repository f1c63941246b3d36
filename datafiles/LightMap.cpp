#include "datafiles/LightMap.h"

#include <algorithm>
#include <cstring>

#include "Objects/FieldLists.h"
#include "Objects/Map.h"

std::vector<std::uint8_t> light;

void Reset_Light_Map() { light = {}; }

namespace {

// Weight of a light source at row offset r - 4 and column offset c - 4.
constexpr int LIGHT_SPAN = 8;
constexpr int LIGHT_CENTRE = 4;
constexpr std::uint8_t light_weights[LIGHT_SPAN][LIGHT_SPAN] = {
    {0, 1, 1, 2, 2, 1, 1, 0}, {1, 2, 3, 4, 4, 3, 2, 1}, {2, 4, 6, 8, 8, 6, 4, 2}, {3, 5, 7, 9, 9, 7, 5, 3},
    {3, 5, 8, 9, 9, 8, 5, 3}, {2, 4, 6, 8, 8, 6, 4, 2}, {1, 2, 3, 4, 4, 3, 2, 1}, {0, 1, 1, 2, 2, 1, 1, 0},
};

// The light sources, by the sprite name of their fixitem type.
struct light_source {
    const char* sprite_name;
    int strength;
};
constexpr light_source LIGHT_SOURCES[] = {{"Lampa1", 4}, {"Faklya", 2}, {"Gyertyat", 3}};

int Source_Strength(const fixitem_type& t) {
    for (const light_source& s : LIGHT_SOURCES)
        if (std::strncmp(t.sprite_name, s.sprite_name, sizeof t.sprite_name) == 0) return s.strength;
    return 0;
}

// Adds a source's pattern around field. The offsets apply to the linear
// index, so near an edge the pattern continues on the neighbouring row or
// level; only indexes outside the whole map are skipped.
void Add_Light(std::uint32_t field, int strength) {
    const std::int64_t width = map_width;
    for (int r = 0; r < LIGHT_SPAN; ++r) {
        for (int c = 0; c < LIGHT_SPAN; ++c) {
            const std::int64_t target = field + (r - LIGHT_CENTRE) * width + (c - LIGHT_CENTRE);
            if (target < 0 || target >= static_cast<std::int64_t>(light.size())) continue;
            const int lit = light[target] + light_weights[r][c] * strength;
            light[target] = static_cast<std::uint8_t>(std::min(lit, static_cast<int>(LIGHT_MAX)));
        }
    }
}

}  // namespace

void Compute_Light_Map() {
    light.assign(total_fields, LIGHT_BASE);
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t f = 0; f < total_fields && f < maparray.Capacity(); ++f) {
        obj_ref cur = Make_Obj(OBJ_FIXITEM, static_cast<std::uint16_t>(f));
        for (std::uint32_t steps = 0; steps <= limit; ++steps) {
            if (!Object_Link(cur, cur) || Obj_Kind(cur) == OBJ_NONE) break;
            if (Obj_Kind(cur) != OBJ_FIXITEM) continue;
            const int strength = Source_Strength(fixitem_types[maparray.records[Obj_Index(cur)].type]);
            if (strength != 0) Add_Light(f, strength);
        }
    }
}
