#include "Objects/Char/Party.h"

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Geometry.h"
#include "Objects/Hooks.h"
#include "Objects/MapAnims.h"
#include "Objects/PathSearch.h"
#include "Objects/Request.h"
#include "Objects/Sight.h"
#include "System/ErrorReport.h"

std::uint16_t selected[SELECT_SLOTS] = {NO_INDEX, NO_INDEX, NO_INDEX, NO_INDEX, NO_INDEX,
                                        NO_INDEX, NO_INDEX, NO_INDEX, NO_INDEX, NO_INDEX};
std::uint16_t selected_count = 0;
std::uint16_t select_groups[SELECT_GROUPS][SELECT_SLOTS];
obj_ref current_object = NOOBJ;

std::uint16_t player_chars[MAX_PLAYER_CHARS];
std::uint32_t player_count = 0;
std::uint16_t main_char = NO_INDEX;
std::uint16_t main_char_slot = NO_INDEX;
std::uint32_t party_hidden = 0;
std::int16_t page_char = -1;
std::uint32_t portrait_offset = 0;

void Reset_Party_State() {
    Clear_Selection();
    current_object = NOOBJ;
    for (std::uint16_t& c : player_chars) c = 0;
    player_count = 0;
    main_char = NO_INDEX;
    main_char_slot = NO_INDEX;
    party_hidden = 0;
    page_char = -1;
    portrait_offset = 0;
}

namespace {

constexpr std::uint16_t PARTY_SIGHT_RANGE = 20;
constexpr std::uint32_t ANIM_WAIT_ON_SELECT = 40;

// Index of c among the first selected_count entries, or -1.
int Selected_Position(std::uint16_t c) {
    for (int i = 0; i < selected_count && i < SELECT_SLOTS; ++i)
        if (selected[i] == c) return i;
    return -1;
}

// Takes entry at out of the selection, the later entries moving down.
void Remove_Selected_Entry(int at) {
    for (int i = at; i + 1 < SELECT_SLOTS; ++i) selected[i] = selected[i + 1];
    selected[SELECT_SLOTS - 1] = NO_INDEX;
}

void Insert_Player_Char_First(std::uint16_t c) {
    for (std::uint32_t i = player_count; i > 0; --i) player_chars[i] = player_chars[i - 1];
    player_chars[0] = c;
    ++player_count;
}

}  // namespace

bool Is_Player_Char(std::uint16_t c) {
    if (c == NO_INDEX || c >= chararray.Capacity()) return false;
    obj_ref who = Make_Obj(OBJ_CHAR, c);
    return Ask_Self(who, REQ_LOBBY) == 0 && Ask_Self_Or_Zero(who, REQ_ACTIVE) != 0;
}

bool Is_Active_Player_Char(obj_ref obj) {
    // Only a character can be one: a current object of another kind must not
    // be taken for the character with its index.
    return selected_count != 0 && obj == current_object && Obj_Kind(obj) == OBJ_CHAR && Is_Player_Char(Obj_Index(obj));
}

void Check_Hidden_From_Party(obj_ref obj) {
    for (std::uint32_t i = 0; i < player_count && i < MAX_PLAYER_CHARS; ++i) {
        if (Obj_Index(obj) == player_chars[i]) {
            party_hidden = 0;
            return;
        }
        Set_Sight_Target(Object_Field(Make_Obj(OBJ_CHAR, player_chars[i])), PARTY_SIGHT_RANGE);
        if (visi_dist(obj) != NO_DISTANCE) {
            party_hidden = 0;
            return;
        }
    }
    party_hidden = 1;
}

void Add_To_Player_List(std::uint16_t c) {
    if (!Char_In_Use(c)) return;
    obj_ref who = Make_Obj(OBJ_CHAR, c);
    bool is_main = Ask_Self_Or_Zero(who, REQ_MAIN_CHAR) != 0;
    if (!is_main && Ask_Self(who, REQ_LOBBY) != 0) return;
    if (player_count >= MAX_PLAYER_CHARS) {
        // The list has no room: the character stays out of it.
        Error_Query_Quit("too many player chars!!!!");
        return;
    }
    if (!is_main) {
        player_chars[player_count++] = c;
        return;
    }
    if (main_char != NO_INDEX) Error_Query_Quit("There are two main chars!!!!");
    main_char = c;
    main_char_slot = chararray.records[c].ai_slot;
    Insert_Player_Char_First(c);
}

