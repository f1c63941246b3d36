#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>

#include "Objects/AIDecisions.h"
#include "Objects/Acts.h"
#include "Objects/Effects.h"
#include "Objects/PathSearch.h"
#include "Objects/Sight.h"
#include "Objects/Timers.h"
#include "datafiles/FileReader.h"
#include "datafiles/LightMap.h"
#include "datafiles/MapFile.h"
#include "datafiles/MapImage.h"
#include "support/StoredWorld.h"
#include "support/TimedWorld.h"
#include "support/WorldBuilder.h"
#include "tests/datafiles/MapFileFixture.h"

using namespace fixture;

namespace {

// Where each block of a map file lies, from the counts of the image it was
// written from: the layout the format fixes.
struct Block {
    std::string name;
    std::size_t start, size;
};

std::vector<Block> Blocks_Of(const MapImage& m) {
    const std::size_t c9 = m.iq_slots.size();
    const std::vector<std::pair<std::string, std::size_t>> sizes = {
        {"magic", 11},
        {"record sizes", 48},
        {"map globals", 36},
        {"map array", 4 + m.map_records.size() * 9},
        {"fixitem types", 256 * 23},
        {"field words", std::size_t{m.Total_Fields()} * 2},
        {"animation state", 15},
        {"animation entries", m.anim_entries.size() * 20},
        {"map animations", m.mapanims.size() * 12},
        {"animation types", 256 * 14},
        {"items", 4 + m.items.size() * 13},
        {"characters", 4 + m.chars.size() * 364},
        {"modifiers", 4 + m.mods.size() * 20},
        {"area modifiers", 4 + m.area_mods.size() * 14},
        {"selection", 2 + 20 + 100 + 2 + 4 + 4},
        {"acts", 4 + m.acts.size() * 24},
        {"AI slots", 4 + c9 * 10},
        {"party", 2 + 400 + 2 + 2 + 4 + 4 + 100},
        {"relations", c9 * c9},
    };
    std::vector<Block> blocks;
    std::size_t at = 0;
    for (const auto& [name, size] : sizes) {
        blocks.push_back({name, at, size});
        at += size;
    }
    return blocks;
}

const Block& Block_Named(const std::vector<Block>& blocks, const std::string& name) {
    for (const Block& b : blocks)
        if (b.name == name) return b;
    throw std::runtime_error("no block " + name);
}

// The world's image as Save_Map writes it.
MapImage Stored_Image() {
    MapImage m;
    Capture_Map_Image(m);
    Clear_Run_Time_Handles(m);
    return m;
}

std::string Fault_Of(const Bytes& file) {
    MemoryInput in(file.data(), file.size());
    MapImage m;
    std::string fault;
    Read_Map_Image(in, file.size(), m, &fault);
    return fault;
}

class MapFile : public DataFolderTest {
  protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        Build_Stored_World(7, 6, 2);
        ASSERT_TRUE(Write_Item_Data(ITEM_DATA_FILE, item_types));
    }

    Bytes Saved(const char* name) {
        Save_Map(name);
        return File_Bytes(Path(name));
    }

    // Another world than the one the files were written from, so that any
    // part of a file that got in would show.
    void Switch_To_Other_World() {
        Reset_Timed_World(5, 4);
        Place_Char(3, "Eve", 1);
        light.assign(total_fields, 40);
        map_loaded = 0;
    }

    // Loading the bytes fails with "Invalid map file" for the reason given
    // and changes nothing.
    void Expect_Rejected(const Bytes& file, const std::string& fault) {
        SCOPED_TRACE(fault);
        EXPECT_EQ(Fault_Of(file), fault);
        Write_Bytes(Path("bad.map"), file);
        const auto before = World_Snapshot();
        const auto types = item_types.size();
        const auto lights = light;
        messages().clear();
        EXPECT_FALSE(Load_Map("bad.map"));
        EXPECT_EQ(messages(), std::vector<std::string>{"Invalid map file"});
        EXPECT_EQ(Snapshot_Differences(before, World_Snapshot()), "");
        EXPECT_EQ(item_types.size(), types);
        EXPECT_EQ(light, lights);
        EXPECT_EQ(map_loaded, 0u);
    }
};

