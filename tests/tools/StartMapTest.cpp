// The start map as the generator builds it: a party to play with, monsters
// that fight it, the fixtures it shows (door, locked chest, hill, steps,
// teleport, lamps) working through their programs, and a view that starts
// on the party.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/PathSearch.h"
#include "Objects/Request.h"
#include "Objects/Timers.h"
#include "System/Random.h"
#include "datafiles/LightMap.h"
#include "frontend/MapView.h"
#include "support/HeadlessFixture.h"
#include "support/PathWorld.h"
#include "support/TickWorld.h"
#include "tools/artgen/folder/ItemDatabase.h"
#include "tools/artgen/folder/StartMap.h"

namespace {

obj_ref Char(std::uint16_t c) { return Make_Obj(OBJ_CHAR, c); }
obj_ref Fix(std::uint16_t i) { return Make_Obj(OBJ_FIXITEM, i); }

std::uint16_t Field_Of(std::uint16_t c) { return Object_Field(Char(c)); }

std::vector<std::uint16_t> Characters() {
    std::vector<std::uint16_t> out;
    for (std::uint16_t c = 0; c < chararray.Capacity(); ++c)
        if (Char_In_Use(c)) out.push_back(c);
    return out;
}

bool In_Party(std::uint16_t c) {
    return std::find(player_chars, player_chars + player_count, c) != player_chars + player_count;
}

// The kinds of the modifiers in an object's chain.
std::vector<std::uint32_t> Programs(obj_ref o) {
    std::vector<std::uint32_t> kinds;
    For_Each_In_Chain(Get_Mod_Index(o), [&](std::uint16_t m) {
        kinds.push_back(mod_array.records[m].type);
        return true;
    });
    return kinds;
}

bool Has(const std::vector<std::uint32_t>& kinds, std::uint32_t kind) {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

// The fixitems (not floors) of every field whose type shows the sprite.
std::vector<std::uint16_t> Fixitems_Showing(const char* sprite_name) {
    std::vector<std::uint16_t> out;
    for (std::uint16_t i = static_cast<std::uint16_t>(total_fields); i < maparray.Capacity(); ++i)
        if (!Map_Record_Is_Free(i) && std::string(fixitem_types[maparray.records[i].type].sprite_name) == sprite_name)
            out.push_back(i);
    return out;
}

// A floor field (head) whose programs include kind.
std::vector<std::uint16_t> Fields_With(std::uint32_t kind) {
    std::vector<std::uint16_t> out;
    for (std::uint16_t f = 0; f < total_fields; ++f)
        if (Has(Programs(Fix(f)), kind)) out.push_back(f);
    return out;
}

class StartMap : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
        Seed_Random(7);
        art::Build_Start_Map();
        Init_Path_Arrays();
        Timer_Init();
        Reset_Game_Clock();
    }
    void TearDown() override {
        for (const MessageBoxCall& box : backend().boxes) ADD_FAILURE() << "box: " << box.caption << " " << box.text;
        HeadlessTest::TearDown();
    }
};

TEST_F(StartMap, PartyOfThreeLedByTheMainCharacterAndEquipped) {
    ASSERT_EQ(player_count, 3u);
    ASSERT_NE(main_char, NO_INDEX);
    EXPECT_EQ(player_chars[0], main_char);
    EXPECT_TRUE(Has(Programs(Char(main_char)), MK_MAIN_CHAR));
    EXPECT_NE(Object_Request(Char(main_char), Char(main_char), 0, REQ_MAIN_CHAR, NO_VALUE), 0);
    // The main character is the one the player works with.
    ASSERT_EQ(selected_count, 1u);
    EXPECT_EQ(selected[0], main_char);
    EXPECT_TRUE(Is_Active_Player_Char(current_object));
    for (std::uint32_t i = 0; i < player_count; ++i) {
        const std::uint16_t c = player_chars[i];
        const char_record& r = chararray.records[c];
        SCOPED_TRACE(r.name);
        EXPECT_TRUE(Is_Player_Char(c));
        EXPECT_EQ(Field_Level(Field_Of(c)), 0u);
        EXPECT_GT(Char_Slot_Item(c, SLOT_RIGHT_HAND), 0) << "a weapon in hand";
        EXPECT_GT(Char_Slot_Item(c, SLOT_ARMOUR) + Char_Slot_Item(c, SLOT_NECKLACE), 0) << "something worn";
        int in_pack = 0;
        for (int s = 0; s < BACKPACK_SLOTS; ++s) in_pack += r.slots[s] > 0;
        EXPECT_GT(in_pack, 0) << "something in the backpack";
    }
    // Every item a character holds is owned by it and of a real type.
    for (std::uint16_t c : Characters())
        for (int s = 0; s < CHAR_SLOTS; ++s)
            if (chararray.records[c].slots[s] > 0) {
                const item_record& item = itemarray.records[chararray.records[c].slots[s]];
                EXPECT_EQ(item.owner, Char(c));
                EXPECT_GT(item.type, ITEM_TYPE_DEAD_BODY);
                EXPECT_LT(item.type, item_types.size());
            }
}

