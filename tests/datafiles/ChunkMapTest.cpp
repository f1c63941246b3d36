// The chunked map importer: a world written as a chunked map and imported
// comes back in every record the format carries, with its arrays as a new
// map's allocators make them; the importer's own cases; and every faulty
// file is refused with its reason and leaves the world byte-identical.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <stdexcept>

#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "System/ErrorReport.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "datafiles/FileReader.h"
#include "datafiles/LightMap.h"
#include "datafiles/MapConverter.h"
#include "datafiles/MapImage.h"
#include "platform/FileWrite.h"
#include "support/RecordingHandler.h"
#include "support/SpriteFiles.h"
#include "support/TimedWorld.h"
#include "support/WorldBuilder.h"
#include "tests/datafiles/MapFileFixture.h"
#include "tools/writers/ChunkMapWriter.h"

using namespace fixture;

namespace {

constexpr std::uint32_t W = 6, H = 5, L = 2;
constexpr std::uint8_t FLOOR = 1, WALL = 2, TOP = 3;

MapImage Stored_Image() {
    MapImage m;
    Capture_Map_Image(m);
    Clear_Run_Time_Handles(m);
    return m;
}

template <class T>
::testing::AssertionResult Same_Records(const std::vector<T>& a, const std::vector<T>& b, std::size_t from,
                                        std::size_t to) {
    if (a.size() < to || b.size() < to) return ::testing::AssertionFailure() << "fewer than " << to << " records";
    for (std::size_t i = from; i < to; ++i)
        if (std::memcmp(&a[i], &b[i], sizeof(T)) != 0) return ::testing::AssertionFailure() << "record " << i;
    return ::testing::AssertionSuccess();
}

std::string Fault_Of(const Bytes& file) {
    MemoryInput in(file.data(), file.size());
    ImportedMap map;
    return Read_Chunk_Map(in, file.size(), map);
}

// The chunk of a list with the given tag.
MapChunk& Chunk(std::vector<MapChunk>& chunks, const std::string& tag) {
    for (MapChunk& c : chunks)
        if (c.tag == tag) return c;
    throw std::runtime_error("no chunk " + tag);
}

void Erase_Chunk(std::vector<MapChunk>& chunks, const std::string& tag) {
    std::erase_if(chunks, [&](const MapChunk& c) { return c.tag == tag; });
}

// A record of a chunk's payload (after its count), to change in place.
template <class T>
T& Record(MapChunk& chunk, std::size_t i) {
    return *reinterpret_cast<T*>(chunk.payload.data() + 2 + i * sizeof(T));
}

class ChunkMap : public DataFolderTest {
  protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        Reset_Converter_Counts();
        Build_World();
    }
    void TearDown() override {
        Reset_Converter_Counts();
        DataFolderTest::TearDown();
    }

    // Two levels of floors and field words, fixitems stacked two high on one
    // field and alone on another level, items on the ground and in slots,
    // characters of two lobbies, and modifiers of both insertion orders on a
    // field head, a stacked fixitem, an item and a character: every array
    // in use from its start, as the importer makes them.
    void Build_World() {
        Reset_Timed_World(W, H, L);
        Set_Fixitem_Type(FLOOR, LAYER_FLOOR);
        Set_Fixitem_Type(WALL, LAYER_WALL, 1, -1, 100);
        Set_Fixitem_Type(TOP, LAYER_WALL + 1, 1, -1, 100);
        for (std::uint32_t f = 0; f < total_fields; ++f) {
            maparray.records[f].type = f % 7 == 6 ? 0 : FLOOR;
            maparray.records[f].frame = static_cast<std::uint8_t>(f % 20);
            mapfield[f] = static_cast<std::uint16_t>((f * 37) & (MF_ELEVATION | MF_BLOCKED | MF_ASK_SIGHT));
        }
        wall = Place_Fixitem(stack_field, WALL);
        top = Place_Fixitem(stack_field, TOP);
        Place_Fixitem(static_cast<std::uint16_t>(total_fields - 2), WALL);
        const std::uint16_t sword = Add_Item_Type("Sword", CLASS_SWORD, 5, 0, 0x13);
        const std::uint16_t key = Add_Item_Type("Key", CLASS_KEY);
        Add_Item_Type("Shield", CLASS_SHIELD, 0, 3, 0x22);
        ground = Place_Item(stack_field, sword);
        Place_Item(2, key);
        ann = Place_Char(8, "Ann");
        const std::uint16_t bob = Place_Char(static_cast<std::uint16_t>(fields_per_level + 9), "Bob", 4);
        held = Give_Item(ann, sword, SLOT_RIGHT_HAND);
        Give_Item(bob, key, 0);

        ScopedHandler appended(MK_IRON_SKIN, {}, 0);
        ScopedHandler first(MK_CHEST, {}, MOD_INSERT_HEAD);
        Add_Modifier(1, Fix_Ref(stack_field), MK_IRON_SKIN, 1, 2, 3, 4);
        Add_Modifier(2, Fix_Ref(top), MK_IRON_SKIN, 5, 0, 0, 0);
        Add_Modifier(3, Fix_Ref(top), MK_CHEST, 6, 0, 0, 0);
        Add_Modifier(4, Item_Ref(ground), MK_CHEST, 7, 0, 0, 0);
        Add_Modifier(5, Item_Ref(held), MK_IRON_SKIN, 8, 0, 0, 0);
        Add_Modifier(6, Char_Ref(ann), MK_IRON_SKIN, 9, 0, 0, 0);
        Add_Modifier(7, Char_Ref(ann), MK_CHEST, 10, 0, 0, 0);
        Add_Modifier(8, Char_Ref(bob), MK_IRON_SKIN, 11, 0, 0, 0);
    }

