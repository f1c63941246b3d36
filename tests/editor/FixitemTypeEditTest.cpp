// The fixitem type editor's logic: what it shows, the frame, "Browse",
// "Clear" and "Set", which types may be edited, and OK: every entry checked
// before anything is written, then the type and, for a placed fixitem, its
// record and its map slot (every fixitem of the slot with it).
#include <cstring>
#include <fstream>

#include "System/Sprite.h"
#include "editor/FixitemTypeEdit.h"
#include "editor/wx/ControlIds.h"
#include "support/RecordingHandler.h"
#include "tests/editor/EditorFixture.h"
#include "tests/editor/StatusSpy.h"

namespace {

class FixitemTypeEditTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        door_slot = static_cast<std::uint8_t>(Add_Fixitem_Type_To_Map(DB_DOOR));
        door = fixture::Place_Fixitem(F(2, 2), door_slot);
        Set_Editor_Selection(OBJ_FIXITEM, door, true);
    }

    // OK with the form and the page as they opened, after change.
    std::optional<field_fault> OK_With(FixitemTypeEdit& edit, const std::function<void(fixitem_form&)>& change = {}) {
        fixitem_form form = edit.Opening_Form();
        if (change) change(form);
        ModPage page(OBJ_FIXITEM, edit.Type(), edit.Instance());
        return edit.OK(form, page, page.Shown_Entries());
    }

    std::uint8_t door_slot = 0;
    std::uint16_t door = 0;
};

struct fixitem_records {
    fixitem_type type;
    fixitem_ext ext;
    map_record record;
    fixitem_type slot;
    std::vector<modifier> pool, live;
};

fixitem_records Snapshot(std::uint16_t type, std::uint16_t record, std::uint8_t slot) {
    return {fixitem_data[type],  fixitem_data_ext[type], maparray.records[record],
            fixitem_types[slot], mod_data.records,       mod_array.records};
}

template <class T>
bool Same(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}
bool Same(const std::vector<modifier>& a, const std::vector<modifier>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(modifier)) == 0;
}
bool Same_Bytes(const fixitem_records& a, const fixitem_records& b) {
    return Same(a.type, b.type) && Same(a.ext, b.ext) && Same(a.record, b.record) && Same(a.slot, b.slot) &&
           Same(a.pool, b.pool) && Same(a.live, b.live);
}

TEST_F(FixitemTypeEditTest, TheDialogOpensWithTheTypesValuesAndThePlacedFixitemsOwn) {
    fixitem_data[DB_DOOR].mp = 110;
    fixitem_data[DB_DOOR].height = 7;
    fixitem_data[DB_DOOR].flags = FIX_BURNABLE | FIX_ANIMATED;
    maparray.records[door].hp = 9;
    maparray.records[door].frame = 2;
    const FixitemTypeEdit placed(DB_DOOR, door);
    EXPECT_EQ(placed.Opening_Form().name, "Door");
    EXPECT_EQ(placed.Opening_Form().mp, "-1") << "above 100: impassable";
    EXPECT_EQ(placed.Opening_Form().height, "7");
    EXPECT_EQ(placed.Opening_Form().max_hp, "20");
    EXPECT_EQ(placed.Opening_Form().hp, "9");
    EXPECT_EQ(placed.Opening_Form().frame, "2");
    EXPECT_TRUE(placed.Opening_Form().burnable);
    EXPECT_TRUE(placed.Opening_Form().animated);
    EXPECT_FALSE(placed.Opening_Form().ground);
    EXPECT_EQ(placed.File_Name_Text(), "ARTWORK\\DOOR.bmp");
    EXPECT_GT(placed.Frame_Count(), 1) << "the map slot's picture";
    const FixitemTypeEdit type(DB_DOOR, -1);
    EXPECT_EQ(type.Opening_Form().hp, "20") << "a type shows its maximum";
    EXPECT_EQ(type.Opening_Form().frame, "0");
    EXPECT_EQ(type.Frame_Count(), 0);
    EXPECT_EQ(type.Amortized_Text(), "default");
}

