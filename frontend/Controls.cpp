#include "frontend/Controls.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "Objects/Hooks.h"
#include "Objects/MapAnims.h"
#include "System/ClipRect.h"
#include "System/Cursor.h"
#include "System/Display.h"
#include "System/ErrorReport.h"
#include "System/MessageLine.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "datafiles/Hooks.h"
#include "frontend/CharPage.h"
#include "frontend/GameLoop.h"
#include "frontend/HexamapScreen.h"
#include "frontend/Hooks.h"
#include "frontend/InventoryScreen.h"
#include "frontend/MapCursor.h"
#include "frontend/SpellPage.h"

int mouse_x = 0;
int mouse_y = 0;
control_row* pressed_control = nullptr;
HCURSOR sword_cursor = nullptr;
HCURSOR shield_cursor = nullptr;

control_row no_screen_controls[] = {End_Row()};

// The editor's map area and preview area; neither has keys or texts.
control_row editor_controls[] = {
    Control_Row(120, 0, 529, 368, &Editor_Place_Object),
    Control_Row(120, 369, 529, 479, &Editor_Preview_Click),
    End_Row(),
};

control_row* screen_controls[SCREEN_TYPE_COUNT] = {
    no_screen_controls, hexamap_controls, inventory_controls, char_page_controls, spell_page_controls, editor_controls,
};

void Reset_Control_State() {
    mouse_x = 0;
    mouse_y = 0;
    pressed_control = nullptr;
    for (control_row* table : screen_controls)
        for (control_row* r = table; r->handler != 0; ++r) r->state = PRESS_UP;
}

namespace {

constexpr const char* SWORD_FILE = "CURSOR\\SWORD.CUR";
constexpr const char* SHIELD_FILE = "CURSOR\\SHIELD.CUR";
constexpr std::uint32_t CTRL_HELD = 16;

std::vector<control_handler>& Handlers() {
    static std::vector<control_handler> handlers;
    return handlers;
}

bool Holds(const control_row& row, int x, int y) {
    return row.left <= x && x <= row.right && row.top <= y && y <= row.bottom;
}

control_row* End_Of(control_row* table) {
    while (table->handler != 0) ++table;
    return table;
}

// Draws the button of a row with the given frame, and shows it.
void Draw_Button(const control_row& row, int frame) {
    const sprite* picture = Sprite_From_Handle(anim_types[row.picture].sprite);
    Set_Full_Clip();
    if (BACK != nullptr && picture != nullptr) Put_Sprite(BACK, row.left, row.top, picture, frame, 0, LIGHT_PLAIN);
    // The row's rectangle includes its right and bottom edges.
    const RECT r{row.left, row.top, row.right + 1, row.bottom + 1};
    Update_Screen(&r);
}

void Call(const control_row& row, std::uint32_t flags, int event) {
    if (control_handler handler = Control_Handler_From(row.handler)) handler(flags, event);
}

}  // namespace

std::uint32_t Control_Handler_Handle(control_handler handler) {
    if (handler == nullptr) return 0;
    std::vector<control_handler>& handlers = Handlers();
    auto found = std::find(handlers.begin(), handlers.end(), handler);
    if (found == handlers.end()) found = handlers.insert(handlers.end(), handler);
    return static_cast<std::uint32_t>(found - handlers.begin()) + 1;
}

control_handler Control_Handler_From(std::uint32_t handle) {
    const std::vector<control_handler>& handlers = Handlers();
    if (handle == 0 || handle > handlers.size()) return nullptr;
    return handlers[handle - 1];
}

control_row Control_Row(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                        control_handler handler, std::uint16_t key1, std::uint16_t key2, const char* tooltip,
                        std::uint8_t picture, std::uint8_t frame) {
    control_row row{};
    row.left = left;
    row.top = top;
    row.right = right;
    row.bottom = bottom;
    row.handler = Control_Handler_Handle(handler);
    row.key1 = key1;
    row.key2 = key2;
    if (tooltip != nullptr) std::strncpy(row.tooltip, tooltip, TOOLTIP_SIZE - 1);
    row.picture = picture;
    row.frame = frame;
    return row;
}

control_row End_Row() { return control_row{}; }

control_row* Current_Controls() {
    return ScreenType < SCREEN_TYPE_COUNT ? screen_controls[ScreenType] : no_screen_controls;
}