    std::vector<MapChunk> Chunks() { return Chunks_Of_Image(Stored_Image(), item_types); }

    void Write_Source(const Bytes& file) {
        std::filesystem::create_directories(Path("ARTWORK/MAPS"));
        Write_Bytes(Path("ARTWORK/MAPS/aa.bin"), file);
    }

    // Another world than the one the file was written from.
    void Switch_To_Other_World() {
        Reset_Timed_World(4, 3);
        Place_Char(3, "Eve", 1);
        item_types.resize(4);
        light.assign(total_fields, 40);
    }

    // The importer refuses the file for the reason given, and the world,
    // its item types, its light and the last import's counts stay as they
    // were.
    void Expect_Refused(const Bytes& file, const std::string& fault) {
        SCOPED_TRACE(fault);
        EXPECT_EQ(Fault_Of(file), fault);
        Write_Source(file);
        const auto before = World_Snapshot();
        const std::vector<item_type> types = item_types;
        const std::vector<std::uint8_t> lights = light;
        converter_counts.items = 77;
        const ConverterResult result = Run_Map_Converter();
        EXPECT_EQ(result.fault, fault);
        EXPECT_EQ(Snapshot_Differences(before, World_Snapshot()), "");
        ASSERT_EQ(item_types.size(), types.size());
        EXPECT_EQ(std::memcmp(item_types.data(), types.data(), types.size() * sizeof(item_type)), 0);
        EXPECT_EQ(light, lights);
        EXPECT_EQ(converter_counts.items, 77);
        EXPECT_TRUE(Headless_Backend().boxes.empty());
    }

    void Expect_Refused(const std::vector<MapChunk>& chunks, const std::string& fault) {
        Expect_Refused(Chunk_Map_Bytes(chunks), fault);
    }

    ConverterResult Import(const std::vector<MapChunk>& chunks) {
        Write_Source(Chunk_Map_Bytes(chunks));
        return Run_Map_Converter();
    }

    const std::uint16_t stack_field = 14;
    std::uint16_t wall = 0, top = 0, ground = 0, held = 0, ann = 0;
};

// ---- The round trip ----

