// artgen DIR: writes the game's working folder DIR with every file the game
// reads, all made by code: the artwork, the fonts, the cursors, "item.dat"
// and "start.map". The same bytes on every run.
#include <csignal>
#include <cstdio>
#include <string>

#include "tools/artgen/folder/WorkingFolder.h"

int main(int argc, char** argv) {
    // A file-size limit makes the write fail (and its temporary file go)
    // instead of killing the program half-way.
    std::signal(SIGXFSZ, SIG_IGN);
    // An option (--help) is not a folder to write into.
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: %s DIR\n", argc > 0 ? argv[0] : "artgen");
        return 2;
    }
    std::string error;
    if (!art::Write_Working_Folder(argv[1], error)) {
        std::fprintf(stderr, "artgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
