// Writes the seed corpus of fuzz_bmp into the folder given: the default
// artwork's bitmap sprites (with their "FIX" blocks) and a page, small ones
// first, written by the project's own BMP writer.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/fuzz/SeedFolder.h"
#include "tools/artgen/Artwork.h"
#include "tools/artgen/SystemSprites.h"
#include "tools/artgen/folder/ArtFiles.h"

int main(int argc, char** argv) {
    const auto seed_folder = Seed_Folder(argc, argv);
    if (!seed_folder) return 2;
    const std::filesystem::path& folder = *seed_folder;
    std::vector<art::BitmapSprite> sprites = art::System_Bitmaps();
    std::sort(sprites.begin(), sprites.end(), [](const art::BitmapSprite& a, const art::BitmapSprite& b) {
        return a.image.pixels.size() < b.image.pixels.size();
    });
    sprites.resize(std::min<std::size_t>(sprites.size(), 8));
    int n = 0;
    for (art::BitmapSprite& s : sprites) {
        s.path = "seed" + std::to_string(n++);
        if (!art::Write_Bitmap_File(folder, s)) return 1;
    }
    const art::Page page{"seed-page.bmp", art::IndexedImage(64, 48, 20)};
    return art::Write_Page_File(folder, page) ? 0 : 1;
}
