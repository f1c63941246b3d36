// The 25 modifier kinds: the table mod_types (handler, flags, owner mask,
// name, parameter labels) and the handlers of the kinds.
#pragma once
#include <cstdint>

#include "Objects/Request.h"

// Flags of a kind, copied into each new modifier.
constexpr std::uint8_t MT_NEVER_APPLIED = 0x80;
constexpr std::uint8_t MT_PROGRAM = 0x01;
constexpr std::uint8_t MT_TIMED_SPELL = 0x02;
constexpr std::uint8_t MT_FIRE = 0x08;

// Owner mask: which objects the editor offers the kind for.
constexpr std::uint8_t MO_CHARS = 0x01;
constexpr std::uint8_t MO_ITEMS = 0x02;
constexpr std::uint8_t MO_FIXITEMS = 0x04;

struct mod_type {
    mod_handler handler;
    std::uint8_t flags;
    std::uint8_t owner_mask;
    char name[21];
    char labels[4][21];
};

enum ModKind : std::uint32_t {
    MK_DUMB = 0,
    MK_CORPSE = 1,
    MK_IRON_SKIN = 2,
    MK_HASTE = 3,
    MK_MAGIC_ARMOUR = 4,
    MK_GIANT_STRENGTH = 5,
    MK_DOOR = 6,
    MK_BASIC_MONSTER = 7,
    MK_STANDING_GUARD = 8,
    MK_MOVING_GUARD = 9,
    MK_CHEST = 10,
    MK_MAIN_CHAR = 11,
    MK_EVIL_FOG = 12,
    MK_MULTIPLE_ITEMS = 13,
    MK_HILL = 14,
    MK_STEPS = 15,
    MK_TELEPORT = 16,
    MK_EXCLUDER = 17,
    MK_GROUND_HILL = 18,
    MK_FIRE_WALL = 19,
    MK_LIVING_TORCH = 20,
    MK_FIRE = 21,
    MK_MAGIC_OBJECT = 22,
    MK_SILENCE = 23,
    MK_CHARM = 24,
};
constexpr std::uint32_t MOD_KIND_COUNT = 25;

// 25 rows and a closing all-zero row. Writable, as the original table was,
// so a test can stand a recording handler in for a kind.
extern mod_type mod_types[MOD_KIND_COUNT + 1];
// True while every kind has its own handler, none stood in by another.
bool Mod_Kinds_As_Built();

// The handlers, by kind.
RequestValue Mod_Dumb(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Corpse(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Iron_Skin(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Haste(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Magic_Armour(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Giant_Strength(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Door(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Basic_Monster(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Standing_Guard(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Moving_Guard(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Chest(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Main_Char(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Evil_Fog(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Multiple_Items(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Hill(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Steps(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Teleport(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Excluder(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Ground_Hill(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Fire_Wall(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Living_Torch(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Fire(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Magic_Object(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Silence(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
RequestValue Mod_Charm(obj_ref, obj_ref, RequestValue, std::uint16_t, request_no, RequestValue);
