// Creating and deleting items, stacks, owners, the ground walk, names and
// the item sprites.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <string>
#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Request.h"
#include "Objects/SpriteInfo.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/RecordingHandler.h"
#include "support/SpriteFiles.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

class Items : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_World(4, 4);
        sword = Add_Item_Type("Sword", CLASS_SWORD);
    }
    std::uint16_t sword = 0;
};

TEST_F(Items, CreatingOnAFullArrayGrowsItBy50) {
    EXPECT_EQ(itemarray.Capacity(), 51);
    for (int i = 1; i <= 50; ++i) ASSERT_EQ(Create_Item(sword, 5), i);
    std::uint16_t i = Create_Item(sword, 5);
    EXPECT_EQ(i, 51);
    EXPECT_EQ(itemarray.Capacity(), 101);
    EXPECT_EQ(itemarray[i].owner, Fix_Ref(5));
    EXPECT_EQ(itemarray[i].type, sword);
    EXPECT_EQ(itemarray[i].recognize, 100);
    // Deleted records are handed out again, newest first; 0 never.
    Delete_Item(7);
    Delete_Item(3);
    EXPECT_EQ(Create_Item(sword, 6), 3);
    EXPECT_EQ(Create_Item(sword, 6), 7);
    EXPECT_EQ(Create_Item(sword, 6), 52);
}

TEST_F(Items, NothingIsMadeForABadTypeOrField) {
    std::uint16_t free_before = itemarray.first_free;
    EXPECT_EQ(Create_Item(200, 5), NO_INDEX);
    EXPECT_EQ(Create_Item(sword, 16), NO_INDEX);
    EXPECT_EQ(itemarray.first_free, free_before);
    EXPECT_EQ(Headless_Backend().boxes.size(), 2u);
}

TEST_F(Items, ABodyGetsAFreshCorpseModifierOthersTheirTypesModifiers) {
    ScopedHandler corpse(MK_CORPSE, [](const HandlerCall& call) { return call.value; });
    std::uint16_t body = Create_Item(ITEM_TYPE_DEAD_BODY, 5);
    std::uint16_t m = itemarray[body].first_mod;
    ASSERT_NE(m, NO_INDEX);
    EXPECT_EQ(mod_array[m].type, MK_CORPSE);
    EXPECT_EQ(mod_array[m].p1 | mod_array[m].p2 | mod_array[m].p3 | mod_array[m].p4, 0);
    EXPECT_EQ(mod_array[m].next, NO_INDEX);

    Alloc_Mod_Pool(4);
    Init_Mod_Free_List();
    mod_data.first_free = 1;
    Add_Mod_To_Owner(2, Make_Obj(OBJ_ITEM, sword), MK_HASTE, 9, 0, 0, 0);
    std::uint16_t blade = Create_Item(sword, 5);
    m = itemarray[blade].first_mod;
    ASSERT_NE(m, NO_INDEX);
    EXPECT_EQ(mod_array[m].type, MK_HASTE);
    EXPECT_EQ(mod_array[m].p1, 9);
    EXPECT_EQ(mod_array[m].owner, Item_Ref(blade));
}

TEST_F(Items, DeletingFromAFieldOrACharacter) {
    std::uint16_t lying = Create_Item(sword, 5);
    Add_Modifier(0, Item_Ref(lying), MK_HASTE, 0, 0, 0, 0);
    std::uint16_t other = Create_Item(sword, 5);
    Delete_Item(lying);
    EXPECT_TRUE(Item_Record_Is_Free(lying));
    EXPECT_EQ(Field_List(5), "item" + std::to_string(other));
    EXPECT_EQ(itemarray.first_free, lying);

    std::uint16_t c = Place_Char(6);
    std::uint16_t plate_type = Add_Item_Type("Plate", CLASS_ARMOR, 0, 0, 0x23);
    std::uint16_t packed = Give_Item(c, plate_type, 1);
    std::uint16_t held = Give_Item(c, sword, SLOT_RIGHT_HAND);
    Delete_Item(packed);
    Delete_Item(held);
    for (int s = 0; s < CHAR_SLOTS; ++s) EXPECT_EQ(chararray[c].slots[s], 0) << s;
    EXPECT_TRUE(Item_Record_Is_Free(packed));
    EXPECT_TRUE(Item_Record_Is_Free(held));
    EXPECT_TRUE(Headless_Backend().boxes.empty());
}

TEST_F(Items, AnItemWithABadOwnerIsReportedAndLeftWhole) {
    std::uint16_t c = Place_Char(6);
    Free_Char(c);
    std::uint16_t i = Create_Item(sword, 5);
    std::uint16_t m = Add_Modifier(0, Item_Ref(i), MK_HASTE, 0, 0, 0, 0);
    Delete_Object_From_Field(OBJ_ITEM, i, 5);  // owner kind none
    struct Case {
        obj_ref owner;
    } cases[] = {{NOOBJ},
                 {Make_Obj(OBJ_MAPANIM, 1)},
                 {Make_Obj(OBJ_FIXITEM, 60000)},
                 {Make_Obj(OBJ_CHAR, 999)},
                 {Make_Obj(OBJ_CHAR, c)}};  // a freed character
    for (const Case& k : cases) {
        Headless_Backend().boxes.clear();
        itemarray[i].owner = k.owner;
        Delete_Item(i);
        ASSERT_EQ(Headless_Backend().boxes.size(), 1u) << k.owner;
        EXPECT_EQ(Headless_Backend().boxes[0].caption, "Non-valid owner of an item!");
        EXPECT_FALSE(Item_Record_Is_Free(i));
        EXPECT_EQ(itemarray[i].first_mod, m);
        EXPECT_FALSE(Modifier_Is_Free(m));
    }
    // A free record or index 0 is refused too.
    Headless_Backend().boxes.clear();
    Delete_Item(0);
    Delete_Item(40);
    EXPECT_EQ(Headless_Backend().boxes.size(), 2u);
}

