#pragma once
// Character bodies: run-length sprites "ARTWORK\\CHARS\\<name>" with six
// facing groups (facing f uses group f - 1), each of PERSON_GROUP_FRAMES
// (or BEAST_GROUP_FRAMES) frames, and the corpse pictures
// "ARTWORK\\ITEMS\\HULLAK" (frame k: body k lying dead).
// Every frame is placed relative to the field's anchor.

#include <string>
#include <vector>

#include "tools/artgen/Artwork.h"

namespace art {

// Frames of one facing group.
constexpr int BODY_STAND = 0;
constexpr int BODY_IDLE_A = 1;  // idle frames 1 and 3; 2 is a second standing frame
constexpr int BODY_IDLE_B = 3;
constexpr int BODY_WALK = 4;  // 4..11: the walking cycle
constexpr int BODY_WALK_FRAMES = 8;
constexpr int BODY_GUARD = 12;   // on guard
constexpr int BODY_BLOW = 13;    // 13..16: a blow (fist, knife, any weapon of a small sprite)
constexpr int BODY_THRUST = 17;  // 17..20: a sword or pike stroke
constexpr int BODY_CHOP = 21;    // 21..24: a mace or axe blow, the last frame held
constexpr int BODY_CAST = 25;    // 25..28: casting, both arms raised
constexpr int BODY_SHOOT = 29;   // 29..31: drawing, holding and loosing a bow
// People have 32 frames a group (192 in all: the game then picks the blow by
// the weapon's class); animals have 17 (blows 13..16 only).
constexpr int PERSON_GROUP_FRAMES = 32;
constexpr int BEAST_GROUP_FRAMES = 17;

struct BodyKind {
    const char* name;  // at most 8 characters
    const char* what;
    bool animal;
    int group_frames;  // frames of one facing group
};
// The bodies in corpse-frame order.
const std::vector<BodyKind>& Body_Kinds();

std::vector<DysSprite> Body_Sprites();
// One body frame drawn `zoom` times larger (for the screens), cropped.
IndexedImage Body_Picture(int body, int facing, int frame, double zoom);
BitmapSprite Corpse_Sprite();

}  // namespace art
