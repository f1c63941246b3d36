// Writes the seed corpus of fuzz_db_load: the five files of the default and
// of a small database, each after its length, and the small one without
// its mod.dat.
#include "tests/fuzz/DatabaseSeeds.h"

int main(int argc, char** argv) {
    return Write_Database_Seeds(argc, argv, [](const DatabaseInput& files) {
        DatabaseInput without_pool = files;
        without_pool[DB_MOD_FILE].reset();
        return std::vector<SeedBytes>{Join_Database_Input(files), Join_Database_Input(without_pool)};
    });
}
