#include "frontend/CharPage.h"

#include <algorithm>
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
#include "System/MessageLog.h"
#include "System/ScreenType.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "frontend/HexamapScreen.h"
#include "frontend/InventoryScreen.h"
#include "frontend/SpellPage.h"
#include "platform/VirtualKeys.h"

sprite* MANALINE = nullptr;

control_row char_page_controls[] = {
    Control_Row(13, 2, 34, 21, &Char_Page_To_Map, 'M', VK_ESCAPE, "Back to map"),
    Control_Row(605, 2, 626, 21, &Char_Page_To_Items, 'I', VK_TAB, "Inventory screen"),
    End_Row(),
};

const char* const race_names[RACE_NAME_COUNT] = {
    "Human", "Elf", "Dwarf", "Hobbit",   "Dog",   "Pig",       "Chicken",      "Wolf",
    "Bear",  "Cow", "Troll", "Skeleton", "Zombi", "Giant ant", "Giant spider", "Invalid race",
};
const char* const profession_names[PROFESSION_NAME_COUNT] = {
    "Warrior", "Ranger", "Paladin", "Mercenary",   "Thief",    "Rogue",    "Bard",   "Assasin", "Monk",
    "Druid",   "Priest", "Shaman",  "Battle Mage", "Conjurer", "Sorcerer", "Wizard", "other",
};

const char* const credits_lines[CREDITS_LINE_COUNT] = {
    "Credits", "~~~~~", "Game and editor: The Orvex developers", " ", "Artwork: made by the Orvex artwork generator",
};

namespace {

constexpr const char* PAGE_PICTURE = "ARTWORK\\PAGES\\CHARPAGE.BMP";
constexpr const char* MANALINE_NAME = "ARTWORK\\PAGES\\MANALINE";
constexpr int MESSAGE_X = 29, MESSAGE_Y = 462;

constexpr std::uint32_t SHIFT_HELD = MK_SHIFT;

// The head, the stats' column and the figure's place.
constexpr int HEAD_X = 127, HEAD_Y = 132;
constexpr int NAME_X = 29, RACE_X = 209, NAME_Y = 156, PROFESSION_Y = 172;
constexpr int STATS_X = 234;
constexpr int FIGURE_X = 25, FIGURE_Y = 338;

// A bar: its columns start this far left of the numbers' x, and stand
// this far above their y.
constexpr int BAR_START_DX = 72, BAR_DY = 12;
constexpr int BAR_VALUE_DX = -8, BAR_MAXIMUM_DX = 24;

struct bar_row {
    request_no value, maximum;
    int y;
    int colour;  // MANALINE frame 0 to 3, or the scale
};
constexpr int SCALE_COLOUR = MANALINE_FULL_FRAME;
constexpr bar_row BAR_ROWS[] = {
    {REQ_HIT_POINTS, REQ_MAX_HIT_POINTS, 229, SCALE_COLOUR},
    {REQ_STAMINA, REQ_MAX_STAMINA, 242, SCALE_COLOUR},
    {REQ_MANA_FIRE, REQ_MAX_MANA_FIRE, 268, 0},
    {REQ_MANA_WATER, REQ_MAX_MANA_WATER, 281, 1},
    {REQ_MANA_AIR, REQ_MAX_MANA_AIR, 294, 2},
    {REQ_MANA_EARTH, REQ_MAX_MANA_EARTH, 307, 3},
};

constexpr request_no ATTRIBUTE_REQUESTS[] = {REQ_STRENGTH, REQ_DEXTERITY, REQ_SPIRIT, REQ_IQ};
constexpr int ATTRIBUTE_Y[] = {331, 344, 357, 370};
constexpr request_no PROTECTION_REQUESTS[] = {REQ_PROT_FIRE, REQ_PROT_WATER, REQ_PROT_AIR, REQ_PROT_EARTH};
constexpr int PROTECTION_Y[] = {397, 410, 423, 436};

// The figure: the body's point, the attack and damage numbers, and the
// defence of each direction (1 to 6) around it, relative to (x, y).
constexpr int BODY_DX = 55, BODY_DY = 80;
constexpr int FACINGS = 6;
constexpr int ATTACK_DX = 100, ATTACK_DY = -9;
constexpr int DAMAGE_MIN_DX = 74, DAMAGE_DASH_DX = 81, DAMAGE_MAX_DX = 100, DAMAGE_DY = 5;
struct defence_place {
    int direction, dx, dy;
};
constexpr defence_place DEFENCE_PLACES[] = {
    {2, 15, 58}, {1, 5, 78}, {6, 15, 98}, {3, 85, 58}, {4, 95, 78}, {5, 85, 98},
};

obj_ref Char_Ref(std::uint16_t c) { return Make_Obj(OBJ_CHAR, c); }

std::int64_t Not_Negative(std::int64_t v) { return v < 0 ? 0 : v; }

std::string Number(std::int64_t v) { return std::to_string(v); }

// The character the page shows, or NO_INDEX when page_char is none.
std::uint16_t Shown_Char() {
    if (page_char < 0 || !Char_In_Use(static_cast<std::uint16_t>(page_char))) return NO_INDEX;
    return static_cast<std::uint16_t>(page_char);
}

}  // namespace