TEST_F(ChunkMap, AWorldWrittenAndImportedComesBackInEveryRecordTheFormatCarries) {
    MapImage original = Stored_Image();
    for (char_record& c : original.chars) c.ai_slot = NO_INDEX;  // the AI slots come with the map's start
    const std::vector<item_type> types = item_types;
    const std::vector<MapChunk> chunks = Chunks_Of_Image(original, types);
    const std::string lists = Field_List(stack_field) + "|" + Field_List(8) + "|" + Field_List(2);
    Switch_To_Other_World();

    const ConverterResult result = Import(chunks);
    ASSERT_EQ(result.fault, "");
    const MapImage imported = Stored_Image();
    EXPECT_EQ(imported.width, W);
    EXPECT_EQ(imported.height, H);
    EXPECT_EQ(imported.levels, L);
    EXPECT_EQ(total_fields, W * H * L);
    EXPECT_EQ(imported.mapfield, original.mapfield);
    const std::size_t fields = W * H * L;
    EXPECT_TRUE(Same_Records(imported.map_records, original.map_records, 0, fields + 3)) << "heads, stacked fixitems";
    EXPECT_TRUE(Same_Records(imported.items, original.items, 1, 5));
    EXPECT_TRUE(Same_Records(imported.chars, original.chars, 0, 2));
    EXPECT_TRUE(Same_Records(imported.mods, original.mods, 1, 9));
    const std::vector<fixitem_type> slots(imported.fixitem_types.begin(), imported.fixitem_types.end());
    const std::vector<fixitem_type> slots0(original.fixitem_types.begin(), original.fixitem_types.end());
    EXPECT_TRUE(Same_Records(slots, slots0, 1, 4));
    ASSERT_EQ(item_types.size(), types.size());
    EXPECT_TRUE(Same_Records(item_types, types, 0, types.size()));
    EXPECT_EQ(Field_List(stack_field) + "|" + Field_List(8) + "|" + Field_List(2), lists);

    const ConverterCounts& c = result.counts;
    EXPECT_EQ(c.width, W);
    EXPECT_EQ(c.levels, L);
    EXPECT_EQ(c.item_types, 4);
    EXPECT_EQ(c.items, 4);
    EXPECT_EQ(c.chars, 2);
    EXPECT_EQ(c.fixitem_types, 3);
    EXPECT_EQ(c.fixitems, 3);
    EXPECT_EQ(c.modifiers, 8);
    EXPECT_EQ(c.map_records, fields + 3);
    EXPECT_EQ(converter_counts.map_records, c.map_records);
    EXPECT_EQ(Converter_Fixitem_Type_Count(), 3);
    EXPECT_TRUE(Headless_Backend().boxes.empty());
}

// The arrays of the imported map are those the allocators of a new map make
// for the counts the file gives, with the file's records in their places.
TEST_F(ChunkMap, TheImportedArraysAreThoseOfANewMapOfTheFilesCounts) {
    const std::vector<MapChunk> chunks = Chunks();
    Switch_To_Other_World();
    ASSERT_EQ(Import(chunks).fault, "");
    const auto imported = World_Snapshot();
    const MapImage image = Stored_Image();

    const std::uint16_t fields = W * H * L;
    Set_Map_Geometry(W, H, L);
    Alloc_Map_Array(fields + 3);
    std::copy_n(image.map_records.begin(), fields + 3, maparray.records.begin());
    Init_Char_Array(2);
    std::copy_n(image.chars.begin(), 2, chararray.records.begin());
    Alloc_Item_Array(4);
    std::copy_n(image.items.begin() + 1, 4, itemarray.records.begin() + 1);
    Init_Mod_Array(8);
    std::copy_n(image.mods.begin() + 1, 8, mod_array.records.begin() + 1);
    Alloc_Map_Anims();
    Alloc_Global_Modifiers(10);
    const auto made = World_Snapshot();
    for (const char* part :
         {"maparray", "chararray", "itemarray", "mod_array", "mapanim", "animated_fixitems", "global_modifiers"})
        EXPECT_EQ(imported.at(part), made.at(part)) << part;
    EXPECT_EQ(maparray.Capacity(), fields + 3 + MAP_ARRAY_STEP);
    EXPECT_EQ(New_Map_Record(), fields + 3);
    EXPECT_EQ(New_Item_Record(), 5);
    EXPECT_EQ(Alloc_Char(), 2);
    EXPECT_EQ(New_Modifier_Record(), 9);
}

TEST_F(ChunkMap, TheMapStartsWithoutSelectionPartyOrAISlotsAndKeepsTheViewAndSpeed) {
    Select_Char(ann);
    game_speed = clock_step = 7;
    scroll_x = 123;
    shown_level = 1;
    const std::vector<MapChunk> chunks = Chunks();
    ASSERT_EQ(Import(chunks).fault, "");
    EXPECT_EQ(selected_count, 0);
    EXPECT_EQ(current_object, NOOBJ);
    EXPECT_EQ(player_count, 0u);
    EXPECT_EQ(main_char, NO_INDEX);
    EXPECT_EQ(iqarray.Capacity(), 0);
    for (std::uint16_t c = 0; c < 2; ++c) EXPECT_EQ(chararray[c].ai_slot, NO_INDEX);
    EXPECT_EQ(game_speed, 7u);
    EXPECT_EQ(scroll_x, 123);
    EXPECT_EQ(shown_level, 1u);
}

