#include "tools/writers/BmpWriter.h"

#include <cstring>

#include "tools/writers/FileWrite.h"

std::vector<std::uint8_t> Encode_Bmp8(const Bmp8& picture) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(picture.width) + 3) & ~3u;
    const std::uint32_t bits_offset = 14 + 40 + 256 * 4;
    const std::uint32_t image_size = stride * static_cast<std::uint32_t>(picture.height);
    std::vector<std::uint8_t> out;
    out.reserve(bits_offset + image_size);
    out.push_back('B');
    out.push_back('M');
    Put_U32(out, bits_offset + image_size);
    Put_U32(out, 0);
    Put_U32(out, bits_offset);
    Put_U32(out, 40);
    Put_U32(out, static_cast<std::uint32_t>(picture.width));
    Put_U32(out, static_cast<std::uint32_t>(picture.height));
    Put_U16(out, 1);
    Put_U16(out, 8);
    Put_U32(out, 0);  // BI_RGB
    Put_U32(out, image_size);
    Put_U32(out, 2835);
    Put_U32(out, 2835);
    Put_U32(out, 256);
    Put_U32(out, 0);
    for (const Rgb& c : picture.palette) {
        Put_U8(out, c.b);
        Put_U8(out, c.g);
        Put_U8(out, c.r);
        Put_U8(out, 0);
    }
    if (picture.fix) {
        const FixBlock& fix = *picture.fix;
        std::memcpy(out.data() + BMP_FIX_OFFSET, "FIX", 3);
        Set_U16(out, BMP_FIX_OFFSET + 3, static_cast<std::uint16_t>(fix.hot_x));
        Set_U16(out, BMP_FIX_OFFSET + 5, static_cast<std::uint16_t>(fix.hot_y));
        Set_U16(out, BMP_FIX_OFFSET + 7, static_cast<std::uint16_t>(fix.frames));
        Set_U16(out, BMP_FIX_OFFSET + 9, static_cast<std::uint16_t>(fix.second_count));
        Set_U16(out, BMP_FIX_OFFSET + 11, static_cast<std::uint16_t>(fix.layer));
    }
    for (int row = picture.height - 1; row >= 0; --row) {
        const std::uint8_t* src = picture.pixels.data() + static_cast<std::size_t>(row) * picture.width;
        out.insert(out.end(), src, src + picture.width);
        out.insert(out.end(), stride - picture.width, 0);
    }
    return out;
}

bool Write_Bmp8(const std::filesystem::path& path, const Bmp8& picture, file_fault* fault) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height) {
        Set_Fault(fault, path.string(), "not a whole picture");
        return false;
    }
    return Write_File_Atomic(path, Encode_Bmp8(picture), fault);
}
