// The type editors on the X display: the game program with its editor,
// driven from inside by wx_type_editor_driver (controls found by their ids
// and clicked with wxUIActionSimulator) in a copy of artgen's folder. The
// long sword's type is edited from the item tree (a price out of range is
// refused and writes nothing); a placed door's hit points and its lock are
// set through the field tree, and Esc in its modifier page cancels; the
// door's type gets the type it turns into through "Set"; Save Data and Load
// Data keep them. The screenshots ("types-" and the step) land in
// test_gui-editor-shots beside the test program.
#include <gtest/gtest.h>

#include "tests/gui/DriverRun.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(TypeEditorWindow, EditsTypesAndPlacedObjects) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    const fs::path work = fs::temp_directory_path() / ("orvex-types-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::copy(Generated_Folder(), work, fs::copy_options::recursive);
    const fs::path shots = fs::path(EDITOR_SHOTS);
    fs::create_directories(shots);
    Remove_Shots(shots, "types-");
    const fs::path log = work / "driver.log";
    const std::optional<int> status = Run_Editor_Driver(TYPE_EDITOR_DRIVER, work, shots, log, 150s);
    ASSERT_TRUE(status) << "the driver did not end in time; log:\n" << Text_Of_File(log);
    EXPECT_EQ(*status, 0) << Text_Of_File(log);
    EXPECT_TRUE(fs::exists(shots / "types-02-editor-opens.png"));
    fs::remove_all(work);
}

}  // namespace
