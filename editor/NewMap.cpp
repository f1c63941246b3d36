#include "editor/NewMap.h"

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/Modifiers.h"
#include "Objects/PathSearch.h"
#include "Objects/Timers.h"
#include "Objects/WorldState.h"
#include "System/Hooks.h"
#include "datafiles/Database.h"
#include "datafiles/Hooks.h"
#include "datafiles/LightMap.h"
#include "datafiles/MapFile.h"
#include "frontend/GameLoop.h"
#include "frontend/MapView.h"

namespace {

// The old map lets go of everything it holds.
void Free_Old_Map() {
    Call_Free_Map_Artwork();
    Hide_Path_Cursor();
    Timer_Clear();
    Reset_Map_Play_State();
    Free_Path_Arrays();
    Free_AI_Arrays();
    Free_Map_Array();
    Free_Map_Anims();
    Free_Char_Array();
    Free_Item_Array();
    Free_Global_Modifiers();
    Reset_Party_State();
}

// Slots 1..239 hold no type of the old map: the first type placed takes the
// highest free slot, and a type the old map had is not found there again.
void Empty_Map_Type_Slots() {
    for (std::uint32_t slot = 1; slot < MAP_TYPE_SLOTS; ++slot) fixitem_types[slot] = fixitem_type{};
    Free_Map_Fixitem_Slots_From(1);
}

}  // namespace

void New_Map(const map_size& size) {
    Free_Old_Map();
    Set_Map_Geometry(size.width, size.height, size.levels);
    Alloc_Global_Modifiers(NEW_MAP_AREA_MODIFIERS);
    Init_Mod_Array(NEW_MAP_AREA_MODIFIERS);
    Alloc_Map_Anims();
    Alloc_Map_Array(static_cast<std::uint16_t>(total_fields));
    Relink_Field_Parents();
    Alloc_Item_Array(0);
    Init_Char_Array(0);
    Empty_Map_Type_Slots();
    Hook_Load_Map_Artwork();

    Init_Path_Arrays();
    scroll_x = -VIEW_CENTRE_X;
    scroll_y = -VIEW_CENTRE_Y;
    shown_level = 0;
    Set_Scroll_Limits();
    redraw_request = 1;
    Init_All_Object_Values();
    Init_AI_Arrays();
    Compute_Light_Map();
    map_loaded = 1;
}
