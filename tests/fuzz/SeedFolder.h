// The command line of a seeds_ program: the one folder it writes into,
// created when missing.
#pragma once
#include <cstdio>
#include <filesystem>
#include <optional>

inline std::optional<std::filesystem::path> Seed_Folder(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return std::nullopt;
    }
    std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    return folder;
}
