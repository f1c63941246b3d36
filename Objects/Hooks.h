// Calls from the game world up into higher layers (the data files, the front
// end). Each hook has a harmless default; the higher layer installs the real
// one at start-up and tests install their own.
#pragma once

struct ObjectsHooks {
    // Loads "mod.dat" into mod_data; false when it could not.
    bool (*load_mod_database)() = nullptr;

    // The control layer's per-tick step (the pressed look of a button
    // counting down), called by do_anim; none by default.
    void (*tick_pressed_control)() = nullptr;
};

ObjectsHooks& Objects_Hooks();
