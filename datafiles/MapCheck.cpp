// The consistency checks of a map image read from a file: every free list,
// field object list, modifier chain and act list ends where it must without
// a cycle, and every link, owner and index names a record that exists. Only
// an image that passes replaces the world.
#include <algorithm>
#include <vector>

#include "Objects/ModifierKinds.h"
#include "datafiles/MapImage.h"

namespace {

// Object kinds allowed in a reference, as a bit set of (1 << kind).
constexpr unsigned KINDS_NONE = 1u << OBJ_NONE;
constexpr unsigned KINDS_ANY_OBJECT = (1u << OBJ_MAPANIM) | (1u << OBJ_CHAR) | (1u << OBJ_ITEM) | (1u << OBJ_FIXITEM);
constexpr unsigned KINDS_WITH_CHAIN = (1u << OBJ_CHAR) | (1u << OBJ_ITEM) | (1u << OBJ_FIXITEM);

class MapChecker {
  public:
    explicit MapChecker(const MapImage& image) : m_(image), total_(image.Total_Fields()) {}

    std::string Check() {
        const bool ok = Free_Lists() && Field_Lists() && Items() && Chars() && Map_Animations() && Modifiers() &&
                        Animation_Entries() && Acts() && AI_Slots() && Party();
        return ok ? std::string{} : fault_;
    }

  private:
    const MapImage& m_;
    const std::uint32_t total_;
    std::string fault_;

    // Records on a free list, per array.
    std::vector<bool> map_free_, item_free_, char_free_, mapanim_free_, mod_free_;

    bool Fail(const char* what) {
        fault_ = what;
        return false;
    }

    std::uint32_t Capacity_Of(std::uint16_t kind) const {
        switch (kind) {
            case OBJ_MAPANIM: return static_cast<std::uint32_t>(m_.mapanims.size());
            case OBJ_CHAR: return static_cast<std::uint32_t>(m_.chars.size());
            case OBJ_ITEM: return static_cast<std::uint32_t>(m_.items.size());
            case OBJ_FIXITEM: return static_cast<std::uint32_t>(m_.map_records.size());
            default: return 0;
        }
    }

    // A reference of one of the kinds, naming a record inside its array; a
    // kind 0 reference (none, or an end marker) may carry any index.
    bool Ref_In_Range(obj_ref r, unsigned kinds) const {
        const std::uint16_t kind = Obj_Kind(r);
        if (kind >= 32 || (kinds & (1u << kind)) == 0) return false;
        return kind == OBJ_NONE || Obj_Index(r) < Capacity_Of(kind);
    }

    bool Char_Index(std::uint32_t c) const { return c < m_.chars.size(); }
    bool Char_Or_None(std::uint16_t c) const { return c == NO_INDEX || Char_Index(c); }

    bool Map_Live(std::uint32_t i) const { return i < total_ || !map_free_[i]; }
    bool Item_Live(std::uint32_t i) const { return i != 0 && !item_free_[i]; }
    bool Char_Live(std::uint32_t c) const { return (m_.chars[c].flags & CF_FREE) == 0; }

    // Walks a list from head until end, marking its records: every index
    // must lie in [low, capacity) and be met once. next(i) gives the
    // successor, or a value above 0xFFFF for a link that is not a list link.
    template <class Next>
    static bool Walk_List(std::uint32_t head, std::uint32_t low, std::uint32_t end, std::vector<bool>& marks,
                          Next next) {
        for (std::uint32_t i = head; i != end; i = next(i)) {
            if (i < low || i >= marks.size() || marks[i]) return false;
            marks[i] = true;
        }
        return true;
    }

    // The next free record of a free list chained through a link word.
    static std::uint32_t Free_Link(obj_ref link) { return Obj_Kind(link) == OBJ_NONE ? Obj_Index(link) : 0x10000u; }

    bool Free_Lists() {
        map_free_.assign(m_.map_records.size(), false);
        item_free_.assign(m_.items.size(), false);
        char_free_.assign(m_.chars.size(), false);
        mapanim_free_.assign(m_.mapanims.size(), false);
        mod_free_.assign(m_.mods.size(), false);
        if (!Walk_List(m_.map_first_free, total_, NO_INDEX, map_free_,
                       [&](std::uint32_t i) { return Free_Link(m_.map_records[i].link); }))
            return Fail("bad map record free list");
        // Item 0 and modifier 0 are never handed out.
        if (!Walk_List(m_.item_first_free, 1, NO_INDEX, item_free_,
                       [&](std::uint32_t i) { return Free_Link(m_.items[i].link); }))
            return Fail("bad item free list");
        if (!Walk_List(m_.char_first_free, 0, NO_INDEX, char_free_,
                       [&](std::uint32_t i) { return Free_Link(m_.chars[i].link); }))
            return Fail("bad character free list");
        for (std::size_t c = 0; c < m_.chars.size(); ++c)
            if (char_free_[c] && Char_Live(static_cast<std::uint32_t>(c)))
                return Fail("character in use on the free list");
        if (!Walk_List(m_.mapanim_first_free, 0, NO_INDEX, mapanim_free_,
                       [&](std::uint32_t i) { return Free_Link(m_.mapanims[i].link); }))
            return Fail("bad map animation free list");
        if (!Walk_List(m_.mod_first_free, 1, NO_INDEX, mod_free_,
                       [&](std::uint32_t i) { return std::uint32_t{m_.mods[i].next}; }))
            return Fail("bad modifier free list");
        return true;
    }

