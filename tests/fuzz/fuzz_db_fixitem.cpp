// Fuzzes the reader of "fixitem.dat" as the database load reads it.
#include "tests/fuzz/DatabaseFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = Quiet_Database_Fuzzing();
    (void)quiet;
    Headless_Backend().boxes.clear();
    std::vector<fixitem_type> types, again;
    std::vector<fixitem_ext> names, again_names;
    if (!Parse_Image(data, size, [&](FileReader& in) {
            return Parse_Fixitem_File(in, ANY_COUNT, types, names) == RecordFileResult::OK;
        }))
        return 0;
    if (names.size() != types.size()) std::abort();
    for (fixitem_type& t : types) t.sprite = 0;  // the writer stores none
    Must_Read_Again(
        Fixitem_File_Bytes(types, names),
        [&](FileReader& in) {
            return Parse_Fixitem_File(in, static_cast<std::uint32_t>(types.size()), again, again_names) ==
                   RecordFileResult::OK;
        },
        [&] { return Fixitem_File_Bytes(again, again_names); });
    return 0;
}
