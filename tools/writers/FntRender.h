// Bitmap font strikes rendered from a scalable (TrueType) face through
// FreeType: the characters 32 to 255 (Latin-1), monochrome, fitted into a
// cell of the given height.
#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "tools/writers/FonWriter.h"

std::optional<FntStrike> Render_Fnt_Strike(const std::filesystem::path& scalable_font, const std::string& face,
                                           int cell_height, int weight);

// The DejaVu faces of the fonts-dejavu-core package.
inline const std::filesystem::path dejavu_folder = "/usr/share/fonts/truetype/dejavu";
