// The hexamap screen on a small map to play on: its control rows, the map
// click, the step keys, turn mode, levels, speed, the display toggles,
// quitting, the portrait strip, selecting the party and the quick slots.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "Objects/Acts.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/PathSearch.h"
#include "Objects/PlayerCommands.h"
#include "Objects/Requests.h"
#include "Objects/Turns.h"
#include "System/MessageLog.h"
#include "datafiles/MapFile.h"
#include "frontend/CharPage.h"
#include "frontend/HexamapPanel.h"
#include "frontend/Hooks.h"
#include "frontend/SpellPage.h"
#include "platform/VirtualKeys.h"
#include "support/RecordingHandler.h"
#include "support/SampleMap.h"
#include "tests/frontend/HexamapFixture.h"

namespace {

namespace fs = std::filesystem;

struct row_case {
    RECT r;  // inclusive
    UINT key1, key2;
    const char* tooltip;
    int picture, frame;
    control_handler handler;
};

// The screen's rows in table order.
const row_case rows[] = {
    {{90, 12, 548, 370}, 0, 0, "", 0, 0, &Hexamap_Map_Click},
    {{13, 215, 42, 244}, 'I', 0, "Switch to inventory screen", 13, 0, &Inventory_Switch},
    {{7, 16, 71, 91}, 'C', 0, "Switch to character screen", 0, 0, &Char_Page_Button},
    {{45, 215, 74, 244}, 'S', 0, "Switch to spell-select screen", 13, 2, &Spell_Page_Button},
    {{563, 351, 624, 372}, 27, 0, "Quit", 16, 2, &Quit_Click},
    {{291, 371, 341, 382}, 'M', 0, "Mode switch", 16, 4, &Mode_Switch},
    {{0, 0, 0, 0}, 37, 100, "Scroll left", 0, 0, &Step_Selected_Left},
    {{0, 0, 0, 0}, 39, 102, "Scroll right", 0, 0, &Step_Selected_Right},
    {{0, 0, 0, 0}, 34, 99, "Scroll down right", 0, 0, &Step_Selected_Down_Right},
    {{0, 0, 0, 0}, 33, 105, "Scroll up right", 0, 0, &Step_Selected_Up_Right},
    {{0, 0, 0, 0}, 35, 97, "Scroll down left", 0, 0, &Step_Selected_Down_Left},
    {{0, 0, 0, 0}, 36, 103, "Scroll up left", 0, 0, &Step_Selected_Up_Left},
    {{563, 319, 583, 333}, 106, 0, "Step up one level", 15, 8, &Level_Up},
    {{563, 335, 583, 349}, 111, 0, "Step down one level", 15, 6, &Level_Down},
    {{584, 319, 604, 333}, 107, 0, "Increase game speed", 15, 12, &Increase_Game_Speed},
    {{584, 335, 604, 349}, 109, 0, "Decrease game speed", 15, 10, &Decrease_Game_Speed},
    {{9, 102, 40, 149}, 'A', 0, "Attack with right hand", 0, 0, &Cmd_Attack_Right},
    {{47, 102, 78, 149}, 'Z', 0, "Attack with left hand", 0, 0, &Cmd_Attack_Left},
    {{13, 320, 32, 350}, 13, 0, "Repeat last order", 15, 2, &Cmd_Repeat_Last_Order},
    {{34, 320, 53, 350}, 'W', 0, "Wait for others", 15, 0, &Cmd_Wait_For_Others},
    {{55, 320, 74, 350}, 'G', 0, "Guarding", 15, 4, &Cmd_Guard},
    {{45, 250, 74, 279}, 'O', 0, "Operate an item", 13, 6, &Cmd_Operate_Item},
    {{44, 431, 74, 452}, 0, 0, "Scroll characters to left", 14, 8, &Portraits_Scroll_Left},
    {{238, 431, 268, 452}, 0, 0, "Scroll characters to right", 14, 10, &Portraits_Scroll_Right},
    {{33, 389, 254, 426}, 0, 0, "", 0, 0, &Portrait_Strip_Click},
    {{82, 431, 117, 452}, 0, 0, "Select all characters", 14, 0, &Select_All_Chars},
    {{421, 371, 446, 394}, 0, 0, "Turn the shields on/off", 15, 18, &Toggle_Shields},
    {{397, 371, 422, 394}, 0, 0, "Turn the digits on/off", 15, 16, &Toggle_Digits},
    {{280, 386, 603, 400}, 0, 0, "Scroll up the Text Window", 0, 0, &Log_Scroll_Up},
    {{280, 458, 603, 472}, 0, 0, "Scroll down the Text Window", 0, 0, &Log_Scroll_Down},
    {{0, 0, 0, 0}, 'X', 0, "Credits", 0, 0, &Credits_Key},
    {{13, 215, 42, 244}, 'E', 0, "Start the map editor", 0, 0, &Editor_Key},
    {{9, 156, 24, 187}, 0, 0, "", 0, 0, &Quick_Slot_62_Click},
    {{63, 156, 78, 187}, 0, 0, "", 0, 0, &Quick_Slot_61_Click},
    {{27, 156, 42, 171}, 0, 0, "", 0, 0, &Quick_Slot_64_Click},
    {{45, 156, 60, 171}, 0, 0, "", 0, 0, &Quick_Slot_63_Click},
    {{27, 173, 42, 188}, 0, 0, "", 0, 0, &Quick_Slot_66_Click},
    {{45, 173, 60, 188}, 0, 0, "", 0, 0, &Quick_Slot_65_Click},
};

TEST(HexamapTable, EveryRowInOrderWithItsRectangleKeysTooltipPictureAndHandler) {
    ASSERT_EQ(std::size(rows), static_cast<std::size_t>(HEXAMAP_ROW_COUNT));
    for (int i = 0; i < HEXAMAP_ROW_COUNT; ++i) {
        const row_case& e = rows[i];
        const control_row& r = hexamap_controls[i];
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(r.left, e.r.left);
        EXPECT_EQ(r.top, e.r.top);
        EXPECT_EQ(r.right, e.r.right);
        EXPECT_EQ(r.bottom, e.r.bottom);
        EXPECT_EQ(r.key1, e.key1);
        EXPECT_EQ(r.key2, e.key2);
        EXPECT_STREQ(r.tooltip, e.tooltip);
        EXPECT_EQ(r.picture, e.picture);
        EXPECT_EQ(r.frame, e.frame);
        EXPECT_EQ(Control_Handler_From(r.handler), e.handler);
    }
    EXPECT_EQ(hexamap_controls[HEXAMAP_ROW_COUNT].handler, 0u) << "the end row";
    EXPECT_EQ(screen_controls[SCREEN_HEXAMAP], hexamap_controls);
}

TEST(HexamapTable, RowsUnderOthersAreReachedByTheirKeysOnly) {
    const std::uint32_t saved = ScreenType;
    ScreenType = SCREEN_HEXAMAP;
    EXPECT_EQ(Find_Control_At(20, 230), &hexamap_controls[1]) << "the inventory, not the editor";
    EXPECT_EQ(Find_Control_By_Key('E'), &hexamap_controls[31]);
    EXPECT_EQ(Find_Control_At(0, 0), &hexamap_controls[6]) << "pixel (0, 0): the first row for keys alone";
    ScreenType = saved;
}

using Hexamap = HexamapTest;

TEST_F(Hexamap, AClickGivesEverySelectedCharacterAGoOrAnAttackCommand) {
    Select_Party();
    ASSERT_EQ(selected_count, 3u);
    const std::uint16_t alric = Char_Named("Alric"), skeleton = Char_Named("Skeleton");
    const std::uint32_t free_x = 7, free_y = 7;
    Click_Field(free_x, free_y);
    const std::uint16_t field = Field_Index(free_x, free_y, 0);
    EXPECT_EQ(cursor_field, field);
    for (int i = 0; i < selected_count; ++i) {
        EXPECT_EQ(Command_Kind(selected[i]), ACT_GO) << i;
        EXPECT_EQ(Command_Target(selected[i]), Make_Obj(OBJ_FIXITEM, field)) << i;
    }

    Click_Char(skeleton);
    for (int i = 0; i < selected_count; ++i) {
        EXPECT_EQ(Command_Kind(selected[i]), ACT_ATTACK) << i << ": the earlier command is replaced";
        EXPECT_EQ(Command_Target(selected[i]), Make_Obj(OBJ_CHAR, skeleton)) << i;
    }
    EXPECT_EQ(selected[0], alric);
}

TEST_F(Hexamap, TheSelectedCharacterWalksToTheClickedField) {
    const std::uint16_t alric = Char_Named("Alric");
    ASSERT_EQ(selected[0], alric);
    Click_Field(7, 6);
    for (int t = 0; t < 200 && Field_Of(alric) != Field_Index(7, 6, 0); ++t) Tick();
    EXPECT_EQ(Field_Of(alric), Field_Index(7, 6, 0));
}

TEST_F(Hexamap, AClickOnAPartyMemberSelectsItAndShiftTogglesIt) {
    const std::uint16_t bera = Char_Named("Bera"), cato = Char_Named("Cato");
    Click_Char(bera);
    EXPECT_EQ(selected_count, 1u);
    EXPECT_EQ(selected[0], bera);
    EXPECT_EQ(Command_Kind(bera), ACT_NONE) << "a selection is no command";
    Click_Char(cato, MK_SHIFT);
    EXPECT_EQ(selected_count, 2u);
    EXPECT_EQ(selected[1], cato);
    Click_Char(cato, MK_SHIFT);
    EXPECT_EQ(selected_count, 1u);
    Click_Char(Char_Named("Skeleton"), MK_SHIFT);
    EXPECT_EQ(selected_count, 1u) << "Shift never selects a stranger";
    EXPECT_EQ(Command_Kind(bera), ACT_NONE) << "nor commands an attack";
}

TEST_F(Hexamap, AClickOffTheMapOnlyClearsTheMessageLine) {
    Show_Message("Something");
    const POINT above{300, 20};  // in the view, above the first row
    Click_At(above);
    EXPECT_EQ(cursor_field, NO_FIELD);
    EXPECT_STREQ(message_line.text, "");
    EXPECT_EQ(Command_Kind(selected[0]), ACT_NONE);
}

TEST_F(Hexamap, InTurnModeTheFirstClickShowsTheWayAndTheSecondGoes) {
    Press('M');
    ASSERT_EQ(turn_mode, 1u);
    ASSERT_TRUE(Is_Player_Char(selected[0])) << "the party's turn comes first";
    const std::uint16_t lead = selected[0];
    const std::uint16_t near = Field_Index(6, 7, 0), other = Field_Index(6, 5, 0);
    Click_Field(6, 7);
    EXPECT_EQ(shown_path_dest, near);
    EXPECT_GT(cursordirs_count, 0u);
    EXPECT_EQ(Command_Kind(lead), ACT_NONE) << "only the way is shown";
    Click_Field(6, 5);
    EXPECT_EQ(shown_path_dest, other) << "a click elsewhere moves the arrows";
    EXPECT_EQ(Command_Kind(lead), ACT_NONE);
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON);
    EXPECT_EQ(Command_Kind(lead), ACT_GO) << "the second click on the same field";
    EXPECT_EQ(Command_Target(lead), Make_Obj(OBJ_FIXITEM, other));
}

