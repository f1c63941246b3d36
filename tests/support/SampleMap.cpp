#include "support/SampleMap.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Char/CharSprites.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/SpriteInfo.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "datafiles/LightMap.h"
#include "frontend/Hooks.h"
#include "frontend/MapArtwork.h"
#include "frontend/MapView.h"
#include "frontend/SystemSprites.h"
#include "support/WorldBuilder.h"
#include "tools/artgen/Figures.h"
#include "tools/artgen/Items.h"
#include "tools/artgen/Terrain.h"

namespace fixture {

namespace {

enum Slot : std::uint8_t {
    GRASS = 1,
    EARTH,
    STONE,
    WATER,
    WOOD,
    GRASSH,
    EARTHH,
    GRASSR,
    STONER,
    WOODR,
    WALL,
    DOOR,
    CHEST,
    HILL,
    STEPS,
    TELEPORT,
    LAMP,
    TREE,
    ROCK,
    BARREL,
};

struct slot_art {
    Slot slot;
    const char* name;
    std::uint8_t height;
    std::uint8_t flags;
    int frames;
};
const slot_art slots[] = {
    {GRASS, "GRASS", 0, FIX_GROUND, art::FLOOR_VARIANTS},
    {EARTH, "EARTH", 0, FIX_GROUND, art::FLOOR_VARIANTS},
    {STONE, "STONE", 0, FIX_GROUND, art::FLOOR_VARIANTS},
    {WATER, "WATER", 0, FIX_GROUND, art::FLOOR_VARIANTS},
    {WOOD, "WOOD", 0, FIX_GROUND, art::FLOOR_VARIANTS},
    {GRASSH, "GRASSH", 0, FIX_GROUND, art::SLOPE_FRAMES},
    {EARTHH, "EARTHH", 0, FIX_GROUND, art::SLOPE_FRAMES},
    {GRASSR, "GRASSR", 0, FIX_GROUND, art::RAISED_FRAMES},
    {STONER, "STONER", 0, FIX_GROUND, art::RAISED_FRAMES},
    {WOODR, "WOODR", 0, FIX_GROUND, art::RAISED_FRAMES},
    {WALL, "WALL", art::WALL_HEIGHT, 0, 2},
    {DOOR, "DOOR", 0, 0, art::DOOR_FRAMES},
    {CHEST, "CHEST", 10, 0, art::CHEST_FRAMES},
    {HILL, "HILL", 22, 0, 4},
    {STEPS, "STEPS", art::STEPS_HEIGHT, 0, 6},
    {TELEPORT, "TELEPORT", 0, 0, 4},
    {LAMP, "Lampa1", 0, FIX_ANIMATED, art::LAMP_FRAMES},
    {TREE, "TREE", 0, 0, 1},
    {ROCK, "ROCK", 12, 0, 1},
    {BARREL, "BARREL", 16, 0, 1},
};

int Frames_Of(Slot slot) {
    for (const slot_art& a : slots)
        if (a.slot == slot) return a.frames;
    return 1;
}

const Slot level_floors[] = {GRASS, EARTH, STONE, WATER, WOOD};
const Slot raised_floors[] = {GRASSR, STONER, WOODR};
const Slot sloped_floors[] = {GRASSH, EARTHH};
const Slot objects[] = {WALL, DOOR, CHEST, HILL, STEPS, TELEPORT, LAMP, TREE, ROCK, BARREL};

struct sample {
    std::mt19937 random;
    int Below(int n) { return static_cast<int>(random() % static_cast<std::uint32_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
};

void Define_Slots() {
    for (const slot_art& a : slots) {
        fixitem_type& t = fixitem_types[a.slot];
        t = fixitem_type{};
        std::memcpy(t.sprite_name, a.name, std::min(std::strlen(a.name), sizeof t.sprite_name));
        t.sprite = Register_Sprite_Info(0, a.frames);  // in use; replaced when the artwork loads
        t.height = a.height;
        t.flags = a.flags;
        t.max_hp = 20;
        t.fill = 40;
    }
}

void Lay_Floor(sample& s, std::uint16_t field, std::uint32_t level) {
    map_record& head = maparray.records[field];
    const int kind = s.Below(10);
    if (level == 0 && kind == 0) {  // raised
        const int e = 1 + s.Below(art::RAISED_FRAMES);
        head.type = raised_floors[s.Below(3)];
        head.frame = static_cast<std::uint8_t>(e - 1);
        mapfield[field] = static_cast<std::uint16_t>(e);
    } else if (level == 0 && kind == 1) {  // a ground hill
        head.type = sloped_floors[s.Below(2)];
        head.frame = static_cast<std::uint8_t>(s.Below(art::SLOPE_FRAMES));
        Add_Modifier(0, Fix_Ref(field), MK_GROUND_HILL, 0, 0, 0, 0);
    } else {
        head.type = level_floors[s.Below(5)];
        head.frame = static_cast<std::uint8_t>(s.Below(art::FLOOR_VARIANTS));
    }
}

// The tallest and widest things a map shows: a troll on a flight of steps
// on a high field.
void Put_Tower(sample& s, std::uint16_t field) {
    Place_Fixitem(field, STEPS);
    char_record r = Char_Template("Troll", 1);
    std::strncpy(r.body_name, "TROLL", sizeof r.body_name - 1);
    r.head = 5;
    r.facing = static_cast<std::uint8_t>(1 + s.Below(6));
    r.offset_x = static_cast<std::int8_t>(s.Chance(50) ? 20 : -20);
    Place_Char(field, r);
}

void Put_Objects(sample& s, std::uint16_t field, std::vector<std::uint16_t>& item_kinds) {
    if ((mapfield[field] & MF_ELEVATION) >= 5 && s.Chance(50)) {
        Put_Tower(s, field);
        return;
    }
    if (s.Chance(18)) {
        const Slot o = objects[s.Below(10)];
        const std::uint16_t f = Place_Fixitem(field, o);
        maparray.records[f].frame = static_cast<std::uint8_t>(s.Below(Frames_Of(o)));
        if (o == HILL) Add_Modifier(0, Fix_Ref(f), MK_HILL, 10, 20, 30, 15);
    }
    if (s.Chance(15)) Place_Item(field, item_kinds[s.Below(static_cast<int>(item_kinds.size()))]);
    if (s.Chance(10)) Place_Item(field, s.Chance(50) ? item_kinds[0] : item_kinds[1]);
    if (s.Chance(4)) Create_Item(ITEM_TYPE_DEAD_BODY, field);
    if (s.Chance(12)) {
        const auto& kinds = art::Body_Kinds();
        const art::BodyKind& k = kinds[s.Below(static_cast<int>(kinds.size()))];
        char_record r = Char_Template(k.name, static_cast<std::uint8_t>(s.Below(3)));
        std::strncpy(r.body_name, k.name, sizeof r.body_name - 1);
        r.head = static_cast<std::uint16_t>(1 + s.Below(23));
        r.facing = static_cast<std::uint8_t>(1 + s.Below(6));
        r.frame = static_cast<std::int8_t>(s.Below(k.group_frames));
        r.offset_x = static_cast<std::int8_t>(s.Below(21) - 10);
        r.offset_y = static_cast<std::int8_t>(s.Below(11) - 5);
        r.palette = static_cast<std::uint8_t>(s.Below(2));
        r.hp = static_cast<std::int16_t>(s.Below(25) - 2);
        Place_Char(field, r);
    }
}

std::vector<std::uint16_t> Item_Kinds() {
    std::vector<std::uint16_t> kinds;
    for (const art::ItemArt& a : art::Item_Catalogue()) {
        const std::uint16_t t = Add_Item_Type(a.name, a.item_class);
        item_types[t].picture = static_cast<std::uint16_t>(a.picture);
        item_types[t].palette = static_cast<std::uint8_t>(a.picture % 2);
        kinds.push_back(t);
    }
    return kinds;
}

// Map animations on a few fields: 300 is all there are.
constexpr int ANIMATED_FIELDS = 48;

void Put_Map_Anims(sample& s) {
    for (int i = 0; i < ANIMATED_FIELDS; ++i) {
        const auto f = static_cast<std::uint16_t>(s.Below(static_cast<int>(total_fields)));
        const bool raised = (mapfield[f] & MF_HEIGHT_PROGRAM) || (mapfield[f] & MF_ELEVATION) >= 2;
        switch (i % 6) {
            case 0:
                Put_MapAnim(f, ANIM_CURSOR_FRONT, 0);
                Put_MapAnim(f, ANIM_CURSOR_BACK, 0);
                if (raised) {
                    Put_MapAnim(f, ANIM_CURSOR_FOOT_BACK, 0);
                    Put_MapAnim(f, ANIM_CURSOR_FOOT_FRONT, 0);
                }
                break;
            case 1:
                Put_MapAnim(f, ANIM_TARGET_FRONT, static_cast<std::uint8_t>(s.Below(2)));
                Put_MapAnim(f, ANIM_TARGET_BACK, static_cast<std::uint8_t>(s.Below(2)));
                break;
            case 2: Put_MapAnim(f, ANIM_PATH_ARROW, static_cast<std::uint8_t>(s.Below(7))); break;
            case 3:
            case 4: {
                const std::uint16_t c = Char_On_Field(f);
                const obj_ref owner = c != NO_INDEX ? Char_Ref(c) : Fix_Ref(f);
                const int numbers[] = {7, 42, 105, 999};
                Show_Damage_Digits(owner, numbers[s.Below(4)], 0);
                break;
            }
            default: Start_MapAnim_Loop(Fix_Ref(f), ANIM_FIRE, -1, -1, 1, 0); break;
        }
    }
    // Let the animations start and the digits rise a little.
    for (int tick = 0; tick < 5; ++tick) do_anim();
}

}  // namespace

void Build_Sample_Map(std::uint32_t width, std::uint32_t height, std::uint32_t levels, std::uint32_t seed,
                      int upper_floors) {
    Reset_World(width, height, levels);
    Define_Slots();
    sample s{std::mt19937(seed)};
    std::vector<std::uint16_t> item_kinds = Item_Kinds();
    for (std::uint32_t level = 0; level < levels; ++level)
        for (std::uint32_t y = 0; y < height; ++y)
            for (std::uint32_t x = 0; x < width; ++x) {
                const std::uint16_t f = Field_Index(x, y, level);
                // Upper levels are floors over parts of the map only.
                const int cover = upper_floors >= 0 ? upper_floors : level == 1 ? 45 : 25;
                if (level > 0 && !s.Chance(cover)) continue;
                Lay_Floor(s, f, level);
                Put_Objects(s, f, item_kinds);
            }
    light.assign(total_fields, 0);
    for (std::uint8_t& l : light) l = static_cast<std::uint8_t>(20 + s.Below(44));

    Load_Map_Artwork();
    Put_Map_Anims(s);

    // The first party character is selected and pulses.
    for (std::uint16_t c = 0; c < chararray.Capacity(); ++c)
        if (Char_In_Use(c) && chararray.records[c].lobby == 0 && chararray.records[c].hp > 0) {
            selected[0] = c;
            selected_count = 1;
            current_object = Char_Ref(c);
            break;
        }
    anim_cycle = 254;
    shown_level = levels - 1;
    Set_Scroll_Limits();
}

namespace {

std::uint16_t Catalogue_Type(std::uint8_t item_class) {
    for (const art::ItemArt& a : art::Item_Catalogue())
        if (a.item_class == item_class) {
            const std::uint16_t t = Add_Item_Type(a.name, a.item_class, item_class == CLASS_SWORD ? 6 : 0);
            item_types[t].picture = static_cast<std::uint16_t>(a.picture);
            item_types[t].size = a.size;
            item_types[t].damage_min = 2;
            item_types[t].damage_max = 5;
            return t;
        }
    return Add_Item_Type("Thing", item_class);
}

char_record Play_Char(const char* name, const char* body, std::uint8_t lobby, std::uint16_t head) {
    char_record r = Char_Template(name, lobby);
    std::strncpy(r.body_name, body, sizeof r.body_name - 1);
    r.head = head;
    r.level = 3;
    return r;
}

}  // namespace

void Build_Play_Map() {
    Reset_World(PLAY_MAP_WIDTH, PLAY_MAP_HEIGHT, 1);
    Define_Slots();
    // Floors cost movement points to enter; walls and trees cannot be entered.
    fixitem_types[GRASS].mp = fixitem_types[EARTH].mp = 4;
    fixitem_types[WALL].mp = fixitem_types[TREE].mp = -1;
    sample s{std::mt19937(7)};
    for (std::uint16_t f = 0; f < total_fields; ++f) {
        map_record& head = maparray.records[f];
        head.type = s.Chance(80) ? GRASS : EARTH;
        head.frame = static_cast<std::uint8_t>(s.Below(art::FLOOR_VARIANTS));
    }
    for (std::uint32_t y = 2; y <= 4; ++y) Place_Fixitem(Field_Index(8, y, 0), WALL);
    for (std::uint32_t y = 10; y <= 12; ++y) Place_Fixitem(Field_Index(9, y, 0), WALL);
    Place_Fixitem(Field_Index(1, 2, 0), TREE);
    Place_Fixitem(Field_Index(15, 11, 0), TREE);

    const std::uint16_t sword = Catalogue_Type(CLASS_SWORD);
    const std::uint16_t potion = Catalogue_Type(CLASS_POTION);
    const char* bodies[] = {"WARRIOR", "RANGER", "DWARF"};
    std::uint16_t party[3];
    for (int i = 0; i < 3; ++i) {
        char_record r = Play_Char(PLAY_PARTY[i].name, bodies[i], 0, static_cast<std::uint16_t>(i + 1));
        if (i == 0) r.flags |= CF_MAIN_CHAR;
        party[i] = Place_Char(Field_Index(PLAY_PARTY[i].x, PLAY_PARTY[i].y, 0), r);
        Give_Item(party[i], sword, SLOT_RIGHT_HAND);
    }
    Give_Item(party[0], potion, SLOT_QUICK_FIRST);
    const char* monster_bodies[] = {"SKELETON", "SKELETON", "WOLF"};
    for (int i = 0; i < 3; ++i) {
        char_record r = Play_Char(PLAY_MONSTERS[i].name, monster_bodies[i], 1, static_cast<std::uint16_t>(10 + i));
        r.hp = r.max_hp = PLAY_MONSTER_HP;
        r.facing = 4;
        if (i == 2) r.race = RACE_ANIMAL;
        Place_Char(Field_Index(PLAY_MONSTERS[i].x, PLAY_MONSTERS[i].y, 0), r);
    }
    Init_AI_Arrays();
    Select_Char(party[0]);
    light.assign(total_fields, LIGHT_BASE);
    shown_level = 0;
    scroll_x = PLAY_SCROLL_X;
    scroll_y = PLAY_SCROLL_Y;
}

void Release_Portraits() { Free_Char_Heads(); }

}  // namespace fixture
