// The stored paths of the characters: each path buffer is owned here and
// named by the handle in its character's record.
#include <memory>
#include <vector>

#include "Objects/Char/Characters.h"

namespace {

// A stored path and the character it was given to: a handle copied into
// another record (or read from a file) resolves to nothing there.
struct PathBuffer {
    std::uint16_t owner;
    std::vector<std::uint32_t> entries;
};

// The stored paths, owned here and named by the handles in the records
// (0 none); a freed handle is handed out again.
class PathTable {
  public:
    std::uint32_t Add(std::unique_ptr<PathBuffer> p) {
        if (!free_.empty()) {
            std::uint32_t h = free_.back();
            free_.pop_back();
            slots_[h - 1] = std::move(p);
            return h;
        }
        slots_.push_back(std::move(p));
        return static_cast<std::uint32_t>(slots_.size());
    }
    PathBuffer* Get(std::uint32_t h) const { return h == 0 || h > slots_.size() ? nullptr : slots_[h - 1].get(); }
    void Remove(std::uint32_t h) {
        if (Get(h) == nullptr) return;
        slots_[h - 1].reset();
        free_.push_back(h);
    }

  private:
    std::vector<std::unique_ptr<PathBuffer>> slots_;
    std::vector<std::uint32_t> free_;
};

PathTable& Path_Registry() {
    static PathTable table;
    return table;
}

// The path of c's handle when it was given to c.
PathBuffer* Own_Path(std::uint16_t c) {
    PathBuffer* p = Path_Registry().Get(chararray.records[c].path);
    return p != nullptr && p->owner == c ? p : nullptr;
}

}  // namespace

void Store_Char_Path(std::uint16_t c, const std::uint32_t* entries, std::uint16_t count, obj_ref target) {
    if (c >= chararray.Capacity()) return;
    Free_Char_Path(c);
    if (count == 0 || entries == nullptr) return;
    char_record& r = chararray.records[c];
    r.path = Path_Registry().Add(std::make_unique<PathBuffer>(PathBuffer{c, {entries, entries + count}}));
    r.path_entry = static_cast<std::uint16_t>(count - 1);
    r.path_target = target;
}

const std::vector<std::uint32_t>* Char_Path(std::uint16_t c) {
    if (c >= chararray.Capacity()) return nullptr;
    PathBuffer* p = Own_Path(c);
    return p != nullptr ? &p->entries : nullptr;
}

void Free_Char_Path(std::uint16_t c) {
    if (c >= chararray.Capacity()) return;
    char_record& r = chararray.records[c];
    if (Own_Path(c) != nullptr) Path_Registry().Remove(r.path);
    r.path = 0;
    r.path_entry = 0;
    r.path_target = NOOBJ;
}
