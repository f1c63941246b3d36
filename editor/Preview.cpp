#include "editor/Preview.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/TypeTables.h"
#include "System/ClipRect.h"
#include "System/Display.h"
#include "System/Dys.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "datafiles/Hooks.h"
#include "editor/EditorState.h"
#include "editor/PlacedObject.h"
#include "frontend/Controls.h"

namespace {

constexpr const char* CHARS_FOLDER = "ARTWORK\\CHARS\\";
constexpr const char* ARTWORK_FOLDER = "ARTWORK\\";
constexpr std::uint32_t BLACK_PIXEL = 0;

template <std::size_t N>
std::string Name_Of(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

const sprite* Shown_Sprite() {
    if (preview_owned_sprite != nullptr) return preview_owned_sprite;
    return Sprite_From_Handle(preview_sprite);
}

void Free_Owned_Sprite() {
    Release_Sprite(preview_owned_sprite);
    preview_owned_sprite = nullptr;
}

void Fill_Strip() {
    Set_Full_Clip();
    Fill_Back_Rect(PREVIEW_STRIP, ui_background);
}

// A picture the preview loads itself: a DYS file for characters, a bitmap
// for fixitems. One that cannot be read is reported and shows nothing.
bool Load_Own_Sprite(const std::string& name, bool dys) {
    Free_Owned_Sprite();
    preview_sprite = 0;
    preview_owned_sprite = dys ? Try_Load_DYS(name.c_str()) : Try_Load_Sprite(name.c_str());
    if (preview_owned_sprite != nullptr) return true;
    Editor_Message(("Can't load picture: " + name + (dys ? ".DYS" : ".BMP")).c_str());
    return false;
}

// Shows a sprite the map owns (by handle, so that a sprite the map has freed
// is never drawn).
bool Show_Map_Sprite(std::uint32_t handle) {
    Free_Owned_Sprite();
    preview_sprite = Sprite_From_Handle(handle) != nullptr ? handle : 0;
    return preview_sprite != 0;
}

bool Preview_Placed_Object() {
    const obj_ref obj = Selected_Object();
    if (!Placed_Object_Valid(obj)) return false;
    const std::uint16_t i = editor_selection.index;
    switch (editor_selection.kind) {
        case OBJ_CHAR: {
            const char_record& c = chararray.records[i];
            preview_frame = c.facing - 1;
            preview_palette = c.palette;
            return Show_Map_Sprite(c.body_sprite);
        }
        case OBJ_ITEM: {
            const item_type* t = Item_Type_Of(i);
            if (t == nullptr) return false;
            preview_frame = t->picture;
            preview_palette = t->palette;
            return Show_Map_Sprite(items_sprite);
        }
        case OBJ_FIXITEM: {
            const std::uint8_t slot = Fixitem_Slot_Of(i);
            if (slot == 0) return false;
            preview_frame = maparray.records[i].frame;
            preview_palette = 0;
            return Show_Map_Sprite(fixitem_types[slot].sprite);
        }
        default: return false;
    }
}

bool Preview_Database_Type() {
    const std::uint16_t i = editor_selection.index;
    switch (editor_selection.kind) {
        case OBJ_CHAR:
            if (i >= char_data.size()) return false;
            preview_frame = 0;
            preview_palette = char_data[i].palette;
            return Load_Own_Sprite(CHARS_FOLDER + Name_Of(char_data[i].body_name), true);
        case OBJ_ITEM:
            if (i >= item_types.size()) return false;
            preview_frame = item_types[i].picture;
            preview_palette = item_types[i].palette;
            return Show_Map_Sprite(items_sprite);
        case OBJ_FIXITEM:
            // Record 0 is reserved: it has no picture.
            if (i == 0 || i >= fixitem_data.size()) return false;
            preview_frame = 0;
            preview_palette = 0;
            return Load_Own_Sprite(ARTWORK_FOLDER + Name_Of(fixitem_data[i].sprite_name), false);
        default: return false;
    }
}

void Draw_Cell(const sprite* s, int x, int y, int frame) {
    const int palette = editor_selection.kind == OBJ_FIXITEM ? 0 : preview_palette;
    Put_Sprite(BACK, x, y, s, frame, palette, LIGHT_PLAIN);
}

}  // namespace

preview_band Preview_Band(int sprite_height) {
    const int band = sprite_height + PREVIEW_CELL_MARGIN;
    if (band > PREVIEW_STRIP_HEIGHT)
        return {static_cast<int>(PREVIEW_STRIP.top), static_cast<int>(PREVIEW_STRIP.bottom)};
    const int top = PREVIEW_STRIP.top + (PREVIEW_STRIP_HEIGHT - band) / 2;
    return {top, top + band};
}

int Preview_Click_Offset(int x, int w) {
    if (w <= 0) return 0;
    const int x0 = (2 * PREVIEW_CENTRE_X - w) / 2;
    const int d = x - x0;
    return d >= 0 ? d / w : -((-d + w - 1) / w);
}

void Release_Preview() {
    Free_Owned_Sprite();
    preview_sprite = 0;
}

void Editor_Clear_Preview() {
    Release_Preview();
    Fill_Strip();
    Update_Screen(&PREVIEW_STRIP);
}

void Editor_Show_Selection_Preview() {
    if (editor_selection.kind == OBJ_NONE) {
        Editor_Clear_Preview();
        return;
    }
    Free_Owned_Sprite();
    const bool shown = selection_on_map ? Preview_Placed_Object() : Preview_Database_Type();
    if (!shown) {
        Editor_Clear_Preview();
        return;
    }
    Editor_Draw_Preview_Frame(preview_frame);
}

void Editor_Show_Preview(const char* file, std::int32_t frame, std::uint8_t palette) {
    const std::uint16_t kind = editor_selection.kind;
    if (kind == OBJ_NONE) {
        Editor_Clear_Preview();
        return;
    }
    const std::string name = file != nullptr ? file : "";
    if (kind == OBJ_CHAR || kind == OBJ_FIXITEM) {
        if (!Load_Own_Sprite(name, kind == OBJ_CHAR)) {
            Editor_Clear_Preview();
            return;
        }
    }
    preview_frame = frame;
    if (kind == OBJ_CHAR) preview_palette = palette;
    Editor_Draw_Preview_Frame(preview_frame);
}

void Editor_Draw_Preview_Frame(std::int32_t frame) {
    const sprite* s = Shown_Sprite();
    if (s == nullptr) return;
    const bool character = editor_selection.kind == OBJ_CHAR;
    const int last = character ? PREVIEW_FACINGS - 1 : std::max(0, s->frames - 1);
    frame = std::clamp(frame, 0, last);
    preview_frame = frame;
    const int w = s->width + PREVIEW_CELL_MARGIN;
    preview_cell_width = w;
    const int n = Preview_Cell_Count(w);
    const preview_band band = Preview_Band(s->height);

    Fill_Strip();
    // A picture without frames shows nothing, not even the centre cell.
    if (s->frames <= 0) {
        Update_Screen(nullptr);
        return;
    }
    const RECT border{PREVIEW_CENTRE_X - w / 2 - 1, band.top, PREVIEW_CENTRE_X + w / 2 + 1, band.bottom};
    Fill_Back_Rect(border, BLACK_PIXEL);
    Fill_Back_Rect({border.left + 1, border.top + 1, border.right - 1, border.bottom - 1}, ui_background);

    Set_Clip_Rect_From(PREVIEW_STRIP);
    const int y = band.bottom - 3 - s->height + s->hot_y;
    const int x0 = Preview_First_Cell_X(w, n, s->hot_x);
    for (int k = -n / 2; k <= n / 2; ++k) {
        const int x = x0 + (k + n / 2) * w;
        const int f = frame + k;
        if (editor_selection.kind == OBJ_ITEM) {
            if (k == 0) Draw_Cell(s, x, y, f);
        } else if (character) {
            if (f >= 0 && f < PREVIEW_FACINGS) Draw_Cell(s, x, y, f * s->frames / PREVIEW_FACINGS);
        } else if (f >= 0 && f < s->frames) {
            Draw_Cell(s, x, y, f);
        }
    }
    Update_Screen(nullptr);
}

void Editor_Preview_Click_Row(std::uint32_t, int event) {
    if (event != EVENT_CLICK || editor_selection.kind == OBJ_ITEM) return;
    const sprite* s = Shown_Sprite();
    if (s == nullptr) return;
    Editor_Draw_Preview_Frame(preview_frame + Preview_Click_Offset(mouse_x, s->width + PREVIEW_CELL_MARGIN));
}

void Editor_Preview_Prev_Frame() {
    if (editor_selection.kind == OBJ_ITEM) return;
    Editor_Draw_Preview_Frame(preview_frame - 1);
}

void Editor_Preview_Next_Frame() {
    if (editor_selection.kind == OBJ_ITEM) return;
    Editor_Draw_Preview_Frame(preview_frame + 1);
}