// ---- The importer's own cases ----

TEST_F(ChunkMap, AnArrayTheFileDoesNotBringStartsEmpty) {
    std::vector<MapChunk> chunks = Chunks();
    for (const char* tag : {"ITTP", "FXTP", "ITEM", "CHAR", "MODI"}) Erase_Chunk(chunks, tag);
    // A map of floors only: the fields hold nothing and no modifiers.
    MapChunk& map = Chunk(chunks, "MAP ");
    for (std::size_t f = 0; f < W * H * L; ++f) {
        map_record& head = *reinterpret_cast<map_record*>(map.payload.data() + 8 + f * sizeof(map_record));
        head.first_mod = NO_INDEX;
        head.link = Make_Obj(OBJ_NONE, static_cast<std::uint16_t>(f));
    }
    map.payload[6] = 0;  // no stacked fixitems
    Erase_Chunk(chunks, "FXIT");
    ASSERT_EQ(Import(chunks).fault, "");

    EXPECT_EQ(item_types.size(), 2u);
    EXPECT_EQ(std::string(item_types[1].name), "Dead body");
    EXPECT_EQ(itemarray.Capacity(), 1 + ITEM_ARRAY_STEP);
    EXPECT_EQ(itemarray.first_free, 1);
    EXPECT_EQ(chararray.Capacity(), CHAR_ARRAY_STEP);
    EXPECT_FALSE(Char_In_Use(0));
    EXPECT_EQ(mod_array.first_free, 1);
    for (int slot = 1; slot < MAP_TYPE_SLOTS; ++slot) {
        EXPECT_EQ(fixitem_types[slot].flags, FIX_SLOT_FREE) << slot;
        EXPECT_EQ(fixitem_types[slot].sprite, 0u) << slot;
    }
    EXPECT_EQ(Field_List(stack_field), "");
}

TEST_F(ChunkMap, FixitemTypesFillSlotsOneToNAndFreeTheRestOfTheMapsSlots) {
    fixitem_types[SLOT_FLAME].height = 9;  // a built-in slot, which no file brings
    std::vector<MapChunk> chunks = Chunks();
    Record<fixitem_type>(Chunk(chunks, "FXTP"), 2).flags = FIX_SLOT_FREE | FIX_BURNABLE;
    ASSERT_EQ(Import(chunks).fault, "");
    EXPECT_EQ(std::string(fixitem_types[WALL].sprite_name), "FIX002");
    EXPECT_EQ(fixitem_types[TOP].flags, FIX_SLOT_FREE | FIX_BURNABLE) << "slot n brings its own flags";
    EXPECT_EQ(fixitem_types[TOP + 1].flags, FIX_SLOT_FREE);
    EXPECT_EQ(fixitem_types[MAP_TYPE_SLOTS - 1].flags, FIX_SLOT_FREE);
    EXPECT_EQ(fixitem_types[MAP_TYPE_SLOTS].flags, 0);
    EXPECT_EQ(fixitem_types[SLOT_FLAME].height, 9);
}

TEST_F(ChunkMap, FiveItemTypesLeaveTypesZeroAndOneBuiltIn) {
    std::vector<MapChunk> chunks = Chunks();
    std::vector<item_type> five(5);
    for (int i = 0; i < 5; ++i) std::snprintf(five[i].name, sizeof five[i].name, "Type %d", i + 1);
    Chunk(chunks, "ITTP") = Record_Chunk("ITTP", 5, five);
    ASSERT_EQ(Import(chunks).fault, "");
    ASSERT_EQ(item_types.size(), 6u);
    EXPECT_EQ(std::string(item_types[0].name), "");
    EXPECT_EQ(item_types[0].size, 0x11);
    EXPECT_EQ(std::string(item_types[1].name), "Dead body");
    EXPECT_EQ(item_types[1].item_class, CLASS_CORPSE);
    for (int i = 2; i <= 5; ++i) EXPECT_EQ(std::string(item_types[i].name), "Type " + std::to_string(i));
}

