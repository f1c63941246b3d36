// Fuzzes the resize's carrying over of a map: three bytes say how much to
// grow each size, the rest is a map file. Every map the reader accepts,
// grown so, must still pass the loader's checks, and so must the map shrunk
// back to its own size (the fields it gained are empty).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "datafiles/FileReader.h"
#include "datafiles/MapImage.h"
#include "editor/MapResize.h"
#include "platform/headless/HeadlessBackend.h"

namespace {

constexpr std::size_t SIZE_BYTES = 3;

bool Quiet() {
    // Consistency errors answer Cancel, so that no quit is ever started.
    Headless_Backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
    return true;
}

// The size grown by the step bytes, at most the largest map.
map_size Grown(const map_size& from, const std::uint8_t* steps) {
    const auto grow = [](std::uint32_t n, std::uint8_t step, std::uint32_t most) { return n + step % (most - n + 1); };
    return {grow(from.width, steps[0], MAX_MAP_SIDE), grow(from.height, steps[1], MAX_MAP_SIDE),
            grow(from.levels, steps[2], MAX_MAP_LEVELS)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = Quiet();
    (void)ready;
    if (size < SIZE_BYTES) return 0;
    MemoryInput in(data + SIZE_BYTES, size - SIZE_BYTES);
    auto image = std::make_unique<MapImage>();
    if (!Read_Map_Image(in, size - SIZE_BYTES, *image)) return 0;
    const map_size from{image->width, image->height, image->levels};
    const map_size to = Grown(from, data);
    // A map whose records could not take the growth is refused before this.
    if (image->map_records.size() + to.Fields() - from.Fields() > RECORD_ARRAY_LIMIT) return 0;
    Remap_Map_Image(*image, to);
    if (!Check_Map_Image(*image).empty()) std::abort();
    Remap_Map_Image(*image, from);
    if (!Check_Map_Image(*image).empty()) std::abort();
    return 0;
}
