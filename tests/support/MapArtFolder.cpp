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
#include "tools/artgen/SystemSprites.h"
#include "tools/artgen/Terrain.h"
#include "tools/artgen/folder/ArtFiles.h"

namespace fixture {

const int test_floor_colours[TEST_FLOOR_COUNT] = {40, 80, 120, 160};

namespace {

namespace fs = std::filesystem;

// Bumped whenever what the folder holds changes.
constexpr const char* FOLDER_VERSION = "map-art 5";

// The pages the start-up shows after the title, beside the title itself,
// the character page and the inventory.
bool Is_Screen_Page(const art::Page& page) {
    return page.path == "ARTWORK\\PAGES\\FOKEPJUJ.BMP" || page.path == "ARTWORK\\PAGES\\TEXTBOX.BMP" ||
           page.path == "ARTWORK\\PAGES\\CHARPAGE.BMP" || page.path == "ARTWORK\\ITEMS\\INVENTOR.BMP";
}

art::BitmapSprite Test_Floor(int i) {
    art::IndexedImage floor(art::FLOOR_WIDTH, art::FLOOR_HEIGHT, art::KEY);
    const art::FloorMask& mask = art::Floor_Mask();
    for (int y = 0; y < art::FLOOR_HEIGHT; ++y)
        for (int x = 0; x < art::FLOOR_WIDTH; ++x)
            if (mask[y][x]) floor.Set(x, y, static_cast<std::uint8_t>(test_floor_colours[i]));
    return art::Make_Bitmap("ARTWORK\\TESTFLR" + std::to_string(i), {floor}, art::FLOOR_HOT_X, art::FLOOR_HOT_Y, 0);
}

bool Write_Everything(const fs::path& root) {
    bool ok = art::Write_Palette_Files(root);
    ok &= art::Write_Page_File(root, {"ARTWORK\\PAGES\\cimkep2.bmp", art::IndexedImage(640, 480, 0)});
    for (const art::BitmapSprite& s : art::Terrain_Sprites()) ok &= art::Write_Bitmap_File(root, s);
    for (const art::BitmapSprite& s : art::System_Bitmaps()) ok &= art::Write_Bitmap_File(root, s);
    for (const art::BitmapSprite& s : art::Head_Sprites()) ok &= art::Write_Bitmap_File(root, s);
    for (const art::BitmapSprite& s : art::Page_Sprites()) ok &= art::Write_Bitmap_File(root, s);
    ok &= art::Write_Bitmap_File(root, art::Corpse_Sprite());
    for (int i = 0; i < TEST_FLOOR_COUNT; ++i) ok &= art::Write_Bitmap_File(root, Test_Floor(i));
    for (const art::DysSprite& s : art::System_Dys()) ok &= art::Write_Dys_File(root, s);
    for (const art::DysSprite& s : art::Item_Sprites()) ok &= art::Write_Dys_File(root, s);
    for (const art::DysSprite& s : art::Body_Sprites()) ok &= art::Write_Dys_File(root, s);
    for (const art::Page& page : art::Page_Pictures())
        if (Is_Screen_Page(page)) ok &= art::Write_Page_File(root, page);
    for (const art::CursorPicture& c : art::Cursor_Pictures()) ok &= art::Write_Cursor_File(root, c);
    fs::create_directories(root / "ARTWORK" / "SYSTEM");
    ok &= art::Write_Font_Files(root / "ARTWORK" / "SYSTEM");
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

fs::path Cached_Folder(const std::string& suffix, const char* version,
                       const std::function<bool(const fs::path&)>& write) {
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
    static const fs::path folder = Cached_Folder("-map-art", FOLDER_VERSION, &Write_Everything);
    return folder;
}

}  // namespace fixture