TEST_F(Hexamap, InTurnModeAClickOnTheLeaderItselfOrdersNothing) {
    Press('M');
    const std::uint16_t lead = selected[0];
    ASSERT_TRUE(Is_Player_Char(lead));
    Click_Char(lead);
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON);
    EXPECT_EQ(Command_Kind(lead), ACT_NONE) << "no attack on itself";
    EXPECT_EQ(selected[0], lead);
}

TEST_F(Hexamap, WhileAnActIsAimedClicksPickAndRightClicksRotate) {
    cursor_type = CURSOR_AIMING;
    target_rotation = 4;
    Click_Field(7, 7);
    EXPECT_EQ(target_field, Field_Index(7, 7, 0));
    EXPECT_EQ(Command_Kind(selected[0]), ACT_NONE);
    Right_Click_At(Field_Point(7, 7));
    EXPECT_EQ(target_rotation, 5u);
    Right_Click_At(Field_Point(7, 7));
    EXPECT_EQ(target_rotation, 0u) << "back to 0 after 5";
    cursor_type = CURSOR_NORMAL;
}

TEST_F(Hexamap, ARightClickTurnsTheLeadingCharacterTowardTheField) {
    const std::uint16_t alric = Char_Named("Alric");
    Right_Click_At(Field_Point(7, 2));
    ASSERT_EQ(Command_Kind(alric), ACT_TURN);
    EXPECT_EQ(User_Command(alric)->arg1, 7u);
    EXPECT_EQ(User_Command(alric)->arg2, 2u);
}

