#include "editor/EditorScreen.h"

#include <cstdio>

#include "Objects/FieldLists.h"
#include "Objects/Map.h"
#include "Objects/PathSearch.h"
#include "System/Display.h"
#include "System/MessageLine.h"
#include "System/ScreenType.h"
#include "datafiles/Database.h"
#include "datafiles/Hooks.h"
#include "datafiles/MapFile.h"
#include "editor/DataTreeEdit.h"
#include "editor/EditorState.h"
#include "editor/EditorView.h"
#include "editor/FieldObjectList.h"
#include "editor/PlacedObject.h"
#include "editor/Placing.h"
#include "editor/Preview.h"
#include "frontend/Controls.h"
#include "frontend/GameLoop.h"
#include "frontend/HexamapScreen.h"
#include "frontend/Hooks.h"
#include "frontend/MapCursor.h"
#include "frontend/MapView.h"

std::uint32_t editor_open = 0;
std::string editor_status;

void Reset_Editor_Screen_State() {
    editor_open = 0;
    editor_status.clear();
}

namespace {

constexpr std::uint16_t ELEVATION_STEPS = MF_ELEVATION + 1;

void Use_Editor_View() { Set_Map_View(EDITOR_VIEW.left, EDITOR_VIEW.top, EDITOR_VIEW.right, EDITOR_VIEW.bottom); }

// The map in the editor's viewport over an empty preview strip.
void Draw_Editor_Screen() {
    Clear_Screen();
    Redraw_Map();
    Editor_Clear_Preview();
    Update_Screen(nullptr);
    Show_Message(nullptr);
}

// The map that was in play: the new one's limits and path arrays, and no
// field under the cursor (its marks went with the old map).
void Take_New_Map() {
    Set_Scroll_Limits();
    Init_Path_Arrays();
    Forget_Cursor_Field();
    Use_Editor_View();
}

void Close_Editor(bool show_hexamap) {
    Editor_View().Close_Dialogs();
    Release_Preview();
    Reset_Field_Object_List();
    Set_Editor_Selection(OBJ_NONE, NO_INDEX, false);
    Close_Editor_Database();
    editor_open = 0;
    editor_status.clear();
    ScreenType = SCREEN_HEXAMAP;
    editor_busy = 0;
    if (show_hexamap) Init_Hexamap_Screen(0, EVENT_CLICK);
}

// Raises or lowers the field that holds the selected placed object, its
// other bits kept.
void Step_Elevation(int step) {
    if (!selection_on_map) return;
    const std::uint16_t field = Placed_Object_Field(Selected_Object());
    if (field == NO_FIELD || field >= mapfield.size()) return;
    const std::uint16_t word = mapfield[field];
    const int elevation = ((word & MF_ELEVATION) + step + ELEVATION_STEPS) % ELEVATION_STEPS;
    mapfield[field] = static_cast<std::uint16_t>((word & ~MF_ELEVATION) | elevation);
    redraw_request = 1;
}

// Reads the object list of every field and changes nothing.
void Walk_Every_Field() {
    const std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t f = 0; f < total_fields; ++f) {
        obj_ref at = Field_Head(static_cast<std::uint16_t>(f));
        for (std::uint32_t steps = 0; steps <= limit && Obj_Kind(at) != OBJ_NONE; ++steps) Next_Object_No_Anim(at);
    }
}

void Empty_Field_List() { Editor_List_Field_Objects(-1, OBJ_NONE); }

void Show_Data_Trees() {
    if (editor_open) Editor_View().Show_Data_Trees();
}

}  // namespace

void Editor_Map_Replaced() {
    Release_Preview();
    Empty_Field_List();
    Take_New_Map();
    redraw_request = 1;
}

void Editor_Enter(std::uint32_t, int event) {
    if (event != EVENT_CLICK) return;
    Use_Editor_View();
    if (editor_open) {
        // The screen comes back after its surfaces were lost.
        ScreenType = SCREEN_EDITOR;
        Draw_Editor_Screen();
        Editor_Show_Selection_Preview();
        return;
    }
    // After a test play Quit has put the test map in place of the one played.
    if (test_play) Take_New_Map();
    Set_Editor_Selection(OBJ_NONE, NO_INDEX, false);
    preview_frame = 0;
    ScreenType = SCREEN_EDITOR;
    editor_busy = 1;
    Forget_Pressed_Control();
    Draw_Editor_Screen();
    editor_open = 1;
    Open_Data_Trees();
    Editor_View().Open_Dialogs();
    Open_Editor_Database();
}

