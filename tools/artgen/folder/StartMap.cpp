#include "tools/artgen/folder/StartMap.h"

#include <cstring>
#include <string>
#include <vector>

#include "Objects/AIData.h"
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
#include "datafiles/Hooks.h"
#include "datafiles/ItemData.h"
#include "datafiles/MapFile.h"
#include "frontend/MapView.h"
#include "platform/PathResolver.h"
#include "tools/artgen/Figures.h"
#include "tools/artgen/Hex.h"
#include "tools/artgen/Items.h"
#include "tools/artgen/Terrain.h"
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

struct SlotDef {
    Slot slot;
    const char* sprite;  // the file ARTWORK\<sprite>.BMP; the light map knows the lamps by it
    std::uint8_t height;
    std::int8_t mp;  // entry cost; below 0 nobody enters
    std::uint8_t fill;
    std::uint8_t flags;
    std::int8_t max_hp;
    std::int8_t defend;
};

// Entry costs: a road is quicker than open ground, a slope slower; a hill or
// steps on a field add to its floor's cost.
constexpr std::int8_t kRoad = 3, kGround = 4, kSlope = 6, kClimb = 2;
constexpr std::int8_t kImpassable = -1;
constexpr std::uint8_t kFull = 100;

// The hill is two elevation steps high; a character on the steps stands
// half way up.
constexpr int kHillFrame = 1;
constexpr std::uint8_t kHillHeight = static_cast<std::uint8_t>(kHillHeights[kHillFrame]);
constexpr std::uint8_t kStepsStandHeight = kStepsHeight / 2;

const SlotDef slot_defs[] = {
    {GRASS, "GRASS", 0, kGround, 0, FIX_GROUND, 50, 0},
    {EARTH, "EARTH", 0, kRoad, 0, FIX_GROUND, 50, 0},
    {STONE, "STONE", 0, kGround, 0, FIX_GROUND, 100, 0},
    {WATER, "WATER", 0, kImpassable, 0, FIX_GROUND | FIX_WATER, 50, 0},
    {WOOD, "WOOD", 0, kGround, 0, FIX_GROUND | FIX_BURNABLE, 40, 0},
    {GRASS_SLOPE, "GRASSH", 0, kSlope, 0, FIX_GROUND, 50, 0},
    {STONE_BLOCK, "STONER", 0, kImpassable, kFull, FIX_GROUND, 100, 10},
    {WALL, "WALL", kWallHeight, kImpassable, kFull, 0, 100, 10},
    {DOOR, "DOOR", 0, 0, 20, FIX_BURNABLE, 40, 5},
    {CHEST, "CHEST", 10, kImpassable, kFull, FIX_BURNABLE, 30, 5},
    {HILL, "HILL", kHillHeight, kClimb, 0, 0, 100, 0},
    {STEPS, "STEPS", kStepsStandHeight, kClimb, 0, 0, 100, 0},
    {TELEPORT, "TELEPORT", 0, 0, 0, FIX_ANIMATED, 100, 0},
    {LANTERN, "Lampa1", 0, kImpassable, kFull, FIX_ANIMATED, 20, 0},
    {TORCH, "Faklya", 0, kImpassable, kFull, FIX_ANIMATED | FIX_BURNABLE, 20, 0},
    {CANDLES, "Gyertyat", 0, kImpassable, kFull, FIX_ANIMATED, 10, 0},
    {TREE, "TREE", 0, kImpassable, kFull, FIX_BURNABLE, 60, 5},
    {ROCK, "ROCK", 12, kImpassable, kFull, 0, 100, 10},
    {BARREL, "BARREL", 16, kImpassable, kFull, FIX_BURNABLE, 20, 2},
};

// The map artwork's sprite of a fixitem type, for its frame count and layer.
const BitmapSprite& Map_Sprite(const char* name) {
    static const std::vector<BitmapSprite> sprites = Terrain_Sprites();
    const std::string path = std::string("ARTWORK\\") + name;
    for (const BitmapSprite& s : sprites)
        if (s.path == path) return s;
    static const BitmapSprite none;
    return none;
}

