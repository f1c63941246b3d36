// Fuzzes the "item.dat" reader. Every file it accepts holds at most 65535
// types, and written back as the database writer writes it reads again to
// the same types.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "datafiles/FileReader.h"
#include "datafiles/ItemData.h"
#include "platform/FileWrite.h"

namespace {

bool Parse(const std::uint8_t* data, std::size_t size, std::vector<item_type>& types) {
    MemoryInput in(data, size);
    return Parse_Item_Data(in, size, types);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<item_type> types;
    if (!Parse(data, size, types)) return 0;
    if (types.size() > MAX_ITEM_TYPES) std::abort();
    std::vector<std::uint8_t> out;
    Put_Bytes(out, DATABASE_MAGIC, DATABASE_MAGIC_SIZE);
    Put_U32(out, sizeof(item_type));
    Put_U32(out, static_cast<std::uint32_t>(types.size()));
    Put_Bytes(out, types.data(), types.size() * sizeof(item_type));
    std::vector<item_type> again;
    if (!Parse(out.data(), out.size(), again) || again.size() != types.size() ||
        std::memcmp(again.data(), types.data(), types.size() * sizeof(item_type)) != 0)
        std::abort();
    return 0;
}
