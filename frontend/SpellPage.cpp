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

constexpr const char* PAGE_PICTURE = "ARTWORK\\PAGES\\CHARPAGE.BMP";
constexpr const char* BUTTON_NAME = "ARTWORK\\PAGES\\SPBUTTON";
constexpr const char* ICONS_NAME = "ARTWORK\\PAGES\\SPICONS";
constexpr const char* MANALINE_NAME = "ARTWORK\\PAGES\\MANALINE";
constexpr int MESSAGE_X = 29, MESSAGE_Y = 462;

// What the grid draws in: a little wider than the cells.
constexpr RECT GRID_CLIP{340, 120, 620, 340};

constexpr int BUTTON_FRAME = 0, DISABLED_FRAME = 1;
constexpr int DISABLED_PALETTE = 132;
constexpr int ICON_DX = 42;
// The four mana bars of a button and the costs beside them, relative to
// the cell's origin.
constexpr int MANA_BAR_DX = 3, MANA_BAR_DY = 5, MANA_ROW_STEP = 11;
constexpr int COST_DX = 41, COST_DY = 17;
constexpr COLORREF DISABLED_COST_COLOUR = 0;
constexpr COLORREF DESCRIPTION_COLOUR = 0;
constexpr int MANA_LINE_LENGTH = 35;
constexpr int ELEMENTS = 4;

obj_ref Char_Ref(std::uint16_t c) { return Make_Obj(OBJ_CHAR, c); }

std::uint16_t Shown_Char() {
    if (page_char < 0 || !Char_In_Use(static_cast<std::uint16_t>(page_char))) return NO_INDEX;
    return static_cast<std::uint16_t>(page_char);
}

bool Sprites_Held() { return SPBUTTON != nullptr && SPICONS != nullptr && MANALINE != nullptr; }

int Cell_X(int cell) { return SPELL_GRID_LEFT + SPELL_CELL_STEP_X * (cell % SPELL_GRID_COLUMNS); }
int Cell_Y(int cell) { return SPELL_GRID_TOP + SPELL_CELL_STEP_Y * (cell / SPELL_GRID_COLUMNS); }

// The spell of a cell, with what it costs and whether the mana covers it.
struct spell_cell {
    act_desc* act;
    std::uint32_t icon;
    RequestValue cost[ELEMENTS];
    bool castable;
};

spell_cell Cell_Spell(obj_ref me, int cell, const RequestValue (&mana)[ELEMENTS]) {
    const spell_row& row = spell_table[spell_list.rows[cell]];
    spell_cell s{row.act, row.icon, {}, row.act != nullptr};
    for (int k = 0; k < ELEMENTS && s.act != nullptr; ++k) {
        s.cost[k] = Ask_Act_Value(me, NOOBJ, s.act, static_cast<request_no>(REQ_ACT_MANA_FIRE + k));
        if (mana[k] < s.cost[k]) s.castable = false;
    }
    return s;
}

void Put_Icon(int x, int y, std::uint32_t icon, bool lit) {
    const int frame = static_cast<int>(2 * icon + (lit ? 0 : 1));
    Put_Sprite(BACK, x + ICON_DX, y, SPICONS, frame, 0, LIGHT_PLAIN);
}

