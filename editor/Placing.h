// Placing objects on the map in the editor: a left click on a field puts
// there a new object made from the selected database type, or a copy of the
// selected placed object, or with Shift moves the selected placed object
// there; a right click lists the field's objects. Every refusal is a status
// line message and changes nothing on the map.
#pragma once
#include <cstdint>

// The refusals, as the status line shows them.
constexpr const char* TEXT_FIELD_OCCUPIED = "This field has been occupied.";
constexpr const char* TEXT_ONLY_ONE_MAIN = "There can be only one! (...main character)";
constexpr const char* TEXT_NO_CORPSE_INSERT = "Corpses cannot be inserted directly.";
constexpr const char* TEXT_TYPE_DOES_NOT_FIT = "This fixitem type can't fit into this field.";
constexpr const char* TEXT_NO_MAIN_COPY = "Cannot copy the main character.";
constexpr const char* TEXT_NO_CORPSE_COPY = "Corpses cannot be duplicated.";
constexpr const char* TEXT_FIXITEM_DOES_NOT_FIT = "This fixitem can't fit into this field.";

// A field is full at this fill percent.
constexpr int FIELD_FULL = 101;

// The handler of the editor's map control row, installed as the front end's
// Editor_Place_Object (flags: the mouse keys, Shift 4; event 0 hover, 1 left
// click, 2 right click). Every call shows the field under the cursor on the
// "Map index:" label. Dragging with the left button calls it with (0, 1) on
// every field entered.
void Editor_Place_Object_Handler(std::uint32_t flags, int event);

// The editor's work on the cursor field, by what is selected; true when
// something was placed, moved or turned (the field is listed with it).
bool Place_Database_Type(std::uint16_t field);
bool Place_Placed_Object(std::uint16_t field, bool move);
