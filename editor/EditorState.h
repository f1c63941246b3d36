// The editor's state: what is selected (a database type chosen in a data
// tree, or an object placed on the map chosen in the field object tree), and
// what the preview strip under the map shows. The switches the front end
// reads (editor_busy, test_play, hex_grid) are in frontend/Hooks.h.
#pragma once
#include <cstdint>

#include "Objects/ObjRef.h"

struct sprite;

// The selected thing: kind 0 none or a folder, 2 character, 3 item, 5
// fixitem or field head; the index of a database record (a type) or of an
// array record (a placed object), NO_INDEX for none.
struct editor_selection_ref {
    std::uint16_t kind = OBJ_NONE;
    std::uint16_t index = NO_INDEX;
    bool operator==(const editor_selection_ref&) const = default;
};
extern editor_selection_ref editor_selection;
// 1: the selection is an object placed on the map; 0: a database type.
extern std::uint32_t selection_on_map;

// The frame chosen in the preview strip; for characters 0..5, the facing
// minus one.
extern std::int32_t preview_frame;
// The palette byte the preview draws with (bits 0-6 palette, bit 7 the
// shadow palette).
extern std::uint8_t preview_palette;
// The sprite the preview shows, by handle (0 none): a sprite of the map, or
// the one the preview loaded itself, which it owns and frees.
extern std::uint32_t preview_sprite;
extern sprite* preview_owned_sprite;
// One preview cell: the sprite's width + 6.
extern std::int32_t preview_cell_width;

// Nothing selected, a database selection, frame 0, no preview (what the
// preview loaded is not released: the caller released it).
void Reset_Editor_State();

// Makes {kind, index} the selection; on_map tells whether it is a placed
// object. Kind 0 clears it (index NO_INDEX).
void Set_Editor_Selection(std::uint16_t kind, std::uint16_t index, bool on_map);
// The selection as an object reference (a placed object).
inline obj_ref Selected_Object() { return Make_Obj(editor_selection.kind, editor_selection.index); }
