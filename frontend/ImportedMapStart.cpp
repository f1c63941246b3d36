#include "frontend/ImportedMapStart.h"

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/FieldLists.h"
#include "Objects/MapAnims.h"
#include "Objects/Modifiers.h"
#include "Objects/PathSearch.h"
#include "System/ErrorReport.h"
#include "datafiles/LightMap.h"
#include "datafiles/MapConverter.h"
#include "datafiles/MapFile.h"
#include "frontend/HexamapScreen.h"
#include "frontend/Hooks.h"
#include "frontend/MapArtwork.h"
#include "frontend/MapView.h"

bool Start_Map() {
    // The file is read and checked whole before anything of the world
    // changes; the importer puts the map and its size in place.
    const ConverterResult imported = Run_Map_Converter();
    if (!imported.Ok()) {
        Error_Query_Quit(imported.fault.c_str());
        return false;
    }
    Alloc_Global_Modifiers(IMPORTED_AREA_MODIFIERS);
    Alloc_Map_Anims();
    Load_Map_Artwork();
    Compute_Light_Map();
    map_loaded = 1;
    Init_Path_Arrays();
    // Field (0, 0) in the middle of the view.
    scroll_x = -VIEW_CENTRE_X;
    scroll_y = -VIEW_CENTRE_Y;
    shown_level = 0;
    Set_Scroll_Limits();
    Init_Hexamap_Screen(0, 1);
    Start_Fixitem_Anims();
    Init_All_Object_Values();
    Init_AI_Arrays();
    Save_Map(TEST_MAP_NAME);
    return true;
}
