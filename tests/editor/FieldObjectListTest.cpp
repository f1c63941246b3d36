// The field object list: a field's head and objects in list order without
// map animations, the listed object selected, and the tree's commands.
#include "tests/editor/EditorFixture.h"

#include "Objects/MapAnims.h"

namespace {

using FieldObjects = EditorTest;

TEST_F(FieldObjects, AListingShowsTheHeadThenTheObjectsAndSelectsTheObjectGiven) {
    const std::uint16_t field = F(2, 3);
    const std::uint8_t door_slot = static_cast<std::uint8_t>(Add_Fixitem_Type_To_Map(DB_DOOR));
    const std::uint16_t door = fixture::Place_Fixitem(field, door_slot);
    const std::uint16_t sword_on_floor = fixture::Place_Item(field, sword);
    const std::uint16_t c = fixture::Place_Char(field, "Alda");
    Put_MapAnim(field, 3, 0);
    Editor_List_Field_Objects(sword_on_floor, OBJ_ITEM);
    const std::vector<field_object_entry> expected = {{"Grass", OBJ_FIXITEM, field},
                                                      {"Door", OBJ_FIXITEM, door},
                                                      {"Sword", OBJ_ITEM, sword_on_floor},
                                                      {"Alda", OBJ_CHAR, c}};
    std::vector<field_object_entry> listed = field_objects.entries;
    // Drawing layers set the order of the objects after the head.
    std::sort(listed.begin() + 1, listed.end(), [](const auto& a, const auto& b) { return a.label < b.label; });
    std::vector<field_object_entry> sorted = expected;
    std::sort(sorted.begin() + 1, sorted.end(), [](const auto& a, const auto& b) { return a.label < b.label; });
    EXPECT_EQ(listed, sorted);
    EXPECT_EQ(field_objects.label, std::to_string(sword_on_floor)) << "the index given, not the field";
    ASSERT_GE(field_objects.selected, 0);
    EXPECT_EQ(field_objects.entries[static_cast<std::size_t>(field_objects.selected)].parameter, sword_on_floor);
    EXPECT_EQ(selection_on_map, 1u);
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_ITEM, sword_on_floor}));
    EXPECT_EQ(view.shown_label, field_objects.label);
}

TEST_F(FieldObjects, IndexMinusOneEmptiesTheListAndTheSelection) {
    Editor_List_Field_Objects(F(1, 1), OBJ_FIXITEM);
    ASSERT_FALSE(field_objects.entries.empty());
    Editor_List_Field_Objects(-1, OBJ_NONE);
    EXPECT_TRUE(field_objects.entries.empty());
    EXPECT_EQ(field_objects.label, "");
    EXPECT_EQ(editor_selection, editor_selection_ref{});
}

TEST_F(FieldObjects, DeleteOnNoEntryDoesNothing) {
    const std::uint16_t c = fixture::Place_Char(F(1, 1), "Stays");
    Field_Tree_Command(FIELD_CMD_DELETE);
    EXPECT_TRUE(Char_In_Use(c));
    EXPECT_TRUE(Field_Tree_Menu(-1).empty()) << "no entry: an empty menu";
}

TEST_F(FieldObjects, DeletingACharacterTakesItOffTheMapTheSelectionAndTheParty) {
    const std::uint16_t c = fixture::Place_Char(F(4, 4), "Leaver");
    Alloc_IQ_Slot(Make_Obj(OBJ_CHAR, c));
    Select_Char(c);
    current_object = Make_Obj(OBJ_CHAR, c);
    ASSERT_EQ(player_count, 1u);
    Editor_List_Field_Objects(c, OBJ_CHAR);
    EXPECT_EQ(Field_Tree_Menu(field_objects.selected), std::vector<int>{FIELD_CMD_DELETE})
        << "no character editor yet: delete alone";
    Field_Tree_Command(FIELD_CMD_DELETE);
    EXPECT_FALSE(Char_In_Use(c));
    EXPECT_EQ(Char_On_Field(F(4, 4)), NO_INDEX);
    EXPECT_EQ(selected_count, 0);
    EXPECT_EQ(player_count, 0u);
    EXPECT_EQ(current_object, NOOBJ);
    // The field is listed again with its head selected.
    ASSERT_EQ(field_objects.entries.size(), 1u);
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_FIXITEM, F(4, 4)}));
    Expect_Map_Sound("after deleting a character");
}

