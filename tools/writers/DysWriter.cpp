#include "tools/writers/DysWriter.h"

#include "tools/writers/FileWrite.h"

namespace {

constexpr int HEADER_SIZE = 30;
// The longest skip a run may carry: 255 ends a row and 254 at a row's start
// ends the frame.
constexpr int MAX_SKIP = 253;
constexpr int MAX_COUNT = 255;

std::uint32_t U32_At(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint32_t I16_At(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int16_t>(p[0] | (p[1] << 8))));
}

}  // namespace

std::uint32_t Dys_Checksum(const std::uint8_t* h) {
    return I16_At(h + 4) + U32_At(h + 6) + U32_At(h + 10) + U32_At(h + 14) + U32_At(h + 18) + I16_At(h + 22) +
           I16_At(h + 24);
}

std::vector<std::uint8_t> Encode_Dys_Runs(int width, int height, const std::uint8_t* pixels, std::uint8_t transparent) {
    std::vector<std::uint8_t> out;
    std::size_t end_of_last_ink = 0;  // out's size after the last row that had ink
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels + static_cast<std::size_t>(y) * width;
        bool ink = false;
        int x = 0, pen = 0;  // pen: where the last run ended
        while (x < width) {
            if (row[x] == transparent) {
                ++x;
                continue;
            }
            int gap = x - pen;
            while (gap > MAX_SKIP) {
                out.push_back(MAX_SKIP);
                out.push_back(0);
                gap -= MAX_SKIP;
            }
            int count = 0;
            while (x + count < width && row[x + count] != transparent && count < MAX_COUNT) ++count;
            out.push_back(static_cast<std::uint8_t>(gap));
            out.push_back(static_cast<std::uint8_t>(count));
            out.insert(out.end(), row + x, row + x + count);
            x += count;
            pen = x;
            ink = true;
        }
        out.push_back(DYS_END_OF_ROW);
        if (ink) end_of_last_ink = out.size();
    }
    out.resize(end_of_last_ink);
    out.push_back(DYS_END_OF_FRAME);
    return out;
}

std::vector<std::uint8_t> Encode_Dys(const DysImage& image) {
    std::vector<std::uint8_t> out = {'D', 'Y', 'S', ' '};
    Put_U16(out, static_cast<std::uint16_t>(image.value4));
    Put_U32(out, static_cast<std::uint32_t>(image.frames.size()));
    Put_U32(out, image.value10);
    Put_U32(out, image.width);
    Put_U32(out, image.height);
    Put_U16(out, static_cast<std::uint16_t>(image.x_origin));
    Put_U16(out, static_cast<std::uint16_t>(image.y_origin));
    Put_U32(out, 0);
    Set_U32(out, 26, Dys_Checksum(out.data()));
    static_assert(HEADER_SIZE == 30);
    for (const DysFrameImage& frame : image.frames) {
        if (frame.data.size() > 0xFFFF) return {};
        Put_U16(out, static_cast<std::uint16_t>(frame.x));
        Put_U16(out, static_cast<std::uint16_t>(frame.y));
        Put_U16(out, static_cast<unsigned>(frame.data.size()));
        out.insert(out.end(), frame.data.begin(), frame.data.end());
    }
    return out;
}

bool Write_Dys(const std::filesystem::path& path, const DysImage& image, file_fault* fault) {
    std::vector<std::uint8_t> bytes = Encode_Dys(image);
    if (bytes.empty()) {
        Set_Fault(fault, path.string(), "a frame's data is too long");
        return false;
    }
    return Write_File_Atomic(path, bytes, fault);
}
