#include "System/Palette.h"

#include <array>
#include <cerrno>
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
// file is missing or shorter (fault says which and why; short is set for a
// file that opened but holds fewer bytes).
bool Read_Start(const char* name, std::uint8_t* out, std::size_t size, file_fault& fault, bool& short_file) {
    short_file = false;
    std::optional<std::filesystem::path> path = Resolve_Readable_File(name, &fault);
    if (!path) return false;
    std::FILE* f = std::fopen(path->c_str(), "rb");
    if (f == nullptr) {
        fault = {path->string(), System_Reason(errno)};
        return false;
    }
    const std::size_t got = std::fread(out, 1, size, f);
    const bool failed = std::ferror(f) != 0;
    const int error = errno;
    std::fclose(f);
    if (got == size) return true;
    short_file = !failed;
    fault = {path->string(), failed ? System_Reason(error)
                                    : "too short: " + std::to_string(got) + " of " + std::to_string(size) + " bytes"};
    return false;
}

bool Load_Table(const char* name, palette_table& table) {
    palette_table bytes;
    file_fault fault;
    bool short_file = false;
    if (!Read_Start(name, bytes.data(), bytes.size(), fault, short_file)) {
        File_Error_Query_Quit(short_file ? "Palette table too short" : "cannot open file ...", fault);
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

LPDIRECTDRAWPALETTE DD_Load_Palette(LPDIRECTDRAW dd, const char* path, HWND window) {
    file_fault ignored;
    return DD_Load_Palette(dd, path, window, ignored);
}

LPDIRECTDRAWPALETTE DD_Load_Palette(LPDIRECTDRAW dd, const char* path, HWND, file_fault& fault) {
    fault = {path != nullptr ? path : "", "no palette bitmap named"};
    if (path == nullptr || dd == nullptr) return nullptr;
    std::uint8_t file[BMP_HEADERS + COLOUR_TABLE_BYTES];
    bool short_file = false;
    if (!Read_Start(path, file, sizeof(file), fault, short_file)) return nullptr;
    const std::uint32_t header_size = U32(file + 14);
    const unsigned bit_count = file[28] | (file[29] << 8);
    const std::uint32_t used = U32(file + 46);
    std::uint32_t n = 0;
    if (file[0] == 'B' && file[1] == 'M' && header_size == 40 && bit_count <= 8)
        n = used != 0 ? used : (1u << bit_count);
    if (n > 256) n = 256;
    if (n == 0) {
        fault.reason = "not a bitmap with a colour table";
        return nullptr;
    }
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
        DD_OK) {
        fault.reason = "the display refused its palette";
        return nullptr;
    }
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
