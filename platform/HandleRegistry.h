// Records that the original kept 32-bit pointers in (sprites of types, a
// character's path and current act, an act entry's argument) hold a 32-bit
// handle instead. A registry of one kind hands out handles for live objects
// and resolves them; 0 is never a handle and means none.
#pragma once
#include <cstdint>
#include <vector>

template <class T>
class HandleRegistry {
  public:
    using Handle = std::uint32_t;

    // Registers p (not null) and returns its new handle.
    Handle Add(T* p) {
        if (p == nullptr) return 0;
        if (!free_.empty()) {
            Handle h = free_.back();
            free_.pop_back();
            slots_[h - 1] = p;
            return h;
        }
        slots_.push_back(p);
        return static_cast<Handle>(slots_.size());
    }

    // The object of a handle, or nullptr for 0 and for handles not in use
    // (a stale handle read from a file resolves to nothing).
    T* Get(Handle h) const {
        if (h == 0 || h > slots_.size()) return nullptr;
        return slots_[h - 1];
    }

    // Forgets a handle; the object itself belongs to the caller.
    void Remove(Handle h) {
        if (h == 0 || h > slots_.size() || slots_[h - 1] == nullptr) return;
        slots_[h - 1] = nullptr;
        free_.push_back(h);
    }

    void Clear() {
        slots_.clear();
        free_.clear();
    }

    std::size_t Live_Count() const { return slots_.size() - free_.size(); }

  private:
    std::vector<T*> slots_;
    std::vector<Handle> free_;
};
