#include "frontend/SpellPage.h"

#include <string>

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/PlayerCommands.h"
#include "Objects/Request.h"
#include "System/ClipRect.h"
#include "System/Display.h"
#include "System/Fonts.h"
#include "System/MessageLine.h"
#include "System/ScreenType.h"
#include "System/Sprite.h"
#include "frontend/CharPage.h"
#include "frontend/HexamapScreen.h"
#include "frontend/InventoryScreen.h"
#include "platform/VirtualKeys.h"

sprite* SPBUTTON = nullptr;
sprite* SPICONS = nullptr;
spell_list_state spell_list{};

void Reset_Spell_Page_State() { spell_list = spell_list_state{}; }

control_row spell_page_controls[] = {
    Control_Row(13, 2, 34, 21, &Spell_Page_To_Map, 'M', VK_ESCAPE, "Back to map"),
    Control_Row(605, 2, 626, 21, &Spell_Page_To_Items, 'I', VK_TAB, "Inventory screen"),
    Control_Row(339, 122, 619, 337, &Spell_Page_Mouse),
    End_Row(),
};

namespace {

constexpr const char* page_picture = "ARTWORK\\PAGES\\CHARPAGE.BMP";
constexpr const char* button_name = "ARTWORK\\PAGES\\SPBUTTON";
constexpr const char* icons_name = "ARTWORK\\PAGES\\SPICONS";
constexpr const char* manaline_name = "ARTWORK\\PAGES\\MANALINE";
constexpr int message_x = 29, message_y = 462;

// What the grid draws in: a little wider than the cells.
constexpr RECT grid_clip{340, 120, 620, 340};

constexpr int button_frame = 0, disabled_frame = 1;
constexpr int disabled_palette = 132;
constexpr int icon_dx = 42;
// The four mana bars of a button and the costs beside them, relative to
// the cell's origin.
constexpr int mana_bar_dx = 3, mana_bar_dy = 5, mana_row_step = 11;
constexpr int cost_dx = 41, cost_dy = 17;
constexpr COLORREF disabled_cost_colour = 0;
constexpr COLORREF description_colour = 0;
constexpr int mana_line_length = 35;
constexpr int elements = 4;

obj_ref Char_Ref(std::uint16_t c) { return Make_Obj(OBJ_CHAR, c); }

std::uint16_t Shown_Char() {
    if (page_char < 0 || !Char_In_Use(static_cast<std::uint16_t>(page_char))) return NO_INDEX;
    return static_cast<std::uint16_t>(page_char);
}

bool Sprites_Held() { return SPBUTTON != nullptr && SPICONS != nullptr && MANALINE != nullptr; }

int Cell_X(int cell) { return spell_grid_left + spell_cell_step_x * (cell % spell_grid_columns); }
int Cell_Y(int cell) { return spell_grid_top + spell_cell_step_y * (cell / spell_grid_columns); }

// The spell of a cell, with what it costs and whether the mana covers it.
struct spell_cell {
    act_desc* act;
    std::uint32_t icon;
    RequestValue cost[elements];
    bool castable;
};

spell_cell Cell_Spell(obj_ref me, int cell, const RequestValue (&mana)[elements]) {
    const spell_row& row = spell_table[spell_list.rows[cell]];
    spell_cell s{row.act, row.icon, {}, row.act != nullptr};
    for (int k = 0; k < elements && s.act != nullptr; ++k) {
        s.cost[k] = Ask_Act_Value(me, NOOBJ, s.act, static_cast<request_no>(REQ_ACT_MANA_FIRE + k));
        if (mana[k] < s.cost[k]) s.castable = false;
    }
    return s;
}

void Put_Icon(int x, int y, std::uint32_t icon, bool lit) {
    const int frame = static_cast<int>(2 * icon + (lit ? 0 : 1));
    Put_Sprite(BACK, x + icon_dx, y, SPICONS, frame, 0, light_plain);
}

void Put_Costs(int x, int y, const spell_cell& s, COLORREF colour) {
    for (int k = 0; k < elements; ++k)
        if (s.cost[k] > 0)
            Text_Out(page_number_align, colour, x + cost_dx, y + cost_dy + k * mana_row_step,
                     std::to_string(s.cost[k]).c_str());
}

// The cast of the chosen spell as the character's user command.
void Cast(std::uint16_t c, act_desc* act) { Command_Char(c, ACT_START, OBJ_NONE, NO_INDEX, Act_Handle(act), 0, -1); }

}  // namespace

void Free_Spell_Page_Sprites() {
    Free_Page_Sprite(SPBUTTON);
    Free_Page_Sprite(SPICONS);
    Free_Page_Sprite(MANALINE);
}

void Open_Spell_Page() {
    ScreenType = screen_spell_page;
    Forget_Pressed_Control();
    Set_Message_Pos(message_x, message_y);
    Load_Page_Sprite(SPBUTTON, button_name);
    Load_Page_Sprite(SPICONS, icons_name);
    Load_Page_Sprite(MANALINE, manaline_name);
    Show_Spell_Page();
}

