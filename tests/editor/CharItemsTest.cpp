// The character items dialog without its window: the slot buttons' rules
// and texts, the backpack's four buttons, item types in a character type's
// slots against items of the map in a placed character's, and a long run
// of random presses that keeps every item of a placed character in exactly
// one place.
#include <map>
#include <random>

#include "editor/CharItems.h"
#include "editor/CharTypeEdit.h"
#include "tests/editor/EditorFixture.h"

namespace {

class CharItemsTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        helm = fixture::Add_Item_Type("Iron helm", CLASS_HELM, 0, 2, 0x22);
        armour = fixture::Add_Item_Type("Chain mail", CLASS_ARMOR, 0, 4, 0x23);
        belt = fixture::Add_Item_Type("Belt", CLASS_BELT, 0, 0, 0x21);
        ring = fixture::Add_Item_Type("Ring", CLASS_RING, 0, 0, 0x11);
        potion = fixture::Add_Item_Type("Potion", CLASS_POTION, 0, 0, 0x11);
        mace = fixture::Add_Item_Type("Mace", CLASS_MACE, 4, 0, 0x12);
        // The helm's type carries a modifier, which its items get.
        Add_Mod_To_Owner(0, Make_Obj(OBJ_ITEM, helm), MK_IRON_SKIN, 1, 0, 0, 0);
        database_in_memory = 1;
        Editor_Enter(0, EVENT_CLICK);
    }

    static void Choose(std::uint16_t type) { Set_Editor_Selection(OBJ_ITEM, type, false); }
    static int Button_Of(int slot) {
        for (int b = 0; b < SLOT_BUTTON_COUNT; ++b)
            if (slot_buttons[b].slot == slot) return b;
        return -1;
    }
    std::uint16_t Placed_Warrior() {
        Select_Type(OBJ_CHAR, CT_WARRIOR);
        Click(F(4, 4));
        return Char_On_Field(F(4, 4));
    }
    static std::uint32_t Items_In_Use() {
        std::uint32_t n = 0;
        for (std::uint32_t i = 1; i < itemarray.Capacity(); ++i)
            if (!Item_Record_Is_Free(static_cast<std::uint16_t>(i))) ++n;
        return n;
    }
    static std::uint32_t Modifiers_Of(std::uint16_t item) {
        std::uint32_t n = 0;
        For_Each_In_Chain(itemarray.records[item].first_mod, [&n](std::uint16_t) { ++n; });
        return n;
    }

    // Every item of character c is in exactly one of its slots and owned by
    // it, every slot names an item in use, every marker leads back to the
    // item whose footprint covers it, and no modifier belongs to a deleted
    // item.
    static void Expect_Sound(std::uint16_t c) {
        const char_record& r = chararray.records[c];
        std::map<std::int16_t, int> seen;
        for (int s = 0; s < CHAR_SLOTS; ++s) {
            const std::int16_t v = r.slots[s];
            if (v < 0) {
                ASSERT_LT(s, BACKPACK_SLOTS) << "a marker in body slot " << s;
            }
            if (v <= 0) continue;
            const auto i = static_cast<std::uint16_t>(v);
            ASSERT_TRUE(i < itemarray.Capacity() && !Item_Record_Is_Free(i)) << "slot " << s << " names item " << v;
            EXPECT_EQ(itemarray.records[i].owner, Make_Obj(OBJ_CHAR, c));
            EXPECT_EQ(++seen[v], 1) << "item " << v << " in two slots";
        }
        for (std::uint32_t i = 1; i < itemarray.Capacity(); ++i) {
            const auto item = static_cast<std::uint16_t>(i);
            if (Item_Record_Is_Free(item) || itemarray.records[item].owner != Make_Obj(OBJ_CHAR, c)) continue;
            EXPECT_EQ(seen.count(static_cast<std::int16_t>(item)), 1u) << "item " << item << " lost";
        }
        for (int k = 0; k < BACKPACK_SLOTS; ++k) {
            const std::int16_t v = r.slots[k];
            if (v > 0) {
                const std::uint8_t size = item_types[itemarray.records[static_cast<std::uint16_t>(v)].type].size;
                for (int dy = 0; dy < (size & 15); ++dy)
                    for (int dx = 0; dx < (size >> 4); ++dx)
                        if (dx + dy > 0) {  // the other cells of its footprint
                            ASSERT_LT(k % 8 + dx, 8);
                            ASSERT_LT(k / 8 + dy, 6);
                            EXPECT_EQ(r.slots[k + dx + 8 * dy], -(dx + 8 * dy)) << "cell " << k;
                        }
            }
            if (v < 0) {
                ASSERT_GE(k + v, 0);
                EXPECT_GT(r.slots[k + v], 0) << "marker in cell " << k << " leads nowhere";
            }
        }
        for (std::uint32_t m = 1; m < mod_array.Capacity(); ++m) {
            const modifier& mod = mod_array.records[m];
            if (Modifier_Is_Free(static_cast<std::uint16_t>(m)) || Obj_Kind(mod.owner) != OBJ_ITEM) continue;
            EXPECT_FALSE(Item_Record_Is_Free(Obj_Index(mod.owner))) << "modifier " << m << " of a deleted item";
        }
    }

    std::uint16_t helm = 0, armour = 0, belt = 0, ring = 0, potion = 0, mace = 0;
};

