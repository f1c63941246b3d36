// Placing objects on the map: new objects from database types, copies and
// moves of placed objects, the refusals, and the map staying sound (its
// checks pass and it round-trips through a map file) after each change.
#include "tests/editor/EditorFixture.h"

namespace {

using Placing = EditorTest;

std::uint16_t Fixitem_Count(const std::vector<obj_ref>& objects) {
    std::uint16_t n = 0;
    for (obj_ref o : objects) n += Obj_Kind(o) == OBJ_FIXITEM;
    return n;
}

// Every refusal: its text on the status line, the focus back to the tree
// the selection came from, nothing changed on the map.
struct refusal_case {
    const char* name;
    std::function<void(Placing&)> prepare;  // selects and sets up; the click goes to field (5, 5)
    const char* text;
    EditorTree tree;
};

TEST_F(Placing, EachRefusalSaysWhyAndChangesNothing) {
    const std::uint16_t target = F(5, 5);
    const std::vector<refusal_case> cases = {
        {"a character type on an occupied field",
         [&](Placing&) {
             fixture::Place_Char(target, "Blocker");
             Select_Type(OBJ_CHAR, CT_WARRIOR);
         },
         TEXT_FIELD_OCCUPIED, EditorTree::Chars},
        {"a second main character",
         [&](Placing&) {
             Select_Type(OBJ_CHAR, CT_HERO);
             Click(F(1, 1));
             Select_Type(OBJ_CHAR, CT_HERO);
         },
         TEXT_ONLY_ONE_MAIN, EditorTree::Chars},
        {"the dead body from the database", [&](Placing&) { Select_Type(OBJ_ITEM, ITEM_TYPE_DEAD_BODY); },
         TEXT_NO_CORPSE_INSERT, EditorTree::Items},
        {"a fixitem type that does not fit",
         [&](Placing&) {
             Select_Type(OBJ_FIXITEM, DB_WALL);
             Click(target);
             Select_Type(OBJ_FIXITEM, DB_POST);
         },
         TEXT_TYPE_DOES_NOT_FIT, EditorTree::Fixitems},
        {"a placed character onto an occupied field",
         [&](Placing&) {
             fixture::Place_Char(target, "Blocker");
             Select_Placed(OBJ_CHAR, fixture::Place_Char(F(1, 1), "Mover"));
         },
         TEXT_FIELD_OCCUPIED, EditorTree::FieldObjects},
        {"a copy of the main character",
         [&](Placing&) {
             Select_Type(OBJ_CHAR, CT_HERO);
             Click(F(1, 1));
         },
         TEXT_NO_MAIN_COPY, EditorTree::FieldObjects},
        {"a copy of a dead body",
         [&](Placing&) { Select_Placed(OBJ_ITEM, fixture::Place_Item(F(1, 1), ITEM_TYPE_DEAD_BODY)); },
         TEXT_NO_CORPSE_COPY, EditorTree::FieldObjects},
        {"a placed fixitem that does not fit",
         [&](Placing&) {
             Select_Type(OBJ_FIXITEM, DB_WALL);
             Click(target);
             Select_Type(OBJ_FIXITEM, DB_POST);
             Click(F(1, 1));
         },
         TEXT_FIXITEM_DOES_NOT_FIT, EditorTree::FieldObjects},
    };
    for (const refusal_case& c : cases) {
        SCOPED_TRACE(c.name);
        Editor_OK();
        New_World(12, 12, 2);
        // The status line shows what the editor says while it is open.
        Editor_Enter(0, EVENT_CLICK);
        c.prepare(*this);
        MapImage before;
        Capture_Map_Image(before);
        view.focused.clear();
        Click(target);
        EXPECT_EQ(editor_status, c.text);
        ASSERT_EQ(view.focused.size(), 1u);
        EXPECT_EQ(view.focused[0], c.tree);
        MapImage after;
        Capture_Map_Image(after);
        EXPECT_EQ(Write_Map_Image(before), Write_Map_Image(after)) << "the map changed";
        EXPECT_TRUE(backend().boxes.empty()) << backend().boxes[0].text;
    }
}

TEST_F(Placing, AFieldTakesFixitemsUpToAFillOfOneHundred) {
    const struct {
        std::uint8_t first, second;
        bool fits;
    } cases[] = {{40, 40, true}, {80, 40, false}, {60, 40, true}, {60, 41, false}, {0, 100, true}, {100, 1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.first) + " + " + std::to_string(c.second));
        New_World(6, 6, 1);
        const std::uint16_t a = Add_Db_Fixitem("A", Db_Fixitem("TREE", c.first));
        const std::uint16_t b = Add_Db_Fixitem("B", Db_Fixitem("ROCK", c.second));
        if (c.first > 0) {
            Select_Type(OBJ_FIXITEM, a);
            Click(F(2, 2));
        }
        Select_Type(OBJ_FIXITEM, b);
        Click(F(2, 2));
        EXPECT_EQ(Fixitem_Count(Objects_On(F(2, 2))), (c.first > 0) + c.fits);
    }
}

