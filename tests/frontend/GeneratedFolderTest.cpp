// The working folder the artwork generator writes: the game starts on it
// without a message box and loads its whole map; every file the game reads
// loads through the game's own loaders with the frames, sizes and hot spots
// the screens draw with; the game plays on it in the headless runner; two
// runs write the same bytes; and a run into an existing folder keeps the
// player's own files.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_WINFONTS_H
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Objects/Char/CharSprites.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/SpriteInfo.h"
#include "System/Bitmap.h"
#include "System/Dys.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "datafiles/ItemData.h"
#include "datafiles/MapFile.h"
#include "frontend/GameLoop.h"
#include "frontend/SystemSprites.h"
#include "platform/PixelFormat.h"
#include "tests/frontend/GameFixture.h"
#include "tests/frontend/GeneratedFolder.h"
#include "tests/frontend/RunnerFixture.h"

namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& p) {
    std::string out(1, '\'');
    out += p.string();
    out += '\'';
    return out;
}

Command_Result Artgen(const fs::path& dir) {
    return Run_Command(std::string(ORVEX_ARTGEN) + " " + Quoted(dir) + " 2>&1");
}

std::string File_Bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file under root by its path relative to root.
std::map<std::string, std::string> Tree(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) files[fs::relative(e.path(), root).string()] = File_Bytes(e.path());
    return files;
}

