#include "Objects/Acts.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/AIDecisions.h"
#include "Objects/Char/Characters.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/PathSearch.h"
#include "Objects/Sight.h"
#include "Objects/Spells.h"
#include "Objects/SpriteInfo.h"
#include "System/ErrorReport.h"
#include "System/MessageLog.h"
#include "System/Random.h"
#include "platform/Window.h"

// ---- The records ----

// name, description, reserved, mana F/W/A/E, sight, noise, grade, range,
// pattern, difficulty, flags, action points, handler, origin.
act_desc act_records[ACT_RECORD_COUNT] = {
    {"Attack with right hand",
     "Hit the character in front of you with right fist.",
     0,
     {0, 0, 0, 0},
     8,
     8,
     4,
     0,
     12,
     0,
     0x8C5405,
     6,
     Attack_Right_Hand,
     NOOBJ},
    {"Splinter Rain",
     "A powerful attack spell. A heavy rain of sharp splinters in the selected area.",
     0,
     {10, 5, 0, 0},
     14,
     16,
     5,
     10,
     7,
     3,
     0x409D44D,
     5,
     Splinter_Rain,
     NOOBJ},
    {"Step one Field forward",
     "The character steps one field forward.",
     0,
     {0, 0, 0, 0},
     16,
     11,
     2,
     0,
     12,
     0,
     0xC81004,
     0,
     Step_Forward,
     NOOBJ},
    {"Guarding",
     "The character is guarding till end of turn.",
     0,
     {0, 0, 0, 0},
     20,
     0,
     0,
     0,
     1,
     0,
     0x814000,
     0,
     Guarding,
     NOOBJ},
    {"Operate item",
     "Try to operate an item in the front of the character.",
     0,
     {0, 0, 0, 0},
     10,
     5,
     0,
     0,
     12,
     1,
     0xC81004,
     1,
     Operate_Item,
     NOOBJ},
    {"Haste Spell",
     "It Doubles the move points of the target character.",
     0,
     {5, 0, 2, 0},
     8,
     3,
     1,
     1,
     1,
     2,
     0x401400A,
     14,
     Haste_Spell,
     NOOBJ},
    {"Heal Spell",
     "Heal D10+4 on the target character. It can't increase the target's HP above its maximum.",
     0,
     {0, 4, 2, 0},
     4,
     2,
     1,
     1,
     1,
     2,
     0x481400A,
     3,
     Heal_Spell,
     NOOBJ},
    {"Life Steal",
     "The caster steals D4+1 life-force from the target character.",
     0,
     {0, 0, 2, 8},
     6,
     4,
     1,
     1,
     1,
     4,
     0x4804009,
     3,
     Life_Steal,
     NOOBJ},
    {"Magic Armour",
     "Increase the caster's AC by 2.",
     0,
     {0, 6, 1, 0},
     10,
     4,
     1,
     0,
     1,
     1,
     0x401400A,
     12,
     Magic_Armour,
     NOOBJ},
    {"Giant Strength",
     "Increase the caster's strength by 2 for a while.",
     0,
     {5, 0, 0, 1},
     4,
     2,
     1,
     0,
     1,
     1,
     0x401400A,
     5,
     Giant_Strength,
     NOOBJ},
    {"Bandage",
     "Bandage an unconsious character. Stabilize his state.",
     0,
     {0, 0, 0, 0},
     6,
     1,
     7,
     1,
     1,
     1,
     0x14002,
     12,
     Bandage,
     NOOBJ},
    {"Pickpocket",
     "Try to steal something from the destination character.",
     0,
     {0, 0, 0, 0},
     1,
     0,
     6,
     1,
     1,
     1,
     0x1004000,
     12,
     Pickpocket,
     NOOBJ},
    {"Evil Fog",
     "Fill the target fields with poisoning gas. It makes continuosly damage to the characters standing or crossing "
     "the field .",
     0,
     {0, 1, 3, 5},
     10,
     5,
     5,
     7,
     6,
     6,
     0x4098209,
     5,
     Evil_Fog,
     NOOBJ},
    {"Fire Wall",
     "A powerfull defensive spell. It makes continuosly fire damage to the characters standing or crossing the "
     "field.",
     0,
     {5, 0, 0, 3},
     15,
     5,
     5,
     3,
     11,
     7,
     0x4098049,
     3,
     Fire_Wall,
     NOOBJ},
    {"Living Torch",
     "Cover the target character with hot flames. They make continous damages to the target.",
     0,
     {6, 2, 2, 2},
     15,
     5,
     1,
     4,
     1,
     7,
     0x4014049,
     7,
     Living_Torch,
     NOOBJ},
    {"Call Zombies",
     "The caster summons some zombies in the surronding area. The number of zombies is depending on the caster's "
     "level.",
     0,
     {2, 2, 6, 12},
     10,
     5,
     5,
     0,
     9,
     10,
     0x208,
     20,
     Call_Zombies,
     NOOBJ},
    {"Silence",
     "Makes magical silence in the target area.",
     0,
     {0, 1, 6, 1},
     0,
     0,
     0,
     6,
     9,
     7,
     0x4088108,
     8,
     Silence,
     NOOBJ},
    {"Charm",
     "Makes the target person friendly to the caster. And much more angry when the spell is over...",
     0,
     {0, 0, 5, 3},
     1,
     1,
     1,
     4,
     1,
     4,
     0x4804008,
     6,
     Charm,
     NOOBJ},
    {"Knock-knock",
     "Unlock the target door or padlock",
     0,
     {0, 4, 1, 2},
     4,
     2,
     1,
     1,
     1,
     4,
     0x801088,
     2,
     Knock_Knock,
     NOOBJ},
    {"", "", 0, {0, 0, 0, 0}, 6, 4, 1, 0, 1, 0, 0x834009, 1, Evil_Fog_Hit, NOOBJ},
    {"", "", 0, {0, 0, 0, 0}, 6, 4, 1, 0, 1, 0, 0x834001, 1, Fire_Hit, NOOBJ},
    {"", "", 0, {0, 0, 0, 0}, 6, 4, 1, 0, 1, 0, 0x834009, 1, Fire_Wall_Hit, NOOBJ},
};

