// The item type editor's logic: an item type of the database edited from
// the item tree, or through one item placed on the map (then the item's own
// recognize level and its modifiers are edited too). OK checks every entry
// first and writes only when all of them, the modifier page's included, can
// be taken; the dialog (147) shows this and stays open on a fault.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "Objects/Item/Items.h"
#include "editor/DialogEntries.h"
#include "editor/ModPage.h"

// The entries' ranges.
constexpr std::int64_t ITEM_RECOGNIZE_MAX = 100;
constexpr std::int64_t ITEM_PRICE_MAX = 4000000;
constexpr std::int64_t ITEM_WEIGHT_MAX = 50000;
constexpr std::int64_t ITEM_MP_MAX = 100;
constexpr std::int64_t ITEM_PALETTE_MAX = 127;
constexpr std::int64_t ITEM_PICTURE_ENTRY_MAX = 400000;
constexpr std::int64_t BYTE_ENTRY_MAX = 255;
// An item's size in cells: width 1..2 (the size byte's high nibble),
// height 1..3 (its low nibble).
constexpr int ITEM_WIDTH_MIN = 1;
constexpr int ITEM_WIDTH_MAX = 2;
constexpr int ITEM_HEIGHT_MIN = 1;
constexpr int ITEM_HEIGHT_MAX = 3;
// The name field holds 23 characters and its terminator.
constexpr int ITEM_NAME_LENGTH = 23;

// The label of the field only bows have.
constexpr const char* TEXT_MAX_DISTANCE = "Max distance:";
// The dead body is built in: no editor opens on it.
constexpr const char* TEXT_NO_CORPSE_EDIT = "Corpses cannot be edited.";

// What the dialog's controls hold.
struct item_form {
    std::string name, recognize, price, weight, disturb, mp, defend, attack, damage_min, damage_max, palette,
        max_distance, picture;
    int item_class = 0;  // the drop list's entry, -1 none
    bool two_handed = false, secondary = false, burnable = false, magical = false;
};

// Whether the item type editor may open on type: not on the dead body (a
// status message says so), nor on a type outside the table.
bool Item_Type_Editable(std::uint16_t type);

class ItemTypeEdit {
  public:
    // instance -1 edits the type, else the item placed on the map.
    ItemTypeEdit(std::uint16_t type, std::int32_t instance);

    bool Live() const { return instance_ != -1; }
    std::uint16_t Type() const { return type_; }
    std::int32_t Instance() const { return instance_; }
    // The controls' values when the dialog opens.
    const item_form& Opening_Form() const { return form_; }

    // The field beside the class: its label, and whether its edit shows.
    static std::string Extra_Label(int item_class);
    static bool Max_Distance_Shown(int item_class);

    // ---- The picture ----
    // Frames of the item pictures (0 when they are not loaded).
    int Frames() const;
    int Picture() const { return picture_; }
    // The picture edit changed: empty is 0; the picture is kept within the
    // frames. The picture now shown.
    int Picture_Typed(const std::string& text);
    // The scroll bar moved to position.
    int Picture_Scrolled(int position);

    // ---- The size ----
    int Width() const { return width_; }
    int Height() const { return height_; }
    // step +1 one cell more (up to the largest), -1 one less (down to 1).
    void Spin_Width(int step);
    void Spin_Height(int step);

    // The strip of item pictures in the preview rectangle: the current one
    // at the centre in a black frame of the item's size, its neighbours on
    // both sides, with palette (the palette edit's value when it is one).
    void Draw_Picture_Strip(const std::string& palette_text) const;

    // ---- OK ----
    // Checks every entry and the page; on a fault nothing is written and
    // the fault is returned. Else writes the type, the placed item's
    // recognize level (or the type's), the flags and the page's chain.
    std::optional<field_fault> OK(const item_form& form, ModPage& page, const mod_slot_entries& page_entries);
    // OK or Cancel: the edited item (or the type) is the editor's selection.
    void Leave_Selection() const;

  private:
    std::int32_t Clamp_Picture(std::int64_t picture) const;

    std::uint16_t type_;
    std::int32_t instance_;
    item_form form_;
    int picture_ = 0;
    int width_ = ITEM_WIDTH_MIN;
    int height_ = ITEM_HEIGHT_MIN;
    std::uint8_t palette_ = 0;
};
