// The map properties dialog's work without its window: the sizes taken
// from its controls with the range message, "New Map", "Load Map" and
// "Save Map" with their questions, their order of files and their failures.
#include <filesystem>

#include "Objects/PathSearch.h"
#include "Objects/Timers.h"
#include "datafiles/LightMap.h"
#include "editor/DialogEntries.h"
#include "editor/MapProperties.h"
#include "editor/NewMap.h"
#include "platform/FileWrite.h"
#include "tests/editor/EditorFixture.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> files_written;
void Note_Written(const fs::path& path) { files_written.push_back(path.filename().string()); }

class MapProperties : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        Answer(IDYES);
        Editor_Enter(0, EVENT_CLICK);
        files_written.clear();
        Set_File_Written_Hook(&Note_Written);
    }
    void TearDown() override {
        Set_File_Written_Hook(nullptr);
        EditorTest::TearDown();
    }
    void Answer(int button) {
        backend().answer = [button](const MessageBoxCall&) { return button; };
    }
    // The world as a map file holds it (without the run's handles).
    static std::vector<std::uint8_t> World_Bytes() {
        MapImage image;
        Capture_Map_Image(image);
        Clear_Run_Time_Handles(image);
        return Write_Map_Image(image);
    }
    static std::string Tables() {
        std::string all;
        for (const auto& file : Database_Files_Of_Tables()) all.append(file.begin(), file.end());
        return all;
    }
    // A map with a selected party, a main character, a page shown, a timer
    // event pending and the upper level shown.
    void Populate() {
        Select_Type(OBJ_CHAR, CT_HERO);
        Click(F(2, 2));
        Select_Type(OBJ_CHAR, CT_WARRIOR);
        Click(F(4, 4));
        Select_Char(Char_On_Field(F(4, 4)));
        page_char = static_cast<std::int16_t>(Char_On_Field(F(4, 4)));
        Select_Type(OBJ_FIXITEM, DB_DOOR);
        Click(F(5, 5));
        Timer_Add(100, Add_Modifier(0, Field_Head(F(1, 1)), MK_HASTE, 0, 0, 0, 0), REQ_TIMER);
        shown_level = 1;
        ASSERT_NE(main_char, NO_INDEX);
        ASSERT_NE(timer_array.active, NO_INDEX);
    }
};

TEST_F(MapProperties, SizesOutsideTheirRangesKeepTheDialogOpenWithTheRangeMessage) {
    const struct {
        map_size_texts texts;
        int failed;  // -1: taken
        const char* message;
    } cases[] = {
        {{"12", "10", "1"}, -1, nullptr},
        {{" 100", "100 ", "5"}, -1, nullptr},
        {{"0", "10", "1"}, 0, "Please enter an integer between 1 and 100."},
        {{"101", "10", "1"}, 0, "Please enter an integer between 1 and 100."},
        {{"10", "-3", "1"}, 1, "Please enter an integer between 1 and 100."},
        {{"10", "10", "6"}, 2, "Please enter an integer between 1 and 5."},
        {{"10", "10", "0"}, 2, "Please enter an integer between 1 and 5."},
        {{"ten", "10", "1"}, 0, TEXT_ENTER_INTEGER},
        {{"10", "", "1"}, 1, TEXT_ENTER_INTEGER},
        {{"10", "9x", "1"}, 1, TEXT_ENTER_INTEGER},
        {{"10", "10", "99999999999999999999"}, 2, "Please enter an integer between 1 and 5."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.texts.width + "/" + c.texts.height + "/" + c.texts.levels);
        backend().boxes.clear();
        map_size size;
        int failed = -1;
        EXPECT_EQ(Take_Map_Size(c.texts, size, &failed), c.failed < 0);
        EXPECT_EQ(failed, c.failed);
        if (c.message == nullptr) {
            EXPECT_TRUE(backend().boxes.empty());
            continue;
        }
        ASSERT_EQ(backend().boxes.size(), 1u);
        EXPECT_EQ(backend().boxes[0].text, c.message);
        EXPECT_EQ(backend().boxes[0].Buttons(), MB_OK);
    }
    map_size size;
    ASSERT_TRUE(Take_Map_Size(Map_Size_Texts(), size));
    EXPECT_EQ(size, (map_size{12, 12, 2}));
}

