// Writes the seed corpus of fuzz_fon into the folder given: the two font
// files of the default artwork, rendered from DejaVu by artgen's writer.
#include <filesystem>

#include "tests/fuzz/SeedFolder.h"
#include "tools/artgen/folder/ArtFiles.h"

int main(int argc, char** argv) {
    const auto seed_folder = Seed_Folder(argc, argv);
    if (!seed_folder) return 2;
    return art::Write_Font_Files(*seed_folder) ? 0 : 1;
}