void Show_Spell_Page() {
    if (!Load_Page(BACK, page_picture, "Can't load spellpage screen")) return;
    Set_Full_Clip();
    Draw_Char_Page();
    Build_Spell_List();
    Spell_Page_Update(-1, event_hover);
    Update_Screen(nullptr);
}

void Build_Spell_List() {
    spell_list.count = 0;
    const std::uint16_t c = Shown_Char();
    if (c == NO_INDEX) return;
    std::uint16_t known = 0;
    Object_Request(Char_Ref(c), Char_Ref(c), 0, REQ_KNOWN_SPELLS, Pointer_Value(&known));
    for (int n = 0; n < SPELL_COUNT && spell_list.count < spell_cells; ++n)
        if (known & (1u << n)) spell_list.rows[spell_list.count++] = static_cast<std::uint16_t>(n);
}

int Spell_Page_Update(int chosen, int event) {
    Fill_Back_Rect(spell_description_box, ui_background);
    Set_Clip_Rect_From(grid_clip);
    const std::uint16_t c = Shown_Char();
    const int count = c == NO_INDEX ? 0 : spell_list.count;
    RequestValue mana[elements] = {0, 0, 0, 0};
    for (int k = 0; k < elements && c != NO_INDEX; ++k)
        mana[k] = Ask_Self(Char_Ref(c), static_cast<request_no>(REQ_MANA_FIRE + k));

    for (int i = 0; i < count; ++i) {
        const spell_cell s = Cell_Spell(Char_Ref(c), i, mana);
        const int x = Cell_X(i), y = Cell_Y(i);
        Put_Sprite(BACK, x, y, SPBUTTON, button_frame, 0, light_plain);
        if (!s.castable) {
            Put_Icon(x, y, s.icon, false);
            Put_Sprite(BACK, x, y, SPBUTTON, disabled_frame, disabled_palette, light_plain);
            if (i == chosen) Show_Message(nullptr);
            Put_Costs(x, y, s, disabled_cost_colour);
            continue;
        }
        for (int k = 0; k < elements; ++k)
            Draw_Mana_Line(k, x + mana_bar_dx, y + mana_bar_dy + k * mana_row_step, s.cost[k], mana[k]);
        if (i == chosen) {
            Put_Icon(x, y, s.icon, true);
            Show_Message((std::string("Cast ") + s.act->name).c_str());
            Draw_Spell_Text(spell_description_box, description_colour, s.act->description);
            if (event == event_click) {
                Cast(c, s.act);
                Spell_Page_To_Map(0, event_click);
                return 0;
            }
        } else {
            Put_Icon(x, y, s.icon, false);
        }
        Put_Costs(x, y, s, page_text_colour);
    }
    // Pointing at no spell (a gap, or a cell past the last spell) names none.
    if (chosen < 0 || chosen >= count) Show_Message(nullptr);
    return 1;
}

int Spell_Cell_At(int x, int y) {
    const int dx = x - spell_grid_left, dy = y - spell_grid_top;
    if (dx < 0 || dy < 0) return spell_column_gap;
    if (dx % spell_cell_step_x >= spell_cell_width) return spell_column_gap;
    if (dy % spell_cell_step_y >= spell_cell_height) return spell_row_gap;
    return dx / spell_cell_step_x + spell_grid_columns * (dy / spell_cell_step_y);
}

void Spell_Page_Mouse(std::uint32_t, int event) {
    if (event != event_hover && event != event_click) return;
    // Once an exit has freed the page's sprites the grid is left alone.
    if (!Sprites_Held()) return;
    if (Spell_Page_Update(Spell_Cell_At(mouse_x, mouse_y), event) == 0) return;
    Update_Screen(&spell_grid_area);
    // The box was cleared even where no description was written.
    Update_Screen(&spell_description_box);
}

void Draw_Mana_Line(int frame, int x, int y, std::int64_t value, std::int64_t maximum) {
    if (value < 0) value = 0;
    const std::int64_t length = maximum <= 0 ? 0 : value * mana_line_length / maximum;
    for (std::int64_t i = 0; i < length; ++i)
        Put_Sprite(BACK, x + mana_line_length - static_cast<int>(i), y, MANALINE, frame, 0, light_plain);
}

void Draw_Spell_Text(const RECT& rect, COLORREF colour, const char* text) {
    Text_In_Rect(colour, rect, text);
    Update_Screen(&rect);
}

void Spell_Page_To_Map(std::uint32_t, int event) {
    if (event != event_click) return;
    Free_Spell_Page_Sprites();
    Init_Hexamap_Screen(0, event_click);
}

void Spell_Page_To_Items(std::uint32_t flags, int event) {
    if (event != event_click) return;
    // A switch the player may not give leaves the page as it is.
    if (!Player_May_Command()) return;
    Free_Spell_Page_Sprites();
    Inventory_Switch(flags, event);
}

void Spell_Page_Button(std::uint32_t, int event) {
    if (event != event_click || !Player_May_Command()) return;
    Free_Char_Path(selected[0]);
    Command_Char(selected[0], ACT_SCREEN, OBJ_NONE, NO_INDEX, screen_spell_page, 0, -1);
    Forget_Pressed_Control();
}