TEST_F(Items, DeletingFromAStackTakesOneAway) {
    // The stack kind: request 96 answers p1, request 97 adds to it.
    ScopedHandler stack(MK_MULTIPLE_ITEMS, [](const HandlerCall& call) {
        modifier& m = mod_array[call.modifier];
        if (call.request == REQ_STACK_COUNT) return static_cast<RequestValue>(m.p1);
        if (call.request == REQ_STACK_ADD) m.p1 = static_cast<std::uint16_t>(m.p1 + call.value);
        return call.value;
    });
    std::uint16_t arrows = Create_Item(sword, 5);
    std::uint16_t m = Add_Modifier(0, Item_Ref(arrows), MK_MULTIPLE_ITEMS, 3, 20, 0, 0);
    Delete_Item(arrows);
    EXPECT_EQ(mod_array[m].p1, 2);
    EXPECT_EQ(Object_Request(NOOBJ, Item_Ref(arrows), 0, REQ_STACK_COUNT, 0), 2);
    Delete_Item(arrows);
    EXPECT_EQ(mod_array[m].p1, 1);
    EXPECT_FALSE(Item_Record_Is_Free(arrows));
    Delete_Item(arrows);
    EXPECT_TRUE(Item_Record_Is_Free(arrows));
    EXPECT_TRUE(Modifier_Is_Free(m));
}

TEST_F(Items, TheGroundWalkNamesOnlyItems) {
    Set_Fixitem_Type(1, 5);
    std::uint16_t a = Create_Item(sword, 5);
    Place_Fixitem(5, 1);
    Place_Char(5);
    std::uint16_t b = Create_Item(sword, 5);
    Put_MapAnim(5, 3, 0);
    obj_ref cur = Fix_Ref(5);
    std::vector<std::uint16_t> seen;
    while (Next_Ground_Item(cur)) seen.push_back(Obj_Index(cur));
    EXPECT_EQ(seen, (std::vector<std::uint16_t>{a, b}));
    EXPECT_EQ(cur, Make_Obj(OBJ_NONE, 5));
    cur = Fix_Ref(6);
    EXPECT_EQ(Next_Ground_Item(cur), 0);
}

TEST_F(Items, NamesAreAskedAsRequest93) {
    EXPECT_EQ(Item_Name_Text(0), nullptr);
    std::uint16_t i = Create_Item(sword, 5);
    EXPECT_STREQ(Item_Name_Text(i), "Sword");
    // A name filling all 24 bytes of its field ends there.
    std::memset(item_types[sword].name, 'x', sizeof item_types[sword].name);
    EXPECT_EQ(std::string(Item_Name_Text(i)), std::string(24, 'x'));
    ScopedHandler named(MK_MAGIC_OBJECT, [](const HandlerCall& call) {
        static const char magic[] = "Glowing sword";
        return call.request == REQ_ITEM_DISPLAY_NAME ? Pointer_Value(magic) : call.value;
    });
    Add_Modifier(0, Item_Ref(i), MK_MAGIC_OBJECT, 0, 0, 0, 0);
    EXPECT_STREQ(Item_Name_Text(i), "Glowing sword");
}

TEST_F(Items, TheThreeItemSpritesAreLoadedAndReleased) {
    SpriteFolder folder;
    folder.Add_Dys("ARTWORK\\ITEMS\\ITEMS", 10);
    folder.Add_Dys("ARTWORK\\ITEMS\\MITEMS", 12);
    folder.Add_Bitmap("ARTWORK\\ITEMS\\HULLAK", 5, 6);
    Load_Item_Sprites();
    EXPECT_EQ(Sprite_Frame_Count(items_sprite), 10);
    EXPECT_EQ(Sprite_Frame_Count(mitems_sprite), 12);
    EXPECT_EQ(Sprite_Frame_Count(hullak_sprite), 5);
    EXPECT_EQ(Sprite_Layer(mitems_sprite), 3);
    ASSERT_NE(Sprite_From_Handle(hullak_sprite), nullptr);
    EXPECT_EQ(Sprite_From_Handle(hullak_sprite)->kind, SPRITE_BITMAP);
    std::vector<std::uint32_t> handles = {items_sprite, mitems_sprite, hullak_sprite};
    Free_Item_Sprites();
    for (std::uint32_t h : handles) EXPECT_EQ(Sprite_From_Handle(h), nullptr);
    EXPECT_EQ(items_sprite | mitems_sprite | hullak_sprite, 0u);
    EXPECT_TRUE(Headless_Backend().boxes.empty());
}

}  // namespace
