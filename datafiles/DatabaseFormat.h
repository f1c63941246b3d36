// The five files of a type database and their layouts: "edit.edt" (the
// type counts and the three data trees), "item.dat", "fixitem.dat",
// "char.dat" and "mod.dat" (the records). A database is read whole into a
// DatabaseImage and checked before anything in memory changes; it is
// written from the tables as five file images.
#pragma once
#include <array>
#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/Modifiers.h"
#include "Objects/TypeTables.h"
#include "datafiles/DataTree.h"
#include "datafiles/FileReader.h"
#include "datafiles/ItemData.h"

enum DatabaseFile { DB_TREE_FILE, DB_ITEM_FILE, DB_FIXITEM_FILE, DB_CHAR_FILE, DB_MOD_FILE, DATABASE_FILES };

constexpr const char* TREE_FILE = "edit.edt";
constexpr const char* FIXITEM_DATA_FILE = "fixitem.dat";
constexpr const char* CHAR_DATA_FILE = "char.dat";
constexpr const char* MOD_DATA_FILE = "mod.dat";
constexpr const char* DATABASE_FILE_NAMES[DATABASE_FILES] = {TREE_FILE, ITEM_DATA_FILE, FIXITEM_DATA_FILE,
                                                             CHAR_DATA_FILE, MOD_DATA_FILE};

// Types are named by indexes of these widths: item types by 16 bits,
// fixitem and character types by signed 16 bits (a map's fixitem-type slot
// and a placed character keep their database type so). A table never
// holds more.
constexpr std::uint32_t MAX_FIXITEM_TYPES = 0x7FFF;
constexpr std::uint32_t MAX_CHAR_TYPES = 0x7FFF;
// The modifier pool is named by 16-bit indexes, 0xFFFF ending a chain.
constexpr std::uint32_t MAX_MOD_POOL = 0xFFFF;

// Room a table keeps for new types after a load, and its growth step.
constexpr std::uint32_t TYPE_TABLE_STEP = 100;

// Record sizes the files state.
constexpr std::uint32_t ITEM_RECORD_SIZE = sizeof(item_type);
constexpr std::uint32_t FIXITEM_RECORD_SIZE = sizeof(fixitem_type);
constexpr std::uint32_t FIXITEM_EXT_RECORD_SIZE = sizeof(fixitem_ext);
constexpr std::uint32_t CHAR_RECORD_SIZE = sizeof(char_record);
constexpr std::uint32_t MOD_RECORD_SIZE = sizeof(modifier);

// A whole database as the files hold it.
struct DatabaseImage {
    // The counts of edit.edt.
    std::uint32_t item_count = 0, fixitem_count = 0, char_count = 0;
    CDataTree item_tree{OBJ_ITEM}, fixitem_tree{OBJ_FIXITEM}, char_tree{OBJ_CHAR};
    std::vector<item_type> items;
    std::vector<fixitem_type> fixitems;
    std::vector<fixitem_ext> fixitem_names;  // indexed alike with fixitems
    std::vector<char_record> chars;
    std::vector<modifier> mods;  // the whole pool, its capacity its size
    std::uint32_t mod_first_free = 0;
};

// The outcome of reading one record file.
enum class RecordFileResult { OK, INVALID, MISMATCH };
constexpr std::uint32_t ANY_COUNT = 0xFFFFFFFF;

// ---- Readers: each reads one file's image from in; nothing else changes ----
// edit.edt: the magic, three counts within the index widths and three tree
// streams whose entries are folders or the tree's kind, each object entry
// naming a record below its count.
bool Parse_Tree_File(FileReader& in, DatabaseImage& image);
// A record file whose count differs from expected (unless ANY_COUNT) is
// MISMATCH, read no further. Records are read with the size the file states (larger than ours
// is INVALID) into zeroed records; the table keeps room for 100 more.
RecordFileResult Parse_Item_File(FileReader& in, std::uint32_t expected, std::vector<item_type>& items);
RecordFileResult Parse_Fixitem_File(FileReader& in, std::uint32_t expected, std::vector<fixitem_type>& fixitems,
                                    std::vector<fixitem_ext>& names);
