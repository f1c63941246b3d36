#include "editor/FixitemTypeEdit.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "Objects/Map.h"
#include "Objects/TypeTables.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "datafiles/Hooks.h"
#include "editor/FixitemSlots.h"
#include "editor/PlacedObject.h"
#include "editor/Preview.h"
#include "editor/wx/ControlIds.h"
#include "frontend/MapArtwork.h"
#include "platform/PathResolver.h"

namespace {

constexpr const char* PICTURE_EXTENSION = ".bmp";
// The flags the dialog's four boxes set; a type keeps no other.
constexpr std::uint8_t FIX_DIALOG_FLAGS = FIX_ANIMATED | FIX_BURNABLE | FIX_WATER | FIX_GROUND;

bool Map_Owned_Slot(std::uint8_t slot) { return slot != 0 && slot < MAP_TYPE_SLOTS; }

int Sprite_Frames(std::uint32_t handle) {
    const sprite* s = Sprite_From_Handle(handle);
    return s != nullptr ? s->frames : 0;
}

bool Blank(const std::string& text) { return text.find_first_not_of(" ") == std::string::npos; }

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

map_record& Record_Of(std::int32_t instance) { return maparray.records[static_cast<std::uint16_t>(instance)]; }

}  // namespace

bool Fixitem_Type_Editable(std::uint16_t type, std::int32_t instance) {
    bool editable = type != 0 && type < fixitem_data.size() && type < fixitem_data_ext.size();
    if (editable && instance != -1) {
        const auto record = static_cast<std::uint16_t>(instance);
        const std::uint8_t slot = Fixitem_Slot_Of(record);
        const bool head = instance >= 0 && static_cast<std::uint32_t>(instance) < total_fields;
        editable = Placed_Object_Valid(Make_Obj(OBJ_FIXITEM, record)) && slot < MAP_TYPE_SLOTS && !(head && slot == 0);
    }
    if (!editable) Editor_Message(TEXT_NO_FIXITEM_EDIT);
    return editable;
}

FixitemTypeEdit::FixitemTypeEdit(std::uint16_t type, std::int32_t instance) : type_(type), instance_(instance) {
    const fixitem_type& t = fixitem_data[type];
    sprite_name_ = Name_Of(t.sprite_name);
    form_.name = Name_Of(fixitem_data_ext[type].name);
    form_.defend = std::to_string(t.defend);
    form_.fill = std::to_string(t.fill);
    form_.height = std::to_string(t.height);
    form_.max_hp = std::to_string(t.max_hp);
    form_.hp = form_.max_hp;
    form_.mp = std::to_string(t.mp > FIX_MP_PASSABLE_MAX ? FIX_MP_IMPASSABLE : t.mp);
    form_.animated = (t.flags & FIX_ANIMATED) != 0;
    form_.burnable = (t.flags & FIX_BURNABLE) != 0;
    form_.water = (t.flags & FIX_WATER) != 0;
    form_.ground = (t.flags & FIX_GROUND) != 0;
    amortized_ = t.amortized;
    if (Live()) {
        const map_record& r = Record_Of(instance);
        form_.hp = std::to_string(r.hp);
        frame_ = r.frame;
        frame_count_ = r.type != 0 ? Sprite_Frames(fixitem_types[r.type].sprite) : 0;
    }
    form_.frame = std::to_string(frame_);
}

// ---- The picture ----

std::string FixitemTypeEdit::File_Name_Text() const { return FIXITEM_ART_FOLDER + sprite_name_ + PICTURE_EXTENSION; }

int FixitemTypeEdit::Frame_Typed(const std::string& text) {
    const std::optional<std::int64_t> typed = Parse_Whole_Number(text);
    if (typed || Blank(text)) {
        std::int64_t frame = std::clamp<std::int64_t>(typed.value_or(0), 0, FIX_FRAME_MAX);
        if (frame_count_ > 0) frame = std::min<std::int64_t>(frame, frame_count_ - 1);
        frame_ = static_cast<int>(frame);
    }
    Show_Preview();
    return frame_;
}

void FixitemTypeEdit::Show_Preview() const {
    Editor_Show_Preview((FIXITEM_ART_FOLDER + sprite_name_).c_str(), frame_, 0);
}

std::filesystem::path FixitemTypeEdit::Art_Folder() {
    return Resolve_Path(FIXITEM_ART_FOLDER).value_or(Working_Folder() / "ARTWORK");
}

bool FixitemTypeEdit::Browsed(const std::filesystem::path& file) {
    const std::string title = file.stem().string();
    bool taken = !title.empty() && title.size() <= SPRITE_NAME_LENGTH && Lower(file.extension().string()) == ".bmp";
    // The picture the loader reads for that name must be the file chosen:
    // the name is all the type keeps of it.
    const std::string game_name = FIXITEM_ART_FOLDER + title;
    if (taken) {
        const std::optional<std::filesystem::path> loaded = Resolve_Path(game_name + PICTURE_EXTENSION);
        std::error_code ignored;
        taken = loaded && std::filesystem::equivalent(*loaded, file, ignored);
    }
    sprite* picture = taken ? Try_Load_Sprite(game_name.c_str()) : nullptr;
    if (picture == nullptr) {
        Editor_Message(TEXT_INVALID_SPRITE);
        return false;
    }
    frame_count_ = picture->frames;
    Release_Sprite(picture);
    sprite_name_ = title;
    Show_Preview();
    return true;
}

