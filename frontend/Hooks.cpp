#include "frontend/Hooks.h"

std::uint32_t editor_busy = 0;
std::uint32_t test_play = 0;
std::uint32_t hex_grid = 0;

EditorHooks& Editor_Hooks() {
    static EditorHooks hooks;
    return hooks;
}

void Reset_Editor_Hooks() {
    Editor_Hooks() = EditorHooks{};
    editor_busy = 0;
    test_play = 0;
    hex_grid = 0;
}

void Enter_Editor(std::uint32_t flags, int event) {
    if (auto enter = Editor_Hooks().enter_editor) enter(flags, event);
}

void Editor_Place_Object(std::uint32_t flags, int event) {
    if (auto place = Editor_Hooks().place_object) place(flags, event);
}

void Editor_Preview_Click(std::uint32_t flags, int event) {
    if (auto click = Editor_Hooks().preview_click) click(flags, event);
}

void Editor_Window_Moved() {
    if (auto moved = Editor_Hooks().window_moved) moved();
}

void Close_Editor_For_Shutdown() {
    if (auto close = Editor_Hooks().close_editor) close();
}