TEST_F(FixitemTypeEditTest, MPAboveOneHundredIsStoredImpassableAndAbove127Refused) {
    FixitemTypeEdit edit(DB_DOOR, -1);
    ASSERT_FALSE(OK_With(edit, [](fixitem_form& f) { f.mp = "120"; }));
    EXPECT_EQ(fixitem_data[DB_DOOR].mp, -1);
    ASSERT_FALSE(OK_With(edit, [](fixitem_form& f) { f.mp = "100"; }));
    EXPECT_EQ(fixitem_data[DB_DOOR].mp, 100);
    EXPECT_EQ(OK_With(edit, [](fixitem_form& f) { f.mp = "128"; }),
              (field_fault{IDC_FIX_MP, "Please enter an integer between -1 and 127."}));
    EXPECT_EQ(fixitem_data[DB_DOOR].mp, 100);
}

TEST_F(FixitemTypeEditTest, TheFrameIsKeptBelowTheFrameCountUnlessThereIsNone) {
    FixitemTypeEdit edit(DB_DOOR, door);
    const int count = edit.Frame_Count();
    EXPECT_EQ(edit.Frame_Typed(""), 0);
    EXPECT_EQ(edit.Frame_Typed("1"), 1);
    EXPECT_EQ(edit.Frame_Typed("99"), count - 1);
    EXPECT_EQ(preview_frame, count - 1) << "the preview shows the frame";
    // A fixitem record whose slot is 0: no frame count, the frame free.
    const std::uint16_t plain = fixture::Place_Fixitem(F(5, 5), door_slot);
    maparray.records[plain].type = 0;
    FixitemTypeEdit without(DB_DOOR, plain);
    EXPECT_EQ(without.Frame_Count(), 0);
    EXPECT_EQ(without.Frame_Typed("200"), 200);
    ASSERT_FALSE(OK_With(without, [](fixitem_form& f) { f.frame = "200"; }));
    EXPECT_EQ(maparray.records[plain].frame, 200);
    EXPECT_EQ(fixitem_types[0].fill, 0) << "slot 0, every plain field's, takes no type";
}

TEST_F(FixitemTypeEditTest, ClearAndSetPickTheTypeItTurnsInto) {
    fixitem_data[DB_DOOR].amortized = DB_WALL;
    FixitemTypeEdit edit(DB_DOOR, -1);
    EXPECT_EQ(edit.Amortized_Text(), "Wall");
    edit.Clear_Amortized();
    EXPECT_EQ(edit.Amortized_Text(), "default");
    ASSERT_FALSE(OK_With(edit));
    EXPECT_EQ(fixitem_data[DB_DOOR].amortized, 0);

    edit.Set_Amortized({OBJ_FIXITEM, DB_POST});
    EXPECT_EQ(edit.Amortized(), DB_POST);
    edit.Set_Amortized({OBJ_FIXITEM, DB_DOOR});
    EXPECT_EQ(edit.Amortized(), DB_POST) << "not itself";
    edit.Set_Amortized({OBJ_FIXITEM, 300});
    EXPECT_EQ(edit.Amortized(), DB_POST) << "not past the byte";
    edit.Set_Amortized({OBJ_NONE, NO_INDEX});
    EXPECT_EQ(edit.Amortized(), 0) << "a folder";
    EXPECT_EQ(edit.Amortized_Text(), "default");
}

TEST_F(FixitemTypeEditTest, APlacedFixitemsNewHeightReachesTheTypeItsSlotAndEveryFixitemOfTheSlot) {
    const std::uint16_t other = fixture::Place_Fixitem(F(3, 3), door_slot);
    FixitemTypeEdit edit(DB_DOOR, door);
    edit.Set_Amortized({OBJ_FIXITEM, DB_POST});
    ASSERT_FALSE(OK_With(edit, [](fixitem_form& f) {
        f.height = "9";
        f.hp = "4";
        f.frame = "1";
        f.burnable = true;
    }));
    EXPECT_EQ(fixitem_data[DB_DOOR].height, 9);
    EXPECT_EQ(fixitem_types[door_slot].height, 9);
    EXPECT_EQ(fixitem_types[maparray.records[other].type].height, 9);
    EXPECT_EQ(fixitem_types[door_slot].flags, FIX_BURNABLE);
    EXPECT_EQ(maparray.records[door].hp, 4);
    EXPECT_EQ(maparray.records[door].frame, 1);
    EXPECT_EQ(maparray.records[other].hp, 20) << "the other fixitem keeps its own";
    EXPECT_EQ(fixitem_types[door_slot].db_index, DB_DOOR);
    EXPECT_NE(fixitem_types[door_slot].sprite, 0u);
    // The type it turns into got a slot of the map, and the door's slot names it.
    const std::uint8_t post_slot = fixitem_types[door_slot].amortized;
    ASSERT_NE(post_slot, 0);
    EXPECT_EQ(fixitem_types[post_slot].db_index, DB_POST);
    EXPECT_EQ(fixitem_data[DB_DOOR].amortized, DB_POST) << "the type names the database type";
}

