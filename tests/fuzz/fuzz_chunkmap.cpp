// Fuzzes the chunked map importer. Every file it accepts must go into the
// world, let the light map be computed over it, and leave a world that the
// map file holds whole: written as a map file, it reads back as a good map
// to the same bytes, as the map start-up's "Test.map" must.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "datafiles/FileReader.h"
#include "datafiles/LightMap.h"
#include "datafiles/MapConverter.h"
#include "datafiles/MapImage.h"
#include "platform/headless/HeadlessBackend.h"

namespace {

bool Quiet() {
    // Consistency errors answer Cancel, so that no quit is ever started.
    Headless_Backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = Quiet();
    (void)ready;
    Headless_Backend().boxes.clear();
    auto map = std::make_unique<ImportedMap>();
    {
        MemoryInput in(data, size);
        if (!Read_Chunk_Map(in, size, *map).empty()) return 0;
    }
    Install_Imported_Map(*map);
    Compute_Light_Map();
    if (light.size() != total_fields) std::abort();

    auto world = std::make_unique<MapImage>();
    Capture_Map_Image(*world);
    Clear_Run_Time_Handles(*world);
    if (!Check_Map_Image(*world).empty()) std::abort();
    const std::vector<std::uint8_t> bytes = Write_Map_Image(*world);
    MemoryInput in(bytes.data(), bytes.size());
    auto again = std::make_unique<MapImage>();
    if (!Read_Map_Image(in, bytes.size(), *again) || Write_Map_Image(*again) != bytes) std::abort();
    return 0;
}