void Remove_From_Player_List(std::uint16_t c) {
    for (std::uint32_t i = 0; i < player_count && i < MAX_PLAYER_CHARS; ++i) {
        if (player_chars[i] != c) continue;
        for (std::uint32_t j = i; j + 1 < player_count; ++j) player_chars[j] = player_chars[j + 1];
        --player_count;
        return;
    }
}

void Forget_Char(std::uint16_t c) {
    Deselect_Char(c);
    Remove_From_Player_List(c);
    if (current_object == Make_Obj(OBJ_CHAR, c)) current_object = NOOBJ;
    if (page_char == static_cast<std::int16_t>(c)) page_char = -1;
}

void Clear_Selection() {
    selected_count = 0;
    for (std::uint16_t& s : selected) s = NO_INDEX;
    for (auto& group : select_groups)
        for (std::uint16_t& s : group) s = NO_INDEX;
}

bool Is_Selected(std::uint16_t c) { return Selected_Position(c) >= 0; }

std::uint16_t Select_Char(std::uint16_t c) {
    if (!Char_In_Use(c)) {
        Error_Query_Quit("Invalid character in Select_Char");
        return selected_count;
    }
    // The character led so far gives up an aim it had begun.
    if (Obj_Kind(current_object) == OBJ_CHAR && Obj_Index(current_object) != c)
        Effect_Cancel_Aim(Obj_Index(current_object));
    Hide_Path_Cursor();
    selected[0] = c;
    current_object = Make_Obj(OBJ_CHAR, c);
    selected_count = 1;
    char_record& r = chararray.records[c];
    if (r.state != CS_STEPPING && r.state != CS_EXECUTING && r.state != CS_ACT_PREPARED) r.state = CS_DECIDING;
    if (turn_mode) {
        Check_Hidden_From_Party(current_object);
        if (!party_hidden) {
            Hook_Center_On_Object(current_object);
            anim_wait = clock_step != 0 ? ANIM_WAIT_ON_SELECT / clock_step : 0;
        }
    }
    if (!party_hidden) Hook_Put_Right_Char_Page();
    return selected_count;
}

std::uint16_t Toggle_Select_Char(std::uint16_t c) {
    if (turn_mode) return selected_count;
    if (selected_count == 0) return Select_Char(c);
    int at = Selected_Position(c);
    if (at < 0) {
        if (selected_count < MAX_SELECTED && Char_In_Use(c)) selected[selected_count++] = c;
        return selected_count;
    }
    if (at == 0) Effect_Cancel_Aim(c);
    Remove_Selected_Entry(at);
    // Taking out the leading character selects the next one, and the count
    // then drops from that selection's 1: the selection ends up empty with
    // the new leader as the current object.
    if (at == 0 && selected_count > 1) Select_Char(selected[0]);
    --selected_count;
    return selected_count;
}

void Deselect_Char(std::uint16_t c) {
    int at = Selected_Position(c);
    if (at < 0) return;
    // The leading character gives up an aim it had begun.
    if (at == 0) Effect_Cancel_Aim(c);
    Remove_Selected_Entry(at);
    --selected_count;
    if (at == 0 && selected_count > 0) Select_Char(selected[0]);
}

void Command_Char(std::uint16_t c, std::uint16_t act_kind, std::uint16_t target_kind, std::uint16_t target_index,
                  std::uint32_t arg1, std::uint32_t arg2, std::int32_t priority) {
    if (!Char_In_Use(c)) {
        Error_Query_Quit("Invalid character in Command_Char");
        return;
    }
    if (priority < 0) priority = Relation_To_Main_Char(Make_Obj(OBJ_CHAR, c));
    Hide_Path_Cursor();
    std::uint16_t slot = chararray.records[c].ai_slot;
    Clear_Negative_Acts(slot);
    std::uint16_t a = Alloc_Act(slot, priority);
    if (a == NO_INDEX || a >= actarray.Capacity()) return;
    act_entry& e = actarray.records[a];
    e.type = static_cast<std::uint16_t>(act_kind | ACT_USER_COMMAND);
    e.target = Make_Obj(target_kind, target_index);
    e.arg1 = arg1;
    e.arg2 = arg2;
}

void Command_Selected(std::uint16_t act_kind, obj_ref target, std::uint32_t arg1, std::uint32_t arg2) {
    for (int i = 0; i < selected_count && i < SELECT_SLOTS; ++i)
        Command_Char(selected[i], act_kind, Obj_Kind(target), Obj_Index(target), arg1, arg2, -1);
}
