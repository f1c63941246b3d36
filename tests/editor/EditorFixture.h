// The editor's logic on the headless backend: the display open over the
// default artwork (linked into a working folder of the test's own, which
// takes the files the editor writes), a small world whose fields have a
// floor, a database of a few types, the editor's hooks installed and a
// view that records what the dialogs were asked to show.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Char/CharSlots.h"
#include "Objects/Char/CharSprites.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Request.h"
#include "Objects/TypeTables.h"
#include "System/Display.h"
#include "System/Palette.h"
#include "System/ScreenType.h"
#include "System/SpriteHandles.h"
#include "datafiles/Database.h"
#include "datafiles/Hooks.h"
#include "datafiles/ItemData.h"
#include "datafiles/MapFile.h"
#include "datafiles/MapImage.h"
#include "editor/EditorScreen.h"
#include "editor/EditorState.h"
#include "editor/EditorView.h"
#include "editor/FieldObjectList.h"
#include "editor/FixitemSlots.h"
#include "editor/Placing.h"
#include "editor/Preview.h"
#include "frontend/Controls.h"
#include "frontend/FrontEndState.h"
#include "frontend/GameLoop.h"
#include "frontend/Hooks.h"
#include "frontend/MapArtwork.h"
#include "frontend/MapCursor.h"
#include "frontend/MapView.h"
#include "platform/PathResolver.h"
#include "support/HeadlessFixture.h"
#include "support/MapArtFolder.h"
#include "support/SampleMap.h"
#include "support/WorldBuilder.h"

// What the editor asked its dialogs to show.
class RecordingView : public EditorView {
  public:
    void Open_Dialogs() override { ++opened; }
    void Close_Dialogs() override { ++closed; }
    void Show_Status(const std::string& text) override { status = text; }
    void Start_Status_Timer(int milliseconds) override {
        timer_ms = milliseconds;
        timer_started_at = now;
        timer_running = true;
    }
    void Stop_Status_Timer() override { timer_running = false; }
    void Show_Map_Index(const std::string& text) override { map_index = text; }
    void Show_Field_Objects(const field_object_list& list) override {
        ++listings;
        shown_label = list.label;
    }
    void Focus_Tree(EditorTree tree) override { focused.push_back(tree); }
    bool Hexa_Grid_Checked() override { return hexa_grid_checked; }

    // A clock for the status timer: the timer fires once its time is up.
    void Advance(int milliseconds) {
        for (int t = 0; t < milliseconds; ++t) {
            ++now;
            if (timer_running && now - timer_started_at >= timer_ms) Editor_On_Timer(STATUS_TIMER_ID);
        }
    }

    int opened = 0, closed = 0, listings = 0;
    std::string status, map_index, shown_label;
    std::vector<EditorTree> focused;
    bool hexa_grid_checked = false;
    int now = 0, timer_started_at = 0, timer_ms = 0;
    bool timer_running = false;
};

// Database types of the fixture.
constexpr std::uint16_t DB_RESERVED = 0;
constexpr std::uint16_t DB_GRASS = 1;  // a ground type, slot 1 of the map
constexpr std::uint16_t DB_DOOR = 2;   // fill 40, four frames
constexpr std::uint16_t DB_WALL = 3;   // fill 100
constexpr std::uint16_t DB_STONE = 4;  // a ground type not yet on the map
constexpr std::uint16_t DB_POST = 5;   // fill 1

constexpr std::uint16_t CT_WARRIOR = 0;
constexpr std::uint16_t CT_HERO = 1;  // the main character

class EditorTest : public HeadlessTest {
  protected:
    static void SetUpTestSuite() { art = fixture::Map_Art_Folder(); }

