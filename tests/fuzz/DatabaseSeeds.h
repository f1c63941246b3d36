// The seed corpus of the database targets: the default database as artgen
// writes it and a small one made from an empty database, both through the
// game's own writers; each target takes the files it reads.
#pragma once
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "Objects/ModifierKinds.h"
#include "datafiles/Database.h"
#include "platform/PathResolver.h"
#include "tests/fuzz/DatabaseFuzz.h"
#include "tests/fuzz/SeedFolder.h"
#include "tools/artgen/folder/TypeDatabase.h"

using SeedBytes = std::vector<std::uint8_t>;

inline DatabaseInput Read_Database_Folder(const std::filesystem::path& folder) {
    DatabaseInput files;
    for (int f = 0; f < DATABASE_FILES; ++f) {
        std::ifstream in(folder / DATABASE_FILE_NAMES[f], std::ios::binary);
        files[f] = SeedBytes(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

// A database of a few types: the empty one with a folder, two item types, a
// fixitem type and a character type, one of them with a modifier.
inline void Save_Small_Database(const std::filesystem::path& folder) {
    Reset_Database_State();
    Init_Empty_Database();
    const TreeItem folder_item = item_data_tree.Insert_Item("Things", TREE_FOLDER, 0, TREE_ROOT, TREE_FIRST);
    for (int k = 0; k < 2; ++k) {
        const std::int32_t t = New_Item_Type();
        item_data_tree.Insert_Item("Thing", OBJ_ITEM, static_cast<std::uint32_t>(t), folder_item);
    }
    Add_Mod_To_Owner(1, Make_Obj(OBJ_ITEM, 2), MK_MULTIPLE_ITEMS, 1, 2, 0, 0);
    fixitem_data_tree.Insert_Item("Floor", OBJ_FIXITEM, static_cast<std::uint32_t>(New_Fixitem_Type()));
    char_data_tree.Insert_Item("Rat", OBJ_CHAR, static_cast<std::uint32_t>(New_Char_Type()));
    Set_Working_Folder(folder);
    Save_Database();
    Set_Working_Folder({});
}

// Writes pick(files) of both databases as the seeds.
inline int Write_Database_Seeds(int argc, char** argv,
                                const std::function<std::vector<SeedBytes>(const DatabaseInput&)>& pick) {
    const auto seed_folder = Seed_Folder(argc, argv);
    if (!seed_folder) return 2;
    Quiet_Database_Fuzzing();
    const std::filesystem::path work = *seed_folder / "databases";
    std::filesystem::create_directories(work / "default");
    std::filesystem::create_directories(work / "small");
    if (!art::Write_Type_Database(work / "default")) return 1;
    Save_Small_Database(work / "small");
    int n = 0;
    for (const char* which : {"default", "small"})
        for (const SeedBytes& seed : pick(Read_Database_Folder(work / which))) {
            std::ofstream out(*seed_folder / ("seed" + std::to_string(n++)), std::ios::binary);
            out.write(reinterpret_cast<const char*>(seed.data()), static_cast<std::streamsize>(seed.size()));
            if (!out) return 1;
        }
    std::filesystem::remove_all(work);
    return 0;
}

// The seeds of a target that reads one file.
inline int Write_File_Seeds(int argc, char** argv, DatabaseFile file) {
    return Write_Database_Seeds(argc, argv,
                                [file](const DatabaseInput& files) { return std::vector<SeedBytes>{*files[file]}; });
}
