// The character items dialog's work without its window: the 67 item slots
// of one character record, its 19 body and quick slots through one button
// each and its 8 x 6 backpack through a list and four buttons, filled from
// the item type chosen in a read-only copy of the item tree. A character
// type's slots hold item types; a placed character's slots hold items of
// the map, made and deleted with their modifiers. Every change is made in
// the record at once.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Objects/Char/Characters.h"

// The refusals, as the status line shows them.
constexpr const char* TEXT_NO_CORPSE_IN_SLOTS = "Can't put a corpse directly into a character's item-list.";
constexpr const char* TEXT_INVALID_ITEM_TYPE = "Invalid item type";
constexpr const char* TEXT_ITEM_TOO_LARGE = "Item is too large";
constexpr const char* TEXT_NO_CORPSE_IN_BACKPACK = "Can't put a corpse directly into a character's backpack.";
constexpr const char* TEXT_CLICK_ITEM_TO_EDIT = "Click item you wish to edit";

// A slot button: its control, the label beside it, its slot, the item class
// it takes (ANY_CLASS: every class) and the largest size it takes (a size
// byte: high nibble width, low nibble height).
constexpr int ANY_CLASS = -1;
struct slot_button {
    int control;
    const char* label;
    int slot;
    int item_class;
    std::uint8_t largest;
};
constexpr int SLOT_BUTTON_COUNT = 19;
extern const slot_button slot_buttons[SLOT_BUTTON_COUNT];

// An entry of the backpack list: the name of the item type and the value of
// the backpack cell it stands for (a type, or an item of the map).
struct backpack_entry {
    std::string label;
    std::int16_t value;
    bool operator==(const backpack_entry&) const = default;
};

class CharItems {
  public:
    // A character type of the database (live false) or a placed character.
    // Slots naming an item type the table lacks (or no item of the map) are
    // emptied, their items deleted, and markers that lead to no item cleared.
    // The editor selection is cleared: no item type is chosen yet.
    CharItems(bool live, std::uint16_t index);

    bool Live() const { return live_; }
    // The record edited; nullptr when it is gone.
    char_record* Record() const;

    // ---- What the dialog shows ----
    // The name of the item type in a button's slot (an empty slot: the name
    // of the empty type).
    std::string Slot_Text(int button) const;
    // One entry for every backpack cell holding an item, in cell order.
    std::vector<backpack_entry> Backpack() const;

    // ---- The buttons ----
    // A slot button: with "Edit unique item" on, opens the item type editor
    // on the item there; else puts the item type chosen in the item tree
    // there (the empty type empties it).
    void Press_Slot(int button);
    // "Put selected item into backpack": the backpack is repacked with the
    // chosen type; when it does not fit nothing changes.
    void Put_Into_Backpack();
    // "Remove selected item from backpack" with the value of the entry
    // chosen: the first cell holding that value empties, with the cells of
    // its footprint.
    void Remove_From_Backpack(std::int16_t value);
    // "Remove all items from backpack", "Remove all items from this
    // character".
    void Remove_All_From_Backpack();
    void Remove_All_Items();
    // "Edit unique item" (a placed character only): the next slot button
    // edits the item in its slot; pressed again, back to putting items.
    void Toggle_Edit_Unique();
    bool Edit_Unique() const { return edit_unique_; }

  private:
    // The item type the item tree's selection names; -1 for none (nothing,
    // a folder), -2 for a record outside the item types.
    std::int32_t Selected_Type() const;
    // The item type a slot's value stands for; -1 when it names none.
    std::int32_t Type_Of_Value(std::int16_t value) const;
    // Empties a slot; a backpack cell takes the markers that lead back to it
    // along. A placed character's item there is deleted first.
    void Clear_Slot(int slot);
    void Put_Type_To_Slot(const slot_button& b, std::uint16_t type);
    void Edit_Item_In_Slot(int slot);
    void Clear_Unknown_Slots();

    bool live_;
    std::uint16_t index_;
    bool edit_unique_ = false;
};