TEST_F(StartMap, APartyMemberHasSpellsToTryOnTheSpellPage) {
    int cast_at_once = 0, aimed = 0, unpaid = 0;
    for (std::uint32_t i = 0; i < player_count; ++i) {
        const std::uint16_t c = player_chars[i];
        for (int n = 0; n < SPELL_COUNT; ++n) {
            if (!(chararray.records[c].known_spells & (1u << n))) continue;
            const act_desc* act = spell_table[n].act;
            bool paid = true;
            for (int k = 0; k < 4; ++k)
                paid = paid && act->mana[k] <= Object_Request(Char(c), Char(c), 0,
                                                              static_cast<request_no>(REQ_MANA_FIRE + k), NO_VALUE);
            if (!paid)
                ++unpaid;
            else if (act->range == 0)
                ++cast_at_once;
            else
                ++aimed;
        }
    }
    EXPECT_GT(cast_at_once, 0) << "a spell cast at once";
    EXPECT_GT(aimed, 0) << "a spell aimed at a target";
    EXPECT_GT(unpaid, 0) << "a spell the mana does not pay for, drawn disabled";
}

TEST_F(StartMap, MonstersHaveProgramsAndAreHostileToTheParty) {
    int monsters = 0;
    for (std::uint16_t c : Characters()) {
        if (In_Party(c)) continue;
        ++monsters;
        const char_record& r = chararray.records[c];
        SCOPED_TRACE(r.name);
        const std::vector<std::uint32_t> kinds = Programs(Char(c));
        EXPECT_TRUE(Has(kinds, MK_BASIC_MONSTER) || Has(kinds, MK_STANDING_GUARD) || Has(kinds, MK_MOVING_GUARD));
        for (std::uint32_t i = 0; i < player_count; ++i)
            EXPECT_TRUE(Is_Hostile(r.ai_slot, chararray.records[player_chars[i]].ai_slot));
    }
    EXPECT_GE(monsters, 3);
}

TEST_F(StartMap, DoorChestHillStepsTeleportAndLampsWork) {
    // A closed door that opens when used.
    const std::vector<std::uint16_t> doors = Fixitems_Showing("DOOR");
    ASSERT_EQ(doors.size(), 1u);
    const obj_ref door = Fix(doors[0]);
    EXPECT_EQ(Anim_Frame(door), Max_Frame(door) - 1) << "closed";
    EXPECT_EQ(Object_Request(Char(main_char), door, 0, REQ_OPERATE, 0), 1) << "it opens";

    // A locked chest: using it only tells the player so.
    const std::vector<std::uint16_t> chests = Fixitems_Showing("CHEST");
    ASSERT_EQ(chests.size(), 1u);
    EXPECT_EQ(Anim_Frame(Fix(chests[0])), 0) << "locked";
    EXPECT_TRUE(Has(Programs(Fix(chests[0])), MK_CHEST));
    Object_Request(Char(main_char), Fix(chests[0]), 0, REQ_OPERATE, 0);
    ASSERT_EQ(backend().boxes.size(), 1u);
    EXPECT_EQ(backend().boxes[0].text, "It's locked.");
    backend().boxes.clear();

    // A hill lifts its field; the ridge's slopes too.
    const std::vector<std::uint16_t> hills = Fixitems_Showing("HILL");
    ASSERT_EQ(hills.size(), 1u);
    EXPECT_TRUE(mapfield[Object_Field(Fix(hills[0]))] & MF_HEIGHT_PROGRAM);
    EXPECT_GT(Object_Request(Fix(hills[0]), Fix(hills[0]), 0, REQ_DRAW_HEIGHT, 0), 0);
    EXPECT_FALSE(Fields_With(MK_GROUND_HILL).empty());

    // Steps up and a way back down, and a teleport.
    EXPECT_EQ(Fields_With(MK_STEPS).size(), 2u);
    const std::vector<std::uint16_t> teleports = Fields_With(MK_TELEPORT);
    ASSERT_EQ(teleports.size(), 1u);
    EXPECT_TRUE(mapfield[teleports[0]] & MF_TRANSPORTER);

    // Lamps, torches and candles light their surroundings.
    Compute_Light_Map();
    for (const char* lamp : {"Lampa1", "Faklya", "Gyertyat"}) {
        const std::vector<std::uint16_t> found = Fixitems_Showing(lamp);
        ASSERT_FALSE(found.empty()) << lamp;
        for (std::uint16_t i : found) EXPECT_GT(light[Object_Field(Fix(i))], 26) << lamp;
    }
}

TEST_F(StartMap, EveryItemTypeIsOfTheDatabaseAndEveryBodyOfTheArtwork) {
    ASSERT_EQ(item_types.size(), art::Default_Item_Types().size());
    EXPECT_STREQ(item_types[ITEM_TYPE_DEAD_BODY].name, "Dead body");
    for (const char* name : {"Long sword", "Round shield", "Long bow", "Healing potion", "Gold key"})
        EXPECT_NE(art::Default_Item_Type(name), ITEM_TYPE_EMPTY) << name;
    for (std::uint16_t i = 1; i < itemarray.Capacity(); ++i)
        EXPECT_TRUE(Item_Record_Is_Free(i) || itemarray.records[i].type < item_types.size()) << "item " << i;
    for (std::uint16_t c : Characters()) EXPECT_GT(Max_Frame(Char(c)), 0) << chararray.records[c].body_name;
}

