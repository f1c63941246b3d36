// Fuzzes the reader of "char.dat" as the database load reads it.
#include "tests/fuzz/DatabaseFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = Quiet_Database_Fuzzing();
    (void)quiet;
    Headless_Backend().boxes.clear();
    std::vector<char_record> chars, again;
    if (!Parse_Image(data, size,
                     [&](FileReader& in) { return Parse_Char_File(in, ANY_COUNT, chars) == RecordFileResult::OK; }))
        return 0;
    Must_Read_Again(
        Char_File_Bytes(chars),
        [&](FileReader& in) {
            return Parse_Char_File(in, static_cast<std::uint32_t>(chars.size()), again) == RecordFileResult::OK;
        },
        [&] { return Char_File_Bytes(again); });
    return 0;
}