// ---- Round trip ----

TEST_F(MapFile, SaveAndLoadGiveByteIdenticalArraysAndTheSameFileAgain) {
    const auto stored = World_Snapshot();
    const auto types = item_types;
    const Bytes first = Saved("world.map");
    Switch_To_Other_World();

    ASSERT_TRUE(Load_Map("world.map"));
    EXPECT_EQ(Snapshot_Differences(stored, World_Snapshot()), "");
    ASSERT_EQ(item_types.size(), types.size());
    EXPECT_EQ(std::memcmp(item_types.data(), types.data(), types.size() * sizeof(item_type)), 0);
    EXPECT_EQ(map_loaded, 1u);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(Saved("again.map"), first);
}

TEST_F(MapFile, TheLoadedFreeListsHandOutTheirRecords) {
    const auto map_free = maparray.first_free;
    const auto item_free = itemarray.first_free;
    const auto mod_free = mod_array.first_free;
    const auto char_free = chararray.first_free;
    Save_Map("world.map");
    Switch_To_Other_World();
    ASSERT_TRUE(Load_Map("world.map"));

    EXPECT_TRUE(Map_Record_Is_Free(map_free));
    EXPECT_EQ(New_Map_Record(), map_free);
    EXPECT_TRUE(Item_Record_Is_Free(item_free));
    EXPECT_EQ(New_Item_Record(), item_free);
    EXPECT_TRUE(Modifier_Is_Free(mod_free));
    EXPECT_EQ(New_Modifier_Record(), mod_free);
    EXPECT_EQ(Alloc_Char(), char_free);
    EXPECT_TRUE(Headless_Backend().boxes.empty());
}

TEST_F(MapFile, TheLightMapIsComputedForTheLoadedMap) {
    Save_Map("world.map");
    Switch_To_Other_World();
    ASSERT_TRUE(Load_Map("world.map"));
    ASSERT_EQ(light.size(), total_fields);
    EXPECT_EQ(light[Stored_Lamp_Field()], 26 + 9 * 4);
    EXPECT_EQ(light[total_fields - 1], LIGHT_BASE);
}

// ---- The layout ----

TEST_F(MapFile, BlocksLieWhereTheFormatPutsThem) {
    Reset_World(10, 10);
    ASSERT_EQ(maparray.Capacity(), 600);
    const Bytes file = Saved("small.map");
    const std::vector<Block> blocks = Blocks_Of(Stored_Image());
    EXPECT_EQ(file.size(), blocks.back().start + blocks.back().size);

    EXPECT_EQ(std::memcmp(file.data(), "save v1.03", 11), 0);
    const std::uint32_t sizes[12] = {13, 9, 23, 2, 20, 12, 14, 364, 20, 14, 24, 10};
    EXPECT_EQ(std::memcmp(&file[11], sizes, sizeof sizes), 0);
    const std::uint32_t dims[3] = {10, 10, 1};
    EXPECT_EQ(std::memcmp(&file[59], dims, sizeof dims), 0);
    EXPECT_EQ(file[95] | file[96] << 8, 600);
    EXPECT_EQ(file[97] | file[98] << 8, 100);
    // The first map record at 99, the fixitem types at 99 + 600 * 9.
    EXPECT_EQ(std::memcmp(&file[99], &maparray.records[0], 9), 0);
    EXPECT_EQ(Block_Named(blocks, "fixitem types").start, 5499u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[5499])), "FIX000");
    EXPECT_EQ(std::memcmp(&file[5499 + 9], "\xFF\xFF\xFF\xFF", 4), 0);  // a used slot's mark
    EXPECT_EQ(std::memcmp(&file[5499 + 5888], mapfield.data(), 200), 0);
}

// ---- Smaller records ----