    // The link word of a live object; false for anything that is not one.
    bool Object_Link(obj_ref obj, obj_ref& link) const {
        const std::uint16_t i = Obj_Index(obj);
        if (!Ref_In_Range(obj, KINDS_ANY_OBJECT)) return false;
        switch (Obj_Kind(obj)) {
            case OBJ_MAPANIM:
                if (mapanim_free_[i]) return false;
                link = m_.mapanims[i].link;
                return true;
            case OBJ_CHAR:
                if (!Char_Live(i)) return false;
                link = m_.chars[i].link;
                return true;
            case OBJ_ITEM:
                if (!Item_Live(i)) return false;
                link = m_.items[i].link;
                return true;
            default:
                // A field head is only ever the first of its own list.
                if (i < total_ || !Map_Live(i)) return false;
                link = m_.map_records[i].link;
                return true;
        }
    }

    // Every field's list runs from its head through live objects, each on
    // one list only, to the end marker that names the field.
    bool Field_Lists() {
        std::vector<bool> seen[6];
        for (std::uint16_t kind : {OBJ_MAPANIM, OBJ_CHAR, OBJ_ITEM, OBJ_FIXITEM})
            seen[kind].assign(Capacity_Of(kind), false);
        for (std::uint32_t f = 0; f < total_; ++f) {
            obj_ref cur = m_.map_records[f].link;
            while (Obj_Kind(cur) != OBJ_NONE) {
                obj_ref next = 0;
                if (!Object_Link(cur, next)) return Fail("field list holds a bad object");
                std::vector<bool>& marks = seen[Obj_Kind(cur)];
                if (marks[Obj_Index(cur)]) return Fail("field lists cross or cycle");
                marks[Obj_Index(cur)] = true;
                cur = next;
            }
            if (Obj_Index(cur) != f) return Fail("field list ends on another field");
        }
        return true;
    }

    bool Items() {
        for (std::uint32_t i = 1; i < m_.items.size(); ++i) {
            if (!Item_Live(i)) continue;
            const obj_ref owner = m_.items[i].owner;
            const bool owner_ok = Obj_Kind(owner) == OBJ_FIXITEM ? Obj_Index(owner) < total_
                                                                 : Ref_In_Range(owner, KINDS_NONE | (1u << OBJ_CHAR));
            if (!owner_ok) return Fail("item with a bad owner");
        }
        return true;
    }

    bool Chars() {
        for (std::uint32_t c = 0; c < m_.chars.size(); ++c) {
            if (!Char_Live(c)) continue;
            const char_record& r = m_.chars[c];
            if (r.x < 0 || static_cast<std::uint32_t>(r.x) >= m_.width || r.y < 0 ||
                static_cast<std::uint32_t>(r.y) >= m_.height || r.map_level < 0 ||
                static_cast<std::uint32_t>(r.map_level) >= m_.levels)
                return Fail("character off the map");
            for (int slot = 0; slot < CHAR_SLOTS; ++slot) {
                const std::int16_t item = r.slots[slot];
                if (item > 0 && (static_cast<std::uint32_t>(item) >= m_.items.size() || !Item_Live(item)))
                    return Fail("character holds a bad item");
            }
            if (r.ai_slot != NO_INDEX && r.ai_slot >= m_.iq_slots.size()) return Fail("character with a bad AI slot");
        }
        return true;
    }

    bool Map_Animations() {
        for (std::size_t a = 0; a < m_.mapanims.size(); ++a)
            if (!mapanim_free_[a] && !Ref_In_Range(m_.mapanims[a].owner, KINDS_NONE | KINDS_ANY_OBJECT))
                return Fail("map animation with a bad owner");
        return true;
    }

    // The chain from head: modifiers in range, none free, none in two chains.
    // Record 0 is the inactive sentinel that any head may name; it ends the
    // chain.
    bool Chain(std::uint16_t head, std::vector<bool>& chained) {
        for (std::uint32_t m = head; m != NO_INDEX; m = m_.mods[m].next) {
            if (m >= m_.mods.size()) return false;
            if (m == 0) return m_.mods[0].next == NO_INDEX;
            if (mod_free_[m] || chained[m]) return false;
            chained[m] = true;
        }
        return true;
    }

