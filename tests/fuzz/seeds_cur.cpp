// Writes the seed corpus of fuzz_cur into the folder given: cursor files of
// every colour depth made by the project's own writer.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/fuzz/SeedFolder.h"
#include "tools/writers/CurWriter.h"

int main(int argc, char** argv) {
    const auto seed_folder = Seed_Folder(argc, argv);
    if (!seed_folder) return 2;
    const std::filesystem::path& folder = *seed_folder;
    int n = 0;
    for (int side : {1, 7, 32}) {
        CurPicture p;
        p.width = p.height = side;
        p.hot_x = p.hot_y = side / 2;
        p.pixels.resize(static_cast<std::size_t>(side) * side);
        for (std::size_t i = 0; i < p.pixels.size(); ++i) p.pixels[i] = static_cast<std::uint8_t>(i % 2);
        for (int i = 0; i < 256; ++i)
            p.palette[i] = {static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i)};
        p.transparent = 1;
        for (int bits : {1, 4, 8, 24, 32})
            if (!Write_Cur(folder / ("seed" + std::to_string(n++) + ".cur"), p, bits)) return 1;
    }
    return 0;
}
