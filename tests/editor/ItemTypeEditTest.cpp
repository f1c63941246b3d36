// The item type editor's logic: what it shows, the class's extra field, the
// picture and the size, and OK: every entry checked before anything is
// written, then the type (shared by every item of it), the placed item's
// recognize level, the flags and the modifier page.
#include <cstring>

#include "editor/ItemTypeEdit.h"
#include "editor/wx/ControlIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/editor/StatusSpy.h"

namespace {

using ItemTypeEditTest = EditorTest;

struct item_records {
    item_type type;
    item_record item;
    std::vector<modifier> pool;
    std::vector<modifier> live;
};

item_records Snapshot(std::uint16_t type, std::uint16_t item) {
    return {item_types[type], itemarray.records[item], mod_data.records, mod_array.records};
}

bool Same_Bytes(const item_records& a, const item_records& b) {
    return std::memcmp(&a.type, &b.type, sizeof a.type) == 0 && std::memcmp(&a.item, &b.item, sizeof a.item) == 0 &&
           a.pool.size() == b.pool.size() &&
           std::memcmp(a.pool.data(), b.pool.data(), a.pool.size() * sizeof(modifier)) == 0 &&
           a.live.size() == b.live.size() &&
           std::memcmp(a.live.data(), b.live.data(), a.live.size() * sizeof(modifier)) == 0;
}

TEST_F(ItemTypeEditTest, TheDialogOpensWithTheTypesValuesAndThePlacedItemsRecognizeLevel) {
    item_types[sword].price = 1234;
    item_types[sword].default_recognize = 40;
    item_types[sword].flags = ITEM_SECONDARY | ITEM_MAGICAL;
    const std::uint16_t item = fixture::Place_Item(F(1, 1), sword);
    itemarray.records[item].recognize = 77;
    const ItemTypeEdit placed(sword, item);
    EXPECT_EQ(placed.Opening_Form().name, "Sword");
    EXPECT_EQ(placed.Opening_Form().price, "1234");
    EXPECT_EQ(placed.Opening_Form().recognize, "77");
    EXPECT_EQ(placed.Opening_Form().item_class, CLASS_SWORD);
    EXPECT_TRUE(placed.Opening_Form().secondary);
    EXPECT_TRUE(placed.Opening_Form().magical);
    EXPECT_FALSE(placed.Opening_Form().two_handed);
    EXPECT_EQ(placed.Width(), 1);
    EXPECT_EQ(placed.Height(), 3);
    EXPECT_EQ(ItemTypeEdit(sword, -1).Opening_Form().recognize, "40");
}

TEST_F(ItemTypeEditTest, APlacedItemsNewPriceReachesEveryItemOfItsType) {
    const std::uint16_t a = fixture::Place_Item(F(1, 1), sword);
    const std::uint16_t b = fixture::Place_Item(F(2, 2), sword);
    itemarray.records[b].recognize = 100;
    ItemTypeEdit edit(sword, a);
    item_form form = edit.Opening_Form();
    form.price = "999";
    form.recognize = "12";
    ModPage page(OBJ_ITEM, sword, a);
    ASSERT_FALSE(edit.OK(form, page, page.Shown_Entries()));
    EXPECT_EQ(Item_Type_Of(b)->price, 999u);
    EXPECT_EQ(itemarray.records[a].recognize, 12) << "the placed item's own level";
    EXPECT_EQ(itemarray.records[b].recognize, 100);
    EXPECT_EQ(item_types[sword].default_recognize, 100) << "the type's default stays";
    // Edited as a type, the level is the type's default.
    ItemTypeEdit type_edit(sword, -1);
    form = type_edit.Opening_Form();
    form.recognize = "30";
    ModPage type_page(OBJ_ITEM, sword, -1);
    ASSERT_FALSE(type_edit.OK(form, type_page, type_page.Shown_Entries()));
    EXPECT_EQ(item_types[sword].default_recognize, 30);
}

// Each case makes valid changes before and after the bad value: a write of
// the fields before the failing one would show.
TEST_F(ItemTypeEditTest, OKWithABadValueAnywhereWritesNothing) {
    const std::uint16_t item = fixture::Place_Item(F(3, 3), sword);
    Add_Modifier(0, Make_Obj(OBJ_ITEM, item), MK_MULTIPLE_ITEMS, 2, 5, 0, 0);
    const struct {
        const char* what;
        std::string item_form::*field;
        const char* text;
        int control;
        const char* message;
    } cases[] = {
        {"recognize", &item_form::recognize, "101", IDC_ITEM_RECOGNIZE, "Please enter an integer between 0 and 100."},
        {"price", &item_form::price, "4000001", IDC_ITEM_PRICE, "Please enter an integer between 0 and 4000000."},
        {"weight", &item_form::weight, "50001", IDC_ITEM_WEIGHT, "Please enter an integer between 0 and 50000."},
        {"disturb", &item_form::disturb, "256", IDC_ITEM_DISTURB, "Please enter an integer between 0 and 255."},
        {"MP", &item_form::mp, "101", IDC_ITEM_MP, "Please enter an integer between 0 and 100."},
        {"defend", &item_form::defend, "-1", IDC_ITEM_DEFEND, "Please enter an integer between 0 and 255."},
        {"attack", &item_form::attack, "seven", IDC_ITEM_ATTACK, "Please enter an integer."},
        {"damage min", &item_form::damage_min, "300", IDC_ITEM_DAMAGE_MIN,
         "Please enter an integer between 0 and 255."},
        {"damage max", &item_form::damage_max, "", IDC_ITEM_DAMAGE_MAX, "Please enter an integer."},
        {"palette", &item_form::palette, "128", IDC_ITEM_PALETTE, "Please enter an integer between 0 and 127."},
        {"picture", &item_form::picture, "400001", IDC_ITEM_PICTURE, "Please enter an integer between 0 and 400000."},
        {"max distance", &item_form::max_distance, "256", IDC_ITEM_MAX_DISTANCE,
         "Please enter an integer between 0 and 255."},
    };
    for (const auto& k : cases) {
        const item_records before = Snapshot(sword, item);
        ItemTypeEdit edit(sword, item);
        item_form form = edit.Opening_Form();
        // (Whole strings: GCC 12 misreads a literal's copy here.)
        form.name = std::string("Renamed");
        form.price = std::string("7");
        form.palette = std::string("3");
        form.magical = true;
        form.*k.field = std::string(k.text);
        edit.Spin_Width(+1);
        ModPage page(OBJ_ITEM, sword, item);
        mod_slot_entries entries = page.Shown_Entries();
        entries.params[0] = std::string("9");
        EXPECT_EQ(edit.OK(form, page, entries), (field_fault{k.control, k.message})) << k.what;
        EXPECT_TRUE(Same_Bytes(before, Snapshot(sword, item))) << k.what << ": something was written";
    }
    // The page's own fault, after every entry of the dialog passed.
    const item_records before = Snapshot(sword, item);
    ItemTypeEdit edit(sword, item);
    item_form form = edit.Opening_Form();
    form.price = "7";
    ModPage page(OBJ_ITEM, sword, item);
    mod_slot_entries entries = page.Shown_Entries();
    entries.params[1] = "70000";
    EXPECT_EQ(edit.OK(form, page, entries),
              (field_fault{IDC_MOD_PARAM2, "Please enter an integer between -32768 and 65535."}));
    EXPECT_TRUE(Same_Bytes(before, Snapshot(sword, item))) << "the page's fault: something was written";
}

TEST_F(ItemTypeEditTest, OnlyABowShowsMaxDistanceAndAHiddenValueIsStillWritten) {
    EXPECT_EQ(ItemTypeEdit::Extra_Label(CLASS_BOW), "Max distance:");
    EXPECT_TRUE(ItemTypeEdit::Max_Distance_Shown(CLASS_BOW));
    for (int c : {CLASS_SWORD, CLASS_SHIELD, CLASS_ARROW, CLASS_OTHER}) {
        EXPECT_EQ(ItemTypeEdit::Extra_Label(c), "") << c;
        EXPECT_FALSE(ItemTypeEdit::Max_Distance_Shown(c)) << c;
    }
    ItemTypeEdit edit(sword, -1);
    item_form form = edit.Opening_Form();
    form.item_class = CLASS_SWORD;
    form.max_distance = "12";
    ModPage page(OBJ_ITEM, sword, -1);
    ASSERT_FALSE(edit.OK(form, page, page.Shown_Entries()));
    EXPECT_EQ(item_types[sword].max_distance, 12);
    EXPECT_EQ(item_types[sword].item_class, CLASS_SWORD);
}

TEST_F(ItemTypeEditTest, TheSizeSpinsStopAtTheirEnds) {
    ItemTypeEdit edit(pack, -1);  // 2 x 2
    for (int i = 0; i < 5; ++i) edit.Spin_Height(+1);
    EXPECT_EQ(edit.Height(), 3);
    for (int i = 0; i < 5; ++i) edit.Spin_Height(-1);
    EXPECT_EQ(edit.Height(), 1);
    for (int i = 0; i < 5; ++i) edit.Spin_Width(+1);
    EXPECT_EQ(edit.Width(), 2);
    for (int i = 0; i < 5; ++i) edit.Spin_Width(-1);
    EXPECT_EQ(edit.Width(), 1);
    edit.Spin_Height(+1);
    ModPage page(OBJ_ITEM, pack, -1);
    ASSERT_FALSE(edit.OK(edit.Opening_Form(), page, page.Shown_Entries()));
    EXPECT_EQ(item_types[pack].size, 0x12);
}

TEST_F(ItemTypeEditTest, ThePictureIsKeptWithinThePicturesAndAnEmptyEditIsZero) {
    item_types[sword].picture = 2;
    ItemTypeEdit edit(sword, -1);
    ASSERT_GT(edit.Frames(), 5);
    EXPECT_EQ(edit.Picture_Typed(""), 0);
    EXPECT_EQ(edit.Picture_Typed("4"), 4);
    EXPECT_EQ(edit.Picture_Typed("400000"), edit.Frames() - 1);
    EXPECT_EQ(edit.Picture_Typed("x"), edit.Frames() - 1) << "no number: the picture stays";
    EXPECT_EQ(edit.Picture_Scrolled(-3), 0);
    EXPECT_EQ(edit.Picture_Scrolled(100000), edit.Frames() - 1);
    item_form form = edit.Opening_Form();
    form.picture = "";
    ModPage page(OBJ_ITEM, sword, -1);
    ASSERT_FALSE(edit.OK(form, page, page.Shown_Entries()));
    EXPECT_EQ(item_types[sword].picture, 0);
    form.picture = "399999";
    ASSERT_FALSE(edit.OK(form, page, page.Shown_Entries()));
    EXPECT_EQ(item_types[sword].picture, edit.Frames() - 1);
}

TEST_F(ItemTypeEditTest, TheFourBoxesAreTheFlagsNameIsCutAndThePageIsSaved) {
    item_types[sword].flags = 0x30 | ITEM_TWO_HANDED;
    ItemTypeEdit edit(sword, -1);
    item_form form = edit.Opening_Form();
    form.two_handed = false;
    form.burnable = true;
    form.name = "A name much longer than twenty-three";
    ModPage page(OBJ_ITEM, sword, -1);
    ASSERT_FALSE(page.Spin(+1, page.Shown_Entries()));
    mod_slot_entries entries = page.Shown_Entries();
    const std::vector<mod_kind_entry> kinds = page.Kind_List();
    for (std::size_t k = 0; k < kinds.size(); ++k)
        if (kinds[k].kind == MK_MAGIC_OBJECT) entries.kind_position = static_cast<int>(k);
    entries.params[0] = "4";
    ASSERT_FALSE(edit.OK(form, page, entries));
    EXPECT_EQ(item_types[sword].flags, ITEM_BURNABLE) << "other bits are the boxes' only";
    EXPECT_EQ(std::string(item_types[sword].name), "A name much longer than");
    const std::uint16_t head = Get_Mod_Head(Make_Obj(OBJ_ITEM, sword));
    ASSERT_NE(head, NO_INDEX);
    EXPECT_EQ(mod_data.records[head].type, MK_IRON_SKIN);
    const std::uint16_t second = mod_data.records[head].next;
    ASSERT_NE(second, NO_INDEX);
    EXPECT_EQ(mod_data.records[second].type, MK_MAGIC_OBJECT);
    EXPECT_EQ(mod_data.records[second].p1, 4);
}

TEST_F(ItemTypeEditTest, TheDeadBodyIsNotEditedAndTheSelectionStaysOnTheEditedThing) {
    const fixture::StatusSpy status;
    EXPECT_FALSE(Item_Type_Editable(ITEM_TYPE_DEAD_BODY));
    EXPECT_EQ(status.Last(), "Corpses cannot be edited.");
    EXPECT_FALSE(Item_Type_Editable(static_cast<std::uint16_t>(item_types.size())));
    EXPECT_TRUE(Item_Type_Editable(sword));

    const std::uint16_t item = fixture::Place_Item(F(1, 2), sword);
    ItemTypeEdit(sword, item).Leave_Selection();
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_ITEM, item}));
    EXPECT_EQ(selection_on_map, 1u);
    ItemTypeEdit(sword, -1).Leave_Selection();
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_ITEM, sword}));
    EXPECT_EQ(selection_on_map, 0u);
}

}  // namespace
