// The fixitem type editor's logic: a fixitem type of the database edited
// from the fixitem tree, or through one fixitem placed on the map (then its
// own hit points and frame too, and the map's slot of its type is refreshed
// from the type). The type it turns into when it gets worse is picked from
// the fixitem tree. OK checks every entry first and writes only when all of
// them, the modifier page's included, can be taken; the dialog (152) shows
// this and stays open on a fault.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "editor/DialogEntries.h"
#include "editor/EditorState.h"
#include "editor/ModPage.h"

// The entries' ranges. An entry cost above 100 makes the field impassable
// (-1).
constexpr std::int64_t FIX_MP_MIN = -1;
constexpr std::int64_t FIX_MP_MAX = 127;
constexpr std::int64_t FIX_MP_PASSABLE_MAX = 100;
constexpr std::int8_t FIX_MP_IMPASSABLE = -1;
constexpr std::int64_t FIX_FILL_MAX = 100;
constexpr std::int64_t FIX_HEIGHT_MAX = 255;
constexpr std::int64_t FIX_SIGNED_MIN = -128;  // defence and hit points
constexpr std::int64_t FIX_SIGNED_MAX = 127;
constexpr std::int64_t FIX_FRAME_MAX = 255;
// The amortized field is one byte.
constexpr std::uint32_t FIX_AMORTIZED_LIMIT = 256;
// The name field holds 20 characters, the sprite name 8, each with its
// terminator.
constexpr int FIXITEM_NAME_LENGTH = 20;
constexpr int SPRITE_NAME_LENGTH = 8;

constexpr const char* TEXT_NO_AMORTIZED = "default";
constexpr const char* TEXT_NO_FIXITEM_EDIT = "This fixitem type cannot be edited.";
constexpr const char* TEXT_INVALID_SPRITE = "Invalid sprite file";
// The folder of the fixitem pictures, as the dialog shows file names.
constexpr const char* FIXITEM_ART_FOLDER = "ARTWORK\\";

// What the dialog's controls hold.
struct fixitem_form {
    std::string name, frame, mp, fill, height, defend, max_hp, hp;
    bool ground = false, water = false, burnable = false, animated = false;
};

// Whether the fixitem type editor may open on database type type, as a type
// (instance -1) or through map record instance: not the reserved record 0,
// a type outside the table, a field head without a type (slot 0) or a
// fixitem of a slot the map does not own (the built-in blood pool, flame and
// gas); a status message says so.
bool Fixitem_Type_Editable(std::uint16_t type, std::int32_t instance);

class FixitemTypeEdit {
  public:
    FixitemTypeEdit(std::uint16_t type, std::int32_t instance);

    bool Live() const { return instance_ != -1; }
    std::uint16_t Type() const { return type_; }
    std::int32_t Instance() const { return instance_; }
    const fixitem_form& Opening_Form() const { return form_; }

    // ---- The picture ----
    const std::string& Sprite_Name() const { return sprite_name_; }
    // 1076: "ARTWORK\" + sprite name + ".bmp".
    std::string File_Name_Text() const;
    // Frames of the picture: for a placed fixitem its map slot's, after
    // "Browse" the file's; 0 while unknown (the frame is then not limited).
    int Frame_Count() const { return frame_count_; }
    // The frame edit changed: empty is frame 0; kept below the frame count.
    // The frame now shown in the preview.
    int Frame_Typed(const std::string& text);
    // The preview strip shows the picture at the frame.
    void Show_Preview() const;
    // "Browse" chose file: taken when it lies in the artwork folder, its
    // title (the sprite name) is at most 8 characters and it is a picture
    // the sprite loader reads; else "Invalid sprite file" on the status line
    // and nothing changes.
    bool Browsed(const std::filesystem::path& file);
    // Where "Browse" opens.
    static std::filesystem::path Art_Folder();

    // ---- The type it turns into ----
    std::uint16_t Amortized() const { return amortized_; }
    // 1080: "default" for none, else that type's name.
    std::string Amortized_Text() const;
    void Clear_Amortized() { amortized_ = 0; }
    // "Set" closed with OK while picked was selected in its tree: a folder
    // is none; a fixitem type other than this one and below 256 is taken;
    // anything else leaves the value as it was.
    void Set_Amortized(editor_selection_ref picked);

    // ---- OK ----
    std::optional<field_fault> OK(const fixitem_form& form, ModPage& page, const mod_slot_entries& page_entries);
    // OK or Cancel: the edited fixitem (or the type) is the editor's selection.
    void Leave_Selection() const;

  private:
    void Refresh_Map_Slot(std::uint8_t slot);

    std::uint16_t type_;
    std::int32_t instance_;
    fixitem_form form_;
    std::string sprite_name_;
    int frame_count_ = 0;
    int frame_ = 0;
    std::uint16_t amortized_ = 0;
};
