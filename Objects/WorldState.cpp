#include "Objects/WorldState.h"

#include "Objects/AIData.h"
#include "Objects/AIDecisions.h"
#include "Objects/Acts.h"
#include "Objects/Char/CharSprites.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/CharTick.h"
#include "Objects/Effects.h"
#include "Objects/Floods.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/Modifiers.h"
#include "Objects/PathCache.h"
#include "Objects/PathSearch.h"
#include "Objects/RequestEngine.h"
#include "Objects/Requests.h"
#include "Objects/Sight.h"
#include "Objects/Timers.h"
#include "Objects/TypeTables.h"

void Reset_Map_Play_State() {
    Reset_Targeting_State();
    Reset_Path_Search_State();
    Reset_Decision_State();
    Reset_Act_State();
    Reset_Sight_State();
    Reset_Flood_State();
    Reset_Char_Tick_State();
}

void Reset_World_State() {
    Reset_Map_Play_State();
    Reset_Party_State();
    Free_Char_Array();
    Reset_Char_Sprite_State();
    Reset_Item_State();
    Reset_AI_Data_State();
    Reset_Modifier_State();
    Timer_Release();
    Reset_Map_Anim_State();
    Free_Path_Arrays();
    Reset_Path_Cache_State();
    Reset_Map_State();
    Reset_Type_Tables();
    Reset_Clock_State();
    Reset_Digits_Shown();
    Reset_Request_Engine_State();
}
