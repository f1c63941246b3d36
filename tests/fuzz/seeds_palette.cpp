// Writes the seed corpus of fuzz_palette into the folder given: the palette
// bitmap and the remap and shade tables artgen writes, and a half-length
// table.
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/FileWrite.h"
#include "tests/fuzz/SeedFolder.h"
#include "tools/artgen/folder/ArtFiles.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const auto seed_folder = Seed_Folder(argc, argv);
    if (!seed_folder) return 2;
    const fs::path work = *seed_folder / "work";
    if (!art::Write_Palette_Files(work)) return 1;
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(work, ec))
        if (e.is_regular_file()) fs::copy_file(e.path(), *seed_folder / e.path().filename(), ec);
    fs::remove_all(work, ec);
    return Write_File_Atomic(*seed_folder / "half.shd", std::vector<std::uint8_t>(128, 3)) ? 0 : 1;
}
