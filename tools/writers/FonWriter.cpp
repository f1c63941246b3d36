#include "tools/writers/FonWriter.h"

#include <algorithm>
#include <cstring>

#include "tools/writers/FileWrite.h"

namespace {

constexpr std::size_t FNT_HEADER_SIZE = 118;
constexpr std::size_t FNT_ENTRY_SIZE = 4;  // version 2.0: width, offset
constexpr unsigned RESOURCE_FONT_DIR = 0x8007;
constexpr unsigned RESOURCE_FONT = 0x8008;
constexpr unsigned ALIGN_SHIFT = 4;  // resources start on 16-byte boundaries
constexpr std::size_t NE_HEADER_AT = 64;
constexpr std::size_t NE_HEADER_SIZE = 64;

void Align(std::vector<std::uint8_t>& out) {
    std::size_t unit = std::size_t{1} << ALIGN_SHIFT;
    while (out.size() % unit != 0) out.push_back(0);
}

}  // namespace

std::vector<std::uint8_t> Encode_Fnt(const FntStrike& s) {
    if (s.glyphs.empty() || s.pixel_height <= 0 || s.pixel_height > 255) return {};
    const std::size_t count = s.glyphs.size();
    if (s.first_char + count - 1 > 255) return {};
    const unsigned last_char = static_cast<unsigned>(s.first_char + count - 1);
    int max_width = 0, total_width = 0;
    for (const FntGlyph& g : s.glyphs) {
        if (g.width < 0 || g.ink.size() != static_cast<std::size_t>(g.width) * s.pixel_height) return {};
        max_width = std::max(max_width, g.width);
        total_width += g.width;
    }

    // Header, character table (one entry more than there are characters),
    // face name, then the glyphs column by column: every 8-pixel-wide
    // column, all its rows, then the next.
    const std::size_t table_at = FNT_HEADER_SIZE;
    const std::size_t face_at = table_at + (count + 1) * FNT_ENTRY_SIZE;
    const std::size_t bits_at = face_at + s.face.size() + 1;
    std::size_t total = bits_at;
    for (const FntGlyph& g : s.glyphs) total += static_cast<std::size_t>((g.width + 7) / 8) * s.pixel_height;
    if (total > 0xFFFF) return {};
    std::vector<std::uint8_t> out(total, 0);
    std::copy(s.face.begin(), s.face.end(), out.begin() + static_cast<std::ptrdiff_t>(face_at));
    std::size_t at = bits_at;
    for (std::size_t i = 0; i <= count; ++i) {
        const int width = i < count ? s.glyphs[i].width : 0;
        Set_U16(out, table_at + i * FNT_ENTRY_SIZE, static_cast<unsigned>(width));
        Set_U16(out, table_at + i * FNT_ENTRY_SIZE + 2, static_cast<unsigned>(at));
        if (i == count) break;
        const FntGlyph& g = s.glyphs[i];
        for (int column = 0; column < (g.width + 7) / 8; ++column) {
            for (int row = 0; row < s.pixel_height; ++row) {
                std::uint8_t byte = 0;
                for (int bit = 0; bit < 8; ++bit) {
                    int x = column * 8 + bit;
                    if (x < g.width && g.ink[static_cast<std::size_t>(row) * g.width + x])
                        byte |= static_cast<std::uint8_t>(0x80 >> bit);
                }
                out[at++] = byte;
            }
        }
    }
    Set_U16(out, 0, 0x0200);
    Set_U32(out, 2, static_cast<std::uint32_t>(out.size()));
    const char copyright[] = "Orvex bitmap font";
    std::memcpy(out.data() + 6, copyright, sizeof(copyright) - 1);
    Set_U16(out, 66, 0);  // raster
    Set_U16(out, 68, static_cast<unsigned>(s.point_size));
    Set_U16(out, 70, 96);
    Set_U16(out, 72, 96);
    Set_U16(out, 74, static_cast<unsigned>(s.ascent));
    Set_U16(out, 76, static_cast<unsigned>(s.internal_leading));
    Set_U16(out, 78, 0);
    out[80] = s.italic ? 1 : 0;
    out[81] = 0;
    out[82] = 0;
    Set_U16(out, 83, static_cast<unsigned>(s.weight));
    out[85] = 0;          // ANSI character set
    Set_U16(out, 86, 0);  // variable pitch
    Set_U16(out, 88, static_cast<unsigned>(s.pixel_height));
    out[90] = 0x01;  // variable pitch, no family
    Set_U16(out, 91, static_cast<unsigned>(total_width / static_cast<int>(count)));
    Set_U16(out, 93, static_cast<unsigned>(max_width));
    out[95] = s.first_char;
    out[96] = static_cast<std::uint8_t>(last_char);
    out[97] = static_cast<std::uint8_t>(std::clamp<int>(s.default_char - s.first_char, 0, static_cast<int>(count) - 1));
    out[98] = static_cast<std::uint8_t>(std::clamp<int>(s.break_char - s.first_char, 0, static_cast<int>(count) - 1));
    Set_U16(out, 99, static_cast<unsigned>(((total_width + 15) / 16) * 2));
    Set_U32(out, 101, 0);
    Set_U32(out, 105, static_cast<std::uint32_t>(face_at));
    Set_U32(out, 109, 0);
    Set_U32(out, 113, static_cast<std::uint32_t>(bits_at));
    out[117] = 0;
    return out;
}