RecordFileResult Parse_Char_File(FileReader& in, std::uint32_t expected, std::vector<char_record>& chars);
// mod.dat: the magic, the record size, a capacity of 1..0xFFFF, the free
// head and every record of the pool (checked by Check_Mod_Pool).
bool Parse_Mod_File(FileReader& in, std::vector<modifier>& mods, std::uint32_t& first_free);

// The chain heads of the types, which name records of the pool: item types
// from row 2 (rows 0 and 1 are built in), fixitem and character types.
std::vector<std::uint16_t> Type_Chain_Heads(const std::vector<item_type>& items,
                                            const std::vector<fixitem_ext>& fixitem_names,
                                            const std::vector<char_record>& chars);
// The pool is whole: its free list runs from the free head (1..capacity)
// through records 1..capacity-1 to the capacity without a cycle; every
// chain runs through used records of the pool (not 0, not free) without a
// cycle to 0xFFFF, no two chains share a record, and every record of a
// chain is of a modifier kind.
bool Check_Mod_Pool(const std::vector<modifier>& mods, std::uint32_t first_free,
                    const std::vector<std::uint16_t>& heads);

// ---- Writers: the file images of the tables; run-time handles as 0 ----
std::vector<std::uint8_t> Tree_File_Bytes(std::uint32_t item_count, std::uint32_t fixitem_count,
                                          std::uint32_t char_count, const CDataTree& item_tree,
                                          const CDataTree& fixitem_tree, const CDataTree& char_tree);
std::vector<std::uint8_t> Item_File_Bytes(const std::vector<item_type>& items);
std::vector<std::uint8_t> Fixitem_File_Bytes(const std::vector<fixitem_type>& fixitems,
                                             const std::vector<fixitem_ext>& names);
std::vector<std::uint8_t> Char_File_Bytes(const std::vector<char_record>& chars);
std::vector<std::uint8_t> Mod_File_Bytes(const std::vector<modifier>& mods, std::uint32_t first_free);

// The five file images of a database, in DatabaseFile order.
using DatabaseFiles = std::array<std::vector<std::uint8_t>, DATABASE_FILES>;

// ---- The staged read ----
// Where the five files are read from: the working folder, or images in
// memory. Open gives a file's stream and size, or nullptr when the file
// cannot be opened.
class DatabaseSource {
  public:
    virtual ~DatabaseSource() = default;
    virtual std::unique_ptr<std::istream> Open(DatabaseFile file, std::uint64_t& size) const = 0;
};

class FolderDatabaseSource : public DatabaseSource {
  public:
    std::unique_ptr<std::istream> Open(DatabaseFile file, std::uint64_t& size) const override;
};

// Images in memory; a file whose image is missing cannot be opened.
class MemoryDatabaseSource : public DatabaseSource {
  public:
    explicit MemoryDatabaseSource(const std::array<std::optional<std::vector<std::uint8_t>>, DATABASE_FILES>& files)
        : files_(files) {}
    std::unique_ptr<std::istream> Open(DatabaseFile file, std::uint64_t& size) const override;

  private:
    const std::array<std::optional<std::vector<std::uint8_t>>, DATABASE_FILES>& files_;
};

// Reads and checks the five files in their order (edit.edt, item.dat,
// fixitem.dat, char.dat, mod.dat) into image, with the built-in item types
// 0 and 1 in place. The status-line report of the first fault, nullptr
// when the whole database is good.
const char* Read_Database(const DatabaseSource& source, DatabaseImage& image);
// Reads mod.dat alone, checked against the given chain heads.
const char* Read_Mod_Database(const DatabaseSource& source, const std::vector<std::uint16_t>& heads,
                              std::vector<modifier>& mods, std::uint32_t& first_free);
