// Stand-in until the map file reader and writer are built: no map loads.
#include "datafiles/MapFile.h"

std::uint32_t map_loaded = 0;

void Save_Map(const char*) {}

bool Load_Map(const char*) { return false; }