std::vector<std::uint8_t> Encode_Fon(const std::vector<FntStrike>& strikes, const std::string& module_name) {
    if (strikes.empty() || strikes.size() > 0x7FFF || module_name.size() > 255) return {};
    std::vector<std::vector<std::uint8_t>> fonts;
    for (const FntStrike& s : strikes) {
        fonts.push_back(Encode_Fnt(s));
        if (fonts.back().empty()) return {};
    }
    // The font directory: the count, then per font its ordinal, the leading
    // fields of its header, and its device and face names.
    std::vector<std::uint8_t> directory;
    Put_U16(directory, static_cast<unsigned>(fonts.size()));
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        Put_U16(directory, static_cast<unsigned>(i + 1));
        directory.insert(directory.end(), fonts[i].begin(), fonts[i].begin() + 109);
        Put_U32(directory, 0);
        directory.push_back(0);
        directory.insert(directory.end(), strikes[i].face.begin(), strikes[i].face.end());
        directory.push_back(0);
    }

    std::vector<std::uint8_t> out(NE_HEADER_AT + NE_HEADER_SIZE, 0);
    out[0] = 'M';
    out[1] = 'Z';
    Set_U32(out, 0x3C, NE_HEADER_AT);

    // Resource table, right after the NE header.
    const std::size_t resources_at = out.size();
    Put_U16(out, ALIGN_SHIFT);
    Put_U16(out, RESOURCE_FONT_DIR);
    Put_U16(out, 1);
    Put_U32(out, 0);
    const std::size_t dir_entry = out.size();
    out.resize(out.size() + 12, 0);
    Put_U16(out, RESOURCE_FONT);
    Put_U16(out, static_cast<unsigned>(fonts.size()));
    Put_U32(out, 0);
    const std::size_t font_entries = out.size();
    out.resize(out.size() + 12 * fonts.size(), 0);
    Put_U16(out, 0);  // end of the types
    // Resident names: the module name with ordinal 0, then the end.
    const std::size_t names_at = out.size();
    Put_U8(out, static_cast<unsigned>(module_name.size()));
    out.insert(out.end(), module_name.begin(), module_name.end());
    Put_U16(out, 0);
    Put_U8(out, 0);
    const std::size_t tables_end = out.size();

    auto place = [&](std::size_t entry, const std::vector<std::uint8_t>& data, unsigned id) {
        Align(out);
        std::size_t at = out.size();
        out.insert(out.end(), data.begin(), data.end());
        Align(out);
        std::size_t units = (out.size() - at) >> ALIGN_SHIFT;
        Set_U16(out, entry, static_cast<unsigned>(at >> ALIGN_SHIFT));
        Set_U16(out, entry + 2, static_cast<unsigned>(units));
        Set_U16(out, entry + 4, 0x0C30);  // moveable, shareable, preloaded
        Set_U16(out, entry + 6, 0x8000 | id);
        return (at >> ALIGN_SHIFT) <= 0xFFFF && units <= 0xFFFF;
    };
    bool fits = place(dir_entry, directory, 1);
    for (std::size_t i = 0; i < fonts.size(); ++i) fits = place(font_entries + 12 * i, fonts[i], i + 1) && fits;
    if (!fits) return {};

    // The NE header: every table offset is relative to it.
    const std::size_t ne = NE_HEADER_AT;
    out[ne] = 'N';
    out[ne + 1] = 'E';
    out[ne + 2] = 5;                                                    // linker version
    Set_U16(out, ne + 0x04, static_cast<unsigned>(tables_end - ne));    // entry table (empty)
    Set_U16(out, ne + 0x0C, 0x8000);                                    // library module
    Set_U16(out, ne + 0x22, static_cast<unsigned>(resources_at - ne));  // segment table (none)
    Set_U16(out, ne + 0x24, static_cast<unsigned>(resources_at - ne));
    Set_U16(out, ne + 0x26, static_cast<unsigned>(names_at - ne));
    Set_U16(out, ne + 0x28, static_cast<unsigned>(tables_end - ne));  // module references (none)
    Set_U16(out, ne + 0x2A, static_cast<unsigned>(tables_end - ne));  // imported names (none)
    Set_U32(out, ne + 0x2C, static_cast<std::uint32_t>(tables_end));  // non-resident names
    Set_U16(out, ne + 0x32, ALIGN_SHIFT);
    Set_U16(out, ne + 0x34, static_cast<unsigned>(1 + fonts.size()));
    out[ne + 0x36] = 2;               // Windows
    Set_U16(out, ne + 0x3E, 0x0300);  // expected Windows version
    return out;
}

bool Write_Fon(const std::filesystem::path& path, const std::vector<FntStrike>& strikes, const std::string& module_name,
               file_fault* fault) {
    std::vector<std::uint8_t> bytes = Encode_Fon(strikes, module_name);
    if (bytes.empty()) {
        Set_Fault(fault, path.string(), "its fonts cannot be encoded");
        return false;
    }
    return Write_File_Atomic(path, bytes, fault);
}
