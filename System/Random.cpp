#include "System/Random.h"

#include <cstdlib>

namespace {
RandomScript* script = nullptr;
}

void Set_Random_Script(RandomScript* s) { script = s; }

void Seed_Random(unsigned seed) { std::srand(seed); }

int Random(int n) {
    if (script != nullptr) script->calls.push_back(n);
    if (n <= 0) return 0;
    if (script != nullptr && script->next < script->values.size()) {
        int v = script->values[script->next++] % n;
        return v < 0 ? v + n : v;
    }
    return std::rand() % n;
}
