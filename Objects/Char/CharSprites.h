// The body and head sprites of the characters, shared between characters
// with the same body name or head number.
#pragma once
#include <cstdint>

constexpr int CHAR_BODY_ROWS = 100;
constexpr int CHAR_HEAD_ROWS = 300;
constexpr int CHAR_BODY_LAYER = 12;
constexpr int CHAR_HEAD_LAYER = 0;

struct char_body {
    std::uint32_t sprite;  // handle
    std::uint32_t uses;
    char name[9];
};
struct char_head {
    std::uint32_t sprite;  // handle
    std::uint32_t uses;
    std::uint16_t number;
};

extern char_body char_bodies[CHAR_BODY_ROWS];
extern std::uint32_t char_body_count;
extern char_head char_heads[CHAR_HEAD_ROWS];
extern std::uint32_t char_head_count;

// Both tables empty; what their rows held is not released (the caller has
// released what it loaded).
void Reset_Char_Sprite_State();

// Gives character c the body sprite of its body name, loading
// "ARTWORK\CHARS\" + name when no other character uses it yet.
void Load_Char_Sprite(std::uint16_t c);
// Gives character c the head picture of head, loading "ARTWORK\HEADS\FEJnnn"
// the first time.
void Load_Char_Head(std::uint16_t head, std::uint16_t c);
// Empties the body table and loads body and head of every character.
void Load_All_Char_Sprites();
// Releases every body sprite and clears the characters' body handles; the
// heads stay for the run.
void Free_All_Char_Sprites();
// Releases the heads kept for the run and empties their table (at
// shutdown, and in tests).
void Free_Char_Heads();
