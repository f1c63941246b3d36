// Orders given on the map: the click on a field (select, attack, go, turn,
// pick a target) and the step keys.
#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/Effects.h"
#include "Objects/GameClock.h"
#include "Objects/Map.h"
#include "Objects/PathSearch.h"
#include "Objects/Request.h"
#include "System/MessageLine.h"
#include "frontend/HexamapScreen.h"
#include "frontend/MapCursor.h"

namespace {

constexpr int TARGET_ROTATIONS = 6;

std::uint16_t Leading() { return selected_count > 0 ? selected[0] : NO_INDEX; }

// Drops the stored path and the earlier user commands of a character.
void Forget_Orders(std::uint16_t c) {
    if (!Char_In_Use(c)) return;
    Free_Char_Path(c);
    Clear_Negative_Acts(chararray.records[c].ai_slot);
}

// Attack the character on the field, else go to it.
void Command_Attack_Or_Go(std::uint16_t who, std::uint16_t target, std::uint16_t field) {
    if (target != NO_INDEX)
        Command_Char(who, ACT_ATTACK, OBJ_CHAR, target, 0, 0, -1);
    else
        Command_Char(who, ACT_GO, OBJ_FIXITEM, field, 0, 0, -1);
}

// Every selected character attacks target, or goes to where the shown path
// ends. The commands hide the arrows, so the field is taken first.
void Command_Selected_To(std::uint16_t target) {
    const std::uint16_t field = cursor_path_dest < total_fields ? cursor_path_dest : cursor_field;
    const std::uint16_t count = selected_count;
    std::uint16_t who[SELECT_SLOTS];
    for (std::uint16_t i = 0; i < count && i < SELECT_SLOTS; ++i) who[i] = selected[i];
    for (std::uint16_t i = 0; i < count && i < SELECT_SLOTS; ++i) Command_Attack_Or_Go(who[i], target, field);
}

// Shows the leading character's way to the cursor field.
void Show_Way() {
    Hide_Path_Cursor();
    path(Leading(), cursor_x, cursor_y, cursor_level, 0);
    Show_Path_Cursor();
}

// A second click confirms the way shown by the first: the arrows are the
// leading character's and end at the cursor field.
bool Way_Confirmed() { return shown_path_dest == cursor_field && shown_path_char == Make_Obj(OBJ_CHAR, Leading()); }

void Left_Click(std::uint32_t flags) {
    const std::uint16_t lead = Leading();
    if (turn_mode) {
        if (!Is_Player_Char(lead)) return;
        if (Char_Path(lead) != nullptr && !Is_Active_Player_Char(current_object)) return;
    }
    const std::uint16_t c = Char_On_Field(cursor_field);
    if (flags & MK_SHIFT) {
        if (!turn_mode && Is_Player_Char(c) && cursor_type == CURSOR_NORMAL) Toggle_Select_Char(c);
        return;
    }
    if (Cursor_Picks_Target()) {
        target_field = cursor_field;
        return;
    }
    if (cursor_type != CURSOR_NORMAL) return;
    if (Is_Player_Char(c) && !turn_mode) {
        Select_Char(c);
        return;
    }
    // The leader is no target of its own: a click on it orders nothing.
    if (selected_count == 0 || c == lead) return;
    for (std::uint16_t i = 0; i < selected_count && i < SELECT_SLOTS; ++i) Forget_Orders(selected[i]);
    if (!turn_mode) {
        Show_Way();
        Command_Selected_To(c);
    } else if (Way_Confirmed()) {
        Command_Selected_To(c);
    } else {
        Show_Way();
    }
}

void Right_Click() {
    if (Cursor_Picks_Target()) {
        target_rotation = static_cast<std::uint16_t>((target_rotation + 1) % TARGET_ROTATIONS);
        return;
    }
    if (cursor_type != CURSOR_NORMAL || selected_count == 0) return;
    const std::uint16_t lead = Leading();
    if (Is_Active_Player_Char(Make_Obj(OBJ_CHAR, lead))) Free_Char_Path(lead);
    Command_Char(lead, ACT_TURN, OBJ_NONE, 0, static_cast<std::uint32_t>(cursor_x),
                 static_cast<std::uint32_t>(cursor_y), -1);
}

// The active player character turns to direction d and, unless the map
// ends there, goes to the neighbour field or attacks whoever stands on it.
void Step_Selected(int d, int event) {
    if (event != EVENT_CLICK || !Is_Active_Player_Char(current_object)) return;
    const std::uint16_t c = Obj_Index(current_object);
    char_record& r = chararray.records[c];
    if (r.state != CS_STEPPING) Object_Request(current_object, current_object, 0, REQ_SET_FACING, d);
    const std::int32_t x = r.x + hex_dirs[d].dx;
    const std::int32_t y = r.y + hex_dirs[d].dy;
    if (x < 0 || y < 0 || x >= static_cast<std::int32_t>(map_width) || y >= static_cast<std::int32_t>(map_height) ||
        r.map_level < 0 || r.map_level >= static_cast<std::int32_t>(map_levels))
        return;
    const std::uint16_t field = Field_Index(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
                                            static_cast<std::uint32_t>(r.map_level));
    Forget_Orders(c);
    Command_Attack_Or_Go(c, Char_On_Field(field), field);
}

}  // namespace

void Hexamap_Map_Click(std::uint32_t flags, int event) {
    Show_Message(nullptr);
    if (cursor_field == NO_FIELD) return;
    if (event == EVENT_CLICK)
        Left_Click(flags);
    else if (event == EVENT_RIGHT_CLICK)
        Right_Click();
}

void Step_Selected_Left(std::uint32_t, int event) { Step_Selected(4, event); }
void Step_Selected_Right(std::uint32_t, int event) { Step_Selected(1, event); }
void Step_Selected_Down_Right(std::uint32_t, int event) { Step_Selected(2, event); }
void Step_Selected_Up_Right(std::uint32_t, int event) { Step_Selected(6, event); }
void Step_Selected_Down_Left(std::uint32_t, int event) { Step_Selected(3, event); }
void Step_Selected_Up_Left(std::uint32_t, int event) { Step_Selected(5, event); }
