#include "tools/artgen/folder/CharacterTypes.h"

#include <cstring>

#include "Objects/ModifierKinds.h"
#include "tools/artgen/Figures.h"
#include "tools/artgen/folder/ItemDatabase.h"

namespace art {

namespace {

enum Race : std::uint8_t {
    HUMAN = 0,
    DWARF_RACE = 2,
    WOLF_RACE = 7,
    BEAR_RACE = 8,
    TROLL_RACE = 10,
    SKELETON_RACE = 11,
    ZOMBIE_RACE = 12,
    ANT_RACE = 13,
    SPIDER_RACE = 14
};
// The race byte of race_names row `race`: the category's bits and the place
// within its rows (humans 0-3, animals 4-9, monsters 10-12, animal monsters
// 13-14).
constexpr std::uint8_t Race_Byte(std::uint8_t race) {
    if (race >= 13) return static_cast<std::uint8_t>(RACE_ANIMAL | RACE_MONSTER | (race - 13));
    if (race >= 10) return static_cast<std::uint8_t>(RACE_MONSTER | (race - 10));
    if (race >= 4) return static_cast<std::uint8_t>(RACE_ANIMAL | (race - 4));
    return race;
}
enum Profession : std::uint8_t { WARRIOR = 0, RANGER = 1, MERCENARY = 3, THIEF = 4, WIZARD = 15, OTHER = 16 };

// Magic armour, heal, haste, living torch, fire wall and splinter rain.
constexpr std::uint16_t MAGE_SPELLS = (1u << 1) | (1u << 2) | (1u << 4) | (1u << 6) | (1u << 7) | (1u << 8);

const TypeProgram wandering{MK_BASIC_MONSTER, 0, 0, 0, WANDER};
const TypeProgram keeping_post{MK_STANDING_GUARD, 0, 0, GUARD, 0};

int Body_Number(const char* body) {
    const std::vector<BodyKind>& kinds = Body_Kinds();
    for (std::size_t i = 0; i < kinds.size(); ++i)
        if (std::strcmp(kinds[i].name, body) == 0) return static_cast<int>(i);
    return 0;
}

}  // namespace

const std::vector<CharTypeDef>& Default_Char_Types() {
    static const std::vector<CharTypeDef> types = {
        // The party: the warrior leads as the main character. The mage's
        // mana of 20 at most is not all there: the spell page shows
        // splinter rain, which wants 10 fire, disabled, and the character
        // page's bars differ.
        {"Aldric",
         "WARRIOR",
         1,
         HUMAN,
         WARRIOR,
         PARTY,
         {34, 30, 16, 12, 10, 10, 3, 10, 14},
         "Party",
         CF_MAIN_CHAR,
         {},
         {},
         0,
         {{SLOT_RIGHT_HAND, "Long sword"},
          {SLOT_LEFT_HAND, "Round shield"},
          {SLOT_HELM, "Iron helm"},
          {SLOT_ARMOUR, "Chain mail"},
          {SLOT_BOOTS, "Boots"},
          {SLOT_QUICK_FIRST, "Healing potion"}},
         {{MK_MAIN_CHAR, 0, 0, 0, 0}}},
        {"Wren",
         "RANGER",
         2,
         HUMAN,
         RANGER,
         PARTY,
         {26, 28, 12, 16, 11, 12, 2, 10, 13},
         "Party",
         CF_FEMALE,
         {},
         {},
         0,
         {{SLOT_RIGHT_HAND, "Long bow"},
          {SLOT_ARMOUR, "Leather armour"},
          {SLOT_HELM, "Leather cap"},
          {SLOT_CLOAK, "Cloak"},
          {SLOT_QUICK_FIRST, "Dagger"}},
         {}},
        {"Corvin",
         "MAGE",
         3,
         HUMAN,
         WIZARD,
         PARTY,
         {20, 22, 9, 11, 15, 17, 1, 6, 8},
         "Party",
         0,
         {8, 20, 14, 12},
         {20, 20, 20, 20},
         MAGE_SPELLS,
         {{SLOT_RIGHT_HAND, "Kris"}, {SLOT_NECKLACE, "Amulet"}, {SLOT_LEFT_RING, "Sapphire ring"}},
         {}},
        {"Dwarf",
         "DWARF",
         4,
         DWARF_RACE,
         MERCENARY,
         FOLK,
         {32, 34, 15, 10, 9, 10, 3, 9, 13},
         "People",
         0,
         {},
         {},
         0,
         {{SLOT_RIGHT_HAND, "Hand axe"}, {SLOT_HELM, "Iron helm"}, {SLOT_ARMOUR, "Chain mail"}},
         {}},
        {"Thief",
         "THIEF",
         5,
         HUMAN,
         THIEF,
         ROGUES,
         {22, 28, 10, 16, 10, 13, 2, 8, 12},
         "People",
         0,
         {},
         {},
         0,
         {{SLOT_RIGHT_HAND, "Dagger"}, {SLOT_ARMOUR, "Leather armour"}, {SLOT_CLOAK, "Cloak"}},
         {}},
        {"Skeleton",
         "SKELETON",
         16,
         Race_Byte(SKELETON_RACE),
         OTHER,
         UNDEAD,
         {18, 30, 11, 10, 5, 3, 2, 6, 8},
         "Undead",
         0,
         {},
         {},
         0,
         {{SLOT_RIGHT_HAND, "Short sword"}},
         {wandering}},
        {"Zombie",
         "ZOMBIE",
         17,
         Race_Byte(ZOMBIE_RACE),
         OTHER,
         UNDEAD,
         {24, 30, 13, 6, 3, 2, 1, 6, 6},
         "Undead",
         0,
         {},
         {},
         0,
         {},
         {wandering}},
        {"Troll",
         "TROLL",
         18,
         Race_Byte(TROLL_RACE),
         OTHER,
         UNDEAD,
         {40, 40, 18, 8, 5, 4, 3, 9, 10},
         "Monsters",
         0,
         {},
         {},
         0,
         {{SLOT_RIGHT_HAND, "Mace"}},
         {keeping_post}},
        {"Wolf",
         "WOLF",
         19,
         Race_Byte(WOLF_RACE),
         OTHER,
         BEASTS,
         {14, 40, 10, 15, 5, 3, 1, 7, 10},
         "Animals",
         0,
         {},
         {},
         0,
         {},
         {wandering}},
        {"Bear",
         "BEAR",
         20,
         Race_Byte(BEAR_RACE),
         OTHER,
         BEASTS,
         {30, 40, 17, 8, 5, 3, 2, 8, 11},
         "Animals",
         0,
         {},
         {},
         0,
         {},
         {wandering}},
        {"Giant spider",
         "SPIDER",
         21,
         Race_Byte(SPIDER_RACE),
         OTHER,
         BEASTS,
         {16, 30, 9, 14, 5, 2, 2, 7, 10},
         "Animals",
         0,
         {},
         {},
         0,
         {},
         {keeping_post}},
        // The body a new character type starts with.
        {"Bug",
         "bug",
         21,
         Race_Byte(ANT_RACE),
         OTHER,
         BEASTS,
         {8, 20, 6, 12, 3, 1, 2, 5, 8},
         "Animals",
         0,
         {},
         {},
         0,
         {},
         {wandering}},
    };
    return types;
}

std::uint16_t Default_Char_Type(std::string_view name) {
    const std::vector<CharTypeDef>& types = Default_Char_Types();
    for (std::size_t row = 0; row < types.size(); ++row)
        if (name == types[row].name) return static_cast<std::uint16_t>(row);
    return 0;
}

char_record Char_Type_Record(std::uint16_t row) {
    const CharTypeDef& d = Default_Char_Types().at(row);
    char_record r{};
    std::strncpy(r.body_name, d.body, sizeof r.body_name - 1);
    std::strncpy(r.name, d.name, sizeof r.name - 1);
    r.corpse_frame = static_cast<std::uint16_t>(Body_Number(d.body));
    r.head = d.head;
    r.facing = 1;
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
    for (int k = 0; k < 4; ++k) {
        r.mana[k] = d.mana[k];
        r.max_mana[k] = d.max_mana[k];
    }
    r.known_spells = d.known_spells;
    for (const auto& [slot, item] : d.equipment) r.slots[slot] = static_cast<std::int16_t>(Default_Item_Type(item));
    r.flags = d.flags;
    r.attack = d.stats.attack;
    r.db_type = -1;
    r.first_mod = NO_INDEX;
    return r;
}

}  // namespace art
