// One array of fixed-layout records addressed by 16-bit indexes: the
// storage, the free list threaded through the records themselves, growth
// in fixed steps that stops before an index could be 0xFFFF, and the marks
// that tell a free record from one in use. Each record type says through
// its RecordTraits how it links a free record and what a record looks like
// when it is made, freed and taken; the arrays of the map, the items, the
// characters, the map animations, the modifiers, the timers and the acts
// are all of this one kind.
#pragma once
#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "Objects/ObjRef.h"
#include "System/ErrorReport.h"

enum class FreeMarks {
    None,      // nothing asks whether a record is free
    Kept,      // one flag per record beside the array
    InRecord,  // the record carries its own mark (Is_Free_Record)
};

// Specialised beside each record type, derived from RecordTraitsBase, with:
//   static std::uint16_t Next(const T&)      the free-list link of a free record
//   static void Fresh(T&, std::uint16_t next) a record never used, on the list
//   static void Freed(T&, std::uint16_t next) a record given back, on the list
//   static void Taken(T&)                     a record just taken off the list
// and, for marks kept in the record, static bool Is_Free_Record(const T&).
template <class T>
struct RecordTraits;

// The usual rules, which a record's traits override where it differs.
struct RecordTraitsBase {
    static constexpr FreeMarks MARKS = FreeMarks::Kept;
    // The free list ends at the index equal to the capacity, not at 0xFFFF.
    static constexpr bool ENDS_AT_CAPACITY = false;
    // Records added by growth are handed out from the highest down.
    static constexpr bool GROWS_FALLING = false;
};

// The records of the fields' object lists (map records, items, characters,
// map animations): a free record's link is {0, next free}.
template <class T>
struct FieldListRecordTraits : RecordTraitsBase {
    static std::uint16_t Next(const T& r) { return Obj_Index(r.link); }
    static void Link_Free(T& r, std::uint16_t next) { r.link = Make_Obj(OBJ_NONE, next); }
};

// The largest capacity: with 0xFFFF records an index would be 0xFFFF, "none".
constexpr std::uint32_t RECORD_ARRAY_LIMIT = 0xFFFF;

template <class T, std::uint16_t GrowthStep, std::uint16_t FirstUsable = 0>
struct RecordArray {
    using Traits = RecordTraits<T>;

    std::vector<T> records;
    std::uint16_t first_free = Traits::ENDS_AT_CAPACITY ? 0 : NO_INDEX;

    std::uint16_t Capacity() const { return static_cast<std::uint16_t>(records.size()); }
    T& operator[](std::uint16_t i) { return records[i]; }
    const T& operator[](std::uint16_t i) const { return records[i]; }

    // The index that ends the free list.
    std::uint16_t End() const { return Traits::ENDS_AT_CAPACITY ? Capacity() : NO_INDEX; }
    bool Has_Free() const { return first_free < Capacity(); }

    bool Is_Free(std::uint16_t i) const {
        if constexpr (Traits::MARKS == FreeMarks::Kept)
            return i < free_marks.size() && free_marks[i];
        else if constexpr (Traits::MARKS == FreeMarks::InRecord)
            return i < Capacity() && Traits::Is_Free_Record(records[i]);
        else
            return false;
    }
    // A record that may be given back: usable and in use.
    bool Can_Free(std::uint16_t i) const { return i >= FirstUsable && i < Capacity() && !Is_Free(i); }

    // capacity zeroed records, none of them free yet; false (and nothing
    // left) when there is no memory.
    bool Allocate(std::uint32_t capacity) {
        try {
            records.assign(capacity, T{});
            if constexpr (Traits::MARKS == FreeMarks::Kept) free_marks.assign(capacity, false);
        } catch (const std::bad_alloc&) {
            Release();
            return false;
        }
        first_free = End();
        return true;
    }
    // Allocate, ending the program with fault when there is no memory.
    bool Allocate_Or_Fatal(std::uint32_t capacity, const char* fault) {
        if (Allocate(capacity)) return true;
        Fatal_Error(fault, "");
        return false;
    }

    // Records 0 .. n - 1 stand outside the free list for a loader to fill,
    // each as a record just taken.
    void Keep_In_Use(std::uint32_t n) {
        for (std::uint32_t i = 0; i < n && i < Capacity(); ++i) Traits::Taken(records[i]);
    }

    // n records for a loader to fill (each as a record just taken), then
    // GrowthStep free ones; false, ending the program with fault, when there
    // is no memory.
    bool Allocate_For(std::uint32_t n, const char* fault) {
        const std::uint32_t capacity = std::min<std::uint32_t>(n + GrowthStep, RECORD_ARRAY_LIMIT);
        if (!Allocate_Or_Fatal(capacity, fault)) return false;
        Keep_In_Use(n);
        Chain_Free(n, capacity);
        return true;
    }

