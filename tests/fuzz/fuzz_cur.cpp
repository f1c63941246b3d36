// Fuzzes the cursor file reader: whatever it accepts has a consistent
// picture with the hot spot inside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/CursorFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<cursor_image> image = Parse_Cursor_File(data, size);
    if (!image) return 0;
    if (image->width < 1 || image->height < 1 || image->width > MAX_CURSOR_SIDE || image->height > MAX_CURSOR_SIDE ||
        image->argb.size() != static_cast<std::size_t>(image->width) * image->height || image->hot_x < 0 ||
        image->hot_y < 0 || image->hot_x >= image->width || image->hot_y >= image->height)
        std::abort();
    return 0;
}
