// The game's random numbers.
#pragma once
#include <vector>

// A number below n: 0 when n is 0 (or negative), otherwise rand() mod n.
int Random(int n);

// Seeds the generator (the start-up seeds it from the clock).
void Seed_Random(unsigned seed);

// Test seam: while a script is set, Random(n) returns its values in order
// (each taken mod n, so the answer stays below n) and falls back to rand()
// once the script is used up. Every call is logged with its n.
struct RandomScript {
    std::vector<int> values;
    std::vector<int> calls;  // the n of every call, scripted or not
    std::size_t next = 0;
};
void Set_Random_Script(RandomScript* script);  // nullptr: plain rand()
