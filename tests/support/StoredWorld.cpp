#include "support/StoredWorld.h"

#include <cstring>

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/CharTick.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "support/RecordingHandler.h"
#include "support/TimedWorld.h"
#include "support/WorldBuilder.h"

namespace fixture {

namespace {

constexpr std::uint8_t FLOOR_SLOT = 1;
constexpr std::uint8_t WALL_SLOT = 2;  // animated in a loop
constexpr std::uint8_t LAYER_LAMP = 15;

void Lay_Floors() {
    for (std::uint32_t f = 0; f < total_fields; ++f) {
        map_record& head = maparray.records[f];
        head.type = f % 5 == 4 ? 0 : FLOOR_SLOT;
        head.frame = static_cast<std::uint8_t>(f % 20);
        mapfield[f] = static_cast<std::uint16_t>((f * 37) & (MF_ELEVATION | MF_BLOCKED | MF_ASK_SIGHT));
    }
}

// As a map file holds them: no handle of this run.
void Clear_Sprite_Handles() {
    for (fixitem_type& t : fixitem_types)
        if (t.sprite != 0) t.sprite = SPRITE_MISSING;
    for (anim_type& t : anim_types) t.sprite = 0;
    for (char_record& c : chararray.records) c.body_sprite = c.head_sprite = 0;
}

}  // namespace

std::uint16_t Stored_Lamp_Field() { return static_cast<std::uint16_t>(map_width + 2); }

void Build_Stored_World(std::uint32_t width, std::uint32_t height, std::uint32_t levels) {
    Reset_Timed_World(width, height, levels);
    // Modifier kinds whose handlers only record: one appends, one goes first.
    ScopedHandler appended(MK_IRON_SKIN, {}, 0);
    ScopedHandler first(MK_CHEST, {}, MOD_INSERT_HEAD);

    Set_Fixitem_Type(FLOOR_SLOT, LAYER_FLOOR);
    Set_Fixitem_Type(WALL_SLOT, LAYER_WALL, 4, -1, 100, FIX_ANIMATED);
    Set_Fixitem_Type(STORED_LAMP_SLOT, LAYER_LAMP, 1, 0, 10);
    std::strncpy(fixitem_types[STORED_LAMP_SLOT].sprite_name, "Lampa1", sizeof fixitem_types[0].sprite_name);
    fixitem_types[FLOOR_SLOT].db_index = 7;
    Lay_Floors();

    const std::uint16_t last = static_cast<std::uint16_t>(total_fields - 1);
    const std::uint16_t wall = Place_Fixitem(1, WALL_SLOT);
    Place_Fixitem(Stored_Lamp_Field(), STORED_LAMP_SLOT);
    const std::uint16_t gone = Place_Fixitem(2, WALL_SLOT);
    Place_Fixitem(last, FLOOR_SLOT);
    Destroy_Object(Fix_Ref(gone));

    const std::uint16_t sword = Add_Item_Type("Sword", CLASS_SWORD, 5, 0, 0x13);
    const std::uint16_t shield = Add_Item_Type("Shield", CLASS_SHIELD, 0, 3, 0x22);
    const std::uint16_t key = Add_Item_Type("Key", CLASS_KEY);
    const std::uint16_t dropped = Place_Item(0, sword);
    Place_Item(0, key);
    Destroy_Object(Item_Ref(Place_Item(last, shield)));

    const std::uint16_t ann = Place_Char(5, "Ann", 0);
    const std::uint16_t bob = Place_Char(6, "Bob", 0);
    const std::uint16_t cid = Place_Char(static_cast<std::uint16_t>(map_width * 2 + 1), "Cid", 4);
    const std::uint16_t dan = Place_Char(last, "Dan", 2);
    chararray[ann].known_spells = 0x15;
    chararray[ann].flags |= CF_FEMALE;
    Give_Item(ann, sword, SLOT_RIGHT_HAND);
    Give_Item(ann, shield, 0);
    Give_Item(cid, key, SLOT_QUICK_FIRST);

    Init_AI_Arrays();
    Destroy_Object(Char_Ref(dan));

    Add_Modifier(3, Char_Ref(ann), MK_IRON_SKIN, 1, 2, 3, 4);
    Add_Modifier(1, Char_Ref(ann), MK_CHEST, 5, 0, 0, 0);
    const std::uint16_t removed = Add_Modifier(2, Char_Ref(ann), MK_IRON_SKIN, 9, 9, 9, 9);
    Add_Modifier(0, Fix_Ref(wall), MK_CHEST, 1, 0, 0, 0);
    Add_Modifier(0, Fix_Ref(7), MK_IRON_SKIN, 0, 2, 0, 0);
    Add_Modifier(4, Item_Ref(dropped), MK_IRON_SKIN, 0, 0, 0, 8);
    Remove_Modifier(Char_Ref(ann), removed);
    const std::uint16_t area = Add_Modifier(2, Fix_Ref(8), MK_IRON_SKIN, 1, 1, 1, 1);
    global_modifiers[0] = {0, 3, 0, 2, 0, 0, area};

    Put_MapAnim(3, 5, 2);
    Start_MapAnim_Once(Char_Ref(bob), 8, 0, 3, 1, 2);
    Start_Object_Anim_Once(Fix_Ref(wall), 3, 0, -1, 0);

    const std::uint16_t ann_slot = chararray[ann].ai_slot;
    const std::uint16_t cid_slot = chararray[cid].ai_slot;
    Add_Act(ann_slot, ACT_GO, Fix_Ref(9), 0, 0, 5);
    Add_Act(ann_slot, ACT_START, NOOBJ, Act_Handle(&act_records[AR_HEAL]), 0, 7);
    Add_Act(cid_slot, ACT_ATTACK, Char_Ref(ann), 0, 0, 3);
    Add_Act(cid_slot, ACT_RELATION, Char_Ref(bob), 6, 0, 1);
    Take_Acts(Alloc_IQ_Slot(Item_Ref(dropped)));
    *Relation_Cell(cid_slot, ann_slot) = -77;

    Select_Char(ann);
    Toggle_Select_Char(bob);
    for (auto& group : select_groups)
        for (std::uint16_t& c : group) c = NO_INDEX;
    select_groups[1][0] = bob;
    select_groups[1][1] = ann;
    page_char = static_cast<std::int16_t>(bob);
    decision_budget = 2;
    tick_cursor = 1;
    portrait_offset = 1;

    scroll_x = -30;
    scroll_y = 45;
    shown_level = levels - 1;
    turn_mode = 1;
    clock_step = 4;
    game_speed = 7;
    anim_wait = 3;
    anim_cycle = 254;
    Clear_Sprite_Handles();
}

}  // namespace fixture
