#include "platform/CursorFile.h"

#include <algorithm>
#include <cstdlib>

#include "platform/PathResolver.h"
#include "platform/Window.h"

namespace {

constexpr std::size_t DIR_SIZE = 6;
constexpr std::size_t ENTRY_SIZE = 16;
constexpr std::uint16_t CURSOR_TYPE = 2;
constexpr std::uint32_t INFO_HEADER_SIZE = 40;
constexpr std::uint32_t BI_RGB = 0;
constexpr int PREFERRED_SIDE = 32;
constexpr std::uint64_t MAX_CURSOR_FILE = 1u << 20;

struct reader {
    const std::uint8_t* data;
    std::size_t size;
    bool Has(std::size_t at, std::size_t n) const { return at <= size && n <= size - at; }
    std::uint16_t U16(std::size_t at) const { return static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8)); }
    std::uint32_t U32(std::size_t at) const {
        return data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) | (static_cast<std::uint32_t>(data[at + 3]) << 24);
    }
};

struct dir_entry {
    int width, height;  // as the directory gives them (0 = 256)
    int hot_x, hot_y;
    std::size_t offset, length;
};

int Side(std::uint8_t v) { return v == 0 ? 256 : v; }

// The entry nearest 32 x 32; nothing when the directory is malformed.
std::optional<dir_entry> Pick_Entry(const reader& r) {
    if (!r.Has(0, DIR_SIZE) || r.U16(0) != 0 || r.U16(2) != CURSOR_TYPE) return std::nullopt;
    const std::uint16_t count = r.U16(4);
    if (count == 0 || !r.Has(DIR_SIZE, std::size_t{count} * ENTRY_SIZE)) return std::nullopt;
    std::optional<dir_entry> best;
    int best_distance = 0;
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::size_t at = DIR_SIZE + std::size_t{i} * ENTRY_SIZE;
        dir_entry e{Side(r.data[at]), Side(r.data[at + 1]), r.U16(at + 4),
                    r.U16(at + 6),    r.U32(at + 12),       r.U32(at + 8)};
        const int distance = std::abs(e.width - PREFERRED_SIDE) + std::abs(e.height - PREFERRED_SIDE);
        if (!best || distance < best_distance) {
            best = e;
            best_distance = distance;
        }
    }
    return best;
}

std::size_t Row_Bytes(std::int64_t width, int bits) { return static_cast<std::size_t>(((width * bits + 31) / 32) * 4); }

std::uint32_t Opaque(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return 0xFF000000u | (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
}

}  // namespace

std::optional<cursor_image> Parse_Cursor_File(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr) return std::nullopt;
    const reader file{data, size};
    const std::optional<dir_entry> entry = Pick_Entry(file);
    if (!entry || !file.Has(entry->offset, entry->length)) return std::nullopt;
    const reader img{data + entry->offset, entry->length};
    if (!img.Has(0, INFO_HEADER_SIZE)) return std::nullopt;
    const std::uint32_t header_size = img.U32(0);
    const std::int64_t width = static_cast<std::int32_t>(img.U32(4));
    const std::int64_t double_height = static_cast<std::int32_t>(img.U32(8));
    const int bits = img.U16(14);
    if (header_size < INFO_HEADER_SIZE || !img.Has(0, header_size) || img.U32(16) != BI_RGB) return std::nullopt;
    if (width < 1 || width > MAX_CURSOR_SIDE || double_height < 2 || double_height % 2 != 0 ||
        double_height / 2 > MAX_CURSOR_SIDE)
        return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
    const std::int64_t height = double_height / 2;

    std::size_t colours = 0;
    if (bits <= 8) {
        const std::uint32_t used = img.U32(32);
        const std::size_t full = std::size_t{1} << bits;
        colours = used == 0 || used > full ? full : used;
    }
    const std::size_t table_at = header_size;
    const std::size_t xor_at = table_at + colours * 4;
    const std::size_t xor_row = Row_Bytes(width, bits);
    const std::size_t and_at = xor_at + xor_row * static_cast<std::size_t>(height);
    const std::size_t and_row = Row_Bytes(width, 1);
    if (!img.Has(xor_at, xor_row * static_cast<std::size_t>(height)) ||
        !img.Has(and_at, and_row * static_cast<std::size_t>(height)))
        return std::nullopt;

    cursor_image out;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.hot_x = std::min(entry->hot_x, out.width - 1);
    out.hot_y = std::min(entry->hot_y, out.height - 1);
    out.argb.assign(static_cast<std::size_t>(width * height), 0);
    bool any_alpha = false;
    for (std::int64_t y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        const std::uint8_t* row = img.data + xor_at + xor_row * static_cast<std::size_t>(height - 1 - y);
        for (std::int64_t x = 0; x < width; ++x) {
            std::uint32_t pixel = 0;
            if (bits == 32) {
                const std::uint8_t* p = row + x * 4;
                pixel = (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
                any_alpha |= p[3] != 0;
            } else if (bits == 24) {
                const std::uint8_t* p = row + x * 3;
                pixel = Opaque(p[2], p[1], p[0]);
            } else {
                const int per_byte = 8 / bits;
                const int shift = 8 - bits * (1 + static_cast<int>(x % per_byte));
                const std::size_t index = (row[x / per_byte] >> shift) & ((1u << bits) - 1);
                // An index beyond the colour table draws black.
                pixel = Opaque(0, 0, 0);
                if (index < colours) {
                    const std::uint8_t* c = img.data + table_at + index * 4;
                    pixel = Opaque(c[2], c[1], c[0]);
                }
            }
            out.argb[static_cast<std::size_t>(y * width + x)] = pixel;
        }
    }
    // The AND mask makes pixels transparent, unless a 32-bit picture brings
    // its own alpha.
    if (bits == 32 && any_alpha) {
        for (std::uint32_t& p : out.argb)
            if ((p >> 24) == 0) p = 0;
        return out;
    }
    for (std::int64_t y = 0; y < height; ++y) {
        const std::uint8_t* mask = img.data + and_at + and_row * static_cast<std::size_t>(height - 1 - y);
        for (std::int64_t x = 0; x < width; ++x) {
            std::uint32_t& p = out.argb[static_cast<std::size_t>(y * width + x)];
            const bool transparent = (mask[x / 8] >> (7 - x % 8)) & 1;
            p = transparent ? 0 : (p | 0xFF000000u);
        }
    }
    return out;
}

HCURSOR LoadCursorFromFileA(const char* file_name) {
    if (file_name == nullptr) return nullptr;
    std::vector<std::uint8_t> file;
    if (!Read_Game_File(file_name, MAX_CURSOR_FILE, file)) return nullptr;
    const std::optional<cursor_image> image = Parse_Cursor_File(file.data(), file.size());
    if (!image) return nullptr;
    return Window_Backend().Create_Cursor(*image);
}
