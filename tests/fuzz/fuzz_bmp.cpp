// Fuzzes the bitmap loader: the BMP reader and the "FIX" block of bitmap
// sprites. A refusal always says why; whatever it accepts has every pixel
// row inside its pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "System/Sprite.h"
#include "platform/GdiInternal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> file(data, data + size);
    const fix_block fix = Parse_Fix_Block(data, size);
    const char* why = nullptr;
    HBITMAP bitmap = Bitmap_From_Bmp(file, &why);
    if (bitmap == nullptr) {
        if (why == nullptr) std::abort();  // a refusal always says why
        return 0;
    }
    if (why != nullptr || bitmap->width < 1 || bitmap->height < 1 || bitmap->pitch < bitmap->width ||
        bitmap->pixels.size() != static_cast<std::size_t>(bitmap->pitch) * bitmap->height)
        std::abort();
    if (fix.frames == 0) std::abort();  // a count of 0 means one frame
    delete bitmap;
    return 0;
}