TEST_F(CharItemsTest, TheSlotRules) {
    const struct {
        int slot;
        std::uint16_t type;
        const char* status;
    } cases[] = {
        {SLOT_HELM, sword, TEXT_INVALID_ITEM_TYPE},
        {SLOT_HELM, helm, ""},
        {SLOT_BELT, armour, TEXT_INVALID_ITEM_TYPE},
        {SLOT_ARMOUR, armour, ""},
        {SLOT_LEFT_RING, ring, ""},
        {SLOT_RIGHT_HAND, sword, ""},
        {SLOT_QUICK_FIRST, sword, TEXT_ITEM_TOO_LARGE},  // 1 x 3 in a 1 x 2 slot
        {SLOT_QUICK_FIRST, mace, ""},
        {SLOT_QUICK_FIRST + 2, mace, TEXT_ITEM_TOO_LARGE},
        {SLOT_LEFT_HAND, pack, ""},
    };
    for (const auto& c : cases) {
        CharItems items(false, CT_WARRIOR);
        Choose(c.type);
        Editor_Status_Message("");
        items.Press_Slot(Button_Of(c.slot));
        EXPECT_EQ(editor_status, c.status) << c.slot;
        const bool put = std::string(c.status).empty();
        EXPECT_EQ(char_data[CT_WARRIOR].slots[c.slot], put ? c.type : 0) << c.slot;
        EXPECT_EQ(items.Slot_Text(Button_Of(c.slot)), put ? item_types[c.type].name : "");
    }
    // A 2 x 3 armour on the belt: too large (the class would fit).
    const std::uint16_t big_belt = fixture::Add_Item_Type("Big belt", CLASS_BELT, 0, 0, 0x23);
    CharItems items(false, CT_WARRIOR);
    Choose(big_belt);
    items.Press_Slot(Button_Of(SLOT_BELT));
    EXPECT_EQ(editor_status, TEXT_ITEM_TOO_LARGE);
    // Any 1 x 1 item fits a small item button.
    for (std::uint16_t t = 2; t < item_types.size(); ++t) {
        if (item_types[t].size != 0x11) continue;
        Choose(t);
        items.Press_Slot(Button_Of(SLOT_QUICK_FIRST + 5));
        EXPECT_EQ(char_data[CT_WARRIOR].slots[SLOT_QUICK_FIRST + 5], t);
    }
    // The corpse; a folder; a record beyond the item types.
    Choose(ITEM_TYPE_DEAD_BODY);
    items.Press_Slot(Button_Of(SLOT_RIGHT_HAND));
    EXPECT_EQ(editor_status, TEXT_NO_CORPSE_IN_SLOTS);
    Choose(static_cast<std::uint16_t>(item_types.size()));
    items.Press_Slot(Button_Of(SLOT_RIGHT_HAND));
    EXPECT_EQ(editor_status, TEXT_INVALID_ITEM_TYPE);
    Set_Editor_Selection(OBJ_NONE, NO_INDEX, false);
    Editor_Status_Message("");
    items.Press_Slot(Button_Of(SLOT_RIGHT_HAND));
    EXPECT_EQ(editor_status, "");
    EXPECT_EQ(char_data[CT_WARRIOR].slots[SLOT_RIGHT_HAND], sword);
}

TEST_F(CharItemsTest, TheDialogStartsWithNothingChosen) {
    char_data[CT_WARRIOR].slots[SLOT_HELM] = static_cast<std::int16_t>(helm);
    Choose(sword);
    CharItems items(false, CT_WARRIOR);
    EXPECT_EQ(editor_selection, editor_selection_ref{});
    for (int b = 0; b < SLOT_BUTTON_COUNT; ++b) items.Press_Slot(b);
    items.Put_Into_Backpack();
    EXPECT_EQ(char_data[CT_WARRIOR].slots[SLOT_HELM], helm);
    EXPECT_TRUE(items.Backpack().empty());
}

