// The handlers of the character, item and field-effect modifier kinds.
#include "Objects/ModifierKinds.h"

#include "System/ErrorReport.h"

RequestValue Mod_Dumb(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) {
    Error_Query_Quit("Danger!!! 0. modifier!!!");
    return value;
}

// Minimal stand-ins until these kinds are built: they answer nothing.
RequestValue Mod_Corpse(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Iron_Skin(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Haste(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Magic_Armour(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Giant_Strength(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Evil_Fog(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Multiple_Items(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Fire_Wall(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Living_Torch(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Fire(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Magic_Object(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Silence(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
RequestValue Mod_Charm(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue value) { return value; }