TEST_F(MapProperties, NewMapAsksThenMakesAnEmptyMapOfTheSize) {
    Populate();
    const std::string tables = Tables();
    ASSERT_TRUE(Prop_New_Map({7, 5, 2}));
    ASSERT_EQ(backend().boxes.size(), 1u);
    EXPECT_EQ(backend().boxes[0].text, TEXT_ARE_YOU_SURE);
    EXPECT_EQ(backend().boxes[0].caption, CAPTION_MAP_DESTROYED);
    EXPECT_EQ(backend().boxes[0].Buttons(), MB_YESNO);

    EXPECT_EQ(Current_Map_Size(), (map_size{7, 5, 2}));
    for (std::uint32_t f = 0; f < total_fields; ++f) {
        EXPECT_EQ(maparray.records[f].link, Make_Obj(OBJ_NONE, static_cast<std::uint16_t>(f)));
        EXPECT_EQ(maparray.records[f].type, 0);
        EXPECT_EQ(maparray.records[f].first_mod, NO_INDEX);
        EXPECT_EQ(mapfield[f], 0);
    }
    for (std::uint32_t slot = 1; slot < MAP_TYPE_SLOTS; ++slot)
        EXPECT_NE(fixitem_types[slot].flags & FIX_SLOT_FREE, 0) << "slot " << slot;
    EXPECT_EQ(scroll_limits.top, -106);
    EXPECT_EQ(scroll_limits.bottom, 90);
    EXPECT_EQ(scroll_limits.left, -21);
    EXPECT_EQ(scroll_limits.right, 273);
    EXPECT_EQ(scroll_x, -229);
    EXPECT_EQ(scroll_y, -179);
    EXPECT_EQ(shown_level, 0u);
    EXPECT_EQ(selected_count, 0);
    EXPECT_EQ(player_count, 0u);
    EXPECT_EQ(main_char, NO_INDEX);
    EXPECT_EQ(current_object, NOOBJ);
    EXPECT_EQ(page_char, -1);
    EXPECT_EQ(timer_array.active, NO_INDEX) << "a timer event of the old map is pending";
    EXPECT_EQ(global_modifiers.size(), NEW_MAP_AREA_MODIFIERS);
    EXPECT_EQ(light.size(), 70u);
    EXPECT_EQ(path_nodes.size(), 70u);
    EXPECT_EQ(Tables(), tables) << "the database changed";
    Expect_Map_Sound("the new map");

    // The first type placed takes the highest free slot.
    Select_Type(OBJ_FIXITEM, DB_DOOR);
    Click(F(3, 3));
    const std::vector<obj_ref> objects = Objects_On(F(3, 3));
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(maparray.records[Obj_Index(objects[0])].type, 239);
}

TEST_F(MapProperties, NewMapDeclinedChangesNothing) {
    Populate();
    const auto before = World_Bytes();
    Answer(IDNO);
    EXPECT_FALSE(Prop_New_Map({7, 5, 2}));
    EXPECT_TRUE(World_Bytes() == before);
    EXPECT_NE(timer_array.active, NO_INDEX);
}

TEST_F(MapProperties, SaveMapWritesTheFiveDatabaseFilesBeforeTheMap) {
    Populate();
    ASSERT_TRUE(Prop_Save_Map("saved.map"));
    const std::vector<std::string> order = {"edit.edt", "item.dat", "fixitem.dat", "char.dat", "mod.dat", "saved.map"};
    EXPECT_EQ(files_written, order);
    const auto written = World_Bytes();
    ASSERT_TRUE(Load_Map("saved.map"));
    EXPECT_TRUE(World_Bytes() == written);

    // A path outside the working folder is used as chosen.
    const fs::path outside = folder.string() + "-outside";
    fs::create_directories(outside);
    files_written.clear();
    EXPECT_TRUE(Prop_Save_Map((outside / "far.map").string()));
    EXPECT_TRUE(fs::exists(outside / "far.map"));
    EXPECT_TRUE(Prop_Load_Map((outside / "far.map").string()));
    fs::remove_all(outside);
}

