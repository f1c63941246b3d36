// The preview strip under the editor's map view: the picture frames of the
// selected object in a row of cells, the chosen frame framed in the centre
// cell. For a character the cells are its six facings, for a fixitem its
// frames, for an item only its picture. Clicking a cell, and the Left and
// Right hot keys, choose another frame.
#pragma once
#include <cstdint>

#include "platform/Win32Types.h"

// The strip on screen (right and bottom exclusive), and its centre.
constexpr RECT PREVIEW_STRIP{120, 370, 530, 480};
constexpr int PREVIEW_STRIP_WIDTH = PREVIEW_STRIP.right - PREVIEW_STRIP.left;
constexpr int PREVIEW_STRIP_HEIGHT = PREVIEW_STRIP.bottom - PREVIEW_STRIP.top;
constexpr int PREVIEW_CENTRE_X = 325;
// A cell is the sprite's width plus this; the band the sprite's height plus this.
constexpr int PREVIEW_CELL_MARGIN = 6;
// A character has six facings.
constexpr int PREVIEW_FACINGS = 6;

// ---- The arithmetic ----
// The band the cells are drawn in: centred when the sprite and its margin
// fit in the strip's height, else the whole strip.
struct preview_band {
    int top, bottom;
};
preview_band Preview_Band(int sprite_height);
// Cells of width w across the strip.
inline int Preview_Cell_Count(int w) { return w > 0 ? PREVIEW_STRIP_WIDTH / w : 0; }
// The drawing x of the first cell of n cells of width w, for a sprite whose
// hot spot lies hot_x from its left edge.
inline int Preview_First_Cell_X(int w, int n, int hot_x) { return PREVIEW_CENTRE_X - (n / 2) * w - w / 2 + hot_x + 3; }
// The signed number of cells from the centre cell to the one under x.
int Preview_Click_Offset(int x, int w);

// ---- The strip ----
// From the selection: the picture of the placed object or database type,
// at its own frame (a character's facing, a fixitem's frame, an item's
// picture); the strip cleared when nothing is selected or the picture cannot
// be shown (reported on the status line).
void Editor_Show_Selection_Preview();
// A sprite file chosen in a type editor: a DYS file with a character
// selected, a bitmap with a fixitem selected, at frame and (characters)
// palette.
void Editor_Show_Preview(const char* file, std::int32_t frame, std::uint8_t palette);
// Nothing shown; the strip filled with the background colour.
void Editor_Clear_Preview();
// Draws the strip with frame chosen (clamped to the sprite's frames, and to
// the six facings of a character).
void Editor_Draw_Preview_Frame(std::int32_t frame);
// The control row of the strip: a left click chooses the clicked cell's frame.
void Editor_Preview_Click_Row(std::uint32_t flags, int event);
// The Left and Right hot keys: the frame before or after (not for items).
void Editor_Preview_Prev_Frame();
void Editor_Preview_Next_Frame();
// Frees the sprite the preview loaded and forgets the one it shows, without
// drawing (the editor closes, a map is replaced).
void Release_Preview();
