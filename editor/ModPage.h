// The modifier page of the type editors: the modifier chain of one object
// as 100 numbered slots. Each slot picks its kind among the kinds offered
// for the owner, with a level and four parameters; on the owner's OK the
// slots are written back, into the database's pool for a type or into the
// map's modifier array for an object placed on the map. This is the page's
// logic; its window (dialog 150) shows it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Objects/Modifiers.h"
#include "Objects/ObjRef.h"
#include "editor/DialogEntries.h"

constexpr int MOD_PAGE_SLOTS = 100;
constexpr int MOD_PARAMS = 4;
constexpr std::int64_t MOD_LEVEL_MIN = 0;
constexpr std::int64_t MOD_LEVEL_MAX = 100;
// A parameter is a 16-bit word, typed as a signed or an unsigned number;
// it is shown signed.
constexpr std::int64_t MOD_PARAM_MIN = -32768;
constexpr std::int64_t MOD_PARAM_MAX = 65535;
// A kind that owns the level (a timed, spell-like effect).
constexpr std::uint8_t MOD_KIND_HAS_LEVEL = 0x02;

// When the page cannot write its chain back: the pool would run out.
constexpr const char* TEXT_NO_DATABASE_MODIFIERS = "Can't realloc modifier data!";
constexpr const char* TEXT_NO_MAP_MODIFIERS = "Can't expand mod_array";

// One entry of the kinds' drop list: its kind number and its text.
struct mod_kind_entry {
    std::uint32_t kind;
    std::string text;
    bool operator==(const mod_kind_entry&) const = default;
};

// What the page's controls hold for the shown slot: the drop list's
// position and the texts of the level and parameter edits.
struct mod_slot_entries {
    int kind_position = 0;
    std::string level;
    std::string params[MOD_PARAMS];
};

class ModPage {
  public:
    // owner_kind 2 character, 3 item, 5 fixitem; instance -1 edits the type,
    // else the object placed on the map (the type index then only names
    // the owner's type).
    ModPage(std::uint16_t owner_kind, std::uint16_t type, std::int32_t instance);

    // 1061: "Modifiers on this item:", "Modifiers of this item-type:", ...
    const std::string& Caption() const { return caption_; }
    bool Live() const { return live_; }
    obj_ref Owner() const { return owner_; }

    // ---- The shown slot ----
    int Current_Slot() const { return current_; }
    const modifier& Slot(int i) const { return slots_[static_cast<std::size_t>(i)]; }
    // The drop list: every kind offered for the owner, in table order, and
    // after them the shown slot's kind when it is none of those (shown by
    // its number, and kept).
    std::vector<mod_kind_entry> Kind_List() const;
    // The shown slot's entry in Kind_List.
    int Kind_Position() const;
    // The label of parameter p (0..3) of the shown kind; the parameter is
    // shown only when its label is not empty. The level only for a kind
    // that owns one.
    std::string Param_Label(int p) const;
    bool Param_Shown(int p) const { return !Param_Label(p).empty(); }
    bool Level_Shown() const;
    // The shown slot's values as its controls show them.
    mod_slot_entries Shown_Entries() const;

    // ---- What the designer does ----
    // Takes the shown slot from its controls: its kind, and its level and
    // parameters where they are shown (hidden ones keep the slot's values).
    // A value out of range changes nothing and is the fault.
    std::optional<field_fault> Store(const mod_slot_entries& entries);
    // The slot spin: step +1 the next slot (up to 99), -1 the one before (down
    // to 0), after the shown slot was stored; a fault stays on the slot.
    std::optional<field_fault> Spin(int step, const mod_slot_entries& entries);
    // Another kind chosen in the drop list (a position in Kind_List): the
    // slot takes it; the edits keep what was typed.
    void Kind_Changed(int position);

    // ---- The owner's OK ----
    // Stores the shown slot and makes sure the chain can be written: the
    // fault when it cannot, and nothing is written then.
    std::optional<field_fault> Check(const mod_slot_entries& entries);
    // Writes the slots back (after Check passed): the chain becomes the
    // non-empty slots in slot order, then the modifiers past the 100th. A
    // chain that is as it was is left alone.
    void Save();

    // The records of the chain past the 100th slot.
    const std::vector<modifier>& Overflow() const { return overflow_; }

  private:
    void Read_Chain();
    std::uint16_t Head() const;
    const modifier* Record(std::uint16_t m) const;
    bool Changed() const;
    std::size_t Records_To_Write() const;
    bool Room_For(std::size_t records) const;
    void Cut_Chain();
    void Save_Live();
    void Save_Type();

    std::string caption_;
    std::uint8_t mask_ = 0;
    bool live_ = false;
    obj_ref owner_ = NOOBJ;
    std::vector<modifier> slots_;
    std::vector<modifier> overflow_;
    int current_ = 0;
    // The chain as read: its records' indexes and contents, and whether it
    // ended otherwise than at 0xFFFF (at record 0, outside the pool, or
    // looping back), in which case the last record read is its end.
    std::vector<std::uint16_t> chain_;
    std::vector<modifier> read_;
    bool cut_ = false;
};

// Whether kind is offered on a page of the owner mask (1 characters, 2
// items, 4 fixitems): " - Dumb modifier -" always is.
bool Mod_Kind_Offered(std::uint32_t kind, std::uint8_t mask);
