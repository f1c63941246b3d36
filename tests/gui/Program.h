// A program started in a folder for a GUI test, its standard output and
// error kept in a file; killed if the test ends while it runs.
#pragma once
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

// A program run in a folder, its standard output and error kept in a file.
class Program {
  public:
    Program(const std::filesystem::path& folder, const std::filesystem::path& log, const char* program = ORVEX_PROGRAM)
        : log_(log) {
        pid_ = ::fork();
        if (pid_ == 0) {
            if (::chdir(folder.c_str()) != 0) std::_Exit(126);
            if (std::freopen(log.c_str(), "w", stderr) == nullptr || ::dup2(2, 1) < 0) std::_Exit(126);
            ::execl(program, program, static_cast<char*>(nullptr));
            std::_Exit(127);
        }
    }
    ~Program() {
        if (pid_ > 0 && !status_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    bool Started() const { return pid_ > 0; }
    // Its exit status once it has ended; nothing while it runs.
    std::optional<int> Status() {
        if (!status_ && pid_ > 0) {
            int raw = 0;
            if (::waitpid(pid_, &raw, WNOHANG) == pid_) status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128;
        }
        return status_;
    }
    std::string Log() const {
        std::ifstream in(log_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

  private:
    std::filesystem::path log_;
    pid_t pid_ = -1;
    std::optional<int> status_;
};