act_desc& attack_right_act = act_records[AR_ATTACK_RIGHT];
act_desc& splinter_rain_act = act_records[AR_SPLINTER_RAIN];
act_desc& step_act = act_records[AR_STEP];
act_desc& guard_act = act_records[AR_GUARD];
act_desc& operate_act = act_records[AR_OPERATE];
act_desc& haste_act = act_records[AR_HASTE];
act_desc& heal_act = act_records[AR_HEAL];
act_desc& life_steal_act = act_records[AR_LIFE_STEAL];
act_desc& magic_armour_act = act_records[AR_MAGIC_ARMOUR];
act_desc& giant_strength_act = act_records[AR_GIANT_STRENGTH];
act_desc& bandage_act = act_records[AR_BANDAGE];
act_desc& pickpocket_act = act_records[AR_PICKPOCKET];
act_desc& evil_fog_act = act_records[AR_EVIL_FOG];
act_desc& fire_wall_act = act_records[AR_FIRE_WALL];
act_desc& living_torch_act = act_records[AR_LIVING_TORCH];
act_desc& call_zombies_act = act_records[AR_CALL_ZOMBIES];
act_desc& silence_act = act_records[AR_SILENCE];
act_desc& charm_act = act_records[AR_CHARM];
act_desc& knock_knock_act = act_records[AR_KNOCK_KNOCK];
act_desc& evil_fog_hit = act_records[AR_EVIL_FOG_HIT];
act_desc& fire_hit = act_records[AR_FIRE_HIT];
act_desc& fire_wall_hit = act_records[AR_FIRE_WALL_HIT];

spell_row spell_table[SPELL_COUNT] = {
    {&act_records[AR_GIANT_STRENGTH], 9}, {&act_records[AR_MAGIC_ARMOUR], 2}, {&act_records[AR_HEAL], 4},
    {&act_records[AR_LIFE_STEAL], 8},     {&act_records[AR_HASTE], 5},        {&act_records[AR_EVIL_FOG], 0},
    {&act_records[AR_LIVING_TORCH], 7},   {&act_records[AR_FIRE_WALL], 1},    {&act_records[AR_SPLINTER_RAIN], 3},
    {&act_records[AR_CALL_ZOMBIES], 6},   {&act_records[AR_SILENCE], 6},      {&act_records[AR_CHARM], 6},
    {&act_records[AR_KNOCK_KNOCK], 6},
};

std::int32_t resist_margin = 0;

void Reset_Act_State() {
    for (act_desc& a : act_records) a.origin = NOOBJ;
    resist_margin = 0;
    Drop_Held_Act_Paths();
}

