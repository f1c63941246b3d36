// The thinking objects by where they stand: the AI slots in square buckets
// of fields, so that the observers of an act near a field are found without
// asking every slot. Characters are kept where they stand; every other
// thinking object (fixitems, items) and a character off the map is listed
// apart and always yielded.
#pragma once
#include <cstdint>
#include <vector>

#include "Objects/ObjRef.h"

constexpr std::int32_t UNBOUNDED_RADIUS = -1;

// Forgets everything; the grid is built anew from the slots when next asked.
void Reset_Observer_Grid_State();
void Invalidate_Observer_Grid();
// The slot was handed out, released or its object moved.
void Observer_Grid_Update(std::uint16_t slot);
// obj (a character) got a new position.
void Observer_Grid_Moved(obj_ref obj);
// Changes whenever a slot enters, leaves or changes its bucket.
std::uint32_t Observer_Grid_Generation();
// Appends to out, in no order, every slot from first_slot on whose object
// may stand within radius fields of field on any level (every slot in use
// for UNBOUNDED_RADIUS), with the slots listed apart.
void Observers_Near(std::uint16_t field, std::int32_t radius, std::uint32_t first_slot,
                    std::vector<std::uint16_t>& out);
// What the grid holds wrongly for the slots as they are; empty when right.
std::vector<std::uint16_t> Observer_Grid_Problems();