class Scratch : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("orvex-artgen-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

// ------------------------------------------------------------------ the game on the folder

class GeneratedGame : public GameTest {
  protected:
    static void SetUpTestSuite() { art = Generated_Folder(); }
};

TEST_F(GeneratedGame, StartsOnTheStartMapWithEveryPictureItNames) {
    EXPECT_EQ(trace, "CTheApp::InitInstance\n") << "nothing reported: start.map and item.dat were read";
    for (const MessageBoxCall& box : backend().boxes) ADD_FAILURE() << box.caption << ": " << box.text;
    ASSERT_EQ(map_loaded, 1u);
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
    EXPECT_EQ(player_count, 3u);
    EXPECT_EQ(selected_count, 1u);
    for (int slot = 1; slot < MAP_TYPE_SLOTS; ++slot) {
        const fixitem_type& t = fixitem_types[slot];
        if (t.sprite == 0) continue;
        EXPECT_NE(t.sprite, SPRITE_MISSING) << t.sprite_name;
        EXPECT_GT(Sprite_Frame_Count(t.sprite), 0) << t.sprite_name;
    }
    for (std::uint16_t c = 0; c < chararray.Capacity(); ++c) {
        if (!Char_In_Use(c)) continue;
        const char_record& r = chararray.records[c];
        const int frames = Sprite_Frame_Count(r.body_sprite);
        EXPECT_TRUE(frames >= 6 * 12 && frames % 6 == 0) << r.body_name << " " << frames;
        EXPECT_NE(Sprite_From_Handle(r.head_sprite), nullptr) << r.name;
    }
    for (int row = 1; row <= ANIM_SYSTEM_ROWS; ++row) EXPECT_GT(Sprite_Frame_Count(anim_types[row].sprite), 0) << row;
    for (std::uint32_t s : {items_sprite, mitems_sprite, hullak_sprite}) EXPECT_GT(Sprite_Frame_Count(s), 0);
    for (sprite* s : {PAJZSK, PAJZSN, MASKGOMB, MASKABL, BELOG1, BELOG2}) EXPECT_NE(s, nullptr);

    // Some play: ticks and idle passes with the mouse over the map.
    Mouse_Move(300, 200);
    for (int t = 0; t < 40; ++t) {
        Tick();
        Idle(2);
    }
    for (const MessageBoxCall& box : backend().boxes) ADD_FAILURE() << box.caption << ": " << box.text;
}

// The rows (bottom ink row of each band of rows, top to bottom) in which
// x0..x1 holds pixels that test accepts, between y0 and y1.
std::vector<int> Band_Bottoms(int x0, int x1, int y0, int y1, const std::function<bool(std::uint16_t)>& test) {
    std::vector<int> bottoms;
    bool in_band = false;
    for (int y = y0; y < y1; ++y) {
        bool ink = false;
        const auto* row = reinterpret_cast<const std::uint16_t*>(BACK->Bits() + y * BACK->Pitch());
        for (int x = x0; x < x1 && !ink; ++x) ink = test(row[x]);
        if (ink && !in_band) bottoms.push_back(y);
        if (ink) bottoms.back() = y;
        in_band = ink;
    }
    return bottoms;
}

// The character page's "ATT" and "DMG" stand on the rows of the attack and
// the damage the page prints beside them.
TEST_F(GeneratedGame, CharacterPageLabelsStandOnTheRowsOfTheirValues) {
    ASSERT_EQ(selected_count, 1u);
    page_char = static_cast<std::int16_t>(selected[0]);
    Open_Screen(SCREEN_CHAR_PAGE);
    ASSERT_EQ(ScreenType, SCREEN_CHAR_PAGE);
    const PixelLayout layout = BACK->Layout();
    const DWORD text = Pixel_From_Colour(layout, 0x33E8FF);
    const std::vector<int> values = Band_Bottoms(90, 127, 312, 350, [&](std::uint16_t p) { return p == text; });
    const std::vector<int> labels = Band_Bottoms(26, 60, 312, 350, [&](std::uint16_t p) {
        const COLORREF c = Colour_From_Pixel(layout, p);
        return GetRValue(c) > 150 && GetGValue(c) > 100;  // the gold letters on the dark panel
    });
    EXPECT_EQ(values.size(), 2u);
    EXPECT_EQ(labels, values);
}

// What a file must hold for the screens that draw it.
struct Expected {
    const char* name;  // as the game names it, without ".BMP" or ".DYS"
    int min_frames;
    int width = 0, height = 0;   // of a frame; 0: any
    int hot_x = -1, hot_y = -1;  // -1: any
};

const Expected bitmap_sprites[] = {
    {"ARTWORK\\PAGES\\MANALINE", 13, 1},
    {"ARTWORK\\PAGES\\SPBUTTON", 2, 90, 50, 0, 0},
    {"ARTWORK\\PAGES\\SPICONS", 20},
    {"ARTWORK\\SYSTEM\\TRGTBACK", 2},
    {"ARTWORK\\SYSTEM\\ARROWS", 7},
    {"ARTWORK\\SYSTEM\\DIGITS1", 50},
    {"ARTWORK\\SYSTEM\\MAINBUT1", 8, 30, 30},
    {"ARTWORK\\SYSTEM\\MAINBUT2", 12, 36, 22},
    {"ARTWORK\\SYSTEM\\MAINBUT3", 20, 26, 31},
    {"ARTWORK\\SYSTEM\\MAINBUT4", 6, 62, 22},
    {"ARTWORK\\SYSTEM\\PAJZSK", 2},
    {"ARTWORK\\SYSTEM\\PAJZSN", 2},
    {"ARTWORK\\SYSTEM\\MASKGOMB", 18, 32, 48, 16, 24},
    {"ARTWORK\\SYSTEM\\MASKABL", 9, 71, 93, 4, 91},
    {"ARTWORK\\SYSTEM\\BELOG1", 4, 26, 200, 0, 0},
    {"ARTWORK\\SYSTEM\\BELOG2", 1, 199, 19, 0, 0},
    {"ARTWORK\\ANIM\\BLOOD", 1},
    {"ARTWORK\\ANIM\\VARAZSA", 1},
    {"ARTWORK\\ANIM\\PENGEKIS", 1},
    {"ARTWORK\\ANIM\\TUZANIM", 1},
    {"ARTWORK\\ANIM\\BLPOOL", 7},
    {"ARTWORK\\ANIM\\TUZFAL", 1},
    {"ARTWORK\\ANIM\\GAS", 1},
    {"ARTWORK\\ITEMS\\HULLAK", 11},
};

const Expected run_length_sprites[] = {
    {"ARTWORK\\SYSTEM\\CURFORE2", 1}, {"ARTWORK\\SYSTEM\\CURBACK2", 1}, {"ARTWORK\\SYSTEM\\CURFORE", 1},
    {"ARTWORK\\SYSTEM\\CURBACK", 1},  {"ARTWORK\\SYSTEM\\TRGTFORE", 2}, {"ARTWORK\\ITEMS\\ITEMS", 400},
    {"ARTWORK\\ITEMS\\MITEMS", 400},
};

struct Expected_Page {
    const char* path;
    int width, height;
};
const Expected_Page pages[] = {
    {"ARTWORK\\PAGES\\cimkep2.bmp", 640, 480},  {"ARTWORK\\PAGES\\FOKEPJUJ.BMP", 640, 480},
    {"ARTWORK\\PAGES\\TEXTBOX.BMP", 323, 130},  {"ARTWORK\\ITEMS\\INVENTOR.BMP", 640, 480},
    {"ARTWORK\\PAGES\\CHARPAGE.BMP", 640, 480},
};

void Expect_Bitmap_Sprite(const Expected& e) {
    SCOPED_TRACE(e.name);
    sprite* s = LoadSprite(e.name, 0);
    ASSERT_NE(s, nullptr);
    EXPECT_GE(s->frames, e.min_frames);
    EXPECT_TRUE(e.width == 0 || s->width == e.width) << s->width;
    EXPECT_TRUE(e.height == 0 || s->height == e.height) << s->height;
    EXPECT_TRUE(e.hot_x < 0 || s->hot_x == e.hot_x) << s->hot_x;
    EXPECT_TRUE(e.hot_y < 0 || s->hot_y == e.hot_y) << s->hot_y;
    Release_Sprite(s);
}

// The game names the files without an extension; the folder's own names.
std::vector<std::string> Game_Names(const fs::path& root, const char* folder, const std::string& extension) {
    std::vector<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(root / folder)) {
        if (!e.is_regular_file() || e.path().extension() != extension) continue;
        std::string name = fs::relative(e.path(), root).replace_extension().string();
        for (char& c : name)
            if (c == '/') c = '\\';
        names.push_back(name);
    }
    return names;
}

