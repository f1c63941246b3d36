// What an end-to-end script needs to know of a working folder's
// "start.map": the map read in this process (without its artwork) by a
// function that picks the facts out, and small helpers to write them into
// a script and to read the runner's output.
#pragma once
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>

#include "Objects/Char/Characters.h"
#include "Objects/Hooks.h"
#include "System/ErrorReport.h"
#include "datafiles/Hooks.h"
#include "datafiles/MapFile.h"
#include "frontend/MapView.h"
#include "platform/PathResolver.h"

namespace fixture {

struct field_xy {
    std::int32_t x = -1, y = -1;
};

inline std::string Xy(field_xy f) { return std::to_string(f.x) + " " + std::to_string(f.y); }

// The first word of a character's name: what the runner's clickchar and
// items take.
inline std::string Name_Of(std::uint16_t c) {
    const char_record& r = chararray.records[c];
    const std::string name(r.name, strnlen(r.name, sizeof r.name));
    return name.substr(0, name.find(' '));
}

// How often what occurs in text.
inline int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// Loads "start.map" of folder with the hooks of the game world and the data
// files at their defaults, returns what read(loaded) picks out of it, and
// frees the map again.
template <class Read>
auto Read_Start_Map_With(const std::filesystem::path& folder, Read read) {
    const ObjectsHooks objects = Objects_Hooks();
    const DatafilesHooks files = Datafiles_Hooks();
    Objects_Hooks() = {};
    Datafiles_Hooks() = {};
    Set_Working_Folder(folder);
    const bool loaded = Load_Map("start.map");
    auto facts = read(loaded);
    Free_Map();
    Set_Working_Folder({});
    Objects_Hooks() = objects;
    Datafiles_Hooks() = files;
    Reset_Quitting();
    return facts;
}

}  // namespace fixture
