// The monster programs and the main character's program.
#include "Objects/ModifierKinds.h"

// Minimal stand-ins until the programs are built: they propose nothing.
RequestValue Mod_Basic_Monster(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Standing_Guard(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Moving_Guard(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Main_Char(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
