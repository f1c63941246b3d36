#include "frontend/FrontEndState.h"

#include "Objects/Requests.h"
#include "System/Cursor.h"
#include "System/ScreenType.h"
#include "frontend/Controls.h"
#include "frontend/GameLoop.h"
#include "frontend/HexamapScreen.h"
#include "frontend/Hooks.h"
#include "frontend/InventoryScreen.h"
#include "frontend/MapCursor.h"
#include "frontend/MapView.h"
#include "frontend/SpellPage.h"

void Reset_Front_End_State() {
    Reset_Screen_Type();
    Reset_Cursor_State();
    Reset_Game_Loop_State();
    Reset_Control_State();
    Reset_Map_Cursor_State();
    Reset_Hexamap_Screen_State();
    Reset_Digits_Shown();
    Reset_Inventory_State();
    Reset_Map_View_State();
    Reset_Map_Draw_State();
    Reset_Spell_Page_State();
    Reset_Editor_Hooks();
}
