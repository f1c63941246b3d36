// The ornaments over the top edge of the hexamap screen's viewport. They
// are drawn into the back buffer over the map, so before drawing them the
// pieces of the map they cover are kept in the mask surface, and before
// the buffer is shifted for a scroll those pieces are put back.
#include "System/Display.h"
#include "System/ErrorReport.h"
#include "System/ScreenType.h"
#include "System/Sprite.h"
#include "frontend/MapView.h"
#include "frontend/SystemSprites.h"

namespace {

struct frame_piece {
    int mask_x, mask_y;
    int screen_x, screen_y;
    int width, height;
};

// The pieces of the back buffer under the ornaments and where each is kept
// on the 211 x 19 mask surface.
constexpr frame_piece frame_pieces[] = {
    {0, 0, 294, 12, 47, 19},   {47, 0, 341, 12, 76, 9},  {47, 9, 218, 12, 76, 9},  {123, 0, 524, 12, 25, 19},
    {148, 0, 544, 31, 5, 19},  {153, 0, 544, 50, 5, 19}, {158, 0, 544, 69, 5, 19}, {163, 0, 90, 12, 25, 19},
    {188, 0, 90, 31, 5, 19},   {193, 0, 90, 50, 5, 19},  {198, 0, 90, 69, 5, 19},  {203, 0, 90, 193, 4, 19},
    {207, 0, 545, 193, 4, 19},
};

struct ornament {
    const sprite* const* picture;
    int frame;
    int x, y;
};
const ornament ornaments[] = {
    {&BELOG2, 0, 218, 12},
    {&BELOG1, 0, 90, 12},
    {&BELOG1, 1, 523, 12},
};

bool Has_Ornaments() { return ScreenType != SCREEN_EDITOR && BACK != nullptr && MASK != nullptr; }

}  // namespace

void Draw_Map_Frame() {
    if (!Has_Ornaments()) return;
    for (const frame_piece& p : frame_pieces) {
        const RECT from{p.screen_x, p.screen_y, p.screen_x + p.width, p.screen_y + p.height};
        DD_Error("Save frame piece", MASK->BltFast(p.mask_x, p.mask_y, BACK, &from, DDBLTFAST_WAIT));
    }
    for (const ornament& o : ornaments) Put_Sprite(BACK, o.x, o.y, *o.picture, o.frame, 0, LIGHT_PLAIN);
}

void Draw_Map_Frame_Scroll() {
    if (!Has_Ornaments()) return;
    for (const frame_piece& p : frame_pieces) {
        const RECT from{p.mask_x, p.mask_y, p.mask_x + p.width, p.mask_y + p.height};
        DD_Error("Restore frame piece", BACK->BltFast(p.screen_x, p.screen_y, MASK, &from, DDBLTFAST_WAIT));
    }
}