TEST_F(Placing, AFortyPercentFixitemFitsTwiceOnAFieldButNotThrice) {
    Select_Type(OBJ_FIXITEM, DB_DOOR);
    for (int i = 0; i < 3; ++i) {
        Select_Type(OBJ_FIXITEM, DB_DOOR);
        Click(F(3, 3));
    }
    EXPECT_EQ(Fixitem_Count(Objects_On(F(3, 3))), 2);
    Expect_Map_Sound("after placing doors");
}

TEST_F(Placing, ANewFixitemTakesItsTypesSlotFramePictureAndHitPoints) {
    preview_frame = 2;
    Set_Editor_Selection(OBJ_FIXITEM, DB_DOOR, false);
    Click(F(4, 4));
    const std::vector<obj_ref> on = Objects_On(F(4, 4));
    ASSERT_EQ(on.size(), 1u);
    const map_record& r = maparray.records[Obj_Index(on[0])];
    const std::uint8_t slot = r.type;
    EXPECT_EQ(fixitem_types[slot].db_index, DB_DOOR);
    EXPECT_EQ(r.frame, 2);
    EXPECT_EQ(r.hp, 20);
    EXPECT_NE(Sprite_From_Handle(fixitem_types[slot].sprite), nullptr) << "the picture is loaded";
    // The placing lists the field with the new fixitem selected.
    EXPECT_EQ(selection_on_map, 1u);
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_FIXITEM, Obj_Index(on[0])}));
    EXPECT_EQ(field_objects.label, std::to_string(Obj_Index(on[0])));
    Expect_Map_Sound("after placing a door");
}

TEST_F(Placing, AGroundTypeBecomesTheFieldItself) {
    fixitem_data_ext[DB_STONE].first_mod = NO_INDEX;
    Add_Modifier(0, Field_Head(F(2, 2)), MK_DUMB, 0, 0, 0, 0);
    Select_Type(OBJ_FIXITEM, DB_STONE);
    preview_frame = 1;  // as the preview strip chooses it
    Click(F(2, 2));
    const map_record& head = maparray.records[F(2, 2)];
    EXPECT_EQ(fixitem_types[head.type].db_index, DB_STONE);
    EXPECT_EQ(head.frame, 1);
    EXPECT_EQ(head.first_mod, NO_INDEX) << "the field's own modifiers are gone";
    EXPECT_TRUE(Objects_On(F(2, 2)).empty());
    Expect_Map_Sound("after a ground type");
}