namespace {

// Act records outside the table (a test's own), numbered after it.
std::vector<act_desc*>& Other_Acts() {
    static std::vector<act_desc*> acts;
    return acts;
}

constexpr COLORREF FRIENDLY_CAST = RGB(0, 255, 0);
constexpr COLORREF HOSTILE_CAST = RGB(255, 0, 0);
constexpr COLORREF NEUTRAL_CAST = RGB(40, 40, 40);
constexpr std::int32_t PARTY_SEES_CAST_WITHIN = 13;
constexpr std::size_t MAX_NAME_TEXT = 64;

// The record field that answers request r (144..158).
RequestValue Record_Value(const act_desc& a, request_no r) {
    switch (r) {
        case REQ_ACT_NAME: return Pointer_Value(a.name);
        case REQ_ACT_DESCRIPTION: return Pointer_Value(a.description);
        case REQ_ACT_WORD_3: return a.reserved;
        case REQ_ACT_VISIBILITY: return a.sight;
        case REQ_ACT_LOUDNESS: return a.noise;
        case REQ_ACT_AFTER_LOUDNESS: return a.grade;
        case REQ_ACT_RANGE: return a.range;
        case REQ_ACT_PATTERN: return a.pattern;
        case REQ_ACT_DIFFICULTY: return a.difficulty;
        case REQ_ACT_FLAGS: return a.flags;
        case REQ_ACT_AP_COST: return a.action_points;
        default: return a.mana[r - REQ_ACT_MANA_FIRE];  // 155..158
    }
}

std::string Act_Name(obj_ref source, obj_ref target, act_desc* act) {
    RequestValue v = Ask_Act_Value(source, target, act, REQ_ACT_NAME);
    if (v == 0 || v == NO_VALUE) return "";
    const char* text = Value_Pointer<const char>(v);
    return std::string(text, strnlen(text, MAX_NAME_TEXT));
}

// ---- The attack ----

constexpr std::int8_t BOW_AIM_FRAME = 29;
constexpr int FULL_BODY_FRAMES = 192;  // bodies with weapon swings
constexpr std::int32_t ARMED_VISIBILITY = 10;
constexpr std::int32_t ARMED_LOUDNESS = 12;
constexpr std::int32_t ARMED_GRADE = 3;
constexpr std::int32_t BOW_PATTERN = 1;     // the aimed field
constexpr std::int32_t FRONT_PATTERN = 12;  // the field in front

struct Swing {
    std::int8_t first, last;
    bool held_pose;
};

Swing Swing_Of(std::uint16_t c, bool armed, RequestValue weapon_class) {
    constexpr Swing PUNCH{13, 16, false};
    if (!armed || Sprite_Frame_Count(chararray.records[c].body_sprite) < FULL_BODY_FRAMES) return PUNCH;
    switch (weapon_class) {
        case CLASS_SWORD:
        case CLASS_PIKE: return {17, 20, true};
        case CLASS_MACE:
        case CLASS_AXE: return {21, 24, true};
        case CLASS_BOW: return {29, 31, false};
        default: return PUNCH;
    }
}

void Play_Swing(std::uint16_t c, const Swing& swing) {
    char_record& r = chararray.records[c];
    if (swing.held_pose)
        r.flags = static_cast<std::uint16_t>(r.flags | CF_HELD_POSE);
    else
        r.flags = static_cast<std::uint16_t>(r.flags & ~CF_HELD_POSE);
    Start_Object_Anim_Once(Make_Obj(OBJ_CHAR, c), swing.first, swing.last, 1, 0);
}

// The blow of source on target: damage rolled from the source's figures
// (asked by the target) against the target's defence. A bow's shot is
// weakened by a poor view of the target and spends one arrow.
void Strike(obj_ref source, obj_ref target, const Swing& swing, obj_ref weapon, std::uint16_t arrow_item) {
    std::int64_t min = Ask_Clamped(target, source, REQ_DAMAGE_MIN);
    std::int64_t max = Ask_Clamped(target, source, REQ_DAMAGE_MAX);
    std::int64_t attack = Ask_Clamped(target, source, REQ_ATTACK);
    std::int32_t defence = Ask_Clamped(source, target, REQ_DEFENCE);
    if (max < min) max = min;
    std::int64_t damage = min + Random(Clamp32(max - min + 1));
    Play_Swing(Obj_Index(source), swing);
    if (arrow_item != 0) {
        attack = attack * ((static_cast<std::int64_t>(visible_percent(source, target)) + 100) / 2) / 100;
        Delete_Item(arrow_item);
    }
    std::int32_t dealt = Hit_Damage(Clamp32(attack), defence, Clamp32(damage), 0);
    Object_Request(source, target, 0, REQ_CHANGE_HIT_POINTS, -static_cast<RequestValue>(dealt));
    if (weapon != NOOBJ && !Item_Record_Is_Free(Obj_Index(weapon)))
        Object_Request(source, weapon, 0, REQ_ATTACK_ACT, NO_VALUE);
}

RequestValue Fist_Attack(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    switch (request) {
        case REQ_ACT_FLAGS: return act->flags & ~0x40000u;
        case REQ_EFFECT_HIT:
            Strike(source, target, Swing_Of(Obj_Index(source), false, CLASS_OTHER), NOOBJ, 0);
            return value;
        default: return NO_VALUE;
    }
}

RequestValue Armed_Attack(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value,
                          std::uint16_t weapon_item) {
    const std::uint16_t c = Obj_Index(source);
    const obj_ref weapon = Make_Obj(OBJ_ITEM, weapon_item);
    const std::uint16_t arrow_item = Char_Slot_Item(c, SLOT_LEFT_HAND);
    const obj_ref arrow = arrow_item != 0 ? Make_Obj(OBJ_ITEM, arrow_item) : NOOBJ;
    const RequestValue weapon_class = Ask(source, weapon, REQ_ITEM_CLASS);
    const bool bow = weapon_class == CLASS_BOW;
    RequestValue x = NO_VALUE;
    switch (request) {
        case REQ_ACT_VISIBILITY: x = ARMED_VISIBILITY; break;
        case REQ_ACT_LOUDNESS: x = ARMED_LOUDNESS; break;
        case REQ_ACT_AFTER_LOUDNESS: x = ARMED_GRADE; break;
        case REQ_ACT_RANGE: x = bow && arrow != NOOBJ ? Ask(source, arrow, REQ_WEAPON_RANGE) : 0; break;
        case REQ_ACT_PATTERN: x = bow ? BOW_PATTERN : FRONT_PATTERN; break;
        // A bow is aimed: its attack is prepared, not struck at once.
        case REQ_ACT_FLAGS: x = bow ? act->flags & ~ACT_AT_ONCE : act->flags; break;
        case REQ_ACT_MAY_START:
            x = !bow || (arrow != NOOBJ && Ask(source, arrow, REQ_ITEM_CLASS) == CLASS_ARROW) ? 1 : 0;
            break;
        case REQ_ACT_STARTED:
            if (bow) chararray.records[c].frame = BOW_AIM_FRAME;
            x = value;
            break;
        case REQ_EFFECT_HIT:
            Strike(source, target, Swing_Of(c, true, weapon_class), weapon, bow ? arrow_item : 0);
            x = value;
            break;
        default: break;
    }
    // The weapon's modifiers have the last word on every answer.
    if (Item_Record_Is_Free(weapon_item)) return x;
    return Object_Request(source, weapon, Pointer_Value(act), request, x);
}

}  // namespace

