// The artwork's files in the game's formats, each where the game names it
// under a working folder: bitmap sprites as 8-bit BMP with their "FIX" block,
// run-length sprites as DYS files, the pages as plain 8-bit BMP, the cursors
// as .CUR, the palette bitmap with its remap tables, and the two font files.
// Every file is written through a temporary file and renamed into place.
#pragma once
#include <filesystem>

#include "tools/artgen/Artwork.h"

namespace art {

bool Write_Bitmap_File(const std::filesystem::path& root, const BitmapSprite& s);
bool Write_Dys_File(const std::filesystem::path& root, const DysSprite& s);
bool Write_Page_File(const std::filesystem::path& root, const Page& page);
bool Write_Cursor_File(const std::filesystem::path& root, const CursorPicture& c);
// ARTWORK\PALETTES: PALETTE.BMP (the game palette as its colour table),
// PAL0.CNV and PAL0.SHD .. PAL3.SHD.
bool Write_Palette_Files(const std::filesystem::path& root);
// The two font files the game adds, into system_folder (ARTWORK\SYSTEM):
// SMALLE.FON ("Small Font" 11) and SERIFE.FON ("MS Serif" 13 and 16 bold),
// rendered from the DejaVu faces.
bool Write_Font_Files(const std::filesystem::path& system_folder);

// Every file of the artwork above.
bool Write_Artwork_Files(const std::filesystem::path& root, const Artwork& a);

}  // namespace art