TEST_F(Placing, OnlyOneMainCharacterComesFromTheDatabaseAndItMovesButIsNotCopied) {
    Select_Type(OBJ_CHAR, CT_HERO);
    Click(F(1, 1));
    ASSERT_NE(main_char, NO_INDEX);
    const std::uint16_t hero = main_char;
    EXPECT_NE(Ask_Self(Make_Obj(OBJ_CHAR, hero), REQ_MAIN_CHAR), 0) << "the type's program came with it";
    Select_Type(OBJ_CHAR, CT_HERO);
    Click(F(2, 2));
    EXPECT_EQ(Char_On_Field(F(2, 2)), NO_INDEX);
    Select_Placed(OBJ_CHAR, hero);
    Click(F(3, 3));
    EXPECT_EQ(Char_On_Field(F(3, 3)), NO_INDEX) << "no copy";
    Click(F(3, 3), true);
    EXPECT_EQ(Char_On_Field(F(3, 3)), hero) << "moved with Shift";
    EXPECT_EQ(Char_On_Field(F(1, 1)), NO_INDEX);
    Expect_Map_Sound("after moving the main character");
}

TEST_F(Placing, ADeadBodyIsNeitherPlacedFromTheDatabaseNorCopiedButMoves) {
    Select_Type(OBJ_ITEM, ITEM_TYPE_DEAD_BODY);
    Click(F(1, 1));
    EXPECT_TRUE(Objects_On(F(1, 1)).empty());
    const std::uint16_t body = fixture::Place_Item(F(2, 2), ITEM_TYPE_DEAD_BODY);
    Select_Placed(OBJ_ITEM, body);
    Click(F(3, 3));
    EXPECT_TRUE(Objects_On(F(3, 3)).empty());
    Click(F(3, 3), true);
    EXPECT_EQ(Objects_On(F(3, 3)), std::vector<obj_ref>{Make_Obj(OBJ_ITEM, body)});
    EXPECT_EQ(itemarray.records[body].owner, Field_Head(F(3, 3)));
    EXPECT_TRUE(Objects_On(F(2, 2)).empty());
    Expect_Map_Sound("after moving a body");
}

TEST_F(Placing, AnItemTypeIsPlacedWithItsModifiersAndAPlacedItemCopiedWithItsOwn) {
    Select_Type(OBJ_ITEM, sword);
    Click(F(1, 1));
    const std::vector<obj_ref> placed = Objects_On(F(1, 1));
    ASSERT_EQ(placed.size(), 1u);
    const std::uint16_t item = Obj_Index(placed[0]);
    EXPECT_EQ(itemarray.records[item].type, sword);
    ASSERT_NE(itemarray.records[item].first_mod, NO_INDEX);
    EXPECT_EQ(mod_array.records[itemarray.records[item].first_mod].type, MK_IRON_SKIN) << "its type's modifier";
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_ITEM, item}));
    Expect_Map_Sound("after placing an item type");

    Add_Modifier(0, Make_Obj(OBJ_ITEM, item), MK_DUMB, 0, 0, 0, 0);
    itemarray.records[item].recognize = 3;
    Select_Placed(OBJ_ITEM, item);
    Click(F(4, 4));
    const std::vector<obj_ref> copies = Objects_On(F(4, 4));
    ASSERT_EQ(copies.size(), 1u);
    const std::uint16_t copy = Obj_Index(copies[0]);
    EXPECT_NE(copy, item);
    EXPECT_EQ(itemarray.records[copy].type, sword);
    EXPECT_EQ(itemarray.records[copy].recognize, 3);
    EXPECT_EQ(itemarray.records[copy].owner, Field_Head(F(4, 4)));
    std::vector<std::uint16_t> kinds;
    For_Each_In_Chain(itemarray.records[copy].first_mod,
                      [&](std::uint16_t m) { kinds.push_back(mod_array.records[m].type); });
    EXPECT_EQ(kinds.size(), 2u) << "both modifiers of the source";
    EXPECT_EQ(Objects_On(F(1, 1)).size(), 1u) << "the source stays";
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_ITEM, copy})) << "the copy is selected";
    Expect_Map_Sound("after copying an item");

    Click(F(6, 6), true);
    EXPECT_TRUE(Objects_On(F(4, 4)).empty());
    EXPECT_EQ(Objects_On(F(6, 6)), std::vector<obj_ref>{Make_Obj(OBJ_ITEM, copy)});
    Expect_Map_Sound("after moving an item");
}