// Rewrites a file as if the records of one block were stored with fewer
// bytes: the header states the size and each record loses its last bytes.
Bytes With_Record_Size(const Bytes& file, const Block& block, std::size_t count_words, int kind, std::uint32_t ours,
                       std::uint32_t size) {
    Bytes out(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(block.start + count_words));
    std::memcpy(&out[11 + 4 * kind], &size, 4);
    const std::size_t count = (block.size - count_words) / ours;
    for (std::size_t i = 0; i < count; ++i) {
        const auto record = file.begin() + static_cast<std::ptrdiff_t>(block.start + count_words + i * ours);
        out.insert(out.end(), record, record + size);
    }
    out.insert(out.end(), file.begin() + static_cast<std::ptrdiff_t>(block.start + block.size), file.end());
    return out;
}

TEST_F(MapFile, ASmallerMapRecordFillsTheStartOfEachRecord) {
    // A map without free map records, so that every link fits in 8 bytes.
    Reset_World(4, 4);
    Set_Fixitem_Type(1, LAYER_WALL);
    Place_Fixitem(5, 1);
    maparray.records.resize(17);
    maparray.first_free = NO_INDEX;
    Rebuild_Map_Free_Marks();
    const Bytes file = Saved("nine.map");
    const Bytes eight =
        With_Record_Size(file, Block_Named(Blocks_Of(Stored_Image()), "map array"), 4, MRK_MAP_RECORD, 9, 8);
    EXPECT_EQ(eight.size(), file.size() - 17);
    Write_Bytes(Path("eight.map"), eight);
    EXPECT_EQ(Fault_Of(eight), "");
    const auto records = maparray.records;

    ASSERT_TRUE(Load_Map("eight.map"));
    ASSERT_EQ(maparray.Capacity(), 17);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto* loaded = reinterpret_cast<const std::uint8_t*>(&maparray.records[i]);
        EXPECT_EQ(std::memcmp(loaded, &records[i], 8), 0) << i;
        EXPECT_EQ(loaded[8], 0) << i;
    }
    EXPECT_EQ(Field_List(5), "fix16");
}

TEST_F(MapFile, ASmallerCharacterRecordLeavesItsLastBytesZero) {
    chararray[0].unused_358[5] = 0xAB;
    const Bytes file = Saved("world.map");
    const Bytes shorter =
        With_Record_Size(file, Block_Named(Blocks_Of(Stored_Image()), "characters"), 4, MRK_CHAR, 364, 363);
    Write_Bytes(Path("short.map"), shorter);
    const auto stored = chararray.records;
    ASSERT_TRUE(Load_Map("short.map"));
    ASSERT_EQ(chararray.records.size(), stored.size());
    EXPECT_EQ(chararray[0].unused_358[5], 0);
    EXPECT_EQ(std::memcmp(&chararray[0], &stored[0], 363), 0);
    EXPECT_EQ(std::string(chararray[0].name), "Ann");
}

// ---- Refused files ----

TEST_F(MapFile, EveryTruncationIsRefusedAndChangesNothing) {
    const Bytes file = Saved("world.map");
    const std::vector<Block> blocks = Blocks_Of(Stored_Image());
    ASSERT_EQ(file.size(), blocks.back().start + blocks.back().size);
    const std::map<std::string, std::string> faults = {
        {"magic", "not a map file"},
        {"record sizes", "truncated header"},
        {"map globals", "truncated header"},
        {"map array", "truncated map records"},
        {"fixitem types", "truncated fixitem types"},
        {"field words", "truncated field words"},
        {"animation state", "truncated animation state"},
        {"animation entries", "truncated animations"},
        {"map animations", "truncated map animations"},
        {"animation types", "truncated animation types"},
        {"items", "truncated items"},
        {"characters", "truncated characters"},
        {"modifiers", "truncated modifiers"},
        {"area modifiers", "truncated area modifiers"},
        {"selection", "truncated selection"},
        {"acts", "truncated acts"},
        {"AI slots", "truncated AI slots"},
        {"party", "truncated party"},
        {"relations", "truncated relations"},
    };
    Switch_To_Other_World();
    for (const Block& b : blocks) {
        SCOPED_TRACE(b.name);
        Expect_Rejected(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(b.start + b.size / 2)),
                        faults.at(b.name));
    }
    Expect_Rejected(Bytes(file.begin(), file.end() - 1), "truncated relations");
    Expect_Rejected({}, "not a map file");
}

