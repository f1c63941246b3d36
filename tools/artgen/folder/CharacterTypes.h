// The character types of the default database ("char.dat"): one for every
// figure of the artwork, in figure order, with its numbers, what it carries
// in its body and quick slots (item types), its folder in the character
// tree and the programs it always carries (the monsters', the main
// character's).
#pragma once
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "Objects/Char/Characters.h"
#include "tools/artgen/folder/FixitemTypes.h"

namespace art {

struct CharStats {
    std::int16_t hp, stamina, strength, dexterity, spirit, iq;
    std::int8_t defence;
    std::uint8_t attack;
    std::int16_t weapon_skill;  // with every weapon
};

struct CharTypeDef {
    const char* name;
    const char* body;  // ARTWORK\CHARS\<body>
    std::uint16_t head;
    std::uint8_t race;  // with RACE_ANIMAL, RACE_MONSTER
    std::uint8_t profession;
    std::uint8_t lobby;
    CharStats stats;
    const char* folder;   // in the character tree
    std::uint16_t flags;  // CF_FEMALE, CF_MAIN_CHAR
    std::uint16_t mana[4], max_mana[4];
    std::uint16_t known_spells;
    std::vector<std::pair<int, const char*>> equipment;  // slot, item type name
    std::vector<TypeProgram> programs;
};

// The rows of char.dat.
const std::vector<CharTypeDef>& Default_Char_Types();
// The row of the type named name; the first row when there is none.
std::uint16_t Default_Char_Type(std::string_view name);
// A row's record as char.dat stores it: facing 1, no modifiers, its
// equipment as item types in its slots.
char_record Char_Type_Record(std::uint16_t row);

// Lobbies of the relation table: 0 is the player's party; 4 (the dead and
// the brutes) and 5 (the beasts) are hostile to it and friendly to each
// other; 2 and 3 are the folk of the land, friendly to the party.
constexpr std::uint8_t PARTY = 0, FOLK = 2, ROGUES = 3, UNDEAD = 4, BEASTS = 5;
// Monster programs' priorities: of wandering and of keeping a post or a
// patrol.
constexpr std::uint16_t WANDER = 15, PATROL = 20, GUARD = 30;

}  // namespace art
