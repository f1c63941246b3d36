#include "tools/artgen/folder/ArtFiles.h"

#include <array>
#include <cstdint>
#include <string>
#include <system_error>

#include "platform/PathResolver.h"
#include "tools/writers/BmpWriter.h"
#include "tools/writers/CurWriter.h"
#include "tools/writers/DysWriter.h"
#include "tools/writers/FntRender.h"
#include "tools/writers/FonWriter.h"
#include "tools/writers/PaletteWriter.h"

namespace art {

namespace {

namespace fs = std::filesystem;

std::array<::Rgb, 256> Palette_Colours() {
    std::array<::Rgb, 256> out{};
    const Palette& p = Game_Palette();
    for (int i = 0; i < 256; ++i) out[i] = {p[i].r, p[i].g, p[i].b};
    return out;
}

// The file a game path names under root, its folders made; empty when they
// cannot be.
fs::path File(const fs::path& root, const std::string& game_name, const char* extension) {
    fs::path path = root / (Normalize_Game_Path(game_name) + extension);
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    return ec ? fs::path() : path;
}

Bmp8 Picture(const IndexedImage& image) {
    Bmp8 b;
    b.width = image.width;
    b.height = image.height;
    b.pixels = image.pixels;
    b.palette = Palette_Colours();
    return b;
}

std::int16_t I16(int v) { return static_cast<std::int16_t>(v); }

}  // namespace

bool Write_Bitmap_File(const fs::path& root, const BitmapSprite& s) {
    Bmp8 b = Picture(s.image);
    b.fix = FixBlock{I16(s.hot_x), I16(s.hot_y), I16(s.frames), 1, I16(s.layer)};
    const fs::path path = File(root, s.path, ".BMP");
    return !path.empty() && Write_Bmp8(path, b);
}

bool Write_Dys_File(const fs::path& root, const DysSprite& s) {
    DysImage d;
    d.width = static_cast<std::uint32_t>(s.width);
    d.height = static_cast<std::uint32_t>(s.height);
    d.x_origin = I16(-s.hot_x);
    d.y_origin = I16(-s.hot_y);
    for (const DysFrame& f : s.frames)
        d.frames.push_back(
            {I16(f.dx), I16(f.dy), Encode_Dys_Runs(f.image.width, f.image.height, f.image.pixels.data(), kKey)});
    const fs::path path = File(root, s.path, ".DYS");
    return !path.empty() && Write_Dys(path, d);
}

bool Write_Page_File(const fs::path& root, const Page& page) {
    const fs::path path = File(root, page.path, "");
    return !path.empty() && Write_Bmp8(path, Picture(page.image));
}

bool Write_Cursor_File(const fs::path& root, const CursorPicture& c) {
    CurPicture p;
    p.width = c.image.width;
    p.height = c.image.height;
    p.hot_x = c.hot_x;
    p.hot_y = c.hot_y;
    p.pixels = c.image.pixels;
    p.palette = Palette_Colours();
    p.transparent = kKey;
    const fs::path path = File(root, c.path, "");
    return !path.empty() && Write_Cur(path, p);
}

bool Write_Palette_Files(const fs::path& root) {
    bool ok = true;
    const fs::path folder = File(root, "ARTWORK\\PALETTES\\PALETTE.BMP", "").parent_path();
    if (folder.empty()) return false;
    ok &= Write_Bmp8(folder / "PALETTE.BMP", Palette_Bitmap(Palette_Colours()));
    ok &= Write_Palette_Table(folder / "PAL0.CNV", Colour_Remap());
    const auto shades = Shade_Remaps();
    for (int i = 0; i < 4; ++i) ok &= Write_Palette_Table(folder / ("PAL" + std::to_string(i) + ".SHD"), shades[i]);
    return ok;
}

bool Write_Font_Files(const fs::path& folder) {
    auto small = Render_Fnt_Strike(dejavu_folder / "DejaVuSans.ttf", "Small Font", 11, 400);
    auto serif = Render_Fnt_Strike(dejavu_folder / "DejaVuSerif.ttf", "MS Serif", 13, 400);
    auto bold = Render_Fnt_Strike(dejavu_folder / "DejaVuSerif-Bold.ttf", "MS Serif", 16, 700);
    if (!small || !serif || !bold) return false;
    return Write_Fon(folder / "SMALLE.FON", {*small}, "SMALLE") &&
           Write_Fon(folder / "SERIFE.FON", {*serif, *bold}, "SERIFE");
}

bool Write_Artwork_Files(const fs::path& root, const Artwork& a) {
    bool ok = Write_Palette_Files(root);
    for (const BitmapSprite& s : a.bitmaps) ok &= Write_Bitmap_File(root, s);
    for (const DysSprite& s : a.dys) ok &= Write_Dys_File(root, s);
    for (const Page& page : a.pages) ok &= Write_Page_File(root, page);
    for (const CursorPicture& c : a.cursors) ok &= Write_Cursor_File(root, c);
    const fs::path system = File(root, "ARTWORK\\SYSTEM\\SMALLE.FON", "").parent_path();
    ok &= !system.empty() && Write_Font_Files(system);
    return ok;
}

}  // namespace art
