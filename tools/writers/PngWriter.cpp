#include "tools/writers/PngWriter.h"

#include <png.h>

#include <cstdio>
#include <map>
#include <string>

bool Write_Png(const std::filesystem::path& target, int width, int height, const std::vector<Rgb>& pixels) {
    if (width < 1 || height < 1 || pixels.size() != static_cast<std::size_t>(width) * height) {
        std::fprintf(stderr, "png: bad picture for %s\n", target.c_str());
        return false;
    }
    const std::string path = target.string();
    std::string tmp = path + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "png: cannot write %s\n", tmp.c_str());
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        std::remove(tmp.c_str());
        std::fprintf(stderr, "png: PNG error for %s\n", path.c_str());
        return false;
    }
    png_init_io(png, f);
    // A picture of at most 256 colours is written with a colour table, which
    // keeps contact sheets small.
    std::map<uint32_t, int> table;
    for (const Rgb& c : pixels) {
        table.emplace((c.r << 16) | (c.g << 8) | c.b, 0);
        if (table.size() > 256) break;
    }
    bool indexed = table.size() <= 256;
    std::vector<png_color> plte;
    if (indexed)
        for (auto& [rgb, index] : table) {
            index = static_cast<int>(plte.size());
            plte.push_back(
                {static_cast<png_byte>(rgb >> 16), static_cast<png_byte>(rgb >> 8), static_cast<png_byte>(rgb)});
        }
    png_set_IHDR(png, info, width, height, 8, indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (indexed) png_set_PLTE(png, info, plte.data(), static_cast<int>(plte.size()));
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb& c = pixels[static_cast<std::size_t>(y) * width + x];
            if (indexed) {
                row[x] = static_cast<png_byte>(table[(c.r << 16) | (c.g << 8) | c.b]);
            } else {
                row[x * 3] = c.r;
                row[x * 3 + 1] = c.g;
                row[x * 3 + 2] = c.b;
            }
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    bool ok = std::fclose(f) == 0 && std::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) std::fprintf(stderr, "png: cannot write %s\n", path.c_str());
    return ok;
}