TEST_F(MapFile, HeaderFaultsAreRefused) {
    const Bytes file = Saved("world.map");
    const std::vector<Block> blocks = Blocks_Of(Stored_Image());
    Switch_To_Other_World();

    // A database file is not a map file.
    Bytes database = file;
    std::memcpy(database.data(), "edit v1.05", 11);
    Expect_Rejected(database, "not a map file");

    // Each record size one larger than ours.
    for (int kind = 0; kind < MAP_RECORD_KINDS; ++kind) {
        Bytes larger = file;
        const std::uint32_t size = MAP_RECORD_SIZES[kind] + 1;
        std::memcpy(&larger[11 + 4 * kind], &size, 4);
        Expect_Rejected(larger, "record size larger than ours");
    }

    const std::size_t area = Block_Named(blocks, "area modifiers").start;
    Bytes huge_area = file;
    std::memset(&huge_area[area], 0xFF, 4);
    Expect_Rejected(huge_area, "too many area modifiers");

    // An AI slot capacity whose slots still fit but whose relation matrix
    // is far larger than the rest of the file.
    const std::size_t slots = Block_Named(blocks, "AI slots").start;
    Bytes huge_relations = file;
    huge_relations[slots] = 200;
    huge_relations[slots + 1] = 0;
    Expect_Rejected(huge_relations, "truncated relations");
}

struct Corruption {
    const char* what;
    std::function<void(MapImage&)> corrupt;
    const char* fault;
};

// Indexes of the stored world's records that the cases below corrupt.
std::uint16_t Char_Named(const MapImage& m, const char* name) {
    for (std::size_t c = 0; c < m.chars.size(); ++c)
        if ((m.chars[c].flags & CF_FREE) == 0 && std::strcmp(m.chars[c].name, name) == 0)
            return static_cast<std::uint16_t>(c);
    throw std::runtime_error(name);
}
std::uint16_t Last_Of_Chain(const MapImage& m, std::uint16_t head) {
    while (m.mods[head].next != NO_INDEX) head = m.mods[head].next;
    return head;
}
std::uint16_t Wall(const MapImage& m) { return Obj_Index(m.map_records[1].link); }