TEST_F(FixitemTypeEditTest, OKWithABadValueAnywhereWritesNothing) {
    Add_Mod_To_Owner(0, Make_Obj(OBJ_FIXITEM, DB_DOOR), MK_DOOR, 1, 10, 0, 0);
    const fixture::ScopedHandler quiet(MK_DOOR);
    Add_Modifier(0, Make_Obj(OBJ_FIXITEM, door), MK_DOOR, 1, 10, 0, 0);
    const struct {
        const char* what;
        std::string fixitem_form::*field;
        const char* text;
        int control;
        const char* message;
    } cases[] = {
        {"MP", &fixitem_form::mp, "-2", IDC_FIX_MP, "Please enter an integer between -1 and 127."},
        {"fill", &fixitem_form::fill, "101", IDC_FIX_FILL, "Please enter an integer between 0 and 100."},
        {"height", &fixitem_form::height, "256", IDC_FIX_HEIGHT, "Please enter an integer between 0 and 255."},
        {"defend", &fixitem_form::defend, "128", IDC_FIX_DEFEND, "Please enter an integer between -128 and 127."},
        {"max HP", &fixitem_form::max_hp, "-129", IDC_FIX_MAX_HP, "Please enter an integer between -128 and 127."},
        {"HP", &fixitem_form::hp, "200", IDC_FIX_HP, "Please enter an integer between -128 and 127."},
        {"frame", &fixitem_form::frame, "256", IDC_FIX_FRAME, "Please enter an integer between 0 and 255."},
        {"fill text", &fixitem_form::fill, "half", IDC_FIX_FILL, "Please enter an integer."},
    };
    for (const auto& k : cases) {
        const fixitem_records before = Snapshot(DB_DOOR, door, door_slot);
        FixitemTypeEdit edit(DB_DOOR, door);
        edit.Set_Amortized({OBJ_FIXITEM, DB_POST});
        fixitem_form form = edit.Opening_Form();
        form.name = std::string("Renamed");
        form.mp = std::string("3");
        form.water = true;
        form.*k.field = std::string(k.text);
        ModPage page(OBJ_FIXITEM, DB_DOOR, door);
        mod_slot_entries entries = page.Shown_Entries();
        entries.params[3] = std::string("6");
        EXPECT_EQ(edit.OK(form, page, entries), (field_fault{k.control, k.message})) << k.what;
        EXPECT_TRUE(Same_Bytes(before, Snapshot(DB_DOOR, door, door_slot))) << k.what << ": something was written";
    }
    // The page's fault, on the type.
    const fixitem_records before = Snapshot(DB_DOOR, door, door_slot);
    FixitemTypeEdit edit(DB_DOOR, -1);
    fixitem_form form = edit.Opening_Form();
    form.height = std::string("5");
    ModPage page(OBJ_FIXITEM, DB_DOOR, -1);
    mod_slot_entries entries = page.Shown_Entries();
    entries.params[0] = std::string("-40000");
    EXPECT_EQ(edit.OK(form, page, entries),
              (field_fault{IDC_MOD_PARAM1, "Please enter an integer between -32768 and 65535."}));
    EXPECT_TRUE(Same_Bytes(before, Snapshot(DB_DOOR, door, door_slot))) << "the page's fault: something was written";
}

