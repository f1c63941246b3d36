// Writes the seed corpus of fuzz_chunkmap into the folder given: chunked
// map files written by the format's writer from small worlds with
// something in every chunk, the arena artgen writes, and a map of floors
// alone.
#include <cstdio>
#include <filesystem>
#include <string>

#include "Objects/Char/CharSlots.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "datafiles/MapImage.h"
#include "support/WorldBuilder.h"
#include "tests/fuzz/SeedFolder.h"
#include "tools/artgen/folder/ArenaMap.h"
#include "tools/writers/ChunkMapWriter.h"

namespace {

using namespace fixture;

bool Write_Seed(const std::filesystem::path& file) {
    MapImage image;
    Capture_Map_Image(image);
    Clear_Run_Time_Handles(image);
    if (!Write_Chunk_Map(file, Chunks_Of_Image(image, item_types))) {
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
        return false;
    }
    return true;
}

// Fixitems stacked on a field, items on it and in a slot, two characters
// and a modifier on each kind of owner.
void Build_Small_World(std::uint32_t width, std::uint32_t height, std::uint32_t levels) {
    Reset_World(width, height, levels);
    Set_Fixitem_Type(1, LAYER_FLOOR);
    Set_Fixitem_Type(2, LAYER_WALL);
    for (std::uint32_t f = 0; f < total_fields; ++f) maparray.records[f].type = 1;
    const std::uint16_t wall = Place_Fixitem(1, 2);
    Place_Fixitem(1, 2);
    const std::uint16_t sword = Add_Item_Type("Sword", CLASS_SWORD, 5);
    const std::uint16_t item = Place_Item(1, sword);
    const std::uint16_t c = Place_Char(2, "Ann");
    Place_Char(static_cast<std::uint16_t>(total_fields - 1), "Bob", 4);
    Give_Item(c, sword, SLOT_RIGHT_HAND);
    Add_Modifier(0, Fix_Ref(0), MK_DUMB, 1, 0, 0, 0);
    Add_Modifier(0, Fix_Ref(wall), MK_DUMB, 2, 0, 0, 0);
    Add_Modifier(0, Item_Ref(item), MK_DUMB, 3, 0, 0, 0);
    Add_Modifier(0, Char_Ref(c), MK_DUMB, 4, 0, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    const auto seed_folder = Seed_Folder(argc, argv);
    if (!seed_folder) return 2;
    const std::filesystem::path& folder = *seed_folder;
    Reset_World(2, 2);
    if (!Write_Seed(folder / "floors.bin")) return 1;
    const std::uint32_t sizes[][3] = {{3, 3, 1}, {5, 4, 2}};
    int n = 0;
    for (const auto& s : sizes) {
        Build_Small_World(s[0], s[1], s[2]);
        if (!Write_Seed(folder / ("world" + std::to_string(n++) + ".bin"))) return 1;
    }
    if (!art::Build_Arena_Map() || !Write_Seed(folder / "arena.bin")) return 1;
    return 0;
}