// Where a field's anchor lies in the map view, relative to its top-left.
struct ViewPoint {
    std::int32_t x, y;
};
ViewPoint In_View(std::uint16_t f) {
    const std::int32_t col = static_cast<std::int32_t>(Field_X(f)), row = static_cast<std::int32_t>(Field_Y(f));
    return {col * 42 + row * 21 - scroll_x, row * 21 - scroll_y};
}

TEST_F(StartMap, ViewStartsOnThePartyInsideTheScrollLimits) {
    EXPECT_EQ(shown_level, 0u);
    const std::int32_t sx = scroll_x, sy = scroll_y;
    Set_Map_View(HEXAMAP_VIEW.left, HEXAMAP_VIEW.top, HEXAMAP_VIEW.right, HEXAMAP_VIEW.bottom);
    Set_Scroll_Limits();
    Clamp_Scroll();
    EXPECT_EQ(scroll_x, sx) << "the stored view needs no clamping";
    EXPECT_EQ(scroll_y, sy);
    for (std::uint32_t i = 0; i < player_count; ++i) {
        // The whole figure, about 56 pixels above its anchor, is in the view.
        const ViewPoint p = In_View(Field_Of(player_chars[i]));
        EXPECT_GE(p.x, 30);
        EXPECT_LT(p.x, map_view_width - 30);
        EXPECT_GE(p.y, 70);
        EXPECT_LT(p.y, map_view_height - 10);
    }
}

// The path the main character would take to field, as fields.
std::vector<std::uint16_t> Route_To(std::uint16_t field) {
    path(main_char, static_cast<std::int32_t>(Field_X(field)), static_cast<std::int32_t>(Field_Y(field)),
         static_cast<std::int32_t>(Field_Level(field)), 1);
    return path_count > 0 ? fixture::Found_Path_Fields() : std::vector<std::uint16_t>{};
}

TEST_F(StartMap, PartyWalksUpTheStepsAndComesBackThroughTheTeleport) {
    // Without the monsters in the way: the map itself lets the party go.
    for (std::uint16_t c : Characters())
        if (!In_Party(c)) Destroy_Object(Char(c));
    const std::uint16_t top = Field_Index(17, 3, 1);
    ASSERT_FALSE(Route_To(top).empty()) << "a way up";
    EXPECT_TRUE(fixture::Found_Path_Is_Connected(Field_Of(main_char)));

    Command_Char(main_char, ACT_GO, OBJ_FIXITEM, top, 0, 0, -1);
    for (int t = 0; t < 3000 && Field_Of(main_char) != top; ++t) fixture::Main_Tick();
    EXPECT_EQ(Field_Of(main_char), top) << "the main character climbed to the tower's top";

    // From the far side of the meadow the teleport is the short way west.
    const std::uint16_t teleport = Fields_With(MK_TELEPORT).at(0);
    const std::uint16_t goal =
        static_cast<std::uint16_t>(Object_Request(Fix(teleport), Fix(teleport), 0, REQ_TRANSPORT_DEST, NO_VALUE));
    Command_Char(main_char, ACT_GO, OBJ_FIXITEM, static_cast<std::uint16_t>(teleport - 1), 0, 0, -1);
    for (int t = 0; t < 3000 && Field_Of(main_char) != teleport - 1; ++t) fixture::Main_Tick();
    ASSERT_EQ(Field_Of(main_char), teleport - 1);
    const std::vector<std::uint16_t> route = Route_To(static_cast<std::uint16_t>(goal + 1));
    EXPECT_NE(std::find(route.begin(), route.end(), goal), route.end()) << "through the teleport";
    EXPECT_LT(route.size(), 5u);
    for (const std::string& p : fixture::World_Problems()) ADD_FAILURE() << p;
}

TEST_F(StartMap, MonstersGoAfterThePartyAndTheWorldStaysSound) {
    std::vector<std::uint16_t> start(chararray.Capacity(), NO_FIELD);
    for (std::uint16_t c : Characters()) start[c] = Field_Of(c);
    for (int t = 0; t < 1500; ++t) fixture::Main_Tick();
    int moved = 0, hurt = 0;
    for (std::uint16_t c : Characters()) {
        if (In_Party(c)) {
            hurt += chararray.records[c].hp < chararray.records[c].max_hp;
        } else {
            moved += Field_Of(c) != start[c];
        }
    }
    EXPECT_GT(moved, 1) << "the monsters act on their programs";
    EXPECT_GT(hurt, 0) << "and come to fight the party";
    for (const std::string& p : fixture::World_Problems()) ADD_FAILURE() << p;
}

}  // namespace
