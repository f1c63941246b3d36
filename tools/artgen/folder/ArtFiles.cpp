#include "tools/artgen/folder/ArtFiles.h"

#include <array>
#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

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
// cannot be (fault then says which folder and why).
fs::path File(const fs::path& root, const std::string& game_name, const char* extension, file_fault* fault) {
    fs::path path = root / (Normalize_Game_Path(game_name) + extension);
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (ec) Keep_First_Fault(fault, {path.parent_path().string(), ec.message()});
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

// A writer's result; its fault is kept when it is the first.
bool Kept(bool ok, const file_fault& f, file_fault* fault) {
    if (!ok) Keep_First_Fault(fault, f);
    return ok;
}

}  // namespace

void Keep_First_Fault(file_fault* fault, const file_fault& f) {
    if (fault != nullptr && fault->path.empty()) *fault = f;
}

bool Write_Bitmap_File(const fs::path& root, const BitmapSprite& s, file_fault* fault) {
    Bmp8 b = Picture(s.image);
    b.fix = FixBlock{I16(s.hot_x), I16(s.hot_y), I16(s.frames), 1, I16(s.layer)};
    const fs::path path = File(root, s.path, ".BMP", fault);
    file_fault f;
    return !path.empty() && Kept(Write_Bmp8(path, b, &f), f, fault);
}

bool Write_Dys_File(const fs::path& root, const DysSprite& s, file_fault* fault) {
    DysImage d;
    d.width = static_cast<std::uint32_t>(s.width);
    d.height = static_cast<std::uint32_t>(s.height);
    d.x_origin = I16(-s.hot_x);
    d.y_origin = I16(-s.hot_y);
    for (const DysFrame& f : s.frames)
        d.frames.push_back(
            {I16(f.dx), I16(f.dy), Encode_Dys_Runs(f.image.width, f.image.height, f.image.pixels.data(), KEY)});
    const fs::path path = File(root, s.path, ".DYS", fault);
    file_fault f;
    return !path.empty() && Kept(Write_Dys(path, d, &f), f, fault);
}

bool Write_Page_File(const fs::path& root, const Page& page, file_fault* fault) {
    const fs::path path = File(root, page.path, "", fault);
    file_fault f;
    return !path.empty() && Kept(Write_Bmp8(path, Picture(page.image), &f), f, fault);
}

bool Write_Cursor_File(const fs::path& root, const CursorPicture& c, file_fault* fault) {
    CurPicture p;
    p.width = c.image.width;
    p.height = c.image.height;
    p.hot_x = c.hot_x;
    p.hot_y = c.hot_y;
    p.pixels = c.image.pixels;
    p.palette = Palette_Colours();
    p.transparent = KEY;
    const fs::path path = File(root, c.path, "", fault);
    file_fault f;
    return !path.empty() && Kept(Write_Cur(path, p, 8, &f), f, fault);
}

bool Write_Palette_Files(const fs::path& root, file_fault* fault) {
    bool ok = true;
    const fs::path folder = File(root, "ARTWORK\\PALETTES\\PALETTE.BMP", "", fault).parent_path();
    if (folder.empty()) return false;
    file_fault f;
    ok &= Kept(Write_Bmp8(folder / "PALETTE.BMP", Palette_Bitmap(Palette_Colours()), &f), f, fault);
    ok &= Kept(Write_Palette_Table(folder / "PAL0.CNV", Colour_Remap(), &f), f, fault);
    const auto shades = Shade_Remaps();
    for (int i = 0; i < 4; ++i)
        ok &= Kept(Write_Palette_Table(folder / ("PAL" + std::to_string(i) + ".SHD"), shades[i], &f), f, fault);
    return ok;
}

bool Render_Font_Strikes(std::vector<FntStrike>& strikes, file_fault* fault) {
    struct Face {
        const char* file;
        const char* name;
        int height, weight;
    };
    const Face faces[] = {{"DejaVuSans.ttf", "Small Font", 11, 400},
                          {"DejaVuSerif.ttf", "MS Serif", 13, 400},
                          {"DejaVuSerif-Bold.ttf", "MS Serif", 16, 700}};
    strikes.clear();
    for (const Face& face : faces) {
        const fs::path ttf = dejavu_folder / face.file;
        auto strike = Render_Fnt_Strike(ttf, face.name, face.height, face.weight);
        if (!strike) {
            Keep_First_Fault(fault, {ttf.string(), "cannot be rendered (the package fonts-dejavu-core holds it)"});
            return false;
        }
        strikes.push_back(std::move(*strike));
    }
    return true;
}

bool Write_Font_Files(const fs::path& folder, file_fault* fault) {
    std::vector<FntStrike> strikes;
    if (!Render_Font_Strikes(strikes, fault)) return false;
    file_fault f;
    return Kept(Write_Fon(folder / "SMALLE.FON", {strikes[0]}, "SMALLE", &f), f, fault) &&
           Kept(Write_Fon(folder / "SERIFE.FON", {strikes[1], strikes[2]}, "SERIFE", &f), f, fault);
}

bool Write_Artwork_Files(const fs::path& root, const Artwork& a, file_fault* fault) {
    bool ok = Write_Palette_Files(root, fault);
    for (const BitmapSprite& s : a.bitmaps) ok &= Write_Bitmap_File(root, s, fault);
    for (const DysSprite& s : a.dys) ok &= Write_Dys_File(root, s, fault);
    for (const Page& page : a.pages) ok &= Write_Page_File(root, page, fault);
    for (const CursorPicture& c : a.cursors) ok &= Write_Cursor_File(root, c, fault);
    const fs::path system = File(root, "ARTWORK\\SYSTEM\\SMALLE.FON", "", fault).parent_path();
    ok &= !system.empty() && Write_Font_Files(system, fault);
    return ok;
}

}  // namespace art
