#include "worldmap/Drawing.h"

#include <algorithm>

#include "worldmap/Display.h"
#include "worldmap/MainMap.h"
#include "worldmap/PaletteFade.h"
#include "worldmap/Pictures.h"
#include "worldmap/TerrainPath.h"
#include "worldmap/WorldMap.h"

int view_dirty = 0;
int flame_counter = 1;
int dot_index = 0;

namespace {

constexpr RECT VIEW_RECT{VIEW_LEFT, VIEW_TOP, VIEW_RIGHT, VIEW_BOTTOM};

// A keyed or plain blit of source rect s to (x, y) of the back surface, cut
// to the view and to the source, so that nothing is refused at the edges.
void Blt_In_View(int x, int y, LPDIRECTDRAWSURFACE source, RECT s, DWORD flags) {
    if (source == nullptr) return;
    if (s.left < 0) x -= s.left, s.left = 0;
    if (s.top < 0) y -= s.top, s.top = 0;
    s.right = std::min<LONG>(s.right, source->Width());
    s.bottom = std::min<LONG>(s.bottom, source->Height());
    const int left = std::max<int>(x, VIEW_RECT.left), top = std::max<int>(y, VIEW_RECT.top);
    const int right = std::min<int>(x + (s.right - s.left), VIEW_RECT.right);
    const int bottom = std::min<int>(y + (s.bottom - s.top), VIEW_RECT.bottom);
    if (left >= right || top >= bottom) return;
    const RECT cut{s.left + (left - x), s.top + (top - y), s.left + (right - x), s.top + (bottom - y)};
    back_surface->BltFast(static_cast<DWORD>(left), static_cast<DWORD>(top), source, &cut, flags);
}

void Draw_Flame(int frame, int x) {
    const RECT s{FLAME_FRAME_WIDTH * frame, 0, FLAME_FRAME_WIDTH * frame + FLAME_FRAME_WIDTH, FLAME_FRAME_HEIGHT};
    Blt_In_View(x, FLAME_Y, flame_surface, s, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

// The view under a flame place, then the frame's own pixels there.
void Restore_Behind_Flame(int x) {
    const RECT v{x - VIEW_LEFT, FLAME_Y - VIEW_TOP, x - VIEW_LEFT + FLAME_FRAME_WIDTH,
                 FLAME_Y - VIEW_TOP + FLAME_FRAME_HEIGHT};
    Blt_In_View(x, FLAME_Y, view_surface, v, DDBLTFAST_WAIT);
    const RECT f{x, FLAME_Y, x + FLAME_FRAME_WIDTH, FLAME_Y + FLAME_FRAME_HEIGHT};
    Blt_In_View(x, FLAME_Y, frame_surface, f, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

}  // namespace

void Draw_Frame() {
    const RECT all{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    primary_surface->BltFast(0, 0, frame_surface, &all, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

void Draw_Frame_Strips() {
    const RECT top{VIEW_LEFT, VIEW_TOP, VIEW_RIGHT, TOP_STRIP_BOTTOM};
    const RECT bottom{VIEW_LEFT, BOTTOM_STRIP_TOP, VIEW_RIGHT, VIEW_BOTTOM};
    for (const RECT& r : {top, bottom})
        back_surface->BltFast(static_cast<DWORD>(r.left), static_cast<DWORD>(r.top), frame_surface, &r,
                              DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

void Draw_Flames(int n) {
    Draw_Flame(n, LEFT_FLAME_X);
    Draw_Flame((n + RIGHT_FLAME_LEAD) % FLAME_COUNT, RIGHT_FLAME_X);
}

void Restore_Flame_Background() {
    Restore_Behind_Flame(LEFT_FLAME_X);
    Restore_Behind_Flame(RIGHT_FLAME_X);
}

void Draw_Player() {
    const RECT s{0, 0, MARKER_SIZE, MARKER_SIZE};
    Blt_In_View(player_x - scroll_x - MARKER_OFFSET, player_y - scroll_y - MARKER_OFFSET, marker_surface, s,
                DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

void Erase_Player() {
    // The map under the marker's whole picture.
    const RECT s{player_x - MARKER_OFFSET - VIEW_LEFT, player_y - MARKER_OFFSET - VIEW_TOP,
                 player_x - MARKER_OFFSET - VIEW_LEFT + MARKER_SIZE, player_y - MARKER_OFFSET - VIEW_TOP + MARKER_SIZE};
    Blt_In_View(player_x - scroll_x - MARKER_OFFSET, player_y - scroll_y - MARKER_OFFSET, map_surface, s,
                DDBLTFAST_WAIT);
}

void Find_Dot_Index() {
    long best_distance = -1;
    for (int i = 1; i < 256; ++i) {
        if (i >= FIRST_CYCLED && i < FIRST_CYCLED + CYCLED_COUNT) continue;
        const PALETTEENTRY& e = map_palette[i];
        const long dr = e.peRed - 255, dg = e.peGreen - 255, db = e.peBlue;
        const long distance = dr * dr + dg * dg + db * db;
        if (best_distance < 0 || distance < best_distance) {
            best_distance = distance;
            dot_index = i;
        }
    }
}

void Put_Path_Dot(HDC dc, int x, int y) {
    const int sx = 2 * x - scroll_x + VIEW_LEFT, sy = 2 * y - scroll_y + VIEW_TOP;
    if (sx < VIEW_RECT.left || sx >= VIEW_RECT.right || sy < VIEW_RECT.top || sy >= VIEW_RECT.bottom) return;
    SetPixel(dc, sx, sy, PALETTEINDEX(static_cast<unsigned>(dot_index)));
}

void Draw_Path() {
    if (walk_len == 0) return;
    HDC dc = nullptr;
    if (back_surface->GetDC(&dc) != DD_OK) return;
    int x = player_x / 2, y = player_y / 2;
    for (std::uint32_t i = 0; i < walk_len; ++i) {
        Put_Path_Dot(dc, x, y);
        const int d = walk_path[walk_len - i];
        x += DIRECTION_DX[d];
        y += DIRECTION_DY[d];
    }
    back_surface->ReleaseDC(dc);
}

void Refresh_View() {
    const RECT s{scroll_x, scroll_y, scroll_x + VIEW_WIDTH, scroll_y + VIEW_HEIGHT};
    view_surface->BltFast(0, 0, map_surface, &s, DDBLTFAST_WAIT);
    view_dirty = 1;
}

void Present_View() {
    direct_draw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
    RECT r = VIEW_RECT;
    primary_surface->Blt(&r, back_surface, &r, DDBLT_WAIT, nullptr);
}

void Compose_Screen() {
    if (view_dirty) {
        const RECT all{0, 0, VIEW_WIDTH, VIEW_HEIGHT};
        back_surface->BltFast(VIEW_LEFT, VIEW_TOP, view_surface, &all, DDBLTFAST_WAIT);
    } else {
        Restore_Flame_Background();
    }
    Draw_Path();
    Draw_Player();
    Draw_Frame_Strips();
    Draw_Flames(flame_counter);
    Present_View();
    view_dirty = 0;
}

void Redraw_All() {
    Request_Cursor(normal_cursor);
    Draw_Frame();
    Refresh_View();
    Compose_Screen();
}
