#include "editor/ModPage.h"

#include <algorithm>

#include "Objects/FieldLists.h"
#include "Objects/ModifierKinds.h"
#include "editor/wx/ControlIds.h"

namespace {

struct owner_texts {
    std::uint16_t kind;
    std::uint8_t mask;
    const char* on_object;
    const char* of_type;
};
constexpr owner_texts OWNERS[] = {
    {OBJ_CHAR, MO_CHARS, "Modifiers on this character:", "Modifiers of this character-type:"},
    {OBJ_ITEM, MO_ITEMS, "Modifiers on this item:", "Modifiers of this item-type:"},
    {OBJ_FIXITEM, MO_FIXITEMS, "Modifiers on this fixitem:", "Modifiers of this fixitem-type:"},
};

const mod_type* Kind_Row(std::uint32_t kind) { return kind < MOD_KIND_COUNT ? &mod_types[kind] : nullptr; }

std::string Kind_Label(std::uint32_t kind, int p) {
    const mod_type* row = Kind_Row(kind);
    return row != nullptr && p >= 0 && p < MOD_PARAMS ? row->labels[p] : "";
}

bool Kind_Has_Level(std::uint32_t kind) {
    const mod_type* row = Kind_Row(kind);
    return row != nullptr && (row->flags & MOD_KIND_HAS_LEVEL) != 0;
}

modifier Empty_Slot() {
    modifier m{};
    m.owner = NOOBJ;
    m.next = NO_INDEX;
    return m;
}

bool Same_Values(const modifier& a, const modifier& b) {
    return a.type == b.type && a.level == b.level && a.p1 == b.p1 && a.p2 == b.p2 && a.p3 == b.p3 && a.p4 == b.p4;
}

void Set_Param(modifier& m, int p, std::uint16_t value) {
    switch (p) {
        case 0: m.p1 = value; break;
        case 1: m.p2 = value; break;
        case 2: m.p3 = value; break;
        default: m.p4 = value; break;
    }
}
std::uint16_t Param(const modifier& m, int p) {
    const std::uint16_t params[MOD_PARAMS] = {m.p1, m.p2, m.p3, m.p4};
    return params[p];
}

// Records on a pool's free list, following its links from head until
// end (at most limit of them, so that a broken list ends too).
template <class NextOf>
std::size_t Free_Count(std::uint32_t head, std::uint32_t end, std::uint32_t limit, NextOf next_of) {
    std::size_t count = 0;
    for (std::uint32_t r = head; r != end && r < limit && count < limit; r = next_of(r)) ++count;
    return count;
}

}  // namespace

bool Mod_Kind_Offered(std::uint32_t kind, std::uint8_t mask) {
    const mod_type* row = Kind_Row(kind);
    return row != nullptr && (row->owner_mask & mask) != 0;
}

ModPage::ModPage(std::uint16_t owner_kind, std::uint16_t type, std::int32_t instance)
    : live_(instance != -1), slots_(MOD_PAGE_SLOTS, Empty_Slot()) {
    for (const owner_texts& o : OWNERS) {
        if (o.kind != owner_kind) continue;
        caption_ = live_ ? o.on_object : o.of_type;
        mask_ = o.mask;
    }
    owner_ = Make_Obj(owner_kind, live_ ? static_cast<std::uint16_t>(instance) : type);
    Read_Chain();
}

// ---- Reading the chain ----

std::uint16_t ModPage::Head() const { return live_ ? Get_Mod_Index(owner_) : Get_Mod_Head(owner_); }

const modifier* ModPage::Record(std::uint16_t m) const {
    if (m == 0) return nullptr;  // the reserved record ends a chain
    if (live_) return m < mod_array.Capacity() && !Modifier_Is_Free(m) ? &mod_array.records[m] : nullptr;
    return m < mod_data.Capacity() ? &mod_data.records[m] : nullptr;
}

