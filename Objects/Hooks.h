// Calls from the game world up into higher layers (the data files, the
// front end). Each hook has a harmless
// default; the higher layer installs the real one at start-up and tests
// install their own.
#pragma once
#include <cstdint>

#include "Objects/ObjRef.h"

struct ObjectsHooks {
    // Loads "mod.dat" into mod_data; false when it could not.
    bool (*load_mod_database)() = nullptr;

    // The map cursor: its type (0 and 1 normal, 2 and 3 while an act picks
    // its target) and the call that changes it. Default: type 0, no change.
    std::uint16_t (*cursor_type)() = nullptr;
    void (*set_cursor_type)(std::uint16_t type) = nullptr;

    // Centres the map view on an object. Default: nothing.
    void (*center_on_object)(obj_ref obj) = nullptr;
    // Shows the leading character's page in the right panel. Default: nothing.
    void (*put_right_char_page)() = nullptr;
    // The control layer's per-tick step (the pressed look of a button
    // counting down), called by do_anim; none by default.
    void (*tick_pressed_control)() = nullptr;

    // The size of the map view in pixels; false when there is no view.
    // Default: no view.
    bool (*map_view_size)(std::int32_t& width, std::int32_t& height) = nullptr;
    // Opens a screen of the leading character: 2 inventory, 3 character
    // page, 4 spell page. Default: nothing.
    void (*open_screen)(std::uint16_t screen) = nullptr;
};

ObjectsHooks& Objects_Hooks();
// Every hook back to its default.
void Reset_Objects_Hooks();

// The calls through the hooks, with their defaults.
std::uint16_t Hook_Cursor_Type();
void Hook_Set_Cursor_Type(std::uint16_t type);
void Hook_Center_On_Object(obj_ref obj);
void Hook_Put_Right_Char_Page();
bool Hook_Map_View_Size(std::int32_t& width, std::int32_t& height);
void Hook_Open_Screen(std::uint16_t screen);
