#include "editor/ItemTypeEdit.h"

#include <algorithm>

#include "System/ClipRect.h"
#include "System/Display.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "datafiles/Hooks.h"
#include "editor/EditorState.h"
#include "editor/Preview.h"
#include "editor/wx/ControlIds.h"

namespace {

// The strip's pictures stand this far apart on its middle line.
constexpr int STRIP_PICTURE_STEP = 64;
constexpr int STRIP_MIDDLE_Y = (PREVIEW_STRIP.top + PREVIEW_STRIP.bottom) / 2;
// A cell of the item's frame.
constexpr int CELL_PIXELS = 32;
constexpr std::uint32_t BLACK_PIXEL = 0;
constexpr std::uint16_t MAX_PICTURE = 0xFFFF;

int Nibble_High(std::uint8_t size) { return size >> 4; }
int Nibble_Low(std::uint8_t size) { return size & 0x0F; }

const sprite* Item_Pictures() { return Sprite_From_Handle(items_sprite); }

}  // namespace

bool Item_Type_Editable(std::uint16_t type) {
    if (type >= item_types.size()) return false;
    if (type == ITEM_TYPE_DEAD_BODY) {
        Editor_Message(TEXT_NO_CORPSE_EDIT);
        return false;
    }
    return true;
}

ItemTypeEdit::ItemTypeEdit(std::uint16_t type, std::int32_t instance) : type_(type), instance_(instance) {
    const item_type& t = item_types[type];
    form_.name = Name_Of(t.name);
    const bool live = Live() && static_cast<std::uint32_t>(instance) < itemarray.Capacity();
    form_.recognize =
        std::to_string(live ? itemarray.records[static_cast<std::uint16_t>(instance)].recognize : t.default_recognize);
    form_.price = std::to_string(t.price);
    form_.weight = std::to_string(t.weight);
    form_.disturb = std::to_string(t.disturb);
    form_.mp = std::to_string(t.mana_points);
    form_.defend = std::to_string(t.defence);
    form_.attack = std::to_string(t.attack);
    form_.damage_min = std::to_string(t.damage_min);
    form_.damage_max = std::to_string(t.damage_max);
    form_.palette = std::to_string(t.palette);
    form_.max_distance = std::to_string(t.max_distance);
    form_.item_class = t.item_class < ITEM_CLASS_COUNT ? t.item_class : -1;
    form_.two_handed = (t.flags & ITEM_TWO_HANDED) != 0;
    form_.secondary = (t.flags & ITEM_SECONDARY) != 0;
    form_.burnable = (t.flags & ITEM_BURNABLE) != 0;
    form_.magical = (t.flags & ITEM_MAGICAL) != 0;
    picture_ = t.picture;
    form_.picture = std::to_string(picture_);
    width_ = Nibble_High(t.size);
    height_ = Nibble_Low(t.size);
    palette_ = t.palette;
}

std::string ItemTypeEdit::Extra_Label(int item_class) {
    return Max_Distance_Shown(item_class) ? TEXT_MAX_DISTANCE : "";
}

bool ItemTypeEdit::Max_Distance_Shown(int item_class) { return item_class == CLASS_BOW; }

// ---- The picture ----

int ItemTypeEdit::Frames() const {
    const sprite* s = Item_Pictures();
    return s != nullptr ? s->frames : 0;
}

std::int32_t ItemTypeEdit::Clamp_Picture(std::int64_t picture) const {
    // Without the pictures there is nothing to keep it within but its field.
    const std::int64_t last = Frames() > 0 ? Frames() - 1 : MAX_PICTURE;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(picture, 0, last));
}

int ItemTypeEdit::Picture_Typed(const std::string& text) {
    const std::optional<std::int64_t> typed = Parse_Whole_Number(text);
    if (typed || text.find_first_not_of(" ") == std::string::npos) picture_ = Clamp_Picture(typed.value_or(0));
    return picture_;
}

int ItemTypeEdit::Picture_Scrolled(int position) {
    picture_ = Clamp_Picture(position);
    return picture_;
}

// ---- The size ----

void ItemTypeEdit::Spin_Width(int step) {
    if (step > 0 && width_ < ITEM_WIDTH_MAX) ++width_;
    if (step < 0 && width_ > ITEM_WIDTH_MIN) --width_;
}

void ItemTypeEdit::Spin_Height(int step) {
    if (step > 0 && height_ < ITEM_HEIGHT_MAX) ++height_;
    if (step < 0 && height_ > ITEM_HEIGHT_MIN) --height_;
}