struct step_case {
    UINT key;
    int direction;
    int dx, dy;
};
const step_case steps[] = {
    {VK_LEFT, 4, -1, 0},  {VK_NUMPAD6, 1, 1, 0}, {VK_NEXT, 2, 0, 1},
    {VK_PRIOR, 6, 1, -1}, {VK_END, 3, -1, 1},    {VK_NUMPAD7, 5, 0, -1},
};

TEST_F(Hexamap, StepKeysTurnTheCharacterAndSendItToTheNeighbour) {
    const std::uint16_t alric = Char_Named("Alric");
    for (const step_case& s : steps) {
        SCOPED_TRACE(s.key);
        Press(s.key);
        EXPECT_EQ(chararray.records[alric].facing, s.direction);
        const std::uint16_t to = Field_Index(static_cast<std::uint32_t>(chararray.records[alric].x + s.dx),
                                             static_cast<std::uint32_t>(chararray.records[alric].y + s.dy), 0);
        EXPECT_EQ(Command_Kind(alric), ACT_GO);
        EXPECT_EQ(Command_Target(alric), Make_Obj(OBJ_FIXITEM, to));
    }

    // With Ctrl held the keys scroll the view instead.
    Clear_Negative_Acts(chararray.records[alric].ai_slot);
    Key_Down(VK_CONTROL);
    Key_Down(VK_RIGHT);
    EXPECT_EQ(Command_Kind(alric), ACT_NONE);
    const std::int32_t x = scroll_x;
    Idle();
    EXPECT_EQ(scroll_x, x + 6);
    Key_Up(VK_RIGHT);
    Key_Up(VK_CONTROL);
}

