#include <gtest/gtest.h>

#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

class FieldLists : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_World(4, 3, 2);
        Set_Fixitem_Type(1, 5);
        Set_Fixitem_Type(2, LAYER_WALL);
        Set_Fixitem_Type(3, -2);  // signed layer below the floor
    }
};

TEST_F(FieldLists, EmptyFieldListIsHeadThenEndMarker) {
    EXPECT_EQ(Field_List(7), "");
    EXPECT_EQ(Object_Field(Fix_Ref(7)), 7);
    obj_ref cur = Fix_Ref(7);
    Next_Object(cur);
    EXPECT_EQ(cur, Make_Obj(OBJ_NONE, 7));
}

TEST_F(FieldLists, KeptSortedByLayerWithTiesAfterEquals) {
    const std::uint16_t f = 5;
    std::uint16_t wall = Place_Fixitem(f, 2);  // layer 20
    std::uint16_t c1 = Place_Char(f, "A");     // layer 12
    std::uint16_t item = Place_Item(f, 1);     // layer 3
    std::uint16_t c2 = Place_Char(f, "B");     // layer 12, after the first 12
    std::uint16_t low = Place_Fixitem(f, 3);   // layer -2, first
    std::uint16_t mid = Place_Fixitem(f, 1);   // layer 5
    EXPECT_EQ(Field_List(f), "fix" + std::to_string(low) + " item" + std::to_string(item) + " fix" +
                                 std::to_string(mid) + " char" + std::to_string(c1) + " char" + std::to_string(c2) +
                                 " fix" + std::to_string(wall));
    // Every object finds its field by its links.
    EXPECT_EQ(Object_Field(Fix_Ref(wall)), f);
    EXPECT_EQ(Object_Field(Item_Ref(item)), f);
    EXPECT_EQ(Object_Field(Char_Ref(c2)), f);
    EXPECT_EQ(itemarray[item].owner, Make_Obj(OBJ_FIXITEM, f));
    EXPECT_EQ(chararray[c1].x, 1);
    EXPECT_EQ(chararray[c1].y, 1);
}

TEST_F(FieldLists, CharacterPositionFollowsTheFieldOnEveryLevel) {
    std::uint16_t f = Field_Index(3, 2, 1);
    std::uint16_t c = Place_Char(f);
    EXPECT_EQ(chararray[c].x, 3);
    EXPECT_EQ(chararray[c].y, 2);
    EXPECT_EQ(chararray[c].map_level, 1);
    EXPECT_EQ(Object_Field(Char_Ref(c)), f);
}

TEST_F(FieldLists, DeleteTakesOnlyThatObjectFromAnyPlace) {
    const std::uint16_t f = 2;
    std::uint16_t item = Place_Item(f, 1);  // first
    std::uint16_t a = Place_Fixitem(f, 1);  // middle
    std::uint16_t c = Place_Char(f);
    std::uint16_t b = Place_Fixitem(f, 2);  // last
    const std::string A = "fix" + std::to_string(a), B = "fix" + std::to_string(b), C = "char" + std::to_string(c);
    Delete_Object_From_Field(OBJ_ITEM, item, f);
    EXPECT_EQ(Field_List(f), A + " " + C + " " + B);
    EXPECT_EQ(itemarray[item].owner, NOOBJ);
    Delete_Object_From_Field(OBJ_FIXITEM, b, f);
    EXPECT_EQ(Field_List(f), A + " " + C);
    Delete_Object_From_Field(OBJ_CHAR, c, f);
    EXPECT_EQ(Field_List(f), A);
    // Removing what is not there, or from field -1, changes nothing.
    Delete_Object_From_Field(OBJ_ITEM, item, f);
    Delete_Object_From_Field(OBJ_FIXITEM, a, NO_FIELD);
    EXPECT_EQ(Field_List(f), A);
    EXPECT_TRUE(Headless_Backend().boxes.empty());
}

TEST_F(FieldLists, PuttingAnObjectTwiceNeverMakesALoop) {
    std::uint16_t c = Place_Char(3);
    Put_Object_To_Field(Char_Ref(c), 3);
    EXPECT_EQ(Field_List(3), "char" + std::to_string(c));
}

