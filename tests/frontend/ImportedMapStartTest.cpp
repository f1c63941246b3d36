// Starting the chunked map that artgen writes (its arena): the runner's
// startmap plays and draws it (the shot is kept beside the test program for
// review, test_frontend-startmap-shots); in the game the map is set up as a
// loaded map is, its "Test.map" loads into the same world and play goes on;
// a file the importer refuses is shown and changes nothing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/Modifiers.h"
#include "datafiles/LightMap.h"
#include "datafiles/MapConverter.h"
#include "datafiles/MapFile.h"
#include "datafiles/MapImage.h"
#include "frontend/ImportedMapStart.h"
#include "support/LinkedFolder.h"
#include "support/TickWorld.h"
#include "tests/frontend/GameFixture.h"
#include "tests/frontend/GeneratedFolder.h"
#include "tests/frontend/RunnerFixture.h"
#include "tools/artgen/folder/ArenaMap.h"
#include "tools/artgen/folder/ItemDatabase.h"

namespace {

namespace fs = std::filesystem;

// A working folder of its own that holds artgen's files (linked), so that
// the "Test.map" a start writes stays there.
fs::path Arena_Folder(const fs::path& root) { return fixture::Linked_Folder(Generated_Folder(), root, TEST_MAP_NAME); }

// The world as a map file holds it: no run-time handle.
std::vector<std::uint8_t> Stored_World() {
    MapImage m;
    Capture_Map_Image(m);
    Clear_Run_Time_Handles(m);
    return Write_Map_Image(m);
}

std::vector<std::uint8_t> File_Bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The item types without the heads of their program chains, which name the
// database's modifier pool (item.dat's potion carries one, the arena's not).
std::vector<std::uint8_t> Item_Type_Bytes() {
    std::vector<item_type> types = item_types;
    for (item_type& t : types) t.first_mod = NO_INDEX;
    const auto* p = reinterpret_cast<const std::uint8_t*>(types.data());
    return std::vector<std::uint8_t>(p, p + types.size() * sizeof(item_type));
}

class ArenaRunner : public RunnerTest {};

TEST_F(ArenaRunner, StartmapPlaysAndDrawsTheArena) {
    const fs::path folder = Arena_Folder(dir / "arena");
    const fs::path shots = fs::canonical("/proc/self/exe").parent_path() / "test_frontend-startmap-shots";
    fs::remove_all(shots);
    const run_result r = Run(folder, "startmap\ntick 5\nshot arena\nchars\n", shots);
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out.find("box ["), std::string::npos) << r.out;
    EXPECT_TRUE(fs::exists(shots / "arena.png"));
    EXPECT_TRUE(fs::exists(folder / TEST_MAP_NAME));
    for (int n = 1; n <= art::ARENA_SOLDIERS; ++n)
        EXPECT_NE(r.out.find("Soldier " + std::to_string(n) + "\n"), std::string::npos) << n;
}

class ArenaGame : public GameTest {
  protected:
    static void SetUpTestSuite() { art = Generated_Folder(); }
    void SetUp() override {
        folder = Arena_Folder(fs::temp_directory_path() / ("orvex-arena-" + std::to_string(::getpid())));
        GameTest::SetUp();
        Reset_Converter_Counts();
    }
    void TearDown() override {
        GameTest::TearDown();
        Reset_Converter_Counts();
        fs::remove_all(folder);
    }
};

