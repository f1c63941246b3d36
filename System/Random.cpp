#include "System/Random.h"

#include <cstdlib>

namespace {
RandomScript* script = nullptr;
}

void Set_Random_Script(RandomScript* s) { script = s; }

void Seed_Random(unsigned seed) { std::srand(seed); }

int Random(int n) {
    if (script != nullptr) script->calls.push_back(n);
    if (n == 0) return 0;
    if (script != nullptr && script->next < script->values.size()) {
        // Kept in 0 .. |n| - 1, as rand() % n is.
        const long long size = n < 0 ? -static_cast<long long>(n) : n;
        const long long v = script->values[script->next++] % size;
        return static_cast<int>(v < 0 ? v + size : v);
    }
    // rand() is never negative, so for a negative n this too lies in 0 .. |n| - 1.
    return std::rand() % n;
}
