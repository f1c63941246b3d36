// The screens' controls: for every screen a table of rectangles with the
// handler they call, the keys that reach them, the text shown while the
// mouse rests on them and the picture of their button; the dispatch of
// mouse moves, clicks and keys to them; the pressed look of buttons; and
// the two cursor files loaded at start-up.
#pragma once
#include <cstdint>

#include "System/ScreenType.h"
#include "platform/Packed.h"
#include "platform/Window.h"

// Events a handler gets.
constexpr int EVENT_HOVER = 0;
constexpr int EVENT_CLICK = 1;  // a left click or a key
constexpr int EVENT_RIGHT_CLICK = 2;

// A control's handler: (mouse flags MK_..., keys 0; event). Its result is
// not used.
using control_handler = void (*)(std::uint32_t flags, int event);

// Control rows name their handler by a 32-bit handle (0 = none, the end
// row); the same function always gets the same handle.
std::uint32_t Control_Handler_Handle(control_handler handler);
control_handler Control_Handler_From(std::uint32_t handle);  // null for 0 and unknown handles

constexpr int TOOLTIP_SIZE = 50;

// Press states of a button.
constexpr std::uint8_t PRESS_UP = 0;
constexpr std::uint8_t PRESS_TICKS = 2;   // ticks a click shows the button down
constexpr std::uint8_t PRESS_HELD = 255;  // down until released

struct ORVEX_PACKED control_row {
    std::int32_t left, top, right, bottom;  // right and bottom inclusive
    std::uint32_t handler;                  // handle; 0 ends a table
    std::uint16_t key1, key2;               // virtual key codes, 0 none
    char tooltip[TOOLTIP_SIZE];             // empty: the row gets hover events instead
    std::uint8_t picture;                   // anim_types row of the button's sprite, 0 none
    std::uint8_t frame;                     // the button up; frame + 1 down
    std::uint8_t state;                     // PRESS_UP, ticks left, or PRESS_HELD
};
ORVEX_RECORD_SIZE(control_row, 77);
ORVEX_FIELD_OFFSET(control_row, handler, 16);
ORVEX_FIELD_OFFSET(control_row, key1, 20);
ORVEX_FIELD_OFFSET(control_row, tooltip, 24);
ORVEX_FIELD_OFFSET(control_row, picture, 74);
ORVEX_FIELD_OFFSET(control_row, state, 76);

// A row for a table; tooltip may be empty.
control_row Control_Row(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                        control_handler handler, std::uint16_t key1 = 0, std::uint16_t key2 = 0,
                        const char* tooltip = "", std::uint8_t picture = 0, std::uint8_t frame = 0);
// The row that ends a table.
control_row End_Row();

constexpr int SCREEN_TYPE_COUNT = 6;
// For each ScreenType its table, ended by the end row. The tables live with
// their screens.
extern control_row* screen_controls[SCREEN_TYPE_COUNT];
// ScreenType 0 has no controls.
extern control_row no_screen_controls[];
// The editor's screen: its map area and its preview area.
extern control_row editor_controls[];

// The current screen's table (ScreenType 0's for an unknown ScreenType).
control_row* Current_Controls();
// The first row in table order whose rectangle holds the point, or the end
// row of the table.
control_row* Find_Control_At(int x, int y);
// The first row with the key as key 1 or key 2, or the end row. Key 0 is
// no key and finds the end row.
control_row* Find_Control_By_Key(UINT key);

// The position of the last mouse move, in client pixels; clicks use it.
extern int mouse_x, mouse_y;
// The row whose button was pressed last and has not yet popped up or been
// held; null for none.
extern control_row* pressed_control;
// The mouse at (0, 0), no control pressed, every button of every table up.
void Reset_Control_State();

// Input from the main window.
void Control_Mouse_Move(int x, int y, std::uint32_t flags);
void Control_Left_Down(std::uint32_t flags);
void Control_Right_Down(std::uint32_t flags);
void Dispatch_Key(UINT key);

// The pressed look.
void Press_Control(control_row* row);
void Tick_Pressed_Control();
void Hold_Pressed_Control();
void Release_Pressed_Control();
void Redraw_Pressed_Controls();
// The remembered button pops up in its table, without being drawn, and is
// forgotten: for a screen about to be drawn anew, so that its count-down
// neither draws it over the new screen nor leaves it down.
void Forget_Pressed_Control();

// The cursor files, loaded once at start-up; the sword is shown as the
// pointer over the window.
extern HCURSOR sword_cursor;
extern HCURSOR shield_cursor;
void Load_Cursors();

// Lets the game world reach the control layer (the pressed look's tick)
// and the map cursor (its type), and the map writer take the cursor marks
// away; done at start-up.
void Install_Control_Hooks();
