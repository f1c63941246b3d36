#include "Objects/Char/CharSprites.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "Objects/Char/Characters.h"
#include "Objects/SpriteInfo.h"
#include "System/Dys.h"
#include "System/ErrorReport.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"

char_body char_bodies[CHAR_BODY_ROWS];
std::uint32_t char_body_count = 0;
char_head char_heads[CHAR_HEAD_ROWS];
std::uint32_t char_head_count = 0;

void Reset_Char_Sprite_State() {
    for (char_body& row : char_bodies) row = char_body{};
    char_body_count = 0;
    for (char_head& row : char_heads) row = char_head{};
    char_head_count = 0;
}

namespace {

// The body name of a record: at most 8 characters, whether or not the
// record ends it with a zero.
std::string Body_Name(const char_record& r) { return std::string(r.body_name, strnlen(r.body_name, 8)); }

}  // namespace

void Load_Char_Sprite(std::uint16_t c) {
    if (c >= chararray.Capacity()) return;
    char_record& r = chararray.records[c];
    const std::string name = Body_Name(r);
    for (std::uint32_t i = 0; i < char_body_count; ++i) {
        if (name == char_bodies[i].name) {
            char_bodies[i].uses += 1;
            r.body_sprite = char_bodies[i].sprite;
            return;
        }
    }
    if (char_body_count >= CHAR_BODY_ROWS) {
        Error_Query_Quit("Too many different character");
        r.body_sprite = 0;
        return;
    }
    char_body& row = char_bodies[char_body_count++];
    std::memset(row.name, 0, sizeof row.name);
    std::memcpy(row.name, name.data(), name.size());
    row.uses = 1;
    row.sprite = Sprite_Handle(Load_DYS(("ARTWORK\\CHARS\\" + name).c_str()));
    Set_Sprite_Layer(row.sprite, CHAR_BODY_LAYER);
    r.body_sprite = row.sprite;
}

void Load_Char_Head(std::uint16_t head, std::uint16_t c) {
    if (c >= chararray.Capacity()) return;
    char_record& r = chararray.records[c];
    for (std::uint32_t i = 0; i < char_head_count; ++i) {
        if (char_heads[i].number == head) {
            char_heads[i].uses += 1;
            r.head_sprite = char_heads[i].sprite;
            return;
        }
    }
    if (char_head_count >= CHAR_HEAD_ROWS) {
        Error_Query_Quit("Too many different character-heads");
        r.head_sprite = 0;
        return;
    }
    char name[32];
    std::snprintf(name, sizeof name, "ARTWORK\\HEADS\\FEJ%03d", static_cast<int>(head));
    char_head& row = char_heads[char_head_count++];
    row.number = head;
    row.uses = 1;
    row.sprite = Load_Named_Bitmap_Sprite(name);
    Set_Sprite_Layer(row.sprite, CHAR_HEAD_LAYER);
    r.head_sprite = row.sprite;
}

void Load_All_Char_Sprites() {
    char_body_count = 0;
    chararray.For_Each_Used([](std::uint16_t c) {
        Load_Char_Sprite(c);
        Load_Char_Head(chararray.records[c].head, c);
    });
}

void Free_All_Char_Sprites() {
    for (std::uint32_t i = 0; i < char_body_count; ++i) {
        char_body& row = char_bodies[i];
        std::memset(row.name, 0, sizeof row.name);
        row.uses = 0;
        Release_Sprite(Sprite_From_Handle(row.sprite));
        row.sprite = 0;
    }
    char_body_count = 0;
    chararray.For_Each_Used([](std::uint16_t c) { chararray.records[c].body_sprite = 0; });
}

void Free_Char_Heads() {
    for (std::uint32_t i = 0; i < char_head_count; ++i) {
        Release_Sprite(Sprite_From_Handle(char_heads[i].sprite));
        char_heads[i] = char_head{};
    }
    char_head_count = 0;
}
