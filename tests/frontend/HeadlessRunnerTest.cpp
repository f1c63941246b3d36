// The headless runner: it plays a script on the game in a folder, writes
// the shots, prints the message boxes, and tells by its exit status whether
// the game ran, failed to start, or the script was bad.
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
    EXPECT_EQ(r.out, "box [Palette load failed] Quit from Application ?\n");
}

TEST_F(HeadlessRunner, BadScriptExitsWithTwo) {
    EXPECT_EQ(Run(fixture::Map_Art_Folder(), "tick 1\njump 3\n").status, 2);
    EXPECT_EQ(Run(fixture::Map_Art_Folder(), "click 3\n").status, 2) << "a missing number";
    EXPECT_EQ(Run(dir / "missing", "tick 1\n").status, 2);
    EXPECT_EQ(Run(fixture::Game_Folder(), "items Nobody\n").status, 2) << "no character of that name";
}

}  // namespace