TEST_F(MapProperties, AFailedDatabaseSaveWritesNoMap) {
    fs::create_directory(folder / "char.dat");  // a folder where the file should go
    EXPECT_FALSE(Prop_Save_Map("saved.map"));
    EXPECT_FALSE(fs::exists(folder / "saved.map"));
    EXPECT_TRUE(files_written.empty());
    EXPECT_EQ(editor_status, "Unable to open char data file");

    fs::remove(folder / "char.dat");
    fs::create_directory(folder / "saved.map");
    EXPECT_FALSE(Prop_Save_Map("saved.map")) << "a map that could not be written counts as saved";
    EXPECT_EQ(editor_status, "Unable to open database file");
}

TEST_F(MapProperties, LoadMapKeepsTheDatabaseAndFailsWithoutChangingTheWorld) {
    Populate();
    ASSERT_TRUE(Save_Map("kept.map"));
    const auto saved = World_Bytes();
    std::ofstream(folder / "bad.map") << "edit v1.05";
    ASSERT_TRUE(Prop_New_Map({3, 3, 1}));
    const auto fresh = World_Bytes();
    const std::string tables = Tables();

    EXPECT_FALSE(Prop_Load_Map("missing.map"));
    EXPECT_EQ(editor_status, "Unable to open map file");
    EXPECT_FALSE(Prop_Load_Map("bad.map"));
    EXPECT_EQ(editor_status, "Invalid map file");
    EXPECT_TRUE(World_Bytes() == fresh) << "a failed load changed the world";

    Select_Placed(OBJ_FIXITEM, F(1, 1));
    EXPECT_TRUE(Prop_Load_Map("kept.map"));
    EXPECT_TRUE(World_Bytes() == saved);
    EXPECT_EQ(Tables(), tables) << "the editor's database changed";
    EXPECT_EQ(scroll_limits.right, 12 * MAP_FIELD_WIDTH - 21);
    EXPECT_EQ(path_nodes.size(), total_fields);
    EXPECT_EQ(editor_selection.kind, OBJ_NONE) << "a placed object of the old map stays selected";
}

// What the map view shows of the map: its pixels that are not black.
int Lit_Pixels_In_View() {
    int lit = 0;
    for (int y = EDITOR_VIEW.top; y < EDITOR_VIEW.bottom; ++y)
        for (int x = EDITOR_VIEW.left; x < EDITOR_VIEW.right; ++x)
            lit += reinterpret_cast<const std::uint16_t*>(BACK->Bits() + y * BACK->Pitch())[x] != 0;
    return lit;
}

TEST_F(MapProperties, ALoadedMapIsDrawn) {
    ASSERT_TRUE(Save_Map("kept.map"));
    ASSERT_TRUE(Prop_New_Map({3, 3, 1}));
    Idle_Scroll();
    const int empty = Lit_Pixels_In_View();
    ASSERT_TRUE(Prop_Load_Map("kept.map"));
    Idle_Scroll();
    EXPECT_GT(Lit_Pixels_In_View(), empty + 10000) << "the loaded map is not drawn";
}

TEST_F(MapProperties, FileNamesAndFolder) {
    EXPECT_EQ(Map_File_Title("/somewhere/ARTWORK/MAPS/grown.map"), "grown");
    EXPECT_EQ(Map_File_Title("plain"), "plain");
    EXPECT_EQ(fs::path(Map_Files_Folder()), folder / "ARTWORK" / "MAPS");
}

}  // namespace
