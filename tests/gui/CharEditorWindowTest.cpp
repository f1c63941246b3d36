// The character editor on the X display: the game program with its editor,
// driven from inside by wx_char_editor_driver (controls found by their ids
// and clicked with wxUIActionSimulator) in a copy of artgen's folder. The
// wolf type gets a new name, head and modifier from the character tree and
// is placed; the placed warrior gets a mace in his right hand and a potion
// in his backpack through the field tree's "Edit this character"; Test Map
// shows the new wolf and the mace, Esc comes back and Save Data keeps the
// type. The screenshots ("chars-" and the step) land in
// test_gui-editor-shots beside the test program.
#include <gtest/gtest.h>

#include "tests/gui/DriverRun.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(CharEditorWindow, EditsATypeAndAPlacedCharactersItems) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    const fs::path work = fs::temp_directory_path() / ("orvex-chars-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::copy(Generated_Folder(), work, fs::copy_options::recursive);
    const fs::path shots = fs::path(EDITOR_SHOTS);
    fs::create_directories(shots);
    Remove_Shots(shots, "chars-");
    const fs::path log = work / "driver.log";
    const std::optional<int> status = Run_Editor_Driver(CHAR_EDITOR_DRIVER, work, shots, log, 150s);
    ASSERT_TRUE(status) << "the driver did not end in time; log:\n" << Text_Of_File(log);
    EXPECT_EQ(*status, 0) << Text_Of_File(log);
    EXPECT_TRUE(fs::exists(shots / "chars-02-editor-opens.png"));
    fs::remove_all(work);
}

}  // namespace