TEST_F(ChunkMap, NoItemTypesGiveTheTwoBuiltInRows) {
    std::vector<MapChunk> chunks = Chunks();
    // Every item of the map is of a built-in type.
    Chunk(chunks, "ITTP") = Record_Chunk("ITTP", 0, std::vector<item_type>{});
    for (std::size_t i = 0; i < 4; ++i) Record<item_record>(Chunk(chunks, "ITEM"), i).type = ITEM_TYPE_DEAD_BODY;
    ASSERT_EQ(Import(chunks).fault, "");
    EXPECT_EQ(item_types.size(), 2u);
}

TEST_F(ChunkMap, ChunksComeInAnyOrder) {
    std::vector<MapChunk> chunks = Chunks();
    std::vector<MapChunk> shuffled;
    for (const char* tag : {"ITTP", "MODI", "CHAR", "MAP ", "ITEM", "FXIT", "FXTP"})
        shuffled.push_back(Chunk(chunks, tag));
    ASSERT_EQ(Import(shuffled).fault, "");
    EXPECT_EQ(Char_Name(chararray[0]), "Ann");
}

TEST_F(ChunkMap, AMissingFileIsReportedAndChangesNothing) {
    const auto before = World_Snapshot();
    const ConverterResult result = Run_Map_Converter();
    EXPECT_EQ(result.fault, "no source file found...");
    EXPECT_EQ(Snapshot_Differences(before, World_Snapshot()), "");
    EXPECT_TRUE(Headless_Backend().boxes.empty());
}

TEST_F(ChunkMap, TheImporterReadsThePathItWasGiven) {
    MapConverter converter;
    Converter_Init(converter);
    EXPECT_STREQ(converter.path, "artwork//maps//aa.bin");
    Write_Bytes(Path("other.bin"), Chunk_Map_Bytes(Chunks()));
    std::strcpy(converter.path, "other.bin");
    Switch_To_Other_World();
    EXPECT_EQ(Converter_Load(converter).fault, "");
    EXPECT_EQ(map_width, W);
}

// ---- Refused files ----

