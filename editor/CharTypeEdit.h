// The character type editor's work without its window: one character
// record, a character type of the database or a character placed on the
// map, copied into working values that the dialog's controls show and
// change, and written back on OK all at once, only when every entry holds a
// value its record field can take. Cancel writes nothing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Objects/Char/Characters.h"
#include "editor/DialogEntries.h"

// ---- The lists the dialog offers ----
constexpr int LOBBY_NAME_COUNT = 40;
extern const char* const lobby_names[LOBBY_NAME_COUNT];

// The races offered for a category: rows first .. first + count - 1 of the
// race names; the stored race is the position in the slice.
struct race_slice {
    int first, count;
};
race_slice Race_Slice(bool animal, bool monster);

// ---- Limits ----
constexpr int HEAD_FIRST = 1;
constexpr int HEAD_LAST = 23;
constexpr int PALETTE_LAST = 127;
constexpr std::uint8_t SHADOW_PALETTE = 0x80;
constexpr int LEVEL_FIRST = 1;
constexpr int LEVEL_LAST = 99;
constexpr int FACING_COUNT = 6;
// The name and sprite name fields hold this many characters and a zero.
constexpr std::size_t CHAR_NAME_CHARS = sizeof(char_record::name) - 1;
constexpr std::size_t SPRITE_NAME_CHARS = sizeof(char_record::body_name) - 1;
// What "Browse" offers, and where.
constexpr const char* CHAR_SPRITE_FOLDER = "ARTWORK\\CHARS\\";
constexpr const char* CHAR_SPRITE_EXTENSION = ".dys";
constexpr const char* HEAD_SPRITE_FORMAT = "ARTWORK\\HEADS\\FEJ%03d";
constexpr const char* TEXT_INVALID_SPRITE = "Invalid sprite file";

// ---- The numeric entries ----
// The record fields the plain number edits write, with the values each can
// take: its width, or the narrower range the record gives it.
enum class FieldWidth { U8, I8, U16, I16, U32 };
struct char_number_field {
    int control;
    std::size_t offset;  // in char_record
    FieldWidth width;
    std::int64_t min, max;
};
const std::vector<char_number_field>& Char_Number_Fields();
// The field of a control; nullptr for a control that is no number field.
const char_number_field* Char_Number_Field(int control);
std::int64_t Read_Char_Field(const char_record& r, const char_number_field& f);
void Write_Char_Field(char_record& r, const char_number_field& f, std::int64_t value);

// What the preview rectangle under the map shows and the scroll bar moves.
enum class CharPreviewMode { Directions, Heads, CorpseFrames };
// The scroll bar's moves.
enum class ScrollMove { LineLeft, LineRight, PageLeft, PageRight, Thumb, Home, End };
constexpr int SCROLL_PAGE = 6;

class CharTypeEdit {
  public:
    // A type of the database (instance -1) or the placed character instance.
    CharTypeEdit(std::int32_t type, std::int32_t instance);

    bool Live() const { return live_; }
    std::int32_t Type_Index() const { return type_; }
    std::int32_t Instance_Index() const { return instance_; }
    // The record being edited; nullptr when it is gone (out of its table or
    // a free record), so that nothing is written.
    char_record* Record() const;

    // ---- Working values ----
    std::string name;
    std::string sprite_name;
    // "ARTWORK\CHARS\" + sprite name + ".dys", shown read-only.
    std::string File_Text() const;
    int head = HEAD_FIRST;
    int corpse = 0;
    int palette = 0;  // bits 0-6
    bool shadow = false, female = false, flying = false, animal = false, monster = false;
    // The stored bits 0-5; kept when the list offers no race at it.
    int race = 0;
    int profession = 0, lobby = 0;
    int direction = 0;  // facing - 1
    std::uint16_t spells = 0;
    // The texts of the number edits (the level's, the head's, the corpse
    // frame's and the palette's among them), by control.
    std::map<int, std::string> texts;
    CharPreviewMode mode = CharPreviewMode::Directions;
    // The frames of the body sprite the preview shows (0 when none).
    int body_frames = 0;

    std::uint8_t Palette_Byte() const { return static_cast<std::uint8_t>(palette | (shadow ? SHADOW_PALETTE : 0)); }

    // ---- The handlers ----
    // The head edit changed: empty means 1, the value is kept within 1..23.
    void Head_Changed(const std::string& text);
    // The corpse edit changed: empty means 0, kept within the body's frames.
    void Corpse_Changed(const std::string& text);
    // The palette edit changed or "Shadow pal" was clicked: empty means 0,
    // above 127 is 127.
    void Palette_Changed(const std::string& text, bool shadow_checked);
    // What an edit shows once the designer leaves it ("%d").
    std::string Head_Text() const { return std::to_string(head); }
    std::string Corpse_Text() const { return std::to_string(corpse); }
    std::string Palette_Text() const { return std::to_string(palette); }
    // The level spin: a negative delta raises, a positive one lowers, within
    // 1..99 (a level edit that holds no number starts from the record's).
    void Level_Spin(int delta);
    // "Animal" or "Monster" clicked: the first race of the new slice.
    void Category_Changed(bool animal_checked, bool monster_checked);
    // The races offered now, and the position of the working race in them
    // (-1 when the list offers none there).
    std::vector<std::string> Race_List() const;
    int Race_Position() const;
    // A race, a profession, a lobby picked in its list (a position outside
    // it picks nothing).
    void Pick_Race(int position);
    void Pick_Profession(int row);
    void Pick_Lobby(int row);
    // The list rows of the stored values; -1 when the list has none there.
    int Profession_Row() const;
    int Lobby_Row() const;
    void Set_Spell(int row, bool known);
    bool Spell_Known(int row) const;

    // The scroll bar: its range in the current mode, the value it shows;
    // a move changes the mode's value (direction, head or corpse frame),
    // and the edit of a head or corpse frame shows it.
    int Scroll_Min() const;
    int Scroll_Max() const;
    int Scroll_Value() const;
    void Scroll(ScrollMove move, int thumb = 0);

    // "Browse" chose a file: accepted only for a .DYS file in the character
    // sprite folder whose title has 1 to 8 characters and that reads as a
    // sprite; then its title is the sprite name. Otherwise false (the
    // status line says "Invalid sprite file") and nothing changes.
    bool Browse_Chosen(const std::string& path);

    // ---- OK ----
    // The first entry whose text is no number its field can take.
    std::optional<field_fault> Check() const;
    // Writes every working value into the record (after Check passed):
    // names, numbers, facing, race byte, the two flags the dialog shows,
    // the known spells; the database type becomes -1.
    void Write() const;
    // The editor selection on the character edited (OK and Cancel alike).
    void Leave_Selection() const;
    // OK as a whole, with the embedded modifier page's own check and save:
    // the first fault of the dialog's entries or the page's, with nothing
    // written; else everything written, the page saved, the selection left
    // on the character, and nothing.
    using page_check = std::function<std::optional<field_fault>()>;
    using page_save = std::function<void()>;
    std::optional<field_fault> OK(const page_check& check = {}, const page_save& save = {}) const;

  private:
    void Set_Text(int control, const std::string& text) { texts[control] = text; }

    std::int32_t type_;
    std::int32_t instance_;
    bool live_;
};
