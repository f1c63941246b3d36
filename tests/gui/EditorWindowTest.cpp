// The editor on the X display: the game program with its editor, driven
// from inside by wx_editor_driver (controls found by their ids and clicked
// with wxUIActionSimulator) in a copy of artgen's folder. E opens it with
// the database loaded; Save Data writes artgen's files again; Load Data
// without mod.dat is refused and keeps the database; the door is listed,
// selected, turned, copied and moved, its field raised; the hexagon grid
// and a level are shown; Test Map plays the map and Esc comes back to the
// copy; the wolf type gets a new name, head and modifier from the character
// tree and is placed; the placed warrior gets a mace in his right hand and
// a potion in his backpack; Test Map shows both and Save Data keeps the
// type; OK closes the editor. A screenshot per step lands in
// test_gui-editor-shots beside the test program.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/frontend/GeneratedFolder.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The driver's exit status, or nothing when it did not end in time (it is
// killed then).
std::optional<int> Run_Driver(const fs::path& folder, const fs::path& shots, const fs::path& log,
                              std::chrono::seconds limit) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (std::freopen(log.c_str(), "w", stderr) == nullptr || ::dup2(2, 1) < 0) std::_Exit(126);
        ::execl(EDITOR_DRIVER, EDITOR_DRIVER, folder.c_str(), Generated_Folder().c_str(), shots.c_str(),
                static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    if (pid < 0) return std::nullopt;
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
        int raw = 0;
        if (::waitpid(pid, &raw, WNOHANG) == pid) return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128;
        std::this_thread::sleep_for(200ms);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return std::nullopt;
}

std::string Text_Of(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(EditorWindow, PlacesTestPlaysAndComesBack) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    const fs::path work = fs::temp_directory_path() / ("orvex-editor-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::copy(Generated_Folder(), work, fs::copy_options::recursive);
    const fs::path shots = fs::path(EDITOR_SHOTS);
    fs::remove_all(shots);
    const fs::path log = work / "driver.log";
    const std::optional<int> status = Run_Driver(work, shots, log, 150s);
    ASSERT_TRUE(status) << "the driver did not end in time; log:\n" << Text_Of(log);
    EXPECT_EQ(*status, 0) << Text_Of(log);
    EXPECT_TRUE(fs::exists(shots / "02-editor-opens.png"));
    fs::remove_all(work);
}

}  // namespace