TEST_F(Placing, ACharacterTypeGetsItsItemsItsProgramsAndItsFacing) {
    char_record& type = char_data[CT_WARRIOR];
    type.slots[SLOT_RIGHT_HAND] = static_cast<std::int16_t>(sword);
    // A 2 x 2 pack at backpack cell 9, its other cells marking back to it.
    type.slots[9] = static_cast<std::int16_t>(pack);
    type.slots[10] = -1;
    type.slots[17] = -8;
    type.slots[18] = -9;
    // A slot naming an item type the database lacks gives nothing.
    type.slots[3] = 900;
    Select_Type(OBJ_CHAR, CT_WARRIOR);
    Editor_Preview_Next_Frame();
    Editor_Preview_Next_Frame();
    Editor_Preview_Next_Frame();
    Click(F(4, 4));
    const std::uint16_t c = Char_On_Field(F(4, 4));
    ASSERT_NE(c, NO_INDEX);
    const char_record& r = chararray.records[c];
    EXPECT_EQ(r.facing, 4);
    EXPECT_EQ(r.db_type, CT_WARRIOR);
    EXPECT_NE(r.ai_slot, NO_INDEX);
    EXPECT_NE(r.body_sprite, 0u);
    const std::uint16_t in_hand = Char_Slot_Item(c, SLOT_RIGHT_HAND);
    ASSERT_NE(in_hand, 0);
    EXPECT_EQ(itemarray.records[in_hand].type, sword);
    EXPECT_EQ(itemarray.records[in_hand].owner, Make_Obj(OBJ_CHAR, c));
    EXPECT_NE(itemarray.records[in_hand].first_mod, NO_INDEX) << "the sword's type's modifier";
    EXPECT_EQ(itemarray.records[Char_Slot_Item(c, 9)].type, pack);
    EXPECT_EQ(r.slots[10], -1);
    EXPECT_EQ(r.slots[18], -9);
    EXPECT_EQ(r.slots[3], 0) << "no item, no marker";
    Expect_Map_Sound("after placing a character type");
}

TEST_F(Placing, ACopiedCharacterGetsNewItemsWithTheirModifiersButNoBody) {
    const std::uint16_t source = fixture::Place_Char(F(1, 1), "Source");
    const std::uint16_t blade = fixture::Give_Item(source, sword, SLOT_RIGHT_HAND);
    Add_Modifier(0, Make_Obj(OBJ_ITEM, blade), MK_IRON_SKIN, 2, 0, 0, 0);
    fixture::Give_Item(source, pack, 0);
    fixture::Give_Item(source, ITEM_TYPE_DEAD_BODY, 4);
    Add_Modifier(0, Make_Obj(OBJ_CHAR, source), MK_HASTE, 0, 0, 0, 0);
    Select_Placed(OBJ_CHAR, source);
    Click(F(5, 5));
    const std::uint16_t copy = Char_On_Field(F(5, 5));
    ASSERT_NE(copy, NO_INDEX);
    ASSERT_NE(copy, source);
    const std::uint16_t new_blade = Char_Slot_Item(copy, SLOT_RIGHT_HAND);
    ASSERT_NE(new_blade, 0);
    EXPECT_NE(new_blade, blade);
    EXPECT_EQ(itemarray.records[new_blade].owner, Make_Obj(OBJ_CHAR, copy));
    ASSERT_NE(itemarray.records[new_blade].first_mod, NO_INDEX);
    EXPECT_EQ(mod_array.records[itemarray.records[new_blade].first_mod].type, MK_IRON_SKIN);
    EXPECT_NE(Char_Slot_Item(copy, 0), 0);
    EXPECT_NE(Char_Slot_Item(copy, 0), Char_Slot_Item(source, 0));
    for (int s = 4; s < BACKPACK_SLOTS; s += BACKPACK_COLUMNS) EXPECT_LE(chararray.records[copy].slots[s], 0);
    EXPECT_EQ(chararray.records[copy].slots[4], 0) << "no body, and no marker of one";
    EXPECT_EQ(chararray.records[copy].slots[5], 0);
    EXPECT_NE(chararray.records[copy].first_mod, NO_INDEX) << "the character's modifiers";
    EXPECT_EQ(Char_Slot_Item(source, SLOT_RIGHT_HAND), blade) << "the source keeps its own";
    Expect_Map_Sound("after copying a character");
}

