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

const char* const race_names[race_name_count] = {
    "Human", "Elf", "Dwarf", "Hobbit",   "Dog",   "Pig",       "Chicken",      "Wolf",
    "Bear",  "Cow", "Troll", "Skeleton", "Zombi", "Giant ant", "Giant spider", "Invalid race",
};
const char* const profession_names[profession_name_count] = {
    "Warrior", "Ranger", "Paladin", "Mercenary",   "Thief",    "Rogue",    "Bard",   "Assasin", "Monk",
    "Druid",   "Priest", "Shaman",  "Battle Mage", "Conjurer", "Sorcerer", "Wizard", "other",
};

const char* const credits_lines[credits_line_count] = {
    "Credits", "~~~~~", "Game and editor: The Orvex developers", " ", "Artwork: made by the Orvex artwork generator",
};

namespace {

constexpr const char* page_picture = "ARTWORK\\PAGES\\CHARPAGE.BMP";
constexpr const char* manaline_name = "ARTWORK\\PAGES\\MANALINE";
constexpr int message_x = 29, message_y = 462;

constexpr std::uint32_t shift_held = MK_SHIFT;

// The head, the stats' column and the figure's place.
constexpr int head_x = 127, head_y = 132;
constexpr int name_x = 29, race_x = 209, name_y = 156, profession_y = 172;
constexpr int stats_x = 234;
constexpr int figure_x = 25, figure_y = 338;

// A bar: its columns start this far left of the numbers' x, and stand
// this far above their y.
constexpr int bar_start_dx = 72, bar_dy = 12;
constexpr int bar_value_dx = -8, bar_maximum_dx = 24;

struct bar_row {
    request_no value, maximum;
    int y;
    int colour;  // MANALINE frame 0 to 3, or the scale
};
constexpr int scale_colour = manaline_full_frame;
constexpr bar_row bar_rows[] = {
    {REQ_HIT_POINTS, REQ_MAX_HIT_POINTS, 229, scale_colour},
    {REQ_STAMINA, REQ_MAX_STAMINA, 242, scale_colour},
    {REQ_MANA_FIRE, REQ_MAX_MANA_FIRE, 268, 0},
    {REQ_MANA_WATER, REQ_MAX_MANA_WATER, 281, 1},
    {REQ_MANA_AIR, REQ_MAX_MANA_AIR, 294, 2},
    {REQ_MANA_EARTH, REQ_MAX_MANA_EARTH, 307, 3},
};

constexpr request_no attribute_requests[] = {REQ_STRENGTH, REQ_DEXTERITY, REQ_SPIRIT, REQ_IQ};
constexpr int attribute_y[] = {331, 344, 357, 370};
constexpr request_no protection_requests[] = {REQ_PROT_FIRE, REQ_PROT_WATER, REQ_PROT_AIR, REQ_PROT_EARTH};
constexpr int protection_y[] = {397, 410, 423, 436};

// The figure: the body's point, the attack and damage numbers, and the
// defence of each direction (1 to 6) around it, relative to (x, y).
constexpr int body_dx = 55, body_dy = 80;
constexpr int facings = 6;
constexpr int attack_dx = 100, attack_dy = -9;
constexpr int damage_min_dx = 74, damage_dash_dx = 81, damage_max_dx = 100, damage_dy = 5;
struct defence_place {
    int direction, dx, dy;
};
constexpr defence_place defence_places[] = {
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

const char* Race_Name(std::int64_t race) { return race >= 0 && race < race_name_count ? race_names[race] : ""; }

const char* Profession_Name(std::int64_t profession) {
    return profession >= 0 && profession < profession_name_count ? profession_names[profession] : "";
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
    ScreenType = screen_char_page;
    Forget_Pressed_Control();
    Set_Message_Pos(message_x, message_y);
    Load_Page_Sprite(MANALINE, manaline_name);
    Show_Char_Page();
}

void Show_Char_Page() {
    if (!Load_Page(BACK, page_picture, "Can't load charpage screen")) return;
    Set_Full_Clip();
    Draw_Char_Page();
    Update_Screen(nullptr);
}

void Draw_Char_Page() {
    const std::uint16_t c = Shown_Char();
    if (c == NO_INDEX) return;
    Draw_Char_Page_Head(c);
    Draw_Char_Page_Stats(c);
    Draw_Char_Page_Figure(c, figure_x, figure_y);
}

void Draw_Char_Page_Head(std::uint16_t c) {
    const char_record& r = chararray.records[c];
    Put_Sprite(BACK, head_x, head_y, Sprite_From_Handle(r.head_sprite), 0, r.palette, light_plain);
}

void Draw_Char_Page_Stats(std::uint16_t c) {
    const obj_ref me = Char_Ref(c);
    Text_Out(TA_BOTTOM, page_text_colour, name_x, name_y, Object_Name(me, me).c_str());
    Text_Out(TA_BOTTOM, page_text_colour, race_x, name_y, Race_Name(Ask_Self(me, REQ_RACE)));
    Text_Out(TA_BOTTOM, page_text_colour, race_x, profession_y, Profession_Name(Ask_Self(me, REQ_PROFESSION)));

    for (const bar_row& b : bar_rows)
        Draw_Stat_Bar(b.colour, stats_x, b.y, Ask_Self(me, b.value), Ask_Self(me, b.maximum));

    const char_record& r = chararray.records[c];
    const std::int16_t attribute_base[] = {r.strength, r.dexterity, r.spirit, r.iq};
    for (int i = 0; i < 4; ++i)
        Draw_Stat_Pair(stats_x, attribute_y[i], Ask_Self(me, attribute_requests[i]), attribute_base[i]);
    for (int i = 0; i < 4; ++i)
        Draw_Stat_Pair(stats_x, protection_y[i], Ask_Self(me, protection_requests[i]), r.protection[i]);
}

stat_bar_shape Stat_Bar_Shape(std::int64_t value, std::int64_t maximum) {
    value = Not_Negative(value);
    maximum = Not_Negative(maximum);
    if (maximum == 0) return {value > 0 ? stat_bar_length : 0, manaline_full_frame};
    if (value > maximum) return {stat_bar_length, manaline_full_frame};
    return {static_cast<int>(value * stat_bar_length / maximum),
            static_cast<int>(value * manaline_scale_steps / maximum + manaline_scale_first)};
}

void Draw_Stat_Bar(int colour, int x, int y, std::int64_t value, std::int64_t maximum) {
    const stat_bar_shape shape = Stat_Bar_Shape(value, maximum);
    const int frame = colour >= scale_colour ? shape.frame : colour;
    for (int i = 0; i < shape.length; ++i)
        Put_Sprite(BACK, x - bar_start_dx - i, y - bar_dy, MANALINE, frame, 0, light_plain);
    Text_Out(page_number_align, page_text_colour, x + bar_value_dx, y, Number(Not_Negative(value)).c_str());
    Text_Out(page_number_align, page_text_colour, x, y, "/");
    Text_Out(page_number_align, page_text_colour, x + bar_maximum_dx, y, Number(Not_Negative(maximum)).c_str());
}

void Draw_Stat_Pair(int x, int y, std::int64_t current, std::int64_t base) {
    current = Not_Negative(current);
    base = Not_Negative(base);
    Text_Out(page_number_align, page_text_colour, x, y, "/");
    Text_Out(page_number_align, page_text_colour, x + bar_maximum_dx, y, Number(base).c_str());
    const COLORREF colour = current < base   ? value_below_base_colour
                            : current > base ? value_above_base_colour
                                             : page_text_colour;
    Text_Out(page_number_align, colour, x + bar_value_dx, y, Number(current).c_str());
}

void Draw_Char_Page_Figure(std::uint16_t c, int x, int y) {
    const char_record& r = chararray.records[c];
    const obj_ref me = Char_Ref(c);
    if (const sprite* body = Sprite_From_Handle(r.body_sprite); body != nullptr) {
        const int frame = r.frame + (r.facing - 1) * body->frames / facings;
        Put_Sprite(BACK, x + body_dx + r.offset_x, y + body_dy + r.offset_y, body, frame, r.palette, light_plain);
    }
    Text_Out(page_number_align, page_text_colour, x + attack_dx, y + attack_dy,
             Number(Ask_Self(me, REQ_ATTACK)).c_str());
    Text_Out(page_number_align, page_text_colour, x + damage_min_dx, y + damage_dy,
             Number(Ask_Self(me, REQ_DAMAGE_MIN)).c_str());
    Text_Out(page_number_align, page_text_colour, x + damage_dash_dx, y + damage_dy, "-");
    Text_Out(page_number_align, page_text_colour, x + damage_max_dx, y + damage_dy,
             Number(Ask_Self(me, REQ_DAMAGE_MAX)).c_str());
    Set_Text_Color(page_text_colour);
    for (const defence_place& d : defence_places)
        Print_Text(Number(Object_Request(me, me, 0, REQ_DEFENCE, d.direction)).c_str(), x + d.dx, y + d.dy);
}

void Char_Page_To_Map(std::uint32_t, int event) {
    if (event != event_click) return;
    Free_Page_Sprite(MANALINE);
    Init_Hexamap_Screen(0, event_click);
}

void Char_Page_To_Items(std::uint32_t flags, int event) {
    if (event != event_click) return;
    // A switch the player may not give leaves the page as it is.
    if (!Player_May_Command()) return;
    Free_Page_Sprite(MANALINE);
    Inventory_Switch(flags, event);
}

void Char_Page_Button(std::uint32_t flags, int event) {
    if (event != event_click) return;
    if (flags & shift_held) {
        for (const char* line : credits_lines) Log_Add_Message(credits_colour, line);
        return;
    }
    if (!Player_May_Command()) return;
    Free_Char_Path(selected[0]);
    Command_Char(selected[0], ACT_SCREEN, OBJ_NONE, NO_INDEX, screen_char_page, 0, -1);
    pressed_control = nullptr;
}
