#include "editor/CharTypeEdit.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <limits>

#include "Objects/Acts.h"
#include "Objects/Char/CharSprites.h"
#include "Objects/TypeTables.h"
#include "System/Dys.h"
#include "System/Sprite.h"
#include "datafiles/Hooks.h"
#include "editor/EditorState.h"
#include "editor/wx/ControlIds.h"
#include "frontend/CharPage.h"
#include "platform/PathResolver.h"

const char* const lobby_names[LOBBY_NAME_COUNT] = {
    "Player's party", "Bandits",   "Townsfolk", "Town guard", "Monsters",  "Animals",   "Undead",    "Lobby 7.",
    "Lobby 8.",       "Lobby 9.",  "Lobby 10.", "Lobby 11.",  "Lobby 12.", "Lobby 13.", "Lobby 14.", "Lobby 15.",
    "Lobby 16.",      "Lobby 17.", "Lobby 18.", "Lobby 19.",  "Lobby 20.", "Lobby 21.", "Lobby 22.", "Lobby 23.",
    "Lobby 24.",      "Lobby 25.", "Lobby 26.", "Lobby 27.",  "Lobby 28.", "Lobby 29.", "Lobby 30.", "Lobby 31.",
    "Lobby 32.",      "Lobby 33.", "Lobby 34.", "Local 1.",   "Local 2.",  "Local 3.",  "Local 4.",  "Local 5.",
};

race_slice Race_Slice(bool animal, bool monster) {
    if (animal && monster) return {13, 2};
    if (monster) return {10, 3};
    if (animal) return {4, 6};
    return {0, 4};
}

