// The headless runner: it plays a script on the game in a folder, writes
// the shots, prints the message boxes, and tells by its exit status whether
// the game ran, failed to start, or the script was bad.
#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "support/GameFolder.h"
#include "support/MapArtFolder.h"
#include "tests/frontend/RunnerFixture.h"

namespace {

namespace fs = std::filesystem;

using HeadlessRunner = RunnerTest;

TEST_F(HeadlessRunner, PlaysAScriptWritesShotsAndQuitsThroughTheQuitControl) {
    const run_result r = Run(fixture::Game_Folder(),
                             "# a short game\n"
                             "tick 3\n"
                             "move 593 361\n"
                             "click 300 200\n"
                             "rclick 300 200\n"
                             "key 17\nkeyup 17\n"
                             "idle 2\n"
                             "shot first\n"
                             "key 27\n"
                             "shot never\n");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "box [Orvex Divuruz Demo] Do you really want to quit?\n");
    EXPECT_TRUE(fs::exists(dir / "shots" / "first.png"));
    EXPECT_FALSE(fs::exists(dir / "shots" / "never.png")) << "the game had quit";
}

TEST_F(HeadlessRunner, FailedStartUpExitsWithOne) {
    fs::create_directories(dir / "empty");
    const run_result r = Run(dir / "empty", "tick 1\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "box [Orvex] Palette load failed\n" + (dir / "empty" / "ARTWORK/PALETTES/PALETTE.BMP").string() +
                         ": No such file or directory\n\nQuit from Application ?\n");
    // No folder at all: the game cannot start.
    const run_result none = Run(dir / "missing", "tick 1\n");
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("the game cannot start: " + (dir / "missing").string() + " is not a folder"),
              std::string::npos)
        << none.err;
}

TEST_F(HeadlessRunner, BadScriptExitsWithTwoAndSaysWhy) {
    EXPECT_EQ(Run(fixture::Map_Art_Folder(), "tick 1\njump 3\n").status, 2);
    EXPECT_EQ(Run(fixture::Map_Art_Folder(), "click 3\n").status, 2) << "a missing number";
    const run_result nobody = Run(fixture::Game_Folder(), "items Nobody\n");
    EXPECT_EQ(nobody.status, 2) << "no character of that name";
    const run_result click = Run(fixture::Game_Folder(), "tick 1\nclickchar Nobody\n");
    EXPECT_EQ(click.status, 2);
    EXPECT_NE(click.err.find(":2: cannot run \"clickchar Nobody\": no character is called Nobody; the characters "
                             "are: "),
              std::string::npos)
        << click.err;
    EXPECT_NE(click.err.find(nobody.err.substr(nobody.err.find("; the characters are: "))), std::string::npos)
        << "both name every character";
    const run_result off = Run(fixture::Game_Folder(), "clickfield 99 3\n");
    EXPECT_EQ(off.status, 2);
    EXPECT_NE(off.err.find("field (99, 3) is not on the 24 x 24 map"), std::string::npos) << off.err;
    EXPECT_EQ(Run_Command(std::string(ORVEX_HEADLESS_RUNNER) + " '" + dir.string() + "' '" + (dir / "none").string() +
                          "' '" + (dir / "out").string() + "' 2>/dev/null")
                  .status,
              2)
        << "no script";
}

TEST_F(HeadlessRunner, ACharsReportNamesItsColumns) {
    const run_result r = Run(fixture::Game_Folder(), "chars\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "chars INDEX X Y LEVEL HP NAME");
    EXPECT_NE(r.out.find("\nchar "), std::string::npos);
}

TEST_F(HeadlessRunner, AShotThatCannotBeWrittenEndsTheRunWithOne) {
    // The shot folder is a plain file: nothing can be written beneath it.
    std::ofstream(dir / "plain") << "x";
    const run_result r = Run(fixture::Game_Folder(), "tick 1\nshot first\nshot second\n", dir / "plain");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(":2: cannot write the shot " + (dir / "plain" / "first.png").string() + ": Not a directory"),
              std::string::npos)
        << r.err;
}

