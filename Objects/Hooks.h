// Calls from the game world up into higher layers (the system layer's
// sprite loaders, the data files, the front end). Each hook has a harmless
// default; the higher layer installs the real one at start-up and tests
// install their own.
#pragma once
#include <cstdint>

#include "Objects/ObjRef.h"

struct ObjectsHooks {
    // Loads "mod.dat" into mod_data; false when it could not.
    bool (*load_mod_database)() = nullptr;

    // Sprite files, named without their extension: a run-length sprite file
    // (name + ".DYS") and a bitmap sprite (name + ".BMP") with its surface
    // options. Each returns the new sprite's handle. Default: an empty entry
    // of the sprite table (no frames, layer 0).
    std::uint32_t (*load_dys)(const char* name) = nullptr;
    std::uint32_t (*load_bitmap_sprite)(const char* name, std::uint32_t options) = nullptr;
    // Releases a sprite loaded through the hooks above. Default: nothing.
    void (*release_sprite)(std::uint32_t sprite) = nullptr;

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
};

ObjectsHooks& Objects_Hooks();

// The calls through the hooks, with their defaults.
std::uint32_t Hook_Load_DYS(const char* name);
std::uint32_t Hook_Load_Bitmap_Sprite(const char* name, std::uint32_t options);
void Hook_Release_Sprite(std::uint32_t sprite);
std::uint16_t Hook_Cursor_Type();
void Hook_Set_Cursor_Type(std::uint16_t type);
void Hook_Center_On_Object(obj_ref obj);
void Hook_Put_Right_Char_Page();
