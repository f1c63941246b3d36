// The world map program's resources (its pictures, palette and cursors),
// compiled into the program by a build step (worldmap-artgen --resources).
#pragma once

// Registers the table with the platform layer, so that the resources are
// found by name.
void Register_World_Map_Resources();
