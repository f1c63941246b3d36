// The character page on the small map to play on: its bars, the colours of
// values against their bases, the race and profession names, opening it
// from the hexamap screen and leaving it, the credits, and its sprite on
// every way out.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "System/ClipRect.h"
#include "System/MessageLine.h"
#include "System/Sprite.h"
#include "platform/VirtualKeys.h"
#include "support/LogSpy.h"
#include "tests/frontend/PageFixture.h"

namespace {

namespace fs = std::filesystem;

using CharPage = PageTest;

TEST(PageTables, BothPagesRowsWithTheirRectanglesKeysTooltipsAndHandlers) {
    struct row_case {
        const control_row* row;
        RECT r;  // inclusive
        UINT key1, key2;
        const char* tooltip;
        control_handler handler;
    } rows[] = {
        {&char_page_controls[0], {13, 2, 34, 21}, 'M', VK_ESCAPE, "Back to map", &Char_Page_To_Map},
        {&char_page_controls[1], {605, 2, 626, 21}, 'I', VK_TAB, "Inventory screen", &Char_Page_To_Items},
        {&spell_page_controls[0], {13, 2, 34, 21}, 'M', VK_ESCAPE, "Back to map", &Spell_Page_To_Map},
        {&spell_page_controls[1], {605, 2, 626, 21}, 'I', VK_TAB, "Inventory screen", &Spell_Page_To_Items},
        {&spell_page_controls[2], {339, 122, 619, 337}, 0, 0, "", &Spell_Page_Mouse},
    };
    for (const row_case& e : rows) {
        SCOPED_TRACE(e.tooltip);
        EXPECT_EQ(e.row->left, e.r.left);
        EXPECT_EQ(e.row->top, e.r.top);
        EXPECT_EQ(e.row->right, e.r.right);
        EXPECT_EQ(e.row->bottom, e.r.bottom);
        EXPECT_EQ(e.row->key1, e.key1);
        EXPECT_EQ(e.row->key2, e.key2);
        EXPECT_STREQ(e.row->tooltip, e.tooltip);
        EXPECT_EQ(e.row->picture, 0);
        EXPECT_EQ(Control_Handler_From(e.row->handler), e.handler);
    }
    EXPECT_EQ(char_page_controls[2].handler, 0u) << "the end row";
    EXPECT_EQ(spell_page_controls[3].handler, 0u) << "the end row";
}

TEST(CharPageBars, LengthAndFrameFollowTheValueAgainstItsMaximum) {
    struct bar_case {
        std::int64_t value, maximum;
        int length, frame;
    } cases[] = {
        {10, 20, 66, 8},    // half: 66 pixels, the middle of the scale
        {20, 20, 132, 12},  // full: the top of the scale
        {0, 20, 0, 5},      // empty: the bottom of the scale
        {1, 20, 6, 5},
        {19, 20, 125, 11},
        {5, 0, 132, 4},  // no maximum but a value: full, in the full bar's colour
        {0, 0, 0, 4},
        {40, 20, 132, 4},                   // above the maximum: full
        {-3, 20, 0, 5},                     // a negative value counts as 0
        {5, -7, 132, 4},                    // so does a negative maximum
        {2000000000, 2000000000, 132, 12},  // no overflow on the way
    };
    for (const bar_case& c : cases) {
        const stat_bar_shape s = Stat_Bar_Shape(c.value, c.maximum);
        EXPECT_EQ(s.length, c.length) << c.value << " of " << c.maximum;
        EXPECT_EQ(s.frame, c.frame) << c.value << " of " << c.maximum;
    }
}

TEST(CharPageNames, ANumberBeyondItsTableShowsNoName) {
    EXPECT_STREQ(Race_Name(0), "Human");
    EXPECT_STREQ(Race_Name(14), "Giant spider");
    EXPECT_STREQ(Race_Name(15), "Invalid race");
    EXPECT_STREQ(Race_Name(16), "");
    EXPECT_STREQ(Race_Name(-55), "") << "a number before the table";
    EXPECT_STREQ(Profession_Name(15), "Wizard");
    EXPECT_STREQ(Profession_Name(16), "other");
    EXPECT_STREQ(Profession_Name(17), "");
    EXPECT_STREQ(Profession_Name(255), "");
}

TEST_F(CharPage, HalfTheMaximumDrawsA66PixelBarInFrame8LeftOfItsNumbers) {
    const std::uint16_t alric = Char_Named("Alric");
    Open_Page_Of(alric, SCREEN_CHAR_PAGE);
    ASSERT_NE(MANALINE, nullptr);
    const int x = 234, y = 229, middle = y - 12 + MANALINE->height / 2;
    constexpr std::uint16_t GROUND = 0x0841;
    Fill({0, y - 20, 640, y + 4}, GROUND);
    Set_Full_Clip();
    // Frame 8's column, drawn apart from the bar.
    Put_Sprite(BACK, 600, y - 12, MANALINE, 8, 0, LIGHT_PLAIN);
    const std::uint16_t frame_8 = Pixel(600, middle);
    ASSERT_NE(frame_8, GROUND);

    Draw_Stat_Bar(4, x, y, 10, 20);
    for (int i = 0; i < 66; ++i) ASSERT_EQ(Pixel(x - 72 - i, middle), frame_8) << "column " << i;
    EXPECT_EQ(Pixel(x - 72 - 66, middle), GROUND) << "no 67th column";
    EXPECT_EQ(Pixel(x - 71, middle), GROUND) << "the bar grows leftward from x - 72";
    EXPECT_GT(Count({x - 40, y - 16, x + 25, y}, Pixel_Of(PAGE_TEXT_COLOUR)), 20) << "its numbers";

    // A mana bar keeps its own colour, however full.
    Fill({0, y - 20, 640, y + 4}, GROUND);
    Put_Sprite(BACK, 600, y - 12, MANALINE, 2, 0, LIGHT_PLAIN);
    const std::uint16_t air = Pixel(600, middle);
    Draw_Stat_Bar(2, x, y, 10, 20);
    EXPECT_EQ(Pixel(x - 72, middle), air);
    EXPECT_EQ(Pixel(x - 72 - 65, middle), air);
}

TEST_F(CharPage, AValueIsColouredAgainstItsBase) {
    const std::uint16_t alric = Char_Named("Alric");
    Open_Page_Of(alric, SCREEN_CHAR_PAGE);
    struct pair_case {
        std::int64_t current, base;
        COLORREF colour;
    } cases[] = {
        {12, 10, VALUE_ABOVE_BASE_COLOUR},
        {8, 10, VALUE_BELOW_BASE_COLOUR},
        {10, 10, PAGE_TEXT_COLOUR},
        {-4, 0, PAGE_TEXT_COLOUR},  // a negative value counts as 0
    };
    const int x = 234, y = 331;
    const RECT value_area{x - 40, y - 16, x - 8, y}, base_area{x + 1, y - 16, x + 25, y};
    for (const pair_case& c : cases) {
        SCOPED_TRACE(std::to_string(c.current) + " against " + std::to_string(c.base));
        Fill({x - 60, y - 20, x + 40, y + 4}, 0);
        Draw_Stat_Pair(x, y, c.current, c.base);
        EXPECT_GT(Count(value_area, Pixel_Of(c.colour)), 5);
        for (COLORREF other : {VALUE_ABOVE_BASE_COLOUR, VALUE_BELOW_BASE_COLOUR, PAGE_TEXT_COLOUR})
            if (other != c.colour) {
                EXPECT_EQ(Count(value_area, Pixel_Of(other)), 0);
            }
        EXPECT_GT(Count(base_area, Pixel_Of(PAGE_TEXT_COLOUR)), 5) << "the base";
    }
}

TEST_F(CharPage, GiantStrengthShowsTheStrengthAboveItsBase) {
    const std::uint16_t alric = Char_Named("Alric");
    chararray.records[alric].strength = 10;
    chararray.records[alric].dexterity = 10;
    Add_Modifier(1, Make_Obj(OBJ_CHAR, alric), MK_GIANT_STRENGTH, 2, 0, 0, 0);
    Open_Page_Of(alric, SCREEN_CHAR_PAGE);
    const RECT strength{190, 315, 226, 331}, dexterity{190, 328, 226, 344};
    EXPECT_GT(Count(strength, Pixel_Of(VALUE_ABOVE_BASE_COLOUR)), 5) << "12 against 10";
    EXPECT_EQ(Count(dexterity, Pixel_Of(VALUE_ABOVE_BASE_COLOUR)), 0);
    EXPECT_GT(Count(dexterity, Pixel_Of(PAGE_TEXT_COLOUR)), 5) << "10 against 10";
}

TEST_F(CharPage, TheCharacterKeyOpensThePageOnTheNextTickAndEscGoesBack) {
    const std::uint16_t alric = Char_Named("Alric");
    const int surfaces = Live_Surface_Count();
    Press('C');
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP) << "the page opens when the act is carried out";
    EXPECT_EQ(Command_Kind(alric), ACT_SCREEN);
    Tick();
    ASSERT_EQ(ScreenType, SCREEN_CHAR_PAGE);
    EXPECT_EQ(page_char, static_cast<std::int16_t>(alric));
    EXPECT_NE(MANALINE, nullptr);
    EXPECT_EQ(Live_Surface_Count(), surfaces + 1);
    EXPECT_EQ(screen_controls[SCREEN_CHAR_PAGE], char_page_controls);