const std::vector<Corruption> corruptions = {
    {"map too wide", [](MapImage& m) { m.width = 101; }, "map size out of range"},
    {"no level", [](MapImage& m) { m.levels = 0; }, "map size out of range"},
    {"six levels", [](MapImage& m) { m.levels = 6; }, "map size out of range"},
    {"fewer records than fields", [](MapImage& m) { m.map_records.resize(m.Total_Fields() - 1); },
     "fewer map records than fields"},
    {"free list in the field heads", [](MapImage& m) { m.map_first_free = 3; }, "bad map record free list"},
    {"cyclic free list", [](MapImage& m) { m.map_records.back().link = Make_Obj(OBJ_NONE, m.map_first_free); },
     "bad map record free list"},
    {"link past the items", [](MapImage& m) { m.map_records[0].link = Make_Obj(OBJ_ITEM, 0xFFF0); },
     "field list holds a bad object"},
    {"link of kind 4", [](MapImage& m) { m.map_records[0].link = Make_Obj(OBJ_INVALID, 1); },
     "field list holds a bad object"},
    {"free record on a field", [](MapImage& m) { m.map_records[0].link = Make_Obj(OBJ_FIXITEM, m.map_first_free); },
     "field list holds a bad object"},
    {"field head inside a list", [](MapImage& m) { m.map_records[0].link = Make_Obj(OBJ_FIXITEM, 4); },
     "field list holds a bad object"},
    {"cyclic field list", [](MapImage& m) { m.map_records[Wall(m)].link = Make_Obj(OBJ_FIXITEM, Wall(m)); },
     "field lists cross or cycle"},
    {"two fields share objects", [](MapImage& m) { m.map_records[4].link = m.map_records[1].link; },
     "field lists cross or cycle"},
    {"list ends on another field", [](MapImage& m) { m.map_records[4].link = Make_Obj(OBJ_NONE, 9); },
     "field list ends on another field"},
    {"item owned beyond the fields",
     [](MapImage& m) { m.items[Obj_Index(m.map_records[0].link)].owner = Make_Obj(OBJ_FIXITEM, 500); },
     "item with a bad owner"},
    {"item owned by a map animation",
     [](MapImage& m) { m.items[Obj_Index(m.map_records[0].link)].owner = Make_Obj(OBJ_MAPANIM, 0); },
     "item with a bad owner"},
    {"item 0 on the free list", [](MapImage& m) { m.item_first_free = 0; }, "bad item free list"},
    {"character off the map", [](MapImage& m) { m.chars[Char_Named(m, "Ann")].x = 7; }, "character off the map"},
    {"character below level 0", [](MapImage& m) { m.chars[Char_Named(m, "Ann")].map_level = -1; },
     "character off the map"},
    {"character holds a free item",
     [](MapImage& m) {
         m.chars[Char_Named(m, "Ann")].slots[SLOT_RIGHT_HAND] = static_cast<std::int16_t>(m.item_first_free);
     },
     "character holds a bad item"},
    {"character AI slot", [](MapImage& m) { m.chars[Char_Named(m, "Bob")].ai_slot = 0x7000; },
     "character with a bad AI slot"},
    {"character in use on the free list", [](MapImage& m) { m.chars[m.char_first_free].flags &= ~CF_FREE; },
     "character in use on the free list"},
    {"cyclic modifier chain",
     [](MapImage& m) {
         const std::uint16_t head = m.chars[Char_Named(m, "Ann")].first_mod;
         m.mods[Last_Of_Chain(m, head)].next = head;
     },
     "bad modifier chain"},
    {"modifier in two chains",
     [](MapImage& m) { m.chars[Char_Named(m, "Bob")].first_mod = m.chars[Char_Named(m, "Ann")].first_mod; },
     "bad modifier chain"},
    {"chain into the free list",
     [](MapImage& m) { m.mods[Last_Of_Chain(m, m.chars[Char_Named(m, "Ann")].first_mod)].next = m.mod_first_free; },
     "bad modifier chain"},
    {"chain past the pool", [](MapImage& m) { m.map_records[Wall(m)].first_mod = 0xF000; }, "bad modifier chain"},
    {"modifier kind 25", [](MapImage& m) { m.mods[m.mod_first_free].type = 25; }, "modifier of an unknown kind"},
    {"modifier owned by kind 4", [](MapImage& m) { m.mods[1].owner = Make_Obj(OBJ_INVALID, 0); },
     "modifier with a bad owner"},
    {"modifier owned past the characters", [](MapImage& m) { m.mods[1].owner = Make_Obj(OBJ_CHAR, 0x7FFF); },
     "modifier with a bad owner"},
    {"cyclic modifier free list", [](MapImage& m) { m.mods.back().next = m.mod_first_free; }, "bad modifier free list"},
    {"area modifier names no modifier",
     [](MapImage& m) { m.area_mods[0].mod = static_cast<std::uint16_t>(m.mods.size()); },
     "area modifier names no modifier"},
    {"map animation owned by kind 4",
     [](MapImage& m) { m.mapanims[Obj_Index(m.map_records[3].link)].owner = Make_Obj(OBJ_INVALID, 0); },
     "map animation with a bad owner"},
    {"map animation free list past the array", [](MapImage& m) { m.mapanim_first_free = 300; },
     "bad map animation free list"},
    {"animation of a missing object", [](MapImage& m) { m.anim_entries[m.anim_active].obj_index = 0xF000; },
     "animation of a bad object"},
    {"animation both running and free", [](MapImage& m) { m.anim_first_free = m.anim_active; },
     "animation both running and free"},
    {"cyclic animation list", [](MapImage& m) { m.anim_entries[m.anim_active].next = m.anim_active; },
     "bad animation list"},
    {"act free list past the pool",
     [](MapImage& m) { m.act_first_free = static_cast<std::uint16_t>(m.acts.size() + 1); }, "bad act free list"},
    {"act list into the free list",
     [](MapImage& m) { m.iq_slots[m.chars[Char_Named(m, "Ann")].ai_slot].first_act = m.act_first_free; },
     "bad act list"},
    {"two slots share a list",
     [](MapImage& m) {
         m.iq_slots[m.chars[Char_Named(m, "Bob")].ai_slot].first_act =
             m.iq_slots[m.chars[Char_Named(m, "Ann")].ai_slot].first_act;
     },
     "bad act list"},
    {"act aimed past the characters",
     [](MapImage& m) {
         m.acts[m.iq_slots[m.chars[Char_Named(m, "Cid")].ai_slot].first_act].target = Make_Obj(OBJ_CHAR, 0x7000);
     },
     "act with a bad target"},
    {"more slots used than there are",
     [](MapImage& m) { m.iq_used = static_cast<std::uint16_t>(m.iq_slots.size() + 1); },
     "more AI slots used than there are"},
    {"slot of kind 4", [](MapImage& m) { m.iq_slots[0].object = Make_Obj(OBJ_INVALID, 0); },
     "AI slot with a bad object"},
    {"free stack too long", [](MapImage& m) { m.iq_free_count = 201; }, "AI free stack too long"},
    {"unused slot on the free stack",
     [](MapImage& m) {
         m.iq_free_count = 1;
         m.iq_free_stack[0] = m.iq_used;
     },
     "bad AI slot on the free stack"},
    {"main character past the characters", [](MapImage& m) { m.main_char = 0x7000; }, "bad main character"},
    {"main character slot", [](MapImage& m) { m.main_char_slot = 0x7000; }, "bad main character slot"},
    {"51 in the party", [](MapImage& m) { m.player_count = 51; }, "party too large"},
    {"party member past the characters", [](MapImage& m) { m.player_chars[0] = 0x7000; }, "bad party member"},
};