const char* Race_Name(std::int64_t race) { return race >= 0 && race < RACE_NAME_COUNT ? race_names[race] : ""; }

const char* Profession_Name(std::int64_t profession) {
    return profession >= 0 && profession < PROFESSION_NAME_COUNT ? profession_names[profession] : "";
}

void Load_Page_Sprite(sprite*& s, const char* name) {
    Free_Page_Sprite(s);
    s = LoadSprite(name, 0);
}

void Free_Page_Sprite(sprite*& s) {
    Release_Sprite(s);
    s = nullptr;
}

void Free_Page_Sprites() {
    Free_Page_Sprite(MANALINE);
    Free_Spell_Page_Sprites();
}

void Open_Char_Page() {
    ScreenType = SCREEN_CHAR_PAGE;
    Forget_Pressed_Control();
    Set_Message_Pos(MESSAGE_X, MESSAGE_Y);
    Load_Page_Sprite(MANALINE, MANALINE_NAME);
    Show_Char_Page();
}

void Show_Char_Page() {
    if (!Load_Page(BACK, PAGE_PICTURE, "Can't load charpage screen")) return;
    Set_Full_Clip();
    Draw_Char_Page();
    Update_Screen(nullptr);
}

void Draw_Char_Page() {
    const std::uint16_t c = Shown_Char();
    if (c == NO_INDEX) return;
    Draw_Char_Page_Head(c);
    Draw_Char_Page_Stats(c);
    Draw_Char_Page_Figure(c, FIGURE_X, FIGURE_Y);
}

void Draw_Char_Page_Head(std::uint16_t c) {
    const char_record& r = chararray.records[c];
    Put_Sprite(BACK, HEAD_X, HEAD_Y, Sprite_From_Handle(r.head_sprite), 0, r.palette, LIGHT_PLAIN);
}

void Draw_Char_Page_Stats(std::uint16_t c) {
    const obj_ref me = Char_Ref(c);
    Text_Out(TA_BOTTOM, PAGE_TEXT_COLOUR, NAME_X, NAME_Y, Object_Name(me, me).c_str());
    Text_Out(TA_BOTTOM, PAGE_TEXT_COLOUR, RACE_X, NAME_Y, Race_Name(Ask_Self(me, REQ_RACE)));
    Text_Out(TA_BOTTOM, PAGE_TEXT_COLOUR, RACE_X, PROFESSION_Y, Profession_Name(Ask_Self(me, REQ_PROFESSION)));

    for (const bar_row& b : BAR_ROWS)
        Draw_Stat_Bar(b.colour, STATS_X, b.y, Ask_Self(me, b.value), Ask_Self(me, b.maximum));

    const char_record& r = chararray.records[c];
    const std::int16_t attribute_base[] = {r.strength, r.dexterity, r.spirit, r.iq};
    for (int i = 0; i < 4; ++i)
        Draw_Stat_Pair(STATS_X, ATTRIBUTE_Y[i], Ask_Self(me, ATTRIBUTE_REQUESTS[i]), attribute_base[i]);
    for (int i = 0; i < 4; ++i)
        Draw_Stat_Pair(STATS_X, PROTECTION_Y[i], Ask_Self(me, PROTECTION_REQUESTS[i]), r.protection[i]);
}

stat_bar_shape Stat_Bar_Shape(std::int64_t value, std::int64_t maximum) {
    value = Not_Negative(value);
    maximum = Not_Negative(maximum);
    if (maximum == 0) return {value > 0 ? STAT_BAR_LENGTH : 0, MANALINE_FULL_FRAME};
    if (value > maximum) return {STAT_BAR_LENGTH, MANALINE_FULL_FRAME};
    return {static_cast<int>(value * STAT_BAR_LENGTH / maximum),
            static_cast<int>(value * MANALINE_SCALE_STEPS / maximum + MANALINE_SCALE_FIRST)};
}

