#include "editor/EditorState.h"

editor_selection_ref editor_selection;
std::uint32_t selection_on_map = 0;
std::int32_t preview_frame = 0;
std::uint8_t preview_palette = 0;
std::uint32_t preview_sprite = 0;
sprite* preview_owned_sprite = nullptr;
std::int32_t preview_cell_width = 0;

void Reset_Editor_State() {
    editor_selection = {};
    selection_on_map = 0;
    preview_frame = 0;
    preview_palette = 0;
    preview_sprite = 0;
    preview_owned_sprite = nullptr;
    preview_cell_width = 0;
}

void Set_Editor_Selection(std::uint16_t kind, std::uint16_t index, bool on_map) {
    editor_selection = kind == OBJ_NONE ? editor_selection_ref{} : editor_selection_ref{kind, index};
    selection_on_map = on_map ? 1 : 0;
}