struct Face {
    std::string family;
    int height;
    bool bold;
    auto operator<=>(const Face&) const = default;
};

std::set<Face> Faces_Of(const fs::path& file) {
    std::set<Face> faces;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return faces;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), -1, &face) == 0) {
        const long count = face->num_faces;
        FT_Done_Face(face);
        for (long i = 0; i < count; ++i) {
            if (FT_New_Face(library, file.c_str(), i, &face) != 0) continue;
            FT_WinFNT_HeaderRec header{};
            if (face->num_fixed_sizes > 0 && FT_Get_WinFNT_Header(face, &header) == 0)
                faces.insert({face->family_name ? face->family_name : "", face->available_sizes[0].height,
                              header.weight >= 700});
            FT_Done_Face(face);
        }
    }
    FT_Done_FreeType(library);
    return faces;
}

TEST_F(GeneratedGame, EveryFileTheGameReadsLoadsWithTheFramesTheScreensDrawWith) {
    const fs::path root = Generated_Folder();
    for (const Expected& e : bitmap_sprites) Expect_Bitmap_Sprite(e);
    for (int head = 1; head <= 23; ++head) {
        char name[32];
        std::snprintf(name, sizeof name, "ARTWORK\\HEADS\\FEJ%03d", head);
        Expect_Bitmap_Sprite({name, 1, 64, 76, 0, 75});
    }
    for (const Expected& e : run_length_sprites) {
        sprite* s = Load_DYS(e.name);
        ASSERT_NE(s, nullptr) << e.name;
        EXPECT_GE(s->frames, e.min_frames) << e.name;
        Release_Sprite(s);
    }
    // Every bitmap and run-length file of the map artwork, the bodies and the
    // system sprites loads, whichever map names it.
    for (const std::string& name : Game_Names(root, "ARTWORK", ".BMP")) {
        if (name.find("\\PAGES\\") != std::string::npos || name.find("PALETTES") != std::string::npos ||
            name.find("INVENTOR") != std::string::npos)
            continue;
        Expect_Bitmap_Sprite({name.c_str(), 1});
    }
    for (const std::string& name : Game_Names(root, "ARTWORK", ".DYS")) {
        sprite* s = Load_DYS(name.c_str());
        ASSERT_NE(s, nullptr) << name;
        EXPECT_GT(s->frames, 0) << name;
        EXPECT_TRUE(name.find("\\CHARS\\") == std::string::npos || s->frames % 6 == 0) << name;
        Release_Sprite(s);
    }
    for (const Expected_Page& p : pages) {
        LPDIRECTDRAWSURFACE page = DD_Load_Bitmap(direct_draw, p.path, 0, 0);
        ASSERT_NE(page, nullptr) << p.path;
        EXPECT_EQ(page->Width(), p.width) << p.path;
        EXPECT_EQ(page->Height(), p.height) << p.path;
        page->Release();
    }

    // The palette: one pure magenta for the bitmaps' colour key, away from
    // the system colours.
    ASSERT_NE(palette_object, nullptr);
    int magenta = 0;
    for (int i = 10; i < 245; ++i) {
        const PALETTEENTRY& e = palette_object->Entries()[i];
        magenta += e.peRed == 255 && e.peGreen == 0 && e.peBlue == 0xFF;
    }
    EXPECT_EQ(magenta, 1);
    for (const char* table :
         {"ARTWORK\\PALETTES\\PAL0.CNV", "ARTWORK\\PALETTES\\PAL0.SHD", "ARTWORK\\PALETTES\\PAL1.SHD",
          "ARTWORK\\PALETTES\\PAL2.SHD", "ARTWORK\\PALETTES\\PAL3.SHD"}) {
        std::vector<std::uint8_t> bytes;
        EXPECT_TRUE(Read_Game_File(table, 256, bytes) && bytes.size() == 256) << table;
    }

    // The fonts the game creates, by face, height and weight.
    EXPECT_EQ(Faces_Of(root / "ARTWORK/SYSTEM/SMALLE.FON"), (std::set<Face>{{"Small Font", 11, false}}));
    EXPECT_EQ(Faces_Of(root / "ARTWORK/SYSTEM/SERIFE.FON"),
              (std::set<Face>{{"MS Serif", 13, false}, {"MS Serif", 16, true}}));

    for (const char* cursor : {"CURSOR\\SWORD.CUR", "CURSOR\\SHIELD.CUR"})
        EXPECT_NE(LoadCursorFromFileA(cursor), nullptr) << cursor;

    std::vector<item_type> types;
    const char* fault = nullptr;
    ASSERT_TRUE(Read_Item_Data(ITEM_DATA_FILE, types, fault)) << fault;
    EXPECT_STREQ(types.at(ITEM_TYPE_DEAD_BODY).name, "Dead body");
    EXPECT_GT(types.size(), 40u);

    // The map the editor's dialogs offer is the start map.
    EXPECT_EQ(File_Bytes(root / "ARTWORK/MAPS/start.map"), File_Bytes(root / "start.map"));
    EXPECT_TRUE(Load_Map("ARTWORK\\MAPS\\start.map"));
    for (const MessageBoxCall& box : backend().boxes) ADD_FAILURE() << box.caption << ": " << box.text;
}

