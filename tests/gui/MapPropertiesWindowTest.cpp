// The map properties dialog on the X display: wx_map_properties_driver runs
// the game with its editor in a copy of artgen's folder and drives the
// dialog (controls found by their ids, clicked and typed into with
// wxUIActionSimulator; the message boxes and the file dialogs answered from
// the keyboard): the range message, "Close" with a bad width, start.map
// grown to 22 x 18 x 2, saved as "grown.map", a new 8 x 6 x 1 map, "grown.map"
// loaded again. A screenshot per step ("props-" and the step) lands in
// test_gui-editor-shots beside the test program. The saved map then plays in
// the headless runner.
#include <gtest/gtest.h>

#include "tests/gui/DriverRun.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(MapPropertiesWindow, GrowsSavesMakesNewAndLoadsAMap) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    const fs::path work = fs::temp_directory_path() / ("orvex-map-properties-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::copy(Generated_Folder(), work, fs::copy_options::recursive);
    const fs::path shots = fs::path(EDITOR_SHOTS);
    fs::create_directories(shots);
    Remove_Shots(shots, "props-");
    const fs::path log = work.string() + "-driver.log";
    const std::optional<int> status = Run_Editor_Driver(MAP_PROPERTIES_DRIVER, work, shots, log, 150s);
    ASSERT_TRUE(status) << "the driver did not end in time; log:\n" << Text_Of_File(log);
    EXPECT_EQ(*status, 0) << Text_Of_File(log);
    EXPECT_TRUE(fs::exists(shots / "props-02-editor-opens.png"));

    // The saved map is a game's start map.
    const fs::path grown = work / "ARTWORK" / "MAPS" / "grown.map";
    ASSERT_TRUE(fs::exists(grown));
    const fs::path play = work.string() + "-play";
    fs::remove_all(play);
    fs::copy(Generated_Folder(), play, fs::copy_options::recursive);
    fs::copy_file(grown, play / "start.map", fs::copy_options::overwrite_existing);
    std::ofstream(play / "script.txt") << "tick 40\nchars\n";
    const fs::path run_log = play.string() + "-run.log";
    const std::optional<int> played = Run_Program(
        {HEADLESS_RUNNER, play.string(), (play / "script.txt").string(), (play / "shots").string()}, run_log, 60s);
    ASSERT_TRUE(played) << "the headless runner did not end in time";
    const std::string out = Text_Of_File(run_log);
    EXPECT_EQ(*played, 0) << out;
    EXPECT_NE(out.find("\nchar "), std::string::npos) << "no characters on the grown map:\n" << out;
    EXPECT_EQ(out.find("box "), std::string::npos) << "the grown map raised a message box:\n" << out;
    fs::remove_all(work);
    fs::remove_all(play);
    fs::remove(log);
    fs::remove(run_log);
}

}  // namespace
