// The hexamap screen's control table, its entry and background, and the
// handlers of its buttons for turn mode, levels, speed, the display
// toggles and quitting.
#include "frontend/HexamapScreen.h"

#include "Objects/Effects.h"
#include "Objects/GameClock.h"
#include "Objects/Map.h"
#include "Objects/PlayerCommands.h"
#include "Objects/Requests.h"
#include "Objects/Turns.h"
#include "System/Bitmap.h"
#include "System/ClipRect.h"
#include "System/Cursor.h"
#include "System/Display.h"
#include "System/ErrorReport.h"
#include "System/MessageLine.h"
#include "System/MessageLog.h"
#include "System/ScreenType.h"
#include "datafiles/MapFile.h"
#include "frontend/CharPage.h"
#include "frontend/HexamapPanel.h"
#include "frontend/Hooks.h"
#include "frontend/InventoryScreen.h"
#include "frontend/MapCursor.h"
#include "frontend/MapView.h"
#include "frontend/SpellPage.h"
#include "platform/VirtualKeys.h"

std::uint32_t shields_shown = 1;

void Reset_Hexamap_Screen_State() {
    shields_shown = 1;
    Reset_Portrait_Clicks();
}

// Rows 6 to 11 and 30 have keys only; row 31 lies under row 1, so the
// editor is reached by its key alone.
control_row hexamap_controls[HEXAMAP_ROW_COUNT + 1] = {
    Control_Row(90, 12, 548, 370, &Hexamap_Map_Click),
    Control_Row(13, 215, 42, 244, &Inventory_Switch, 'I', 0, "Switch to inventory screen", 13, 0),
    Control_Row(7, 16, 71, 91, &Char_Page_Button, 'C', 0, "Switch to character screen"),
    Control_Row(45, 215, 74, 244, &Spell_Page_Button, 'S', 0, "Switch to spell-select screen", 13, 2),
    Control_Row(563, 351, 624, 372, &Quit_Click, VK_ESCAPE, 0, "Quit", 16, 2),
    Control_Row(291, 371, 341, 382, &Mode_Switch, 'M', 0, "Mode switch", 16, 4),
    Control_Row(0, 0, 0, 0, &Step_Selected_Left, VK_LEFT, VK_NUMPAD4, "Scroll left"),
    Control_Row(0, 0, 0, 0, &Step_Selected_Right, VK_RIGHT, VK_NUMPAD6, "Scroll right"),
    Control_Row(0, 0, 0, 0, &Step_Selected_Down_Right, VK_NEXT, VK_NUMPAD3, "Scroll down right"),
    Control_Row(0, 0, 0, 0, &Step_Selected_Up_Right, VK_PRIOR, VK_NUMPAD9, "Scroll up right"),
    Control_Row(0, 0, 0, 0, &Step_Selected_Down_Left, VK_END, VK_NUMPAD1, "Scroll down left"),
    Control_Row(0, 0, 0, 0, &Step_Selected_Up_Left, VK_HOME, VK_NUMPAD7, "Scroll up left"),
    Control_Row(563, 319, 583, 333, &Level_Up, VK_MULTIPLY, 0, "Step up one level", 15, 8),
    Control_Row(563, 335, 583, 349, &Level_Down, VK_DIVIDE, 0, "Step down one level", 15, 6),
    Control_Row(584, 319, 604, 333, &Increase_Game_Speed, VK_ADD, 0, "Increase game speed", 15, 12),
    Control_Row(584, 335, 604, 349, &Decrease_Game_Speed, VK_SUBTRACT, 0, "Decrease game speed", 15, 10),
    Control_Row(9, 102, 40, 149, &Cmd_Attack_Right, 'A', 0, "Attack with right hand"),
    Control_Row(47, 102, 78, 149, &Cmd_Attack_Left, 'Z', 0, "Attack with left hand"),
    Control_Row(13, 320, 32, 350, &Cmd_Repeat_Last_Order, VK_RETURN, 0, "Repeat last order", 15, 2),
    Control_Row(34, 320, 53, 350, &Cmd_Wait_For_Others, 'W', 0, "Wait for others", 15, 0),
    Control_Row(55, 320, 74, 350, &Cmd_Guard, 'G', 0, "Guarding", 15, 4),
    Control_Row(45, 250, 74, 279, &Cmd_Operate_Item, 'O', 0, "Operate an item", 13, 6),
    Control_Row(44, 431, 74, 452, &Portraits_Scroll_Left, 0, 0, "Scroll characters to left", 14, 8),
    Control_Row(238, 431, 268, 452, &Portraits_Scroll_Right, 0, 0, "Scroll characters to right", 14, 10),
    Control_Row(33, 389, 254, 426, &Portrait_Strip_Click),
    Control_Row(82, 431, 117, 452, &Select_All_Chars, 0, 0, "Select all characters", 14, 0),
    Control_Row(421, 371, 446, 394, &Toggle_Shields, 0, 0, "Turn the shields on/off", 15, 18),
    Control_Row(397, 371, 422, 394, &Toggle_Digits, 0, 0, "Turn the digits on/off", 15, 16),
    Control_Row(280, 386, 603, 400, &Log_Scroll_Up, 0, 0, "Scroll up the Text Window"),
    Control_Row(280, 458, 603, 472, &Log_Scroll_Down, 0, 0, "Scroll down the Text Window"),
    Control_Row(0, 0, 0, 0, &Credits_Key, 'X', 0, "Credits"),
    Control_Row(13, 215, 42, 244, &Editor_Key, 'E', 0, "Start the map editor"),
    Control_Row(9, 156, 24, 187, &Quick_Slot_62_Click),
    Control_Row(63, 156, 78, 187, &Quick_Slot_61_Click),
    Control_Row(27, 156, 42, 171, &Quick_Slot_64_Click),
    Control_Row(45, 156, 60, 171, &Quick_Slot_63_Click),
    Control_Row(27, 173, 42, 188, &Quick_Slot_66_Click),
    Control_Row(45, 173, 60, 188, &Quick_Slot_65_Click),
    End_Row(),
};

