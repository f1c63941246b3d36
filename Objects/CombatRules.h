// The fighting figures of a character: defence against an attacker, and
// attack and damage with the weapon in the right hand.
#pragma once
#include "Objects/Request.h"

// Request 16: the defence of character object against subject. value is
// the attack direction when given, else the direction from the subject.
RequestValue Char_Defence(obj_ref subject, obj_ref object, RequestValue other, RequestValue value);

// Requests 87, 88 and 89.
RequestValue Char_Attack(obj_ref subject, obj_ref object, RequestValue other);
RequestValue Char_Damage_Min(obj_ref subject, obj_ref object, RequestValue other);
RequestValue Char_Damage_Max(obj_ref subject, obj_ref object, RequestValue other);