TEST_F(ChunkMap, TheImportersFaultsAreRefusedAndChangeNothing) {
    const std::vector<MapChunk> good = Chunks();
    struct Case {
        const char* fault;
        std::function<void(std::vector<MapChunk>&)> change;
    };
    const MapChunk& map = good[0];
    auto map_with = [&](std::uint16_t w, std::uint16_t h, std::uint16_t l, std::uint16_t extra) {
        MapChunk m = map;
        for (int i = 0; const std::uint16_t v : {w, h, l, extra}) Set_U16(m.payload, 2 * i++, v);
        return m;
    };
    const Case cases[] = {
        {"no \"MAP \" chunk", [](auto& c) { c.clear(); }},
        {"no \"MAP \" chunk",
         [](auto& c) {
             Erase_Chunk(c, "MAP ");
             Erase_Chunk(c, "FXIT");
         }},
        {"unknown chunk \"XYZW\"",
         [](auto& c) { c.insert(c.end() - 3, Record_Chunk_Bytes("XYZW", 3, "\x01\x02\x03\x04\x05\x06", 6)); }},
        {"unknown chunk \"map \"", [](auto& c) { c[0].tag = "map "; }},
        {"unknown chunk \"?AP \"", [](auto& c) { c[0].tag = std::string(1, '\x01') + "AP "; }},
        {"repeated \"ITEM\" chunk", [](auto& c) { c.push_back(Chunk(c, "ITEM")); }},
        {"repeated \"MAP \" chunk", [](auto& c) { c.push_back(c[0]); }},
        {"\"FXIT\" before \"MAP \"", [](auto& c) { std::swap(c[0], c[3]); }},
        {" nFixitemLoad != fNum !!!", [&](auto& c) { c[0] = map_with(W, H, L, 2); }},
        {" nFixitemLoad != fNum !!!", [&](auto& c) { c[0] = map_with(W, H, L, 4); }},
        {" nFixitemLoad != fNum !!!", [](auto& c) { Erase_Chunk(c, "FXIT"); }},
        {"map size out of range", [&](auto& c) { c[0] = map_with(0, H, L, 3); }},
        {"map size out of range", [&](auto& c) { c[0] = map_with(101, H, L, 3); }},
        {"map size out of range", [&](auto& c) { c[0] = map_with(W, 0, L, 3); }},
        {"map size out of range", [&](auto& c) { c[0] = map_with(W, 101, L, 3); }},
        {"map size out of range", [&](auto& c) { c[0] = map_with(W, H, 0, 3); }},
        {"map size out of range", [&](auto& c) { c[0] = map_with(W, H, 6, 3); }},
        {"too many map records", [&](auto& c) { c[0] = map_with(100, 100, 5, 0xFFFF - 50000); }},
        {"truncated \"MAP \" chunk", [&](auto& c) { c[0] = map_with(100, 100, 5, 0xFFFF - 50001); }},
        {"too many item types", [](auto& c) { Chunk(c, "ITTP") = Record_Chunk_Bytes("ITTP", 0xFFFF, "", 0); }},
        {"truncated \"ITTP\" chunk", [](auto& c) { Chunk(c, "ITTP") = Record_Chunk_Bytes("ITTP", 0xFFFE, "", 0); }},
        {"too many items", [](auto& c) { Chunk(c, "ITEM") = Record_Chunk_Bytes("ITEM", 0xFFFF - 51, "", 0); }},
        {"truncated \"ITEM\" chunk",
         [](auto& c) { Chunk(c, "ITEM") = Record_Chunk_Bytes("ITEM", 0xFFFF - 52, "", 0); }},
        {"too many characters", [](auto& c) { Chunk(c, "CHAR") = Record_Chunk_Bytes("CHAR", 0xFFFF - 40, "", 0); }},
        {"truncated \"CHAR\" chunk",
         [](auto& c) { Chunk(c, "CHAR") = Record_Chunk_Bytes("CHAR", 0xFFFF - 41, "", 0); }},
        {"too many fixitem types", [](auto& c) { Chunk(c, "FXTP") = Record_Chunk_Bytes("FXTP", 240, "", 0); }},
        {"truncated \"FXTP\" chunk", [](auto& c) { Chunk(c, "FXTP") = Record_Chunk_Bytes("FXTP", 239, "", 0); }},
        {"too many modifiers", [](auto& c) { Chunk(c, "MODI") = Record_Chunk_Bytes("MODI", 3000, "", 0); }},
        {"truncated \"MODI\" chunk", [](auto& c) { Chunk(c, "MODI") = Record_Chunk_Bytes("MODI", 2999, "", 0); }},
        // Links, owners, chains and indexes.
        {"field list holds a bad object",
         [](auto& c) { Record<item_record>(Chunk(c, "ITEM"), 0).link = Make_Obj(OBJ_ITEM, 40); }},
        {"field lists cross or cycle",
         [&](auto& c) { Record<item_record>(Chunk(c, "ITEM"), 0).link = Make_Obj(OBJ_ITEM, ground); }},
        {"character off the map", [](auto& c) { Record<char_record>(Chunk(c, "CHAR"), 1).map_level = L; }},
        {"character holds a bad item", [](auto& c) { Record<char_record>(Chunk(c, "CHAR"), 0).slots[3] = 9; }},
        {"modifier of an unknown kind", [](auto& c) { Record<modifier>(Chunk(c, "MODI"), 0).type = MOD_KIND_COUNT; }},
        {"bad modifier chain", [](auto& c) { Record<modifier>(Chunk(c, "MODI"), 7).next = 1; }},
        {"bad modifier chain", [](auto& c) { Erase_Chunk(c, "MODI"); }},
        {"stacked fixitem on no field",
         [&](auto& c) {
             // The wall's field lists the top fixitem straight after the ground item.
             Record<item_record>(Chunk(c, "ITEM"), ground - 1).link = Make_Obj(OBJ_FIXITEM, top);
         }},
        {"item of an unknown type", [](auto& c) { Record<item_record>(Chunk(c, "ITEM"), 1).type = 5; }},
        {"item not where its owner is",
         [](auto& c) { Record<item_record>(Chunk(c, "ITEM"), 1).owner = Make_Obj(OBJ_FIXITEM, 3); }},
        {"item not where its owner is", [](auto& c) { Record<item_record>(Chunk(c, "ITEM"), 1).owner = NOOBJ; }},
        {"item not where its owner is",
         [&](auto& c) { Record<item_record>(Chunk(c, "ITEM"), held - 1).owner = Make_Obj(OBJ_CHAR, 1); }},
        {"character not on its field", [](auto& c) { Record<char_record>(Chunk(c, "CHAR"), 0).x = 0; }},
        {"modifier owned by another object",
         [](auto& c) { Record<modifier>(Chunk(c, "MODI"), 0).owner = Make_Obj(OBJ_CHAR, 0); }},
    };
    for (const Case& k : cases) {
        std::vector<MapChunk> chunks = good;
        k.change(chunks);
        SCOPED_TRACE(&k - cases);
        Expect_Refused(chunks, k.fault);
    }
}