TEST_F(CharItemsTest, TheEmptyTypeEmptiesASlotAndDeletesAPlacedCharactersItem) {
    char_data[CT_WARRIOR].slots[SLOT_HELM] = static_cast<std::int16_t>(helm);
    CharItems type_items(false, CT_WARRIOR);
    Choose(ITEM_TYPE_EMPTY);
    type_items.Press_Slot(Button_Of(SLOT_HELM));
    EXPECT_EQ(char_data[CT_WARRIOR].slots[SLOT_HELM], 0);
    EXPECT_EQ(type_items.Slot_Text(Button_Of(SLOT_HELM)), "");

    const std::uint16_t c = Placed_Warrior();
    ASSERT_NE(c, NO_INDEX);
    CharItems items(true, c);
    Choose(helm);
    items.Press_Slot(Button_Of(SLOT_HELM));
    const auto item = static_cast<std::uint16_t>(chararray.records[c].slots[SLOT_HELM]);
    ASSERT_GT(item, 0);
    EXPECT_EQ(itemarray.records[item].type, helm);
    EXPECT_EQ(Modifiers_Of(item), 1u);
    const std::uint32_t before = Items_In_Use();
    Choose(ITEM_TYPE_EMPTY);
    items.Press_Slot(Button_Of(SLOT_HELM));
    EXPECT_EQ(chararray.records[c].slots[SLOT_HELM], 0);
    EXPECT_TRUE(Item_Record_Is_Free(item));
    EXPECT_EQ(Items_In_Use(), before - 1);
    Expect_Sound(c);
}

TEST_F(CharItemsTest, APlacedCharactersNewItemIsMadeBeforeTheOldGoes) {
    const std::uint16_t c = Placed_Warrior();
    ASSERT_NE(c, NO_INDEX);
    CharItems items(true, c);
    Choose(sword);
    items.Press_Slot(Button_Of(SLOT_RIGHT_HAND));
    const std::int16_t old = chararray.records[c].slots[SLOT_RIGHT_HAND];
    ASSERT_GT(old, 0);
    Choose(mace);
    items.Press_Slot(Button_Of(SLOT_RIGHT_HAND));
    const std::int16_t now = chararray.records[c].slots[SLOT_RIGHT_HAND];
    EXPECT_EQ(itemarray.records[static_cast<std::uint16_t>(now)].type, mace);
    EXPECT_TRUE(Item_Record_Is_Free(static_cast<std::uint16_t>(old)));
    EXPECT_EQ(items.Slot_Text(Button_Of(SLOT_RIGHT_HAND)), "Mace");

    // No item record left: the slot keeps its mace and the button says so.
    backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
    while (New_Item_Record() != NO_INDEX) {}
    Choose(sword);
    items.Press_Slot(Button_Of(SLOT_RIGHT_HAND));
    EXPECT_EQ(chararray.records[c].slots[SLOT_RIGHT_HAND], now);
    EXPECT_EQ(items.Slot_Text(Button_Of(SLOT_RIGHT_HAND)), "Mace");
    items.Put_Into_Backpack();
    EXPECT_TRUE(items.Backpack().empty());
}

TEST_F(CharItemsTest, RemovingAllItemsOfATypeDeletesNoItemRecord) {
    const std::uint16_t c = Placed_Warrior();
    ASSERT_NE(c, NO_INDEX);
    CharItems placed(true, c);
    Choose(potion);
    placed.Put_Into_Backpack();
    const std::uint32_t before = Items_In_Use();
    // A type's slots hold types: the numbers may be those of items.
    char_record& r = char_data[CT_WARRIOR];
    r.slots[SLOT_HELM] = static_cast<std::int16_t>(helm);
    r.slots[0] = chararray.records[c].slots[0];
    CharItems items(false, CT_WARRIOR);
    items.Remove_All_Items();
    for (int s = 0; s < CHAR_SLOTS; ++s) EXPECT_EQ(r.slots[s], 0);
    EXPECT_EQ(Items_In_Use(), before);

    placed.Remove_All_Items();
    EXPECT_EQ(Items_In_Use(), before - 1);
    Expect_Sound(c);
}

