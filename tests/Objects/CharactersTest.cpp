// The character array, creation of live characters, their items, sprites
// and stored paths.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Char/CharSprites.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/SpriteInfo.h"
#include "System/ErrorReport.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/FileFaultBox.h"
#include "support/SpriteFiles.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

// Body and head files of the sprites the tests load; each of its own size
// or frame count, so a test can tell which one a character got.
constexpr int HUMAN_FRAMES = 72;
constexpr int ORC_FRAMES = 36;
constexpr int HEAD_WIDTH = 10;  // + head number

int Head_Width(std::uint32_t handle) {
    const sprite* s = Sprite_From_Handle(handle);
    return s != nullptr ? s->width : 0;
}

class Characters : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_World(5, 5);
        folder.Add_Dys("ARTWORK\\CHARS\\HUMAN", HUMAN_FRAMES);
        folder.Add_Dys("ARTWORK\\CHARS\\ORC", ORC_FRAMES);
        for (int head : {1, 3, 7, 12}) {
            char name[32];
            std::snprintf(name, sizeof name, "ARTWORK\\HEADS\\FEJ%03d", head);
            folder.Add_Bitmap(name, 1, HEAD_WIDTH + head);
        }
    }
    void TearDown() override {
        // The game keeps heads for the run; a test gives back all it loaded.
        Free_All_Char_Sprites();
        for (std::uint32_t i = 0; i < char_head_count; ++i) Release_Sprite(Sprite_From_Handle(char_heads[i].sprite));
        char_head_count = 0;
    }
    SpriteFolder folder;
};

TEST_F(Characters, InitMakesFreeRecordsAfterTheCallersAndForgetsTheParty) {
    selected_count = 3;
    player_count = 4;
    Init_Char_Array(5);
    EXPECT_EQ(chararray.Capacity(), 45);
    EXPECT_EQ(chararray.first_free, 5);
    EXPECT_EQ(selected_count, 0);
    EXPECT_EQ(player_count, 0u);
    EXPECT_EQ(selected[0], NO_INDEX);
    EXPECT_EQ(select_groups[4][9], NO_INDEX);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(chararray[i].flags, 0) << i;
    for (int i = 5; i < 45; ++i) {
        EXPECT_EQ(chararray[i].flags, CF_FREE) << i;
        EXPECT_EQ(chararray[i].link, Make_Obj(OBJ_NONE, i + 1 < 45 ? i + 1 : NO_INDEX)) << i;
    }
    // Growing from a full array chains 40 new records after the old ones.
    for (int i = 5; i < 45; ++i) ASSERT_EQ(Alloc_Char(), i);
    EXPECT_EQ(Alloc_Char(), 45);
    EXPECT_EQ(chararray.Capacity(), 85);
    EXPECT_EQ(chararray.first_free, 46);
    EXPECT_EQ(Obj_Index(chararray[84].link), NO_INDEX);
}

TEST_F(Characters, CreateCharOnAClosedFieldMakesNothing) {
    Place_Char(7, "Blocker");
    std::uint16_t free_before = chararray.first_free;
    EXPECT_EQ(Create_Char(7, 2, Char_Template("Zombie"), 4), 0);
    EXPECT_EQ(chararray.first_free, free_before);
    mapfield[8] |= MF_BLOCKED;
    EXPECT_EQ(Create_Char(8, 2, Char_Template("Zombie"), 4), 0);
    EXPECT_EQ(Create_Char(25, 2, Char_Template("Zombie"), 4), 0);  // off the map
    EXPECT_EQ(chararray.first_free, free_before);
}