TEST_F(MapFile, EveryBrokenLinkOwnerChainAndIndexIsRefused) {
    const MapImage stored = Stored_Image();
    ASSERT_EQ(Check_Map_Image(stored), "");
    Switch_To_Other_World();
    for (const Corruption& c : corruptions) {
        SCOPED_TRACE(c.what);
        MapImage bad = stored;
        c.corrupt(bad);
        Expect_Rejected(Write_Map_Image(bad), c.fault);
    }
}

// A map edited smaller may keep a view or selection naming what it lost:
// such values become none instead of costing the map.
TEST_F(MapFile, StaleViewAndSelectionStateIsSettled) {
    MapImage stale = Stored_Image();
    const std::uint16_t beyond = static_cast<std::uint16_t>(stale.chars.size());
    stale.shown_level = 7;
    stale.selected[1] = beyond;
    stale.select_groups[1][1] = beyond;
    stale.select_groups[4][9] = 0x7000;
    stale.page_char = static_cast<std::int16_t>(beyond);
    stale.tick_cursor = beyond;
    stale.portrait_offset = 51;
    Write_Bytes(Path("stale.map"), Write_Map_Image(stale));
    Switch_To_Other_World();
    ASSERT_TRUE(Load_Map("stale.map"));
    EXPECT_EQ(shown_level, 1u);
    EXPECT_EQ(selected_count, 0);
    EXPECT_NE(select_groups[1][0], NO_INDEX);
    EXPECT_EQ(select_groups[1][1], NO_INDEX);
    EXPECT_EQ(select_groups[4][9], NO_INDEX);
    EXPECT_EQ(page_char, -1);
    EXPECT_EQ(tick_cursor, 0u);
    EXPECT_EQ(portrait_offset, 0u);

    // The object the player works with follows the loaded selection.
    current_object = Make_Obj(OBJ_ITEM, 3);
    stale = Stored_Image();
    std::uint16_t lead = 0;
    while (lead < stale.chars.size() && (stale.chars[lead].flags & CF_FREE)) ++lead;
    ASSERT_LT(lead, stale.chars.size());
    stale.selected_count = 1;
    stale.selected[0] = lead;
    Write_Bytes(Path("stale.map"), Write_Map_Image(stale));
    ASSERT_TRUE(Load_Map("stale.map"));
    EXPECT_EQ(current_object, Make_Obj(OBJ_CHAR, lead));

    stale = Stored_Image();
    stale.selected_count = 10;
    stale.page_char = -2;
    Write_Bytes(Path("stale.map"), Write_Map_Image(stale));
    ASSERT_TRUE(Load_Map("stale.map"));
    EXPECT_EQ(selected_count, 0);
    EXPECT_EQ(page_char, -1);
    EXPECT_EQ(current_object, NOOBJ);
}