void ItemTypeEdit::Draw_Picture_Strip(const std::string& palette_text) const {
    std::int32_t palette = palette_;
    if (Take_Number(palette_text, IDC_ITEM_PALETTE, 0, ITEM_PALETTE_MAX, palette)) palette = palette_;
    Set_Full_Clip();
    Fill_Back_Rect(PREVIEW_STRIP, ui_background);
    const int w = width_ * CELL_PIXELS, h = height_ * CELL_PIXELS;
    const RECT frame{PREVIEW_CENTRE_X - w / 2 - 1, STRIP_MIDDLE_Y - h / 2 - 1, PREVIEW_CENTRE_X + w / 2 + 1,
                     STRIP_MIDDLE_Y + h / 2 + 1};
    Fill_Back_Rect(frame, BLACK_PIXEL);
    Fill_Back_Rect({frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1}, ui_background);
    if (const sprite* s = Item_Pictures()) {
        Set_Clip_Rect_From(PREVIEW_STRIP);
        const int n = PREVIEW_STRIP_WIDTH / STRIP_PICTURE_STEP;
        for (int k = -n / 2; k <= n / 2; ++k) {
            const int f = picture_ + k;
            if (f >= 0 && f < s->frames)
                Put_Sprite(BACK, PREVIEW_CENTRE_X + k * STRIP_PICTURE_STEP, STRIP_MIDDLE_Y, s, f, palette, LIGHT_PLAIN);
        }
        Set_Full_Clip();
    }
    Update_Screen(&PREVIEW_STRIP);
}

// ---- OK ----

std::optional<field_fault> ItemTypeEdit::OK(const item_form& form, ModPage& page,
                                            const mod_slot_entries& page_entries) {
    std::int32_t recognize = 0, price = 0, weight = 0, disturb = 0, mp = 0, defend = 0, attack = 0, damage_min = 0,
                 damage_max = 0, palette = 0, max_distance = 0, picture = 0;
    // An empty picture edit is picture 0, as the strip shows it.
    const std::string picture_text = form.picture.find_first_not_of(" ") == std::string::npos ? "0" : form.picture;
    const entry_check checks[] = {
        {&form.recognize, IDC_ITEM_RECOGNIZE, 0, ITEM_RECOGNIZE_MAX, &recognize},
        {&form.price, IDC_ITEM_PRICE, 0, ITEM_PRICE_MAX, &price},
        {&form.weight, IDC_ITEM_WEIGHT, 0, ITEM_WEIGHT_MAX, &weight},
        {&form.disturb, IDC_ITEM_DISTURB, 0, BYTE_ENTRY_MAX, &disturb},
        {&form.mp, IDC_ITEM_MP, 0, ITEM_MP_MAX, &mp},
        {&form.defend, IDC_ITEM_DEFEND, 0, BYTE_ENTRY_MAX, &defend},
        {&form.attack, IDC_ITEM_ATTACK, 0, BYTE_ENTRY_MAX, &attack},
        {&form.damage_min, IDC_ITEM_DAMAGE_MIN, 0, BYTE_ENTRY_MAX, &damage_min},
        {&form.damage_max, IDC_ITEM_DAMAGE_MAX, 0, BYTE_ENTRY_MAX, &damage_max},
        {&form.palette, IDC_ITEM_PALETTE, 0, ITEM_PALETTE_MAX, &palette},
        {&picture_text, IDC_ITEM_PICTURE, 0, ITEM_PICTURE_ENTRY_MAX, &picture},
        {&form.max_distance, IDC_ITEM_MAX_DISTANCE, 0, BYTE_ENTRY_MAX, &max_distance},
    };
    if (auto fault = Take_Numbers(checks)) return fault;
    if (auto fault = page.Check(page_entries)) return fault;

    item_type& t = item_types[type_];
    picture_ = Clamp_Picture(picture);
    t.picture = static_cast<std::uint16_t>(picture_);
    Put_Name(t.name, form.name);
    if (form.item_class >= 0 && form.item_class < ITEM_CLASS_COUNT)
        t.item_class = static_cast<std::uint8_t>(form.item_class);
    t.disturb = static_cast<std::uint8_t>(disturb);
    t.mana_points = static_cast<std::uint8_t>(mp);
    t.weight = static_cast<std::uint16_t>(weight);
    t.price = static_cast<std::uint32_t>(price);
    t.max_distance = static_cast<std::uint8_t>(max_distance);
    t.size = static_cast<std::uint8_t>(width_ << 4 | height_);
    t.attack = static_cast<std::uint8_t>(attack);
    t.damage_max = static_cast<std::uint8_t>(damage_max);
    t.damage_min = static_cast<std::uint8_t>(damage_min);
    t.defence = static_cast<std::uint8_t>(defend);
    t.palette = static_cast<std::uint8_t>(palette);
    if (Live())
        itemarray.records[static_cast<std::uint16_t>(instance_)].recognize = static_cast<std::uint8_t>(recognize);
    else
        t.default_recognize = static_cast<std::uint8_t>(recognize);
    t.flags = 0;
    if (form.two_handed) t.flags |= ITEM_TWO_HANDED;
    if (form.secondary) t.flags |= ITEM_SECONDARY;
    if (form.burnable) t.flags |= ITEM_BURNABLE;
    if (form.magical) t.flags |= ITEM_MAGICAL;
    page.Save();
    return std::nullopt;
}

void ItemTypeEdit::Leave_Selection() const {
    Set_Editor_Selection(OBJ_ITEM, Live() ? static_cast<std::uint16_t>(instance_) : type_, Live());
}
