// The map file: a whole world in play (map, objects, modifiers, animations,
// selection, AI arrays), written from and read into the global arrays.
#pragma once
#include <cstdint>

#include "platform/FileFault.h"

struct MapImage;

// 1 once a map has been loaded completely.
extern std::uint32_t map_loaded;

// Writes the current world to the file; reports through the editor's status
// line. True when the file was written whole.
bool Save_Map(const char* file_name);
// The same without the report: false, with the file and the system's reason
// in fault, when it could not be written.
bool Write_Map_File(const char* file_name, file_fault* fault);
// Replaces the current world with the file's; on any fault reports through
// the editor's status line and leaves the world as it was. True when the
// load completed (map_loaded).
bool Load_Map(const char* file_name);

// Puts a checked image (its run-time handles cleared) in place of the
// world, the old world first letting go of its map artwork, its shown path
// and its timer events. Every map that is read ends this way.
void Replace_World(MapImage& image);
