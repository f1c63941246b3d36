#include "tools/writers/PaletteWriter.h"

#include <vector>

#include "tools/writers/FileWrite.h"

bool Write_Palette_Table(const std::filesystem::path& path, const PaletteTable& table, file_fault* fault) {
    return Write_File_Atomic(path, std::vector<std::uint8_t>(table.begin(), table.end()), fault);
}

Bmp8 Palette_Bitmap(const std::array<Rgb, 256>& palette) {
    Bmp8 picture;
    picture.width = 16;
    picture.height = 16;
    picture.palette = palette;
    picture.pixels.resize(256);
    for (int i = 0; i < 256; ++i) picture.pixels[i] = static_cast<std::uint8_t>(i);
    return picture;
}
