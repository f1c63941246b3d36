#include "Objects/Hooks.h"

ObjectsHooks& Objects_Hooks() {
    static ObjectsHooks hooks;
    return hooks;
}

std::uint16_t Hook_Cursor_Type() {
    if (auto get = Objects_Hooks().cursor_type) return get();
    return 0;
}

void Hook_Set_Cursor_Type(std::uint16_t type) {
    if (auto set = Objects_Hooks().set_cursor_type) set(type);
}

void Hook_Center_On_Object(obj_ref obj) {
    if (auto center = Objects_Hooks().center_on_object) center(obj);
}

void Hook_Put_Right_Char_Page() {
    if (auto put = Objects_Hooks().put_right_char_page) put();
}

bool Hook_Map_View_Place(std::int32_t& scroll_x, std::int32_t& scroll_y, std::int32_t& width, std::int32_t& height) {
    if (auto place = Objects_Hooks().map_view_place) return place(scroll_x, scroll_y, width, height);
    return false;
}

void Hook_Show_Level(std::uint32_t level) {
    if (auto show = Objects_Hooks().show_level) show(level);
}

void Hook_Open_Screen(std::uint16_t screen) {
    if (auto open = Objects_Hooks().open_screen) open(screen);
}
