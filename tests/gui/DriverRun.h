// Runs one of the editor's window drivers (tests/gui/editor) in a folder
// under an outer time limit, its output kept in a log.
#pragma once
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/frontend/GeneratedFolder.h"

// A program with its arguments, its output (standard output and error) in
// log; its exit status, or nothing when it did not end within limit (it is
// killed then).
inline std::optional<int> Run_Program(const std::vector<std::string>& command, const std::filesystem::path& log,
                                      std::chrono::seconds limit) {
    using namespace std::chrono_literals;
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (std::freopen(log.c_str(), "w", stderr) == nullptr || ::dup2(2, 1) < 0) std::_Exit(126);
        std::vector<char*> argv;
        for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
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

// The driver's exit status, or nothing when it did not end in time. It runs
// in folder with artgen's folder beside for comparison, and writes its
// screenshots into shots.
inline std::optional<int> Run_Editor_Driver(const char* program, const std::filesystem::path& folder,
                                            const std::filesystem::path& shots, const std::filesystem::path& log,
                                            std::chrono::seconds limit) {
    return Run_Program({program, folder.string(), Generated_Folder().string(), shots.string()}, log, limit);
}

inline std::string Text_Of_File(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Removes the screenshots in shots whose names begin with prefix.
inline void Remove_Shots(const std::filesystem::path& shots, const std::string& prefix) {
    std::error_code ignored;
    for (const auto& f : std::filesystem::directory_iterator(shots, ignored))
        if (f.path().filename().string().rfind(prefix, 0) == 0) std::filesystem::remove(f.path(), ignored);
}
