// The game's random numbers.
#pragma once
#include <vector>

// 0 when n is 0, otherwise rand() mod n, which lies in 0 .. |n| - 1 (rand()
// is never negative, and the remainder takes its sign).
int Random(int n);

// Seeds the generator (the start-up seeds it from the clock).
void Seed_Random(unsigned seed);

// Test seam: while a script is set, Random(n) returns its values in order
// (each kept in 0 .. |n| - 1, as rand() mod n is) and falls back to rand()
// once the script is used up. Every call is logged with its n.
struct RandomScript {
    std::vector<int> values;
    std::vector<int> calls;  // the n of every call, scripted or not
    std::size_t next = 0;
};
void Set_Random_Script(RandomScript* script);  // nullptr: plain rand()