TEST_F(Placing, APlacedCharacterClickedOnItsOwnFieldOnlyTurns) {
    const std::uint16_t c = fixture::Place_Char(F(2, 2), "Turner");
    Select_Placed(OBJ_CHAR, c);
    preview_frame = 4;
    Click(F(2, 2));
    EXPECT_EQ(chararray.records[c].facing, 5);
    EXPECT_EQ(Objects_On(F(2, 2)).size(), 1u);
}

TEST_F(Placing, AFixitemIsCopiedOrMovedWithThePreviewsFrame) {
    Select_Type(OBJ_FIXITEM, DB_DOOR);
    Click(F(1, 1));
    const std::uint16_t door = Obj_Index(Objects_On(F(1, 1))[0]);
    Add_Modifier(0, Make_Obj(OBJ_FIXITEM, door), MK_DUMB, 0, 0, 0, 0);
    preview_frame = 3;
    Click(F(1, 1));
    EXPECT_EQ(maparray.records[door].frame, 3) << "its own field: only the frame";
    EXPECT_EQ(Objects_On(F(1, 1)).size(), 1u);
    preview_frame = 2;
    Click(F(4, 4));
    const std::vector<obj_ref> copies = Objects_On(F(4, 4));
    ASSERT_EQ(copies.size(), 1u);
    const map_record& copy = maparray.records[Obj_Index(copies[0])];
    EXPECT_EQ(copy.type, maparray.records[door].type);
    EXPECT_EQ(copy.frame, 2);
    EXPECT_NE(copy.first_mod, NO_INDEX) << "the modifiers are copied";
    Expect_Map_Sound("after copying a fixitem");
    Select_Placed(OBJ_FIXITEM, door);
    preview_frame = 1;
    Click(F(6, 6), true);
    EXPECT_TRUE(Objects_On(F(1, 1)).empty());
    EXPECT_EQ(Objects_On(F(6, 6)), std::vector<obj_ref>{Make_Obj(OBJ_FIXITEM, door)});
    EXPECT_EQ(maparray.records[door].frame, 1);
    Expect_Map_Sound("after moving a fixitem");
}

TEST_F(Placing, AFieldHeadIsCopiedWithItsModifiersAndMovedWithThemLeavingNothingBehind) {
    Select_Type(OBJ_FIXITEM, DB_STONE);
    Click(F(1, 1));
    Add_Modifier(0, Field_Head(F(1, 1)), MK_DUMB, 7, 0, 0, 0);
    Add_Modifier(0, Field_Head(F(5, 5)), MK_HASTE, 0, 0, 0, 0);
    Select_Placed(OBJ_FIXITEM, F(1, 1));
    preview_frame = 0;
    Click(F(5, 5));
    EXPECT_EQ(maparray.records[F(5, 5)].type, maparray.records[F(1, 1)].type);
    ASSERT_NE(maparray.records[F(5, 5)].first_mod, NO_INDEX);
    EXPECT_EQ(mod_array.records[maparray.records[F(5, 5)].first_mod].type, MK_DUMB) << "its own haste is gone";
    EXPECT_NE(maparray.records[F(1, 1)].first_mod, maparray.records[F(5, 5)].first_mod);
    Expect_Map_Sound("after copying a field head");

    Select_Placed(OBJ_FIXITEM, F(1, 1));
    const std::uint16_t chain = maparray.records[F(1, 1)].first_mod;
    const std::uint8_t stone = maparray.records[F(1, 1)].type;
    Click(F(8, 8), true);
    EXPECT_EQ(maparray.records[F(8, 8)].type, stone);
    EXPECT_EQ(maparray.records[F(8, 8)].first_mod, chain);
    EXPECT_EQ(mod_array.records[chain].owner, Field_Head(F(8, 8))) << "the modifiers belong to their new field";
    EXPECT_EQ(maparray.records[F(1, 1)].type, 0);
    EXPECT_EQ(maparray.records[F(1, 1)].first_mod, NO_INDEX);
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_FIXITEM, F(8, 8)}));
    Expect_Map_Sound("after moving a field head");
}

