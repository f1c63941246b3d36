#include "frontend/SystemSprites.h"

#include <iterator>

#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "System/Cursor.h"
#include "System/Dys.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"

sprite* PAJZSK = nullptr;
sprite* PAJZSN = nullptr;
sprite* MASKGOMB = nullptr;
sprite* MASKABL = nullptr;
sprite* BELOG1 = nullptr;
sprite* BELOG2 = nullptr;

namespace {

enum class loader { RunLength, Bitmap };

// Surface options of bitmap sprites.
constexpr std::uint32_t SYSTEM_MEMORY = 2048;
constexpr std::uint32_t PLAIN = 0;
// A layer or flags value that is left as it is.
constexpr int KEEP = -1;

struct system_sprite {
    const char* file;
    loader kind;
    std::uint32_t options;
    int layer;
    int flags;
};

struct anim_row_sprite {
    std::uint8_t row;
    system_sprite s;
};

// In the order they are loaded; the digit rows 9 to 12 share row 8's sprite.
constexpr anim_row_sprite ANIM_ROWS[] = {
    {ANIM_CURSOR_FOOT_FRONT, {"ARTWORK\\SYSTEM\\CURFORE2", loader::RunLength, PLAIN, 1, 16}},
    {ANIM_CURSOR_FOOT_BACK, {"ARTWORK\\SYSTEM\\CURBACK2", loader::RunLength, PLAIN, 129, 16}},
    {ANIM_TARGET_FRONT, {"ARTWORK\\SYSTEM\\TRGTFORE", loader::RunLength, PLAIN, 127, KEEP}},
    {ANIM_TARGET_BACK, {"ARTWORK\\SYSTEM\\TRGTBACK", loader::Bitmap, SYSTEM_MEMORY, 255, KEEP}},
    {ANIM_CURSOR_FRONT, {"ARTWORK\\SYSTEM\\CURFORE", loader::RunLength, PLAIN, 127, 32}},
    {ANIM_CURSOR_BACK, {"ARTWORK\\SYSTEM\\CURBACK", loader::RunLength, PLAIN, 255, 32}},
    {ANIM_PATH_ARROW, {"ARTWORK\\SYSTEM\\ARROWS", loader::Bitmap, SYSTEM_MEMORY, 37, KEEP}},
    {ANIM_DIGITS_FIRST, {"ARTWORK\\SYSTEM\\DIGITS1", loader::Bitmap, SYSTEM_MEMORY, 125, 4}},
    {ANIM_BUTTONS_FIRST, {"ARTWORK\\SYSTEM\\MAINBUT1", loader::Bitmap, SYSTEM_MEMORY, KEEP, KEEP}},
    {ANIM_BUTTONS_FIRST + 1, {"ARTWORK\\SYSTEM\\MAINBUT2", loader::Bitmap, SYSTEM_MEMORY, KEEP, KEEP}},
    {ANIM_BUTTONS_FIRST + 2, {"ARTWORK\\SYSTEM\\MAINBUT3", loader::Bitmap, SYSTEM_MEMORY, KEEP, KEEP}},
    {ANIM_BUTTONS_FIRST + 3, {"ARTWORK\\SYSTEM\\MAINBUT4", loader::Bitmap, SYSTEM_MEMORY, KEEP, KEEP}},
    {ANIM_BLOOD, {"ARTWORK\\ANIM\\BLOOD", loader::Bitmap, SYSTEM_MEMORY, 126, KEEP}},
    {ANIM_SPELL_FLASH, {"ARTWORK\\ANIM\\VARAZSA", loader::Bitmap, SYSTEM_MEMORY, 126, KEEP}},
    {ANIM_SPLINTERS, {"ARTWORK\\ANIM\\PENGEKIS", loader::Bitmap, SYSTEM_MEMORY, 126, KEEP}},
    {ANIM_FIRE, {"ARTWORK\\ANIM\\TUZANIM", loader::Bitmap, PLAIN, 126, KEEP}},
};
// The flags of the digit rows 9 to 12.
constexpr std::uint8_t DIGIT_ROW_FLAGS[] = {8, 12, 16, 20};

struct builtin_fixitem {
    std::uint8_t slot;
    system_sprite s;
};
constexpr builtin_fixitem BUILTIN_FIXITEMS[] = {
    {SLOT_GAS, {"ARTWORK\\ANIM\\GAS", loader::Bitmap, SYSTEM_MEMORY, 126, FIX_ANIMATED}},
    {SLOT_FLAME, {"ARTWORK\\ANIM\\TUZFAL", loader::Bitmap, PLAIN, 125, FIX_ANIMATED}},
    {SLOT_BLOOD_POOL, {"ARTWORK\\ANIM\\BLPOOL", loader::Bitmap, SYSTEM_MEMORY, 128, KEEP}},
};

// The order the rows are released in.
constexpr std::uint8_t RELEASE_ORDER[] = {ANIM_CURSOR_FOOT_FRONT,
                                          ANIM_CURSOR_FOOT_BACK,
                                          ANIM_CURSOR_FRONT,
                                          ANIM_CURSOR_BACK,
                                          ANIM_TARGET_FRONT,
                                          ANIM_TARGET_BACK,
                                          ANIM_PATH_ARROW,
                                          ANIM_DIGITS_FIRST,
                                          ANIM_BUTTONS_FIRST,
                                          ANIM_BUTTONS_FIRST + 1,
                                          ANIM_BUTTONS_FIRST + 2,
                                          ANIM_BUTTONS_FIRST + 3,
                                          ANIM_BLOOD,
                                          ANIM_SPELL_FLASH,
                                          ANIM_SPLINTERS,
                                          ANIM_FIRE};

// The sprites loaded into the rows and the built-in slots. Only these are
// released: the tables may also hold values read from a map file.
std::uint32_t loaded_rows[ANIM_SYSTEM_ROWS + 1] = {};
std::uint32_t loaded_builtins[std::size(BUILTIN_FIXITEMS)] = {};

std::uint32_t Load(const system_sprite& s) {
    sprite* loaded = s.kind == loader::RunLength ? Load_DYS(s.file) : LoadSprite(s.file, static_cast<int>(s.options));
    if (loaded != nullptr && s.layer != KEEP) loaded->layer = static_cast<std::uint8_t>(s.layer);
    return Sprite_Handle(loaded);
}

// Releases a loaded sprite; the table field that held it becomes 0.
std::uint32_t Release(std::uint32_t& loaded) {
    Release_Sprite(Sprite_From_Handle(loaded));
    loaded = 0;
    return 0;
}

sprite* Load_Panel_Sprite(const char* file) { return LoadSprite(file, static_cast<int>(SYSTEM_MEMORY)); }

void Release_Panel_Sprite(sprite*& s) {
    Release_Sprite(s);
    s = nullptr;
}

}  // namespace

