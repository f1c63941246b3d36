#include "support/BattleWorld.h"

#include <cstdint>

#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "System/Random.h"
#include "support/ActWorld.h"
#include "support/TickWorld.h"
#include "support/WorldBuilder.h"

namespace fixture {

namespace {

constexpr std::uint32_t SIDE = 100;
constexpr std::uint32_t RANDOM_SEED = 7;
constexpr std::uint16_t WANDER_PRIORITY = 3;
constexpr int COLUMNS = 10;
constexpr int MAX_ROWS = 40;  // from row 20, every other field, to the map's bottom
constexpr std::uint32_t TOP_ROW = 20;
constexpr std::uint32_t RIGHT_ARMY_LEFT = 51;  // two fields right of the left army's front

// Columns of ten; an army too big for the map's height gets more columns.
int Columns_For(int count) { return count > COLUMNS * MAX_ROWS ? (count + MAX_ROWS - 1) / MAX_ROWS : COLUMNS; }

// One army, every other field, facing the enemy.
void Place_Army(int count, std::uint32_t left, std::uint8_t lobby, std::uint8_t facing, std::uint16_t sword) {
    const int columns = Columns_For(count);
    for (int i = 0; i < count; ++i) {
        const std::uint32_t x = left + 2 * static_cast<std::uint32_t>(i % columns);
        const std::uint32_t y = TOP_ROW + 2 * static_cast<std::uint32_t>(i / columns);
        const std::uint16_t c = Place_Stranger(Field_At(x, y), "Soldier", lobby);
        chararray.records[c].facing = facing;
        Give_Program(c, MK_BASIC_MONSTER, 0, 0, 0, WANDER_PRIORITY);
        if (i % 2 == 0) Give_Item(c, sword, SLOT_RIGHT_HAND);
    }
}

}  // namespace

void Build_Battle(int count) {
    Reset_Tick_World(SIDE, SIDE);
    Seed_Random(RANDOM_SEED);
    const std::uint16_t sword = Add_Item_Type("Sword", CLASS_SWORD, 6);
    item_types[sword].damage_min = 2;
    item_types[sword].damage_max = 7;
    const int left_count = count / 2;
    const int right_count = count - left_count;
    // The left army's front stands three fields before the right army's.
    const std::uint32_t left = RIGHT_ARMY_LEFT - 1 - 2 * static_cast<std::uint32_t>(Columns_For(left_count));
    // Lobbies 2 and 4 hate each other.
    Place_Army(left_count, left, 2, 1, sword);
    Place_Army(right_count, RIGHT_ARMY_LEFT, 4, 4, sword);
}

}  // namespace fixture
