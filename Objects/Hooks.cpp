#include "Objects/Hooks.h"

ObjectsHooks& Objects_Hooks() {
    static ObjectsHooks hooks;
    return hooks;
}

void Reset_Objects_Hooks() { Objects_Hooks() = ObjectsHooks{}; }

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

bool Hook_Map_View_Size(std::int32_t& width, std::int32_t& height) {
    if (auto size = Objects_Hooks().map_view_size) return size(width, height);
    return false;
}

void Hook_Open_Screen(std::uint16_t screen) {
    if (auto open = Objects_Hooks().open_screen) open(screen);
}
