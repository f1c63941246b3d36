// The fixitem programs: doors, chests, hills, steps, teleports, excluders.
#include "Objects/ModifierKinds.h"

// Minimal stand-ins until the programs are built: they answer nothing.
RequestValue Mod_Door(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Chest(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Hill(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Steps(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Teleport(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Excluder(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Ground_Hill(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
