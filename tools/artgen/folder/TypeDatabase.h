// The type database of the default working folder: the five files
// "edit.edt", "item.dat", "fixitem.dat", "char.dat" and "mod.dat" with the
// artwork's item, fixitem and character types, the programs the types
// carry and the three data trees, their types in folders, each with its
// "Recycle Bin".
#pragma once
#include <filesystem>

namespace art {

// Replaces the database in memory (tables, pool, trees) with the default one.
void Build_Type_Database();

// Builds the database and writes its five files under root.
bool Write_Type_Database(const std::filesystem::path& root);

}  // namespace art
