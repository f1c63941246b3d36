// Writes the seed corpus of fuzz_resize into the folder given: the small
// worlds of the map seeds, each after three bytes of sizes to grow to.
#include <filesystem>
#include <string>
#include <vector>

#include "support/StoredWorld.h"
#include "tests/fuzz/MapSeeds.h"
#include "tests/fuzz/SeedFolder.h"

int main(int argc, char** argv) {
    const auto seed_folder = Seed_Folder(argc, argv);
    if (!seed_folder) return 2;
    const std::uint32_t sizes[][3] = {{4, 4, 1}, {7, 6, 2}, {9, 5, 3}};
    const std::vector<std::uint8_t> growths[] = {{0, 0, 0}, {3, 1, 1}, {96, 95, 4}};
    int n = 0;
    for (const auto& s : sizes) {
        fixture::Build_Stored_World(s[0], s[1], s[2]);
        for (const auto& growth : growths)
            if (!map_seeds::Write_Seed(*seed_folder / ("seed" + std::to_string(n++) + ".bin"), true, growth)) return 1;
    }
    return 0;
}
