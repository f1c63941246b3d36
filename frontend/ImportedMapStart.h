// Starting a map from the chunked map file: the importer reads it into the
// world, then the map is set up to be played as a loaded map is, and saved
// as the test-play map "Test.map".
#pragma once

// Imports "artwork//maps//aa.bin" and sets it up: area modifiers, map
// animations, the map's artwork, the light map, the path arrays, the view
// on field (0, 0) of level 0 with the map's scroll limits, the hexamap
// screen, the fixitems' animations, every object's start values and the AI
// arrays; last it saves "Test.map". A file the importer refuses is shown
// with Error_Query_Quit and changes nothing; false then.
bool Start_Map();
