// The working folder the artwork generator writes (the default artwork and
// its "start.map"), made by running the artgen program once beside the test
// program, and again whenever artgen was built anew.
#pragma once
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/MapArtFolder.h"

// Runs artgen DIR; its exit status.
inline int Run_Artgen(const std::filesystem::path& dir) {
    const std::string command = std::string(ORVEX_ARTGEN) + " '" + dir.string() + "' >/dev/null 2>&1";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

inline std::filesystem::path Generated_Folder() {
    static const std::filesystem::path folder = [] {
        std::error_code ec;
        const auto built = std::filesystem::last_write_time(ORVEX_ARTGEN, ec).time_since_epoch().count();
        const std::string version = "artgen " + std::to_string(built);
        return fixture::Cached_Folder("-artgen", version.c_str(),
                                      [](const std::filesystem::path& root) { return Run_Artgen(root) == 0; });
    }();
    return folder;
}
