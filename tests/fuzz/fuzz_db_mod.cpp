// Fuzzes the reader of "mod.dat" with its pool checks: a pool it takes
// writes back to the same bytes, and hands out and takes back records for
// as long as it can grow without ever leaving its records.
#include "Objects/Modifiers.h"
#include "tests/fuzz/DatabaseFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = Quiet_Database_Fuzzing();
    (void)quiet;
    Headless_Backend().boxes.clear();
    std::vector<modifier> pool;
    std::uint32_t head = 0;
    if (!Parse_Image(data, size,
                     [&](FileReader& in) { return Parse_Mod_File(in, pool, head) && Check_Mod_Pool(pool, head, {}); }))
        return 0;
    std::vector<modifier> again;
    std::uint32_t again_head = 0;
    Must_Read_Again(
        Mod_File_Bytes(pool, head), [&](FileReader& in) { return Parse_Mod_File(in, again, again_head); },
        [&] { return Mod_File_Bytes(again, again_head); });

    mod_data.records = std::move(pool);
    mod_data.first_free = head;
    std::vector<std::int32_t> taken;
    for (int k = 0; k < 300; ++k) {
        const std::int32_t r = Alloc_Mod();
        if (r <= 0 && r != -1) std::abort();
        if (r > 0) taken.push_back(r);
    }
    for (std::int32_t r : taken) Free_Mod(static_cast<std::uint32_t>(r));
    if (!Check_Mod_Pool(mod_data.records, mod_data.first_free, {})) std::abort();
    Free_Mod_Pool();
    return 0;
}
