// Fuzzes the .FON loader: the bitmap strikes that AddFontResourceA takes
// from a font file's bytes (through FreeType), with every glyph copied into
// its strike.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/GdiInternal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Font_Strikes_In(std::vector<std::uint8_t>(data, data + size));
    return 0;
}