namespace {

constexpr const char* HEXAMAP_PAGE = "ARTWORK\\PAGES\\FOKEPJUJ.BMP";
constexpr const char* TEXT_BOX = "ARTWORK\\PAGES\\TEXTBOX.BMP";
constexpr int MESSAGE_X = 36, MESSAGE_Y = 472;

constexpr std::uint32_t SLOWEST_SPEED = 1;
constexpr std::uint32_t FASTEST_SPEED = 12;

// Shows a button of the screen held down or up at once. The button is made
// the remembered one first, so that a key or a right click, which press
// nothing, draw the right button; one still counting down pops up.
void Show_Held(int row, bool held) {
    control_row* r = &hexamap_controls[row];
    if (pressed_control != nullptr && pressed_control != r) Release_Pressed_Control();
    pressed_control = r;
    if (held)
        Hold_Pressed_Control();
    else
        Release_Pressed_Control();
}

// The buttons that show a state are drawn to match it: the mode held in
// turn mode, a display toggle held while it is off.
void Match_Held_Buttons() {
    auto set = [](int row, bool held) {
        control_row& r = hexamap_controls[row];
        if (held)
            r.state = PRESS_HELD;
        else if (r.state == PRESS_HELD)
            r.state = PRESS_UP;
    };
    set(ROW_MODE_SWITCH, turn_mode != 0);
    set(ROW_TOGGLE_SHIELDS, shields_shown == 0);
    set(ROW_TOGGLE_DIGITS, digits_shown == 0);
}

}  // namespace

bool Load_Page(LPDIRECTDRAWSURFACE surface, const char* file, const char* what) {
    if (surface != nullptr && DD_Reload_Bitmap(surface, file) == DD_OK) return true;
    File_Fatal_Error(what, Bitmap_File_Fault(file));
    return false;
}

void Init_Hexamap_Screen(std::uint32_t, int event) {
    if (event != EVENT_CLICK) return;
    Set_Map_View(HEXAMAP_VIEW.left, HEXAMAP_VIEW.top, HEXAMAP_VIEW.right, HEXAMAP_VIEW.bottom);
    ScreenType = SCREEN_HEXAMAP;
    Set_Message_Pos(MESSAGE_X, MESSAGE_Y);
    Init_Portrait_Slots();
    Clear_Screen();
    Hide_DD_Cursor();
    Draw_Hexamap_Screen();
}

void Draw_Hexamap_Screen() {
    if (!Load_Page(BACK, HEXAMAP_PAGE, "Can't load hexamap screen")) return;
    if (!Load_Page(TEXT, TEXT_BOX, "Can't load textbox")) return;
    // The back buffer no longer shows the map: the next scroll redraws it.
    Forget_Drawn_Map();
    Set_Full_Clip();
    Match_Held_Buttons();
    Redraw_Pressed_Controls();
    Put_Right_Field();
    Update_Screen(nullptr);
    Log_Redraw();
}

void Mode_Switch(std::uint32_t, int event) {
    if ((event & EVENT_CLICK) == 0) return;
    if (!Cursor_Picks_Target()) {
        if (turn_mode)
            Leave_Turn_Mode();
        else
            Enter_Turn_Mode();
    }
    Show_Held(ROW_MODE_SWITCH, turn_mode != 0);
}

void Level_Up(std::uint32_t, int) {
    shown_level = shown_level + 1 >= map_levels ? 0 : shown_level + 1;
    Redraw_Map();
}

void Level_Down(std::uint32_t, int) {
    if (shown_level > 0)
        --shown_level;
    else if (map_levels > 0)
        shown_level = map_levels - 1;
    Redraw_Map();
}

void Increase_Game_Speed(std::uint32_t, int) {
    if (turn_mode) return;
    if (game_speed < FASTEST_SPEED) ++game_speed;
    clock_step = game_speed;
}

void Decrease_Game_Speed(std::uint32_t, int) {
    if (turn_mode) return;
    if (game_speed > SLOWEST_SPEED) --game_speed;
    clock_step = game_speed;
}

void Toggle_Shields(std::uint32_t, int) {
    shields_shown = shields_shown ? 0 : 1;
    Show_Held(ROW_TOGGLE_SHIELDS, shields_shown == 0);
}

void Toggle_Digits(std::uint32_t, int) {
    digits_shown = digits_shown ? 0 : 1;
    Show_Held(ROW_TOGGLE_DIGITS, digits_shown == 0);
}

void Quit_Click(std::uint32_t flags, int event) {
    if (Cursor_Picks_Target()) {
        cancel_targeting = 1;
        return;
    }
    if (test_play) {
        Load_Map(TEST_MAP_NAME);
        Enter_Editor(flags, event);
        return;
    }
    if (MessageBoxA(Get_Main_Window(), "Do you really want to quit?", "Orvex Divuruz Demo",
                    MB_YESNO | MB_SETFOREGROUND) == IDYES)
        PostMessageA(Get_Main_Window(), WM_CLOSE, 0, 0);
}

void Credits_Key(std::uint32_t, int) {}

void Editor_Key(std::uint32_t flags, int event) {
    if (test_play)
        Quit_Click(flags, event);
    else
        Enter_Editor(flags, event);
}
