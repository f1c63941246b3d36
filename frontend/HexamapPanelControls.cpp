// The controls of the game panel: scrolling and clicking the portrait
// strip, selecting the whole party, and the leading character's quick
// slots.
#include <string>

#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/Effects.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/PlayerCommands.h"
#include "Objects/Request.h"
#include "System/MessageLine.h"
#include "frontend/HexamapPanel.h"
#include "frontend/HexamapScreen.h"
#include "frontend/MapCursor.h"
#include "frontend/MapView.h"

std::int16_t last_portrait_click = -1;

void Reset_Portrait_Clicks() { last_portrait_click = -1; }

namespace {

// A strip slot shows its head over [STRIP_X - 2, STRIP_X + 33) and the
// slots lie STRIP_STEP apart: each slot owns its portrait and the gap to
// its right.
constexpr int STRIP_SLOT_LEFT = STRIP_X - 2;

// The character a strip slot shows, -1 none.
std::int16_t Strip_Char(int slot) {
    const std::uint32_t at = portrait_offset + static_cast<std::uint32_t>(slot);
    if (at >= player_count || at >= MAX_PLAYER_CHARS || !Char_In_Use(player_chars[at])) return -1;
    return static_cast<std::int16_t>(player_chars[at]);
}

}  // namespace

void Portraits_Scroll_Left(std::uint32_t, int event) {
    if (event == EVENT_CLICK && portrait_offset >= 1) --portrait_offset;
}

void Portraits_Scroll_Right(std::uint32_t, int event) {
    if (event == EVENT_CLICK && portrait_offset + STRIP_SLOTS < player_count) ++portrait_offset;
}

int Portrait_Slot_At(int x) {
    const int offset = x - STRIP_SLOT_LEFT;
    if (offset < 0) return -1;
    const int slot = offset / STRIP_STEP;
    return slot < STRIP_SLOTS ? slot : -1;
}

void Portrait_Strip_Click(std::uint32_t flags, int event) {
    const int slot = Portrait_Slot_At(mouse_x);
    const std::int16_t c = slot >= 0 ? Strip_Char(slot) : -1;
    if (c < 0) {
        Show_Message(nullptr);
        return;
    }
    const std::string text = std::string(turn_mode ? "Show " : "Select ") + Char_Name(chararray.records[c]);
    Show_Message(text.c_str());
    if (event != EVENT_CLICK) return;
    if (c == last_portrait_click)
        Center_On_Object(Make_Obj(OBJ_CHAR, static_cast<std::uint16_t>(c)));
    else
        last_portrait_click = c;
    if (turn_mode || !Is_Player_Char(static_cast<std::uint16_t>(c)) || cursor_type != CURSOR_NORMAL) return;
    if (flags & MK_SHIFT)
        Toggle_Select_Char(static_cast<std::uint16_t>(c));
    else
        Select_Char(static_cast<std::uint16_t>(c));
}

void Select_All_Chars(std::uint32_t, int event) {
    if (event != EVENT_CLICK || turn_mode) return;
    const std::uint16_t lead = selected_count > 0 ? selected[0] : NO_INDEX;
    if (selected_count > 0) selected_count = Is_Player_Char(lead) ? 1 : 0;
    const std::uint16_t kept = selected_count > 0 ? lead : NO_INDEX;
    for (std::uint32_t i = 0; i < player_count && i < MAX_PLAYER_CHARS; ++i)
        if (player_chars[i] != kept) Toggle_Select_Char(player_chars[i]);
}

void Quick_Slot_Click(int slot, int event) {
    if (!Player_May_Command() || !Char_In_Use(selected[0])) return;
    const std::int16_t item = chararray.records[selected[0]].slots[slot];
    if (item <= 0) {
        Show_Message(nullptr);
        return;
    }
    Show_Message(Item_Name_Text(static_cast<std::uint16_t>(item)));
    if (event == EVENT_RIGHT_CLICK)
        Object_Request(current_object, Make_Obj(OBJ_ITEM, static_cast<std::uint16_t>(item)), 0, REQ_OPERATE, NO_VALUE);
}

void Quick_Slot_61_Click(std::uint32_t, int event) { Quick_Slot_Click(61, event); }
void Quick_Slot_62_Click(std::uint32_t, int event) { Quick_Slot_Click(62, event); }
void Quick_Slot_63_Click(std::uint32_t, int event) { Quick_Slot_Click(63, event); }
void Quick_Slot_64_Click(std::uint32_t, int event) { Quick_Slot_Click(64, event); }
void Quick_Slot_65_Click(std::uint32_t, int event) { Quick_Slot_Click(65, event); }
void Quick_Slot_66_Click(std::uint32_t, int event) { Quick_Slot_Click(66, event); }