// A working folder whose map or item database is missing or damaged: the
// game tells which file and why in a box, plays the script on the empty
// map, and the run fails; nothing of what it loaded is left behind (the
// sanitizer build's runner fails on a leak).
TEST_F(HeadlessRunner, DamagedStartFilesAreShownAndTheRunFails) {
    const fs::path game = fixture::Game_Folder();
    struct Case {
        const char* what;
        const char* file;  // start.map or item.dat
        std::function<void(const fs::path&)> make;
        const char* text;
        const char* reason;
    };
    auto bytes = [](std::string content) {
        return [content](const fs::path& p) { std::ofstream(p, std::ios::binary) << content; };
    };
    const std::string map = [&] {
        std::ifstream in(game / "start.map", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    const std::vector<Case> cases = {
        {"missing map", "start.map", [](const fs::path&) {}, "Unable to open map file", "No such file or directory"},
        {"empty map", "start.map", bytes(""), "Invalid map file", ""},
        {"truncated map", "start.map", bytes(map.substr(0, map.size() / 2)), "Invalid map file", ""},
        {"map that is a folder", "start.map", [](const fs::path& p) { fs::create_directories(p); },
         "Unable to open map file", "Is a directory"},
        {"map that is a FIFO", "start.map", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
         "Unable to open map file", "not a regular file"},
        {"4 GiB sparse map", "start.map",
         [](const fs::path& p) {
             std::ofstream(p).close();
             fs::resize_file(p, std::uint64_t{4} << 30);
         },
         "Invalid map file", ""},
        {"missing item.dat", "item.dat", [](const fs::path&) {}, "Unable to open item data file",
         "No such file or directory"},
        {"empty item.dat", "item.dat", bytes(""), "Invalid item data file", "\"edit v1.05\""},
        {"item.dat that is a folder", "item.dat", [](const fs::path& p) { fs::create_directories(p); },
         "Unable to open item data file", "Is a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path folder = dir / "game";
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const char* linked : {"ARTWORK", "CURSOR"}) fs::create_directory_symlink(game / linked, folder / linked);
        for (const char* file : {"start.map", "item.dat"})
            if (std::string(file) != c.file) fs::copy_file(game / file, folder / file);
        c.make(folder / c.file);
        const run_result r = Run(folder, "tick 2\nchars\nshot empty\n");
        EXPECT_EQ(r.status, 1) << r.err;
        const std::string box = "box [Orvex] " + std::string(c.text) + "\n" + (folder / c.file).string() + ": ";
        EXPECT_EQ(r.out.rfind(box, 0), 0u) << r.out;
        const std::string reason = r.out.substr(box.size(), r.out.find('\n', box.size()) - box.size());
        EXPECT_FALSE(reason.empty());
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
        EXPECT_NE(r.out.find("\nchars INDEX X Y LEVEL HP NAME\n"), std::string::npos) << "the script ran";
        EXPECT_EQ(r.out.find("\nchar "), std::string::npos) << "on the empty map";
        EXPECT_TRUE(fs::exists(dir / "shots" / "empty.png"));
        EXPECT_NE(r.err.find("the game did not start on its map"), std::string::npos) << r.err;
        fs::remove_all(folder);
    }
}

// A start-up refused half-way through the map's artwork (a picture that
// cannot be read, and OK to quit): the run fails, and what was loaded is
// freed (the sanitizer build's runner fails on a leak).
TEST_F(HeadlessRunner, ARefusedStartUpQuitsAndFreesTheArtworkItLoaded) {
    const fs::path game = fixture::Game_Folder();
    const fs::path folder = dir / "game";
    fs::create_directories(folder);
    fs::copy(fs::canonical(game / "ARTWORK"), folder / "ARTWORK", fs::copy_options::recursive);
    fs::create_directory_symlink(fs::canonical(game / "CURSOR"), folder / "CURSOR");
    for (const char* file : {"start.map", "item.dat"}) fs::copy_file(game / file, folder / file);
    fs::path items;
    for (const auto& e : fs::recursive_directory_iterator(folder / "ARTWORK"))
        if (e.path().filename() == "MITEMS.DYS" || e.path().filename() == "mitems.dys") items = e.path();
    ASSERT_FALSE(items.empty());
    fs::remove(items);
    const run_result r = Run(folder, "tick 2\nchars\n");
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out.rfind("box [Orvex] cannot open file ...\n" + items.string() + ": No such file or directory", 0), 0u)
        << r.out;
    EXPECT_EQ(r.err.find("LeakSanitizer"), std::string::npos) << r.err;
}

}  // namespace
