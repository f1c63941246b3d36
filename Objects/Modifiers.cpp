#include "Objects/Modifiers.h"

#include <new>

#include "Objects/FieldLists.h"
#include "Objects/Hooks.h"
#include "Objects/Item/Items.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Timers.h"
#include "Objects/TypeTables.h"
#include "System/ErrorReport.h"

ModArray mod_array;
std::vector<global_mod> global_modifiers;
ModPool mod_data;

void Reset_Modifier_State() {
    mod_array.Release();
    Free_Global_Modifiers();
    Free_Mod_Pool();
}

namespace {

modifier Sentinel() {
    modifier m{};
    m.flags = MOD_SENTINEL_FLAGS;
    m.level = MOD_SENTINEL_LEVEL;
    m.owner = NOOBJ;
    m.next = NO_INDEX;
    return m;
}

mod_handler Handler_Of(std::uint16_t m) {
    std::uint32_t type = mod_array.records[m].type;
    return type < MOD_KIND_COUNT ? mod_types[type].handler : nullptr;
}

void Tell(obj_ref owner, std::uint16_t m, request_no request) {
    if (mod_handler h = Handler_Of(m)) h(owner, owner, 0, m, request, 0);
}

bool Owner_Has_Chain(obj_ref owner) {
    std::uint16_t kind = Obj_Kind(owner);
    std::uint16_t i = Obj_Index(owner);
    switch (kind) {
        case OBJ_CHAR: return i < chararray.Capacity();
        case OBJ_ITEM: return i < itemarray.Capacity();
        case OBJ_FIXITEM: return i < maparray.Capacity();
        default: return false;
    }
}

// The record of m's chain whose next is m (NO_INDEX when m is the head),
// and whether m is in the chain at all.
bool Find_In_Chain(std::uint16_t head, std::uint16_t m, std::uint16_t& before) {
    before = NO_INDEX;
    bool found = false;
    std::uint16_t last = NO_INDEX;
    For_Each_In_Chain(head, [&](std::uint16_t r) {
        if (found) return;
        if (r == m) {
            found = true;
            before = last;
        }
        last = r;
    });
    return found;
}

}  // namespace

void Report_Modifier_Loop() { Error_Query_Quit("WARNING!!!!   MODIFIER LOOP!!!"); }

// ---- Run-time pool ----

void Init_Mod_Array(std::uint16_t n) {
    if (n >= MOD_ARRAY_START) n = MOD_ARRAY_START - 1;
    // A new pool for a new map: a pending event would name a record of the
    // old one.
    Timer_Clear();
    if (!mod_array.Allocate(MOD_ARRAY_START)) {
        Error_Query_Quit("Out of memory at modifier allocation");
        return;
    }
    // Freed from the top down, so that n + 1, n + 2, ... are handed out first.
    mod_array.Chain_Free(n + 1u, MOD_ARRAY_START);
    mod_array.records[0] = Sentinel();
}

std::uint16_t New_Modifier_Record() { return mod_array.New_Or_Report("Can't expand mod_array"); }

void Delete_Modifier(std::uint16_t m) {
    if (m >= mod_array.Capacity()) {
        Error_Query_Quit("Delete modifier out of array!");
        return;
    }
    if (!mod_array.Can_Free(m)) {
        Error_Query_Quit("Delete modifier already free!");
        return;
    }
    Timer_Remove_Mod(m);
    mod_array.Push(m);
}

bool Modifier_Is_Free(std::uint16_t m) { return mod_array.Is_Free(m); }

void Rebuild_Mod_Free_Marks() { mod_array.Rebuild_Free_Marks(); }

std::uint16_t Add_Modifier(std::uint8_t level, obj_ref owner, std::uint32_t type, std::uint16_t p1, std::uint16_t p2,
                           std::uint16_t p3, std::uint16_t p4) {
    if (type >= MOD_KIND_COUNT) {
        Error_Query_Quit("Invalid modifier type");
        return NO_INDEX;
    }
    if (!Owner_Has_Chain(owner)) {
        Error_Query_Quit("Invalid obj type in Set_Mod_Index");
        return NO_INDEX;
    }
    std::uint16_t m = New_Modifier_Record();
    if (m == NO_INDEX) return NO_INDEX;
    modifier& r = mod_array.records[m];
    r.flags = mod_types[type].flags;
    r.level = level;
    r.owner = owner;
    r.type = type;
    r.p1 = p1;
    r.p2 = p2;
    r.p3 = p3;
    r.p4 = p4;
    std::uint16_t head = Get_Mod_Index(owner);
    if (r.flags & MOD_INSERT_HEAD) {
        r.next = head;
        Set_Mod_Index(owner, m);
    } else {
        r.next = NO_INDEX;
        std::uint16_t last = NO_INDEX;
        For_Each_In_Chain(head, [&](std::uint16_t i) { last = i; });
        if (last == NO_INDEX)
            Set_Mod_Index(owner, m);
        else
            mod_array.records[last].next = m;
    }
    Tell(owner, m, REQ_ATTACHED);
    return m;
}

