#include "tools/artgen/folder/WorkingFolder.h"

#include <unistd.h>
#include <system_error>

#include "tools/artgen/Artwork.h"
#include "tools/artgen/folder/ArenaMap.h"
#include "tools/artgen/folder/ArtFiles.h"
#include "tools/artgen/folder/StartMap.h"
#include "tools/artgen/folder/TypeDatabase.h"

namespace art {

namespace fs = std::filesystem;

bool Write_Working_Files(const fs::path& root, std::string& error) {
    file_fault fault;
    if (!Write_Artwork_Files(root, Make_Artwork(), &fault)) {
        error = fault.path.empty() ? "cannot write the artwork into " + root.string() : "cannot write " + fault.Text();
        return false;
    }
    if (!Write_Type_Database(root)) {
        error = "cannot write the database files into " + root.string();
        return false;
    }
    if (!Write_Start_Map(root, &fault)) {
        error = "cannot write " + fault.Text();
        return false;
    }
    if (!Write_Arena_Map(root)) {
        error = "cannot write the arena map ARTWORK/MAPS/aa.bin into " + root.string();
        return false;
    }
    return true;
}

bool Write_Working_Folder(const fs::path& dir, std::string& error) {
    std::error_code ec;
    if (fs::is_directory(dir, ec)) return Write_Working_Files(dir, error);
    if (fs::exists(dir, ec)) {
        error = dir.string() + " exists and is not a folder";
        return false;
    }
    const fs::path parent = dir.has_parent_path() ? dir.parent_path() : fs::path(".");
    fs::create_directories(parent, ec);
    std::string name = dir.filename().string();
    name += ".partial-";
    name += std::to_string(::getpid());
    const fs::path partial = parent / name;
    fs::remove_all(partial, ec);
    fs::create_directory(partial, ec);
    if (ec) {
        error = "cannot make " + partial.string() + ": " + ec.message();
        return false;
    }
    if (!Write_Working_Files(partial, error)) {
        fs::remove_all(partial, ec);
        return false;
    }
    fs::rename(partial, dir, ec);
    if (ec) {
        error = "cannot rename " + partial.string() + " to " + dir.string() + ": " + ec.message();
        fs::remove_all(partial, ec);
        return false;
    }
    return true;
}

}  // namespace art