// ---- Other failures ----

TEST_F(MapFile, AMissingFileChangesNothing) {
    const auto before = World_Snapshot();
    EXPECT_FALSE(Load_Map("nothing.map"));
    EXPECT_EQ(messages(), std::vector<std::string>{"Unable to open map file"});
    EXPECT_EQ(Snapshot_Differences(before, World_Snapshot()), "");
}

TEST_F(MapFile, AnItemDataFaultLeavesTheWorldAsItWas) {
    Save_Map("world.map");
    const Bytes items = File_Bytes(Path(ITEM_DATA_FILE));
    Switch_To_Other_World();
    const auto before = World_Snapshot();
    const auto types = item_types.size();
    struct Case {
        Bytes item_file;
        const char* message;
    };
    Bytes bad_magic = items;
    bad_magic[0] = 'E';
    Bytes truncated(items.begin(), items.end() - 1);
    for (const Case& c : {Case{{}, "Unable to open item data file"}, Case{bad_magic, "Invalid item data file"},
                          Case{truncated, "Invalid item data file"}}) {
        SCOPED_TRACE(c.message);
        std::filesystem::remove(Path(ITEM_DATA_FILE));
        if (!c.item_file.empty()) Write_Bytes(Path(ITEM_DATA_FILE), c.item_file);
        messages().clear();
        EXPECT_FALSE(Load_Map("world.map"));
        EXPECT_EQ(messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(Snapshot_Differences(before, World_Snapshot()), "");
        EXPECT_EQ(item_types.size(), types);
        EXPECT_EQ(map_loaded, 0u);
    }
}

TEST_F(MapFile, AFailedSaveKeepsTheOldFileWhole) {
    const Bytes old = Saved("world.map");
    Place_Char(0, "New");
    // The temporary file cannot be made: a folder has its name.
    std::filesystem::create_directory(Path("world.map.tmp"));
    messages().clear();
    Save_Map("world.map");
    EXPECT_EQ(messages(), std::vector<std::string>{"Unable to open database file"});
    EXPECT_EQ(File_Bytes(Path("world.map")), old);
    Save_Map("missing folder/world.map");
    EXPECT_EQ(messages().size(), 2u);
}

// ---- Handles, hooks and what the old world held ----

TEST_F(MapFile, HandlesOfTheRunAreClearedOrKeptWhenTheyLast) {
    static act_desc own_act{};
    const std::uint16_t ann = Char_Named(Stored_Image(), "Ann");
    const std::uint16_t bob = Char_Named(Stored_Image(), "Bob");
    const std::uint32_t path[] = {1, 2, 3};
    Store_Char_Path(ann, path, 3, Fix_Ref(9));
    chararray[ann].state = CS_EXECUTING;
    chararray[ann].act = Act_Handle(&act_records[AR_HEAL]);
    chararray[ann].target = Hold_Target_List(One_Field_Target_List(4), Char_Ref(ann));
    chararray[bob].state = CS_ACT_PREPARED;
    chararray[bob].act = Act_Handle(&own_act);
    chararray[bob].target = 1;
    chararray[bob].body_sprite = 77;
    fixitem_types[1].sprite = 1234;
    anim_types[5].sprite = 99;
    const std::uint16_t slot = chararray[ann].ai_slot;
    const std::uint16_t start = Add_Act(slot, ACT_START, NOOBJ, Act_Handle(&own_act), 12, 9);
    const std::uint16_t fixgo = Add_Act(slot, ACT_FIXGO, NOOBJ, 55, 2, 8);
    Save_Map("world.map");
    ASSERT_TRUE(Load_Map("world.map"));

    EXPECT_EQ(chararray[ann].path, 0u);
    EXPECT_EQ(chararray[ann].path_target, NOOBJ);
    EXPECT_EQ(Char_Path(ann), nullptr);
    EXPECT_EQ(Char_Act(ann), &act_records[AR_HEAL]);
    EXPECT_EQ(chararray[ann].target, 0u);
    EXPECT_EQ(chararray[bob].act, 0u);
    EXPECT_EQ(chararray[bob].target, 0u);
    EXPECT_EQ(chararray[bob].body_sprite, 0u);
    EXPECT_EQ(fixitem_types[1].sprite, SPRITE_MISSING);
    EXPECT_EQ(fixitem_types[4].sprite, 0u);
    EXPECT_EQ(anim_types[5].sprite, 0u);
    EXPECT_EQ(actarray.records[start].arg1, 0u);
    EXPECT_EQ(actarray.records[start].arg2, 0u);
    EXPECT_EQ(actarray.records[fixgo].arg1, 0u);
    EXPECT_EQ(actarray.records[fixgo].arg2, 2u);
    EXPECT_EQ(Target_Lists_Alive(), 0u);
}

TEST_F(MapFile, ALoadReleasesTheOldWorldsTimersAndReloadsTheArtworkLast) {
    Save_Map("world.map");
    Switch_To_Other_World();
    Timer_Add(10, 1, REQ_TIMER);
    static std::uint32_t fields_seen = 0;
    static std::string body_type;
    Datafiles_Hooks().load_map_artwork = [] {
        fields_seen = total_fields;
        body_type = item_types[ITEM_TYPE_DEAD_BODY].name;
    };
    ASSERT_TRUE(Load_Map("world.map"));
    EXPECT_EQ(timer_array.active, NO_INDEX);
    EXPECT_EQ(fields_seen, 7u * 6 * 2);
    EXPECT_EQ(body_type, "Dead body");
}

TEST_F(MapFile, CursorMarksAreTakenOffBeforeTheMapIsWritten) {
    static std::string list_when_unmarked;
    Datafiles_Hooks().unmark_cursor_fields = [] {
        Remove_MapAnim(3, 5);
        list_when_unmarked = Field_List(3);
    };
    Save_Map("world.map");
    EXPECT_EQ(list_when_unmarked, "");
    Switch_To_Other_World();
    ASSERT_TRUE(Load_Map("world.map"));
    EXPECT_EQ(Field_List(3), "");
}

TEST_F(MapFile, ALoadedMapInheritsNoAimRouteOrActOfTheMapItReplaces) {
    Save_Map("world.map");
    Switch_To_Other_World();
    // An aim under way, a shown path, an act being carried out, a sight
    // target: each names fields or records of the map in play.
    target_picks = 2;
    picked_fields[0] = 5;
    target_field = 6;
    cursor_field = 7;
    path_char = Make_Obj(OBJ_CHAR, 1);
    path_dest = 8;
    shown_path_dest = 9;
    current_act = 3;
    party_observer = Make_Obj(OBJ_CHAR, 2);
    sight_target = 10;
    act_records[0].origin = Make_Obj(OBJ_FIXITEM, 11);
    ASSERT_TRUE(Load_Map("world.map"));
    EXPECT_EQ(target_picks, 0);
    EXPECT_EQ(picked_fields[0], NO_FIELD);
    EXPECT_EQ(target_field, NO_FIELD);
    EXPECT_EQ(cursor_field, NO_FIELD);
    EXPECT_EQ(path_char, NOOBJ);
    EXPECT_EQ(path_dest, NO_FIELD);
    EXPECT_EQ(shown_path_dest, NO_FIELD);
    EXPECT_EQ(current_act, NO_INDEX);
    EXPECT_EQ(party_observer, NOOBJ);
    EXPECT_EQ(sight_target, NO_FIELD);
    EXPECT_EQ(act_records[0].origin, NOOBJ);
}

}  // namespace