void Copy_Modifiers(obj_ref source, obj_ref target) {
    // A snapshot first: copying an object onto itself must not walk its own
    // growing chain.
    std::vector<modifier> copies;
    For_Each_In_Chain(Get_Mod_Index(source), [&](std::uint16_t m) { copies.push_back(mod_array.records[m]); });
    for (const modifier& c : copies) Add_Modifier(c.level, target, c.type, c.p1, c.p2, c.p3, c.p4);
}

void Remove_Modifier(obj_ref owner, std::uint16_t m) {
    if (m >= mod_array.Capacity() || !Owner_Has_Chain(owner)) return;
    std::uint16_t before;
    if (!Find_In_Chain(Get_Mod_Index(owner), m, before)) return;
    if ((mod_array.records[m].flags & MOD_INACTIVE) == 0) Tell(owner, m, REQ_REMOVED);
    // The handler may have changed the chain: find m again before unlinking.
    if (!Find_In_Chain(Get_Mod_Index(owner), m, before)) return;
    std::uint16_t next = mod_array.records[m].next;
    if (before == NO_INDEX)
        Set_Mod_Index(owner, next);
    else
        mod_array.records[before].next = next;
    Delete_Modifier(m);
}

void Remove_All_Modifiers(obj_ref owner) {
    if (!Owner_Has_Chain(owner)) {
        Get_Mod_Index(owner);  // reports the kind
        return;
    }
    // Detach the chain first, so a handler told 175 that adds or removes
    // modifiers of this owner works on the new, empty chain.
    std::uint16_t head = Get_Mod_Index(owner);
    Set_Mod_Index(owner, NO_INDEX);
    For_Each_In_Chain(head, [&](std::uint16_t m) {
        if (Modifier_Is_Free(m)) return;
        if ((mod_array.records[m].flags & MOD_INACTIVE) == 0) Tell(owner, m, REQ_REMOVED);
        Delete_Modifier(m);
    });
}

void Alloc_Global_Modifiers(std::uint32_t n) {
    global_mod empty{};
    empty.x0 = 0xFFFF;
    empty.x1 = 0xFFFF;
    try {
        global_modifiers.assign(n, empty);
    } catch (const std::bad_alloc&) {
        global_modifiers.clear();
        Fatal_Error("Can't allocate memory for global modifiers", "");
    }
}

void Free_Global_Modifiers() {
    global_modifiers.clear();
    global_modifiers.shrink_to_fit();
}

// ---- Database pool ----

std::uint16_t Get_Mod_Head(obj_ref owner) {
    std::uint16_t i = Obj_Index(owner);
    switch (Obj_Kind(owner)) {
        case OBJ_CHAR:
            if (i < char_data.size()) return char_data[i].first_mod;
            break;
        case OBJ_ITEM:
            if (i < item_types.size()) return static_cast<std::uint16_t>(item_types[i].first_mod & 0xFFFF);
            break;
        case OBJ_FIXITEM:
            if (i < fixitem_data_ext.size()) return fixitem_data_ext[i].first_mod;
            break;
        default: break;
    }
    return NO_INDEX;
}

void Set_Mod_Head(obj_ref owner, std::uint16_t index) {
    std::uint16_t i = Obj_Index(owner);
    switch (Obj_Kind(owner)) {
        case OBJ_CHAR:
            if (i < char_data.size()) char_data[i].first_mod = index;
            break;
        case OBJ_ITEM:
            if (i < item_types.size()) item_types[i].first_mod = static_cast<std::int16_t>(index);
            break;
        case OBJ_FIXITEM:
            if (i < fixitem_data_ext.size()) fixitem_data_ext[i].first_mod = index;
            break;
        default: break;
    }
}

void Alloc_Mod_Pool(std::uint32_t n) {
    Free_Mod_Pool();
    try {
        mod_data.records.assign(n, modifier{});
    } catch (const std::bad_alloc&) {
        mod_data.records.clear();
        Fatal_Error("Can't allocate memory for modifier data!", "");
    }
}

