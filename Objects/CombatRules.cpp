#include "Objects/CombatRules.h"

#include <algorithm>

#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/PathSearch.h"

namespace {

// Relative directions of an attack: 0 from the front, 3 from behind; the
// left hand guards 0 and 5, the right hand 0 and 1.
constexpr std::int64_t REL_FRONT = 0;
constexpr std::int64_t REL_RIGHT_FRONT = 1;
constexpr std::int64_t REL_BEHIND = 3;
constexpr std::int64_t REL_LEFT_FRONT = 5;

constexpr RequestValue UNARMED_MAX_DAMAGE = 2;
constexpr std::int32_t STRENGTH_BASE = 10;
constexpr std::int32_t STRENGTH_PER_DAMAGE = 3;

// The type of the item in a slot, nullptr when there is none.
const item_type* Slot_Type(std::uint16_t c, int slot) {
    std::uint16_t item = Char_Slot_Item(c, slot);
    return item != 0 ? Item_Type_Of(item) : nullptr;
}

// A weapon or a shield guards when held.
bool Guards(const item_type* t) { return t != nullptr && t->item_class < CLASS_HELM; }

// The weapon skill request that goes with a class; 0 for none.
request_no Skill_Of_Class(RequestValue item_class) {
    switch (item_class) {
        case CLASS_SWORD: return REQ_SKILL_SWORDS;
        case CLASS_MACE: return REQ_SKILL_MACES;
        case CLASS_AXE: return REQ_SKILL_AXES;
        case CLASS_PIKE: return REQ_SKILL_PIKES;
        case CLASS_KNIFE: return REQ_SKILL_KNIVES;
        case CLASS_ASSASSIN: return REQ_SKILL_ASSASSIN;
        default: return 0;
    }
}

// What the character fights with: the right-hand weapon when that hand is
// not free and, for a bow, an arrow in the left hand; their classes are
// asked by the character.
struct Armament {
    obj_ref weapon = NOOBJ;  // NOOBJ: unarmed
    RequestValue weapon_class = CLASS_OTHER;
    obj_ref arrow = NOOBJ;  // NOOBJ: no arrow in the left hand
};

Armament Armament_Of(obj_ref subject, obj_ref object, RequestValue other) {
    Armament a;
    std::uint16_t c = Obj_Index(object);
    if (Ask_Or_Zero(subject, object, REQ_RIGHT_HAND_FREE, other) != 0) return a;
    std::uint16_t weapon = Char_Slot_Item(c, SLOT_RIGHT_HAND);
    if (weapon == 0) return a;
    a.weapon = Make_Obj(OBJ_ITEM, weapon);
    a.weapon_class = Ask_Or_Zero(object, a.weapon, REQ_ITEM_CLASS, other);
    if (a.weapon_class != CLASS_BOW) return a;
    if (std::uint16_t left = Char_Slot_Item(c, SLOT_LEFT_HAND)) {
        obj_ref item = Make_Obj(OBJ_ITEM, left);
        if (Ask_Or_Zero(object, item, REQ_ITEM_CLASS, other) == CLASS_ARROW) a.arrow = item;
    }
    return a;
}

}  // namespace

RequestValue Char_Defence(obj_ref subject, obj_ref object, RequestValue other, RequestValue value) {
    std::uint16_t c = Obj_Index(object);
    std::int64_t direction = value;
    if (value == NO_VALUE) {
        RequestValue dx = Ask_Or_Zero(subject, object, REQ_X, other) - Ask_Or_Zero(subject, subject, REQ_X, other);
        RequestValue dy = Ask_Or_Zero(subject, object, REQ_Y, other) - Ask_Or_Zero(subject, subject, REQ_Y, other);
        direction = Direction_Of_Vector(static_cast<std::int16_t>(dx), static_cast<std::int16_t>(dy));
    }
    const char_record& r = chararray.records[c];
    std::int64_t rel = (direction - r.facing + 9) % 6;

    std::int64_t defence = r.defence;
    for (int s = SLOT_HELM; s <= SLOT_CLOAK; ++s)
        if (const item_type* t = Slot_Type(c, s)) defence += t->defence;
    if (rel == REL_FRONT || rel == REL_LEFT_FRONT) {
        const item_type* t = Slot_Type(c, SLOT_LEFT_HAND);
        if (Guards(t)) defence += t->defence;
    }
    if (rel == REL_FRONT || rel == REL_RIGHT_FRONT) {
        const item_type* t = Slot_Type(c, SLOT_RIGHT_HAND);
        if (Guards(t)) defence += t->defence;
    }
    if (rel == REL_BEHIND) defence /= 2;
    return static_cast<RequestValue>(defence);
}

RequestValue Char_Attack(obj_ref subject, obj_ref object, RequestValue other) {
    RequestValue base = Ask_Or_Zero(subject, object, REQ_CHAR_LEVEL, other) + 1;
    Armament a = Armament_Of(subject, object, other);
    if (a.weapon == NOOBJ) return base + Ask_Or_Zero(subject, object, REQ_SKILL_FIST, other);
    if (a.weapon_class == CLASS_ARROW) return 0;
    RequestValue attack = base + Ask_Or_Zero(object, a.weapon, REQ_ATTACK, other);
    if (a.weapon_class == CLASS_BOW) {
        if (a.arrow == NOOBJ) return 0;
        return attack + Ask_Or_Zero(subject, object, REQ_SKILL_BOWS, other) +
               Ask_Or_Zero(object, a.arrow, REQ_ATTACK, other);
    }
    if (request_no skill = Skill_Of_Class(a.weapon_class)) attack += Ask_Or_Zero(subject, object, skill, other);
    return attack;
}

RequestValue Char_Damage_Min(obj_ref subject, obj_ref object, RequestValue other) {
    Armament a = Armament_Of(subject, object, other);
    if (a.weapon == NOOBJ || a.weapon_class == CLASS_ARROW) return 0;
    RequestValue damage = Ask_Or_Zero(object, a.weapon, REQ_DAMAGE_MIN, other);
    if (a.weapon_class == CLASS_BOW) {
        if (a.arrow == NOOBJ) return 0;
        damage += Ask_Or_Zero(object, a.arrow, REQ_DAMAGE_MIN, other);
    }
    return damage;
}

RequestValue Char_Damage_Max(obj_ref subject, obj_ref object, RequestValue other) {
    Armament a = Armament_Of(subject, object, other);
    if (a.weapon == NOOBJ) return UNARMED_MAX_DAMAGE;
    if (a.weapon_class == CLASS_ARROW) return 0;
    RequestValue strength = Ask_Or_Zero(subject, object, REQ_STRENGTH, other);
    RequestValue damage = std::max<RequestValue>(0, (strength - STRENGTH_BASE) / STRENGTH_PER_DAMAGE);
    damage += Ask_Or_Zero(object, a.weapon, REQ_DAMAGE_MAX, other);
    if (a.weapon_class == CLASS_BOW) {
        if (a.arrow == NOOBJ) return 0;
        damage += Ask_Or_Zero(object, a.arrow, REQ_DAMAGE_MAX, other);
    }
    return damage;
}