// The pixels a run-length frame draws, row by row from its first row, each
// row as many cells as the frame's widest row reaches (false: not drawn).
std::vector<std::vector<bool>> Drawn_Pixels(const CDysFrame& f) {
    std::vector<std::vector<bool>> rows;
    std::size_t i = 0, width = 0;
    while (i < f.length && f.data[i] != DYS_FRAME_END) {
        std::vector<bool> row;
        std::size_t x = 0;
        while (i < f.length && f.data[i] != DYS_ROW_END) {
            x += f.data[i];
            const std::size_t count = f.data[i + 1];
            row.resize(x + count, false);
            for (std::size_t k = 0; k < count; ++k) row[x + k] = true;
            x += count;
            i += 2 + count;
        }
        ++i;
        width = std::max(width, row.size());
        rows.push_back(std::move(row));
    }
    for (auto& row : rows) row.resize(width, false);
    return rows;
}

TEST(GeneratedItemPictures, ShowTheItemOnItsBackgroundNotABox) {
    for (const char* file : {"ARTWORK\\ITEMS\\ITEMS.DYS", "ARTWORK\\ITEMS\\MITEMS.DYS"}) {
        SCOPED_TRACE(file);
        Set_Working_Folder(Generated_Folder());
        CDysFrame* frames = nullptr;
        const std::uint16_t count = Read_DYS_File(file, &frames, nullptr);
        Set_Working_Folder({});
        ASSERT_NE(count, DYS_FAILED);
        int pictures = 0;
        for (std::uint16_t k = 0; k < count; ++k) {
            const std::vector<std::vector<bool>> rows = Drawn_Pixels(frames[k]);
            if (rows.empty()) continue;
            ++pictures;
            // Every picture is outlined without its diagonals, so that no
            // item shape fills its box: a corner of it is never drawn.
            const std::vector<bool>& top = rows.front();
            const std::vector<bool>& bottom = rows.back();
            EXPECT_FALSE(top.front() && top.back() && bottom.front() && bottom.back())
                << "frame " << k << " draws its whole box";
            std::size_t clear = 0;
            for (const auto& row : rows) clear += static_cast<std::size_t>(std::count(row.begin(), row.end(), false));
            EXPECT_GT(clear, 0u) << "frame " << k << " has no transparent pixel";
        }
        EXPECT_GT(pictures, 40);
        delete[] frames;
    }
}

