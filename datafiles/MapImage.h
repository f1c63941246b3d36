// A whole map file in memory: every block of the file as the world holds
// it. The loader reads a file into an image, checks it whole and only then
// puts it into the world; the writer takes an image of the world and writes
// it. Also usable without files (tests, the fuzz target).
#pragma once
#include <array>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/Modifiers.h"

constexpr char MAP_FILE_MAGIC[] = "save v1.03";
constexpr std::size_t MAP_FILE_MAGIC_SIZE = sizeof MAP_FILE_MAGIC;
static_assert(MAP_FILE_MAGIC_SIZE == 11);

// The twelve record sizes of the header, in their order.
enum MapRecordKind {
    MRK_ITEM,
    MRK_MAP_RECORD,
    MRK_FIXITEM_TYPE,
    MRK_FIELD_WORD,
    MRK_ANIM_ENTRY,
    MRK_MAPANIM,
    MRK_ANIM_TYPE,
    MRK_CHAR,
    MRK_MODIFIER,
    MRK_AREA_MOD,
    MRK_ACT,
    MRK_IQ_SLOT,
    MAP_RECORD_KINDS
};
constexpr std::uint32_t MAP_RECORD_SIZES[MAP_RECORD_KINDS] = {
    sizeof(item_record), sizeof(map_record),     sizeof(fixitem_type), sizeof(std::uint16_t),
    sizeof(anim_entry),  sizeof(mapanim_record), sizeof(anim_type),    sizeof(char_record),
    sizeof(modifier),    sizeof(global_mod),     sizeof(act_entry),    sizeof(iq_slot)};

// Offsets the format fixes: the first map record follows the header.
constexpr std::uint64_t MAP_FILE_HEADER_SIZE = 99;

struct MapImage {
    std::uint32_t record_sizes[MAP_RECORD_KINDS] = {};

    std::uint32_t width = 0, height = 0, levels = 0;
    std::int32_t scroll_x = 0, scroll_y = 0;
    std::uint32_t shown_level = 0;
    std::uint32_t turn_mode = 0, clock_step = 0, game_speed = 0;

    std::vector<map_record> map_records;
    std::uint16_t map_first_free = NO_INDEX;
    std::array<fixitem_type, FIXITEM_SLOTS> fixitem_types{};
    std::vector<std::uint16_t> mapfield;

    std::uint32_t anim_wait = 0;
    std::uint8_t anim_cycle = 0;
    std::uint16_t mapanim_first_free = NO_INDEX;
    std::uint16_t anim_first_free = NO_INDEX;
    std::uint16_t anim_active = NO_INDEX;
    std::vector<anim_entry> anim_entries;
    std::vector<mapanim_record> mapanims;
    std::array<anim_type, ANIM_TYPE_COUNT> anim_types{};

    std::vector<item_record> items;
    std::uint16_t item_first_free = NO_INDEX;
    std::vector<char_record> chars;
    std::uint16_t char_first_free = NO_INDEX;
    std::vector<modifier> mods;
    std::uint16_t mod_first_free = NO_INDEX;
    std::vector<global_mod> area_mods;

    std::uint16_t selected_count = 0;
    std::uint16_t selected[SELECT_SLOTS] = {};
    std::uint16_t select_groups[SELECT_GROUPS][SELECT_SLOTS] = {};
    std::int16_t page_char = -1;
    std::int32_t decision_budget = 0;
    std::uint32_t tick_cursor = 0;

    std::vector<act_entry> acts;
    std::uint16_t act_first_free = 0;
    std::vector<iq_slot> iq_slots;
    std::uint16_t iq_used = 0;
    std::uint16_t iq_free_count = 0;
    std::uint16_t iq_free_stack[IQ_FREE_STACK_SIZE] = {};
    std::uint16_t main_char = NO_INDEX;
    std::uint16_t main_char_slot = NO_INDEX;
    std::uint32_t player_count = 0;
    std::uint32_t portrait_offset = 0;
    std::uint16_t player_chars[MAX_PLAYER_CHARS] = {};
    std::vector<std::int8_t> relations;  // iq_slots.size() squared

    std::uint32_t Total_Fields() const { return width * height * levels; }
};

// ---- The file format ----
// Reads a map file of size bytes into image. False when the file is not a
// complete, consistent map: the magic, the record sizes (a size larger than
// ours is refused, a smaller one fills the start of each record), the map
// size, every capacity and count against what is left of the file, and
// every link, owner, chain and index (Check_Map_Image); the view state is
// settled (Settle_View_State). fault, when given, gets a short description
// of the first fault found.
bool Read_Map_Image(std::istream& in, std::uint64_t size, MapImage& image, std::string* fault = nullptr);
// The file bytes of an image, every block in order, each array whole.
std::vector<std::uint8_t> Write_Map_Image(const MapImage& image);

// Checks the links, owners, chains and indexes of a parsed image; the
// description of the first fault, or empty when there is none.
std::string Check_Map_Image(const MapImage& image);
// The view and selection state names no record the map lacks: a shown
// level above the top level becomes the top level; a selection, a group
// entry, a page character, a tick cursor or a portrait offset naming no
// character becomes none (0 for the cursor and the offset). A map edited
// smaller can carry such stale values; they are not worth refusing it for.
void Settle_View_State(MapImage& image);

// ---- The world ----
// An image of the world as it stands (the record sizes are ours).
void Capture_Map_Image(MapImage& image);
// Replaces the world's arrays and globals with the image's (moved out of
// it) and rebuilds the free marks of the arrays.
void Install_Map_Image(MapImage& image);
// Handles of the run in records mean nothing in a file: sprites are cleared
// for the artwork loader to set again (a used fixitem type slot keeps a
// non-zero mark), stored paths and held target lists are dropped, and an
// act is kept only when its handle names one of the game's own act records.
void Clear_Run_Time_Handles(MapImage& image);
// Only what the records hold of the characters' stored paths and held
// target lists, which go when the image is installed: the image of a world
// that is put back in the same run keeps its sprites and act handles.
void Clear_Held_Handles(MapImage& image);
