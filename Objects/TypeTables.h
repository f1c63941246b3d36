// The type tables of the database in memory, shared by the game and the
// editor: fixitem types with their database-only halves, and character
// types. (Item types are item_types; the modifier pool is mod_data.)
#pragma once
#include <cstdint>
#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/Map.h"
#include "platform/Packed.h"

struct ORVEX_PACKED fixitem_ext {
    char name[21];
    std::uint16_t first_mod;  // chain head in mod_data, 0xFFFF none
    std::uint8_t reserved[4];
};
ORVEX_RECORD_SIZE(fixitem_ext, 27);
ORVEX_FIELD_OFFSET(fixitem_ext, first_mod, 21);

extern std::vector<fixitem_type> fixitem_data;
extern std::vector<fixitem_ext> fixitem_data_ext;  // indexed alike with fixitem_data
extern std::vector<char_record> char_data;

// No database types loaded.
void Reset_Type_Tables();