    // Records from .. to - 1 become fresh free records, handed out in rising
    // order; the last links to whatever the list held (its end when empty).
    void Chain_Free(std::uint32_t from, std::uint32_t to) {
        if (from >= to) return;
        const std::uint16_t tail = first_free < Capacity() ? first_free : End();
        for (std::uint32_t i = from; i < to; ++i) {
            const auto next = static_cast<std::uint16_t>(i + 1 < to ? i + 1 : tail);
            Traits::Fresh(records[i], next);
            Mark(static_cast<std::uint16_t>(i), true);
        }
        first_free = static_cast<std::uint16_t>(from);
    }

    // GrowthStep more usable records, the capacity never passing
    // RECORD_ARRAY_LIMIT; they go on the free list. False when the array
    // cannot grow.
    bool Grow() {
        const std::uint32_t old_capacity = Capacity();
        const std::uint32_t usable_from = std::max<std::uint32_t>(old_capacity, FirstUsable);
        const std::uint32_t capacity = std::min<std::uint32_t>(usable_from + GrowthStep, RECORD_ARRAY_LIMIT);
        if (capacity <= old_capacity) return false;
        const bool was_empty = !Has_Free();
        try {
            records.resize(capacity, T{});
            if constexpr (Traits::MARKS == FreeMarks::Kept) free_marks.resize(capacity, false);
        } catch (const std::bad_alloc&) {
            return false;
        }
        if (was_empty) first_free = End();
        // Records below the first usable one, made when the array grows from
        // nothing, are never handed out; they look like records in use.
        for (std::uint32_t i = old_capacity; i < usable_from && i < capacity; ++i) Traits::Taken(records[i]);
        if constexpr (Traits::GROWS_FALLING) {
            for (std::uint32_t i = usable_from; i < capacity; ++i) Push(static_cast<std::uint16_t>(i));
        } else {
            Chain_Free(usable_from, capacity);
        }
        return true;
    }

    // Takes the first free record; the caller has made sure there is one.
    std::uint16_t Pop() {
        const std::uint16_t i = first_free;
        T& r = records[i];
        first_free = Traits::Next(r);
        Mark(i, false);
        Traits::Taken(r);
        return i;
    }

    // A record off the free list, growing the array when none is free;
    // NO_INDEX when it cannot grow.
    std::uint16_t New() {
        if (!Has_Free() && !Grow()) return NO_INDEX;
        return Pop();
    }
    // New, reporting fault (a query box) when the array cannot grow.
    std::uint16_t New_Or_Report(const char* fault) {
        const std::uint16_t i = New();
        if (i == NO_INDEX) Error_Query_Quit(fault);
        return i;
    }

    // Gives record i back: it is handed out first again.
    void Push(std::uint16_t i) {
        Traits::Freed(records[i], first_free);
        first_free = i;
        Mark(i, true);
    }

    // Gives back a whole chain from head to last (linked through the free
    // links) in one splice.
    void Push_Chain(std::uint16_t head, std::uint16_t last) {
        Traits::Freed(records[last], first_free);
        first_free = head;
    }

    void Release() {
        records.clear();
        records.shrink_to_fit();
        free_marks.clear();
        first_free = End();
    }

    // The free marks again from the free list, after a loader filled the
    // array; a list that leaves the array or runs in a circle is cut.
    void Rebuild_Free_Marks() {
        if constexpr (Traits::MARKS == FreeMarks::Kept) {
            free_marks.assign(Capacity(), false);
            std::uint32_t steps = 0;
            for (std::uint16_t i = first_free; i < Capacity(); i = Traits::Next(records[i])) {
                if (free_marks[i] || ++steps > Capacity()) break;
                free_marks[i] = true;
            }
        }
    }

    // The records and the free-list head a loader read, with their marks.
    void Install(std::vector<T>&& loaded, std::uint16_t loaded_first_free) {
        records = std::move(loaded);
        first_free = loaded_first_free;
        Rebuild_Free_Marks();
    }

    // Calls f(i) for every usable record in use, in index order.
    template <class F>
    void For_Each_Used(F&& f) const {
        for (std::uint32_t i = FirstUsable; i < Capacity(); ++i)
            if (!Is_Free(static_cast<std::uint16_t>(i))) f(static_cast<std::uint16_t>(i));
    }

  private:
    void Mark(std::uint16_t i, bool free) {
        if constexpr (Traits::MARKS == FreeMarks::Kept) free_marks[i] = free;
    }

    std::vector<bool> free_marks;
};