TEST_F(Hexamap, AStepKeyTowardAStrangerAttacksItAndAtTheEdgeOnlyTurns) {
    const std::uint16_t alric = Char_Named("Alric");
    const std::uint16_t skeleton = Char_Named("Skeleton");
    // The skeleton next to Alric, to his right.
    Remove_Object(Make_Obj(OBJ_CHAR, skeleton));
    Put_Object_To_Field(Make_Obj(OBJ_CHAR, skeleton), Field_Index(5, 6, 0));
    Press(VK_RIGHT);
    EXPECT_EQ(Command_Kind(alric), ACT_ATTACK);
    EXPECT_EQ(Command_Target(alric), Make_Obj(OBJ_CHAR, skeleton));

    // Alric on the map's last column.
    Clear_Negative_Acts(chararray.records[alric].ai_slot);
    Remove_Object(Make_Obj(OBJ_CHAR, alric));
    Put_Object_To_Field(Make_Obj(OBJ_CHAR, alric), Field_Index(fixture::PLAY_MAP_WIDTH - 1, 6, 0));
    Press(VK_LEFT);
    Clear_Negative_Acts(chararray.records[alric].ai_slot);
    Press(VK_RIGHT);
    EXPECT_EQ(chararray.records[alric].facing, 1);
    EXPECT_EQ(Command_Kind(alric), ACT_NONE) << "nothing beyond the edge";

    // And on the last row.
    Remove_Object(Make_Obj(OBJ_CHAR, alric));
    Put_Object_To_Field(Make_Obj(OBJ_CHAR, alric), Field_Index(6, fixture::PLAY_MAP_HEIGHT - 1, 0));
    Press(VK_NEXT);
    EXPECT_EQ(chararray.records[alric].facing, 2);
    EXPECT_EQ(Command_Kind(alric), ACT_NONE) << "nothing below the last row";
}

