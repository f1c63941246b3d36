#pragma once
// The full-screen pages and their sprites: the title picture, the hexamap
// screen's panel with its message box, the inventory, the character page
// (also the spell page's background), the bar columns MANALINE, the spell
// buttons SPBUTTON and the spell icons SPICONS. Buttons, slots and frames lie
// where the screens' control rows and drawing expect them.

#include <vector>

#include "tools/artgen/Artwork.h"

namespace art {

constexpr int SCREEN_W = 640, SCREEN_H = 480;
constexpr int TEXT_BOX_W = 323, TEXT_BOX_H = 130;
constexpr int MANA_LINE_FRAMES = 13, MANA_LINE_HEIGHT = 9;
constexpr int SPELL_BUTTON_W = 90, SPELL_BUTTON_H = 50;
constexpr int SPELL_ICON_W = 48, SPELL_ICON_H = 50, SPELL_ICONS = 10;

std::vector<Page> Page_Pictures();
std::vector<BitmapSprite> Page_Sprites();

// A pixel rectangle of a page, right and bottom exclusive.
struct PageRect {
    int x0, y0, x1, y1;
};

// The inventory page's panel of body slots, and where it names each slot:
// the word (the item class a slot takes, "LEFT" and "RIGHT" for the hands,
// "QUICK" for the quick slots) inside the slot when it fits there, else on
// the panel above the slot, in the space beside its neighbours.
constexpr PageRect INVENTORY_SLOT_PANEL{14, 44, 306, 430};
struct SlotLabel {
    PageRect slot;   // the slot's frame
    PageRect inner;  // its parchment
    PageRect text;   // the word's pixels (with the shadow of a word on the panel)
    const char* word;
    bool inside;
};
std::vector<SlotLabel> Inventory_Slot_Labels();

}  // namespace art