    Move_To({20, 10});
    EXPECT_STREQ(message_line.text, "Back to map");
    EXPECT_EQ(message_line.rect.left, 29);
    EXPECT_EQ(message_line.rect.bottom, 462);
    Press(VK_ESCAPE);
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
    EXPECT_EQ(MANALINE, nullptr);
    EXPECT_EQ(Live_Surface_Count(), surfaces);
    EXPECT_TRUE(backend().boxes.empty()) << "Esc on the page asks nothing";

    // The page opened again holds one copy of its sprite.
    Open_Page_Of(alric, SCREEN_CHAR_PAGE);
    Open_Page_Of(alric, SCREEN_CHAR_PAGE);
    EXPECT_EQ(Live_Surface_Count(), surfaces + 1);
    Press('M');
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
}

TEST_F(CharPage, ShiftAndClickWritesTheCreditsAndOpensNothing) {
    const std::uint16_t alric = Char_Named("Alric");
    Clear_Logged_Messages();
    Click_At({30, 50}, MK_SHIFT);
    const std::vector<LoggedMessage> logged = Logged_Messages();
    ASSERT_EQ(logged.size(), static_cast<std::size_t>(CREDITS_LINE_COUNT));
    for (int i = 0; i < CREDITS_LINE_COUNT; ++i) {
        EXPECT_EQ(logged[i].text, credits_lines[i]);
        EXPECT_EQ(logged[i].colour, 0x282828u);
    }
    EXPECT_EQ(logged[0].text, "Credits");
    EXPECT_EQ(logged[1].text, "~~~~~");
    EXPECT_EQ(logged[3].text, " ");
    EXPECT_NE(logged[2].text.find("Orvex developers"), std::string::npos);
    EXPECT_NE(Command_Kind(alric), ACT_SCREEN);
    Tick();
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);

    // Without Shift the click opens the page; so does the key, but with
    // flags 0 it never writes the credits.
    Click_At({30, 50});
    Tick();
    EXPECT_EQ(ScreenType, SCREEN_CHAR_PAGE);
}

