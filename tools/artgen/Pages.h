#pragma once
// The full-screen pages and their sprites: the title picture, the hexamap
// screen's panel with its message box, the inventory, the character page
// (also the spell page's background), the bar columns MANALINE, the spell
// buttons SPBUTTON and the spell icons SPICONS. Buttons, slots and frames lie
// where the screens' control rows and drawing expect them.

#include <vector>

#include "tools/artgen/Artwork.h"

namespace art {

constexpr int kScreenW = 640, kScreenH = 480;
constexpr int kTextBoxW = 323, kTextBoxH = 130;
constexpr int kManaLineFrames = 13, kManaLineHeight = 9;
constexpr int kSpellButtonW = 90, kSpellButtonH = 50;
constexpr int kSpellIconW = 48, kSpellIconH = 50, kSpellIcons = 10;

std::vector<Page> Page_Pictures();
std::vector<BitmapSprite> Page_Sprites();

}  // namespace art
