#include "tools/writers/CurWriter.h"

#include "tools/writers/FileWrite.h"

namespace {

constexpr std::uint32_t INFO_HEADER_SIZE = 40;
constexpr std::size_t DIR_SIZE = 6 + 16;
constexpr int MAX_SIDE = 256;

std::size_t Row_Bytes(int width, int bits) { return static_cast<std::size_t>(((width * bits + 31) / 32) * 4); }

}  // namespace

std::vector<std::uint8_t> Encode_Cur(const CurPicture& p, int bits) {
    if (p.width < 1 || p.height < 1 || p.width > MAX_SIDE || p.height > MAX_SIDE) return {};
    if (p.pixels.size() != static_cast<std::size_t>(p.width) * p.height) return {};
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return {};
    const int colours = bits <= 8 ? 1 << bits : 0;
    for (std::uint8_t index : p.pixels)
        if (bits <= 8 && index >= colours) return {};

    const std::size_t colour_row = Row_Bytes(p.width, bits);
    const std::size_t mask_row = Row_Bytes(p.width, 1);
    const std::size_t image_size =
        INFO_HEADER_SIZE + static_cast<std::size_t>(colours) * 4 + (colour_row + mask_row) * p.height;

    std::vector<std::uint8_t> out;
    Put_U16(out, 0);
    Put_U16(out, 2);  // a cursor
    Put_U16(out, 1);
    Put_U8(out, p.width == MAX_SIDE ? 0 : p.width);
    Put_U8(out, p.height == MAX_SIDE ? 0 : p.height);
    Put_U8(out, colours >= 256 ? 0 : colours);
    Put_U8(out, 0);
    Put_U16(out, static_cast<unsigned>(p.hot_x));
    Put_U16(out, static_cast<unsigned>(p.hot_y));
    Put_U32(out, static_cast<std::uint32_t>(image_size));
    Put_U32(out, static_cast<std::uint32_t>(DIR_SIZE));

    Put_U32(out, INFO_HEADER_SIZE);
    Put_U32(out, static_cast<std::uint32_t>(p.width));
    Put_U32(out, static_cast<std::uint32_t>(p.height * 2));
    Put_U16(out, 1);
    Put_U16(out, static_cast<unsigned>(bits));
    for (int i = 0; i < 6; ++i) Put_U32(out, 0);  // uncompressed; sizes and colour counts left to the reader
    for (int i = 0; i < colours; ++i) {
        Put_U8(out, p.palette[i].b);
        Put_U8(out, p.palette[i].g);
        Put_U8(out, p.palette[i].r);
        Put_U8(out, 0);
    }
    auto transparent = [&](int x, int y) {
        return p.pixels[static_cast<std::size_t>(y) * p.width + x] == p.transparent;
    };
    for (int y = p.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(colour_row, 0);
        for (int x = 0; x < p.width; ++x) {
            const std::uint8_t index = p.pixels[static_cast<std::size_t>(y) * p.width + x];
            const Rgb& c = p.palette[index];
            if (bits <= 8) {
                const int bit = x * bits;
                row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bits - bit % 8));
            } else {
                std::uint8_t* px = row.data() + x * (bits / 8);
                px[0] = c.b;
                px[1] = c.g;
                px[2] = c.r;
                if (bits == 32) px[3] = transparent(x, y) ? 0 : 255;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = p.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(mask_row, 0);
        for (int x = 0; x < p.width; ++x)
            if (transparent(x, y)) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool Write_Cur(const std::filesystem::path& path, const CurPicture& picture, int bits, file_fault* fault) {
    const std::vector<std::uint8_t> bytes = Encode_Cur(picture, bits);
    if (bytes.empty()) {
        Set_Fault(fault, path.string(), "not a cursor picture");
        return false;
    }
    return Write_File_Atomic(path, bytes, fault);
}