// ---- Handles ----

std::uint32_t Act_Handle(const act_desc* act) {
    if (act == nullptr) return 0;
    if (act >= act_records && act < act_records + ACT_RECORD_COUNT)
        return static_cast<std::uint32_t>(act - act_records) + 1;
    std::vector<act_desc*>& others = Other_Acts();
    auto it = std::find(others.begin(), others.end(), act);
    if (it == others.end()) it = others.insert(others.end(), const_cast<act_desc*>(act));
    return ACT_RECORD_COUNT + 1 + static_cast<std::uint32_t>(it - others.begin());
}

act_desc* Act_From_Handle(std::uint32_t handle) {
    if (handle == 0) return nullptr;
    if (handle <= ACT_RECORD_COUNT) return &act_records[handle - 1];
    std::vector<act_desc*>& others = Other_Acts();
    std::uint32_t k = handle - ACT_RECORD_COUNT - 1;
    return k < others.size() ? others[k] : nullptr;
}

// ---- Values and dice ----

RequestValue Get_Act_Value(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    if (act == nullptr) return NO_VALUE;
    RequestValue x = act->handler != nullptr ? act->handler(source, target, act, request, value) : NO_VALUE;
    if (x == NO_VALUE && request >= REQ_ACT_NAME && request <= REQ_ACT_MANA_EARTH) x = Record_Value(*act, request);
    return Object_Request(source, source, Pointer_Value(act), request, x);
}

