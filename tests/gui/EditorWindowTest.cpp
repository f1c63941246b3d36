// The editor on the X display: the game program with its editor, driven
// from inside by wx_editor_driver (controls found by their ids and clicked
// with wxUIActionSimulator) in a copy of artgen's folder. E opens it with
// the database loaded; Save Data writes artgen's files again; Load Data
// without mod.dat is refused and keeps the database; the door is listed,
// selected, turned, copied and moved, its field raised; the hexagon grid
// and a level are shown; Test Map plays the map and Esc comes back to the
// copy; OK closes the editor. A screenshot per step lands in
// test_gui-editor-shots beside the test program.
#include <gtest/gtest.h>

#include "tests/gui/DriverRun.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(EditorWindow, PlacesTestPlaysAndComesBack) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    const fs::path work = fs::temp_directory_path() / ("orvex-editor-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::copy(Generated_Folder(), work, fs::copy_options::recursive);
    const fs::path shots = fs::path(EDITOR_SHOTS);
    // The data trees' test keeps its own screenshots ("trees-") there.
    fs::create_directories(shots);
    for (char tens = '0'; tens <= '9'; ++tens) Remove_Shots(shots, std::string(1, tens));
    const fs::path log = work / "driver.log";
    const std::optional<int> status = Run_Editor_Driver(EDITOR_DRIVER, work, shots, log, 150s);
    ASSERT_TRUE(status) << "the driver did not end in time; log:\n" << Text_Of_File(log);
    EXPECT_EQ(*status, 0) << Text_Of_File(log);
    EXPECT_TRUE(fs::exists(shots / "02-editor-opens.png"));
    fs::remove_all(work);
}

}  // namespace