TEST_F(Placing, DraggingOverFiveFieldsPlacesACharacterOnEachFreeOne) {
    fixture::Place_Char(F(4, 2), "InTheWay");
    Editor_Enter(0, EVENT_CLICK);
    Select_Type(OBJ_CHAR, CT_WARRIOR);
    int refusals = 0;
    for (std::uint32_t x = 2; x < 7; ++x) {
        editor_status.clear();
        cursor_field = F(x, 2);
        // The map view calls the row with (0, 1) on every field entered.
        Editor_Place_Object(0, EVENT_CLICK);
        refusals += editor_status == TEXT_FIELD_OCCUPIED;
    }
    EXPECT_EQ(refusals, 1);
    int placed = 0;
    for (std::uint32_t x = 2; x < 7; ++x)
        if (x != 4) placed += Char_On_Field(F(x, 2)) != NO_INDEX;
    EXPECT_EQ(placed, 4);
    Expect_Map_Sound("after a drag");
}

TEST_F(Placing, ARightClickListsTheFieldAndChangesNothing) {
    const std::uint16_t c = fixture::Place_Char(F(3, 3), "Listed");
    MapImage before;
    Capture_Map_Image(before);
    Select_Type(OBJ_CHAR, CT_WARRIOR);
    Right_Click(F(3, 3));
    MapImage after;
    Capture_Map_Image(after);
    EXPECT_EQ(Write_Map_Image(before), Write_Map_Image(after));
    ASSERT_EQ(field_objects.entries.size(), 2u);
    EXPECT_EQ(field_objects.entries[1], (field_object_entry{"Listed", OBJ_CHAR, c}));
    EXPECT_EQ(field_objects.label, std::to_string(F(3, 3)));
}

TEST_F(Placing, TheMapIndexFollowsTheCursorAndNothingIsPlacedOffTheMap) {
    Select_Type(OBJ_FIXITEM, DB_DOOR);
    cursor_field = F(2, 3);
    Editor_Place_Object(0, EVENT_HOVER);
    EXPECT_EQ(view.map_index, std::to_string(F(2, 3)));
    EXPECT_TRUE(Objects_On(F(2, 3)).empty()) << "hovering places nothing";
    cursor_field = NO_FIELD;
    Editor_Place_Object(0, EVENT_CLICK);
    EXPECT_EQ(view.map_index, "-1");
    Set_Editor_Selection(OBJ_NONE, NO_INDEX, false);
    Click(F(2, 3));
    EXPECT_TRUE(Objects_On(F(2, 3)).empty()) << "nothing selected: nothing placed";
}

TEST_F(Placing, ASelectionNamingAGoneObjectPlacesNothing) {
    const std::uint16_t c = fixture::Place_Char(F(1, 1), "Gone");
    Select_Placed(OBJ_CHAR, c);
    Destroy_Object(Make_Obj(OBJ_CHAR, c));
    Click(F(5, 5));
    EXPECT_EQ(Char_On_Field(F(5, 5)), NO_INDEX);
    Set_Editor_Selection(OBJ_CHAR, 900, false);
    Click(F(5, 5));
    EXPECT_EQ(Char_On_Field(F(5, 5)), NO_INDEX) << "a database index out of range";
}

}  // namespace
