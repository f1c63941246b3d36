#include <gtest/gtest.h>

#include <cstring>

#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "datafiles/LightMap.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

constexpr std::uint8_t LAMP = 1;
constexpr std::uint8_t TORCH = 2;
constexpr std::uint8_t CANDLE = 3;
constexpr std::uint8_t PLAIN = 4;

class LightMap : public ::testing::Test {
  protected:
    void SetUp() override { Build(20, 20, 1); }

    void Build(std::uint32_t width, std::uint32_t height, std::uint32_t levels) {
        Reset_World(width, height, levels);
        const std::pair<std::uint8_t, const char*> types[] = {
            {LAMP, "Lampa1"}, {TORCH, "Faklya"}, {CANDLE, "Gyertyat"}, {PLAIN, "Lampa12"}};
        for (const auto& [slot, name] : types) {
            Set_Fixitem_Type(slot, LAYER_WALL);
            std::strncpy(fixitem_types[slot].sprite_name, name, sizeof fixitem_types[slot].sprite_name);
        }
    }

    int At(std::uint32_t x, std::uint32_t y, std::uint32_t level = 0) const { return light[Field_Index(x, y, level)]; }
};

TEST_F(LightMap, WithoutLightSourcesEveryFieldHas26) {
    Place_Fixitem(Field_Index(5, 5, 0), PLAIN);  // a name that only begins like a lamp's
    Compute_Light_Map();
    ASSERT_EQ(light.size(), total_fields);
    for (std::uint8_t l : light) ASSERT_EQ(l, LIGHT_BASE);
}

TEST_F(LightMap, ALampAddsItsWeightsTimesItsStrength) {
    Place_Fixitem(Field_Index(10, 10, 0), LAMP);
    Compute_Light_Map();
    struct Case {
        int dx, dy, light;
    };
    // Weight row dy + 4, column dx + 4, times the lamp's strength 4.
    for (const Case& c : {Case{0, 0, 26 + 9 * 4}, Case{-1, -1, 26 + 9 * 4}, Case{-4, -4, 26}, Case{3, 3, 26},
                          Case{-1, 3, 26 + 2 * 4}, Case{-3, 0, 26 + 5 * 4}, Case{2, -2, 26 + 4 * 4},
                          Case{-2, -3, 26 + 3 * 4}, Case{3, -4, 26}, Case{4, 0, 26}, Case{0, 4, 26}}) {
        EXPECT_EQ(At(10 + c.dx, 10 + c.dy), c.light) << c.dx << "," << c.dy;
    }
}

TEST_F(LightMap, TorchesAndCandlesHaveTheirOwnStrength) {
    Place_Fixitem(Field_Index(4, 4, 0), TORCH);
    Place_Fixitem(Field_Index(14, 14, 0), CANDLE);
    Compute_Light_Map();
    EXPECT_EQ(At(4, 4), 26 + 9 * 2);
    EXPECT_EQ(At(14, 14), 26 + 9 * 3);
}

TEST_F(LightMap, LightStopsAt63) {
    const std::uint16_t field = Field_Index(10, 10, 0);
    Place_Fixitem(field, LAMP);
    Place_Fixitem(field, LAMP);
    Compute_Light_Map();
    EXPECT_EQ(At(10, 10), LIGHT_MAX);
    EXPECT_EQ(At(9, 9), LIGHT_MAX);
    EXPECT_EQ(At(7, 13), 26 + 2 * 1 * 4);  // weight 1 twice
}

TEST_F(LightMap, NearAnEdgeThePatternContinuesOnTheNextRowOrLevel) {
    Build(20, 20, 2);
    Place_Fixitem(Field_Index(0, 5, 0), LAMP);
    Place_Fixitem(Field_Index(3, 0, 1), TORCH);
    Compute_Light_Map();
    // One column before column 0 is the last field of the row above.
    EXPECT_EQ(At(19, 4), 26 + 9 * 4);
    // One row above row 0 of level 1 is the last row of level 0.
    EXPECT_EQ(At(3, 19, 0), 26 + 9 * 2);
    // A lamp on the first field of the map lights nothing before it.
    Build(20, 20, 1);
    Place_Fixitem(0, LAMP);
    Compute_Light_Map();
    EXPECT_EQ(At(0, 0), 26 + 9 * 4);
    EXPECT_EQ(light.size(), 400u);
}

TEST_F(LightMap, OnlyFixitemsStandingOnAFieldGiveLight) {
    // The field heads share their indexes with the item, the character and
    // the map animation below, and are of the lamp's type themselves.
    for (std::uint16_t f = 0; f < 3; ++f) maparray[f].type = LAMP;
    const std::uint16_t field = Field_Index(10, 10, 0);
    ASSERT_EQ(Place_Item(field, Add_Item_Type("Lamp", CLASS_OTHER)), 1);
    ASSERT_EQ(Place_Char(field, "Ann"), 0);
    Put_MapAnim(field, 5, 0);
    Compute_Light_Map();
    for (std::uint8_t l : light) ASSERT_EQ(l, LIGHT_BASE);
}

}  // namespace
