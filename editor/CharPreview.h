// The character type editor's pictures in the preview strip under the map:
// the body's six facings, the heads 1..23 side by side, or the body's
// frames (to choose the corpse frame), the chosen one framed in the centre
// cell.
#pragma once
#include <cstdint>
#include <string>

// The body sprite of sprite_name ("ARTWORK\CHARS\" + name) at a facing
// (0..5), through the preview strip; the sprite's frame count, 0 when it
// cannot be shown.
int Char_Preview_Directions(const std::string& sprite_name, int direction, std::uint8_t palette);
// The heads around head, each cell the head's width + 6 wide.
void Char_Preview_Heads(int head, std::uint8_t palette);
// The frames of the body the strip loaded last, around frame.
void Char_Preview_Body_Frames(int frame, std::uint8_t palette);
// Frees the heads the strip loaded.
void Release_Char_Preview();
