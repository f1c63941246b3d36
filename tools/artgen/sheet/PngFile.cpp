#include "tools/artgen/sheet/PngFile.h"

#include "tools/writers/PngWriter.h"

namespace art {

bool Write_Png(const std::string& path, const RgbImage& img) {
    std::vector<::Rgb> pixels;
    pixels.reserve(img.pixels.size());
    for (const Rgb& c : img.pixels) pixels.push_back({c.r, c.g, c.b});
    return ::Write_Png(path, img.width, img.height, pixels);
}

}  // namespace art
