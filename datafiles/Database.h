// The type database in memory, shared by the editor and the game: the item
// types (item_types), the fixitem types with their names (fixitem_data,
// fixitem_data_ext), the character types (char_data), the modifier pool
// (mod_data) and the three data trees that organise them. Loaded from and
// saved to the five database files; kept in memory while the editor is
// closed.
#pragma once
#include <cstdint>

#include "datafiles/DataTree.h"
#include "datafiles/DatabaseFormat.h"

// The editor's data trees: item types (kind 3), fixitem types (kind 5) and
// character types (kind 2).
extern CDataTree item_data_tree;
extern CDataTree fixitem_data_tree;
extern CDataTree char_data_tree;

// 1 once the editor has a database: loaded from the files, put back from
// memory, or made empty when the files could not be read.
extern std::uint32_t database_in_memory;

// ---- The tables ----
// Free the table (both arrays for fixitems) and make room for n records;
// the count is 0 and left to the caller. Running out of memory is fatal.
void Alloc_Item_Types(std::uint32_t n);
void Alloc_Fixitem_Types(std::uint32_t n);
void Alloc_Char_Types(std::uint32_t n);
// Append one record and give its index: the table grows by 100 records
// when full, keeping every record when it cannot; a table at its index
// width or out of memory gives -1 (with "Can't realloc item data!" and its
// siblings through the consistency box). Defaults: an item type is 2 x 3
// cells of class "Other" without modifiers; fixitem and character types
// have no modifiers; everything else is zero.
std::int32_t New_Item_Type();
std::int32_t New_Fixitem_Type();
std::int32_t New_Char_Type();
// Marks the map's fixitem-type slots n..239 free (flag 0x40).
void Free_Map_Fixitem_Slots_From(std::uint32_t n);
// An empty database: every table keeps the records it has, item types 0
// and 1 built in, fixitem type 0 reserved, a pool of 100 whose record 0 is
// never handed out, and each tree only its "Recycle Bin".
void Init_Empty_Database();

// ---- Files ----
// Reads the five files and replaces the database with them only when every
// file is read and checked: "Database loaded"; otherwise the first fault's
// message and nothing changes.
void Load_Database();
// The five files of the database in memory, as Save_Database writes them.
DatabaseFiles Database_Files_Of_Tables();
// Reads a whole database from source and puts it in place of the one in
// memory; the report of the first fault otherwise, with nothing changed.
const char* Install_Database_From(const DatabaseSource& source);
// Writes the five files, each to a temporary beside it, renamed into place
// only when all five are complete: "Database saved"; otherwise the message
// of the file that failed and the old files stay whole. True when saved.
bool Save_Database();
// Reads mod.dat into mod_data, checked against the chains of the types in
// memory; false (with the message) when it cannot. The game's owner-modifier
// step calls it through its hook when no pool is loaded.
bool Load_Mod_Database();

// ---- The editor's entry points ----
// "Load Data" and "Save Data": empty the editor's field-object list first.
void Load_Data();
void Save_Data();
// The editor opens: the files are read at the first opening (an empty
// database when they cannot be), later openings put back the database the
// editor had.
void Open_Editor_Database();
// The editor closes (or starts a test play): its database is kept in
// memory in file format.
void Close_Editor_Database();
// A map load while the editor is open: the map loader reads item.dat
// again, so the editor's database is kept before and put back after.
// True when the map was loaded.
bool Load_Map_In_Editor(const char* file_name);
// Keeps the database in file format in memory; puts it back (false with
// the fault's message when the kept images do not read, or when none are
// kept).
void Keep_Database();
bool Put_Back_Database();

// ---- Rebuilding (nothing in the program calls these) ----
// Re-reads the map's fixitem-type slots and placed characters from
// fixitem.dat and char.dat by their database types.
void Refresh_Map_Types_From_Database();
// A database built from the loaded map: its first 24 characters (names not
// repeated), its fixitem-type slots as 55 types "fix%d", item type 1, an
// empty modifier pool.
void New_Database_From_Map();

// Frees every table, tree and kept image (tests, a new start).
void Reset_Database_State();
