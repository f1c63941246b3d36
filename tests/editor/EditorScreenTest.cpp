// The editor screen: entering and leaving it, the editor dialog's buttons
// and hot keys, its status line, and test play.
#include "tests/editor/EditorFixture.h"

#include "frontend/HexamapScreen.h"
#include "platform/VirtualKeys.h"

namespace {

using EditorScreen = EditorTest;

TEST_F(EditorScreen, EnteringShowsTheMapInTheEditorsViewportAndStopsTheTick) {
    Select_Type(OBJ_CHAR, CT_WARRIOR);
    preview_frame = 3;
    ScreenType = SCREEN_HEXAMAP;
    Dispatch_Key('E');
    EXPECT_EQ(ScreenType, SCREEN_EDITOR);
    EXPECT_EQ(editor_busy, 1u);
    EXPECT_EQ(editor_open, 1u);
    EXPECT_EQ(view.opened, 1);
    EXPECT_EQ(map_view.left, 120);
    EXPECT_EQ(map_view.top, 0);
    EXPECT_EQ(map_view.right, 530);
    EXPECT_EQ(map_view.bottom, 369);
    EXPECT_EQ(editor_selection, editor_selection_ref{});
    EXPECT_EQ(preview_frame, 0);
    // No database files here: the editor opens on the database it has.
    EXPECT_EQ(view.status, "Unable to open database file");
    EXPECT_EQ(database_in_memory, 1u);

    Editor_OK();
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
    EXPECT_EQ(editor_busy, 0u);
    EXPECT_EQ(editor_open, 0u);
    EXPECT_EQ(view.closed, 1);
}

TEST_F(EditorScreen, TheCloseEditorEntryClosesAndTheDevelopmentEffectChangesNothing) {
    fixture::Place_Char(F(1, 1), "Someone");
    Editor_Enter(0, EVENT_CLICK);
    MapImage before;
    Capture_Map_Image(before);
    Editor_Menu_Command(MENU_DEVELOPMENT_EFFECT);
    MapImage after;
    Capture_Map_Image(after);
    EXPECT_EQ(Write_Map_Image(before), Write_Map_Image(after));
    EXPECT_EQ(editor_open, 1u);
    Editor_Menu_Command(MENU_CLOSE_EDITOR);
    EXPECT_EQ(editor_open, 0u);
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
}

TEST_F(EditorScreen, TheLevelButtonsWrapBothWays) {
    New_World(6, 6, 3);
    Editor_Enter(0, EVENT_CLICK);
    shown_level = 0;
    Editor_Level_Up();
    EXPECT_EQ(shown_level, 2u) << "Level + on level 0 shows the last level";
    Editor_Level_Up();
    EXPECT_EQ(shown_level, 1u);
    Editor_Level_Down();
    Editor_Level_Down();
    EXPECT_EQ(shown_level, 0u) << "Level - on the last level shows level 0";
    EXPECT_EQ(redraw_request, 1u);
}

TEST_F(EditorScreen, PlusAndMinusStepThePlacedObjectsFieldsElevationRoundAndKeepItsOtherBits) {
    const std::uint16_t field = F(3, 3);
    const std::uint16_t c = fixture::Place_Char(field, "Raised");
    mapfield[field] = MF_BLOCKED | 7;
    Select_Type(OBJ_CHAR, CT_WARRIOR);
    Editor_Hot_Key(HOT_KEY_RAISE);
    EXPECT_EQ(mapfield[field], MF_BLOCKED | 7) << "a database type: nothing";
    Select_Placed(OBJ_CHAR, c);
    Editor_Hot_Key(HOT_KEY_RAISE);
    EXPECT_EQ(mapfield[field], MF_BLOCKED | 0);
    Editor_Hot_Key(HOT_KEY_LOWER);
    EXPECT_EQ(mapfield[field], MF_BLOCKED | 7);
    Editor_Hot_Key(HOT_KEY_LOWER);
    EXPECT_EQ(mapfield[field], MF_BLOCKED | 6);
    Select_Placed(OBJ_FIXITEM, F(5, 5));
    Editor_Hot_Key(HOT_KEY_RAISE);
    EXPECT_EQ(mapfield[F(5, 5)], 1) << "a field head raises its own field";
}

TEST_F(EditorScreen, ASecondStatusMessageReplacesTheFirstAndClearsThreeSecondsAfterIt) {
    Editor_Enter(0, EVENT_CLICK);
    Editor_Message("first");
    EXPECT_EQ(view.status, "first");
    view.Advance(2000);
    Editor_Message("second");
    EXPECT_EQ(view.status, "second");
    view.Advance(1500);
    EXPECT_EQ(view.status, "second") << "the first message's time is up, the second's is not";
    view.Advance(1499);
    EXPECT_EQ(view.status, "second");
    view.Advance(1);
    EXPECT_EQ(view.status, "");
    EXPECT_FALSE(view.timer_running);
    Editor_On_Timer(STATUS_TIMER_ID + 1);  // another timer: nothing
    EXPECT_EQ(view.status, "");
}

TEST_F(EditorScreen, WithTheEditorClosedMessagesGoToStandardError) {
    testing::internal::CaptureStderr();
    Editor_Message("Unable to open map file");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unable to open map file\n");
    EXPECT_EQ(view.status, "");
}

TEST_F(EditorScreen, TheHexaGridFollowsItsCheckBox) {
    Editor_Enter(0, EVENT_CLICK);
    view.hexa_grid_checked = true;
    Editor_Hexa_Grid();
    EXPECT_EQ(hex_grid, 1u);
    view.hexa_grid_checked = false;
    Editor_Hexa_Grid();
    EXPECT_EQ(hex_grid, 0u);
}

TEST_F(EditorScreen, MapPropertiesRunsItsDialogThenEmptiesTheFieldList) {
    static int runs = 0;
    runs = 0;
    Editor_Enter(0, EVENT_CLICK);
    Editor_List_Field_Objects(F(1, 1), OBJ_FIXITEM);
    Editor_Map_Properties();  // no dialog installed: only the list goes
    EXPECT_TRUE(field_objects.entries.empty());
    Editor_Dialogs().map_properties = [] { ++runs; };
    Editor_Map_Properties();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(editor_open, 1u);
}

TEST_F(EditorScreen, TestMapSavesTheMapClosesTheEditorAndQuitBringsTheSavedMapBack) {
    const std::uint16_t c = fixture::Place_Char(F(2, 2), "Player");
    Editor_Enter(0, EVENT_CLICK);
    scroll_x = 40;
    scroll_y = 20;
    Editor_Test_Map();
    EXPECT_TRUE(std::filesystem::exists(folder / TEST_MAP_NAME));
    EXPECT_EQ(test_play, 1u);
    EXPECT_EQ(editor_open, 0u);
    EXPECT_EQ(editor_busy, 0u);
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
    // The play moves the character; E is Quit during a test play.
    Remove_Object(Make_Obj(OBJ_CHAR, c));
    Put_Object_To_Field(Make_Obj(OBJ_CHAR, c), F(7, 7));
    Dispatch_Key('E');
    EXPECT_EQ(ScreenType, SCREEN_EDITOR);
    EXPECT_EQ(editor_open, 1u);
    EXPECT_EQ(Char_On_Field(F(2, 2)), c) << "the saved map is back";
    EXPECT_EQ(map_view.left, 120) << "in the editor's viewport";
    EXPECT_EQ(scroll_limits.bottom, static_cast<std::int32_t>((map_height - 1) * 21 + 6));
    EXPECT_EQ(test_play, 1u) << "until OK";
    Editor_OK();
    EXPECT_EQ(test_play, 0u);
}

TEST_F(EditorScreen, AMapThatCannotBeWrittenIsNotPlayed) {
    std::filesystem::create_directories(folder / TEST_MAP_NAME / "in the way");
    Editor_Enter(0, EVENT_CLICK);
    Editor_Test_Map();
    EXPECT_EQ(test_play, 0u);
    EXPECT_EQ(editor_open, 1u);
    EXPECT_EQ(ScreenType, SCREEN_EDITOR);
    EXPECT_EQ(view.status, "Unable to open database file");
}

TEST_F(EditorScreen, RestoreMapLoadsTheTestMapAndForgetsWhatNamedTheOldOne) {
    Editor_Enter(0, EVENT_CLICK);
    Editor_Restore_Map();
    EXPECT_EQ(view.status, "Unable to open map file") << "no Test.map yet";
    const std::uint16_t c = fixture::Place_Char(F(2, 2), "Saved");
    ASSERT_TRUE(Save_Map(TEST_MAP_NAME));
    Destroy_Object(Make_Obj(OBJ_CHAR, c));
    const std::uint16_t other = fixture::Place_Char(F(3, 3), "Unsaved");
    Editor_List_Field_Objects(other, OBJ_CHAR);
    ASSERT_EQ(selection_on_map, 1u);
    Editor_Restore_Map();
    EXPECT_EQ(Char_On_Field(F(2, 2)), c);
    EXPECT_EQ(Char_On_Field(F(3, 3)), NO_INDEX);
    EXPECT_TRUE(field_objects.entries.empty());
    EXPECT_EQ(editor_selection, editor_selection_ref{}) << "no selection naming a record of the old map";
    EXPECT_EQ(cursor_field, NO_FIELD);
    EXPECT_EQ(map_view.left, 120);
    EXPECT_EQ(view.status, TEXT_RESTORING_MAP);
    // A click now places nothing from a stale selection.
    Click(F(5, 5));
    EXPECT_EQ(Char_On_Field(F(5, 5)), NO_INDEX);
}

TEST_F(EditorScreen, ClosingTheGameWindowClosesTheEditorFirst) {
    Editor_Enter(0, EVENT_CLICK);
    Close_Editor_For_Shutdown();
    EXPECT_EQ(editor_open, 0u);
    EXPECT_EQ(editor_busy, 0u);
    EXPECT_EQ(view.closed, 1);
}

TEST_F(EditorScreen, EnteringAgainWhileOpenOnlyDrawsTheScreen) {
    Editor_Enter(0, EVENT_CLICK);
    Editor_List_Field_Objects(F(1, 1), OBJ_FIXITEM);
    Editor_Enter(0, EVENT_CLICK);  // the screen restored after its surfaces were lost
    EXPECT_EQ(view.opened, 1);
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_FIXITEM, F(1, 1)}));
    Editor_Enter(0, EVENT_HOVER);
    EXPECT_EQ(view.opened, 1);
}

}  // namespace
