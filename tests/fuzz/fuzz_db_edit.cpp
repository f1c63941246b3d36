// Fuzzes the reader of "edit.edt": a file it takes writes back to bytes
// that read again to the same bytes.
#include "tests/fuzz/DatabaseFuzz.h"

namespace {

std::vector<std::uint8_t> Bytes_Of(const DatabaseImage& m) {
    return Tree_File_Bytes(m.item_count, m.fixitem_count, m.char_count, m.item_tree, m.fixitem_tree, m.char_tree);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = Quiet_Database_Fuzzing();
    (void)quiet;
    Headless_Backend().boxes.clear();
    DatabaseImage image;
    if (!Parse_Image(data, size, [&](FileReader& in) { return Parse_Tree_File(in, image); })) return 0;
    DatabaseImage again;
    Must_Read_Again(
        Bytes_Of(image), [&](FileReader& in) { return Parse_Tree_File(in, again); }, [&] { return Bytes_Of(again); });
    return 0;
}
