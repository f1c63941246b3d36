#include <gtest/gtest.h>

#include <cstdlib>

#include "System/Random.h"

namespace {

TEST(Random, BoundsOfPlainRand) {
    Seed_Random(7);
    EXPECT_EQ(Random(0), 0);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(Random(1), 0);
        int r = Random(6);
        EXPECT_GE(r, 0);
        EXPECT_LE(r, 5);
    }
}

// A negative n is rand() mod n too: the remainder takes the sign of rand(),
// so the number lies in 0 .. |n| - 1, scripted or not.
TEST(Random, NegativeBoundsGiveTheRemainderOfRand) {
    for (int n : {-1, -6, -1000}) {
        Seed_Random(11);
        const int plain = std::rand() % n;
        Seed_Random(11);
        EXPECT_EQ(Random(n), plain) << n;
        for (int i = 0; i < 100; ++i) {
            const int r = Random(n);
            EXPECT_GE(r, 0) << n;
            EXPECT_LT(r, -n) << n;
        }
    }
    RandomScript script;
    script.values = {7, -1, 5};
    Set_Random_Script(&script);
    EXPECT_EQ(Random(-6), 1);
    EXPECT_EQ(Random(-6), 5);
    EXPECT_EQ(Random(-5), 0);
    Set_Random_Script(nullptr);
}

TEST(Random, SameSeedSameSequence) {
    Seed_Random(42);
    int a[5];
    for (int& v : a) v = Random(1000);
    Seed_Random(42);
    for (int v : a) EXPECT_EQ(Random(1000), v);
}

TEST(Random, ScriptedValuesComeBackInOrderAndCallsAreLogged) {
    RandomScript script;
    script.values = {3, 0, 39, 7};
    Set_Random_Script(&script);
    EXPECT_EQ(Random(6), 3);
    EXPECT_EQ(Random(0), 0);  // n = 0 takes no scripted value
    EXPECT_EQ(Random(40), 0);
    EXPECT_EQ(Random(40), 39);
    EXPECT_EQ(Random(6), 1);  // scripted 7 is kept below n
    int after = Random(10);   // script used up: plain rand()
    Set_Random_Script(nullptr);
    EXPECT_GE(after, 0);
    EXPECT_LT(after, 10);
    EXPECT_EQ(script.calls, (std::vector<int>{6, 0, 40, 40, 6, 10}));
}

}  // namespace
