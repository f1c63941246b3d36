#include <gtest/gtest.h>

#include "platform/HandleRegistry.h"
#include "platform/Packed.h"

namespace {

TEST(HandleRegistry, HandsOutNonZeroHandlesAndReusesFreedOnes) {
    HandleRegistry<int> registry;
    int a = 1, b = 2, c = 3;
    auto ha = registry.Add(&a);
    auto hb = registry.Add(&b);
    EXPECT_NE(ha, 0u);
    EXPECT_NE(ha, hb);
    EXPECT_EQ(registry.Get(ha), &a);
    EXPECT_EQ(registry.Get(0), nullptr);
    EXPECT_EQ(registry.Get(999), nullptr);  // a stale handle from a file
    registry.Remove(ha);
    EXPECT_EQ(registry.Get(ha), nullptr);
    registry.Remove(ha);  // twice is harmless
    EXPECT_EQ(registry.Add(&c), ha);
    EXPECT_EQ(registry.Live_Count(), 2u);
    EXPECT_EQ(registry.Add(nullptr), 0u);
}

struct ORVEX_PACKED Sample_Record {
    std::uint8_t kind;
    std::uint16_t index;
    std::int32_t value;
};
ORVEX_RECORD_SIZE(Sample_Record, 7);
ORVEX_FIELD_OFFSET(Sample_Record, value, 3);

TEST(PackedRecord, LayoutIsTheByteLayout) {
    Sample_Record r{0x05, 0x1234, -2};
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&r);
    EXPECT_EQ(bytes[0], 0x05);
    EXPECT_EQ(bytes[1], 0x34);
    EXPECT_EQ(bytes[2], 0x12);
    EXPECT_EQ(bytes[3], 0xFE);
    EXPECT_EQ(bytes[6], 0xFF);
}

}  // namespace
