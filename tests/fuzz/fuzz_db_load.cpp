// Fuzzes the staged load of the five files (each after a u32 length): a
// database it refuses changes nothing in memory; one it takes is saved to
// files that load again to the same files, grows, and is kept in file
// format and put back.
#include "datafiles/Database.h"
#include "tests/fuzz/DatabaseFuzz.h"

namespace {

DatabaseInput Input_Of(const DatabaseFiles& files) {
    DatabaseInput input;
    for (int f = 0; f < DATABASE_FILES; ++f) input[f] = files[f];
    return input;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = Quiet_Database_Fuzzing();
    (void)quiet;
    Headless_Backend().boxes.clear();
    Reset_Database_State();
    if (Install_Database_From(MemoryDatabaseSource(Split_Database_Input(data, size))) != nullptr) {
        if (database_in_memory != 0 || !item_types.empty() || mod_data.Loaded()) std::abort();
        return 0;
    }
    const DatabaseFiles written = Database_Files_Of_Tables();
    Reset_Database_State();
    if (Install_Database_From(MemoryDatabaseSource(Input_Of(written))) != nullptr ||
        Database_Files_Of_Tables() != written)
        std::abort();

    // What the editor does with a database: new types, new modifiers, a
    // test play's keeping and putting back.
    New_Item_Type();
    New_Fixitem_Type();
    New_Char_Type();
    for (int k = 0; k < 120; ++k) Alloc_Mod();
    Keep_Database();
    if (!Put_Back_Database()) std::abort();
    Reset_Database_State();
    return 0;
}