void Put_Costs(int x, int y, const spell_cell& s, COLORREF colour) {
    for (int k = 0; k < ELEMENTS; ++k)
        if (s.cost[k] > 0)
            Text_Out(PAGE_NUMBER_ALIGN, colour, x + COST_DX, y + COST_DY + k * MANA_ROW_STEP,
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
    ScreenType = SCREEN_SPELL_PAGE;
    Forget_Pressed_Control();
    Set_Message_Pos(MESSAGE_X, MESSAGE_Y);
    Load_Page_Sprite(SPBUTTON, BUTTON_NAME);
    Load_Page_Sprite(SPICONS, ICONS_NAME);
    Load_Page_Sprite(MANALINE, MANALINE_NAME);
    Show_Spell_Page();
}

void Show_Spell_Page() {
    if (!Load_Page(BACK, PAGE_PICTURE, "Can't load spellpage screen")) return;
    Set_Full_Clip();
    Draw_Char_Page();
    Build_Spell_List();
    Spell_Page_Update(-1, EVENT_HOVER);
    Update_Screen(nullptr);
}

void Build_Spell_List() {
    spell_list.count = 0;
    const std::uint16_t c = Shown_Char();
    if (c == NO_INDEX) return;
    std::uint16_t known = 0;
    Object_Request(Char_Ref(c), Char_Ref(c), 0, REQ_KNOWN_SPELLS, Pointer_Value(&known));
    for (int n = 0; n < SPELL_COUNT && spell_list.count < SPELL_CELLS; ++n)
        if (known & (1u << n)) spell_list.rows[spell_list.count++] = static_cast<std::uint16_t>(n);
}

int Spell_Page_Update(int chosen, int event) {
    Fill_Back_Rect(SPELL_DESCRIPTION_BOX, ui_background);
    Set_Clip_Rect_From(GRID_CLIP);
    const std::uint16_t c = Shown_Char();
    const int count = c == NO_INDEX ? 0 : spell_list.count;
    RequestValue mana[ELEMENTS] = {0, 0, 0, 0};
    for (int k = 0; k < ELEMENTS && c != NO_INDEX; ++k)
        mana[k] = Ask_Self(Char_Ref(c), static_cast<request_no>(REQ_MANA_FIRE + k));

    for (int i = 0; i < count; ++i) {
        const spell_cell s = Cell_Spell(Char_Ref(c), i, mana);
        const int x = Cell_X(i), y = Cell_Y(i);
        Put_Sprite(BACK, x, y, SPBUTTON, BUTTON_FRAME, 0, LIGHT_PLAIN);
        if (!s.castable) {
            Put_Icon(x, y, s.icon, false);
            Put_Sprite(BACK, x, y, SPBUTTON, DISABLED_FRAME, DISABLED_PALETTE, LIGHT_PLAIN);
            if (i == chosen) Show_Message(nullptr);
            Put_Costs(x, y, s, DISABLED_COST_COLOUR);
            continue;
        }
        for (int k = 0; k < ELEMENTS; ++k)
            Draw_Mana_Line(k, x + MANA_BAR_DX, y + MANA_BAR_DY + k * MANA_ROW_STEP, s.cost[k], mana[k]);
        if (i == chosen) {
            Put_Icon(x, y, s.icon, true);
            Show_Message((std::string("Cast ") + s.act->name).c_str());
            Draw_Spell_Text(SPELL_DESCRIPTION_BOX, DESCRIPTION_COLOUR, s.act->description);
            if (event == EVENT_CLICK) {
                Cast(c, s.act);
                Spell_Page_To_Map(0, EVENT_CLICK);
                return 0;
            }
        } else {
            Put_Icon(x, y, s.icon, false);
        }
        Put_Costs(x, y, s, PAGE_TEXT_COLOUR);
    }
    // Pointing at no spell (a gap, or a cell past the last spell) names none.
    if (chosen < 0 || chosen >= count) Show_Message(nullptr);
    return 1;
}

int Spell_Cell_At(int x, int y) {
    const int dx = x - SPELL_GRID_LEFT, dy = y - SPELL_GRID_TOP;
    if (dx < 0 || dy < 0) return SPELL_COLUMN_GAP;
    if (dx % SPELL_CELL_STEP_X >= SPELL_CELL_WIDTH) return SPELL_COLUMN_GAP;
    if (dy % SPELL_CELL_STEP_Y >= SPELL_CELL_HEIGHT) return SPELL_ROW_GAP;
    return dx / SPELL_CELL_STEP_X + SPELL_GRID_COLUMNS * (dy / SPELL_CELL_STEP_Y);
}

void Spell_Page_Mouse(std::uint32_t, int event) {
    if (event != EVENT_HOVER && event != EVENT_CLICK) return;
    // Once an exit has freed the page's sprites the grid is left alone.
    if (!Sprites_Held()) return;
    if (Spell_Page_Update(Spell_Cell_At(mouse_x, mouse_y), event) == 0) return;
    Update_Screen(&SPELL_GRID_AREA);
    // The box was cleared even where no description was written.
    Update_Screen(&SPELL_DESCRIPTION_BOX);
}

void Draw_Mana_Line(int frame, int x, int y, std::int64_t value, std::int64_t maximum) {
    if (value < 0) value = 0;
    const std::int64_t length = maximum <= 0 ? 0 : value * MANA_LINE_LENGTH / maximum;
    for (std::int64_t i = 0; i < length; ++i)
        Put_Sprite(BACK, x + MANA_LINE_LENGTH - static_cast<int>(i), y, MANALINE, frame, 0, LIGHT_PLAIN);
}

void Draw_Spell_Text(const RECT& rect, COLORREF colour, const char* text) {
    Text_In_Rect(colour, rect, text);
    Update_Screen(&rect);
}

void Spell_Page_To_Map(std::uint32_t, int event) {
    if (event != EVENT_CLICK) return;
    Free_Spell_Page_Sprites();
    Init_Hexamap_Screen(0, EVENT_CLICK);
}

void Spell_Page_To_Items(std::uint32_t flags, int event) {
    if (event != EVENT_CLICK) return;
    // A switch the player may not give leaves the page as it is.
    if (!Player_May_Command()) return;
    Free_Spell_Page_Sprites();
    Inventory_Switch(flags, event);
}

void Spell_Page_Button(std::uint32_t, int event) {
    if (event != EVENT_CLICK || !Player_May_Command()) return;
    Free_Char_Path(selected[0]);
    Command_Char(selected[0], ACT_SCREEN, OBJ_NONE, NO_INDEX, SCREEN_SPELL_PAGE, 0, -1);
    Forget_Pressed_Control();
}
