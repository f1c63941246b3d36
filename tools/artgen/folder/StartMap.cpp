#include "tools/artgen/folder/StartMap.h"

#include <cstring>
#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/CharSlots.h"
#include "Objects/Char/CharSprites.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/CharTick.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/SpriteInfo.h"
#include "datafiles/Database.h"
#include "datafiles/ItemData.h"
#include "datafiles/MapFile.h"
#include "frontend/MapView.h"
#include "platform/PathResolver.h"
#include "tools/artgen/Figures.h"
#include "tools/artgen/Hex.h"
#include "tools/artgen/Items.h"
#include "tools/artgen/Terrain.h"
#include "tools/artgen/folder/CharacterTypes.h"
#include "tools/artgen/folder/FixitemTypes.h"
#include "tools/artgen/folder/ItemDatabase.h"

namespace art {

namespace {

namespace fs = std::filesystem;

// ------------------------------------------------------------------ fixitem types

enum Slot : std::uint8_t {
    NO_FLOOR = 0,
    GRASS = 1,
    EARTH,
    STONE,
    WATER,
    WOOD,
    GRASS_SLOPE,
    STONE_BLOCK,  // a raised stone field as high as a level: the tower under the upper floor
    WALL,
    DOOR,
    CHEST,
    HILL,
    STEPS,
    TELEPORT,
    LANTERN,
    TORCH,
    CANDLES,
    TREE,
    ROCK,
    BARREL,
};

// The slot of each type the map uses, by the picture of its database type.
struct SlotDef {
    Slot slot;
    const char* sprite;  // the file ARTWORK\<sprite>.BMP; the light map knows the lamps by it
};
const SlotDef slot_defs[] = {
    {GRASS, "GRASS"},        {EARTH, "EARTH"},        {STONE, "STONE"},       {WATER, "WATER"},    {WOOD, "WOOD"},
    {GRASS_SLOPE, "GRASSH"}, {STONE_BLOCK, "STONER"}, {WALL, "WALL"},         {DOOR, "DOOR"},      {CHEST, "CHEST"},
    {HILL, "HILL"},          {STEPS, "STEPS"},        {TELEPORT, "TELEPORT"}, {LANTERN, "Lampa1"}, {TORCH, "Faklya"},
    {CANDLES, "Gyertyat"},   {TREE, "TREE"},          {ROCK, "ROCK"},         {BARREL, "BARREL"},
};
constexpr std::uint32_t FIRST_FREE_SLOT = BARREL + 1;

// The map artwork's sprite of a fixitem type, for its frame count and layer.
const BitmapSprite& Map_Sprite(const char* name) {
    static const std::vector<BitmapSprite> sprites = Terrain_Sprites();
    const std::string path = std::string("ARTWORK\\") + name;
    for (const BitmapSprite& s : sprites)
        if (s.path == path) return s;
    static const BitmapSprite none;
    return none;
}

// Each slot holds its database type and names its row; slot 0 is the
// reserved type of a field without a floor. The slots no type uses are
// free for the editor.
void Define_Slots() {
    fixitem_types[NO_FLOOR] = Fixitem_Type_Record(0);
    for (const SlotDef& d : slot_defs) {
        fixitem_type& t = fixitem_types[d.slot];
        t = Fixitem_Type_Record(Default_Fixitem_Type(d.sprite));
        const BitmapSprite& s = Map_Sprite(d.sprite);
        t.sprite = Register_Sprite_Info(s.layer, s.frames);
    }
    Free_Map_Fixitem_Slots_From(FIRST_FREE_SLOT);
}

// The programs a placed object gets from its type.
void Add_Type_Programs(obj_ref object, const std::vector<TypeProgram>& programs) {
    for (const TypeProgram& p : programs) Add_Modifier(0, object, p.kind, p.p1, p.p2, p.p3, p.p4);
}

void Add_Slot_Programs(obj_ref object, std::uint8_t slot) {
    Add_Type_Programs(object, Default_Fixitem_Types()[static_cast<std::size_t>(fixitem_types[slot].db_index)].programs);
}

// ------------------------------------------------------------------ the map

// Floors, one character a field: '.' grass, ',' earth, 's' stone, '~' water,
// '=' wood, 'X' the tower's stone block, 'a'..'t' grass slopes of ground
// shape 0..19, ' ' no floor.
// Objects: '#' wall, 'D' door, 'C' chest, 'L' lantern, 'F' torch,
// 'G' candles, 'H' hill, 'S' steps up towards the east, 'P' teleport,
// 'T' tree, 'R' rock, 'B' barrel.
using Rows = std::vector<std::string>;

const Rows floors_0 = {
    "....................", "......sssssss.......", "......sssssss..XXX..", "......sssssss,sXXX..",
    "......sssssss,.XXX..", "......sssssss,......", "......sssssss,......", "........,,...,......",
    "..,,,,,,,,,,,,......", ".............,......", ".............,......", ".......~~=~~.,,,,,s.",
    "......~~~=~~~.......", ".....~~~~~~~~.......", "......~~~~~.........", "....................",
};
const Rows objects_0 = {
    "TT..T......T........", "T.....#######.......", "......#L..CB#.......", "T.....#....G#.S.....",
    "......#.....#.......", "....R.#.....#.......", "T.....###D###.....R.", ".......F..F.........",
    "....................", "..........H........T", "....................", "..................P.",
    "....................", "...................T", ".T...T..............", "T....T.....T...T....",
};

// The upper level: the tower's top and the landing above the steps.
const Rows floors_1 = {
    "                    ", "                    ", "               sss  ",
    "              ssss  ", "               sss  ",
};
const Rows objects_1 = {
    "                    ", "                    ", "                 F  ",
    "                    ", "                    ",
};

// A ridge running down the map: slopes up to the east, then down again,
// with a corner at each end.
struct Ridge {
    int x, y;
    char shape_west, shape_east;
};
constexpr int RIDGE_X = 16;
const Ridge ridge[] = {
    {RIDGE_X, 6, 'i', 'j'},                                                   // shapes 8, 9: the north end
    {RIDGE_X, 7, 'e', 'g'},                                                   // 4: up to the east, 6: down to the east
    {RIDGE_X, 8, 'e', 'g'}, {RIDGE_X, 9, 'e', 'g'}, {RIDGE_X, 10, 'l', 'k'},  // shapes 11, 10: the south end
};

constexpr int UP = 1, DOWN = -1;
constexpr std::uint16_t Direction_Bit(int d) { return static_cast<std::uint16_t>(1u << (d - 1)); }
constexpr int EAST = 1, WEST = 4;

struct Spot {
    int x, y, level;
};
constexpr Spot STEPS_SPOT{14, 3, 0};
constexpr Spot TELEPORT_SPOT{18, 11, 0};
constexpr Spot TELEPORT_GOAL{1, 12, 0};

std::uint16_t At(Spot s) { return Field_Index(s.x, s.y, s.level); }

// A floor picture chosen by place, so that neighbouring fields differ.
std::uint8_t Variant(std::uint32_t x, std::uint32_t y, std::uint32_t level) {
    std::uint32_t h = x * 73856093u ^ y * 19349663u ^ level * 83492791u;
    h ^= h >> 13;
    return static_cast<std::uint8_t>(h % FLOOR_VARIANTS);
}

void Lay_Floor(std::uint16_t field, char c, std::uint32_t x, std::uint32_t y, std::uint32_t level) {
    map_record& head = maparray.records[field];
    head.frame = Variant(x, y, level);
    switch (c) {
        case '.': head.type = GRASS; break;
        case ',': head.type = EARTH; break;
        case 's': head.type = STONE; break;
        case '~': head.type = WATER; break;
        case '=': head.type = WOOD; break;
        case 'X':
            head.type = STONE_BLOCK;
            head.frame = RAISED_FRAMES - 1;
            mapfield[field] = static_cast<std::uint16_t>((mapfield[field] & ~MF_ELEVATION) | RAISED_FRAMES);
            break;
        default:
            if (c >= 'a' && c < 'a' + SLOPE_FRAMES) {
                head.type = GRASS_SLOPE;
                head.frame = static_cast<std::uint8_t>(c - 'a');
                Add_Slot_Programs(Make_Obj(OBJ_FIXITEM, field), GRASS_SLOPE);
            } else {
                head.type = NO_FLOOR;
                head.frame = 0;
            }
            break;
    }
    head.hp = fixitem_types[head.type].max_hp;
}

std::uint16_t Place_Fixitem(std::uint16_t field, Slot slot, int frame = 0) {
    const std::uint16_t i = New_Map_Record();
    map_record& r = maparray.records[i];
    r.type = slot;
    r.frame = static_cast<std::uint8_t>(frame);
    r.hp = fixitem_types[slot].max_hp;
    Put_Object_To_Field(Make_Obj(OBJ_FIXITEM, i), field);
    return i;
}

void Place_Object(std::uint16_t field, char c) {
    switch (c) {
        case '#': Place_Fixitem(field, WALL); break;
        case 'D': {
            // Closed (its last frame), as its program expects.
            const std::uint16_t d = Place_Fixitem(field, DOOR, DOOR_FRAMES - 1);
            Add_Slot_Programs(Make_Obj(OBJ_FIXITEM, d), DOOR);
            break;
        }
        case 'C': {
            // Locked (frame 0).
            const std::uint16_t c = Place_Fixitem(field, CHEST, 0);
            Add_Slot_Programs(Make_Obj(OBJ_FIXITEM, c), CHEST);
            break;
        }
        case 'H': {
            const std::uint16_t h = Place_Fixitem(field, HILL, HILL_TYPE_FRAME);
            Add_Slot_Programs(Make_Obj(OBJ_FIXITEM, h), HILL);
            break;
        }
        case 'S': Place_Fixitem(field, STEPS, EAST - 1); break;
        case 'P': Place_Fixitem(field, TELEPORT); break;
        case 'L': Place_Fixitem(field, LANTERN); break;
        case 'F': Place_Fixitem(field, TORCH); break;
        case 'G': Place_Fixitem(field, CANDLES); break;
        case 'T': Place_Fixitem(field, TREE); break;
        case 'R': Place_Fixitem(field, ROCK); break;
        case 'B': Place_Fixitem(field, BARREL); break;
        default: break;
    }
}

void Draw_Level(std::uint32_t level, const Rows& floors, const Rows& objects) {
    for (std::uint32_t y = 0; y < map_height; ++y)
        for (std::uint32_t x = 0; x < map_width; ++x) {
            const std::uint16_t f = Field_Index(x, y, level);
            const char floor = y < floors.size() && x < floors[y].size() ? floors[y][x] : ' ';
            const char object = y < objects.size() && x < objects[y].size() ? objects[y][x] : ' ';
            Lay_Floor(f, floor, x, y, level);
            Place_Object(f, object);
        }
}

void Lay_Ridge() {
    for (const Ridge& r : ridge) {
        Lay_Floor(Field_Index(r.x, r.y, 0), r.shape_west, r.x, r.y, 0);
        Lay_Floor(Field_Index(r.x + 1, r.y, 0), r.shape_east, r.x + 1, r.y, 0);
    }
}

// The steps climb to the landing above them when walked onto eastwards; the
// landing leads back down when walked onto westwards. The teleport sends
// whoever steps on it back to the west end of the meadow.
void Add_Field_Programs() {
    Add_Modifier(0, Make_Obj(OBJ_FIXITEM, At(STEPS_SPOT)), MK_STEPS, Direction_Bit(EAST),
                 static_cast<std::uint16_t>(UP), 0, 0);
    const Spot landing{STEPS_SPOT.x, STEPS_SPOT.y, 1};
    Add_Modifier(0, Make_Obj(OBJ_FIXITEM, At(landing)), MK_STEPS, Direction_Bit(WEST), static_cast<std::uint16_t>(DOWN),
                 0, 0);
    Add_Modifier(0, Make_Obj(OBJ_FIXITEM, At(TELEPORT_SPOT)), MK_TELEPORT, At(TELEPORT_GOAL), 0, 0, 0);
}

// ------------------------------------------------------------------ characters

// A stand-in for the body sprite the game loads: its draw layer and frames.
std::uint32_t Body_Sprite(std::uint16_t body) {
    const BodyKind& k = Body_Kinds().at(body);
    return Register_Sprite_Info(CHAR_BODY_LAYER, 6 * k.group_frames);
}

// A character of the type named name, without its items and programs.
std::uint16_t Place_Char(Spot at, const char* name, std::uint8_t facing) {
    const std::uint16_t type = Default_Char_Type(name);
    const std::uint16_t c = Alloc_Char();
    char_record& r = chararray.records[c];
    const std::uint16_t first_mod = r.first_mod;
    const obj_ref link = r.link;
    r = Char_Type_Record(type);
    std::memset(r.slots, 0, sizeof r.slots);
    r.facing = facing;
    r.db_type = static_cast<std::int16_t>(type);
    r.first_mod = first_mod;
    r.link = link;
    r.body_sprite = Body_Sprite(r.corpse_frame);
    Put_Object_To_Field(Make_Obj(OBJ_CHAR, c), At(at));
    return c;
}

const CharTypeDef& Type_Of(std::uint16_t c) {
    return Default_Char_Types().at(static_cast<std::size_t>(chararray.records[c].db_type));
}

void Add_Char_Programs(std::uint16_t c) { Add_Type_Programs(Make_Obj(OBJ_CHAR, c), Type_Of(c).programs); }

void Give(std::uint16_t c, const char* item, int slot) {
    const std::uint16_t type = Default_Item_Type(item);
    const std::uint16_t i = New_Item_Record();
    itemarray.records[i].type = type;
    itemarray.records[i].recognize = item_types[type].default_recognize;
    Put_Item_To_Char_Slot(c, i, slot);
}

// What the character's type carries in its body and quick slots.
void Equip(std::uint16_t c) {
    for (const auto& [slot, item] : Type_Of(c).equipment) Give(c, item, slot);
}

void Drop(Spot at, const char* item) { Create_Item(Default_Item_Type(item), At(at)); }

constexpr int Cell(int column, int row) { return column + row * BACKPACK_COLUMNS; }

// The party, west on the meadow, facing the house; the warrior leads.
std::uint16_t Place_Party() {
    const std::uint16_t main = Place_Char({5, 8, 0}, "Aldric", EAST);
    Add_Char_Programs(main);
    Equip(main);
    Give(main, "Bread", Cell(0, 0));
    Give(main, "Iron key", Cell(1, 0));

    const std::uint16_t r = Place_Char({4, 9, 0}, "Wren", EAST);
    Equip(r);
    Give(r, "Arrows", Cell(0, 0));
    Give(r, "Arrows", Cell(1, 0));
    Give(r, "Healing potion", SLOT_QUICK_FIRST + 1);

    const std::uint16_t m = Place_Char({4, 8, 0}, "Corvin", EAST);
    Equip(m);
    Give(m, "Spell book", Cell(0, 0));
    Give(m, "Mana potion", Cell(2, 0));
    Give(m, "Scroll", Cell(3, 0));
    return main;
}

// Monsters with their programs: a skeleton wandering the house, a zombie
// patrolling the road, a troll guarding the tower's top, a spider by the
// pond and two wolves in the south-east.
void Place_Monsters() {
    const std::uint16_t s = Place_Char({9, 3, 0}, "Skeleton", WEST);
    Equip(s);
    Add_Char_Programs(s);

    // The zombie patrols this map's road instead of wandering as its type.
    const std::uint16_t z = Place_Char({12, 8, 0}, "Zombie", WEST);
    Add_Modifier(0, Make_Obj(OBJ_CHAR, z), MK_MOVING_GUARD, At({9, 8, 0}), At({13, 4, 0}), PATROL, 0);

    const std::uint16_t t = Place_Char({16, 3, 1}, "Troll", WEST);
    Equip(t);
    Add_Char_Programs(t);

    const std::uint16_t sp = Place_Char({13, 13, 0}, "Giant spider", WEST);
    Add_Char_Programs(sp);

    for (Spot at : {Spot{17, 13, 0}, Spot{18, 14, 0}}) Add_Char_Programs(Place_Char(at, "Wolf", WEST));
}

void Drop_Items() {
    Drop({6, 7, 0}, "Healing potion");
    Drop({10, 3, 0}, "Gold coins");
    Drop({8, 2, 0}, "Sealed scroll");
    Drop({17, 4, 1}, "Gem");
    Drop({17, 4, 1}, "Gold key");
    Drop({6, 9, 0}, "Short bow");
    Drop({14, 13, 0}, "Bone");
}

// ------------------------------------------------------------------ items' programs

// ------------------------------------------------------------------ the world

// A new map's room for area modifiers and the game speed a game starts at.
constexpr std::uint32_t AREA_MODIFIERS = 10;
constexpr std::uint32_t START_SPEED = 4;

// An empty world of the start map's size: every array as a new map has it.
void New_World() {
    for (fixitem_type& t : fixitem_types) t = fixitem_type{};
    for (anim_type& t : anim_types) t = anim_type{};
    Set_Map_Geometry(START_MAP_WIDTH, START_MAP_HEIGHT, START_MAP_LEVELS);
    Alloc_Map_Array(static_cast<std::uint16_t>(total_fields));
    Relink_Field_Parents();
    Init_Mod_Array(0);
    Alloc_Global_Modifiers(AREA_MODIFIERS);
    Init_Char_Array(0);
    Alloc_Item_Array(0);
    Alloc_Map_Anims();
    item_types = Default_Item_Types();
    mitems_sprite = Register_Sprite_Info(MITEMS_LAYER, ITEM_FRAMES);
    current_object = NOOBJ;
    turn_mode = 0;
    game_speed = clock_step = START_SPEED;
    anim_wait = 0;
    anim_cycle = 0;
    decision_budget = 0;
    tick_cursor = 0;
    page_char = -1;
    portrait_offset = 0;
}

// The view shows the main character in the middle of the hexamap screen's
// map view, on its level.
void Look_At(std::uint16_t c) {
    Set_Map_View(HEXAMAP_VIEW.left, HEXAMAP_VIEW.top, HEXAMAP_VIEW.right, HEXAMAP_VIEW.bottom);
    Set_Scroll_Limits();
    Center_On_Object(Make_Obj(OBJ_CHAR, c));
    Clamp_Scroll();
}

}  // namespace

void Build_Start_Map() {
    New_World();
    Define_Slots();
    Draw_Level(0, floors_0, objects_0);
    Draw_Level(1, floors_1, objects_1);
    Lay_Ridge();
    Add_Field_Programs();
    const std::uint16_t main = Place_Party();
    Place_Monsters();
    Drop_Items();
    Give_Items_Their_Programs();
    Init_AI_Arrays();
    Select_Char(main);
    Look_At(main);
}

bool Write_Start_Map(const fs::path& root, file_fault* fault) {
    const fs::path kept_folder = Working_Folder();
    Set_Working_Folder(root);
    Build_Start_Map();
    bool ok = true;
    for (const char* name : {"start.map", "ARTWORK\\MAPS\\start.map"}) {
        if (!ok) break;
        const fs::path target = Resolve_Path_For_Write(name);
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        if (ec) {
            Set_Fault(fault, target.parent_path().string(), ec.message());
            ok = false;
        } else {
            ok = Write_Map_File(name, fault);
        }
    }
    Set_Working_Folder(kept_folder);
    return ok;
}

}  // namespace art
