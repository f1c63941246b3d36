#pragma once
// Every picture the game reads, made by code: the bitmap sprites (frames side
// by side, with the hot spot, frame count and draw layer of their "FIX"
// block), the run-length (DYS) sprites as one picture per frame with its
// offsets, the full-screen pages, the cursor pictures and the palette with its
// remap tables. Nothing here writes files: a writer turns these into the
// game's formats. In every picture the index KEY (pure magenta) is
// transparent; no picture uses the system entries 0-9 and 245-254.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/artgen/IndexedImage.h"
#include "tools/artgen/Palette.h"

namespace art {

struct BitmapSprite {
    std::string path;    // as the game names it, without ".BMP": "ARTWORK\\SYSTEM\\ARROWS"
    IndexedImage image;  // all frames side by side, each Frame_Width() wide
    int frames = 1;
    int hot_x = 0, hot_y = 0;
    int layer = 0;  // low byte of the FIX block's layer value
    int Frame_Width() const { return frames > 0 ? image.width / frames : image.width; }
    IndexedImage Frame(int i) const;
};

struct DysFrame {
    IndexedImage image;  // KEY pixels are transparent; an empty picture is an empty frame
    int dx = 0, dy = 0;  // where its top-left corner lies relative to the drawing point
};

struct DysSprite {
    std::string path;  // without ".DYS": "ARTWORK\\CHARS\\WARRIOR"
    std::vector<DysFrame> frames;
    // Header figure box and hot spot (the header stores origin = -hot); the
    // box holds every frame when placed at the hot spot.
    int width = 0, height = 0;
    int hot_x = 0, hot_y = 0;
};

struct Page {
    std::string path;  // the full file name as the game names it: "ARTWORK\\PAGES\\FOKEPJUJ.BMP"
    IndexedImage image;
};

struct CursorPicture {
    std::string path;    // "CURSOR\\SWORD.CUR"
    IndexedImage image;  // 32 x 32
    int hot_x = 0, hot_y = 0;
};

struct Artwork {
    Palette palette;                                       // ARTWORK\PALETTES\PALETTE.BMP, all 256 entries
    std::array<uint8_t, 256> colour_remap;                 // ARTWORK\PALETTES\PAL0.CNV
    std::array<std::array<uint8_t, 256>, 4> shade_remaps;  // PAL0.SHD .. PAL3.SHD
    std::vector<BitmapSprite> bitmaps;
    std::vector<DysSprite> dys;
    std::vector<Page> pages;
    std::vector<CursorPicture> cursors;
};

// The whole artwork; the same on every call and every run.
Artwork Make_Artwork();

// A DYS sprite whose header box and hot spot hold all its frames.
DysSprite Make_Dys(std::string path, std::vector<DysFrame> frames);
// A bitmap sprite from equal frames.
BitmapSprite Make_Bitmap(std::string path, const std::vector<IndexedImage>& frames, int hot_x, int hot_y, int layer);

}  // namespace art
