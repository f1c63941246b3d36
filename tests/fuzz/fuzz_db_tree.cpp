// Fuzzes the tree stream reader: a stream it takes writes back to a stream
// that reads again to the same tree and the same bytes.
#include "datafiles/DataTree.h"
#include "tests/fuzz/DatabaseFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CDataTree tree(3);
    if (!Parse_Image(data, size, [&](FileReader& in) { return tree.Load_Tree(in); })) return 0;
    std::vector<std::uint8_t> stream;
    tree.Save_Tree(stream);
    CDataTree again(3);
    Must_Read_Again(
        stream, [&](FileReader& in) { return again.Load_Tree(in) && in.Remaining() == 0; },
        [&] {
            std::vector<std::uint8_t> out;
            again.Save_Tree(out);
            return out;
        });
    if (again.Count() != tree.Count()) std::abort();
    again.Find_Recycle_Bin();
    if (!again.Valid(again.Recycle_Bin())) std::abort();
    return 0;
}