control_row* Find_Control_At(int x, int y) {
    control_row* row = Current_Controls();
    for (; row->handler != 0; ++row)
        if (Holds(*row, x, y)) return row;
    return row;
}

control_row* Find_Control_By_Key(UINT key) {
    control_row* row = Current_Controls();
    if (key == 0) return End_Of(row);
    for (; row->handler != 0; ++row)
        if (row->key1 == key || row->key2 == key) return row;
    return row;
}

void Control_Mouse_Move(int x, int y, std::uint32_t flags) {
    mouse_x = x;
    mouse_y = y;
    control_row* row = Find_Control_At(x, y);
    if ((ScreenType == SCREEN_HEXAMAP || ScreenType == SCREEN_EDITOR) && view_scrolled == 0)
        Track_Cursor_Field(x, y, flags);
    if (row->handler == 0)
        Show_Message(nullptr);
    else if (row->tooltip[0] == '\0')
        Call(*row, flags, EVENT_HOVER);
    else
        Show_Message(row->tooltip);
    dd_cursor.mouse_x = x;
    dd_cursor.mouse_y = y;
    Move_DD_Cursor();
    dd_cursor.prev_x = x;
    dd_cursor.prev_y = y;
}

void Control_Left_Down(std::uint32_t flags) {
    control_row* row = Find_Control_At(mouse_x, mouse_y);
    if (row->handler == 0) return;
    Press_Control(row);
    Call(*row, flags, EVENT_CLICK);
}

void Control_Right_Down(std::uint32_t flags) {
    control_row* row = Find_Control_At(mouse_x, mouse_y);
    Call(*row, flags, EVENT_RIGHT_CLICK);
}

void Dispatch_Key(UINT key) {
    control_row* row = Find_Control_By_Key(key);
    if ((key_flags & CTRL_HELD) == 0) Call(*row, 0, EVENT_CLICK);
}

void Press_Control(control_row* row) {
    if (row == nullptr || row->picture == 0) return;
    row->state = PRESS_TICKS;
    Draw_Button(*row, row->frame + 1);
    pressed_control = row;
}

void Tick_Pressed_Control() {
    if (pressed_control == nullptr) return;
    if (pressed_control->state > 0) --pressed_control->state;
    if (pressed_control->state != 0) return;
    control_row* row = pressed_control;
    pressed_control = nullptr;
    Draw_Button(*row, row->frame);
}

void Hold_Pressed_Control() {
    if (pressed_control == nullptr) return;
    control_row* row = pressed_control;
    pressed_control = nullptr;
    row->state = PRESS_HELD;
    Draw_Button(*row, row->frame + 1);
}

void Release_Pressed_Control() {
    if (pressed_control == nullptr) return;
    control_row* row = pressed_control;
    pressed_control = nullptr;
    row->state = PRESS_UP;
    Draw_Button(*row, row->frame);
}

void Forget_Pressed_Control() {
    if (pressed_control != nullptr) pressed_control->state = PRESS_UP;
    pressed_control = nullptr;
}

void Redraw_Pressed_Controls() {
    // The first row is looked at even when it ends the table.
    for (control_row* row = Current_Controls();; ++row) {
        if (row->state != PRESS_UP && row->picture != 0) Draw_Button(*row, row->frame + 1);
        if (row->handler == 0 || (row + 1)->handler == 0) break;
    }
}

void Load_Cursors() {
    sword_cursor = LoadCursorFromFileA(SWORD_FILE);
    if (sword_cursor == nullptr) {
        Fatal_Error("Cant load swordcursor", SWORD_FILE);
        return;
    }
    shield_cursor = LoadCursorFromFileA(SHIELD_FILE);
    if (shield_cursor == nullptr) {
        Fatal_Error("Cant load shieldcursor", SHIELD_FILE);
        return;
    }
    SetCursor(sword_cursor);
}

void Install_Control_Hooks() {
    ObjectsHooks& hooks = Objects_Hooks();
    hooks.tick_pressed_control = &Tick_Pressed_Control;
    hooks.cursor_type = [] { return cursor_type; };
    hooks.set_cursor_type = &Set_Cursor_Type;
    Datafiles_Hooks().unmark_cursor_fields = &Unmark_Cursor_Fields;
}
