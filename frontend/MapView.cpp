// The map view's state, the full redraw, the strip redraw after a scroll,
// the scroll limits, centring, and releasing the map.
#include "frontend/MapView.h"

#include <algorithm>
#include <cstdlib>

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Hooks.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/Modifiers.h"
#include "Objects/PathSearch.h"
#include "System/ClipRect.h"
#include "System/Display.h"
#include "System/ErrorReport.h"
#include "System/ScreenType.h"
#include "frontend/HexamapPanel.h"
#include "frontend/HexamapScreen.h"
#include "frontend/Hooks.h"

RECT map_view = HEXAMAP_VIEW;
int map_view_width = HEXAMAP_VIEW.right - HEXAMAP_VIEW.left;
int map_view_height = HEXAMAP_VIEW.bottom - HEXAMAP_VIEW.top;

scroll_limit_rect scroll_limits{};
drawn_map_view last_drawn_scroll;

void Reset_Map_View_State() {
    map_view = HEXAMAP_VIEW;
    map_view_width = HEXAMAP_VIEW.right - HEXAMAP_VIEW.left;
    map_view_height = HEXAMAP_VIEW.bottom - HEXAMAP_VIEW.top;
    scroll_limits = scroll_limit_rect{};
    last_drawn_scroll = drawn_map_view{};
}

namespace {

// The scroll limits around a map.
constexpr std::int32_t LIMIT_TOP = -106;
constexpr std::int32_t LIMIT_BOTTOM_MARGIN = 6;
constexpr std::int32_t LIMIT_LEFT = -21;
constexpr std::int32_t LIMIT_RIGHT_MARGIN = -21;

void Show_View() {
    if (direct_draw != nullptr) direct_draw->WaitForVerticalBlank(DDWAITVB_BLOCKEND, nullptr);
    Update_Screen(&clip_rect);
}

void Remember_Drawn_View() { last_drawn_scroll = {true, scroll_x, scroll_y, map_view, shown_level, ScreenType}; }

bool Same_Rect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Whether the back buffer still shows the view a shift would start from.
bool Buffer_Shows_View() {
    const drawn_map_view& d = last_drawn_scroll;
    return d.valid && Same_Rect(d.view, map_view) && d.level == shown_level && d.screen == ScreenType &&
           (ScreenType == SCREEN_HEXAMAP || ScreenType == SCREEN_EDITOR);
}

}  // namespace

void Set_Map_View(int left, int top, int right, int bottom) {
    map_view = {left, top, right, bottom};
    map_view_width = right - left;
    map_view_height = bottom - top;
}

void Set_Scroll_Limits() {
    scroll_limits.top = LIMIT_TOP;
    scroll_limits.bottom = (static_cast<std::int32_t>(map_height) - 1) * MAP_ROW_STEP + LIMIT_BOTTOM_MARGIN;
    scroll_limits.left = LIMIT_LEFT;
    scroll_limits.right = static_cast<std::int32_t>(map_width) * MAP_FIELD_WIDTH + LIMIT_RIGHT_MARGIN;
}

void Clamp_Scroll() {
    const scroll_limit_rect& l = scroll_limits;
    scroll_y = std::max(scroll_y, l.top);
    scroll_y = std::min(scroll_y, l.bottom - map_view_height);
    scroll_x = std::max(scroll_x, l.left + scroll_y - l.top);
    scroll_x = std::min(scroll_x, l.right + scroll_y - l.top + map_view_height - map_view_width);
}

void Forget_Drawn_Map() { last_drawn_scroll.valid = false; }

void Redraw_Map() {
    if (ScreenType == SCREEN_HEXAMAP)
        Put_Right_Field();
    else if (ScreenType != SCREEN_EDITOR)
        return;
    Clamp_Scroll();
    Set_Clip_Rect_From(map_view);
    Draw_Map(scroll_x, scroll_y);
    Draw_Map_Frame();
    Remember_Drawn_View();
    Show_View();
}

void Scroll_Map() {
    if (!Buffer_Shows_View()) {
        Redraw_Map();
        return;
    }
    Draw_Map_Frame_Scroll();
    Clamp_Scroll();
    const int dx = last_drawn_scroll.x - scroll_x;
    const int dy = last_drawn_scroll.y - scroll_y;
    const int w = map_view_width, h = map_view_height;
    if (std::abs(dx) >= w || std::abs(dy) >= h) {
        Redraw_Map();
        return;
    }

    RECT source = map_view;
    int to_x = map_view.left, to_y = map_view.top;
    if (dx > 0) {
        to_x += dx;
        source.right -= dx;
    } else {
        source.left -= dx;
    }
    if (dy > 0) {
        to_y += dy;
        source.bottom -= dy;
    } else {
        source.top -= dy;
    }
    if (BACK != nullptr) DD_Error("backbuffer scroll", BACK->BltFast(to_x, to_y, BACK, &source, DDBLTFAST_WAIT));

    const RECT& v = map_view;
    if (dx > 0) {
        Set_Clip_Rect(v.left, v.top, v.left + dx, v.bottom);
        Draw_Map(scroll_x, scroll_y);
    } else if (dx < 0) {
        Set_Clip_Rect(v.right + dx, v.top, v.right, v.bottom);
        Draw_Map(scroll_x + w + dx, scroll_y);
    }
    if (dy > 0) {
        Set_Clip_Rect(v.left, v.top, v.right, v.top + dy);
        Draw_Map(scroll_x, scroll_y);
    } else if (dy < 0) {
        Set_Clip_Rect(v.left, v.bottom + dy, v.right, v.bottom);
        Draw_Map(scroll_x, scroll_y + h + dy);
    }

    Remember_Drawn_View();
    Set_Clip_Rect_From(map_view);
    Draw_Map_Frame();
    Show_View();
}

void Center_On_Object(obj_ref obj) {
    const std::uint16_t field = Object_Field(obj);
    if (field == NO_FIELD || field >= total_fields) return;
    shown_level = field / fields_per_level;
    const std::int32_t row = static_cast<std::int32_t>((field % fields_per_level) / map_width);
    const std::int32_t col = static_cast<std::int32_t>(field % map_width);
    scroll_y = row * MAP_ROW_STEP - VIEW_CENTRE_Y;
    scroll_x = col * MAP_FIELD_WIDTH + row * MAP_ROW_STEP - VIEW_CENTRE_X;
    Redraw_Map();
}

void Install_Map_View_Hooks() {
    ObjectsHooks& hooks = Objects_Hooks();
    hooks.center_on_object = &Center_On_Object;
    // The view exists on the screens that show the map.
    hooks.map_view_size = [](std::int32_t& width, std::int32_t& height) {
        if (ScreenType != SCREEN_HEXAMAP && ScreenType != SCREEN_EDITOR) return false;
        width = map_view_width;
        height = map_view_height;
        return true;
    };
}

void Free_Map() {
    Free_Path_Arrays();
    Free_AI_Arrays();
    Free_Map_Array();
    Free_Map_Anims();
    Free_Char_Array();
    Free_Item_Array();
    Free_Item_Types();
    Free_Global_Modifiers();
    floor_lift.clear();
    floor_lift.shrink_to_fit();
    Forget_Drawn_Map();
}
