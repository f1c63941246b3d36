#include "Objects/Hooks.h"

#include "Objects/SpriteInfo.h"

ObjectsHooks& Objects_Hooks() {
    static ObjectsHooks hooks;
    return hooks;
}

std::uint32_t Hook_Load_DYS(const char* name) {
    if (auto load = Objects_Hooks().load_dys) return load(name);
    return Register_Sprite_Info(0, 0);
}

std::uint32_t Hook_Load_Bitmap_Sprite(const char* name, std::uint32_t options) {
    if (auto load = Objects_Hooks().load_bitmap_sprite) return load(name, options);
    return Register_Sprite_Info(0, 0);
}

void Hook_Release_Sprite(std::uint32_t sprite) {
    if (auto release = Objects_Hooks().release_sprite) release(sprite);
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
