#include "tools/writers/PngWriter.h"

#include <png.h>

#include <cstdio>
#include <map>
#include <string>

#include "tools/writers/FileWrite.h"

namespace {

void Append_Bytes(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

void No_Flush(png_structp) {}

}  // namespace

bool Write_Png(const std::filesystem::path& target, int width, int height, const std::vector<Rgb>& pixels,
               file_fault* fault) {
    if (width < 1 || height < 1 || pixels.size() != static_cast<std::size_t>(width) * height) {
        Set_Fault(fault, target.string(), "not a whole picture");
        std::fprintf(stderr, "png: bad picture for %s\n", target.c_str());
        return false;
    }
    std::vector<std::uint8_t> bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        Set_Fault(fault, target.string(), "the PNG encoder failed");
        std::fprintf(stderr, "png: PNG error for %s\n", target.c_str());
        return false;
    }
    png_set_write_fn(png, &bytes, &Append_Bytes, &No_Flush);
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
    file_fault failed;
    if (Write_File_Atomic(target, bytes, &failed)) return true;
    std::fprintf(stderr, "png: cannot write %s\n", failed.Text().c_str());
    if (fault != nullptr) *fault = failed;
    return false;
}
