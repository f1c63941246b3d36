#include "System/Dys.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "System/ErrorReport.h"
#include "System/Sprite.h"
#include "platform/PathResolver.h"

namespace {

constexpr std::size_t HEADER_SIZE = sizeof(CDysHeader);
constexpr std::size_t FRAME_HEAD_SIZE = 6;
// The least a frame takes: its head and the frame end.
constexpr std::size_t SMALLEST_FRAME = FRAME_HEAD_SIZE + 1;
constexpr std::uint64_t LARGEST_FILE = 256u << 20;

std::uint32_t Widen(std::int16_t v) { return static_cast<std::uint32_t>(static_cast<std::int32_t>(v)); }

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

// A refused file: the text the loader gives, and, for a file, its path and
// what is wrong with it on the line under it; nothing when quiet.
std::uint16_t Refuse(const char* text, const char* path, const std::string& reason, bool quiet) {
    if (quiet) return DYS_FAILED;
    if (path == nullptr)
        Error_Query_Quit(text);
    else
        File_Error_Query_Quit(text, {path, reason});
    return DYS_FAILED;
}

}  // namespace

std::uint32_t CDysHeader::Checksum() const {
    return Widen(value4) + frames + value10 + width + height + Widen(x_origin) + Widen(y_origin);
}

CDysFrame::~CDysFrame() { delete[] data; }

bool Valid_DYS_Runs(const std::uint8_t* data, std::size_t length) {
    std::size_t i = 0;
    for (;;) {
        if (i >= length) return false;
        if (data[i] == DYS_FRAME_END) return true;
        for (;;) {
            if (i >= length) return false;
            if (data[i++] == DYS_ROW_END) break;
            if (i >= length) return false;
            std::size_t count = data[i++];
            if (count > length - i) return false;
            i += count;
        }
    }
}

CDysFrame::ReadResult CDysFrame::Read(const std::uint8_t* file, std::size_t size, std::size_t& at) {
    if (at > size || size - at < FRAME_HEAD_SIZE) return ReadResult::Corrupt;
    x = static_cast<std::int16_t>(U16(file + at));
    y = static_cast<std::int16_t>(U16(file + at + 2));
    std::uint16_t n = U16(file + at + 4);
    at += FRAME_HEAD_SIZE;
    if (n > size - at || !Valid_DYS_Runs(file + at, n)) return ReadResult::Corrupt;
    delete[] data;
    data = new (std::nothrow) std::uint8_t[n];
    if (data == nullptr) return ReadResult::NoMemory;
    std::memcpy(data, file + at, n);
    length = n;
    at += n;
    return ReadResult::Ok;
}

namespace {

std::uint16_t Parse_Frames(const std::uint8_t* file, std::size_t size, CDysFrame** table, CDysHeader* header,
                           const char* path, bool quiet) {
    *table = nullptr;
    if (size < 6 || std::memcmp(file, "DYS ", 4) != 0)
        return Refuse("Not a DYS file!", path, "it does not begin with \"DYS \"", quiet);
    CDysHeader h;
    if (size < HEADER_SIZE) return Refuse("DYS file is corrupted", path, "its header is cut short", quiet);
    std::memcpy(&h, file, HEADER_SIZE);
    if (!h.Check()) return Refuse("DYS file is corrupted", path, "its header's checksum does not match", quiet);
    // The count must fit the 16-bit result (0xFFFF is the failure) and the file.
    const std::uint32_t count = h.frames;
    if (count >= DYS_FAILED || count > (size - HEADER_SIZE) / SMALLEST_FRAME)
        return Refuse("DYS file is corrupted", path, std::to_string(count) + " frames cannot fit in it", quiet);
    if (h.width > 0x7FFFFFFF || h.height > 0x7FFFFFFF)
        return Refuse("DYS file is corrupted", path, "its figure's size is out of range", quiet);
    CDysFrame* frames = nullptr;
    if (count > 0) {
        frames = new (std::nothrow) CDysFrame[count];
        if (frames == nullptr) return Refuse("Not enough memory!", path, "no memory for its frames", quiet);
    }
    std::size_t at = HEADER_SIZE;
    for (std::uint32_t i = 0; i < count; ++i) {
        CDysFrame::ReadResult r = frames[i].Read(file, size, at);
        if (r != CDysFrame::ReadResult::Ok) {
            delete[] frames;
            if (r == CDysFrame::ReadResult::NoMemory)
                return Refuse("Not enough memory!", path, "no memory for frame " + std::to_string(i), quiet);
            return Refuse("DYS file is corrupted", path, "frame " + std::to_string(i) + " is damaged or cut short",
                          quiet);
        }
    }
    *table = frames;
    if (header != nullptr) *header = h;
    return static_cast<std::uint16_t>(count);
}

std::uint16_t Read_Frames(const char* path, CDysFrame** table, CDysHeader* header, bool quiet) {
    *table = nullptr;
    std::vector<std::uint8_t> bytes;
    file_fault fault;
    if (!Read_Game_File(path != nullptr ? path : "", LARGEST_FILE, bytes, &fault)) {
        if (!quiet) File_Error_Query_Quit("cannot open file ...", fault);
        return DYS_FAILED;
    }
    const std::string found = Resolve_Path(path)->string();
    return Parse_Frames(bytes.data(), bytes.size(), table, header, found.c_str(), quiet);
}

// name + ".DYS" as a run-length sprite; on a fault without frames, or none
// when quiet.
sprite* Make_DYS_Sprite(const char* name, bool quiet) {
    auto* s = new (std::nothrow) sprite{};
    if (s == nullptr) {
        Fatal_Error("Not enough memory...", "");
        return nullptr;
    }
    s->kind = SPRITE_RUN_LENGTH;
    std::string path = std::string(name != nullptr ? name : "") + ".DYS";
    CDysFrame* table = nullptr;
    CDysHeader header;
    std::uint16_t count = Read_Frames(path.c_str(), &table, &header, quiet);
    if (count == DYS_FAILED) {
        if (!quiet) return s;
        delete s;
        return nullptr;
    }
    s->frames = count;
    s->frames_data = table;
    s->width = static_cast<std::int32_t>(header.width);
    s->height = static_cast<std::int32_t>(header.height);
    s->hot_x = -static_cast<std::int32_t>(header.x_origin);
    s->hot_y = -static_cast<std::int32_t>(header.y_origin);
    return s;
}

}  // namespace

std::uint16_t Parse_DYS(const std::uint8_t* file, std::size_t size, CDysFrame** table, CDysHeader* header,
                        const char* path) {
    return Parse_Frames(file, size, table, header, path, false);
}

std::uint16_t Read_DYS_File(const char* path, CDysFrame** table, CDysHeader* header) {
    return Read_Frames(path, table, header, false);
}

sprite* Load_DYS(const char* name) { return Make_DYS_Sprite(name, false); }

sprite* Try_Load_DYS(const char* name) { return Make_DYS_Sprite(name, true); }
