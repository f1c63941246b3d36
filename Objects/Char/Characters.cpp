#include "Objects/Char/Characters.h"

#include <new>

#include "Objects/Item/Items.h"
#include "Objects/MapAnims.h"
#include "Objects/Modifiers.h"
#include "System/ErrorReport.h"

CharArray chararray;

namespace {

void Chain_Free_Chars(std::uint32_t from, std::uint32_t to_exclusive) {
    for (std::uint32_t i = from; i < to_exclusive; ++i) {
        char_record& r = chararray.records[i];
        r = {};
        r.flags = CF_FREE;
        std::uint16_t next = (i + 1 < to_exclusive) ? static_cast<std::uint16_t>(i + 1) : NO_INDEX;
        r.link = Make_Obj(OBJ_NONE, next);
    }
}

std::uint32_t Grown_Capacity(std::uint32_t capacity, std::uint32_t step) {
    std::uint32_t grown = capacity + step;
    return grown > 0xFFFF ? 0xFFFF : grown;
}

}  // namespace

bool Char_In_Use(std::uint16_t c) {
    return c < chararray.Capacity() && (chararray.records[c].flags & CF_FREE) == 0;
}

void Init_Char_Array(std::uint16_t n) {
    std::uint32_t capacity = Grown_Capacity(n, CHAR_ARRAY_STEP);
    try {
        chararray.records.assign(capacity, char_record{});
    } catch (const std::bad_alloc&) {
        chararray.records.clear();
        chararray.first_free = NO_INDEX;
        Fatal_Error("Can't allocate memory for characters!", "");
        return;
    }
    Chain_Free_Chars(n, capacity);
    chararray.first_free = n < capacity ? n : NO_INDEX;
}

std::uint16_t Alloc_Char() {
    if (chararray.first_free == NO_INDEX) {
        std::uint32_t old_capacity = chararray.Capacity();
        std::uint32_t capacity = Grown_Capacity(old_capacity, CHAR_ARRAY_STEP);
        if (capacity == old_capacity) {
            Error_Query_Quit("Can't realloc chararray!");
            return NO_INDEX;
        }
        try {
            chararray.records.resize(capacity);
        } catch (const std::bad_alloc&) {
            Error_Query_Quit("Can't realloc chararray!");
            return NO_INDEX;
        }
        Chain_Free_Chars(old_capacity, capacity);
        chararray.first_free = static_cast<std::uint16_t>(old_capacity);
    }
    std::uint16_t c = chararray.first_free;
    char_record& r = chararray.records[c];
    chararray.first_free = Obj_Index(r.link);
    r.flags = static_cast<std::uint16_t>(r.flags & ~CF_FREE);
    r.first_mod = NO_INDEX;
    return c;
}

void Free_Char(std::uint16_t c) {
    if (!Char_In_Use(c)) {
        Error_Query_Quit("Free character out of array!");
        return;
    }
    Stop_Object_Anims(OBJ_CHAR, c);
    char_record& r = chararray.records[c];
    r.flags = static_cast<std::uint16_t>(r.flags | CF_FREE);
    r.link = Make_Obj(OBJ_NONE, chararray.first_free);
    chararray.first_free = c;
}

void Free_Char_Array() {
    chararray.records.clear();
    chararray.records.shrink_to_fit();
    chararray.first_free = NO_INDEX;
}

void Delete_Char_Items(std::uint16_t c) {
    if (c >= chararray.Capacity()) return;
    for (int s = 0; s < CHAR_SLOTS; ++s) {
        std::int16_t item = chararray.records[c].slots[s];
        if (item <= 0) continue;
        chararray.records[c].slots[s] = 0;
        std::uint16_t i = static_cast<std::uint16_t>(item);
        if (i >= itemarray.Capacity() || Item_Record_Is_Free(i)) {
            Error_Query_Quit("Invalid item index");
            continue;
        }
        Remove_All_Modifiers(Make_Obj(OBJ_ITEM, i));
        Delete_Item_Record(i);
    }
}
