// The palette and the palette tables: the palette bitmap's colours as a
// DirectDraw palette, the colour remap of the run-length sprites and the
// four shade files.
#pragma once
#include <array>
#include <cstdint>

#include "platform/DDraw.h"
#include "platform/FileFault.h"

// The remap tables a run-length sprite's palette argument selects: table 0
// is PAL0.CNV, the only one. A remap beyond them draws without remapping.
constexpr int REMAP_TABLE_COUNT = 1;
using palette_table = std::array<std::uint8_t, 256>;
extern std::array<palette_table, REMAP_TABLE_COUNT> remap_tables;
// PAL0.SHD to PAL3.SHD, loaded in that order; nothing reads them.
extern std::array<palette_table, 4> shade_files;

// The palette of an 8-bit bitmap file's colour table, or none when there is
// no path, the file cannot be read or it has no colour table.
LPDIRECTDRAWPALETTE DD_Load_Palette(LPDIRECTDRAW dd, const char* path, HWND window);
// The same, telling in fault why there is none.
LPDIRECTDRAWPALETTE DD_Load_Palette(LPDIRECTDRAW dd, const char* path, HWND window, file_fault& fault);

// Reads PAL0.CNV and the four shade files and resets the lock state. A file
// that cannot be read ("cannot open file ...") or holds fewer than 256 bytes
// ("Palette table too short") is reported with its path and the reason, and
// its table left as it was: the remap starts as "every index to itself".
void Load_Palette_Tables();
