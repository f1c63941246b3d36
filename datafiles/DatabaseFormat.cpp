#include "datafiles/DatabaseFormat.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <system_error>

#include "Objects/ModifierKinds.h"
#include "System/ErrorReport.h"
#include "platform/FileWrite.h"
#include "platform/PathResolver.h"

namespace {

bool Magic(FileReader& in) {
    char magic[DATABASE_MAGIC_SIZE];
    return in.Bytes(magic, sizeof magic) && std::memcmp(magic, DATABASE_MAGIC, sizeof magic) == 0;
}

// A table of count records read with the stored size, keeping room for
// the table's growth step; a failed allocation is fatal with text.
template <class T>
bool Read_Table(FileReader& in, std::vector<T>& table, std::uint32_t count, std::uint32_t stored_size,
                const char* text) {
    if (stored_size > sizeof(T) || !in.Fits(count, stored_size)) return false;
    std::vector<T> read;
    try {
        read.reserve(std::size_t{count} + TYPE_TABLE_STEP);
        read.assign(count, T{});
    } catch (const std::bad_alloc&) {
        Fatal_Error(text, "");
        return false;
    }
    if (!in.Records(read.data(), count, stored_size)) return false;
    table = std::move(read);
    return true;
}

// The magic, the record size and the count of a record file.
RecordFileResult Record_Header(FileReader& in, std::uint32_t expected, std::uint32_t limit, std::uint32_t& size,
                               std::uint32_t& count) {
    if (!Magic(in) || !in.Value(size) || !in.Value(count)) return RecordFileResult::INVALID;
    if (expected != ANY_COUNT && count != expected) return RecordFileResult::MISMATCH;
    if (size > limit || count > limit) return RecordFileResult::INVALID;
    return RecordFileResult::OK;
}

// Every object entry names a record of the table; every entry is a folder
// or of the tree's kind.
bool Tree_Entries_Fit(const CDataTree& tree, std::uint32_t count) {
    std::vector<TreeItem> open(tree.Children(TREE_ROOT).begin(), tree.Children(TREE_ROOT).end());
    while (!open.empty()) {
        const TreeItem item = open.back();
        open.pop_back();
        const std::int32_t image = tree.Image(item);
        if (image != TREE_FOLDER && image != tree.Kind()) return false;
        if (image != TREE_FOLDER && tree.Parameter(item) >= count) return false;
        open.insert(open.end(), tree.Children(item).begin(), tree.Children(item).end());
    }
    return true;
}

void Header(std::vector<std::uint8_t>& out) { Put_Bytes(out, DATABASE_MAGIC, DATABASE_MAGIC_SIZE); }

}  // namespace

// ---- Readers ----

bool Parse_Tree_File(FileReader& in, DatabaseImage& image) {
    std::uint32_t counts[3] = {};
    if (!Magic(in) || !in.Value(counts)) return false;
    if (counts[0] > MAX_ITEM_TYPES || counts[1] > MAX_FIXITEM_TYPES || counts[2] > MAX_CHAR_TYPES) return false;
    CDataTree* trees[3] = {&image.item_tree, &image.fixitem_tree, &image.char_tree};
    for (int t = 0; t < 3; ++t)
        if (!trees[t]->Load_Tree(in) || !Tree_Entries_Fit(*trees[t], counts[t])) return false;
    image.item_count = counts[0];
    image.fixitem_count = counts[1];
    image.char_count = counts[2];
    return true;
}

RecordFileResult Parse_Item_File(FileReader& in, std::uint32_t expected, std::vector<item_type>& items) {
    std::uint32_t size = 0, count = 0;
    const RecordFileResult header = Record_Header(in, expected, MAX_ITEM_TYPES, size, count);
    if (header != RecordFileResult::OK) return header;
    if (size > ITEM_RECORD_SIZE) return RecordFileResult::INVALID;
    return Read_Table(in, items, count, size, "Can't allocate memory for item data!") ? RecordFileResult::OK
                                                                                      : RecordFileResult::INVALID;
}

RecordFileResult Parse_Fixitem_File(FileReader& in, std::uint32_t expected, std::vector<fixitem_type>& fixitems,
                                    std::vector<fixitem_ext>& names) {
    std::uint32_t size = 0, count = 0, names_size = 0;
    const RecordFileResult header = Record_Header(in, expected, MAX_FIXITEM_TYPES, size, count);
    if (header != RecordFileResult::OK) return header;
    constexpr const char* NO_MEMORY = "Can't allocate memory for fixitem data!";
    std::vector<fixitem_type> records;
    std::vector<fixitem_ext> ext;
    if (!Read_Table(in, records, count, size, NO_MEMORY) || !in.Value(names_size) ||
        !Read_Table(in, ext, count, names_size, NO_MEMORY))
        return RecordFileResult::INVALID;
    fixitems = std::move(records);
    names = std::move(ext);
    return RecordFileResult::OK;
}

