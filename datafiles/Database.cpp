// Loading and saving the database, and keeping it while the editor is
// closed.
#include "datafiles/Database.h"

#include <optional>

#include "datafiles/Hooks.h"
#include "datafiles/MapFile.h"
#include "platform/FileWrite.h"
#include "platform/PathResolver.h"

CDataTree item_data_tree{OBJ_ITEM};
CDataTree fixitem_data_tree{OBJ_FIXITEM};
CDataTree char_data_tree{OBJ_CHAR};
std::uint32_t database_in_memory = 0;

namespace {

// The editor's database while the editor is closed or a map load replaces
// the item types, as its five files.
std::optional<std::array<std::optional<std::vector<std::uint8_t>>, DATABASE_FILES>> kept_database;

constexpr const char* SAVE_TEXTS[DATABASE_FILES] = {"Unable to open database file", "Unable to open item datafile",
                                                    "Unable to open fixitem data file", "Unable to open char data file",
                                                    "Unable to open mod data file"};

void Install_Database(DatabaseImage& image) {
    item_types = std::move(image.items);
    fixitem_data = std::move(image.fixitems);
    fixitem_data_ext = std::move(image.fixitem_names);
    char_data = std::move(image.chars);
    mod_data.records = std::move(image.mods);
    mod_data.first_free = image.mod_first_free;
    item_data_tree = std::move(image.item_tree);
    fixitem_data_tree = std::move(image.fixitem_tree);
    char_data_tree = std::move(image.char_tree);
    for (CDataTree* tree : {&item_data_tree, &fixitem_data_tree, &char_data_tree}) tree->Find_Recycle_Bin();
    database_in_memory = 1;
    kept_database.reset();
    Hook_Trees_Replaced();
}

}  // namespace

DatabaseFiles Database_Files_Of_Tables() {
    DatabaseFiles files;
    files[DB_TREE_FILE] = Tree_File_Bytes(
        static_cast<std::uint32_t>(item_types.size()), static_cast<std::uint32_t>(fixitem_data.size()),
        static_cast<std::uint32_t>(char_data.size()), item_data_tree, fixitem_data_tree, char_data_tree);
    files[DB_ITEM_FILE] = Item_File_Bytes(item_types);
    files[DB_FIXITEM_FILE] = Fixitem_File_Bytes(fixitem_data, fixitem_data_ext);
    files[DB_CHAR_FILE] = Char_File_Bytes(char_data);
    files[DB_MOD_FILE] = Mod_File_Bytes(mod_data.records, mod_data.first_free);
    return files;
}

const char* Install_Database_From(const DatabaseSource& source) {
    DatabaseImage image;
    if (const char* fault = Read_Database(source, image)) return fault;
    Install_Database(image);
    return nullptr;
}

void Load_Database() {
    if (const char* fault = Install_Database_From(FolderDatabaseSource{})) {
        Editor_Message(fault);
        return;
    }
    Editor_Message("Database loaded");
}

bool Save_Database() {
    const DatabaseFiles files = Database_Files_Of_Tables();
    std::vector<FileImage> images;
    for (int f = 0; f < DATABASE_FILES; ++f)
        images.push_back({Resolve_Path_For_Write(DATABASE_FILE_NAMES[f]), &files[static_cast<std::size_t>(f)]});
    std::size_t failed = 0;
    if (!Write_Files_Atomic(images, failed)) {
        Editor_Message(SAVE_TEXTS[failed]);
        return false;
    }
    Editor_Message("Database saved");
    return true;
}

bool Load_Mod_Database() {
    std::vector<modifier> pool;
    std::uint32_t head = 0;
    if (const char* fault = Read_Mod_Database(FolderDatabaseSource{},
                                              Type_Chain_Heads(item_types, fixitem_data_ext, char_data), pool, head)) {
        Editor_Message(fault);
        return false;
    }
    mod_data.records = std::move(pool);
    mod_data.first_free = head;
    return true;
}

void Load_Data() {
    Hook_Empty_Field_List();
    Load_Database();
}

void Save_Data() {
    Hook_Empty_Field_List();
    Save_Database();
}

void Open_Editor_Database() {
    Hook_Empty_Field_List();
    if (kept_database) {
        Put_Back_Database();
        return;
    }
    if (database_in_memory) return;
    Load_Database();
    if (!database_in_memory) Init_Empty_Database();
}

void Close_Editor_Database() {
    if (database_in_memory) Keep_Database();
}

bool Load_Map_In_Editor(const char* file_name) {
    Keep_Database();
    const bool loaded = Load_Map(file_name);
    Put_Back_Database();
    return loaded;
}

void Keep_Database() {
    DatabaseFiles files = Database_Files_Of_Tables();
    kept_database.emplace();
    for (int f = 0; f < DATABASE_FILES; ++f)
        (*kept_database)[static_cast<std::size_t>(f)] = std::move(files[static_cast<std::size_t>(f)]);
}

bool Put_Back_Database() {
    if (!kept_database) return false;
    if (const char* fault = Install_Database_From(MemoryDatabaseSource(*kept_database))) {
        Editor_Message(fault);
        return false;
    }
    return true;
}

void Reset_Database_State() {
    Free_Item_Types();
    std::vector<fixitem_type>().swap(fixitem_data);
    std::vector<fixitem_ext>().swap(fixitem_data_ext);
    std::vector<char_record>().swap(char_data);
    Free_Mod_Pool();
    for (CDataTree* tree : {&item_data_tree, &fixitem_data_tree, &char_data_tree}) tree->Delete_All_Items();
    kept_database.reset();
    database_in_memory = 0;
}