TEST_F(ArenaGame, TheImportedMapIsSetUpToBePlayed) {
    ASSERT_TRUE(running);
    ASSERT_TRUE(Start_Map());
    EXPECT_TRUE(backend().boxes.empty());
    EXPECT_EQ(map_width, art::ARENA_WIDTH);
    EXPECT_EQ(map_height, art::ARENA_HEIGHT);
    EXPECT_EQ(total_fields, art::ARENA_WIDTH * art::ARENA_HEIGHT * art::ARENA_LEVELS);
    EXPECT_EQ(converter_counts.chars, art::ARENA_SOLDIERS);
    EXPECT_EQ(map_loaded, 1u);
    EXPECT_EQ(global_modifiers.size(), IMPORTED_AREA_MODIFIERS);
    EXPECT_EQ(scroll_x, -VIEW_CENTRE_X);
    EXPECT_EQ(scroll_y, -VIEW_CENTRE_Y);
    EXPECT_EQ(shown_level, 0u);
    EXPECT_EQ(scroll_limits.bottom, static_cast<std::int32_t>((art::ARENA_HEIGHT - 1) * 21 + 6));
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
    // The AI arrays: every soldier has a slot, the party of three behind
    // the main character.
    for (std::uint16_t c = 0; c < art::ARENA_SOLDIERS; ++c) EXPECT_NE(chararray[c].ai_slot, NO_INDEX) << c;
    EXPECT_EQ(player_count, 3u);
    EXPECT_EQ(main_char, 0);
    // The artwork and the light map: the torches light their fields.
    for (int slot = 1; slot < MAP_TYPE_SLOTS; ++slot) {
        if (fixitem_types[slot].sprite != 0) {
            EXPECT_NE(fixitem_types[slot].sprite, SPRITE_MISSING) << slot;
        }
    }
    EXPECT_NE(Sprite_From_Handle(chararray[0].body_sprite), nullptr);
    EXPECT_EQ(light[Field_Index(1, 1, 0)], 26 + 9 * 2);
    // The torches are animated.
    EXPECT_NE(animated_fixitems.active, NO_INDEX);
    EXPECT_TRUE(fs::exists(folder / TEST_MAP_NAME));
    // The healing potion on the ground carries its type's programs, so it
    // heals when used.
    const std::uint16_t potion_type = art::Default_Item_Type("Healing potion");
    int potions = 0;
    for (std::uint16_t i = 1; i < itemarray.Capacity(); ++i) {
        if (Item_Record_Is_Free(i) || itemarray.records[i].type != potion_type) continue;
        ++potions;
        for (const art::TypeProgram& p : art::Item_Type_Programs(potion_type)) {
            bool carried = false;
            For_Each_In_Chain(Get_Mod_Index(Make_Obj(OBJ_ITEM, i)),
                              [&](std::uint16_t m) { carried |= mod_array.records[m].type == p.kind; });
            EXPECT_TRUE(carried) << "item " << i << " lacks program kind " << p.kind;
        }
    }
    EXPECT_EQ(potions, 1);
}

TEST_F(ArenaGame, ItsTestMapLoadsIntoTheSameWorldAndPlayGoesOn) {
    ASSERT_TRUE(Start_Map());
    const std::vector<std::uint8_t> started = Stored_World();
    const std::vector<std::uint8_t> types = Item_Type_Bytes();
    ASSERT_TRUE(Load_Map(TEST_MAP_NAME));
    EXPECT_EQ(Stored_World(), started);
    EXPECT_EQ(Item_Type_Bytes(), types);

    Mouse_Move(300, 200);
    for (int t = 0; t < 60; ++t) {
        Tick();
        Idle(2);
    }
    for (const MessageBoxCall& box : backend().boxes) ADD_FAILURE() << box.caption << ": " << box.text;
    EXPECT_EQ(fixture::World_Problems(), std::vector<std::string>{});
    EXPECT_NE(Stored_World(), started) << "the soldiers act";
}

TEST_F(ArenaGame, AFileTheImporterRefusesIsShownAndChangesNothing) {
    backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
    const fs::path source = folder / "ARTWORK" / "MAPS" / "aa.bin";
    const fs::path maps = folder / "ARTWORK";
    // The folder's own ARTWORK, with a cut copy of the file.
    fs::remove(maps);
    fs::create_directories(maps / "MAPS");
    for (const auto& e : fs::directory_iterator(Generated_Folder() / "ARTWORK"))
        if (e.path().filename() != "MAPS") fs::create_directory_symlink(e.path(), maps / e.path().filename());
    const std::vector<std::uint8_t> whole = File_Bytes(Generated_Folder() / "ARTWORK" / "MAPS" / "aa.bin");
    std::ofstream(source, std::ios::binary).write(reinterpret_cast<const char*>(whole.data()), 100);

    const std::vector<std::uint8_t> before = Stored_World();
    EXPECT_FALSE(Start_Map());
    ASSERT_EQ(backend().boxes.size(), 1u);
    EXPECT_EQ(backend().boxes[0].caption, "truncated \"MAP \" chunk");
    EXPECT_EQ(backend().boxes[0].text, "Quit from Application ?");
    EXPECT_EQ(Stored_World(), before);
    EXPECT_FALSE(fs::exists(folder / TEST_MAP_NAME));

    fs::remove(source);
    EXPECT_FALSE(Start_Map());
    ASSERT_EQ(backend().boxes.size(), 2u);
    EXPECT_EQ(backend().boxes[1].caption, "no source file found...");
    EXPECT_EQ(Stored_World(), before);
}

}  // namespace
