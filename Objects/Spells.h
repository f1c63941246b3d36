// The handlers of the spells: each answers the requests about its spell
// and carries out its hit (request 164) on one target.
#pragma once
#include "Objects/Acts.h"

// The row of the map's chararray a summoned zombie is made from.
constexpr std::uint16_t ZOMBIE_TEMPLATE = 12;

RequestValue Splinter_Rain(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Haste_Spell(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Heal_Spell(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Life_Steal(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Magic_Armour(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Giant_Strength(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Bandage(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Evil_Fog(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Fire_Wall(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Living_Torch(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Call_Zombies(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Silence(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Charm(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
RequestValue Knock_Knock(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value);
