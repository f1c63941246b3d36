// Calls from the system layer up into the front end. The front end installs
// the real ones at start-up; until then they do nothing.
#pragma once

// Frees every sprite of the map's artwork; Release_Surfaces calls it.
using Free_Map_Artwork_Hook = void (*)();
void Set_Free_Map_Artwork_Hook(Free_Map_Artwork_Hook hook);  // nullptr: back to nothing
void Call_Free_Map_Artwork();
