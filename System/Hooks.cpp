#include "System/Hooks.h"

namespace {
Free_Map_Artwork_Hook free_map_artwork = nullptr;
}

void Set_Free_Map_Artwork_Hook(Free_Map_Artwork_Hook hook) { free_map_artwork = hook; }

void Call_Free_Map_Artwork() {
    if (free_map_artwork != nullptr) free_map_artwork();
}