TEST_F(Hexamap, StepKeysNeedTheActivePlayerCharacter) {
    const std::uint16_t alric = Char_Named("Alric");
    current_object = Make_Obj(OBJ_CHAR, Char_Named("Skeleton"));
    Press(VK_RIGHT);
    EXPECT_EQ(Command_Kind(alric), ACT_NONE);
    EXPECT_EQ(chararray.records[Char_Named("Skeleton")].facing, 4) << "a stranger is not turned";
}

TEST_F(Hexamap, TheModeSwitchEntersAndLeavesTurnModeAndShowsIt) {
    control_row& mode = hexamap_controls[ROW_MODE_SWITCH];
    Click_At({300, 376});
    EXPECT_EQ(turn_mode, 1u);
    EXPECT_EQ(clock_step, TURN_CLOCK_STEP);
    EXPECT_EQ(mode.state, PRESS_HELD);
    Press('M');
    EXPECT_EQ(turn_mode, 0u);
    EXPECT_EQ(mode.state, PRESS_UP);

    // A key presses no button: the mode's own button shows the mode even
    // while another one counts down, and that one pops up.
    control_row& quit = hexamap_controls[4];
    Press_Control(&quit);
    Press('M');
    EXPECT_EQ(mode.state, PRESS_HELD);
    EXPECT_EQ(quit.state, PRESS_UP);
    EXPECT_EQ(pressed_control, nullptr);

    // While an act is aimed the mode stays.
    cursor_type = CURSOR_AIMING;
    Press('M');
    EXPECT_EQ(turn_mode, 1u);
    EXPECT_EQ(mode.state, PRESS_HELD);
    cursor_type = CURSOR_NORMAL;
}

TEST_F(Hexamap, SpeedKeysStayWithinOneToTwelveAndRestInTurnMode) {
    game_speed = 11;
    Press(VK_ADD);
    Press(VK_ADD);
    EXPECT_EQ(game_speed, 12u);
    EXPECT_EQ(clock_step, 12u);
    game_speed = 2;
    Press(VK_SUBTRACT);
    Press(VK_SUBTRACT);
    EXPECT_EQ(game_speed, 1u);
    EXPECT_EQ(clock_step, 1u);
    Press('M');
    Press(VK_ADD);
    EXPECT_EQ(game_speed, 1u);
    EXPECT_EQ(clock_step, TURN_CLOCK_STEP);
}

TEST_F(Hexamap, TogglesSwitchShieldsAndDigitsAndAHeldButtonMeansOff) {
    Click_At({430, 380});
    EXPECT_EQ(shields_shown, 0u);
    EXPECT_EQ(hexamap_controls[ROW_TOGGLE_SHIELDS].state, PRESS_HELD);
    Right_Click_At({430, 380});
    EXPECT_EQ(shields_shown, 1u) << "any event";
    EXPECT_EQ(hexamap_controls[ROW_TOGGLE_SHIELDS].state, PRESS_UP);
    Click_At({405, 380});
    EXPECT_EQ(digits_shown, 0u);
    EXPECT_EQ(hexamap_controls[ROW_TOGGLE_DIGITS].state, PRESS_HELD);
    // A new picture of the screen shows them as they are.
    Init_ScreenType();
    EXPECT_EQ(hexamap_controls[ROW_TOGGLE_DIGITS].state, PRESS_HELD);
    Click_At({405, 380});
    EXPECT_EQ(digits_shown, 1u);
}

TEST_F(Hexamap, QuitAsksAndNoKeepsTheGame) {
    backend().answer = [](const MessageBoxCall&) { return IDNO; };
    Press(VK_ESCAPE);
    ASSERT_EQ(backend().boxes.size(), 1u);
    EXPECT_EQ(backend().boxes[0].text, "Do you really want to quit?");
    EXPECT_EQ(backend().boxes[0].caption, "Orvex Divuruz Demo");
    EXPECT_EQ(backend().boxes[0].Buttons(), static_cast<UINT>(MB_YESNO));
    EXPECT_TRUE(running);
    EXPECT_EQ(surfaces_ready, 1);

    backend().answer = [](const MessageBoxCall&) { return IDYES; };
    Press(VK_ESCAPE);
    EXPECT_FALSE(running) << "Yes closes the window and ends the pump";
    EXPECT_EQ(surfaces_ready, 0);
    EXPECT_EQ(chararray.Capacity(), 0u) << "the map was freed";
}

