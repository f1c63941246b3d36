#include "frontend/ScreenStandIns.h"

#include "Objects/Effects.h"
#include "System/Bitmap.h"
#include "System/ClipRect.h"
#include "System/Cursor.h"
#include "System/Display.h"
#include "System/MessageLine.h"
#include "System/MessageLog.h"
#include "System/ScreenType.h"
#include "frontend/MapCursor.h"
#include "frontend/MapView.h"
#include "platform/VirtualKeys.h"

std::uint32_t editor_busy = 0;

control_row hexamap_controls[] = {
    Control_Row(90, 12, 548, 370, &Hexamap_Map_Click),
    Control_Row(563, 351, 624, 372, &Quit_Click, VK_ESCAPE, 0, "Quit", 16, 2),
    Control_Row(280, 386, 603, 400, &Log_Scroll_Up, 0, 0, "Scroll up the Text Window"),
    Control_Row(280, 458, 603, 472, &Log_Scroll_Down, 0, 0, "Scroll down the Text Window"),
    End_Row(),
};
control_row inventory_controls[] = {End_Row()};
control_row char_page_controls[] = {End_Row()};
control_row spell_page_controls[] = {End_Row()};

namespace {
constexpr const char* hexamap_page = "ARTWORK\\PAGES\\FOKEPJUJ.BMP";
constexpr const char* text_box = "ARTWORK\\PAGES\\TEXTBOX.BMP";
constexpr int message_x = 36, message_y = 472;
}  // namespace

void Init_Hexamap_Screen(std::uint32_t, int event) {
    if (event != event_click) return;
    Set_Map_View(hexamap_view.left, hexamap_view.top, hexamap_view.right, hexamap_view.bottom);
    ScreenType = screen_hexamap;
    Set_Message_Pos(message_x, message_y);
    Clear_Screen();
    Hide_DD_Cursor();
    // The panel's picture when the folder has it; the map is drawn by the
    // next full redraw.
    if (BACK != nullptr) DD_Reload_Bitmap(BACK, hexamap_page);
    if (TEXT != nullptr) DD_Reload_Bitmap(TEXT, text_box);
    Forget_Drawn_Map();
    Set_Full_Clip();
    Redraw_Pressed_Controls();
    Update_Screen(nullptr);
    Log_Redraw();
}

void Inventory_Switch(std::uint32_t, int) {}
void Char_Page_Button(std::uint32_t, int) {}
void Spell_Page_Button(std::uint32_t, int) {}
void Enter_Editor(std::uint32_t, int) {}
void Editor_Place_Object(std::uint32_t, int) {}
void Editor_Preview_Click(std::uint32_t, int) {}
void Editor_Window_Moved() {}

void Hexamap_Map_Click(std::uint32_t, int) { Show_Message(nullptr); }

void Quit_Click(std::uint32_t, int) {
    if (cursor_type == CURSOR_AIMING || cursor_type == CURSOR_ON_TARGET) {
        cancel_targeting = 1;
        return;
    }
    if (MessageBoxA(Get_Main_Window(), "Do you really want to quit?", "Orvex Divuruz Demo",
                    MB_YESNO | MB_SETFOREGROUND) == IDYES)
        PostMessageA(Get_Main_Window(), WM_CLOSE, 0, 0);
}
