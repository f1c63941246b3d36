// Using a quick-slot item on the generated start map as a player does: a
// right click on the quick slot holding the healing potion, a click on whom
// it heals, ticks. The game runs on the headless backend as the headless
// runner runs it, driven by the same window messages.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "System/Random.h"
#include "datafiles/MapFile.h"
#include "datafiles/MapImage.h"
#include "tests/frontend/GameFixture.h"
#include "tests/frontend/GeneratedFolder.h"

namespace {

class QuickSlotUse : public GameTest {
  protected:
    static void SetUpTestSuite() { art = Generated_Folder(); }

    // Where the view shows the middle of field (x, y) of the shown level.
    static POINT Field_Point(int x, int y) {
        constexpr int FIELD_MIDDLE = 4;
        return {x * MAP_FIELD_WIDTH + y * MAP_ROW_STEP - scroll_x + map_view.left,
                y * MAP_ROW_STEP - scroll_y + map_view.top - FIELD_MIDDLE};
    }
    // The mouse goes there (the system's cursor too, which is away from
    // the screen's edges that scroll the view) and clicks.
    void Click(POINT p, UINT down, WPARAM button) {
        backend().cursor_pos = p;
        Mouse_Move(p.x, p.y);
        Idle();
        Post(down, button, MAKELPARAM(p.x, p.y));
        Idle();
    }
};

std::string Type_Name(std::int16_t item) {
    const item_type* t = Item_Type_Of(static_cast<std::uint16_t>(item));
    return t != nullptr ? std::string(t->name, strnlen(t->name, sizeof t->name)) : "";
}

TEST_F(QuickSlotUse, AHealingPotionHealsTheHurtLeaderWithinItsMaximumAndVanishes) {
    ASSERT_EQ(map_loaded, 1u);
    ASSERT_EQ(selected_count, 1u);
    const std::uint16_t leader = selected[0];
    char_record& r = chararray.records[leader];
    const std::int16_t potion = r.slots[SLOT_QUICK_FIRST];
    ASSERT_GT(potion, 0);
    ASSERT_EQ(Type_Name(potion), "Healing potion");
    // Hurt: 5 below the maximum, so that the heal of 4 to 7 points reaches
    // past the maximum for most rolls and is held to it.
    r.hp = static_cast<std::int16_t>(r.max_hp - 5);
    const int hurt = r.hp;
    Seed_Random(5);

    // Quick slot 61 is the right-hand one of the upper pair.
    Click({70, 170}, WM_RBUTTONDOWN, MK_RBUTTON);
    Tick();
    Idle();
    EXPECT_EQ(r.state, CS_ITEM_ACT) << "the potion's spell is being aimed";
    EXPECT_EQ(r.hp, hurt) << "nothing happens before a target is picked";

    // The potion heals whom it is aimed at: the leader itself.
    Click(Field_Point(r.x, r.y), WM_LBUTTONDOWN, MK_LBUTTON);
    for (int t = 0; t < 4; ++t) {
        Tick();
        Idle();
    }
    EXPECT_GT(r.hp, hurt);
    EXPECT_LE(r.hp, r.max_hp);
    EXPECT_EQ(r.slots[SLOT_QUICK_FIRST], 0) << "the empty potion is gone from the slot";
    EXPECT_TRUE(Item_Record_Is_Free(static_cast<std::uint16_t>(potion))) << "and from the item array";
    for (const MessageBoxCall& box : backend().boxes) ADD_FAILURE() << box.caption << ": " << box.text;

    auto image = std::make_unique<MapImage>();
    Capture_Map_Image(*image);
    Clear_Run_Time_Handles(*image);
    EXPECT_EQ(Check_Map_Image(*image), "") << "the world as the map file would store it";
}

}  // namespace
