#pragma once
// The game's own sprites under ARTWORK\SYSTEM and ARTWORK\ANIM: cursor and
// target marks, path arrows, damage digits, button pictures, the shields and
// bars, the panel slot backgrounds, portrait frames, the viewport ornaments,
// and the blood, spell and fire animations with the three built-in effect
// fixitems.

#include <vector>

#include "tools/artgen/Artwork.h"

namespace art {

// Button pictures: the released frame of each button (frame + 1 is pressed)
// and its size; the rest of a frame is transparent.
struct ButtonPicture {
    int sprite;  // 1..4: MAINBUT1..MAINBUT4
    int frame;
    int w, h;
    const char* what;
};
const std::vector<ButtonPicture>& Button_Pictures();
// Frame box of MAINBUT1..4.
constexpr int BUTTON_BOX_W[5] = {0, 30, 36, 26, 62};
constexpr int BUTTON_BOX_H[5] = {0, 30, 22, 31, 22};
constexpr int BUTTON_FRAMES[5] = {0, 8, 12, 20, 6};
// One button's picture, up or pressed, in its own size.
IndexedImage Button_Face(const ButtonPicture& b, bool pressed);

// Panel slot backgrounds as the screens draw them (MASKGOMB frames).
IndexedImage Slot_Background(int w, int h);

// The panel sprites' geometry.
constexpr int PAJZSK_FRAMES = 14, PAJZSK_W = 5, PAJZSK_H = 16, PAJZSK_HOT_Y = 11;
constexpr int PAJZN_FRAMES = 20, PAJZN_W = 7, PAJZN_H = 24, PAJZN_HOT_Y = 9;
constexpr int DIGIT_W = 7, DIGIT_H = 9, DIGIT_HOT_X = 3, DIGIT_HOT_Y = 4, DIGIT_FRAMES = 50;
constexpr int MASKABL_W = 71, MASKABL_H = 93, MASKABL_HOT_X = 4, MASKABL_HOT_Y = 91;
constexpr int MASKGOMB_W = 32, MASKGOMB_H = 48, MASKGOMB_HOT_X = 16, MASKGOMB_HOT_Y = 24;
constexpr int BELOG1_W = 26, BELOG1_H = 200;
constexpr int BELOG2_W = 199, BELOG2_H = 19;

std::vector<BitmapSprite> System_Bitmaps();
std::vector<DysSprite> System_Dys();
// CURSOR\SWORD.CUR and CURSOR\SHIELD.CUR: 32 x 32 pictures with their hot spots.
std::vector<CursorPicture> Cursor_Pictures();

}  // namespace art
