// The request engine: the one place where a property of a map object is
// read or changed.
#pragma once
#include <cstdint>

#include "Objects/Request.h"

// Where an object stands, as the engine finds it.
struct Located {
    std::uint16_t x = 0, y = 0, level = 0;
    std::uint16_t field = 0;
};

// Finds the object's position; false for a kind the engine does not answer.
bool Locate_Object(obj_ref object, Located& where);

// The number of the last request that reached the modifier walk.
extern std::int32_t last_request;
// The last-request word at 0, as at start.
void Reset_Request_Engine_State();

// While one lives, the walks look only at the area entries whose box can
// hold a position at all, listed when the outermost one was made; a free
// entry (x0 = x1 = 0xFFFF) holds none. For loops that put many questions in
// a row. The area entries must not be written while one lives; a new array
// (a map load) is noticed, and then every entry is looked at again.
class Area_Modifier_Scope {
  public:
    Area_Modifier_Scope();
    ~Area_Modifier_Scope();
    Area_Modifier_Scope(const Area_Modifier_Scope&) = delete;
    Area_Modifier_Scope& operator=(const Area_Modifier_Scope&) = delete;
};