TEST_F(CharItemsTest, TheBackpackOfAType) {
    CharItems items(false, CT_WARRIOR);
    Choose(potion);
    items.Put_Into_Backpack();
    items.Put_Into_Backpack();
    Choose(armour);
    items.Put_Into_Backpack();
    Choose(ITEM_TYPE_DEAD_BODY);
    items.Put_Into_Backpack();
    EXPECT_EQ(editor_status, TEXT_NO_CORPSE_IN_BACKPACK);
    // The armour packs first (cell 0), the potions after it in cell order.
    const std::vector<backpack_entry> expected = {{"Chain mail", static_cast<std::int16_t>(armour)},
                                                  {"Potion", static_cast<std::int16_t>(potion)},
                                                  {"Potion", static_cast<std::int16_t>(potion)}};
    ASSERT_EQ(items.Backpack(), expected);
    const char_record& r = char_data[CT_WARRIOR];
    EXPECT_EQ(r.slots[0], armour);
    EXPECT_EQ(r.slots[9], -9);
    EXPECT_EQ(r.slots[2], potion);
    EXPECT_EQ(r.slots[3], potion);
    // Of two entries of one type the first in cell order goes.
    items.Remove_From_Backpack(static_cast<std::int16_t>(potion));
    EXPECT_EQ(r.slots[2], 0);
    EXPECT_EQ(r.slots[3], potion);
    items.Remove_From_Backpack(static_cast<std::int16_t>(armour));
    for (const int cell : {0, 1, 8, 9, 16, 17}) EXPECT_EQ(r.slots[cell], 0) << cell;
    items.Remove_All_From_Backpack();
    EXPECT_TRUE(items.Backpack().empty());

    // A full backpack takes nothing more and says nothing.
    Choose(armour);
    for (int n = 0; n < 8; ++n) items.Put_Into_Backpack();
    EXPECT_EQ(items.Backpack().size(), 8u);
    const std::vector<backpack_entry> full = items.Backpack();
    Editor_Status_Message("");
    items.Put_Into_Backpack();
    EXPECT_EQ(items.Backpack(), full);
    EXPECT_EQ(editor_status, "");
}

// A 1 x 1 type at the backpack's right edge grew to 2 x 2 after it was
// packed: removing it clears only its own cell, not the first cell of the
// next row.
TEST_F(CharItemsTest, RemovingAnItemClearsOnlyTheCellsThatLeadBackToIt) {
    char_record& r = char_data[CT_WARRIOR];
    r.slots[7] = static_cast<std::int16_t>(ring);
    r.slots[8] = static_cast<std::int16_t>(potion);
    item_types[ring].size = 0x22;
    CharItems items(false, CT_WARRIOR);
    items.Remove_From_Backpack(static_cast<std::int16_t>(ring));
    EXPECT_EQ(r.slots[7], 0);
    EXPECT_EQ(r.slots[8], potion);
}

TEST_F(CharItemsTest, SlotsNamingMissingTypesShowEmptyAndAreCleared) {
    char_record& r = char_data[CT_WARRIOR];
    const auto missing = static_cast<std::int16_t>(item_types.size() + 5);
    r.slots[SLOT_HELM] = missing;
    r.slots[0] = missing;
    r.slots[1] = -1;
    r.slots[8] = -8;
    r.slots[4] = -3;  // leads to an empty cell
    r.slots[SLOT_BOOTS] = -2;
    r.slots[10] = static_cast<std::int16_t>(potion);
    CharItems items(false, CT_WARRIOR);
    for (int s = 0; s < CHAR_SLOTS; ++s) {
        if (s != 10) {
            EXPECT_EQ(r.slots[s], 0) << s;
        }
    }
    EXPECT_EQ(items.Slot_Text(Button_Of(SLOT_HELM)), "");
    EXPECT_EQ(items.Backpack(), (std::vector<backpack_entry>{{"Potion", static_cast<std::int16_t>(potion)}}));

    // A placed character: a slot naming a free record, and an item whose
    // type the table lacks, which is deleted.
    const std::uint16_t c = Placed_Warrior();
    ASSERT_NE(c, NO_INDEX);
    const std::uint16_t strange = New_Item_Record();
    itemarray.records[strange].type = static_cast<std::uint16_t>(missing);
    itemarray.records[strange].owner = Make_Obj(OBJ_CHAR, c);
    const std::uint16_t freed = New_Item_Record();
    Delete_Item_Record(freed);
    chararray.records[c].slots[SLOT_HELM] = static_cast<std::int16_t>(strange);
    chararray.records[c].slots[5] = static_cast<std::int16_t>(freed);
    CharItems placed(true, c);
    EXPECT_EQ(chararray.records[c].slots[SLOT_HELM], 0);
    EXPECT_EQ(chararray.records[c].slots[5], 0);
    EXPECT_TRUE(Item_Record_Is_Free(strange));
    Expect_Sound(c);
}