namespace {

constexpr std::int64_t U8_MAX = std::numeric_limits<std::uint8_t>::max();
constexpr std::int64_t I8_MAX = std::numeric_limits<std::int8_t>::max();
constexpr std::int64_t U16_MAX = std::numeric_limits<std::uint16_t>::max();
constexpr std::int64_t I16_MAX = std::numeric_limits<std::int16_t>::max();
constexpr std::int64_t U32_MAX = std::numeric_limits<std::uint32_t>::max();
// Braveness runs up to this (the field is a byte).
constexpr std::int64_t BRAVENESS_MAX = 127;

constexpr std::size_t Skill(int s) { return offsetof(char_record, weapon_skill) + 2 * static_cast<std::size_t>(s); }
constexpr std::size_t Thief(int s) { return offsetof(char_record, thief_skill) + 2 * static_cast<std::size_t>(s); }
constexpr std::size_t Lore(int s) { return offsetof(char_record, lore) + 2 * static_cast<std::size_t>(s); }
constexpr std::size_t Mana(int s) { return offsetof(char_record, mana) + 2 * static_cast<std::size_t>(s); }
constexpr std::size_t Max_Mana(int s) { return offsetof(char_record, max_mana) + 2 * static_cast<std::size_t>(s); }
constexpr std::size_t Protection(int s) { return offsetof(char_record, protection) + 2 * static_cast<std::size_t>(s); }

// The record's thief skills are locks, detect, persuasion, poisons,
// backstab, thievery; the lores herbs, animals, monsters, humanoids, one
// unused, anatomy, artifacts.
enum { THIEF_LOCKS, THIEF_DETECT, THIEF_PERSUASION, THIEF_POISONS, THIEF_BACKSTAB, THIEF_THIEVERY };
enum { LORE_HERBS, LORE_ANIMALS, LORE_MONSTERS, LORE_HUMANOIDS, LORE_UNUSED, LORE_ANATOMY, LORE_ARTIFACTS };

// Signed fields take their whole range: a placed character may be below 0
// hit points, a natural defence may be a penalty.
char_number_field U16_Field(int control, std::size_t offset) { return {control, offset, FieldWidth::U16, 0, U16_MAX}; }
char_number_field I16_Field(int control, std::size_t offset) {
    return {control, offset, FieldWidth::I16, -I16_MAX - 1, I16_MAX};
}

bool Equal_Ignoring_Case(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool Same_Folder(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

// A clamped entry: empty gives empty_value; a number is kept within
// min..max; anything else leaves value as it was.
void Clamped_Entry(const std::string& text, int empty_value, int min, int max, int& value) {
    if (text.find_first_not_of(" \t") == std::string::npos) {
        value = empty_value;
        return;
    }
    if (const std::optional<std::int64_t> v = Parse_Whole_Number(text))
        value = static_cast<int>(std::clamp<std::int64_t>(*v, min, max));
}

// A clamped entry's text is good when it is empty or a number.
bool Clamped_Text_Good(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos || Parse_Whole_Number(text).has_value();
}

}  // namespace

const std::vector<char_number_field>& Char_Number_Fields() {
    static const std::vector<char_number_field> fields = {
        {IDC_CHAR_LEVEL, offsetof(char_record, level), FieldWidth::I8, LEVEL_FIRST, LEVEL_LAST},
        {IDC_CHAR_EXPERIENCE, offsetof(char_record, experience), FieldWidth::U32, 0, U32_MAX},
        I16_Field(IDC_CHAR_HP, offsetof(char_record, hp)),
        I16_Field(IDC_CHAR_HP_MAX, offsetof(char_record, max_hp)),
        I16_Field(IDC_CHAR_STAMINA, offsetof(char_record, stamina)),
        I16_Field(IDC_CHAR_STAMINA_MAX, offsetof(char_record, max_stamina)),
        {IDC_CHAR_ATTACK, offsetof(char_record, attack), FieldWidth::U8, 0, U8_MAX},
        {IDC_CHAR_DEFEND, offsetof(char_record, defence), FieldWidth::I8, -I8_MAX - 1, I8_MAX},
        {IDC_CHAR_BRAVENESS, offsetof(char_record, braveness), FieldWidth::U8, 0, BRAVENESS_MAX},
        I16_Field(IDC_CHAR_STRENGTH, offsetof(char_record, strength)),
        I16_Field(IDC_CHAR_DEXTERITY, offsetof(char_record, dexterity)),
        I16_Field(IDC_CHAR_SPIRIT, offsetof(char_record, spirit)),
        I16_Field(IDC_CHAR_IQ, offsetof(char_record, iq)),
        U16_Field(IDC_CHAR_FIRE_MANA, Mana(0)),
        U16_Field(IDC_CHAR_FIRE_MANA_MAX, Max_Mana(0)),
        U16_Field(IDC_CHAR_WATER_MANA, Mana(1)),
        U16_Field(IDC_CHAR_WATER_MANA_MAX, Max_Mana(1)),
        U16_Field(IDC_CHAR_AIR_MANA, Mana(2)),
        U16_Field(IDC_CHAR_AIR_MANA_MAX, Max_Mana(2)),
        U16_Field(IDC_CHAR_EARTH_MANA, Mana(3)),
        U16_Field(IDC_CHAR_EARTH_MANA_MAX, Max_Mana(3)),
        I16_Field(IDC_CHAR_ENERGY, Protection(0)),
        I16_Field(IDC_CHAR_NATURE, Protection(1)),
        I16_Field(IDC_CHAR_SPIRIT_PROTECTION, Protection(2)),
        I16_Field(IDC_CHAR_DARKNESS, Protection(3)),
        I16_Field(IDC_CHAR_MACES, Skill(WS_MACES)),
        I16_Field(IDC_CHAR_AXES, Skill(WS_AXES)),
        I16_Field(IDC_CHAR_PIKES, Skill(WS_PIKES)),
        I16_Field(IDC_CHAR_SWORDS, Skill(WS_SWORDS)),
        I16_Field(IDC_CHAR_KNIVES, Skill(WS_KNIVES)),
        I16_Field(IDC_CHAR_ASSASSIN, Skill(WS_ASSASSIN)),
        I16_Field(IDC_CHAR_BOWS, Skill(WS_BOWS)),
        I16_Field(IDC_CHAR_SHIELDS, Skill(WS_SHIELDS)),
        I16_Field(IDC_CHAR_FIST, Skill(WS_FIST)),
        I16_Field(IDC_CHAR_TWO_HANDED, Skill(WS_TWO_HANDED)),
        I16_Field(IDC_CHAR_LEFT_HAND, Skill(WS_LEFT_HAND)),
        I16_Field(IDC_CHAR_LEADERSHIP, Skill(WS_LEADERSHIP)),
        I16_Field(IDC_CHAR_LOCKS, Thief(THIEF_LOCKS)),
        I16_Field(IDC_CHAR_DETECT, Thief(THIEF_DETECT)),
        I16_Field(IDC_CHAR_PERSUASION, Thief(THIEF_PERSUASION)),
        I16_Field(IDC_CHAR_BACKSTAB, Thief(THIEF_BACKSTAB)),
        I16_Field(IDC_CHAR_POISONS, Thief(THIEF_POISONS)),
        I16_Field(IDC_CHAR_THIEVERY, Thief(THIEF_THIEVERY)),
        I16_Field(IDC_CHAR_HERBS, Lore(LORE_HERBS)),
        I16_Field(IDC_CHAR_ANIMALS, Lore(LORE_ANIMALS)),
        I16_Field(IDC_CHAR_MONSTERS, Lore(LORE_MONSTERS)),
        I16_Field(IDC_CHAR_HUMANOIDS, Lore(LORE_HUMANOIDS)),
        I16_Field(IDC_CHAR_ANATOMY, Lore(LORE_ANATOMY)),
        I16_Field(IDC_CHAR_ARTIFACTS, Lore(LORE_ARTIFACTS)),
    };
    return fields;
}

const char_number_field* Char_Number_Field(int control) {
    for (const char_number_field& f : Char_Number_Fields())
        if (f.control == control) return &f;
    return nullptr;
}

std::int64_t Read_Char_Field(const char_record& r, const char_number_field& f) {
    const auto* at = reinterpret_cast<const unsigned char*>(&r) + f.offset;
    switch (f.width) {
        case FieldWidth::U8: return *at;
        case FieldWidth::I8: return static_cast<std::int8_t>(*at);
        case FieldWidth::U16: {
            std::uint16_t v;
            std::memcpy(&v, at, sizeof v);
            return v;
        }
        case FieldWidth::I16: {
            std::int16_t v;
            std::memcpy(&v, at, sizeof v);
            return v;
        }
        case FieldWidth::U32: {
            std::uint32_t v;
            std::memcpy(&v, at, sizeof v);
            return v;
        }
    }
    return 0;
}

void Write_Char_Field(char_record& r, const char_number_field& f, std::int64_t value) {
    auto* at = reinterpret_cast<unsigned char*>(&r) + f.offset;
    switch (f.width) {
        case FieldWidth::U8:
        case FieldWidth::I8: *at = static_cast<unsigned char>(value); return;
        case FieldWidth::U16:
        case FieldWidth::I16: {
            const auto v = static_cast<std::uint16_t>(value);
            std::memcpy(at, &v, sizeof v);
            return;
        }
        case FieldWidth::U32: {
            const auto v = static_cast<std::uint32_t>(value);
            std::memcpy(at, &v, sizeof v);
            return;
        }
    }
}

// ---- The dialog's values ----

CharTypeEdit::CharTypeEdit(std::int32_t type, std::int32_t instance)
    : type_(type), instance_(instance), live_(instance != -1) {
    const char_record* r = Record();
    if (r == nullptr) return;
    name = Name_Of(r->name);
    sprite_name = Name_Of(r->body_name);
    head = std::clamp<int>(r->head, HEAD_FIRST, HEAD_LAST);
    corpse = r->corpse_frame;
    palette = r->palette & PALETTE_LAST;
    shadow = (r->palette & SHADOW_PALETTE) != 0;
    female = (r->flags & CF_FEMALE) != 0;
    flying = (r->flags & CF_FLYING) != 0;
    animal = (r->race & RACE_ANIMAL) != 0;
    monster = (r->race & RACE_MONSTER) != 0;
    race = r->race & RACE_MASK;
    profession = r->profession;
    lobby = r->lobby;
    direction = std::clamp(static_cast<int>(r->facing) - 1, 0, FACING_COUNT - 1);
    spells = r->known_spells;
    for (const char_number_field& f : Char_Number_Fields()) texts[f.control] = std::to_string(Read_Char_Field(*r, f));
    texts[IDC_CHAR_HEAD] = Head_Text();
    texts[IDC_CHAR_CORPSE] = Corpse_Text();
    texts[IDC_CHAR_PALETTE] = Palette_Text();
}

char_record* CharTypeEdit::Record() const {
    if (live_) {
        if (instance_ < 0 || !Char_In_Use(static_cast<std::uint16_t>(instance_))) return nullptr;
        return &chararray.records[static_cast<std::uint16_t>(instance_)];
    }
    if (type_ < 0 || static_cast<std::size_t>(type_) >= char_data.size()) return nullptr;
    return &char_data[static_cast<std::size_t>(type_)];
}

std::string CharTypeEdit::File_Text() const { return CHAR_SPRITE_FOLDER + sprite_name + CHAR_SPRITE_EXTENSION; }

void CharTypeEdit::Head_Changed(const std::string& text) {
    Set_Text(IDC_CHAR_HEAD, text);
    Clamped_Entry(text, HEAD_FIRST, HEAD_FIRST, HEAD_LAST, head);
}

void CharTypeEdit::Corpse_Changed(const std::string& text) {
    Set_Text(IDC_CHAR_CORPSE, text);
    Clamped_Entry(text, 0, 0, body_frames > 0 ? body_frames - 1 : static_cast<int>(U16_MAX), corpse);
}

void CharTypeEdit::Palette_Changed(const std::string& text, bool shadow_checked) {
    Set_Text(IDC_CHAR_PALETTE, text);
    shadow = shadow_checked;
    // Palette numbers are not negative.
    Clamped_Entry(text, 0, 0, PALETTE_LAST, palette);
}

void CharTypeEdit::Level_Spin(int delta) {
    std::int64_t level = LEVEL_FIRST;
    if (const std::optional<std::int64_t> v = Parse_Whole_Number(texts[IDC_CHAR_LEVEL]))
        level = *v;
    else if (const char_record* r = Record())
        level = r->level;
    if (delta < 0) level = std::min<std::int64_t>(level + 1, LEVEL_LAST);
    if (delta > 0) level = std::max<std::int64_t>(level - 1, LEVEL_FIRST);
    level = std::clamp<std::int64_t>(level, LEVEL_FIRST, LEVEL_LAST);
    Set_Text(IDC_CHAR_LEVEL, std::to_string(level));
}

void CharTypeEdit::Category_Changed(bool animal_checked, bool monster_checked) {
    animal = animal_checked;
    monster = monster_checked;
    race = 0;
}

std::vector<std::string> CharTypeEdit::Race_List() const {
    const race_slice s = Race_Slice(animal, monster);
    std::vector<std::string> list;
    for (int r = s.first; r < s.first + s.count; ++r) list.emplace_back(race_names[r]);
    return list;
}

int CharTypeEdit::Race_Position() const { return race < Race_Slice(animal, monster).count ? race : -1; }

void CharTypeEdit::Pick_Race(int position) {
    if (position >= 0 && position < Race_Slice(animal, monster).count) race = position;
}

void CharTypeEdit::Pick_Profession(int row) {
    if (row >= 0 && row < PROFESSION_NAME_COUNT) profession = row;
}

void CharTypeEdit::Pick_Lobby(int row) {
    if (row >= 0 && row < LOBBY_NAME_COUNT) lobby = row;
}

int CharTypeEdit::Profession_Row() const { return profession < PROFESSION_NAME_COUNT ? profession : -1; }

int CharTypeEdit::Lobby_Row() const { return lobby < LOBBY_NAME_COUNT ? lobby : -1; }

void CharTypeEdit::Set_Spell(int row, bool known) {
    if (row < 0 || row >= SPELL_COUNT) return;
    const auto bit = static_cast<std::uint16_t>(1u << row);
    spells = static_cast<std::uint16_t>(known ? spells | bit : spells & ~bit);
}

bool CharTypeEdit::Spell_Known(int row) const { return row >= 0 && row < SPELL_COUNT && (spells >> row & 1) != 0; }

// ---- The preview's scroll bar ----

int CharTypeEdit::Scroll_Min() const { return mode == CharPreviewMode::Heads ? HEAD_FIRST : 0; }

int CharTypeEdit::Scroll_Max() const {
    switch (mode) {
        case CharPreviewMode::Directions: return FACING_COUNT - 1;
        case CharPreviewMode::Heads: return HEAD_LAST;
        case CharPreviewMode::CorpseFrames: return std::max(body_frames - 1, 0);
    }
    return 0;
}

int CharTypeEdit::Scroll_Value() const {
    switch (mode) {
        case CharPreviewMode::Directions: return direction;
        case CharPreviewMode::Heads: return head;
        case CharPreviewMode::CorpseFrames: return corpse;
    }
    return 0;
}

void CharTypeEdit::Scroll(ScrollMove move, int thumb) {
    int value = Scroll_Value();
    switch (move) {
        case ScrollMove::LineLeft: value -= 1; break;
        case ScrollMove::LineRight: value += 1; break;
        case ScrollMove::PageLeft: value -= SCROLL_PAGE; break;
        case ScrollMove::PageRight: value += SCROLL_PAGE; break;
        case ScrollMove::Thumb: value = thumb; break;
        case ScrollMove::Home: value = 0; break;
        case ScrollMove::End: value = Scroll_Max(); break;
    }
    value = std::clamp(value, Scroll_Min(), Scroll_Max());
    switch (mode) {
        case CharPreviewMode::Directions: direction = value; break;
        case CharPreviewMode::Heads:
            head = value;
            Set_Text(IDC_CHAR_HEAD, Head_Text());
            break;
        case CharPreviewMode::CorpseFrames:
            corpse = value;
            Set_Text(IDC_CHAR_CORPSE, Corpse_Text());
            break;
    }
}

// ---- "Browse" ----

bool CharTypeEdit::Browse_Chosen(const std::string& path) {
    const std::filesystem::path chosen(path);
    const std::string title = chosen.stem().string();
    const std::optional<std::filesystem::path> folder = Resolve_Path(CHAR_SPRITE_FOLDER);
    bool good = folder && Same_Folder(chosen.parent_path(), *folder) &&
                Equal_Ignoring_Case(chosen.extension().string(), CHAR_SPRITE_EXTENSION) && !title.empty() &&
                title.size() <= SPRITE_NAME_CHARS;
    if (good) {
        sprite* s = Try_Load_DYS((CHAR_SPRITE_FOLDER + title).c_str());
        good = s != nullptr && s->frames > 0;
        Release_Sprite(s);
    }
    if (!good) {
        Editor_Message(TEXT_INVALID_SPRITE);
        return false;
    }
    sprite_name = title;
    return true;
}

// ---- OK ----

std::optional<field_fault> CharTypeEdit::Check() const {
    for (const int control : {IDC_CHAR_HEAD, IDC_CHAR_CORPSE, IDC_CHAR_PALETTE}) {
        const auto t = texts.find(control);
        if (t != texts.end() && !Clamped_Text_Good(t->second)) return field_fault{control, TEXT_ENTER_INTEGER};
    }
    for (const char_number_field& f : Char_Number_Fields()) {
        const auto t = texts.find(f.control);
        const std::optional<std::int64_t> v = Parse_Whole_Number(t != texts.end() ? t->second : std::string());
        if (!v) return field_fault{f.control, TEXT_ENTER_INTEGER};
        if (*v < f.min || *v > f.max) return field_fault{f.control, Range_Message(f.min, f.max)};
    }
    return std::nullopt;
}

void CharTypeEdit::Write() const {
    char_record* r = Record();
    if (r == nullptr) return;
    const std::string old_body = Name_Of(r->body_name);
    const std::uint16_t old_head = r->head;
    Put_Name(r->name, name);
    Put_Name(r->body_name, sprite_name);
    r->head = static_cast<std::uint16_t>(head);
    r->corpse_frame = static_cast<std::uint16_t>(corpse);
    r->palette = Palette_Byte();
    for (const char_number_field& f : Char_Number_Fields()) {
        const auto t = texts.find(f.control);
        if (t == texts.end()) continue;
        if (const std::optional<std::int64_t> v = Parse_Whole_Number(t->second)) Write_Char_Field(*r, f, *v);
    }
    r->facing = static_cast<std::uint8_t>(direction + 1);
    r->race = static_cast<std::uint8_t>((animal ? RACE_ANIMAL : 0) | (monster ? RACE_MONSTER : 0) | (race & RACE_MASK));
    r->profession = static_cast<std::uint8_t>(profession);
    r->lobby = static_cast<std::uint8_t>(lobby);
    r->flags = static_cast<std::uint16_t>((r->flags & ~(CF_FEMALE | CF_FLYING)) | (female ? CF_FEMALE : 0) |
                                          (flying ? CF_FLYING : 0));
    r->db_type = -1;
    r->known_spells = static_cast<std::uint16_t>(spells & ((1u << SPELL_COUNT) - 1));
    // A placed character shows its new figure and head on the map at once.
    if (live_) {
        const auto c = static_cast<std::uint16_t>(instance_);
        if (sprite_name != old_body) Load_Char_Sprite(c);
        if (r->head != old_head) Load_Char_Head(r->head, c);
    }
}

void CharTypeEdit::Leave_Selection() const {
    Set_Editor_Selection(OBJ_CHAR, static_cast<std::uint16_t>(live_ ? instance_ : type_), live_);
}

std::optional<field_fault> CharTypeEdit::OK(const page_check& check, const page_save& save) const {
    std::optional<field_fault> fault = Check();
    if (!fault && check) fault = check();
    if (fault) return fault;
    Write();
    if (save) save();
    Leave_Selection();
    return std::nullopt;
}
