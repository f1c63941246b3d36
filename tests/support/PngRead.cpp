#include "support/PngRead.h"

#include <png.h>

#include <cstdio>

namespace fixture {

bool Read_Png(const std::filesystem::path& path, png_picture& out) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_read_info(png, info);
    // Every picture as 8-bit RGB: colour tables expanded, alpha dropped.
    png_set_palette_to_rgb(png);
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_gray_to_rgb(png);
    png_read_update_info(png, info);
    const int width = static_cast<int>(png_get_image_width(png, info));
    const int height = static_cast<int>(png_get_image_height(png, info));
    std::vector<png_byte> row(png_get_rowbytes(png, info));
    out.width = width;
    out.height = height;
    out.rgb.assign(static_cast<std::size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        png_read_row(png, row.data(), nullptr);
        for (int x = 0; x < width; ++x)
            out.rgb[static_cast<std::size_t>(y) * width + x] =
                (static_cast<std::uint32_t>(row[x * 3]) << 16) | (row[x * 3 + 1] << 8) | row[x * 3 + 2];
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return true;
}

}  // namespace fixture
