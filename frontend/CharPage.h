// The character page: one character's portrait, name, race and profession,
// hit points, stamina and the four manas as bars, the attributes and
// protections against their base values, and a figure with its attack,
// damage and defence in the six directions. Every number is asked of the
// request engine, so modifiers show. The spell page draws the same
// background and character.
#pragma once
#include <cstdint>

#include "Objects/ObjRef.h"
#include "frontend/Controls.h"
#include "platform/Gdi.h"

struct sprite;

// The page's control rows: back to the map, to the inventory.
extern control_row char_page_controls[];

// The bar columns, held while the character page or the spell page is
// open: frames 0 to 3 the four manas (fire, water, air, earth), 4 a full
// bar, 5 to 12 a scale from empty to full.
extern sprite* MANALINE;
constexpr int MANALINE_FULL_FRAME = 4;
constexpr int MANALINE_SCALE_FIRST = 5;
constexpr int MANALINE_SCALE_STEPS = 7;  // frames 5 .. 12

// Colours of the page's texts.
constexpr COLORREF PAGE_TEXT_COLOUR = 0x33E8FF;
constexpr COLORREF VALUE_BELOW_BASE_COLOUR = 0x149BFF;
constexpr COLORREF VALUE_ABOVE_BASE_COLOUR = 0x1CFF3A;
// Text_Out's alignment of the page's numbers: right edge and bottom at the point.
constexpr UINT PAGE_NUMBER_ALIGN = TA_RIGHT | TA_BOTTOM;

// A bar is this long when full.
constexpr int STAT_BAR_LENGTH = 132;

// The names the page shows for a race and a profession; an empty text for a
// number beyond the table.
constexpr int RACE_NAME_COUNT = 16;
constexpr int PROFESSION_NAME_COUNT = 17;
extern const char* const race_names[RACE_NAME_COUNT];
extern const char* const profession_names[PROFESSION_NAME_COUNT];
const char* Race_Name(std::int64_t race);
const char* Profession_Name(std::int64_t profession);

// The credits block: its lines, in the colour they are logged in.
constexpr COLORREF CREDITS_COLOUR = 0x282828;
constexpr int CREDITS_LINE_COUNT = 5;
extern const char* const credits_lines[CREDITS_LINE_COUNT];

// A page sprite ARTWORK\PAGES\... loaded into s; one s held before is
// freed first, so that opening a page again holds one copy.
void Load_Page_Sprite(sprite*& s, const char* name);
// Frees s and forgets it: freeing it again does nothing.
void Free_Page_Sprite(sprite*& s);
// Frees the sprites of both pages; at shutdown.
void Free_Page_Sprites();

// The page's entry: the message line's place, MANALINE, the page drawn.
void Open_Char_Page();
// The background from file ("Can't load charpage screen" when it cannot be
// loaded, fatal), the page over it, the whole screen shown.
void Show_Char_Page();
// The head, the stats and the figure of page_char into the back surface.
void Draw_Char_Page();
void Draw_Char_Page_Head(std::uint16_t c);
void Draw_Char_Page_Stats(std::uint16_t c);
void Draw_Char_Page_Figure(std::uint16_t c, int x, int y);

// A bar of MANALINE growing leftward from x - 72 at y - 12: value of
// maximum, in frame colour (0 to 3), or with colour 4 or more in the frame
// of the scale that matches how full it is; the numbers beside it.
void Draw_Stat_Bar(int colour, int x, int y, std::int64_t value, std::int64_t maximum);
// The length and frame Draw_Stat_Bar gives value of maximum on the scale.
struct stat_bar_shape {
    int length;
    int frame;
};
stat_bar_shape Stat_Bar_Shape(std::int64_t value, std::int64_t maximum);
// current / base at x; current in its colour against the base.
void Draw_Stat_Pair(int x, int y, std::int64_t current, std::int64_t base);

// The page's exits (event 1 only): MANALINE freed, then the hexamap screen,
// or the inventory switch.
void Char_Page_To_Map(std::uint32_t flags, int event);
void Char_Page_To_Items(std::uint32_t flags, int event);
// The character-page control of the hexamap and inventory screens: with
// Shift the credits go into the message log; else the leading character
// is told to open its page.
void Char_Page_Button(std::uint32_t flags, int event);