TEST_F(Characters, CreateCharMakesALiveCharacterOfItsOwn) {
    // The template is another character's record, with its chain, items
    // and path: the new character must share none of them.
    std::uint16_t dead = Place_Char(3, "Fallen");
    Add_Modifier(0, Char_Ref(dead), MK_HASTE, 0, 0, 0, 0);
    std::uint16_t sword = Add_Item_Type("Sword", CLASS_SWORD);
    Give_Item(dead, sword, SLOT_RIGHT_HAND);
    const std::uint32_t path[] = {1, 2};
    Store_Char_Path(dead, path, 2, Fix_Ref(4));
    char_record templ = chararray[dead];
    templ.head = 7;

    std::uint16_t expected = chararray.first_free;
    ASSERT_EQ(Create_Char(12, 5, templ, 6), 1);
    const char_record& z = chararray[expected];
    EXPECT_EQ(Char_On_Field(12), expected);
    EXPECT_EQ(z.facing, 5);
    EXPECT_EQ(z.lobby, 6);
    EXPECT_STREQ(z.name, "Fallen");
    EXPECT_EQ(z.first_mod, NO_INDEX);
    EXPECT_EQ(z.slots[SLOT_RIGHT_HAND], 0);
    EXPECT_EQ(z.path, 0u);
    EXPECT_EQ(z.path_target, NOOBJ);
    EXPECT_EQ(z.state, CS_DECIDING);
    ASSERT_NE(z.ai_slot, NO_INDEX);
    EXPECT_EQ(iqarray.records[z.ai_slot].object, Char_Ref(expected));
    EXPECT_NE(z.body_sprite, 0u);
    EXPECT_NE(z.head_sprite, 0u);
    EXPECT_EQ(Sprite_Layer(z.body_sprite), CHAR_BODY_LAYER);
    EXPECT_EQ(Sprite_Frame_Count(z.body_sprite), HUMAN_FRAMES);
    EXPECT_EQ(Head_Width(z.head_sprite), HEAD_WIDTH + 7);
    EXPECT_EQ(Sprite_Layer(z.head_sprite), CHAR_HEAD_LAYER);
    // The original keeps what it had.
    EXPECT_NE(chararray[dead].first_mod, NO_INDEX);
    ASSERT_NE(Char_Path(dead), nullptr);
    EXPECT_EQ(Char_Path(expected), nullptr);
}

TEST_F(Characters, BodiesAndHeadsAreSharedByNameAndNumber) {
    std::uint16_t a = Place_Char(1, "A");
    std::uint16_t b = Place_Char(2, "B");
    std::uint16_t c = Place_Char(3, "C");
    std::strcpy(chararray[c].body_name, "ORC");
    chararray[a].head = chararray[b].head = 3;
    chararray[c].head = 12;
    Load_All_Char_Sprites();
    EXPECT_EQ(char_body_count, 2u);
    EXPECT_EQ(chararray[a].body_sprite, chararray[b].body_sprite);
    EXPECT_NE(chararray[a].body_sprite, chararray[c].body_sprite);
    EXPECT_EQ(char_bodies[0].uses, 2u);
    EXPECT_STREQ(char_bodies[0].name, "HUMAN");
    EXPECT_EQ(chararray[a].head_sprite, chararray[b].head_sprite);
    EXPECT_EQ(char_head_count, 2u);
    EXPECT_EQ(Sprite_Frame_Count(chararray[a].body_sprite), HUMAN_FRAMES);
    EXPECT_EQ(Sprite_Frame_Count(chararray[c].body_sprite), ORC_FRAMES);
    EXPECT_EQ(Head_Width(chararray[a].head_sprite), HEAD_WIDTH + 3);
    EXPECT_EQ(Head_Width(chararray[c].head_sprite), HEAD_WIDTH + 12);

    std::uint32_t human = chararray[a].body_sprite;
    std::uint32_t orc = chararray[c].body_sprite;
    std::uint32_t head = chararray[a].head_sprite;
    Free_All_Char_Sprites();
    EXPECT_EQ(Sprite_From_Handle(human), nullptr);
    EXPECT_EQ(Sprite_From_Handle(orc), nullptr);
    EXPECT_EQ(chararray[a].body_sprite, 0u);
    EXPECT_EQ(char_bodies[0].uses, 0u);
    // Heads stay loaded: loading again loads the bodies only.
    ASSERT_NE(Sprite_From_Handle(head), nullptr);
    Load_All_Char_Sprites();
    EXPECT_EQ(Sprite_Frame_Count(chararray[a].body_sprite), HUMAN_FRAMES);
    EXPECT_EQ(chararray[a].head_sprite, head);
    EXPECT_EQ(char_head_count, 2u);
    EXPECT_EQ(char_heads[0].uses, 4u);
    EXPECT_TRUE(Headless_Backend().boxes.empty());
}

TEST_F(Characters, AMissingHeadPictureIsReportedOnceAndTheGameGoesOn) {
    std::uint16_t a = Place_Char(1, "A");
    std::uint16_t b = Place_Char(2, "B");
    chararray[a].head = chararray[b].head = 9;
    Load_All_Char_Sprites();
    ASSERT_EQ(Headless_Backend().boxes.size(), 1u);
    EXPECT_TRUE(fixture::Is_File_Fault_Box(Headless_Backend().boxes[0], "Can't load bitmap:", "/FEJ009.BMP",
                                           "No such file or directory", true));
    EXPECT_FALSE(Is_Quitting());
    EXPECT_EQ(chararray[a].head_sprite, 0u);
    EXPECT_EQ(chararray[b].head_sprite, 0u);
    EXPECT_EQ(Sprite_Frame_Count(chararray[b].body_sprite), HUMAN_FRAMES);
}