RecordFileResult Parse_Char_File(FileReader& in, std::uint32_t expected, std::vector<char_record>& chars) {
    std::uint32_t size = 0, count = 0;
    const RecordFileResult header = Record_Header(in, expected, MAX_CHAR_TYPES, size, count);
    if (header != RecordFileResult::OK) return header;
    return Read_Table(in, chars, count, size, "Can't allocate memory for character data!") ? RecordFileResult::OK
                                                                                           : RecordFileResult::INVALID;
}

bool Parse_Mod_File(FileReader& in, std::vector<modifier>& mods, std::uint32_t& first_free) {
    std::uint32_t size = 0, capacity = 0, head = 0;
    if (!Magic(in) || !in.Value(size) || !in.Value(capacity) || !in.Value(head)) return false;
    if (size > MOD_RECORD_SIZE || capacity < 1 || capacity > MAX_MOD_POOL || !in.Fits(capacity, size)) return false;
    std::vector<modifier> pool;
    try {
        pool.assign(capacity, modifier{});
    } catch (const std::bad_alloc&) {
        Fatal_Error("Can't allocate memory for modifier data!", "");
        return false;
    }
    if (!in.Records(pool.data(), capacity, size)) return false;
    mods = std::move(pool);
    first_free = head;
    return true;
}

std::vector<std::uint16_t> Type_Chain_Heads(const std::vector<item_type>& items,
                                            const std::vector<fixitem_ext>& fixitem_names,
                                            const std::vector<char_record>& chars) {
    std::vector<std::uint16_t> heads;
    for (std::size_t i = ITEM_TYPE_DEAD_BODY + 1; i < items.size(); ++i)
        heads.push_back(static_cast<std::uint16_t>(items[i].first_mod & 0xFFFF));
    // Copied out: the records are packed.
    for (const fixitem_ext& e : fixitem_names) heads.push_back(std::uint16_t{e.first_mod});
    for (const char_record& c : chars) heads.push_back(std::uint16_t{c.first_mod});
    return heads;
}

bool Check_Mod_Pool(const std::vector<modifier>& mods, std::uint32_t first_free,
                    const std::vector<std::uint16_t>& heads) {
    const std::uint32_t capacity = static_cast<std::uint32_t>(mods.size());
    if (capacity < 1 || capacity > MAX_MOD_POOL || first_free < 1 || first_free > capacity) return false;
    // Each record is met at most once, by the free list or by one chain.
    std::vector<bool> met(capacity, false);
    for (std::uint32_t r = first_free; r != capacity; r = mods[r].next) {
        if (r == 0 || r > capacity || met[r]) return false;
        met[r] = true;
    }
    for (std::uint16_t head : heads)
        for (std::uint32_t r = head; r != NO_INDEX; r = mods[r].next) {
            if (r == 0 || r >= capacity || met[r] || mods[r].type >= MOD_KIND_COUNT) return false;
            met[r] = true;
        }
    return true;
}

// ---- Writers ----

std::vector<std::uint8_t> Tree_File_Bytes(std::uint32_t item_count, std::uint32_t fixitem_count,
                                          std::uint32_t char_count, const CDataTree& item_tree,
                                          const CDataTree& fixitem_tree, const CDataTree& char_tree) {
    std::vector<std::uint8_t> out;
    Header(out);
    Put_U32(out, item_count);
    Put_U32(out, fixitem_count);
    Put_U32(out, char_count);
    item_tree.Save_Tree(out);
    fixitem_tree.Save_Tree(out);
    char_tree.Save_Tree(out);
    return out;
}

std::vector<std::uint8_t> Item_File_Bytes(const std::vector<item_type>& items) {
    std::vector<std::uint8_t> out;
    out.reserve(DATABASE_MAGIC_SIZE + 8 + items.size() * ITEM_RECORD_SIZE);
    Header(out);
    Put_U32(out, ITEM_RECORD_SIZE);
    Put_U32(out, static_cast<std::uint32_t>(items.size()));
    Put_Bytes(out, items.data(), items.size() * ITEM_RECORD_SIZE);
    return out;
}

std::vector<std::uint8_t> Fixitem_File_Bytes(const std::vector<fixitem_type>& fixitems,
                                             const std::vector<fixitem_ext>& names) {
    std::vector<std::uint8_t> out;
    Header(out);
    Put_U32(out, FIXITEM_RECORD_SIZE);
    Put_U32(out, static_cast<std::uint32_t>(fixitems.size()));
    for (fixitem_type t : fixitems) {
        t.sprite = 0;  // a sprite of the run
        Put_Bytes(out, &t, sizeof t);
    }
    Put_U32(out, FIXITEM_EXT_RECORD_SIZE);
    for (std::size_t i = 0; i < fixitems.size(); ++i) {
        const fixitem_ext e = i < names.size() ? names[i] : fixitem_ext{};
        Put_Bytes(out, &e, sizeof e);
    }
    return out;
}

std::vector<std::uint8_t> Char_File_Bytes(const std::vector<char_record>& chars) {
    std::vector<std::uint8_t> out;
    out.reserve(DATABASE_MAGIC_SIZE + 8 + chars.size() * CHAR_RECORD_SIZE);
    Header(out);
    Put_U32(out, CHAR_RECORD_SIZE);
    Put_U32(out, static_cast<std::uint32_t>(chars.size()));
    for (char_record c : chars) {
        // Sprites and a stored path of the run.
        c.body_sprite = 0;
        c.head_sprite = 0;
        c.path = 0;
        Put_Bytes(out, &c, sizeof c);
    }
    return out;
}

