// Fuzzes the map file reader. Every file it accepts must write back to
// bytes that read again to the same image, go into the world and come out
// of it unchanged, and let the light map be computed over it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "datafiles/FileReader.h"
#include "datafiles/LightMap.h"
#include "datafiles/MapImage.h"
#include "platform/headless/HeadlessBackend.h"

namespace {

bool Quiet() {
    // Consistency errors answer Cancel, so that no quit is ever started.
    Headless_Backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
    return true;
}

std::unique_ptr<MapImage> Read(const std::uint8_t* data, std::size_t size) {
    MemoryInput in(data, size);
    auto image = std::make_unique<MapImage>();
    if (!Read_Map_Image(in, size, *image)) return nullptr;
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = Quiet();
    (void)ready;
    Headless_Backend().boxes.clear();
    std::unique_ptr<MapImage> image = Read(data, size);
    if (!image) return 0;
    Clear_Run_Time_Handles(*image);
    const std::vector<std::uint8_t> bytes = Write_Map_Image(*image);
    std::unique_ptr<MapImage> again = Read(bytes.data(), bytes.size());
    if (!again || Write_Map_Image(*again) != bytes) std::abort();

    Install_Map_Image(*image);
    Compute_Light_Map();
    MapImage out;
    Capture_Map_Image(out);
    if (Write_Map_Image(out) != bytes) std::abort();
    return 0;
}
