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