void Define_Slots() {
    // A field without a floor cannot be entered (as the artwork loader
    // sets it for every map).
    fixitem_types[NO_FLOOR].mp = kImpassable;
    for (const SlotDef& d : slot_defs) {
        fixitem_type& t = fixitem_types[d.slot];
        t = fixitem_type{};
        std::strncpy(t.sprite_name, d.sprite, sizeof t.sprite_name - 1);
        const BitmapSprite& s = Map_Sprite(d.sprite);
        t.sprite = Register_Sprite_Info(s.layer, s.frames);
        t.height = d.height;
        t.mp = d.mp;
        t.fill = d.fill;
        t.flags = d.flags;
        t.max_hp = d.max_hp;
        t.defend = d.defend;
    }
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
constexpr int kRidgeX = 16;
const Ridge ridge[] = {
    {kRidgeX, 6, 'i', 'j'},                                                   // shapes 8, 9: the north end
    {kRidgeX, 7, 'e', 'g'},                                                   // 4: up to the east, 6: down to the east
    {kRidgeX, 8, 'e', 'g'}, {kRidgeX, 9, 'e', 'g'}, {kRidgeX, 10, 'l', 'k'},  // shapes 11, 10: the south end
};

constexpr int kUp = 1, kDown = -1;
constexpr std::uint16_t Direction_Bit(int d) { return static_cast<std::uint16_t>(1u << (d - 1)); }
constexpr int kEast = 1, kWest = 4;

struct Spot {
    int x, y, level;
};
constexpr Spot kSteps{14, 3, 0};
constexpr Spot kTeleport{18, 11, 0};
constexpr Spot kTeleportGoal{1, 12, 0};

std::uint16_t At(Spot s) { return Field_Index(s.x, s.y, s.level); }

// A floor picture chosen by place, so that neighbouring fields differ.
std::uint8_t Variant(std::uint32_t x, std::uint32_t y, std::uint32_t level) {
    std::uint32_t h = x * 73856093u ^ y * 19349663u ^ level * 83492791u;
    h ^= h >> 13;
    return static_cast<std::uint8_t>(h % kFloorVariants);
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
            head.frame = kRaisedFrames - 1;
            mapfield[field] = static_cast<std::uint16_t>((mapfield[field] & ~MF_ELEVATION) | kRaisedFrames);
            break;
        default:
            if (c >= 'a' && c < 'a' + kSlopeFrames) {
                head.type = GRASS_SLOPE;
                head.frame = static_cast<std::uint8_t>(c - 'a');
                Add_Modifier(0, Make_Obj(OBJ_FIXITEM, field), MK_GROUND_HILL, 0, 0, 0, 0);
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
            // Closed (its last frame) and not locked: lock hit points 10,
            // opened by a lockpick strength of 5.
            const std::uint16_t d = Place_Fixitem(field, DOOR, kDoorFrames - 1);
            Add_Modifier(0, Make_Obj(OBJ_FIXITEM, d), MK_DOOR, 0, 10, 5, 0);
            break;
        }
        case 'C': {
            // Locked (frame 0); a blow of more than 6 breaks the lock.
            const std::uint16_t c = Place_Fixitem(field, CHEST, 0);
            Add_Modifier(0, Make_Obj(OBJ_FIXITEM, c), MK_CHEST, 0, 0, 6, 0);
            break;
        }
        case 'H': {
            // A flat-topped hill: every corner as high as the picture.
            const std::uint16_t h = Place_Fixitem(field, HILL, kHillFrame);
            const std::uint16_t corner = static_cast<std::uint16_t>(kHillHeight - kElevationStep);
            Add_Modifier(0, Make_Obj(OBJ_FIXITEM, h), MK_HILL, corner, corner, corner, corner);
            break;
        }
        case 'S': Place_Fixitem(field, STEPS, kEast - 1); break;
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
    Add_Modifier(0, Make_Obj(OBJ_FIXITEM, At(kSteps)), MK_STEPS, Direction_Bit(kEast), static_cast<std::uint16_t>(kUp),
                 0, 0);
    const Spot landing{kSteps.x, kSteps.y, 1};
    Add_Modifier(0, Make_Obj(OBJ_FIXITEM, At(landing)), MK_STEPS, Direction_Bit(kWest),
                 static_cast<std::uint16_t>(kDown), 0, 0);
    Add_Modifier(0, Make_Obj(OBJ_FIXITEM, At(kTeleport)), MK_TELEPORT, At(kTeleportGoal), 0, 0, 0);
}

// ------------------------------------------------------------------ characters

// Lobbies of the relation table: 0 is the player's party; 4 (the dead and
// the brutes) and 5 (the beasts) are hostile to it and friendly to each other.
constexpr std::uint8_t kParty = 0, kUndead = 4, kBeasts = 5;

enum Race : std::uint8_t {
    HUMAN = 0,
    WOLF_RACE = 7,
    TROLL_RACE = 10,
    SKELETON_RACE = 11,
    ZOMBIE_RACE = 12,
    SPIDER_RACE = 14
};
enum Profession : std::uint8_t { WARRIOR = 0, RANGER = 1, WIZARD = 15, OTHER = 16 };

struct Stats {
    std::int16_t hp, stamina, strength, dexterity, spirit, iq;
    std::int8_t defence;
    std::uint8_t attack;
    std::int16_t weapon_skill;  // with the weapon the character carries
};

struct CharDef {
    const char* name;
    const char* body;  // ARTWORK\CHARS\<body>
    std::uint16_t head;
    std::uint8_t race;
    std::uint8_t profession;
    std::uint8_t lobby;
    Stats stats;
};

int Body_Number(const char* body) {
    const std::vector<BodyKind>& kinds = Body_Kinds();
    for (std::size_t i = 0; i < kinds.size(); ++i)
        if (std::strcmp(kinds[i].name, body) == 0) return static_cast<int>(i);
    return 0;
}

// A stand-in for the body sprite the game loads: its draw layer and frames.
std::uint32_t Body_Sprite(const char* body) {
    const BodyKind& k = Body_Kinds()[static_cast<std::size_t>(Body_Number(body))];
    return Register_Sprite_Info(CHAR_BODY_LAYER, 6 * k.group_frames);
}

char_record Record_Of(const CharDef& d, std::uint8_t facing) {
    char_record r{};
    std::strncpy(r.body_name, d.body, sizeof r.body_name - 1);
    std::strncpy(r.name, d.name, sizeof r.name - 1);
    r.corpse_frame = static_cast<std::uint16_t>(Body_Number(d.body));
    r.head = d.head;
    r.facing = facing;
    r.action_points = 12;
    r.path_target = NOOBJ;
    r.state = CS_DECIDING;
    r.ai_slot = NO_INDEX;
    r.lobby = d.lobby;
    r.braveness = 60;
    r.race = d.race;
    r.profession = d.profession;
    r.defence = d.stats.defence;
    r.max_hp = r.hp = d.stats.hp;
    r.level = 1;
    r.max_stamina = r.stamina = d.stats.stamina;
    r.strength = d.stats.strength;
    r.dexterity = d.stats.dexterity;
    r.spirit = d.stats.spirit;
    r.iq = d.stats.iq;
    for (int k = 0; k < WS_COUNT; ++k) r.weapon_skill[k] = d.stats.weapon_skill;
    r.attack = d.stats.attack;
    r.db_type = -1;
    return r;
}

std::uint16_t Place_Char(Spot at, const CharDef& d, std::uint8_t facing) {
    const std::uint16_t c = Alloc_Char();
    char_record& r = chararray.records[c];
    const std::uint16_t first_mod = r.first_mod;
    const obj_ref link = r.link;
    r = Record_Of(d, facing);
    r.first_mod = first_mod;
    r.link = link;
    r.body_sprite = Body_Sprite(d.body);
    Put_Object_To_Field(Make_Obj(OBJ_CHAR, c), At(at));
    return c;
}

void Give(std::uint16_t c, const char* item, int slot) {
    const std::uint16_t type = Default_Item_Type(item);
    const std::uint16_t i = New_Item_Record();
    itemarray.records[i].type = type;
    itemarray.records[i].recognize = item_types[type].default_recognize;
    Put_Item_To_Char_Slot(c, i, slot);
}

void Drop(Spot at, const char* item) { Create_Item(Default_Item_Type(item), At(at)); }

constexpr int Cell(int column, int row) { return column + row * BACKPACK_COLUMNS; }

// The party, west on the meadow, facing the house; the warrior leads.
std::uint16_t Place_Party() {
    const CharDef warrior{"Aldric", "WARRIOR", 1, HUMAN, WARRIOR, kParty, {34, 30, 16, 12, 10, 10, 3, 10, 14}};
    const CharDef ranger{"Wren", "RANGER", 2, HUMAN, RANGER, kParty, {26, 28, 12, 16, 11, 12, 2, 10, 13}};
    const CharDef mage{"Corvin", "MAGE", 3, HUMAN, WIZARD, kParty, {20, 22, 9, 11, 15, 17, 1, 6, 8}};

    const std::uint16_t main = Place_Char({5, 8, 0}, warrior, kEast);
    Add_Modifier(0, Make_Obj(OBJ_CHAR, main), MK_MAIN_CHAR, 0, 0, 0, 0);
    Give(main, "Long sword", SLOT_RIGHT_HAND);
    Give(main, "Round shield", SLOT_LEFT_HAND);
    Give(main, "Iron helm", SLOT_HELM);
    Give(main, "Chain mail", SLOT_ARMOUR);
    Give(main, "Boots", SLOT_BOOTS);
    Give(main, "Healing potion", SLOT_QUICK_FIRST);
    Give(main, "Bread", Cell(0, 0));
    Give(main, "Iron key", Cell(1, 0));

    const std::uint16_t r = Place_Char({4, 9, 0}, ranger, kEast);
    chararray.records[r].flags |= CF_FEMALE;
    Give(r, "Long bow", SLOT_RIGHT_HAND);
    Give(r, "Leather armour", SLOT_ARMOUR);
    Give(r, "Leather cap", SLOT_HELM);
    Give(r, "Cloak", SLOT_CLOAK);
    Give(r, "Dagger", SLOT_QUICK_FIRST);
    Give(r, "Arrows", Cell(0, 0));
    Give(r, "Arrows", Cell(1, 0));
    Give(r, "Healing potion", Cell(2, 0));

    const std::uint16_t m = Place_Char({4, 8, 0}, mage, kEast);
    char_record& mr = chararray.records[m];
    // Mana of 20 at most, not all of it there: the spell page shows splinter
    // rain, which wants 10 fire, disabled, and the character page's bars
    // differ.
    const std::uint16_t mana[4] = {8, 20, 14, 12};
    for (int k = 0; k < 4; ++k) {
        mr.mana[k] = mana[k];
        mr.max_mana[k] = 20;
    }
    // Magic armour, heal, haste, living torch, fire wall and splinter rain.
    mr.known_spells = (1u << 1) | (1u << 2) | (1u << 4) | (1u << 6) | (1u << 7) | (1u << 8);
    Give(m, "Kris", SLOT_RIGHT_HAND);
    Give(m, "Amulet", SLOT_NECKLACE);
    Give(m, "Sapphire ring", SLOT_LEFT_RING);
    Give(m, "Spell book", Cell(0, 0));
    Give(m, "Mana potion", Cell(2, 0));
    Give(m, "Scroll", Cell(3, 0));
    return main;
}

// Monsters with their programs: a skeleton wandering the house, a zombie
// patrolling the road, a troll guarding the tower's top, a spider by the
// pond and two wolves in the south-east.
void Place_Monsters() {
    const CharDef skeleton{
        "Skeleton", "SKELETON", 16, SKELETON_RACE | RACE_MONSTER, OTHER, kUndead, {18, 30, 11, 10, 5, 3, 2, 6, 8}};
    const CharDef zombie{
        "Zombie", "ZOMBIE", 17, ZOMBIE_RACE | RACE_MONSTER, OTHER, kUndead, {24, 30, 13, 6, 3, 2, 1, 6, 6}};
    const CharDef troll{
        "Troll", "TROLL", 18, TROLL_RACE | RACE_MONSTER, OTHER, kUndead, {40, 40, 18, 8, 5, 4, 3, 9, 10}};
    const CharDef wolf{"Wolf", "WOLF", 19, WOLF_RACE | RACE_ANIMAL, OTHER, kBeasts, {14, 40, 10, 15, 5, 3, 1, 7, 10}};
    const CharDef spider{"Giant spider",
                         "SPIDER",
                         21,
                         SPIDER_RACE | RACE_ANIMAL | RACE_MONSTER,
                         OTHER,
                         kBeasts,
                         {16, 30, 9, 14, 5, 2, 2, 7, 10}};
    constexpr std::uint16_t kWander = 15, kPatrol = 20, kGuard = 30;

    const std::uint16_t s = Place_Char({9, 3, 0}, skeleton, kWest);
    Give(s, "Short sword", SLOT_RIGHT_HAND);
    Add_Modifier(0, Make_Obj(OBJ_CHAR, s), MK_BASIC_MONSTER, 0, 0, 0, kWander);

    const std::uint16_t z = Place_Char({12, 8, 0}, zombie, kWest);
    Add_Modifier(0, Make_Obj(OBJ_CHAR, z), MK_MOVING_GUARD, At({9, 8, 0}), At({13, 4, 0}), kPatrol, 0);

    const std::uint16_t t = Place_Char({16, 3, 1}, troll, kWest);
    Give(t, "Mace", SLOT_RIGHT_HAND);
    Add_Modifier(0, Make_Obj(OBJ_CHAR, t), MK_STANDING_GUARD, 0, 0, kGuard, 0);

    const std::uint16_t sp = Place_Char({13, 13, 0}, spider, kWest);
    Add_Modifier(0, Make_Obj(OBJ_CHAR, sp), MK_STANDING_GUARD, 0, 0, kGuard, 0);

    for (Spot at : {Spot{17, 13, 0}, Spot{18, 14, 0}}) {
        const std::uint16_t w = Place_Char(at, wolf, kWest);
        Add_Modifier(0, Make_Obj(OBJ_CHAR, w), MK_BASIC_MONSTER, 0, 0, 0, kWander);
    }
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

// ------------------------------------------------------------------ the world

// A new map's room for area modifiers and the game speed a game starts at.
constexpr std::uint32_t kAreaModifiers = 10;
constexpr std::uint32_t kStartSpeed = 4;

// An empty world of the start map's size: every array as a new map has it.
void New_World() {
    for (fixitem_type& t : fixitem_types) t = fixitem_type{};
    for (anim_type& t : anim_types) t = anim_type{};
    Set_Map_Geometry(kStartMapWidth, kStartMapHeight, kStartMapLevels);
    Alloc_Map_Array(static_cast<std::uint16_t>(total_fields));
    Relink_Field_Parents();
    Init_Mod_Array(0);
    Alloc_Global_Modifiers(kAreaModifiers);
    Init_Char_Array(0);
    Alloc_Item_Array(0);
    Alloc_Map_Anims();
    item_types = Default_Item_Types();
    mitems_sprite = Register_Sprite_Info(MITEMS_LAYER, kItemFrames);
    current_object = NOOBJ;
    turn_mode = 0;
    game_speed = clock_step = kStartSpeed;
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
    Init_AI_Arrays();
    Select_Char(main);
    Look_At(main);
}

bool Write_Start_Map(const fs::path& root) {
    const fs::path kept_folder = Working_Folder();
    DatafilesHooks& hooks = Datafiles_Hooks();
    const DatafilesHooks kept_hooks = hooks;
    // The map writer reports a failure through the status line only.
    static bool failed = false;
    failed = false;
    hooks.editor_message = [](const char*) { failed = true; };
    Set_Working_Folder(root);

    Build_Start_Map();
    bool ok = Write_Item_Data(ITEM_DATA_FILE, item_types);
    Save_Map("start.map");
    const fs::path maps = Resolve_Path_For_Write("ARTWORK\\MAPS\\start.map").parent_path();
    std::error_code ec;
    fs::create_directories(maps, ec);
    Save_Map("ARTWORK\\MAPS\\start.map");
    ok = ok && !ec && !failed;

    Set_Working_Folder(kept_folder);
    hooks = kept_hooks;
    return ok;
}

}  // namespace art
