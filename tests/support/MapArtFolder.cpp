#include "support/MapArtFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <string>

#include "tools/artgen/Artwork.h"
#include "tools/artgen/Figures.h"
#include "tools/artgen/Heads.h"
#include "tools/artgen/Hex.h"
#include "tools/artgen/Items.h"
#include "tools/artgen/Pages.h"
#include "tools/artgen/Palette.h"
#include "tools/artgen/SystemSprites.h"
#include "tools/artgen/Terrain.h"
#include "platform/PathResolver.h"
#include "tools/writers/BmpWriter.h"
#include "tools/writers/CurWriter.h"
#include "tools/writers/DysWriter.h"
#include "tools/writers/FntRender.h"
#include "tools/writers/PaletteWriter.h"

namespace fixture {

const int test_floor_colours[test_floor_count] = {40, 80, 120, 160};

namespace {

namespace fs = std::filesystem;

// Bumped whenever what the folder holds changes.
constexpr const char* folder_version = "map-art 2";

std::array<Rgb, 256> Palette_Colours() {
    std::array<Rgb, 256> out{};
    const art::Palette& p = art::Game_Palette();
    for (int i = 0; i < 256; ++i) out[i] = {p[i].r, p[i].g, p[i].b};
    return out;
}

fs::path File(const fs::path& root, const std::string& game_name, const char* extension) {
    fs::path path = root / (Normalize_Game_Path(game_name) + extension);
    fs::create_directories(path.parent_path());
    return path;
}

bool Write_Bitmap(const fs::path& root, const art::BitmapSprite& s) {
    Bmp8 b;
    b.width = s.image.width;
    b.height = s.image.height;
    b.pixels = s.image.pixels;
    b.palette = Palette_Colours();
    b.fix = FixBlock{static_cast<std::int16_t>(s.hot_x), static_cast<std::int16_t>(s.hot_y),
                     static_cast<std::int16_t>(s.frames), 1, static_cast<std::int16_t>(s.layer)};
    return Write_Bmp8(File(root, s.path, ".BMP"), b);
}

bool Write_Run_Length(const fs::path& root, const art::DysSprite& s) {
    DysImage d;
    d.width = static_cast<std::uint32_t>(s.width);
    d.height = static_cast<std::uint32_t>(s.height);
    d.x_origin = static_cast<std::int16_t>(-s.hot_x);
    d.y_origin = static_cast<std::int16_t>(-s.hot_y);
    for (const art::DysFrame& f : s.frames)
        d.frames.push_back({static_cast<std::int16_t>(f.dx), static_cast<std::int16_t>(f.dy),
                            Encode_Dys_Runs(f.image.width, f.image.height, f.image.pixels.data(), art::kKey)});
    return Write_Dys(File(root, s.path, ".DYS"), d);
}

bool Write_Page(const fs::path& root, const art::Page& page) {
    Bmp8 b;
    b.width = page.image.width;
    b.height = page.image.height;
    b.pixels = page.image.pixels;
    b.palette = Palette_Colours();
    return Write_Bmp8(File(root, page.path, ""), b);
}

bool Write_Cursor(const fs::path& root, const art::CursorPicture& c) {
    CurPicture p;
    p.width = c.image.width;
    p.height = c.image.height;
    p.hot_x = c.hot_x;
    p.hot_y = c.hot_y;
    p.pixels = c.image.pixels;
    p.palette = Palette_Colours();
    p.transparent = art::kKey;
    return Write_Cur(File(root, c.path, ""), p);
}

// The pages the start-up shows after the title, beside the title itself.
bool Is_Screen_Page(const art::Page& page) {
    return page.path == "ARTWORK\\PAGES\\FOKEPJUJ.BMP" || page.path == "ARTWORK\\PAGES\\TEXTBOX.BMP";
}

art::BitmapSprite Test_Floor(int i) {
    art::IndexedImage floor(art::kFloorWidth, art::kFloorHeight, art::kKey);
    const art::FloorMask& mask = art::Floor_Mask();
    for (int y = 0; y < art::kFloorHeight; ++y)
        for (int x = 0; x < art::kFloorWidth; ++x)
            if (mask[y][x]) floor.Set(x, y, static_cast<std::uint8_t>(test_floor_colours[i]));
    return art::Make_Bitmap("ARTWORK\\TESTFLR" + std::to_string(i), {floor}, art::kFloorHotX, art::kFloorHotY, 0);
}

bool Write_Everything(const fs::path& root) {
    bool ok = true;
    const fs::path palettes = root / "ARTWORK" / "PALETTES";
    fs::create_directories(palettes);
    ok &= Write_Bmp8(palettes / "PALETTE.BMP", Palette_Bitmap(Palette_Colours()));
    ok &= Write_Palette_Table(palettes / "PAL0.CNV", art::Colour_Remap());
    const auto shades = art::Shade_Remaps();
    for (int i = 0; i < 4; ++i) ok &= Write_Palette_Table(palettes / ("PAL" + std::to_string(i) + ".SHD"), shades[i]);
    Bmp8 title;
    title.width = 640;
    title.height = 480;
    title.pixels.assign(640 * 480, 0);
    title.palette = Palette_Colours();
    ok &= Write_Bmp8(File(root, "ARTWORK\\PAGES\\cimkep2", ".bmp"), title);

    for (const art::BitmapSprite& s : art::Terrain_Sprites()) ok &= Write_Bitmap(root, s);
    for (const art::BitmapSprite& s : art::System_Bitmaps()) ok &= Write_Bitmap(root, s);
    for (const art::BitmapSprite& s : art::Head_Sprites()) ok &= Write_Bitmap(root, s);
    ok &= Write_Bitmap(root, art::Corpse_Sprite());
    for (int i = 0; i < test_floor_count; ++i) ok &= Write_Bitmap(root, Test_Floor(i));
    for (const art::DysSprite& s : art::System_Dys()) ok &= Write_Run_Length(root, s);
    for (const art::DysSprite& s : art::Item_Sprites()) ok &= Write_Run_Length(root, s);
    for (const art::DysSprite& s : art::Body_Sprites()) ok &= Write_Run_Length(root, s);
    for (const art::Page& page : art::Page_Pictures())
        if (Is_Screen_Page(page)) ok &= Write_Page(root, page);
    for (const art::CursorPicture& c : art::Cursor_Pictures()) ok &= Write_Cursor(root, c);
    fs::create_directories(root / "ARTWORK" / "SYSTEM");
    ok &= Write_Font_Files(root / "ARTWORK" / "SYSTEM");
    return ok;
}

std::string Stamp_Of_Program(const fs::path& program, const char* version) {
    std::error_code ec;
    const auto time = fs::last_write_time(program, ec);
    return std::string(version) + " " + std::to_string(time.time_since_epoch().count());
}

std::string Read_Stamp(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

}  // namespace

bool Write_Font_Files(const fs::path& system_folder) {
    auto small = Render_Fnt_Strike(dejavu_folder / "DejaVuSans.ttf", "Small Font", 11, 400);
    auto serif = Render_Fnt_Strike(dejavu_folder / "DejaVuSerif.ttf", "MS Serif", 13, 400);
    auto bold = Render_Fnt_Strike(dejavu_folder / "DejaVuSerif-Bold.ttf", "MS Serif", 16, 700);
    if (!small || !serif || !bold) return false;
    return Write_Fon(system_folder / "SMALLE.FON", {*small}, "SMALLE") &&
           Write_Fon(system_folder / "SERIFE.FON", {*serif, *bold}, "SERIFE");
}

fs::path Cached_Folder(const std::string& suffix, const char* version, const std::function<bool(const fs::path&)>& write) {
    const fs::path program = fs::read_symlink("/proc/self/exe");
    const fs::path root = program.parent_path() / (program.filename().string() + suffix);
    const fs::path stamp_file = root.string() + ".stamp";
    const std::string stamp = Stamp_Of_Program(program, version);
    // Test programs may run side by side: one writes, the others wait.
    const int lock = ::open((root.string() + ".lock").c_str(), O_CREAT | O_RDWR, 0644);
    if (lock >= 0) ::flock(lock, LOCK_EX);
    if (Read_Stamp(stamp_file) != stamp || !fs::exists(root)) {
        fs::remove(stamp_file);
        fs::remove_all(root);
        if (write(root)) std::ofstream(stamp_file) << stamp << "\n";
    }
    if (lock >= 0) ::close(lock);
    return root;
}

fs::path Map_Art_Folder() {
    static const fs::path folder = Cached_Folder("-map-art", folder_version, &Write_Everything);
    return folder;
}

}  // namespace fixture