bool Anim_Row_Is_Foot_Mark(std::uint8_t row) {
    if (row >= ANIM_DIGITS_FIRST && row <= ANIM_DIGITS_LAST) return false;
    return (anim_types[row].flags & ANIM_FOOT_MARK) != 0;
}

void Load_System_Sprites() {
    for (const anim_row_sprite& r : ANIM_ROWS) {
        anim_type& t = anim_types[r.row];
        t.sprite = loaded_rows[r.row] = Load(r.s);
        if (r.s.flags != KEEP) t.flags = static_cast<std::uint8_t>(r.s.flags);
    }
    for (int i = 0; i < 4; ++i) {
        anim_type& t = anim_types[ANIM_DIGITS_FIRST + 1 + i];
        t.sprite = anim_types[ANIM_DIGITS_FIRST].sprite;
        t.flags = DIGIT_ROW_FLAGS[i];
    }
    dd_cursor.digits = Sprite_From_Handle(anim_types[ANIM_DIGITS_FIRST].sprite);
    for (std::size_t i = 0; i < std::size(BUILTIN_FIXITEMS); ++i) {
        const builtin_fixitem& b = BUILTIN_FIXITEMS[i];
        fixitem_type& t = fixitem_types[b.slot];
        t.sprite = loaded_builtins[i] = Load(b.s);
        if (b.s.flags != KEEP) t.flags = static_cast<std::uint8_t>(b.s.flags);
    }
}

void Free_System_Sprites() {
    dd_cursor.digits = nullptr;
    for (std::uint8_t row : RELEASE_ORDER) anim_types[row].sprite = Release(loaded_rows[row]);
    // Rows 9 to 12 held row 8's sprite, released once with it.
    for (std::uint8_t row = ANIM_DIGITS_FIRST + 1; row <= ANIM_DIGITS_LAST; ++row) anim_types[row].sprite = 0;
    for (std::size_t i = 0; i < std::size(BUILTIN_FIXITEMS); ++i)
        fixitem_types[BUILTIN_FIXITEMS[i].slot].sprite = Release(loaded_builtins[i]);
}

void Load_Shield_Sprites() {
    PAJZSK = Load_Panel_Sprite("ARTWORK\\SYSTEM\\PAJZSK");
    PAJZSN = Load_Panel_Sprite("ARTWORK\\SYSTEM\\PAJZSN");
    MASKGOMB = Load_Panel_Sprite("ARTWORK\\SYSTEM\\MASKGOMB");
    MASKABL = Load_Panel_Sprite("ARTWORK\\SYSTEM\\MASKABL");
    BELOG1 = Load_Panel_Sprite("ARTWORK\\SYSTEM\\BELOG1");
    BELOG2 = Load_Panel_Sprite("ARTWORK\\SYSTEM\\BELOG2");
}

void Free_Shield_Sprites() {
    for (sprite** s : {&PAJZSK, &PAJZSN, &MASKGOMB, &MASKABL, &BELOG1, &BELOG2}) Release_Panel_Sprite(*s);
}
