#include "worldmap/WorldMapApp.h"

#include <algorithm>

#include "worldmap/MainMap.h"
#include "worldmap/WorldMap.h"

BOOL CWorldMapApp::InitInstance() {
    // A failed start-up has posted the quit message with its code; the pump
    // takes it.
    Main_Map_Main();
    return TRUE;
}

BOOL CWorldMapApp::OnIdle(long) { return Main_Loop_Pass() ? TRUE : FALSE; }

int CWorldMapApp::ExitInstance() { return std::max(quit_code, CWinApp::ExitInstance()); }
