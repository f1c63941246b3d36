#include "System/Palette.h"

#include <array>
#include <cstdio>
#include <string>

#include "System/ErrorReport.h"
#include "System/SurfaceLock.h"
#include "platform/PathResolver.h"

namespace {

constexpr std::size_t BMP_HEADERS = 14 + 40;
constexpr std::size_t COLOUR_TABLE_BYTES = 256 * 4;

constexpr palette_table Identity() {
    palette_table t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<std::uint8_t>(i);
    return t;
}

// Reads exactly size bytes from the start of a game file; false when the
// file is missing or shorter.
bool Read_Start(const char* name, std::uint8_t* out, std::size_t size) {
    std::optional<std::filesystem::path> path = Resolve_Path(name);
    if (!path) return false;
    std::FILE* f = std::fopen(path->c_str(), "rb");
    if (f == nullptr) return false;
    bool complete = std::fread(out, 1, size, f) == size;
    std::fclose(f);
    return complete;
}

bool Load_Table(const char* name, palette_table& table) {
    palette_table bytes;
    if (!Read_Start(name, bytes.data(), bytes.size())) {
        Error_Query_Quit("cannot open file ...");
        return false;
    }
    table = bytes;
    return true;
}

std::uint32_t U32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

// The remap draws plain colours until PAL0.CNV is read.
std::array<palette_table, REMAP_TABLE_COUNT> remap_tables = {Identity()};
std::array<palette_table, 4> shade_files = {};

LPDIRECTDRAWPALETTE DD_Load_Palette(LPDIRECTDRAW dd, const char* path, HWND) {
    if (path == nullptr || dd == nullptr) return nullptr;
    std::uint8_t file[BMP_HEADERS + COLOUR_TABLE_BYTES];
    if (!Read_Start(path, file, sizeof(file)) || file[0] != 'B' || file[1] != 'M') return nullptr;
    const std::uint32_t header_size = U32(file + 14);
    const unsigned bit_count = file[28] | (file[29] << 8);
    const std::uint32_t used = U32(file + 46);
    std::uint32_t n = 0;
    if (header_size == 40 && bit_count <= 8) n = used != 0 ? used : (1u << bit_count);
    if (n > 256) n = 256;
    if (n == 0) return nullptr;
    // The file stores blue, green, red. Entries past its colours stay black.
    // The display is 16-bit: there is no system palette whose static colours
    // would take the place of any of the file's.
    PALETTEENTRY entries[256] = {};
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::uint8_t* q = file + BMP_HEADERS + i * 4;
        entries[i] = {q[2], q[1], q[0], PC_NOCOLLAPSE};
    }
    LPDIRECTDRAWPALETTE palette = nullptr;
    if (DD_Error("CreatePalette", dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr)) !=
        DD_OK)
        return nullptr;
    return palette;
}

void Load_Palette_Tables() {
    Load_Table("ARTWORK\\PALETTES\\PAL0.CNV", remap_tables[0]);
    for (int i = 0; i < 4; ++i) {
        std::string name = "ARTWORK\\PALETTES\\PAL" + std::to_string(i) + ".SHD";
        Load_Table(name.c_str(), shade_files[i]);
    }
    Reset_Lock_State();
}