std::int32_t Hit_Damage(std::int32_t attack, std::int32_t defence, std::int32_t damage, std::uint32_t sure_hit) {
    constexpr int SURE_ROLL = 9;
    constexpr int MISS_ROLL = -10;
    int roll = sure_hit ? SURE_ROLL : Random(20) - 10;
    if (damage < 0 || roll == MISS_ROLL) return 0;
    std::int64_t total = static_cast<std::int64_t>(attack) + roll;
    if (roll == SURE_ROLL || total >= defence) return damage;
    std::int64_t partial = damage + total - defence;
    return partial > 0 ? static_cast<std::int32_t>(partial) : 0;
}

bool Resist_Check(obj_ref caster, obj_ref target, request_no protection, std::int32_t base, std::int32_t factor) {
    int roll = Random(100);
    // Asked with 0: an object without a rule for them has neither.
    std::int64_t guard = Clamp32(Ask_Or_Zero(caster, target, protection));
    std::int64_t level = Clamp32(Ask_Or_Zero(target, caster, REQ_CHAR_LEVEL));
    resist_margin = Clamp32(guard - (base + level * factor));
    return roll <= resist_margin;
}

// ---- Notices ----

std::string Object_Name(obj_ref asker, obj_ref object) {
    RequestValue v = Ask(asker, object, REQ_NAME);
    if (v == 0 || v == NO_VALUE) return "";
    const char* text = Value_Pointer<const char>(v);
    // A character's own name field is not terminated when it is full.
    std::size_t limit = MAX_NAME_TEXT;
    if (Is_Char(object) && text == chararray.records[Obj_Index(object)].name) limit = sizeof chararray.records[0].name;
    return std::string(text, strnlen(text, limit));
}

void Announce_Cast(obj_ref caster, obj_ref target, act_desc* act) {
    if (act == nullptr || !Is_Char(caster) || party_sight_distance >= PARTY_SEES_CAST_WITHIN) return;
    const obj_ref observer = party_observer != NOOBJ ? party_observer : caster;
    std::string line = Object_Name(observer, caster) + " casts " + Act_Name(caster, target, act);
    if (Is_Char(target) && target != caster)
        line += " on " + Object_Name(observer, target);
    else
        line += ".";
    const RequestValue flags = Ask_Act_Value(caster, target, act, REQ_ACT_FLAGS);
    COLORREF colour = NEUTRAL_CAST;
    if (flags & ACT_FRIENDLY)
        colour = FRIENDLY_CAST;
    else if (flags & ACT_HOSTILE)
        colour = HOSTILE_CAST;
    Log_Add_Message(colour, line.c_str());
}

void Show_Message_Box(const char* text) {
    if (ai_acting) return;
    MessageBoxA(Get_Main_Window(), text, nullptr, MB_SETFOREGROUND);
}

void Init_All_Object_Values() {
    const std::uint16_t records = maparray.Capacity();
    for (std::uint32_t i = 0; i < records; ++i) {
        if (i >= total_fields && Map_Record_Is_Free(static_cast<std::uint16_t>(i))) continue;
        obj_ref o = Make_Obj(OBJ_FIXITEM, static_cast<std::uint16_t>(i));
        Object_Request(o, o, 0, REQ_INITIALISE, 0);
    }
    const std::uint16_t items = itemarray.Capacity();
    for (std::uint32_t i = 1; i < items; ++i) {
        if (Item_Record_Is_Free(static_cast<std::uint16_t>(i))) continue;
        obj_ref o = Make_Obj(OBJ_ITEM, static_cast<std::uint16_t>(i));
        Object_Request(o, o, 0, REQ_INITIALISE, 0);
    }
}

// ---- Handlers of the plain acts ----

RequestValue Attack_Right_Hand(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    if (!Is_Char(source)) {
        Error_Query_Quit("Non-character attack!?");
        return NO_VALUE;
    }
    const std::uint16_t weapon = Char_Slot_Item(Obj_Index(source), SLOT_RIGHT_HAND);
    if (Ask(source, source, REQ_RIGHT_HAND_FREE) == 0 && weapon != 0)
        return Armed_Attack(source, target, act, request, value, weapon);
    return Fist_Attack(source, target, act, request, value);
}

