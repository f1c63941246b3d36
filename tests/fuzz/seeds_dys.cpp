// Writes the seed corpus of fuzz_dys into the folder given: DYS files made
// by the project's own writer.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/fuzz/SeedFolder.h"
#include "tools/writers/DysWriter.h"

namespace {

std::vector<std::uint8_t> Picture(int w, int h, int seed) {
    std::vector<std::uint8_t> p(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p[y * w + x] = (x * y + seed) % 5 == 0 ? 0 : static_cast<std::uint8_t>((x + 3 * y + seed) % 250 + 1);
    return p;
}

DysImage Image(int frames, int w, int h) {
    DysImage image;
    image.width = static_cast<std::uint32_t>(w);
    image.height = static_cast<std::uint32_t>(h);
    image.x_origin = static_cast<std::int16_t>(-w / 2);
    image.y_origin = static_cast<std::int16_t>(-h);
    for (int f = 0; f < frames; ++f)
        image.frames.push_back({static_cast<std::int16_t>(-w / 2), static_cast<std::int16_t>(-h),
                                Encode_Dys_Runs(w, h, Picture(w, h, f).data(), 0)});
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    const auto seed_folder = Seed_Folder(argc, argv);
    if (!seed_folder) return 2;
    const std::filesystem::path& folder = *seed_folder;
    const std::vector<DysImage> seeds = {Image(1, 4, 4), Image(3, 20, 12), Image(6, 64, 96), Image(1, 300, 2),
                                         Image(0, 0, 0)};
    int n = 0;
    for (const DysImage& image : seeds)
        if (!Write_Dys(folder / ("seed" + std::to_string(n++) + ".dys"), image)) return 1;
    return 0;
}
