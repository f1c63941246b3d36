#include "Objects/Spells.h"

#include <algorithm>
#include <climits>
#include <string>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Sight.h"
#include "Objects/SpriteInfo.h"
#include "Objects/Timers.h"
#include "System/Random.h"

namespace {

// How long the timed spells last, in ticks.
constexpr std::uint32_t HASTE_TICKS = 9600;
constexpr std::uint32_t MAGIC_ARMOUR_TICKS = 960;
constexpr std::uint32_t GIANT_STRENGTH_TICKS = 4800;
constexpr std::uint16_t ARMOUR_BONUS = 2;
constexpr std::uint16_t STRENGTH_BONUS = 2;

constexpr std::uint32_t SPLINTER_WAIT = 5;
constexpr std::uint32_t SPLINTER_WAIT_AFTER = 20;
constexpr RequestValue FULL_COVER = 100;
constexpr RequestValue LAST_STABLE_HIT_POINTS = -9;
constexpr int ZOMBIE_CHANCE = 20;

// The caster's level, asked by the caster itself.
std::int32_t Level_Of(obj_ref caster) { return Ask_Clamped(caster, caster, REQ_CHAR_LEVEL); }

std::uint8_t Mod_Level(std::int32_t level) { return static_cast<std::uint8_t>(std::clamp(level, 0, 255)); }
std::uint16_t Param(std::int64_t v) { return static_cast<std::uint16_t>(v); }

std::uint8_t Wait_Delay() { return static_cast<std::uint8_t>(anim_wait & 0xFF); }

std::uint32_t Frames_Of(std::uint8_t anim) {
    return static_cast<std::uint32_t>(std::max(0, Sprite_Frame_Count(anim_types[anim].sprite)));
}

// The flash over a target: after the flashes already waiting, so that
// flashes on several targets play one after another.
void Spell_Flash(obj_ref target) {
    Start_MapAnim_Once(target, ANIM_SPELL_FLASH, -1, -1, 1, Wait_Delay());
    anim_wait += Frames_Of(ANIM_SPELL_FLASH);
}

// A flash, then a modifier of kind on the target that ends after ticks.
void Timed_Effect(obj_ref caster, obj_ref target, std::uint32_t kind, std::uint16_t p1, std::uint32_t ticks) {
    Spell_Flash(target);
    std::uint16_t m = Add_Modifier(Mod_Level(Level_Of(caster)), target, kind, p1, 0, 0, 0);
    if (m != NO_INDEX && !Modifier_Is_Free(m) && mod_array.records[m].owner == target) Timer_Add(ticks, m, REQ_REMOVED);
}

// What every spell answers besides its hit: the announcement.
RequestValue Spell_Answer(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    if (request != REQ_ACT_ANNOUNCE) return NO_VALUE;
    Announce_Cast(source, target, act);
    return value;
}

// A field that can be covered: a field head whose fixed objects cost at
// least `least` to enter.
RequestValue Field_Target(obj_ref source, obj_ref target, RequestValue least) {
    return Is_Field_Head(target) && Ask(source, target, REQ_FIXED_COST) >= least ? 1 : 0;
}

// The caster sees the target from the first target field.
bool Seen_From_Origin(const act_desc* act, obj_ref target) { return base_visible_percent(act->origin, target) != 0; }

// A fixitem of the type slot laid on field; NO_INDEX when none was made.
std::uint16_t Lay_Fixitem(std::uint16_t field, std::uint8_t slot) {
    if (field >= total_fields) return NO_INDEX;
    std::uint16_t i = New_Map_Record();
    if (i == NO_INDEX) return NO_INDEX;
    map_record& r = maparray.records[i];
    r.type = slot;
    r.frame = 0;
    r.hp = fixitem_types[slot].max_hp;
    Put_Object_To_Field(Make_Obj(OBJ_FIXITEM, i), field);
    return i;
}

}  // namespace