TEST_F(CharPage, AMapButtonStillDownWhenThePageOpensIsNeitherDrawnOverItNorLeftDown) {
    const std::uint16_t alric = Char_Named("Alric");
    const control_row& faster = hexamap_controls[14];
    Click_At({faster.left + 2, faster.top + 2});
    ASSERT_EQ(pressed_control, &faster);
    Open_Page_Of(alric, SCREEN_CHAR_PAGE);
    const RECT button{faster.left, faster.top, faster.right + 1, faster.bottom + 1};
    const std::vector<std::uint16_t> page = Area(button);
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(Area(button), page);
    EXPECT_EQ(faster.state, PRESS_UP);
    EXPECT_EQ(pressed_control, nullptr);
}

TEST_F(CharPage, EnteredAgainThePageIsAskedForAndReopensWithOneCopyOfItsSprite) {
    const std::uint16_t alric = Char_Named("Alric");
    const int surfaces = Live_Surface_Count();
    Open_Page_Of(alric, SCREEN_CHAR_PAGE);
    Init_ScreenType();
    EXPECT_EQ(Command_Kind(alric), ACT_SCREEN) << "as its control asks for it";
    Tick();
    EXPECT_EQ(ScreenType, SCREEN_CHAR_PAGE);
    EXPECT_EQ(Live_Surface_Count(), surfaces + 1);
}