    void SetUp() override {
        HeadlessTest::SetUp();
        static std::atomic<int> counter{0};
        folder = std::filesystem::temp_directory_path() /
                 ("orvex-editor-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::filesystem::create_directory_symlink(art / "ARTWORK", folder / "ARTWORK");
        Set_Working_Folder(folder);
        Set_Main_Window(reinterpret_cast<HWND>(0x1234));
        Init_DirectDraw();
        ASSERT_EQ(Create_Surfaces(), 1);
        surfaces_ready = 1;
        Load_Palette_Tables();
        Reset_Front_End_State();
        Reset_Database_State();
        Reset_Editor();
        New_World(12, 12, 2);
        Set_Editor_View(&view);
    }

    void TearDown() override {
        Editor_Close_For_Shutdown();
        Release_Preview();
        Set_Editor_View(nullptr);
        Release_Surfaces();
        fixture::Release_Portraits();
        Release_DirectDraw();
        Reset_Editor();
        Reset_Database_State();
        Reset_Front_End_State();
        Set_Main_Window(nullptr);
        Set_Working_Folder({});
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        HeadlessTest::TearDown();
    }

    // A world of width x height fields on levels levels, every field a
    // grass field (slot 1 = database type 1), slots 2..239 free; the
    // database's types; the editor's and the front end's hooks.
    void New_World(std::uint32_t width, std::uint32_t height, std::uint32_t levels) {
        Free_Map_Artwork();
        fixture::Release_Portraits();
        fixture::Reset_World(width, height, levels);
        Install_Front_End_Hooks();
        Install_Editor();
        Set_Scroll_Limits();
        Make_Database();
        // Slot 1 holds the grass, in use until the map's artwork gives it its
        // picture.
        fixitem_types[1] = fixitem_data[DB_GRASS];
        fixitem_types[1].sprite = SPRITE_MISSING;
        fixitem_types[1].db_index = DB_GRASS;
        for (std::uint32_t s = 2; s < MAP_TYPE_SLOTS; ++s) fixitem_types[s].flags = FIX_SLOT_FREE;
        for (std::uint32_t f = 0; f < total_fields; ++f) maparray.records[f].type = 1;
        Load_Map_Artwork();
        Set_Editor_Selection(OBJ_NONE, NO_INDEX, false);
        // The map loader reads the item types again.
        ASSERT_TRUE(Write_Item_Data(ITEM_DATA_FILE, item_types));
    }

    static fixitem_type Db_Fixitem(const char* picture, std::uint8_t fill, std::uint8_t flags = 0,
                                   std::uint8_t amortized = 0) {
        fixitem_type t{};
        std::strncpy(t.sprite_name, picture, sizeof t.sprite_name - 1);
        t.fill = fill;
        t.flags = flags;
        t.amortized = amortized;
        t.max_hp = 20;
        return t;
    }
    static std::uint16_t Add_Db_Fixitem(const char* name, const fixitem_type& t) {
        fixitem_data.push_back(t);
        fixitem_ext e{};
        std::strncpy(e.name, name, sizeof e.name - 1);
        e.first_mod = NO_INDEX;
        fixitem_data_ext.push_back(e);
        return static_cast<std::uint16_t>(fixitem_data.size() - 1);
    }
    static std::uint16_t Add_Db_Char(const char* name, const char* body, std::uint16_t flags = 0) {
        char_record r = fixture::Char_Template(name);
        std::memset(r.body_name, 0, sizeof r.body_name);
        std::strncpy(r.body_name, body, sizeof r.body_name - 1);
        r.flags = flags;
        char_data.push_back(r);
        return static_cast<std::uint16_t>(char_data.size() - 1);
    }

    void Make_Database() {
        fixitem_data.clear();
        fixitem_data_ext.clear();
        char_data.clear();
        Add_Db_Fixitem("Reserved", Db_Fixitem("", 0));
        Add_Db_Fixitem("Grass", Db_Fixitem("GRASS", 0, FIX_GROUND));
        Add_Db_Fixitem("Door", Db_Fixitem("DOOR", 40));
        Add_Db_Fixitem("Wall", Db_Fixitem("WALL", 100));
        Add_Db_Fixitem("Stone", Db_Fixitem("STONE", 0, FIX_GROUND));
        Add_Db_Fixitem("Post", Db_Fixitem("TREE", 1));
        Add_Db_Char("Warrior", "WARRIOR");
        Add_Db_Char("Hero", "MAGE", CF_MAIN_CHAR);
        sword = fixture::Add_Item_Type("Sword", CLASS_SWORD, 5, 0, 0x13);
        pack = fixture::Add_Item_Type("Pack", CLASS_OTHER, 0, 0, 0x22);
        // The database's modifier pool: the hero's type carries the main
        // character's program, the sword's type Iron Skin.
        Alloc_Mod_Pool(MOD_POOL_STEP);
        Init_Mod_Free_List();
        mod_data.first_free = 1;
        Add_Mod_To_Owner(0, Make_Obj(OBJ_CHAR, CT_HERO), MK_MAIN_CHAR, 0, 0, 0, 0);
        Add_Mod_To_Owner(0, Make_Obj(OBJ_ITEM, sword), MK_IRON_SKIN, 3, 0, 0, 0);
    }

    // Selects a database type, as a data tree does.
    static void Select_Type(std::uint16_t kind, std::uint16_t index) {
        Set_Editor_Selection(kind, index, false);
        Editor_Show_Selection_Preview();
    }
    // Selects a placed object, as the field object tree does.
    static void Select_Placed(std::uint16_t kind, std::uint16_t index) {
        Set_Editor_Selection(kind, index, true);
        Editor_Show_Selection_Preview();
    }
    // The cursor on a field, then a click (Shift for a move).
    static void Click(std::uint16_t field, bool shift = false) {
        cursor_field = field;
        Editor_Place_Object(shift ? MK_SHIFT : 0, EVENT_CLICK);
    }
    static void Right_Click(std::uint16_t field) {
        cursor_field = field;
        Editor_Place_Object(0, EVENT_RIGHT_CLICK);
    }
    static std::uint16_t F(std::uint32_t x, std::uint32_t y, std::uint32_t level = 0) {
        return Field_Index(x, y, level);
    }

    // The map passes the loader's checks, and comes back the same from a
    // map file.
    void Expect_Map_Sound(const char* when) {
        MapImage image;
        Capture_Map_Image(image);
        EXPECT_EQ(Check_Map_Image(image), "") << when;
        ASSERT_TRUE(Save_Map("first.map")) << when;
        ASSERT_TRUE(Load_Map("first.map")) << when;
        ASSERT_TRUE(Save_Map("again.map")) << when;
        EXPECT_TRUE(File_Bytes("first.map") == File_Bytes("again.map")) << when << ": the map file does not round-trip";
    }
    std::vector<char> File_Bytes(const char* name) const {
        std::ifstream in(folder / name, std::ios::binary);
        return std::vector<char>(std::istreambuf_iterator<char>(in), {});
    }

    static std::vector<obj_ref> Objects_On(std::uint16_t field) {
        std::vector<obj_ref> out;
        obj_ref at = Field_Head(field);
        for (int steps = 0; steps < 1000; ++steps) {
            Next_Object_No_Anim(at);
            if (Obj_Kind(at) == OBJ_NONE) break;
            out.push_back(at);
        }
        return out;
    }

    static inline std::filesystem::path art;
    std::filesystem::path folder;
    RecordingView view;
    std::uint16_t sword = 0, pack = 0;
};
