// The player's side of the characters: the selection, the object the
// player works with, the party list with the main character, and the
// player's commands to characters.
#pragma once
#include <cstdint>

#include "Objects/ObjRef.h"

constexpr int SELECT_SLOTS = 10;
constexpr int MAX_SELECTED = 9;
constexpr int SELECT_GROUPS = 5;
constexpr int MAX_PLAYER_CHARS = 50;

// The selection: selected[0] is the leading character.
extern std::uint16_t selected[SELECT_SLOTS];
extern std::uint16_t selected_count;
extern std::uint16_t select_groups[SELECT_GROUPS][SELECT_SLOTS];
// The object the player works with; NOOBJ at start.
extern obj_ref current_object;

// The party: the main character first.
extern std::uint16_t player_chars[MAX_PLAYER_CHARS];
extern std::uint32_t player_count;
extern std::uint16_t main_char;       // NO_INDEX none
extern std::uint16_t main_char_slot;  // its AI slot, NO_INDEX none

// Set by Check_Hidden_From_Party when no party member sees the object.
extern std::uint32_t party_hidden;

// The character whose inventory, character page or spell page is shown.
extern std::int16_t page_char;
// Index in player_chars of the character in the portrait strip's first slot.
extern std::uint32_t portrait_offset;

// Nothing selected, no party, no current object, no page character.
void Reset_Party_State();

// ---- Party ----
// A character of the player's lobby 0 that can act.
bool Is_Player_Char(std::uint16_t c);
// Whether the player may command obj: something is selected, obj is the
// current object and a player character.
bool Is_Active_Player_Char(obj_ref obj);
// Sets party_hidden: 0 when obj is a party member or one of them sees it
// within 20 fields, else 1.
void Check_Hidden_From_Party(obj_ref obj);
// Registers character c in the party list when it is the main character
// (first in the list) or of lobby 0 (appended). Called when it gets an AI
// slot.
void Add_To_Player_List(std::uint16_t c);
void Remove_From_Player_List(std::uint16_t c);
// A character leaving the map leaves the selection, the party list, the
// player's working object and the page shown.
void Forget_Char(std::uint16_t c);

// ---- Selection ----
void Clear_Selection();
bool Is_Selected(std::uint16_t c);
// Makes c the only selected character; returns the new count.
std::uint16_t Select_Char(std::uint16_t c);
// Adds c to the selection or takes it out; returns the new count.
std::uint16_t Toggle_Select_Char(std::uint16_t c);
void Deselect_Char(std::uint16_t c);

// ---- Commands ----
// Gives character c a user command: act kind, target (kind, index), the
// two arguments and the priority; a negative priority is the character's
// relation to the main character.
void Command_Char(std::uint16_t c, std::uint16_t act_kind, std::uint16_t target_kind, std::uint16_t target_index,
                  std::uint32_t arg1, std::uint32_t arg2, std::int32_t priority);
// The same command for every selected character, each at its relation to
// the main character.
void Command_Selected(std::uint16_t act_kind, obj_ref target, std::uint32_t arg1, std::uint32_t arg2);
