#include "editor/CharPreview.h"

#include <array>
#include <cstdio>

#include "System/ClipRect.h"
#include "System/Display.h"
#include "System/Sprite.h"
#include "editor/CharTypeEdit.h"
#include "editor/EditorState.h"
#include "editor/Preview.h"

namespace {

constexpr std::uint32_t BLACK_PIXEL = 0;

// The heads the strip has loaded, by number (index 0 unused).
std::array<sprite*, HEAD_LAST + 1> heads{};
std::array<bool, HEAD_LAST + 1> head_tried{};

const sprite* Head_Sprite(int number) {
    if (number < HEAD_FIRST || number > HEAD_LAST) return nullptr;
    const auto n = static_cast<std::size_t>(number);
    if (!head_tried[n]) {
        char name[32];
        std::snprintf(name, sizeof name, HEAD_SPRITE_FORMAT, number);
        heads[n] = Try_Load_Sprite(name);
        head_tried[n] = true;
    }
    return heads[n];
}

// The strip with its centre cell framed, cells of width w in a band for a
// picture of that height; each cell k (-n/2 .. n/2 around the centre) drawn
// by draw(k, x of its left edge + 3, bottom of the band - 3).
template <class Draw>
void Draw_Cells(int w, int n, int height, Draw draw) {
    const preview_band band = Preview_Band(height);
    Set_Full_Clip();
    Fill_Back_Rect(PREVIEW_STRIP, ui_background);
    const RECT border{PREVIEW_CENTRE_X - w / 2 - 1, band.top, PREVIEW_CENTRE_X + w / 2 + 1, band.bottom};
    Fill_Back_Rect(border, BLACK_PIXEL);
    Fill_Back_Rect({border.left + 1, border.top + 1, border.right - 1, border.bottom - 1}, ui_background);
    Set_Clip_Rect_From(PREVIEW_STRIP);
    const int x0 = Preview_First_Cell_X(w, n, 0);
    for (int k = -n / 2; k <= n / 2; ++k) draw(k, x0 + (k + n / 2) * w, band.bottom - 3);
    Update_Screen(nullptr);
}

}  // namespace

int Char_Preview_Directions(const std::string& sprite_name, int direction, std::uint8_t palette) {
    Editor_Show_Preview((CHAR_SPRITE_FOLDER + sprite_name).c_str(), direction, palette);
    return preview_owned_sprite != nullptr ? preview_owned_sprite->frames : 0;
}

void Char_Preview_Heads(int head, std::uint8_t palette) {
    const sprite* centre = Head_Sprite(head);
    if (centre == nullptr) {
        Editor_Clear_Preview();
        return;
    }
    const int w = centre->width + PREVIEW_CELL_MARGIN;
    const int n = Preview_Cell_Count(w) + 1;
    Draw_Cells(w, n, centre->height, [&](int k, int x, int bottom) {
        const sprite* s = Head_Sprite(head + k);
        if (s != nullptr) Put_Sprite(BACK, x + s->hot_x, bottom - s->height + s->hot_y, s, 0, palette, LIGHT_PLAIN);
    });
}

void Char_Preview_Body_Frames(int frame, std::uint8_t palette) {
    const sprite* s = preview_owned_sprite;
    if (s == nullptr || s->frames == 0) {
        Editor_Clear_Preview();
        return;
    }
    const int w = s->width + PREVIEW_CELL_MARGIN;
    const int n = Preview_Cell_Count(w);
    Draw_Cells(w, n, s->height, [&](int k, int x, int bottom) {
        const int f = frame + k;
        if (f >= 0 && f < s->frames)
            Put_Sprite(BACK, x + s->hot_x, bottom - s->height + s->hot_y, s, f, palette, LIGHT_PLAIN);
    });
}

void Release_Char_Preview() {
    for (sprite*& s : heads) {
        Release_Sprite(s);
        s = nullptr;
    }
    head_tried.fill(false);
}
