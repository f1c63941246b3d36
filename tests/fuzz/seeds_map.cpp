// Writes the seed corpus of fuzz_map into the folder given: map files of
// small worlds with something in every array, written by the game's own map
// writer, their arrays cut down to what the worlds use so that the fuzzer
// works on small files; and the generated "start.map" at its full size
// (fuzz_map.flags lets the fuzzer's inputs grow to it).
#include <filesystem>
#include <string>

#include "support/StoredWorld.h"
#include "support/WorldBuilder.h"
#include "tests/fuzz/MapSeeds.h"
#include "tests/fuzz/SeedFolder.h"
#include "tools/artgen/folder/StartMap.h"

using map_seeds::Write_Seed;

int main(int argc, char** argv) {
    const auto seed_folder = Seed_Folder(argc, argv);
    if (!seed_folder) return 2;
    const std::filesystem::path& folder = *seed_folder;
    fixture::Reset_World(1, 1);
    if (!Write_Seed(folder / "seed0.map")) return 1;
    const std::uint32_t sizes[][3] = {{4, 4, 1}, {7, 6, 2}, {9, 5, 3}};
    int n = 1;
    for (const auto& s : sizes) {
        fixture::Build_Stored_World(s[0], s[1], s[2]);
        if (!Write_Seed(folder / ("seed" + std::to_string(n++) + ".map"))) return 1;
    }
    art::Build_Start_Map();
    return Write_Seed(folder / "start.map", false) ? 0 : 1;
}
