// Writes the seed corpus of fuzz_itemdat into the folder given: the item
// database artgen writes, and a short one, through the game's own writer.
#include <filesystem>
#include <vector>

#include "datafiles/ItemData.h"
#include "platform/PathResolver.h"
#include "tests/fuzz/SeedFolder.h"
#include "tools/artgen/folder/ItemDatabase.h"

int main(int argc, char** argv) {
    const auto seed_folder = Seed_Folder(argc, argv);
    if (!seed_folder) return 2;
    Set_Working_Folder(*seed_folder);
    const std::vector<item_type> types = art::Default_Item_Types();
    const std::vector<item_type> two(types.begin(), types.begin() + 2);
    return Write_Item_Data("seed0.dat", types) && Write_Item_Data("seed1.dat", two) ? 0 : 1;
}
