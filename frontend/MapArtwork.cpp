#include "frontend/MapArtwork.h"

#include <cstring>
#include <set>
#include <string>

#include "Objects/Char/CharSprites.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/SpriteInfo.h"
#include "System/Hooks.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "frontend/MapView.h"
#include "frontend/SystemSprites.h"

namespace {

// The map's own fixitem type slots that carry a picture.
constexpr int FIRST_MAP_SLOT = 1;
constexpr int LAST_MAP_SLOT = 240;
// The pictures of the map's fixitem types lie in this folder.
constexpr const char* ARTWORK_FOLDER = "Artwork\\";
// A field without a floor (slot 0) cannot be entered and fills nothing.
constexpr std::int8_t IMPASSABLE = -1;

// The sprites this module loaded into the slots. Only these are released:
// a slot's sprite field may also hold a value read from a map file.
std::uint32_t loaded_slot_sprites[FIXITEM_SLOTS] = {};

// Each slot in use gets its picture; a file that is missing is reported
// once, however many slots name it.
void Load_Fixitem_Slot_Sprites() {
    std::set<std::string> missing;
    for (int slot = FIRST_MAP_SLOT; slot <= LAST_MAP_SLOT; ++slot) {
        fixitem_type& t = fixitem_types[slot];
        if (t.sprite == 0) continue;
        const std::string name = Slot_Sprite_Name(t);
        std::uint32_t handle = 0;
        if (!missing.contains(name)) handle = Load_Named_Bitmap_Sprite(name.c_str());
        if (handle == 0) missing.insert(name);
        t.sprite = handle != 0 ? handle : SPRITE_MISSING;
        loaded_slot_sprites[slot] = handle;
    }
}

}  // namespace

std::string Slot_Sprite_Name(const fixitem_type& t) {
    return ARTWORK_FOLDER + std::string(t.sprite_name, strnlen(t.sprite_name, sizeof t.sprite_name));
}

bool Load_Slot_Sprite(std::uint8_t slot) {
    if (slot < FIRST_MAP_SLOT || slot > LAST_MAP_SLOT) return false;
    fixitem_type& t = fixitem_types[slot];
    Release_Sprite(Sprite_From_Handle(loaded_slot_sprites[slot]));
    const std::uint32_t handle = Sprite_Handle(Try_Load_Sprite(Slot_Sprite_Name(t).c_str()));
    loaded_slot_sprites[slot] = handle;
    t.sprite = handle != 0 ? handle : SPRITE_MISSING;
    return handle != 0;
}

void Load_Map_Artwork() {
    Set_Free_Map_Artwork_Hook(&Free_Map_Artwork);
    Install_Map_View_Hooks();
    fixitem_types[0].mp = IMPASSABLE;
    fixitem_types[0].fill = 0;
    Load_Fixitem_Slot_Sprites();
    Load_System_Sprites();
    Load_All_Char_Sprites();
    Load_Item_Sprites();
    Load_Shield_Sprites();
    Forget_Drawn_Map();
}

void Free_Map_Artwork() {
    for (int slot = FIRST_MAP_SLOT; slot <= LAST_MAP_SLOT; ++slot) {
        fixitem_type& t = fixitem_types[slot];
        Release_Sprite(Sprite_From_Handle(loaded_slot_sprites[slot]));
        loaded_slot_sprites[slot] = 0;
        t.sprite = 0;
        t.db_index = 0;
    }
    Free_System_Sprites();
    Free_All_Char_Sprites();
    Free_Shield_Sprites();
    Free_Item_Sprites();
    Forget_Drawn_Map();
}
