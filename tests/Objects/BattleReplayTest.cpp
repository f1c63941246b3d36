// The same seeded battle always ends in the same world: 300 soldiers fight
// for 500 ticks, and a hash of everything the tick can touch (map records,
// characters, items, modifiers, AI slots, acts, relations, clock) must stay
// the one recorded here. Work that makes the tick cheaper must not change
// what it does.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/BattleWorld.h"
#include "support/TickWorld.h"

using namespace fixture;

namespace {

constexpr int SOLDIERS = 300;
constexpr int TICKS = 500;
constexpr std::uint64_t RECORDED_END_STATE = 0xbc9e3fe81451c439ULL;

// 64-bit FNV-1a.
std::uint64_t Hash_Of(const std::string& bytes) {
    constexpr std::uint64_t OFFSET_BASIS = 0xcbf29ce484222325ULL;
    constexpr std::uint64_t PRIME = 0x100000001b3ULL;
    std::uint64_t h = OFFSET_BASIS;
    for (unsigned char b : bytes) {
        h ^= b;
        h *= PRIME;
    }
    return h;
}

TEST(BattleReplay, SeededBattleEndsInTheRecordedState) {
    Build_Battle(SOLDIERS);
    for (int t = 0; t < TICKS; ++t) Main_Tick();
    EXPECT_EQ(World_Problems(), std::vector<std::string>{});
    const std::uint64_t h = Hash_Of(World_Snapshot());
    EXPECT_EQ(h, RECORDED_END_STATE) << std::hex << "end state 0x" << h;
}

}  // namespace
