// Writes the seed corpus of fuzz_db_tree: each tree stream of the default
// and of a small database.
#include "tests/fuzz/DatabaseSeeds.h"

int main(int argc, char** argv) {
    return Write_Database_Seeds(argc, argv, [](const DatabaseInput& files) {
        DatabaseImage image;
        const SeedBytes& edit = *files[DB_TREE_FILE];
        Parse_Image(edit.data(), edit.size(), [&](FileReader& in) { return Parse_Tree_File(in, image); });
        std::vector<SeedBytes> seeds(3);
        image.item_tree.Save_Tree(seeds[0]);
        image.fixitem_tree.Save_Tree(seeds[1]);
        image.char_tree.Save_Tree(seeds[2]);
        return seeds;
    });
}