TEST_F(FieldObjects, DeletingAnItemOrAFixitemRemovesItForGood) {
    const std::uint16_t item = fixture::Place_Item(F(2, 2), sword);
    Add_Modifier(0, Make_Obj(OBJ_ITEM, item), MK_DUMB, 0, 0, 0, 0);
    Editor_List_Field_Objects(item, OBJ_ITEM);
    Field_Tree_Command(FIELD_CMD_DELETE);
    EXPECT_TRUE(Item_Record_Is_Free(item));
    EXPECT_TRUE(Objects_On(F(2, 2)).empty());
    const std::uint16_t door =
        fixture::Place_Fixitem(F(2, 2), static_cast<std::uint8_t>(Add_Fixitem_Type_To_Map(DB_DOOR)));
    Editor_List_Field_Objects(door, OBJ_FIXITEM);
    Field_Tree_Command(FIELD_CMD_DELETE);
    EXPECT_TRUE(Map_Record_Is_Free(door));
    Expect_Map_Sound("after deleting an item and a fixitem");
}

TEST_F(FieldObjects, DeletingTheFieldHeadResetsItAndListsTheFieldAgain) {
    const std::uint16_t item = fixture::Place_Item(F(3, 3), sword);
    Add_Modifier(0, Field_Head(F(3, 3)), MK_DUMB, 0, 0, 0, 0);
    Editor_List_Field_Objects(F(3, 3), OBJ_FIXITEM);
    view.listings = 0;
    Field_Tree_Command(FIELD_CMD_DELETE);
    const map_record& head = maparray.records[F(3, 3)];
    EXPECT_EQ(head.type, 0);
    EXPECT_EQ(head.first_mod, NO_INDEX);
    EXPECT_EQ(view.listings, 1) << "listed again";
    ASSERT_EQ(field_objects.entries.size(), 2u);
    EXPECT_EQ(field_objects.entries[1].parameter, item) << "the objects stay on the field";
    Expect_Map_Sound("after deleting a field head");
}

TEST_F(FieldObjects, TheMenuOffersAnEditEntryOnceItsEditorExists) {
    const std::uint16_t item = fixture::Place_Item(F(1, 1), sword);
    Editor_List_Field_Objects(item, OBJ_ITEM);
    static std::vector<std::pair<std::uint16_t, std::uint16_t>> edits;
    edits.clear();
    Editor_Dialogs().edit_item = [](std::uint16_t type, std::uint16_t i) { edits.push_back({type, i}); };
    EXPECT_EQ(Field_Tree_Menu(field_objects.selected), (std::vector<int>{FIELD_CMD_EDIT_ITEM, FIELD_CMD_DELETE}));
    Field_Tree_Command(FIELD_CMD_EDIT_ITEM);
    ASSERT_EQ(edits.size(), 1u);
    EXPECT_EQ(edits[0], std::make_pair(sword, item));
    itemarray.records[item].type = 900;  // a map naming a type the database lacks
    Field_Tree_Command(FIELD_CMD_EDIT_ITEM);
    EXPECT_EQ(edits.size(), 1u) << "no editor on a type that is not there";
    EXPECT_EQ(std::string(field_command_texts[FIELD_CMD_EDIT_ITEM]), "Edit this item and its type");
}

TEST_F(FieldObjects, SelectingAnItemShowsItsPictureAtItsTypesPictureNumber) {
    item_types[sword].picture = 5;
    const std::uint16_t item = fixture::Place_Item(F(1, 1), sword);
    Editor_List_Field_Objects(F(1, 1), OBJ_FIXITEM);
    Field_Tree_Select(1);
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_ITEM, item}));
    EXPECT_EQ(preview_frame, 5);
    EXPECT_EQ(preview_sprite, items_sprite);
}

}  // namespace