void Draw_Stat_Bar(int colour, int x, int y, std::int64_t value, std::int64_t maximum) {
    const stat_bar_shape shape = Stat_Bar_Shape(value, maximum);
    const int frame = colour >= SCALE_COLOUR ? shape.frame : colour;
    for (int i = 0; i < shape.length; ++i)
        Put_Sprite(BACK, x - BAR_START_DX - i, y - BAR_DY, MANALINE, frame, 0, LIGHT_PLAIN);
    Text_Out(PAGE_NUMBER_ALIGN, PAGE_TEXT_COLOUR, x + BAR_VALUE_DX, y, Number(Not_Negative(value)).c_str());
    Text_Out(PAGE_NUMBER_ALIGN, PAGE_TEXT_COLOUR, x, y, "/");
    Text_Out(PAGE_NUMBER_ALIGN, PAGE_TEXT_COLOUR, x + BAR_MAXIMUM_DX, y, Number(Not_Negative(maximum)).c_str());
}

void Draw_Stat_Pair(int x, int y, std::int64_t current, std::int64_t base) {
    current = Not_Negative(current);
    base = Not_Negative(base);
    Text_Out(PAGE_NUMBER_ALIGN, PAGE_TEXT_COLOUR, x, y, "/");
    Text_Out(PAGE_NUMBER_ALIGN, PAGE_TEXT_COLOUR, x + BAR_MAXIMUM_DX, y, Number(base).c_str());
    const COLORREF colour = current < base   ? VALUE_BELOW_BASE_COLOUR
                            : current > base ? VALUE_ABOVE_BASE_COLOUR
                                             : PAGE_TEXT_COLOUR;
    Text_Out(PAGE_NUMBER_ALIGN, colour, x + BAR_VALUE_DX, y, Number(current).c_str());
}

void Draw_Char_Page_Figure(std::uint16_t c, int x, int y) {
    const char_record& r = chararray.records[c];
    const obj_ref me = Char_Ref(c);
    if (const sprite* body = Sprite_From_Handle(r.body_sprite); body != nullptr) {
        const int frame = r.frame + (r.facing - 1) * body->frames / FACINGS;
        Put_Sprite(BACK, x + BODY_DX + r.offset_x, y + BODY_DY + r.offset_y, body, frame, r.palette, LIGHT_PLAIN);
    }
    Text_Out(PAGE_NUMBER_ALIGN, PAGE_TEXT_COLOUR, x + ATTACK_DX, y + ATTACK_DY,
             Number(Ask_Self(me, REQ_ATTACK)).c_str());
    Text_Out(PAGE_NUMBER_ALIGN, PAGE_TEXT_COLOUR, x + DAMAGE_MIN_DX, y + DAMAGE_DY,
             Number(Ask_Self(me, REQ_DAMAGE_MIN)).c_str());
    Text_Out(PAGE_NUMBER_ALIGN, PAGE_TEXT_COLOUR, x + DAMAGE_DASH_DX, y + DAMAGE_DY, "-");
    Text_Out(PAGE_NUMBER_ALIGN, PAGE_TEXT_COLOUR, x + DAMAGE_MAX_DX, y + DAMAGE_DY,
             Number(Ask_Self(me, REQ_DAMAGE_MAX)).c_str());
    Set_Text_Color(PAGE_TEXT_COLOUR);
    for (const defence_place& d : DEFENCE_PLACES)
        Print_Text(Number(Object_Request(me, me, 0, REQ_DEFENCE, d.direction)).c_str(), x + d.dx, y + d.dy);
}

void Char_Page_To_Map(std::uint32_t, int event) {
    if (event != EVENT_CLICK) return;
    Free_Page_Sprite(MANALINE);
    Init_Hexamap_Screen(0, EVENT_CLICK);
}

void Char_Page_To_Items(std::uint32_t flags, int event) {
    if (event != EVENT_CLICK) return;
    // A switch the player may not give leaves the page as it is.
    if (!Player_May_Command()) return;
    Free_Page_Sprite(MANALINE);
    Inventory_Switch(flags, event);
}

void Char_Page_Button(std::uint32_t flags, int event) {
    if (event != EVENT_CLICK) return;
    if (flags & SHIFT_HELD) {
        for (const char* line : credits_lines) Log_Add_Message(CREDITS_COLOUR, line);
        return;
    }
    if (!Player_May_Command()) return;
    Free_Char_Path(selected[0]);
    Command_Char(selected[0], ACT_SCREEN, OBJ_NONE, NO_INDEX, SCREEN_CHAR_PAGE, 0, -1);
    pressed_control = nullptr;
}
