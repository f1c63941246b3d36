// The world map program: its resources registered, the application on the
// wx window backend.
#include "platform/wx/WxBackend.h"
#include "worldmap/WorldMapApp.h"
#include "worldmap/WorldMapResources.h"

namespace {
CWorldMapApp world_map_app;
}

int main(int argc, char** argv) {
    Register_World_Map_Resources();
    return Run_Wx_Application(world_map_app, argc, argv);
}