TEST_F(FixitemTypeEditTest, ReservedEmptyAndBuiltInTypesAreNotEdited) {
    const fixture::StatusSpy status;
    const std::uint16_t flame = fixture::Place_Fixitem(F(4, 4), SLOT_FLAME);
    maparray.records[F(6, 6)].type = 0;
    const struct {
        const char* what;
        std::uint16_t type;
        std::int32_t instance;
        bool editable;
    } cases[] = {
        {"the reserved record", DB_RESERVED, -1, false},
        {"a type outside the table", static_cast<std::uint16_t>(fixitem_data.size()), -1, false},
        {"a field head without a type", DB_RESERVED, F(6, 6), false},
        {"a field head of the reserved type", DB_RESERVED, F(7, 7), false},
        {"the built-in flame", DB_GRASS, flame, false},
        {"a fixitem record not in use", DB_DOOR, maparray.Capacity() - 1, false},
        {"a type", DB_DOOR, -1, true},
        {"a placed door", DB_DOOR, door, true},
        {"a field head", DB_GRASS, F(1, 1), true},
    };
    for (const auto& k : cases) {
        const std::size_t said = status.All().size();
        EXPECT_EQ(Fixitem_Type_Editable(k.type, k.instance), k.editable) << k.what;
        const std::string expected = k.editable ? "" : "This fixitem type cannot be edited.";
        EXPECT_EQ(status.All().size() > said ? status.Last() : "", expected) << k.what;
    }
}

TEST_F(FixitemTypeEditTest, BrowseTakesALoadablePictureOfTheArtworkFolderWithAShortName) {
    const fixture::StatusSpy status;
    // An artwork folder of the test's own, beside its pictures.
    const std::filesystem::path art = folder / "ARTWORK";
    const std::filesystem::path shared = std::filesystem::read_symlink(art);
    std::filesystem::remove(art);
    std::filesystem::create_directory(art);
    for (const auto& entry : std::filesystem::directory_iterator(shared))
        std::filesystem::create_symlink(entry.path(), art / entry.path().filename());
    std::filesystem::copy_file(shared / "DOOR.BMP", art / "GATE.bmp");
    std::filesystem::copy_file(shared / "DOOR.BMP", art / "LONGGATE9.BMP");
    std::filesystem::create_directory(folder / "OTHER");
    std::filesystem::copy_file(shared / "DOOR.BMP", folder / "OTHER" / "WICKET.BMP");
    std::ofstream(art / "BROKEN.BMP") << "not a picture";
    std::filesystem::copy_file(shared / "DOOR.BMP", art / "GATE2.png");

    FixitemTypeEdit edit(DB_POST, -1);
    for (const char* refused : {"LONGGATE9.BMP", "BROKEN.BMP", "GATE2.png", "MISSING.BMP"}) {
        EXPECT_FALSE(edit.Browsed(art / refused)) << refused;
        EXPECT_EQ(status.Last(), "Invalid sprite file") << refused;
        EXPECT_EQ(edit.Sprite_Name(), "TREE") << refused;
    }
    EXPECT_FALSE(edit.Browsed(folder / "OTHER" / "WICKET.BMP")) << "outside the artwork folder";
    ASSERT_TRUE(edit.Browsed(art / "GATE.bmp"));
    EXPECT_EQ(edit.Sprite_Name(), "GATE");
    EXPECT_EQ(edit.File_Name_Text(), "ARTWORK\\GATE.bmp");
    EXPECT_GT(edit.Frame_Count(), 1);
    ASSERT_FALSE(OK_With(edit));
    EXPECT_STREQ(fixitem_data[DB_POST].sprite_name, "GATE");
}

TEST_F(FixitemTypeEditTest, APlacedFixitemsNewPictureReachesItsSlotAndThePreviewKeepsNoFreedSprite) {
    Editor_Show_Selection_Preview();
    ASSERT_NE(preview_sprite, 0u) << "the preview shows the slot's picture";
    FixitemTypeEdit edit(DB_DOOR, door);
    ASSERT_TRUE(edit.Browsed(FixitemTypeEdit::Art_Folder() / "WALL.BMP"));
    ASSERT_FALSE(OK_With(edit));
    EXPECT_STREQ(fixitem_types[door_slot].sprite_name, "WALL");
    const sprite* shown = Sprite_From_Handle(preview_sprite);
    EXPECT_TRUE(shown == nullptr || shown == Sprite_From_Handle(fixitem_types[door_slot].sprite));
    edit.Leave_Selection();
    Editor_Show_Selection_Preview();
    EXPECT_EQ(Sprite_From_Handle(preview_sprite), Sprite_From_Handle(fixitem_types[door_slot].sprite));
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_FIXITEM, door}));
    EXPECT_EQ(selection_on_map, 1u);
}

}  // namespace