void ModPage::Read_Chain() {
    const std::size_t capacity = live_ ? mod_array.Capacity() : mod_data.Capacity();
    std::vector<bool> met(capacity, false);
    std::uint16_t m = Head();
    while (m != NO_INDEX) {
        const modifier* r = Record(m);
        if (r == nullptr || met[m]) {
            cut_ = true;
            break;
        }
        met[m] = true;
        chain_.push_back(m);
        read_.push_back(*r);
        m = r->next;
    }
    for (std::size_t i = 0; i < read_.size(); ++i) {
        if (i < slots_.size())
            slots_[i] = read_[i];
        else
            overflow_.push_back(read_[i]);
    }
}

// ---- The shown slot ----

std::vector<mod_kind_entry> ModPage::Kind_List() const {
    std::vector<mod_kind_entry> list;
    for (std::uint32_t k = 0; k < MOD_KIND_COUNT; ++k)
        if (Mod_Kind_Offered(k, mask_)) list.push_back({k, mod_types[k].name});
    const std::uint32_t shown = slots_[static_cast<std::size_t>(current_)].type;
    if (!Mod_Kind_Offered(shown, mask_)) list.push_back({shown, std::to_string(shown)});
    return list;
}

int ModPage::Kind_Position() const {
    const std::vector<mod_kind_entry> list = Kind_List();
    const std::uint32_t shown = slots_[static_cast<std::size_t>(current_)].type;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].kind == shown) return static_cast<int>(i);
    return 0;
}

std::string ModPage::Param_Label(int p) const { return Kind_Label(slots_[static_cast<std::size_t>(current_)].type, p); }

bool ModPage::Level_Shown() const { return Kind_Has_Level(slots_[static_cast<std::size_t>(current_)].type); }

mod_slot_entries ModPage::Shown_Entries() const {
    const modifier& s = slots_[static_cast<std::size_t>(current_)];
    mod_slot_entries e;
    e.kind_position = Kind_Position();
    e.level = std::to_string(s.level);
    for (int p = 0; p < MOD_PARAMS; ++p) e.params[p] = std::to_string(static_cast<std::int16_t>(Param(s, p)));
    return e;
}

// ---- What the designer does ----

std::optional<field_fault> ModPage::Store(const mod_slot_entries& entries) {
    modifier s = slots_[static_cast<std::size_t>(current_)];
    const std::vector<mod_kind_entry> list = Kind_List();
    if (entries.kind_position >= 0 && static_cast<std::size_t>(entries.kind_position) < list.size())
        s.type = list[static_cast<std::size_t>(entries.kind_position)].kind;
    std::int32_t value = 0;
    if (Kind_Has_Level(s.type)) {
        if (auto fault = Take_Number(entries.level, IDC_MOD_LEVEL, MOD_LEVEL_MIN, MOD_LEVEL_MAX, value)) return fault;
        s.level = static_cast<std::uint8_t>(value);
    }
    for (int p = 0; p < MOD_PARAMS; ++p) {
        if (Kind_Label(s.type, p).empty()) continue;
        if (auto fault = Take_Number(entries.params[p], IDC_MOD_PARAMS[p], MOD_PARAM_MIN, MOD_PARAM_MAX, value))
            return fault;
        Set_Param(s, p, static_cast<std::uint16_t>(value));
    }
    slots_[static_cast<std::size_t>(current_)] = s;
    return std::nullopt;
}

std::optional<field_fault> ModPage::Spin(int step, const mod_slot_entries& entries) {
    if (auto fault = Store(entries)) return fault;
    current_ = std::clamp(current_ + (step > 0 ? 1 : step < 0 ? -1 : 0), 0, MOD_PAGE_SLOTS - 1);
    return std::nullopt;
}

void ModPage::Kind_Changed(int position) {
    const std::vector<mod_kind_entry> list = Kind_List();
    if (position < 0 || static_cast<std::size_t>(position) >= list.size()) return;
    slots_[static_cast<std::size_t>(current_)].type = list[static_cast<std::size_t>(position)].kind;
}

// ---- The owner's OK ----