namespace {

constexpr int STEP_NOISE_DIVISOR = 5;
constexpr std::uint32_t STEP_TIMER_DIVISOR_MASK = 0xFF;

// Where a step onto field ends: the end of its transporter chain (stairs,
// teleports); false when the chain leaves the map or does not end.
bool Step_Destination(obj_ref mover, std::uint16_t& field) {
    ChainEnd end = Follow_Transporter_Chain(field, [mover](std::uint16_t f) {
        RequestValue next = Ask(mover, Field_Head(f), REQ_TRANSPORT_STEP);
        return next >= 0 && next < NO_FIELD ? next : NO_VALUE;
    });
    return end == ChainEnd::Reached;
}

void Take_Step(std::uint16_t c, obj_ref target) {
    const obj_ref who = Make_Obj(OBJ_CHAR, c);
    RequestValue dest_value = Ask(who, target, REQ_FIELD);
    if (dest_value < 0 || static_cast<std::uint64_t>(dest_value) >= total_fields) {
        Error_Query_Quit("invalid destination index in step effect...");
        return;
    }
    std::uint16_t dest = static_cast<std::uint16_t>(dest_value);
    char_record& r = chararray.records[c];
    const std::uint16_t stopped = turn_mode ? CS_DECIDING : CS_EXECUTE;
    if (!Step_Destination(who, dest)) {
        r.state = stopped;
        return;
    }
    const RequestValue cost = Ask(who, Field_Head(dest), REQ_ENTRY_COST);
    if (cost <= 0) {
        if (Object_Request(who, Field_Head(dest), 0, REQ_OPERATE, 0) == 0) r.state = stopped;
        return;
    }
    Object_Request(who, who, 0, REQ_CHANGE_ACTION_POINTS, -cost);
    Object_Request(who, Field_Head(dest), 0, REQ_SET_BLOCKED, 1);
    r.state = CS_STEPPING;
    r.act = dest;
    r.target = 0;
    // The step timer divides by its low byte: a dearer field than 255 still
    // takes the longest step, never a division by 0.
    r.source = static_cast<std::uint32_t>(std::clamp<RequestValue>(cost, 1, STEP_TIMER_DIVISOR_MASK));
    if (Char_Path(c) != nullptr) {
        if (r.path_entry == 0)
            Free_Char_Path(c);
        else
            --r.path_entry;
    }
}

}  // namespace

RequestValue Step_Forward(obj_ref source, obj_ref target, act_desc*, request_no request, RequestValue value) {
    if (!Is_Char(source)) {
        Error_Query_Quit("Non-character step");
        return NO_VALUE;
    }
    const std::uint16_t c = Obj_Index(source);
    switch (request) {
        case REQ_ACT_LOUDNESS: {
            std::int64_t carried = 0;
            for (int s = SLOT_HELM; s <= SLOT_LAST; ++s)
                if (std::uint16_t item = Char_Slot_Item(c, s))
                    carried += Ask(source, Make_Obj(OBJ_ITEM, item), REQ_DISTURB);
            return Ask(source, source, REQ_STEP_NOISE) + static_cast<RequestValue>(carried / STEP_NOISE_DIVISOR);
        }
        case REQ_EFFECT_HIT: Take_Step(c, target); return value;
        default: return NO_VALUE;
    }
}

RequestValue Guarding(obj_ref source, obj_ref, act_desc*, request_no request, RequestValue value) {
    if (!Is_Char(source)) {
        Error_Query_Quit("Non-character guard");
        return NO_VALUE;
    }
    if (request != REQ_EFFECT_HIT) return NO_VALUE;
    char_record& r = chararray.records[Obj_Index(source)];
    r.state = CS_GUARDING;
    r.ap_stamp = game_clock;
    r.flags = static_cast<std::uint16_t>(r.flags & ~CF_HELD_POSE);
    return value;
}

RequestValue Operate_Item(obj_ref source, obj_ref target, act_desc*, request_no request, RequestValue value) {
    if (request != REQ_EFFECT_HIT) return NO_VALUE;
    Object_Request(source, target, 0, REQ_OPERATE, 0);
    return value;
}

RequestValue Pickpocket(obj_ref, obj_ref, act_desc*, request_no request, RequestValue value) {
    switch (request) {
        case REQ_ACT_VISIBILITY:
        case REQ_ACT_AP_COST:
        case REQ_EFFECT_HIT: return value;
        default: return NO_VALUE;
    }
}