    bool Modifiers() {
        for (const modifier& r : m_.mods) {
            if (r.type >= MOD_KIND_COUNT) return Fail("modifier of an unknown kind");
            if (!Ref_In_Range(r.owner, KINDS_NONE | KINDS_WITH_CHAIN)) return Fail("modifier with a bad owner");
        }
        std::vector<bool> chained(m_.mods.size(), false);
        for (std::uint32_t i = 0; i < m_.map_records.size(); ++i)
            if (Map_Live(i) && !Chain(m_.map_records[i].first_mod, chained)) return Fail("bad modifier chain");
        for (std::uint32_t i = 1; i < m_.items.size(); ++i)
            if (Item_Live(i) && !Chain(m_.items[i].first_mod, chained)) return Fail("bad modifier chain");
        for (std::uint32_t c = 0; c < m_.chars.size(); ++c)
            if (Char_Live(c) && !Chain(m_.chars[c].first_mod, chained)) return Fail("bad modifier chain");
        for (const global_mod& g : m_.area_mods)
            if (g.mod >= m_.mods.size()) return Fail("area modifier names no modifier");
        return true;
    }

    bool Animation_Entries() {
        std::vector<bool> listed(m_.anim_entries.size(), false);
        auto next = [&](std::uint32_t e) { return std::uint32_t{m_.anim_entries[e].next}; };
        if (!Walk_List(m_.anim_first_free, 0, NO_INDEX, listed, next)) return Fail("bad animation free list");
        std::vector<bool> active(m_.anim_entries.size(), false);
        if (!Walk_List(m_.anim_active, 0, NO_INDEX, active, next)) return Fail("bad animation list");
        for (std::size_t e = 0; e < active.size(); ++e) {
            if (!active[e]) continue;
            if (listed[e]) return Fail("animation both running and free");
            const anim_entry& a = m_.anim_entries[e];
            if (a.obj_kind == OBJ_NONE || !Ref_In_Range(Make_Obj(a.obj_kind, a.obj_index), KINDS_ANY_OBJECT))
                return Fail("animation of a bad object");
        }
        return true;
    }

    bool Acts() {
        const std::uint32_t capacity = static_cast<std::uint32_t>(m_.acts.size());
        std::vector<bool> listed(capacity, false);
        // The free list ends at the index equal to the capacity.
        if (!Walk_List(m_.act_first_free, 0, capacity, listed,
                       [&](std::uint32_t a) { return std::uint32_t{m_.acts[a].next}; }))
            return Fail("bad act free list");
        // The lists of the slots in use: each act in one list only.
        for (std::uint32_t s = 0; s < m_.iq_used && s < m_.iq_slots.size(); ++s) {
            const iq_slot& slot = m_.iq_slots[s];
            if (Obj_Kind(slot.object) == OBJ_NONE) continue;
            for (std::uint32_t a = slot.first_act; a != NO_INDEX; a = m_.acts[a].next) {
                if (a >= capacity || listed[a]) return Fail("bad act list");
                listed[a] = true;
                if (!Ref_In_Range(m_.acts[a].target, KINDS_NONE | KINDS_ANY_OBJECT))
                    return Fail("act with a bad target");
            }
        }
        return true;
    }

    bool AI_Slots() {
        if (m_.iq_used > m_.iq_slots.size()) return Fail("more AI slots used than there are");
        for (const iq_slot& s : m_.iq_slots)
            if (!Ref_In_Range(s.object, KINDS_NONE | KINDS_WITH_CHAIN)) return Fail("AI slot with a bad object");
        if (m_.iq_free_count > IQ_FREE_STACK_SIZE) return Fail("AI free stack too long");
        for (int i = 0; i < m_.iq_free_count; ++i)
            if (m_.iq_free_stack[i] >= m_.iq_used) return Fail("bad AI slot on the free stack");
        return true;
    }

    bool Party() {
        if (!Char_Or_None(m_.main_char)) return Fail("bad main character");
        if (m_.main_char_slot != NO_INDEX && m_.main_char_slot >= m_.iq_slots.size())
            return Fail("bad main character slot");
        if (m_.player_count > MAX_PLAYER_CHARS) return Fail("party too large");
        for (std::uint32_t i = 0; i < m_.player_count; ++i)
            if (!Char_Index(m_.player_chars[i])) return Fail("bad party member");
        return true;
    }
};

}  // namespace

std::string Check_Map_Image(const MapImage& image) { return MapChecker(image).Check(); }

void Settle_View_State(MapImage& m) {
    const std::size_t chars = m.chars.size();
    m.shown_level = std::min(m.shown_level, m.levels - 1);
    bool selection_ok = m.selected_count <= MAX_SELECTED;
    for (int i = 0; selection_ok && i < m.selected_count; ++i) selection_ok = m.selected[i] < chars;
    if (!selection_ok) m.selected_count = 0;
    for (auto& group : m.select_groups)
        for (std::uint16_t& c : group)
            if (c >= chars) c = NO_INDEX;
    if (m.page_char < -1 || static_cast<std::size_t>(m.page_char + 1) > chars) m.page_char = -1;
    if (m.tick_cursor >= chars) m.tick_cursor = 0;
    if (m.portrait_offset > MAX_PLAYER_CHARS) m.portrait_offset = 0;
}