RequestValue Splinter_Rain(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    switch (request) {
        case REQ_ACT_VALID_TARGET: return Ask(source, target, REQ_FIELD_COVER) < FULL_COVER ? 1 : 0;
        case REQ_EFFECT_HIT: {
            const std::int32_t power = Ask_Clamped(target, source, REQ_CHAR_LEVEL) + 2;
            const std::int32_t damage = power + Random(2 * power + 3);
            Start_MapAnim_Once(target, ANIM_SPLINTERS, -1, -1, 1, 0);
            anim_wait = SPLINTER_WAIT;
            Object_Request(source, target, 0, REQ_CHANGE_HIT_POINTS, -damage);
            anim_wait = std::max(anim_wait, SPLINTER_WAIT_AFTER);
            return value;
        }
        default: return Spell_Answer(source, target, act, request, value);
    }
}

RequestValue Haste_Spell(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    if (request != REQ_EFFECT_HIT) return Spell_Answer(source, target, act, request, value);
    Timed_Effect(source, target, MK_HASTE, 0, HASTE_TICKS);
    return value;
}

RequestValue Magic_Armour(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    if (request != REQ_EFFECT_HIT) return Spell_Answer(source, target, act, request, value);
    Timed_Effect(source, target, MK_MAGIC_ARMOUR, ARMOUR_BONUS, MAGIC_ARMOUR_TICKS);
    return value;
}

RequestValue Giant_Strength(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    if (request != REQ_EFFECT_HIT) return Spell_Answer(source, target, act, request, value);
    Timed_Effect(source, target, MK_GIANT_STRENGTH, STRENGTH_BONUS, GIANT_STRENGTH_TICKS);
    return value;
}

RequestValue Heal_Spell(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    if (request != REQ_EFFECT_HIT) return Spell_Answer(source, target, act, request, value);
    Spell_Flash(target);
    const RequestValue healed = Random(4) + 4;
    const RequestValue maximum = Ask(source, target, REQ_MAX_HIT_POINTS);
    if (Ask(source, target, REQ_HIT_POINTS) < maximum - healed)
        Object_Request(source, target, 0, REQ_CHANGE_HIT_POINTS, healed);
    else
        Object_Request(source, target, 0, REQ_SET_HIT_POINTS, maximum);
    return value;
}

RequestValue Life_Steal(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    if (request != REQ_EFFECT_HIT) return Spell_Answer(source, target, act, request, value);
    const RequestValue stolen = Random(4) + 2;
    Start_MapAnim_Once(target, ANIM_SPELL_FLASH, -1, -1, 1, Wait_Delay());
    Start_MapAnim_Once(source, ANIM_SPELL_FLASH, -1, -1, 1, Wait_Delay());
    anim_wait += Frames_Of(ANIM_SPELL_FLASH);
    if (!Resist_Check(source, target, REQ_PROT_EARTH_3, 0, 5)) {
        Object_Request(source, target, 0, REQ_CHANGE_HIT_POINTS, -stolen);
        Object_Request(source, source, 0, REQ_CHANGE_HIT_POINTS, stolen);
    }
    return value;
}

RequestValue Bandage(obj_ref source, obj_ref target, act_desc*, request_no request, RequestValue value) {
    if (request != REQ_EFFECT_HIT) return NO_VALUE;
    if (Obj_Kind(target) != OBJ_ITEM || Ask(source, target, REQ_ITEM_CLASS) != CLASS_CORPSE) return value;
    if (Ask(source, target, REQ_HIT_POINTS) < LAST_STABLE_HIT_POINTS) {
        Show_Message_Box("You can't bandage a dead body...");
        return value;
    }
    Object_Request(source, target, 0, REQ_SET_HIT_POINTS, 0);
    const std::string text = Object_Name(source, target) + " is successfully bandaged.";
    Show_Message_Box(text.c_str());
    return value;
}

RequestValue Evil_Fog(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    switch (request) {
        case REQ_ACT_VALID_TARGET: return Field_Target(source, target, 1);
        case REQ_EFFECT_HIT: {
            if (Resist_Check(source, target, REQ_PROT_EARTH_3, 0, 2)) return value;
            const std::int32_t level = Level_Of(source);
            std::uint16_t gas = Lay_Fixitem(Object_Field(target), SLOT_GAS);
            if (gas == NO_INDEX) return value;
            Add_Modifier(Mod_Level(level), target, MK_EVIL_FOG, Param(level + 8), gas, Obj_Kind(source),
                         Obj_Index(source));
            return value;
        }
        default: return Spell_Answer(source, target, act, request, value);
    }
}

