// The editor's data trees on the X display: the game program with its
// editor, driven from inside by wx_tree_driver (controls found by their ids
// and clicked with wxUIActionSimulator) in a copy of artgen's folder. Each
// tab shows one tree; a door, a wolf and a long sword are selected in their
// trees and placed; a new fixitem type is inserted from the context menu,
// renamed in place, dragged into a folder and deleted into the bin; Save
// Data and Load Data keep the trees byte for byte. The screenshots
// ("trees-" and the step) land in test_gui-editor-shots beside the test
// program.
#include <gtest/gtest.h>

#include "tests/gui/DriverRun.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(DataTreeWindow, PlacesFromTheTreesAndEditsThem) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    const fs::path work = fs::temp_directory_path() / ("orvex-trees-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::copy(Generated_Folder(), work, fs::copy_options::recursive);
    const fs::path shots = fs::path(EDITOR_SHOTS);
    fs::create_directories(shots);
    Remove_Shots(shots, "trees-");
    const fs::path log = work / "driver.log";
    const std::optional<int> status = Run_Editor_Driver(TREE_DRIVER, work, shots, log, 150s);
    ASSERT_TRUE(status) << "the driver did not end in time; log:\n" << Text_Of_File(log);
    EXPECT_EQ(*status, 0) << Text_Of_File(log);
    EXPECT_TRUE(fs::exists(shots / "trees-02-editor-opens.png"));
    fs::remove_all(work);
}

}  // namespace