void Editor_OK() {
    if (!editor_open) return;
    Close_Editor(true);
    test_play = 0;
}

void Editor_Close_For_Shutdown() {
    if (!editor_open) return;
    Close_Editor(false);
    test_play = 0;
}

void Editor_Test_Map() {
    Editor_Message(TEXT_SAVING_MAP);
    // Only a map written whole is played.
    if (!Save_Map(TEST_MAP_NAME)) return;
    Close_Editor(true);
    test_play = 1;
}

void Editor_Restore_Map() {
    Editor_Message(TEXT_RESTORING_MAP);
    if (Load_Map_In_Editor(TEST_MAP_NAME)) Editor_Map_Replaced();
}

void Editor_Map_Properties() {
    if (Editor_Dialogs().map_properties != nullptr) Editor_Dialogs().map_properties();
    Empty_Field_List();
}

void Editor_Load_Data() { Load_Data(); }

void Editor_Save_Data() { Save_Data(); }

void Editor_Hexa_Grid() {
    hex_grid = Editor_View().Hexa_Grid_Checked() ? 1 : 0;
    redraw_request = 1;
}

void Editor_Level_Up() {
    if (map_levels == 0) return;
    shown_level = shown_level == 0 || shown_level >= map_levels ? map_levels - 1 : shown_level - 1;
    redraw_request = 1;
}

void Editor_Level_Down() {
    if (map_levels == 0) return;
    shown_level = shown_level + 1 >= map_levels ? 0 : shown_level + 1;
    redraw_request = 1;
}

void Editor_Menu_Command(int id) {
    if (id == MENU_CLOSE_EDITOR)
        Editor_OK();
    else if (id == MENU_DEVELOPMENT_EFFECT)
        Walk_Every_Field();
}

void Editor_Hot_Key(int id) {
    switch (id) {
        case HOT_KEY_PREV_FRAME: Editor_Preview_Prev_Frame(); break;
        case HOT_KEY_NEXT_FRAME: Editor_Preview_Next_Frame(); break;
        case HOT_KEY_RAISE: Step_Elevation(+1); break;
        case HOT_KEY_LOWER: Step_Elevation(-1); break;
        default: break;
    }
}

void Editor_Window_Moved_Handler() {
    if (editor_open) Editor_View().Place_Dialogs();
}

void Editor_Status_Message(const char* text) {
    const char* shown = text != nullptr ? text : "";
    if (!editor_open) {
        std::fprintf(stderr, "%s\n", shown);
        return;
    }
    editor_status = shown;
    Editor_View().Show_Status(editor_status);
    Editor_View().Start_Status_Timer(STATUS_TIMER_MS);
}

void Editor_On_Timer(std::uint32_t id) {
    if (id != STATUS_TIMER_ID) return;
    editor_status.clear();
    Editor_View().Show_Status(editor_status);
    Editor_View().Stop_Status_Timer();
}

void Install_Editor() {
    EditorHooks& hooks = Editor_Hooks();
    hooks.enter_editor = &Editor_Enter;
    hooks.place_object = &Editor_Place_Object_Handler;
    hooks.preview_click = &Editor_Preview_Click_Row;
    hooks.window_moved = &Editor_Window_Moved_Handler;
    hooks.close_editor = &Editor_Close_For_Shutdown;
    Datafiles_Hooks().editor_message = &Editor_Status_Message;
    Datafiles_Hooks().empty_field_list = &Empty_Field_List;
    Datafiles_Hooks().trees_replaced = &Show_Data_Trees;
}

void Reset_Editor() {
    Reset_Editor_State();
    Reset_Editor_Screen_State();
    Reset_Field_Object_List();
    Editor_Dialogs() = EditorDialogs{};
}