RequestValue Fire_Wall(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    switch (request) {
        case REQ_ACT_VALID_TARGET: return Field_Target(source, target, 1);
        case REQ_EFFECT_HIT: {
            if (!Seen_From_Origin(act, target)) return value;
            if (Resist_Check(source, target, REQ_PROT_FIRE_2, 10, 5)) return value;
            const std::int32_t level = Level_Of(source);
            std::uint16_t flames = Start_MapAnim_Loop(target, ANIM_FIRE, -1, -1, 1, Wait_Delay());
            Add_Modifier(Mod_Level(level), target, MK_FIRE_WALL, Param(level + 8), flames, Obj_Kind(source),
                         Obj_Index(source));
            return value;
        }
        default: return Spell_Answer(source, target, act, request, value);
    }
}

RequestValue Living_Torch(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    switch (request) {
        case REQ_ACT_VALID_TARGET: return 1;
        case REQ_EFFECT_HIT: {
            if (Resist_Check(source, target, REQ_PROT_FIRE_2, 10, 5)) return value;
            const std::int32_t level = Level_Of(source);
            std::uint16_t flames = Start_MapAnim_Loop(target, ANIM_FIRE, -1, -1, 1, 0);
            Add_Modifier(Mod_Level(level), target, MK_LIVING_TORCH, Param(level + 3), flames, Obj_Kind(source),
                         Obj_Index(source));
            return value;
        }
        default: return Spell_Answer(source, target, act, request, value);
    }
}

RequestValue Call_Zombies(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    switch (request) {
        case REQ_ACT_VALID_TARGET: return Ask(source, target, REQ_ENTRY_COST) >= 0 ? 1 : 0;
        case REQ_EFFECT_HIT: {
            const int roll = Random(ZOMBIE_CHANCE);
            if (roll >= Level_Of(source) + 3 || !Char_In_Use(ZOMBIE_TEMPLATE)) {
                Show_Message_Box("Spell Failed!");
                return value;
            }
            // A copy: making the zombie may move the array.
            const char_record templ = chararray.records[ZOMBIE_TEMPLATE];
            const std::uint8_t facing = static_cast<std::uint8_t>(Random(6) + 1);
            const RequestValue lobby = Ask(source, source, REQ_LOBBY);
            Create_Char(Object_Field(target), facing, templ,
                        static_cast<std::uint8_t>(std::clamp<RequestValue>(lobby, 0, 255)));
            return value;
        }
        default: return Spell_Answer(source, target, act, request, value);
    }
}

RequestValue Silence(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    switch (request) {
        case REQ_ACT_VALID_TARGET: return Field_Target(source, target, 1);
        case REQ_EFFECT_HIT: {
            if (!Seen_From_Origin(act, target)) return value;
            if (Resist_Check(source, target, REQ_PROT_AIR, 10, 5)) return value;
            const std::int32_t level = Level_Of(source);
            Add_Modifier(Mod_Level(level), target, MK_SILENCE, Param((static_cast<std::int64_t>(level) + 4) * 5), 0, 0,
                         0);
            return value;
        }
        default: return Spell_Answer(source, target, act, request, value);
    }
}

RequestValue Charm(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    if (request != REQ_EFFECT_HIT) return Spell_Answer(source, target, act, request, value);
    if (!Seen_From_Origin(act, target)) return value;
    Spell_Flash(target);
    if (Resist_Check(source, target, REQ_PROT_AIR_3, 0, 5)) return value;
    const std::int32_t level = Level_Of(source);
    Add_Modifier(Mod_Level(level), target, MK_CHARM, Param((static_cast<std::int64_t>(level) + 5) * 20), 0,
                 Obj_Kind(source), Obj_Index(source));
    return value;
}

RequestValue Knock_Knock(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    if (request != REQ_EFFECT_HIT) return Spell_Answer(source, target, act, request, value);
    Object_Request(source, target, 0, REQ_KNOCK, Ask(source, source, REQ_STAMINA));
    Start_MapAnim_Once(target, ANIM_SPELL_FLASH, -1, -1, 1, Wait_Delay());
    return value;
}
