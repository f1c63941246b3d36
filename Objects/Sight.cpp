// Minimal stand-in until the sight tests are built: a viewer sees the
// target when it lies within the range; nothing on the line obstructs.
#include "Objects/Sight.h"

#include "Objects/FieldLists.h"
#include "Objects/Geometry.h"
#include "Objects/Map.h"

namespace {
std::uint16_t sight_target = NO_FIELD;
std::int32_t sight_range = 0;  // the range times 5
}  // namespace

void Set_Sight_Target(std::uint16_t field, std::uint16_t range) {
    sight_target = field;
    sight_range = static_cast<std::int32_t>(range) * 5;
}

std::int32_t visi_dist(obj_ref viewer) {
    std::uint16_t from = Object_Field(viewer);
    if (from >= total_fields || sight_target >= total_fields) return NO_DISTANCE;
    std::int32_t d = Field_Distance(from, sight_target);
    return d * 5 <= sight_range ? d : NO_DISTANCE;
}
