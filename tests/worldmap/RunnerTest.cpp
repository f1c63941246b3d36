// The world map's headless runner: a script of moves, clicks, passes, path
// searches and shots, and its exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "worldmap/WorldMapFixture.h"

namespace {

namespace fs = std::filesystem;

struct ran {
    int status = -1;
    std::string out;
};

class WorldMapRunner : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("worldmap-runner-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    ran Run(const std::string& script, const fs::path& folder) {
        std::ofstream(dir / "script.txt") << script;
        const std::string command = std::string(ORVEX_WORLDMAP_RUNNER) + " '" + folder.string() + "' '" +
                                    (dir / "script.txt").string() + "' '" + (dir / "shots").string() + "' 2>/dev/null";
        ran r;
        FILE* pipe = ::popen(command.c_str(), "r");
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) r.out += buffer;
        const int raw = ::pclose(pipe);
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return r;
    }
    fs::path dir;
};

TEST_F(WorldMapRunner, PlaysAScriptAndEndsWithStatusZero) {
    const ran r =
        Run("# the start\n"
            "state\n"
            "path 182 140\n"
            "path 380 20\n"
            "path 190 145\n"
            "click 7 100\n"
            "state\n"
            "move 300 200\n"
            "click 8 8\n"
            "pass 3\n"
            "shot start\n",
            dir);
    EXPECT_EQ(r.status, 0) << r.out;
    const std::string expected_start =
        "state player 365 280 scroll 120 120 walking 0 steps 0\n"
        "path 1 0 0\n"
        "path 0 0 0\n";
    EXPECT_EQ(r.out.substr(0, expected_start.size()), expected_start);
    EXPECT_NE(r.out.find("state player 365 280 scroll 120 120 walking 0 steps"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(dir / "shots" / "start.png"));
    EXPECT_GT(fs::file_size(dir / "shots" / "start.png"), 10000u);
}

// The ticks run on the runner's clock, the sound mixed as they go.
TEST_F(WorldMapRunner, TicksWalkTheMarkerAndRecordTheSound) {
    const ran r =
        Run("click 150 250\n"
            "state\n"
            "tick 10\n"
            "state\n"
            "wav ten\n"
            "tick 5\n"
            "wav five\n",
            WorldMapTest::Sound_Folder());
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("state player 365 280 scroll 120 120 walking 1 steps 80\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("walking 1 steps 70\n"), std::string::npos) << r.out;
    constexpr std::uintmax_t HEADER = 44, TICK = 4410 * 4;
    EXPECT_EQ(fs::file_size(dir / "shots" / "ten.wav"), HEADER + 10 * TICK);
    EXPECT_EQ(fs::file_size(dir / "shots" / "five.wav"), HEADER + 5 * TICK);
}

TEST_F(WorldMapRunner, ABadScriptOrFolderEndsWithStatusTwo) {
    EXPECT_EQ(Run("pass 1\njump 3\n", dir).status, 2);
    EXPECT_EQ(Run("pass\n", dir).status, 2);
    EXPECT_EQ(Run("state\n", dir / "missing").status, 2);
}

}  // namespace