void Free_Mod_Pool() {
    mod_data.records.clear();
    mod_data.records.shrink_to_fit();
    mod_data.first_free = 0;
}

void Init_Mod_Free_List() {
    if (!mod_data.Loaded()) Alloc_Mod_Pool(MOD_POOL_STEP);
    for (std::uint32_t i = 0; i < mod_data.Capacity(); ++i)
        mod_data.records[i].next = static_cast<std::uint16_t>(i + 1);
}

namespace {

// Grows the database pool by 100 records, chained free in rising order to
// the new capacity. False (the pool as it was) when it cannot.
bool Grow_Mod_Pool() {
    const std::uint32_t old_capacity = mod_data.Capacity();
    const std::uint32_t capacity = old_capacity + MOD_POOL_STEP;
    if (capacity > 0xFFFF) return false;
    try {
        mod_data.records.resize(capacity, modifier{});
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (std::uint32_t i = old_capacity; i < capacity; ++i)
        mod_data.records[i].next = static_cast<std::uint16_t>(i + 1);
    return true;
}

}  // namespace

std::int32_t Alloc_Mod() {
    std::uint32_t r = mod_data.first_free;
    // A free list that has run out ends at the capacity: grow first.
    const bool room = r != 0 && (r < mod_data.Capacity() || (r == mod_data.Capacity() && Grow_Mod_Pool()));
    if (!room || (mod_data.records[r].next == mod_data.Capacity() && !Grow_Mod_Pool())) {
        Error_Query_Quit("Can't realloc modifier data!");
        return -1;
    }
    mod_data.first_free = mod_data.records[r].next;
    modifier& m = mod_data.records[r];
    m.flags = MOD_INACTIVE;
    m.level = 0;
    m.owner = NOOBJ;
    m.type = 0;
    m.next = NO_INDEX;
    return static_cast<std::int32_t>(r);
}

void Free_Mod(std::uint32_t index) {
    if (index == 0 || index >= mod_data.Capacity()) return;
    mod_data.records[index].next = static_cast<std::uint16_t>(mod_data.first_free);
    mod_data.first_free = index;
}

void Free_Mod_Chain(obj_ref owner) {
    std::uint16_t head = Get_Mod_Head(owner);
    Set_Mod_Head(owner, NO_INDEX);
    std::uint32_t steps = 0;
    for (std::uint16_t m = head; m != NO_INDEX && m < mod_data.Capacity();) {
        if (++steps > mod_data.Capacity()) {
            Report_Modifier_Loop();
            return;
        }
        std::uint16_t next = mod_data.records[m].next;
        Free_Mod(m);
        m = next;
    }
}

std::int32_t Add_Mod_To_Owner(std::uint8_t level, obj_ref owner, std::uint32_t type, std::uint16_t p1, std::uint16_t p2,
                              std::uint16_t p3, std::uint16_t p4) {
    std::int32_t r = Alloc_Mod();
    if (r < 0) return -1;
    modifier& m = mod_data.records[static_cast<std::uint32_t>(r)];
    m.next = Get_Mod_Head(owner);
    m.level = level;
    m.type = type;
    m.p1 = p1;
    m.p2 = p2;
    m.p3 = p3;
    m.p4 = p4;
    Set_Mod_Head(owner, static_cast<std::uint16_t>(r));
    return r;
}

void Apply_Owner_Mods(obj_ref target, obj_ref type_owner) {
    std::uint16_t head = Get_Mod_Head(type_owner);
    bool loaded_here = false;
    if (!mod_data.Loaded()) {
        ObjectsHooks& hooks = Objects_Hooks();
        if (hooks.load_mod_database == nullptr || !hooks.load_mod_database()) return;
        loaded_here = true;
    }
    // Copy the chain first: Add_Modifier calls handlers, which must not see
    // the database pool change under them.
    std::vector<modifier> chain;
    std::uint32_t steps = 0;
    for (std::uint16_t m = head; m != NO_INDEX && m < mod_data.Capacity(); m = mod_data.records[m].next) {
        if (++steps > mod_data.Capacity()) {
            Report_Modifier_Loop();
            break;
        }
        chain.push_back(mod_data.records[m]);
    }
    for (const modifier& c : chain) Add_Modifier(c.level, target, c.type, c.p1, c.p2, c.p3, c.p4);
    if (loaded_here) Free_Mod_Pool();
}