TEST_F(CharItemsTest, EditUniqueItemOpensTheItemEditorOnTheItemOfASlot) {
    const std::uint16_t c = Placed_Warrior();
    ASSERT_NE(c, NO_INDEX);
    static std::vector<std::pair<std::uint16_t, std::uint16_t>> edited;
    edited.clear();
    Editor_Dialogs().edit_item = [](std::uint16_t type, std::uint16_t item) { edited.emplace_back(type, item); };
    CharItems items(true, c);
    Choose(sword);
    items.Press_Slot(Button_Of(SLOT_RIGHT_HAND));
    const auto sword_item = static_cast<std::uint16_t>(chararray.records[c].slots[SLOT_RIGHT_HAND]);
    items.Toggle_Edit_Unique();
    EXPECT_TRUE(items.Edit_Unique());
    EXPECT_EQ(editor_status, TEXT_CLICK_ITEM_TO_EDIT);
    items.Press_Slot(Button_Of(SLOT_HELM));  // empty: nothing
    EXPECT_TRUE(items.Edit_Unique());
    items.Press_Slot(Button_Of(SLOT_RIGHT_HAND));
    EXPECT_FALSE(items.Edit_Unique());
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0], std::make_pair(sword, sword_item));
    EXPECT_EQ(chararray.records[c].slots[SLOT_RIGHT_HAND], sword_item);
    // A character type has no unique items.
    CharItems type_items(false, CT_WARRIOR);
    type_items.Toggle_Edit_Unique();
    EXPECT_FALSE(type_items.Edit_Unique());
    Editor_Dialogs().edit_item = nullptr;
}

// The items dialog changes the record at once: the character editor's
// Cancel keeps its changes, and its OK writes around them.
TEST_F(CharItemsTest, TheCharacterEditorKeepsWhatTheItemsDialogDid) {
    const std::uint16_t c = Placed_Warrior();
    ASSERT_NE(c, NO_INDEX);
    for (const bool ok : {false, true}) {
        CharTypeEdit editor(-1, c);
        {
            CharItems items(true, c);
            Choose(ok ? mace : sword);
            items.Press_Slot(Button_Of(SLOT_RIGHT_HAND));
            Choose(potion);
            items.Put_Into_Backpack();
        }
        const char_record after_items = chararray.records[c];
        if (ok) {
            ASSERT_FALSE(editor.OK());
        } else {
            editor.Leave_Selection();
        }
        for (int s = 0; s < CHAR_SLOTS; ++s) EXPECT_EQ(chararray.records[c].slots[s], after_items.slots[s]) << s;
        const auto held = static_cast<std::uint16_t>(chararray.records[c].slots[SLOT_RIGHT_HAND]);
        EXPECT_EQ(itemarray.records[held].type, ok ? mace : sword);
        Expect_Sound(c);
    }
}

// Thousands of random presses on a placed character: every item stays in
// exactly one place, with no marker left behind.
TEST_F(CharItemsTest, RandomPressesKeepEveryItemInOnePlace) {
    const std::uint16_t c = Placed_Warrior();
    ASSERT_NE(c, NO_INDEX);
    CharItems items(true, c);
    std::mt19937 random(34);
    const auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int press = 0; press < 4000; ++press) {
        const int what = pick(10);
        if (what < 8) {
            const int type = pick(static_cast<int>(item_types.size()) + 2);
            if (type == static_cast<int>(item_types.size()) + 1)
                Set_Editor_Selection(OBJ_NONE, NO_INDEX, false);
            else
                Choose(static_cast<std::uint16_t>(type));
        }
        switch (what) {
            case 0:
            case 1:
            case 2: items.Press_Slot(pick(SLOT_BUTTON_COUNT)); break;
            case 3:
            case 4: items.Put_Into_Backpack(); break;
            case 5:
            case 6: {
                const std::vector<backpack_entry> entries = items.Backpack();
                items.Remove_From_Backpack(
                    entries.empty() ? static_cast<std::int16_t>(pick(100))
                                    : entries[static_cast<std::size_t>(pick(static_cast<int>(entries.size())))].value);
                break;
            }
            case 7: items.Put_Into_Backpack(); break;
            case 8:
                if (pick(8) == 0) items.Remove_All_From_Backpack();
                break;
            default:
                if (pick(20) == 0) items.Remove_All_Items();
                break;
        }
        Expect_Sound(c);
        if (HasFatalFailure() || HasNonfatalFailure()) {
            ADD_FAILURE() << "after press " << press;
            return;
        }
    }
    EXPECT_FALSE(items.Backpack().empty());
}

}  // namespace
