// The artwork's files in the game's formats, each where the game names it
// under a working folder: bitmap sprites as 8-bit BMP with their "FIX" block,
// run-length sprites as DYS files, the pages as plain 8-bit BMP, the cursors
// as .CUR, the palette bitmap with its remap tables, and the two font files.
// Every file is written through a temporary file and renamed into place.
#pragma once
#include <filesystem>
#include <vector>

#include "platform/FileFault.h"
#include "tools/artgen/Artwork.h"
#include "tools/writers/FonWriter.h"

namespace art {

// Each writes its files; false when one could not be written, and fault
// (when given and still empty) names the first such file and the system's
// reason.
bool Write_Bitmap_File(const std::filesystem::path& root, const BitmapSprite& s, file_fault* fault = nullptr);
bool Write_Dys_File(const std::filesystem::path& root, const DysSprite& s, file_fault* fault = nullptr);
bool Write_Page_File(const std::filesystem::path& root, const Page& page, file_fault* fault = nullptr);
bool Write_Cursor_File(const std::filesystem::path& root, const CursorPicture& c, file_fault* fault = nullptr);
// ARTWORK\PALETTES: PALETTE.BMP (the game palette as its colour table),
// PAL0.CNV and PAL0.SHD .. PAL3.SHD.
bool Write_Palette_Files(const std::filesystem::path& root, file_fault* fault = nullptr);
// The two font files the game adds, into system_folder (ARTWORK\SYSTEM):
// SMALLE.FON ("Small Font" 11) and SERIFE.FON ("MS Serif" 13 and 16 bold),
// rendered from the DejaVu faces (a face that cannot be rendered is the
// fault).
bool Write_Font_Files(const std::filesystem::path& system_folder, file_fault* fault = nullptr);
// Their three strikes, in that order.
bool Render_Font_Strikes(std::vector<FntStrike>& strikes, file_fault* fault = nullptr);

// Every file of the artwork above.
bool Write_Artwork_Files(const std::filesystem::path& root, const Artwork& a, file_fault* fault = nullptr);

// Sets fault to f unless it holds a fault already (or is none).
void Keep_First_Fault(file_fault* fault, const file_fault& f);

}  // namespace art
