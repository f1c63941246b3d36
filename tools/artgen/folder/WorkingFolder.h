// The game's whole working folder: every file the game reads, made by code.
// The artwork (ARTWORK\..., CURSOR\...), the type database ("edit.edt",
// "item.dat", "fixitem.dat", "char.dat", "mod.dat") and the first map
// "start.map" (also under ARTWORK\MAPS).
#pragma once
#include <filesystem>
#include <string>

namespace art {

// Writes the folder. A folder that does not exist yet is made whole beside
// it under another name and renamed into place only once every file was
// written, so a failed run leaves none behind; in a folder that exists
// every file is replaced in place and other files (saved maps) stay.
// False with a description in error when something could not be written.
bool Write_Working_Folder(const std::filesystem::path& dir, std::string& error);

// Every file of the folder into root, which exists.
bool Write_Working_Files(const std::filesystem::path& root, std::string& error);

}  // namespace art
