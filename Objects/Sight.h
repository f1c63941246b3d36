// Sight: whether an object sees a field, by the line between them.
#pragma once
#include <cstdint>

#include "Objects/ObjRef.h"

// Sets the field that the next visi_dist questions are about, with a range
// in fields.
void Set_Sight_Target(std::uint16_t field, std::uint16_t range);

// The hex distance from viewer to the sight target when the viewer sees it,
// else 0x7FFFFFFF.
std::int32_t visi_dist(obj_ref viewer);
