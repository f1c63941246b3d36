// The map's fixitem-type table filled from the database: a database fixitem
// type placed on the map gets one of the map's slots 0..239 (the same slot
// every time), with its picture, and the type it turns into when it gets
// worse gets one too.
#pragma once
#include <cstdint>

// The map slot that now holds database fixitem type d: the slot that holds
// it already (its record copied afresh from the database), else a free slot
// with the type's picture loaded. A type it turns into when it gets worse is
// added too, and the slot names that one's slot. -1, with "Too much fixitem
// type on this map!" on the status line, when no slot is free; -1 for a d
// that names no database record.
std::int32_t Add_Fixitem_Type_To_Map(std::uint32_t d);
