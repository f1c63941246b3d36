// The spell page on the small map to play on: which spells its grid lists,
// which of them the character's mana pays for, pointing at a spell and
// casting it, the cells and gaps of the grid, the mana bars, and its
// sprites on every way out.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "System/ClipRect.h"
#include "System/MessageLine.h"
#include "System/Sprite.h"
#include "platform/VirtualKeys.h"
#include "tests/frontend/PageFixture.h"

namespace {

namespace fs = std::filesystem;

using SpellPage = PageTest;

// The middle of grid cell c.
POINT Cell_Middle(int c) {
    return {SPELL_GRID_LEFT + SPELL_CELL_STEP_X * (c % 3) + SPELL_CELL_WIDTH / 2,
            SPELL_GRID_TOP + SPELL_CELL_STEP_Y * (c / 3) + SPELL_CELL_HEIGHT / 2};
}

void Set_Mana(std::uint16_t c, std::uint16_t fire, std::uint16_t water, std::uint16_t air, std::uint16_t earth) {
    char_record& r = chararray.records[c];
    const std::uint16_t mana[4] = {fire, water, air, earth};
    for (int k = 0; k < 4; ++k) {
        r.mana[k] = mana[k];
        r.max_mana[k] = 20;
    }
}

TEST(SpellGrid, CellsAndGapsUnderThePoint) {
    struct cell_case {
        int x, y, cell;
    } cases[] = {
        {339, 122, 0},
        {428, 171, 0},
        {429, 150, SPELL_COLUMN_GAP},
        {433, 150, SPELL_COLUMN_GAP},
        {434, 150, 1},
        {619, 140, SPELL_COLUMN_GAP},
        {400, 172, SPELL_ROW_GAP},
        {400, 176, SPELL_ROW_GAP},
        {400, 177, 3},
        {600, 320, 11},
        {619, 337, SPELL_COLUMN_GAP},
        {560, 337, SPELL_ROW_GAP},
    };
    for (const cell_case& c : cases) EXPECT_EQ(Spell_Cell_At(c.x, c.y), c.cell) << c.x << ", " << c.y;
}

TEST_F(SpellPage, ASpellIsCastableWhenEveryCostIsCoveredByItsMana) {
    struct cast_case {
        int row;  // of spell_table
        std::uint16_t fire, water, air, earth;
        bool castable;
    } cases[] = {
        {0, 5, 0, 0, 1, true},                               // Giant Strength 5/0/0/1: exactly paid
        {0, 4, 20, 20, 20, false},                           // one fire short
        {0, 5, 0, 0, 0, false},                              // no earth
        {1, 0, 6, 1, 0, true},                               // Magic Armour 0/6/1/0
        {1, 20, 6, 0, 20, false},  {7, 2, 0, 0, 3, false},   // Fire Wall 5/0/0/3: fire cost 3.. 5 against 2
        {7, 5, 0, 0, 3, true},     {8, 10, 5, 0, 0, true},   // Splinter Rain 10/5/0/0
        {8, 10, 4, 0, 0, false},   {9, 2, 2, 6, 11, false},  // Call Zombies 2/2/6/12
        {12, 0, 4, 1, 2, true},                              // Knock-knock 0/4/1/2
    };
    const std::uint16_t alric = Char_Named("Alric");
    for (const cast_case& c : cases) {
        act_desc* act = spell_table[c.row].act;
        SCOPED_TRACE(std::string(act->name) + " with " + std::to_string(c.fire) + "/" + std::to_string(c.water) + "/" +
                     std::to_string(c.air) + "/" + std::to_string(c.earth));
        chararray.records[alric].known_spells = static_cast<std::uint16_t>(1u << c.row);
        Set_Mana(alric, c.fire, c.water, c.air, c.earth);
        Clear_Negative_Acts(chararray.records[alric].ai_slot);
        Open_Page_Of(alric, SCREEN_SPELL_PAGE);
        ASSERT_EQ(spell_list.count, 1);

        Move_To(Cell_Middle(0));
        EXPECT_EQ(std::string(message_line.text), c.castable ? std::string("Cast ") + act->name : std::string());
        Click_At(Cell_Middle(0));
        if (c.castable) {
            EXPECT_EQ(ScreenType, SCREEN_HEXAMAP) << "the cast returns to the map";
            EXPECT_EQ(Command_Kind(alric), ACT_START);
            const act_entry* e = User_Command(alric);
            ASSERT_NE(e, nullptr);
            EXPECT_EQ(e->arg1, Act_Handle(act));
            EXPECT_EQ(SPBUTTON, nullptr);
        } else {
            EXPECT_EQ(ScreenType, SCREEN_SPELL_PAGE);
            EXPECT_NE(Command_Kind(alric), ACT_START);
            EXPECT_STREQ(message_line.text, "");
        }
        if (ScreenType == SCREEN_SPELL_PAGE) Spell_Page_To_Map(0, EVENT_CLICK);
    }
}

TEST_F(SpellPage, TheGridListsTheFirstTwelveKnownSpellsInTableOrder) {
    const std::uint16_t alric = Char_Named("Alric");
    chararray.records[alric].known_spells = 0x1FFF;
    Open_Page_Of(alric, SCREEN_SPELL_PAGE);
    ASSERT_EQ(spell_list.count, 12);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(spell_list.rows[i], i);

    chararray.records[alric].known_spells = (1u << 12) | (1u << 5) | (1u << 2);
    Open_Page_Of(alric, SCREEN_SPELL_PAGE);
    ASSERT_EQ(spell_list.count, 3);
    EXPECT_EQ(spell_list.rows[0], 2);
    EXPECT_EQ(spell_list.rows[1], 5);
    EXPECT_EQ(spell_list.rows[2], 12);
}

TEST_F(SpellPage, WithNoSpellAClickOnlyClearsTheMessageLine) {
    const std::uint16_t alric = Char_Named("Alric");
    chararray.records[alric].known_spells = 0;
    Open_Page_Of(alric, SCREEN_SPELL_PAGE);
    EXPECT_EQ(spell_list.count, 0);
    Show_Message("something");
    Click_At(Cell_Middle(0));
    EXPECT_STREQ(message_line.text, "");
    EXPECT_EQ(ScreenType, SCREEN_SPELL_PAGE);
    EXPECT_NE(Command_Kind(alric), ACT_START);
}

TEST_F(SpellPage, PointingAtASpellNamesItAndDescribesItUntilTheMouseLeavesIt) {
    const std::uint16_t alric = Char_Named("Alric");
    chararray.records[alric].known_spells = (1u << 0) | (1u << 2);  // Giant Strength, Heal
    Set_Mana(alric, 20, 20, 20, 20);
    Open_Page_Of(alric, SCREEN_SPELL_PAGE);
    const std::uint16_t background = static_cast<std::uint16_t>(ui_background);
    const RECT box = SPELL_DESCRIPTION_BOX;
    const int box_pixels = (box.right - box.left) * (box.bottom - box.top);
    EXPECT_EQ(Count(box, background), box_pixels) << "no description yet";

    Move_To(Cell_Middle(1));
    EXPECT_STREQ(message_line.text, "Cast Heal Spell");
    EXPECT_LT(Count(box, background), box_pixels) << "the description is written";
    EXPECT_GT(Count(box, 0), 50) << "in black";

    // The gap between the two cells names nothing and clears the box.
    Move_To({SPELL_GRID_LEFT + SPELL_CELL_WIDTH + 2, Cell_Middle(0).y});
    EXPECT_STREQ(message_line.text, "");
    EXPECT_EQ(Count(box, background), box_pixels);
    Click_At({SPELL_GRID_LEFT + SPELL_CELL_WIDTH + 2, Cell_Middle(0).y});
    EXPECT_EQ(ScreenType, SCREEN_SPELL_PAGE) << "a click in the gap casts nothing";
    EXPECT_NE(Command_Kind(alric), ACT_START);

    Move_To(Cell_Middle(0));
    EXPECT_STREQ(message_line.text, "Cast Giant Strength");
    Move_To(Cell_Middle(5));
    EXPECT_STREQ(message_line.text, "") << "a cell past the last spell";
}

TEST_F(SpellPage, ManaLinesShowTheCostAgainstTheMana) {
    const std::uint16_t alric = Char_Named("Alric");
    Open_Page_Of(alric, SCREEN_SPELL_PAGE);
    ASSERT_NE(MANALINE, nullptr);
    struct line_case {
        std::int64_t value, maximum;
        int length;
    } cases[] = {{6, 6, 35}, {7, 20, 12}, {0, 20, 0}, {-3, 20, 0}, {5, 0, 0}, {5, -2, 0}};
    const int x = 100, y = 100;
    constexpr std::uint16_t GROUND = 0x0841;
    Set_Full_Clip();
    for (const line_case& c : cases) {
        Fill({0, y - 2, 300, y + 12}, GROUND);
        Draw_Mana_Line(1, x, y, c.value, c.maximum);
        int drawn = 0;
        for (int px = 0; px < 300; ++px) drawn += Pixel(px, y + 3) != GROUND;
        EXPECT_EQ(drawn, c.length) << c.value << " of " << c.maximum;
        if (c.length > 0) {
            EXPECT_NE(Pixel(x + 35, y + 3), GROUND) << "the line ends at x + 35";
            EXPECT_EQ(Pixel(x + 36, y + 3), GROUND);
        }
    }
}

TEST_F(SpellPage, TheSpellKeyOpensThePageAndEveryExitFreesItsSpritesOnce) {
    const std::uint16_t alric = Char_Named("Alric");
    const int surfaces = Live_Surface_Count();
    Click_At({60, 230});
    EXPECT_EQ(Command_Kind(alric), ACT_SCREEN);
    EXPECT_EQ(hexamap_controls[3].state, PRESS_UP) << "the button pops up";
    EXPECT_EQ(pressed_control, nullptr);
    Tick();
    ASSERT_EQ(ScreenType, SCREEN_SPELL_PAGE);
    EXPECT_EQ(screen_controls[SCREEN_SPELL_PAGE], spell_page_controls);
    EXPECT_EQ(Live_Surface_Count(), surfaces + 3);
    Press('M');
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
    EXPECT_EQ(Live_Surface_Count(), surfaces);

    // The inventory switch the player may not give keeps the page whole.
    Open_Page_Of(alric, SCREEN_SPELL_PAGE);
    Open_Page_Of(alric, SCREEN_SPELL_PAGE);
    EXPECT_EQ(Live_Surface_Count(), surfaces + 3) << "opened again, the page holds one copy";
    Clear_Selection();
    Press(VK_TAB);
    EXPECT_EQ(ScreenType, SCREEN_SPELL_PAGE);
    EXPECT_EQ(Live_Surface_Count(), surfaces + 3);
    Select_Char(alric);
    Press(VK_TAB);
    EXPECT_EQ(Live_Surface_Count(), surfaces) << "the switch given frees them";
    EXPECT_EQ(SPBUTTON, nullptr);
    EXPECT_EQ(SPICONS, nullptr);
    EXPECT_EQ(MANALINE, nullptr);
    // The page is on its way out: the grid is left alone, and the exit
    // frees nothing twice.
    Move_To(Cell_Middle(0));
    Press(VK_ESCAPE);
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
    EXPECT_EQ(Live_Surface_Count(), surfaces);
}

TEST_F(SpellPage, AMissingBackgroundIsFatal) {
    const std::uint16_t alric = Char_Named("Alric");
    // A folder with the page's sprites but not its background.
    const fs::path bare = fs::temp_directory_path() / ("orvex-spellpage-" + std::to_string(::getpid()));
    fs::create_directories(bare / "ARTWORK" / "PAGES");
    for (const char* file : {"MANALINE.BMP", "SPBUTTON.BMP", "SPICONS.BMP"})
        fs::copy_file(fixture::Map_Art_Folder() / "ARTWORK" / "PAGES" / file, bare / "ARTWORK" / "PAGES" / file);
    Set_Working_Folder(bare);
    Open_Page_Of(alric, SCREEN_SPELL_PAGE);
    Set_Working_Folder(folder);
    fs::remove_all(bare);
    ASSERT_EQ(backend().boxes.size(), 1u);
    EXPECT_NE(backend().boxes[0].text.find("Can't load spellpage screen"), std::string::npos);
    EXPECT_TRUE(Is_Quitting());
}

}  // namespace
