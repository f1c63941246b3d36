// The front end's state as a whole back to its start: each module resets
// its own globals; this calls them all.
#pragma once

// No screen, no key held, no control pressed, no field under the map
// cursor, the shields and damage digits shown, nothing in the inventory's
// hand, the hexamap screen's viewport with nothing drawn yet, no spell
// list, the software cursor forgotten, the editor's entries and switches at
// their defaults. Sprites, surfaces and the window are resources, released
// by their own Free and Release functions.
void Reset_Front_End_State();
