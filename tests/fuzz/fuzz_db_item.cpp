// Fuzzes the reader of "item.dat" as the database load reads it.
#include "tests/fuzz/DatabaseFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = Quiet_Database_Fuzzing();
    (void)quiet;
    Headless_Backend().boxes.clear();
    std::vector<item_type> items, again;
    if (!Parse_Image(data, size,
                     [&](FileReader& in) { return Parse_Item_File(in, ANY_COUNT, items) == RecordFileResult::OK; }))
        return 0;
    if (items.capacity() < items.size() + TYPE_TABLE_STEP) std::abort();
    Must_Read_Again(
        Item_File_Bytes(items),
        [&](FileReader& in) {
            return Parse_Item_File(in, static_cast<std::uint32_t>(items.size()), again) == RecordFileResult::OK;
        },
        [&] { return Item_File_Bytes(again); });
    return 0;
}