TEST_F(Hexamap, QuitWhileAimingOnlyCancelsTheAim) {
    cursor_type = CURSOR_ON_TARGET;
    Press(VK_ESCAPE);
    EXPECT_EQ(cancel_targeting, 1u);
    EXPECT_TRUE(backend().boxes.empty());
    cursor_type = CURSOR_NORMAL;
    cancel_targeting = 0;
}

TEST_F(Hexamap, QuitDuringATestPlayReloadsTheTestMap) {
    const fs::path test_map = folder / TEST_MAP_NAME;
    Save_Map(TEST_MAP_NAME);
    ASSERT_TRUE(fs::exists(test_map));
    const std::uint16_t alric = Char_Named("Alric");
    Remove_Object(Make_Obj(OBJ_CHAR, alric));
    Put_Object_To_Field(Make_Obj(OBJ_CHAR, alric), Field_Index(1, 1, 0));
    test_play = 1;
    Press(VK_ESCAPE);
    test_play = 0;
    fs::remove(test_map);
    EXPECT_TRUE(backend().boxes.empty()) << "no question";
    EXPECT_EQ(Field_Of(Char_Named("Alric")), Field_Index(4, 6, 0)) << "the saved map is back";
}

// The editor comes in through the hooks its library installs: the editor
// control and Quit during a test play call its entry, and before anything
// is installed they do nothing.
std::vector<std::pair<std::uint32_t, int>> editor_entries;

TEST_F(Hexamap, TheEditorIsEnteredThroughTheHookItInstalls) {
    Press('E');
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP) << "no editor installed: nothing happens";
    editor_entries.clear();
    Editor_Hooks().enter_editor = [](std::uint32_t flags, int event) { editor_entries.push_back({flags, event}); };
    Press('E');
    ASSERT_EQ(editor_entries.size(), 1u);
    EXPECT_EQ(editor_entries[0].second, 1);

    Save_Map(TEST_MAP_NAME);
    test_play = 1;
    Press(VK_ESCAPE);
    fs::remove(folder / TEST_MAP_NAME);
    EXPECT_EQ(editor_entries.size(), 2u) << "Quit in a test play goes back to the editor";
    EXPECT_TRUE(backend().boxes.empty());
}

// During a test play the editor key is Quit: it goes back to the editor
// with the test map, and while an act aims it only cancels the aim.
TEST_F(Hexamap, TheEditorKeyIsQuitDuringATestPlay) {
    editor_entries.clear();
    Editor_Hooks().enter_editor = [](std::uint32_t flags, int event) { editor_entries.push_back({flags, event}); };
    Save_Map(TEST_MAP_NAME);
    const std::uint16_t alric = Char_Named("Alric");
    Remove_Object(Make_Obj(OBJ_CHAR, alric));
    Put_Object_To_Field(Make_Obj(OBJ_CHAR, alric), Field_Index(1, 1, 0));
    test_play = 1;
    cursor_type = CURSOR_ON_TARGET;
    Press('E');
    EXPECT_EQ(cancel_targeting, 1) << "aiming: the aim goes";
    EXPECT_TRUE(editor_entries.empty());
    cursor_type = CURSOR_NORMAL;
    cancel_targeting = 0;
    Press('E');
    test_play = 0;
    fs::remove(folder / TEST_MAP_NAME);
    ASSERT_EQ(editor_entries.size(), 1u);
    EXPECT_EQ(Field_Of(Char_Named("Alric")), Field_Index(4, 6, 0)) << "the test map is back";
    EXPECT_TRUE(backend().boxes.empty());
}

TEST_F(Hexamap, EachPortraitOwnsThePixelsItIsDrawnOn) {
    for (int x = 30; x < 260; ++x) {
        const int slot = Portrait_Slot_At(x);
        if (slot < 0) {
            EXPECT_TRUE(x < portrait_slots[0].x - 2 || x >= portrait_slots[5].x + 36) << x;
            continue;
        }
        EXPECT_GE(x, portrait_slots[slot].x - 2) << x;
        EXPECT_LT(x, portrait_slots[slot].x - 2 + 38) << x;
    }
    // The head of slot 1 begins at its x; the pixels just left of it are
    // slot 0's gap.
    EXPECT_EQ(Portrait_Slot_At(portrait_slots[1].x), 1);
    EXPECT_EQ(Portrait_Slot_At(portrait_slots[1].x + 33), 1);
    EXPECT_EQ(Portrait_Slot_At(portrait_slots[1].x - 3), 0);
}

