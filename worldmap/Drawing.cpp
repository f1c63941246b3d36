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

constexpr RECT view_rect{view_left, view_top, view_right, view_bottom};

// A keyed or plain blit of source rect s to (x, y) of the back surface, cut
// to the view and to the source, so that nothing is refused at the edges.
void Blt_In_View(int x, int y, LPDIRECTDRAWSURFACE source, RECT s, DWORD flags) {
    if (source == nullptr) return;
    if (s.left < 0) x -= s.left, s.left = 0;
    if (s.top < 0) y -= s.top, s.top = 0;
    s.right = std::min<LONG>(s.right, source->Width());
    s.bottom = std::min<LONG>(s.bottom, source->Height());
    const int left = std::max<int>(x, view_rect.left), top = std::max<int>(y, view_rect.top);
    const int right = std::min<int>(x + (s.right - s.left), view_rect.right);
    const int bottom = std::min<int>(y + (s.bottom - s.top), view_rect.bottom);
    if (left >= right || top >= bottom) return;
    const RECT cut{s.left + (left - x), s.top + (top - y), s.left + (right - x), s.top + (bottom - y)};
    back_surface->BltFast(static_cast<DWORD>(left), static_cast<DWORD>(top), source, &cut, flags);
}

void Draw_Flame(int frame, int x) {
    const RECT s{flame_frame_width * frame, 0, flame_frame_width * frame + flame_frame_width, flame_frame_height};
    Blt_In_View(x, flame_y, flame_surface, s, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

// The view under a flame place, then the frame's own pixels there.
void Restore_Behind_Flame(int x) {
    const RECT v{x - view_left, flame_y - view_top, x - view_left + flame_frame_width,
                 flame_y - view_top + flame_frame_height};
    Blt_In_View(x, flame_y, view_surface, v, DDBLTFAST_WAIT);
    const RECT f{x, flame_y, x + flame_frame_width, flame_y + flame_frame_height};
    Blt_In_View(x, flame_y, frame_surface, f, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

}  // namespace

void Draw_Frame() {
    const RECT all{0, 0, screen_width, screen_height};
    primary_surface->BltFast(0, 0, frame_surface, &all, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

void Draw_Frame_Strips() {
    const RECT top{view_left, view_top, view_right, top_strip_bottom};
    const RECT bottom{view_left, bottom_strip_top, view_right, view_bottom};
    for (const RECT& r : {top, bottom})
        back_surface->BltFast(static_cast<DWORD>(r.left), static_cast<DWORD>(r.top), frame_surface, &r,
                              DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

void Draw_Flames(int n) {
    Draw_Flame(n, left_flame_x);
    Draw_Flame((n + right_flame_lead) % flame_count, right_flame_x);
}

void Restore_Flame_Background() {
    Restore_Behind_Flame(left_flame_x);
    Restore_Behind_Flame(right_flame_x);
}

void Draw_Player() {
    const RECT s{0, 0, marker_size, marker_size};
    Blt_In_View(player_x - scroll_x - marker_offset, player_y - scroll_y - marker_offset, marker_surface, s,
                DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

void Erase_Player() {
    // The map under the marker's whole picture.
    const RECT s{player_x - marker_offset - view_left, player_y - marker_offset - view_top,
                 player_x - marker_offset - view_left + marker_size, player_y - marker_offset - view_top + marker_size};
    Blt_In_View(player_x - scroll_x - marker_offset, player_y - scroll_y - marker_offset, map_surface, s,
                DDBLTFAST_WAIT);
}

void Find_Dot_Index() {
    long best_distance = -1;
    for (int i = 1; i < 256; ++i) {
        if (i >= first_cycled && i < first_cycled + cycled_count) continue;
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
    const int sx = 2 * x - scroll_x + view_left, sy = 2 * y - scroll_y + view_top;
    if (sx < view_rect.left || sx >= view_rect.right || sy < view_rect.top || sy >= view_rect.bottom) return;
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
        x += direction_dx[d];
        y += direction_dy[d];
    }
    back_surface->ReleaseDC(dc);
}

void Refresh_View() {
    const RECT s{scroll_x, scroll_y, scroll_x + view_width, scroll_y + view_height};
    view_surface->BltFast(0, 0, map_surface, &s, DDBLTFAST_WAIT);
    view_dirty = 1;
}

void Present_View() {
    direct_draw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
    RECT r = view_rect;
    primary_surface->Blt(&r, back_surface, &r, DDBLT_WAIT, nullptr);
}

void Compose_Screen() {
    if (view_dirty) {
        const RECT all{0, 0, view_width, view_height};
        back_surface->BltFast(view_left, view_top, view_surface, &all, DDBLTFAST_WAIT);
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