// ---- The type it turns into ----

std::string FixitemTypeEdit::Amortized_Text() const {
    if (amortized_ == 0) return TEXT_NO_AMORTIZED;
    if (amortized_ >= fixitem_data_ext.size()) return std::to_string(amortized_);
    return Name_Of(fixitem_data_ext[amortized_].name);
}

void FixitemTypeEdit::Set_Amortized(editor_selection_ref picked) {
    if (picked.kind != OBJ_FIXITEM || picked.index == NO_INDEX) {
        amortized_ = 0;
        return;
    }
    if (picked.index != type_ && picked.index < FIX_AMORTIZED_LIMIT && picked.index < fixitem_data.size())
        amortized_ = picked.index;
}

// ---- OK ----

// The map's slot of the placed fixitem takes the type again: its picture
// loaded anew, and the type it turns into given a slot of its own.
void FixitemTypeEdit::Refresh_Map_Slot(std::uint8_t slot) {
    const fixitem_type& d = fixitem_data[type_];
    fixitem_type& s = fixitem_types[slot];
    std::copy(std::begin(d.sprite_name), std::end(d.sprite_name), std::begin(s.sprite_name));
    s.height = d.height;
    s.max_hp = d.max_hp;
    s.defend = d.defend;
    s.flags = d.flags;
    s.mp = d.mp;
    s.fill = d.fill;
    s.db_index = static_cast<std::int16_t>(type_);
    // The preview may show the slot's picture, which the reload frees.
    Release_Preview();
    Load_Slot_Sprite(slot);
    s.amortized = 0;
    if (d.amortized != 0) {
        const std::int32_t worse = Add_Fixitem_Type_To_Map(d.amortized);
        s.amortized = worse > 0 ? static_cast<std::uint8_t>(worse) : 0;
    }
}

std::optional<field_fault> FixitemTypeEdit::OK(const fixitem_form& form, ModPage& page,
                                               const mod_slot_entries& page_entries) {
    std::int32_t mp = 0, fill = 0, height = 0, defend = 0, max_hp = 0, hp = 0, frame = 0;
    const std::string frame_text = Blank(form.frame) ? "0" : form.frame;
    std::vector<entry_check> checks = {
        {&form.mp, IDC_FIX_MP, FIX_MP_MIN, FIX_MP_MAX, &mp},
        {&form.fill, IDC_FIX_FILL, 0, FIX_FILL_MAX, &fill},
        {&form.height, IDC_FIX_HEIGHT, 0, FIX_HEIGHT_MAX, &height},
        {&form.defend, IDC_FIX_DEFEND, FIX_SIGNED_MIN, FIX_SIGNED_MAX, &defend},
        {&form.max_hp, IDC_FIX_MAX_HP, FIX_SIGNED_MIN, FIX_SIGNED_MAX, &max_hp},
    };
    if (Live()) {
        checks.push_back({&form.hp, IDC_FIX_HP, FIX_SIGNED_MIN, FIX_SIGNED_MAX, &hp});
        checks.push_back({&frame_text, IDC_FIX_FRAME, 0, FIX_FRAME_MAX, &frame});
    }
    if (auto fault = Take_Numbers(checks)) return fault;
    if (auto fault = page.Check(page_entries)) return fault;

    fixitem_type& t = fixitem_data[type_];
    Put_Name(t.sprite_name, sprite_name_);
    Put_Name(fixitem_data_ext[type_].name, form.name);
    t.defend = static_cast<std::int8_t>(defend);
    t.fill = static_cast<std::uint8_t>(fill);
    t.height = static_cast<std::uint8_t>(height);
    t.max_hp = static_cast<std::int8_t>(max_hp);
    t.mp = mp > FIX_MP_PASSABLE_MAX ? FIX_MP_IMPASSABLE : static_cast<std::int8_t>(mp);
    t.amortized = static_cast<std::uint8_t>(amortized_);
    t.flags = static_cast<std::uint8_t>((form.animated ? FIX_ANIMATED : 0) | (form.burnable ? FIX_BURNABLE : 0) |
                                        (form.ground ? FIX_GROUND : 0) | (form.water ? FIX_WATER : 0));
    static_assert((FIX_DIALOG_FLAGS & FIX_SLOT_FREE) == 0);
    if (Live()) {
        map_record& r = Record_Of(instance_);
        r.hp = static_cast<std::int8_t>(hp);
        r.frame = static_cast<std::uint8_t>(frame);
        // Slot 0 is every plain field's: it never takes a type.
        if (Map_Owned_Slot(r.type)) Refresh_Map_Slot(r.type);
    }
    page.Save();
    return std::nullopt;
}

void FixitemTypeEdit::Leave_Selection() const {
    Set_Editor_Selection(OBJ_FIXITEM, Live() ? static_cast<std::uint16_t>(instance_) : type_, Live());
}