bool ModPage::Changed() const {
    if (cut_) return true;
    std::vector<modifier> now;
    for (const modifier& s : slots_)
        if (s.type != MK_DUMB) now.push_back(s);
    now.insert(now.end(), overflow_.begin(), overflow_.end());
    // A modifier of kind 0 in the chain shows as an empty slot: the chain
    // is unchanged when the designer left it so.
    std::vector<modifier> was;
    for (std::size_t i = 0; i < read_.size(); ++i)
        if (i >= slots_.size() || read_[i].type != MK_DUMB) was.push_back(read_[i]);
    return !std::equal(now.begin(), now.end(), was.begin(), was.end(), Same_Values);
}

std::size_t ModPage::Records_To_Write() const {
    const auto used = std::count_if(slots_.begin(), slots_.end(), [](const modifier& s) { return s.type != MK_DUMB; });
    return static_cast<std::size_t>(used) + overflow_.size();
}

bool ModPage::Room_For(std::size_t records) const {
    // The chain's own records are freed first and taken again.
    if (records <= chain_.size()) return true;
    const std::size_t more = records - chain_.size();
    if (live_) {
        const std::uint32_t capacity = mod_array.Capacity();
        const std::size_t free = Free_Count(mod_array.first_free, mod_array.End(), capacity,
                                            [](std::uint32_t r) { return mod_array.records[r].next; });
        return free + (RECORD_ARRAY_LIMIT - capacity) >= more;
    }
    // The database pool grows by its step while its capacity stays a 16-bit
    // index; the last free record is taken only with the growth after it.
    if (!mod_data.Loaded() || mod_data.first_free == 0) return false;
    const std::uint32_t capacity = mod_data.Capacity();
    const std::size_t free = Free_Count(mod_data.first_free, capacity, capacity,
                                        [](std::uint32_t r) { return std::uint32_t{mod_data.records[r].next}; });
    const std::size_t growth = (0xFFFFu - std::min<std::uint32_t>(capacity, 0xFFFF)) / MOD_POOL_STEP * MOD_POOL_STEP;
    return free + growth >= more + 1;
}

std::optional<field_fault> ModPage::Check(const mod_slot_entries& entries) {
    if (auto fault = Store(entries)) return fault;
    if (!Changed() || Room_For(Records_To_Write())) return std::nullopt;
    return field_fault{IDC_MOD_KIND, live_ ? TEXT_NO_MAP_MODIFIERS : TEXT_NO_DATABASE_MODIFIERS};
}

// The chain ends where it was read to: the record it ended after no longer
// leads on (to record 0, outside the pool, or back into itself).
void ModPage::Cut_Chain() {
    if (!cut_) return;
    if (chain_.empty()) {
        if (live_)
            Set_Mod_Index(owner_, NO_INDEX);
        else
            Set_Mod_Head(owner_, NO_INDEX);
        return;
    }
    modifier& last = live_ ? mod_array.records[chain_.back()] : mod_data.records[chain_.back()];
    last.next = NO_INDEX;
}

void ModPage::Save_Live() {
    Cut_Chain();
    Remove_All_Modifiers(owner_);
    // Slot order: every kind is appended at the chain's end.
    for (const modifier& s : slots_)
        if (s.type != MK_DUMB) Add_Modifier(s.level, owner_, s.type, s.p1, s.p2, s.p3, s.p4);
    for (const modifier& s : overflow_) Add_Modifier(s.level, owner_, s.type, s.p1, s.p2, s.p3, s.p4);
}

void ModPage::Save_Type() {
    Cut_Chain();
    Free_Mod_Chain(owner_);
    // Each record goes to the chain's head: the last first.
    for (auto s = overflow_.rbegin(); s != overflow_.rend(); ++s)
        Add_Mod_To_Owner(s->level, owner_, s->type, s->p1, s->p2, s->p3, s->p4);
    for (auto s = slots_.rbegin(); s != slots_.rend(); ++s)
        if (s->type != MK_DUMB) Add_Mod_To_Owner(s->level, owner_, s->type, s->p1, s->p2, s->p3, s->p4);
}

void ModPage::Save() {
    if (!Changed()) return;
    if (live_)
        Save_Live();
    else
        Save_Type();
    // What is written is what the page reads again.
    chain_.clear();
    read_.clear();
    overflow_.clear();
    cut_ = false;
    std::fill(slots_.begin(), slots_.end(), Empty_Slot());
    Read_Chain();
}
