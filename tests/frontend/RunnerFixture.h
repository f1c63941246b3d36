// Runs the headless runner program on a working folder with a script, and
// keeps what it printed, its exit status and the shots it wrote.
#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

struct run_result {
    int status = -1;
    std::string out;
    std::string err;  // what it wrote on standard error
};

struct Command_Result {
    int status = -1;
    std::string out;
};

// Runs command through the shell and keeps what it printed on standard
// output and its exit status (-1 when it could not run or did not exit).
inline Command_Result Run_Command(const std::string& command) {
    Command_Result r;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return r;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) r.out += buffer;
    const int raw = ::pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

class RunnerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("orvex-runner-" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Plays script on the game in folder; the shots go to shots (dir/shots
    // when empty).
    run_result Run(const std::filesystem::path& folder, const std::string& script,
                   const std::filesystem::path& shots = {}) {
        std::ofstream(dir / "script.txt") << script;
        const std::filesystem::path out = shots.empty() ? dir / "shots" : shots;
        const std::string command = std::string(ORVEX_HEADLESS_RUNNER) + " '" + folder.string() + "' '" +
                                    (dir / "script.txt").string() + "' '" + out.string() + "' 2>'" +
                                    (dir / "err.txt").string() + "'";
        std::filesystem::remove(dir / "err.txt");
        const Command_Result ran = Run_Command(command);
        run_result r{ran.status, ran.out, {}};
        std::ifstream err(dir / "err.txt");
        r.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
        return r;
    }
    std::filesystem::path dir;
};
