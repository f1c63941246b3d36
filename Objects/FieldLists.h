// Field object lists: every field owns a list of the objects standing on it,
// from its head {5, f} through the objects in drawing order to the end
// marker {0, f}. Also the per-kind accessors and the fixitem helpers.
#pragma once
#include <cstdint>

#include "Objects/ObjRef.h"

// Walking
void Next_Object(obj_ref& ref);
void Next_Object_No_Anim(obj_ref& ref);
std::uint16_t Object_Field(obj_ref obj);  // NO_FIELD when it has none

// Inserting and removing
void Put_Object_To_Field(obj_ref obj, std::uint16_t field);
void Delete_Object_From_Field(std::uint16_t kind, std::uint16_t index, std::uint16_t field);
void Remove_Object(obj_ref obj);
void Destroy_Object(obj_ref obj);
void Replace_Item_On_Field(std::uint16_t a, std::uint16_t b, std::uint16_t field);
void Relink_Field_Parents();
void Clear_Field_Head(std::uint16_t field);

// Per-kind accessors
std::uint16_t Get_Mod_Index(obj_ref obj);
void Set_Mod_Index(obj_ref obj, std::uint16_t index);
std::int8_t Anim_Frame(obj_ref obj);
std::uint16_t Max_Frame(obj_ref obj);

// The link word of an object's own record; false for a kind without one.
bool Object_Link(obj_ref obj, obj_ref& link);
bool Set_Object_Link(obj_ref obj, obj_ref link);

// The longest a field list can be: a walk that takes more steps is cut.
std::uint32_t Field_List_Limit();

// Fixitems
int Fixitem_Get_Worse(obj_ref obj);
void Start_Fixitem_Anims();

// The sprite handle whose layer and frames stand for the object.
std::uint32_t Object_Sprite(obj_ref obj);