TEST_F(ChunkMap, TruncationAtAndInsideEveryChunkAndTrailingBytesAreRefused) {
    const std::vector<MapChunk> chunks = Chunks();
    const Bytes file = Chunk_Map_Bytes(chunks);
    Expect_Refused(Bytes(file.begin(), file.begin() + 2), "truncated header");
    Expect_Refused(Bytes(file.begin(), file.begin() + 4), "no \"MAP \" chunk");
    for (int extra = 1; extra <= 3; ++extra) {
        Bytes longer = file;
        longer.insert(longer.end(), static_cast<std::size_t>(extra), 'M');
        Expect_Refused(longer, "trailing bytes after the last chunk");
    }
    std::size_t start = CHUNK_MAP_HEADER_SIZE;
    for (const MapChunk& c : chunks) {
        SCOPED_TRACE(c.tag);
        const std::size_t end = start + CHUNK_TAG_SIZE + c.payload.size();
        // Inside the tag, inside the count or size words, inside a record
        // and one byte short of the chunk's end.
        for (std::size_t cut : {start + 1, start + 3})
            Expect_Refused(Bytes(file.begin(), file.begin() + cut), "trailing bytes after the last chunk");
        const std::string truncated = "truncated \"" + c.tag + "\" chunk";
        std::vector<std::size_t> cuts = {start + 4, start + 5, end - 1};
        if (c.payload.size() > 12) cuts.push_back(start + 4 + c.payload.size() / 2);
        for (std::size_t cut : cuts) Expect_Refused(Bytes(file.begin(), file.begin() + cut), truncated);
        // The file ending right before the chunk leaves what the other
        // chunks name without its records.
        if (&c != &chunks.front()) {
            EXPECT_NE(Fault_Of(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(start))), "");
        }
        start = end;
    }
    EXPECT_EQ(start, file.size());
}

// ---- The body sprites of the characters read ----

TEST(ChunkMapSprites, EachCharacterReadGetsItsBodyFromRpgArtworkOrTheLoadersMessage) {
    SpriteFolder folder;
    Reset_World(4, 4);
    Place_Char(1, "Ann");
    char_record ghost = Char_Template("Gus");
    std::strcpy(ghost.body_name, "GHOST");
    Place_Char(2, ghost);
    const std::vector<MapChunk> chunks = Chunks_Of_Image(Stored_Image(), item_types);
    std::filesystem::create_directories(folder.Root() / "ARTWORK" / "MAPS");
    Write_Bytes(folder.Root() / "ARTWORK" / "MAPS" / "aa.bin", Chunk_Map_Bytes(chunks));
    folder.Add_Bitmap("RPG\\ARTWORK\\HUMAN", 3, 5);
    ASSERT_EQ(Run_Map_Converter().fault, "");
    ASSERT_EQ(chararray[0].body_sprite, 0u);

    Converter_Load_Char_Sprites();
    const sprite* human = Sprite_From_Handle(chararray[0].body_sprite);
    ASSERT_NE(human, nullptr);
    EXPECT_EQ(human->frames, 3);
    EXPECT_EQ(human->width, 5);
    EXPECT_EQ(chararray[1].body_sprite, 0u);
    ASSERT_EQ(Headless_Backend().boxes.size(), 1u);
    EXPECT_EQ(Headless_Backend().boxes[0].text.rfind("Can't load bitmap:\n", 0), 0u)
        << Headless_Backend().boxes[0].text;
    EXPECT_NE(Headless_Backend().boxes[0].text.find("GHOST"), std::string::npos);
    Release_Sprite(Sprite_From_Handle(chararray[0].body_sprite));
    chararray[0].body_sprite = 0;
    Reset_Quitting();
}

}  // namespace