TEST_F(Characters, TheBodyTableHasRoomFor100Names) {
    std::uint16_t c = Place_Char(1);
    for (int i = 0; i < CHAR_BODY_ROWS; ++i) {
        std::snprintf(chararray[c].body_name, sizeof chararray[c].body_name, "B%03d", i);
        folder.Add_Dys(std::string("ARTWORK\\CHARS\\") + chararray[c].body_name, 1);
        Load_Char_Sprite(c);
    }
    EXPECT_TRUE(Headless_Backend().boxes.empty());
    std::strcpy(chararray[c].body_name, "EXTRA");
    Load_Char_Sprite(c);
    ASSERT_EQ(Headless_Backend().boxes.size(), 1u);
    EXPECT_EQ(Headless_Backend().boxes[0].caption, "Too many different character");
    EXPECT_EQ(char_body_count, 100u);
    EXPECT_EQ(chararray[c].body_sprite, 0u);
}

TEST_F(Characters, ItemsMadeInASlotBelongToTheCharacter) {
    std::uint16_t c = Place_Char(1);
    std::uint16_t ring = Add_Item_Type("Ring", CLASS_RING);
    std::uint16_t i = Create_Item_In_Char_Slot(ring, c, SLOT_LEFT_RING);
    ASSERT_NE(i, NO_INDEX);
    EXPECT_EQ(chararray[c].slots[SLOT_LEFT_RING], i);
    EXPECT_EQ(itemarray[i].owner, Char_Ref(c));
    EXPECT_EQ(itemarray[i].type, ring);
    std::uint16_t body = Create_Item_In_Char_Slot(ITEM_TYPE_DEAD_BODY, c, 0);
    ASSERT_NE(itemarray[body].first_mod, NO_INDEX);
    EXPECT_EQ(mod_array[itemarray[body].first_mod].type, MK_CORPSE);
    // An occupied slot, a bad slot or a bad type makes nothing.
    std::uint16_t free_before = itemarray.first_free;
    EXPECT_EQ(Create_Item_In_Char_Slot(ring, c, SLOT_LEFT_RING), NO_INDEX);
    EXPECT_EQ(Create_Item_In_Char_Slot(ring, c, 67), NO_INDEX);
    EXPECT_EQ(Create_Item_In_Char_Slot(500, c, 5), NO_INDEX);
    EXPECT_EQ(itemarray.first_free, free_before);
    // Deleting the character's items frees them with their modifiers.
    std::uint16_t m = itemarray[body].first_mod;
    Delete_Char_Items(c);
    EXPECT_TRUE(Item_Record_Is_Free(i));
    EXPECT_TRUE(Item_Record_Is_Free(body));
    EXPECT_TRUE(Modifier_Is_Free(m));
    EXPECT_EQ(chararray[c].slots[0], 0);
}

TEST_F(Characters, CharOnFieldFindsTheFirstCharacter) {
    Set_Fixitem_Type(1, 15);
    Place_Fixitem(6, 1);
    Place_Item(6, ITEM_TYPE_DEAD_BODY);
    EXPECT_EQ(Char_On_Field(6), NO_INDEX);
    std::uint16_t a = Place_Char(6, "A");
    Place_Char(6, "B");
    EXPECT_EQ(Char_On_Field(6), a);
    EXPECT_EQ(Char_On_Field(NO_FIELD), NO_INDEX);
    EXPECT_EQ(Char_On_Field(25), NO_INDEX);
}

TEST_F(Characters, StoredPathsBelongToOneCharacter) {
    std::uint16_t a = Place_Char(1, "A");
    std::uint16_t b = Place_Char(2, "B");
    const std::uint32_t entries[] = {10, 20, 30};
    Store_Char_Path(a, entries, 3, Fix_Ref(9));
    EXPECT_EQ(chararray[a].path_entry, 2);
    EXPECT_EQ(chararray[a].path_target, Fix_Ref(9));
    ASSERT_NE(Char_Path(a), nullptr);
    EXPECT_EQ(*Char_Path(a), (std::vector<std::uint32_t>{10, 20, 30}));
    // A handle copied into another record names nothing there, and freeing
    // it there leaves the owner's path alone.
    chararray[b].path = chararray[a].path;
    EXPECT_EQ(Char_Path(b), nullptr);
    Free_Char_Path(b);
    ASSERT_NE(Char_Path(a), nullptr);
    Free_Char(a);
    EXPECT_EQ(Char_Path(a), nullptr);
    EXPECT_EQ(chararray[a].path, 0u);
}

}  // namespace