TEST_F(Hexamap, PortraitsShowNamesSelectAndASecondClickCentres) {
    const std::uint16_t bera = Char_Named("Bera");
    const POINT second{portrait_slots[1].x + 16, portrait_slots[1].y - 20};
    Move_To(second);
    EXPECT_STREQ(message_line.text, "Select Bera");
    Click_At(second);
    EXPECT_EQ(selected[0], bera);
    EXPECT_EQ(last_portrait_click, static_cast<std::int16_t>(bera));
    scroll_x = scroll_y = 0;
    Click_At(second);
    const std::int32_t x = scroll_x, y = scroll_y;
    scroll_y = chararray.records[bera].y * 21 - 179;
    scroll_x = chararray.records[bera].x * 42 + chararray.records[bera].y * 21 - 229;
    Clamp_Scroll();
    EXPECT_EQ(x, scroll_x) << "centred";
    EXPECT_EQ(y, scroll_y);

    Move_To({portrait_slots[4].x + 16, portrait_slots[4].y - 20});
    EXPECT_STREQ(message_line.text, "") << "an empty slot";

    Press('M');
    Move_To(second);
    EXPECT_STREQ(message_line.text, "Show Bera");
}

TEST_F(Hexamap, SelectAllKeepsTheLeaderAndAddsTheParty) {
    const std::uint16_t cato = Char_Named("Cato");
    Click_Char(cato);
    Select_Party();
    ASSERT_EQ(selected_count, 3u);
    EXPECT_EQ(selected[0], cato);
    EXPECT_EQ(selected[1], Char_Named("Alric"));
    EXPECT_EQ(selected[2], Char_Named("Bera"));
    Press('M');
    Select_Party();
    EXPECT_EQ(selected_count, 1u) << "not in turn mode";
}

TEST_F(Hexamap, QuickSlotsNameTheirItemAndARightClickUsesIt) {
    const std::uint16_t alric = Char_Named("Alric");
    const std::uint16_t potion = static_cast<std::uint16_t>(chararray.records[alric].slots[61]);
    ASSERT_GT(potion, 0);
    fixture::ScopedHandler probe(MK_IRON_SKIN, [](const fixture::HandlerCall& call) { return call.value; });
    auto used = [&] {
        int n = 0;
        for (const fixture::HandlerCall& call : probe.calls) n += call.request == REQ_OPERATE;
        return n;
    };
    Add_Modifier(0, Make_Obj(OBJ_ITEM, potion), MK_IRON_SKIN, 0, 0, 0, 0);
    const POINT slot61{70, 170};
    Move_To(slot61);
    EXPECT_STREQ(message_line.text, Item_Name_Text(potion));
    Click_At(slot61);
    EXPECT_EQ(used(), 0);
    Right_Click_At(slot61);
    EXPECT_EQ(used(), 1);
    Move_To({16, 170});
    EXPECT_STREQ(message_line.text, "") << "an empty slot";
}

// The map with two levels.
class HexamapLevels : public GameTest {
  protected:
    void SetUp() override {
        folder = fixture::Game_Folder();
        GameTest::SetUp();
    }
};

TEST_F(HexamapLevels, LevelKeysWrapAround) {
    ASSERT_EQ(map_levels, 2u);
    shown_level = 1;
    Key_Down(VK_MULTIPLY);
    EXPECT_EQ(shown_level, 0u) << "above the top level: level 0";
    Key_Down(VK_DIVIDE);
    EXPECT_EQ(shown_level, 1u) << "below level 0: the top level";
    Key_Down(VK_DIVIDE);
    EXPECT_EQ(shown_level, 0u);
    EXPECT_TRUE(last_drawn_scroll.valid) << "redrawn";
    EXPECT_EQ(last_drawn_scroll.level, 0u);
}

}  // namespace