std::vector<std::uint8_t> Mod_File_Bytes(const std::vector<modifier>& mods, std::uint32_t first_free) {
    std::vector<std::uint8_t> out;
    out.reserve(DATABASE_MAGIC_SIZE + 12 + mods.size() * MOD_RECORD_SIZE);
    Header(out);
    Put_U32(out, MOD_RECORD_SIZE);
    Put_U32(out, static_cast<std::uint32_t>(mods.size()));
    Put_U32(out, first_free);
    Put_Bytes(out, mods.data(), mods.size() * MOD_RECORD_SIZE);
    return out;
}

// ---- Sources ----

std::unique_ptr<std::istream> FolderDatabaseSource::Open(DatabaseFile file, std::uint64_t& size) const {
    const auto path = Resolve_Path(DATABASE_FILE_NAMES[file]);
    if (!path) return nullptr;
    std::error_code ec;
    size = std::filesystem::file_size(*path, ec);
    if (ec) return nullptr;
    auto in = std::make_unique<std::ifstream>(*path, std::ios::binary);
    if (!*in) return nullptr;
    return in;
}

namespace {

// A stream over an image it holds a reference to.
class ImageInput : private MemoryBuffer, public std::istream {
  public:
    explicit ImageInput(const std::vector<std::uint8_t>& bytes)
        : MemoryBuffer(bytes.data(), bytes.size()), std::istream(static_cast<MemoryBuffer*>(this)) {}
};

}  // namespace

std::unique_ptr<std::istream> MemoryDatabaseSource::Open(DatabaseFile file, std::uint64_t& size) const {
    if (!files_[file]) return nullptr;
    size = files_[file]->size();
    return std::make_unique<ImageInput>(*files_[file]);
}

// ---- The staged read ----

namespace {

struct FileTexts {
    const char* unable;
    const char* invalid;
    const char* mismatch;
};
constexpr FileTexts FILE_TEXTS[DATABASE_FILES] = {
    {"Unable to open database file", "Invalid database file", nullptr},
    {"Unable to open item data file", "Invalid item data file", "Item tree and data doesn't match"},
    {"Unable to open fixitem data file", "Invalid fixitem data file", "Fixitem tree and data doesn't match"},
    {"Unable to open character data file", "Invalid character data file", "Character tree and data doesn't match"},
    {"Unable to open modifier data file", "Invalid modifier data file", nullptr},
};

// Reads one file with parse(reader) -> RecordFileResult; the fault's text
// or nullptr.
template <class Parse>
const char* Read_File(const DatabaseSource& source, DatabaseFile file, Parse parse) {
    std::uint64_t size = 0;
    std::unique_ptr<std::istream> in = source.Open(file, size);
    if (!in) return FILE_TEXTS[file].unable;
    FileReader reader(*in, size);
    switch (parse(reader)) {
        case RecordFileResult::OK: return nullptr;
        case RecordFileResult::MISMATCH: return FILE_TEXTS[file].mismatch;
        case RecordFileResult::INVALID: break;
    }
    return FILE_TEXTS[file].invalid;
}

RecordFileResult Result(bool ok) { return ok ? RecordFileResult::OK : RecordFileResult::INVALID; }

}  // namespace

const char* Read_Database(const DatabaseSource& source, DatabaseImage& image) {
    if (const char* fault =
            Read_File(source, DB_TREE_FILE, [&](FileReader& in) { return Result(Parse_Tree_File(in, image)); }))
        return fault;
    if (const char* fault = Read_File(
            source, DB_ITEM_FILE, [&](FileReader& in) { return Parse_Item_File(in, image.item_count, image.items); }))
        return fault;
    if (const char* fault = Read_File(source, DB_FIXITEM_FILE, [&](FileReader& in) {
            return Parse_Fixitem_File(in, image.fixitem_count, image.fixitems, image.fixitem_names);
        }))
        return fault;
    if (const char* fault = Read_File(
            source, DB_CHAR_FILE, [&](FileReader& in) { return Parse_Char_File(in, image.char_count, image.chars); }))
        return fault;
    Fill_Builtin_Item_Types(image.items);
    return Read_Mod_Database(source, Type_Chain_Heads(image.items, image.fixitem_names, image.chars), image.mods,
                             image.mod_first_free);
}

const char* Read_Mod_Database(const DatabaseSource& source, const std::vector<std::uint16_t>& heads,
                              std::vector<modifier>& mods, std::uint32_t& first_free) {
    std::vector<modifier> pool;
    std::uint32_t head = 0;
    if (const char* fault = Read_File(source, DB_MOD_FILE, [&](FileReader& in) {
            return Result(Parse_Mod_File(in, pool, head) && Check_Mod_Pool(pool, head, heads));
        }))
        return fault;
    mods = std::move(pool);
    first_free = head;
    return nullptr;
}
