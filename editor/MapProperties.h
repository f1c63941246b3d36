// The map properties dialog (template 156) without its window: the sizes it
// opens with and takes from its controls, and what its buttons do with
// them once taken. The dialog's library runs the file dialogs and hands
// over the path chosen. Every question goes through the platform's message
// box; every failure is reported on the editor's status line and leaves
// the dialog open.
#pragma once
#include <string>

#include "editor/MapResize.h"

// The questions.
constexpr const char* TEXT_ARE_YOU_SURE = "Are you sure?";
constexpr const char* CAPTION_DATA_LOSS = "Possible data loss!";
constexpr const char* CAPTION_MAP_DESTROYED = "All of the map data will be destroyed!";

// The file dialogs: where they open, their titles, filters and extension.
constexpr const char* MAP_FILES_FOLDER = ".\\ARTWORK\\MAPS\\";
constexpr const char* TITLE_LOAD_MAP = "Load Map";
constexpr const char* TITLE_SAVE_MAP = "Save map";
constexpr const char* FILTER_MAP_FILES = "Map files";
constexpr const char* FILTER_MAP_PATTERN = "*.map";
constexpr const char* FILTER_ALL_FILES = "All files";
constexpr const char* FILTER_ALL_PATTERN = "*.*";
constexpr const char* MAP_FILE_EXTENSION = "map";

// The texts of the size controls 1014 (width), 1015 (height) and 1016
// (levels).
struct map_size_texts {
    std::string width, height, levels;
};
// The sizes of the map in play, as the dialog opens with them.
map_size_texts Map_Size_Texts();
// The sizes taken from the controls, width 1..100, height 1..100, levels
// 1..5, in this order: the first one outside its range (or no number)
// shows the standard range message and gives false, with its place 0..2 in
// failed.
bool Take_Map_Size(const map_size_texts& texts, map_size& size, int* failed = nullptr);

// The buttons, each after the sizes were taken; true when the dialog
// closes. "Change Size" asks before a size that drops fields ("Are you
// sure?", "Possible data loss!") and resizes; the same size closes without
// a change. "New Map" asks ("Are you sure?", "All of the map data will be
// destroyed!") and makes the new map. "Load Map" loads the chosen file,
// keeping the editor's database. "Save Map" saves the database, then the
// map to the chosen file, and stops at the first that fails. A map that
// changed gets the editor's view of a new map (no placed object selected,
// its scroll limits and path arrays).
bool Prop_Change_Size(const map_size& size);
bool Prop_New_Map(const map_size& size);
bool Prop_Load_Map(const std::string& path);
bool Prop_Save_Map(const std::string& path);

// A file chosen to save into: without an extension it gets the map files'
// one.
std::string With_Map_Extension(const std::string& path);
// The map name a chosen file gives: its name without folder and extension.
std::string Map_File_Title(const std::string& path);
// The folder the file dialogs open in: ARTWORK\MAPS of the working folder.
std::string Map_Files_Folder();