TEST_F(FieldLists, RemoveAndDestroyTakeObjectsOffTheirField) {
    std::uint16_t fix = Place_Fixitem(4, 1);
    std::uint16_t item = Place_Item(4, 1);
    std::uint16_t c = Place_Char(4);
    Remove_Object(Char_Ref(c));
    EXPECT_EQ(Field_List(4), "item" + std::to_string(item) + " fix" + std::to_string(fix));
    Destroy_Object(Fix_Ref(fix));
    EXPECT_TRUE(Map_Record_Is_Free(fix));
    Destroy_Object(Item_Ref(item));
    EXPECT_TRUE(Item_Record_Is_Free(item));
    EXPECT_EQ(Field_List(4), "");
}

TEST_F(FieldLists, ReplaceItemTakesItsPlaceAndOwner) {
    std::uint16_t a = Place_Item(6, 1);
    std::uint16_t wall = Place_Fixitem(6, 2);
    std::uint16_t b = New_Item_Record();
    Replace_Item_On_Field(a, b, 6);
    EXPECT_EQ(Field_List(6), "item" + std::to_string(b) + " fix" + std::to_string(wall));
    EXPECT_EQ(itemarray[b].owner, Make_Obj(OBJ_FIXITEM, 6));
    EXPECT_EQ(itemarray[a].owner, NOOBJ);
    EXPECT_EQ(itemarray[a].link, Make_Obj(OBJ_NONE, NO_INDEX));
}

TEST_F(FieldLists, RelinkEndsEveryListInItsOwnField) {
    std::uint16_t fix = Place_Fixitem(1, 1);
    maparray[fix].link = Make_Obj(OBJ_NONE, 99);
    maparray[2].link = Make_Obj(OBJ_NONE, 0);
    Relink_Field_Parents();
    EXPECT_EQ(maparray[fix].link, Make_Obj(OBJ_NONE, 1));
    EXPECT_EQ(maparray[2].link, Make_Obj(OBJ_NONE, 2));
}

TEST_F(FieldLists, InvalidKindsAreReportedWithNeutralResults) {
    obj_ref bad = Make_Obj(OBJ_INVALID, 1);
    Next_Object(bad);
    EXPECT_EQ(Obj_Kind(bad), OBJ_NONE);
    EXPECT_EQ(Get_Mod_Index(Make_Obj(OBJ_INVALID, 0)), NO_INDEX);
    EXPECT_EQ(Anim_Frame(Make_Obj(OBJ_INVALID, 0)), 0);
    EXPECT_EQ(Max_Frame(Make_Obj(OBJ_INVALID, 0)), 0);
    Put_Object_To_Field(Fix_Ref(100), 99);  // not a field head
    const auto& boxes = Headless_Backend().boxes;
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(boxes[0].caption, "Invalid obj type in Next_Object");
    EXPECT_EQ(boxes[1].caption, "Invalid obj type in Get_Mod_Index");
    EXPECT_EQ(boxes[2].caption, "Invalid obj type in Anim_Frame");
    EXPECT_EQ(boxes[3].caption, "Invalid obj type in Max_Frame");
    EXPECT_EQ(boxes[4].caption, "Non field-head in Put_Object_To_Field");
}

TEST_F(FieldLists, ACyclicListIsCutNotWalkedForEver) {
    std::uint16_t a = Place_Fixitem(0, 1);
    std::uint16_t b = Place_Fixitem(0, 2);
    maparray[b].link = Fix_Ref(a);  // a -> b -> a -> ...
    EXPECT_EQ(Object_Field(Fix_Ref(a)), NO_FIELD);
    std::uint16_t c = New_Map_Record();
    maparray[c].type = 1;
    Put_Object_To_Field(Fix_Ref(c), 0);
    EXPECT_FALSE(Headless_Backend().boxes.empty());
}

TEST_F(FieldLists, GettingWorse) {
    Set_Fixitem_Type(4, 5, 3);
    Set_Fixitem_Type(5, 5, 1);
    fixitem_types[4].amortized = 5;
    // With an amortized type the record turns into it, frame kept in range.
    std::uint16_t door = Place_Fixitem(8, 4);
    maparray[door].frame = 2;
    EXPECT_EQ(Fixitem_Get_Worse(Fix_Ref(door)), 1);
    EXPECT_EQ(maparray[door].type, 5);
    EXPECT_EQ(maparray[door].frame, 0);
    // A stacked fixitem without one is destroyed; a field head is left.
    EXPECT_EQ(Fixitem_Get_Worse(Fix_Ref(door)), 1);
    EXPECT_TRUE(Map_Record_Is_Free(door));
    maparray[8].type = 5;
    EXPECT_EQ(Fixitem_Get_Worse(Fix_Ref(8)), 0);
    EXPECT_EQ(maparray[8].type, 5);
}

}  // namespace
