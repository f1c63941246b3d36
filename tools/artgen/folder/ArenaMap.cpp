#include "tools/artgen/folder/ArenaMap.h"

#include <cstring>
#include <system_error>
#include <vector>

#include "Objects/Char/CharSlots.h"
#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "System/Random.h"
#include "datafiles/MapImage.h"
#include "frontend/FieldBuilding.h"
#include "platform/PathResolver.h"
#include "tools/artgen/Figures.h"
#include "tools/artgen/Terrain.h"
#include "tools/artgen/folder/ItemDatabase.h"
#include "tools/writers/ChunkMapWriter.h"

namespace art {

namespace {

namespace fs = std::filesystem;

enum ArenaSlot : std::uint8_t { FLOOR = 1, WALL, BARREL, TORCH };

struct ArenaSlotDef {
    ArenaSlot slot;
    const char* sprite;  // ARTWORK\<sprite>.BMP; "Faklya" is a light source
    std::uint8_t height;
    std::int8_t mp;
    std::uint8_t fill;
    std::uint8_t flags;
    std::int8_t max_hp;
};

constexpr std::int8_t GROUND = 4, IMPASSABLE = -1;
constexpr std::uint8_t FULL = 100;
constexpr std::uint8_t BARREL_HEIGHT = 16;

const ArenaSlotDef arena_slots[] = {
    {FLOOR, "STONE", 0, GROUND, 0, FIX_GROUND, 100},
    {WALL, "WALL", WALL_HEIGHT, IMPASSABLE, FULL, 0, 100},
    {BARREL, "BARREL", BARREL_HEIGHT, IMPASSABLE, FULL, FIX_BURNABLE, 20},
    {TORCH, "Faklya", 0, IMPASSABLE, FULL, FIX_ANIMATED | FIX_BURNABLE, 20},
};

// The same draws on every run.
constexpr unsigned ARENA_SEED = 35;

struct Spot {
    std::uint32_t x, y;
};
const Spot barrels[] = {{5, 3}, {6, 6}};
const Spot torches[] = {{1, 1}, {10, 8}};

struct Ground_Item {
    Spot at;
    const char* type;
};
const Ground_Item ground_items[] = {
    {{5, 4}, "Healing potion"}, {{6, 5}, "Short sword"}, {{6, 5}, "Round shield"}, {{3, 7}, "Gold coins"}};

struct Soldier {
    Spot at;
    std::uint8_t facing;
    const char* body;
    std::uint16_t head;
    std::uint8_t lobby;  // 0 the party; 4 hostile to it
    std::uint8_t palette;
    const char* weapon;
};
constexpr std::uint8_t EAST = 1, WEST = 4;
constexpr std::uint8_t PARTY = 0, HOSTILE = 4;
// Palette 1 turns the blue cloth red.
constexpr std::uint8_t BLUE = 0, RED = 1;
const Soldier soldiers[ARENA_SOLDIERS] = {
    {{2, 4}, EAST, "WARRIOR", 4, PARTY, BLUE, "Long sword"},   {{2, 6}, EAST, "DWARF", 5, PARTY, BLUE, "Hand axe"},
    {{1, 5}, EAST, "RANGER", 6, PARTY, BLUE, "Long bow"},      {{9, 3}, WEST, "WARRIOR", 7, HOSTILE, RED, "Mace"},
    {{9, 5}, WEST, "WARRIOR", 8, HOSTILE, RED, "Short sword"}, {{10, 4}, WEST, "DWARF", 9, HOSTILE, RED, "Battle axe"},
};
constexpr std::uint16_t WANDER = 15;

void New_Arena_World() {
    for (fixitem_type& t : fixitem_types) t = fixitem_type{};
    for (anim_type& t : anim_types) t = anim_type{};
    Set_Map_Geometry(ARENA_WIDTH, ARENA_HEIGHT, ARENA_LEVELS);
    Alloc_Map_Array(static_cast<std::uint16_t>(total_fields));
    Relink_Field_Parents();
    Init_Mod_Array(0);
    Init_Char_Array(0);
    Alloc_Item_Array(0);
    Alloc_Map_Anims();
    item_types = Default_Item_Types();
    current_object = NOOBJ;
    Reset_Game_Clock();
    Seed_Random(ARENA_SEED);
}

// The map's slots stand in use without a picture; the game loads them.
void Define_Arena_Slots() {
    for (const ArenaSlotDef& d : arena_slots) {
        fixitem_type& t = fixitem_types[d.slot];
        std::strncpy(t.sprite_name, d.sprite, sizeof t.sprite_name - 1);
        t.sprite = SPRITE_MISSING;
        t.height = d.height;
        t.mp = d.mp;
        t.fill = d.fill;
        t.flags = d.flags;
        t.max_hp = d.max_hp;
    }
}

bool On_Border(std::uint32_t x, std::uint32_t y) {
    return x == 0 || y == 0 || x == ARENA_WIDTH - 1 || y == ARENA_HEIGHT - 1;
}

bool Stack(Spot at, ArenaSlot slot) {
    const std::uint16_t i = Add_Field_Level(at.x, at.y, 0, slot);
    if (i == NO_INDEX) return false;
    maparray.records[i].hp = fixitem_types[slot].max_hp;
    return true;
}

bool Build_Floor_And_Walls() {
    bool ok = true;
    for (std::uint32_t y = 0; y < ARENA_HEIGHT; ++y)
        for (std::uint32_t x = 0; x < ARENA_WIDTH; ++x) {
            map_record& head = maparray.records[Field_Index(x, y, 0)];
            head.type = FLOOR;
            head.frame = static_cast<std::uint8_t>((x * 7 + y * 3) % FLOOR_VARIANTS);
            head.hp = fixitem_types[FLOOR].max_hp;
            if (On_Border(x, y)) ok = Stack({x, y}, WALL) && ok;
        }
    for (Spot s : barrels) ok = Stack(s, BARREL) && ok;
    for (Spot s : torches) ok = Stack(s, TORCH) && ok;
    return ok;
}

bool Lay_Items() {
    bool ok = true;
    for (const Ground_Item& g : ground_items) {
        const std::uint16_t i = New_Item_Record();
        const std::uint16_t type = Default_Item_Type(g.type);
        ok = type != ITEM_TYPE_EMPTY && ok;
        ok = i != NO_INDEX && Put_Item_To_Field_Raw(g.at.x, g.at.y, 0, i, type) && ok;
        if (i != NO_INDEX) itemarray.records[i].recognize = item_types[type].default_recognize;
    }
    return ok;
}

int Body_Number(const char* body) {
    const std::vector<BodyKind>& kinds = Body_Kinds();
    for (std::size_t i = 0; i < kinds.size(); ++i)
        if (std::strcmp(kinds[i].name, body) == 0) return static_cast<int>(i);
    return 0;
}

bool Place_Soldier(const Soldier& s, int number) {
    const std::uint16_t c = Alloc_Char();
    if (c == NO_INDEX) return false;
    char_record& r = chararray.records[c];
    std::strncpy(r.body_name, s.body, sizeof r.body_name - 1);
    r.corpse_frame = static_cast<std::uint16_t>(Body_Number(s.body));
    r.head = s.head;
    r.palette = s.palette;
    r.lobby = s.lobby;
    r.path_target = NOOBJ;
    r.ai_slot = NO_INDEX;
    r.braveness = 60;
    r.level = 1;
    r.db_type = -1;
    if (!Create_Default_Char(s.at.x, s.at.y, 0, c, s.facing, number)) return false;
    const std::uint16_t weapon = New_Item_Record();
    if (weapon == NO_INDEX) return false;
    itemarray.records[weapon].type = Default_Item_Type(s.weapon);
    if (itemarray.records[weapon].type == ITEM_TYPE_EMPTY) return false;
    Put_Item_To_Char_Slot(c, weapon, SLOT_RIGHT_HAND);
    const obj_ref me = Make_Obj(OBJ_CHAR, c);
    if (number == 1) Add_Modifier(0, me, MK_MAIN_CHAR, 0, 0, 0, 0);
    if (s.lobby == HOSTILE) Add_Modifier(0, me, MK_BASIC_MONSTER, 0, 0, 0, WANDER);
    return true;
}

}  // namespace

bool Build_Arena_Map() {
    New_Arena_World();
    Define_Arena_Slots();
    bool ok = Build_Floor_And_Walls();
    ok = Lay_Items() && ok;
    int number = 1;
    for (const Soldier& s : soldiers) ok = Place_Soldier(s, number++) && ok;
    Give_Items_Their_Programs();
    return ok;
}

bool Write_Arena_Map(const fs::path& root) {
    const fs::path kept_folder = Working_Folder();
    Set_Working_Folder(root);
    bool ok = Build_Arena_Map();
    MapImage image;
    Capture_Map_Image(image);
    Clear_Run_Time_Handles(image);
    const fs::path file = Resolve_Path_For_Write("ARTWORK\\MAPS\\aa.bin");
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    ok = ok && !ec && Write_Chunk_Map(file, Chunks_Of_Image(image, item_types));
    Set_Working_Folder(kept_folder);
    return ok;
}

}  // namespace art