// ------------------------------------------------------------------ the program

using GeneratedFolder = Scratch;

TEST_F(GeneratedFolder, GamePlaysInTheHeadlessRunnerWithoutABox) {
    std::ofstream(dir / "script.txt") << "tick 10\nmove 300 200\ntick 20\nclick 320 240\nrclick 320 240\n"
                                         "key 17\nkey 39\nidle 20\nkeyup 39\nkeyup 17\ntick 30\nshot played\n";
    const Command_Result r =
        Run_Command(std::string(ORVEX_HEADLESS_RUNNER) + " " + Quoted(Generated_Folder()) + " " +
                    Quoted(dir / "script.txt") + " " + Quoted(dir / "shots") + " 2>" + Quoted(dir / "stderr.txt"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "") << "no message box";
    EXPECT_EQ(File_Bytes(dir / "stderr.txt"), "CTheApp::InitInstance\n") << "nothing reported";
    EXPECT_TRUE(fs::exists(dir / "shots" / "played.png"));
}

TEST_F(GeneratedFolder, TwoRunsWriteTheSameBytes) {
    ASSERT_EQ(Artgen(dir / "again").status, 0);
    const std::map<std::string, std::string> first = Tree(Generated_Folder()), second = Tree(dir / "again");
    ASSERT_EQ(first.size(), second.size());
    for (const auto& [name, bytes] : first) {
        auto it = second.find(name);
        ASSERT_NE(it, second.end()) << name;
        EXPECT_TRUE(it->second == bytes) << name << " differs";
    }
}

TEST_F(GeneratedFolder, ExistingFolderKeepsThePlayersFilesAndAFailedRunLeavesNothing) {
    const fs::path game = dir / "game";
    fs::create_directories(game / "ARTWORK" / "MAPS");
    std::ofstream(game / "ARTWORK" / "MAPS" / "mine.map") << "a map of my own";
    std::ofstream(game / "start.map") << "broken";
    ASSERT_EQ(Artgen(game).status, 0);
    EXPECT_EQ(File_Bytes(game / "ARTWORK" / "MAPS" / "mine.map"), "a map of my own");
    EXPECT_EQ(File_Bytes(game / "start.map"), File_Bytes(Generated_Folder() / "start.map"));

    // Beneath a file no folder can be made: an error, and nothing is left.
    std::ofstream(dir / "plain") << "x";
    const Command_Result r = Artgen(dir / "plain" / "game");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("artgen: "), std::string::npos);
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(dir)) left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"game", "plain"}));
    EXPECT_EQ(Run_Command(std::string(ORVEX_ARTGEN) + " 2>&1").status, 2) << "no folder given";
    // An option is not taken for a folder: usage, and no folder "--help".
    const Command_Result help = Run_Command("cd " + Quoted(dir) + " && " + std::string(ORVEX_ARTGEN) + " --help 2>&1");
    EXPECT_EQ(help.status, 2);
    EXPECT_NE(help.out.find("usage: "), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "--help"));
}

TEST_F(GeneratedFolder, AFileThatCannotBeWrittenIsNamedAndLeavesNoTemporaryFile) {
    // A file-size limit of 64 KiB: the pages are larger. The write fails
    // (instead of the program being killed), and artgen says which file
    // and why.
    fs::create_directories(dir / "limited");
    const Command_Result r = Run_Command("bash -c 'ulimit -f 64; exec " + std::string(ORVEX_ARTGEN) + " " +
                                         Quoted(dir / "limited") + "' 2>&1");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_EQ(r.out.rfind("artgen: cannot write " + (dir / "limited").string() + "/", 0), 0u) << r.out;
    EXPECT_NE(r.out.find(": File too large"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("DejaVu"), std::string::npos) << "the fonts are not to blame";
    for (const auto& e : fs::recursive_directory_iterator(dir)) EXPECT_NE(e.path().extension(), ".tmp") << e.path();
    // A new folder is made whole or not at all.
    const Command_Result fresh = Run_Command("bash -c 'ulimit -f 64; exec " + std::string(ORVEX_ARTGEN) + " " +
                                             Quoted(dir / "fresh") + "' 2>&1");
    EXPECT_EQ(fresh.status, 1);
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(dir)) left.push_back(e.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"limited"});
}

}  // namespace
