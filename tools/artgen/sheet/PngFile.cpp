#include "tools/artgen/sheet/PngFile.h"

#include <png.h>

#include <cstdio>

namespace art {

bool Write_Png(const std::string& path, const RgbImage& img) {
    std::string tmp = path + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "artsheet: cannot write %s\n", tmp.c_str());
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        std::remove(tmp.c_str());
        std::fprintf(stderr, "artsheet: PNG error for %s\n", path.c_str());
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, img.width, img.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<size_t>(img.width) * 3);
    for (int y = 0; y < img.height; ++y) {
        for (int x = 0; x < img.width; ++x) {
            const Rgb& c = img.pixels[static_cast<size_t>(y) * img.width + x];
            row[x * 3] = c.r;
            row[x * 3 + 1] = c.g;
            row[x * 3 + 2] = c.b;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    bool ok = std::fclose(f) == 0 && std::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) std::fprintf(stderr, "artsheet: cannot write %s\n", path.c_str());
    return ok;
}

}  // namespace art