TEST_F(CharPage, NoPageOpensWithoutACharacterThePlayerMayCommand) {
    Clear_Selection();
    Press('C');
    Tick();
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
}

TEST_F(CharPage, ARefusedSwitchToTheInventoryKeepsTheSpriteAndNoExitFreesItTwice) {
    const std::uint16_t alric = Char_Named("Alric");
    const int surfaces = Live_Surface_Count();
    Open_Page_Of(alric, SCREEN_CHAR_PAGE);
    Clear_Selection();
    Press(VK_TAB);
    EXPECT_EQ(ScreenType, SCREEN_CHAR_PAGE);
    EXPECT_NE(MANALINE, nullptr) << "the page stays whole";

    Select_Char(alric);
    Press('I');
    EXPECT_EQ(MANALINE, nullptr);
    EXPECT_EQ(Live_Surface_Count(), surfaces);
    Press(VK_ESCAPE);
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
    EXPECT_EQ(Live_Surface_Count(), surfaces);
}

TEST_F(CharPage, ACharacterOfNoNamedRaceOrProfessionDrawsItsPage) {
    const std::uint16_t wolf = Char_Named("Wolf");
    ASSERT_NE(wolf, NO_INDEX);
    // A place past the animals' rows and a profession past the table.
    chararray.records[wolf].race = RACE_ANIMAL | RACE_MASK;
    chararray.records[wolf].profession = 200;
    Open_Page_Of(wolf, SCREEN_CHAR_PAGE);
    EXPECT_EQ(ScreenType, SCREEN_CHAR_PAGE);
    EXPECT_TRUE(backend().boxes.empty());
    const RECT race_box{209, 140, 330, 176};
    EXPECT_EQ(Count(race_box, Pixel_Of(PAGE_TEXT_COLOUR)), 0) << "no name, and nothing read past the tables";
}

TEST_F(CharPage, AMissingBackgroundIsFatal) {
    const std::uint16_t alric = Char_Named("Alric");
    // A folder with the page's sprite but not its background.
    const fs::path bare = fs::temp_directory_path() / ("orvex-charpage-" + std::to_string(::getpid()));
    fs::create_directories(bare / "ARTWORK" / "PAGES");
    fs::copy_file(fixture::Map_Art_Folder() / "ARTWORK" / "PAGES" / "MANALINE.BMP",
                  bare / "ARTWORK" / "PAGES" / "MANALINE.BMP");
    Set_Working_Folder(bare);
    Open_Page_Of(alric, SCREEN_CHAR_PAGE);
    Set_Working_Folder(folder);
    fs::remove_all(bare);
    ASSERT_EQ(backend().boxes.size(), 1u);
    EXPECT_NE(backend().boxes[0].text.find("Can't load charpage screen"), std::string::npos);
    EXPECT_TRUE(Is_Quitting());
}

}  // namespace
