#include <gtest/gtest.h>

#include <cstring>

#include "datafiles/DatabaseFormat.h"
#include "datafiles/FileReader.h"
#include "datafiles/ItemData.h"
#include "tests/datafiles/MapFileFixture.h"

using namespace fixture;

namespace {

std::vector<item_type> Sample_Types() {
    std::vector<item_type> types(3);
    for (std::size_t i = 0; i < types.size(); ++i) {
        std::snprintf(types[i].name, sizeof types[i].name, "Type %d", static_cast<int>(i % 10));
        types[i].price = static_cast<std::uint32_t>(1000 + i);
        types[i].first_mod = -1;
        types[i].palette = static_cast<std::uint8_t>(i + 1);
    }
    return types;
}

bool Parse(const Bytes& file, std::vector<item_type>& types) {
    MemoryInput in(file.data(), file.size());
    return Parse_Item_Data(in, file.size(), types);
}

class ItemData : public DataFolderTest {};

TEST_F(ItemData, WrittenTypesReadBackWithTheirLayout) {
    const auto types = Sample_Types();
    ASSERT_TRUE(Write_Item_Data(ITEM_DATA_FILE, types));
    const Bytes file = File_Bytes(Path(ITEM_DATA_FILE));
    ASSERT_EQ(file.size(), 19u + 3 * 49);
    EXPECT_EQ(std::memcmp(file.data(), "edit v1.05", 11), 0);
    EXPECT_EQ(file[11], 49);
    EXPECT_EQ(file[15], 3);
    EXPECT_EQ(std::memcmp(&file[19 + 49], &types[1], 49), 0);

    std::vector<item_type> read;
    const char* message = "none";
    ASSERT_TRUE(Read_Item_Data(ITEM_DATA_FILE, read, message));
    EXPECT_EQ(message, nullptr);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(std::memcmp(read.data(), types.data(), 3 * 49), 0);
    EXPECT_GE(read.capacity(), 3u + TYPE_TABLE_STEP);
}

TEST_F(ItemData, ASmallerRecordSizeFillsTheStartOfEachType) {
    const auto types = Sample_Types();
    Bytes file(DATABASE_MAGIC, DATABASE_MAGIC + DATABASE_MAGIC_SIZE);
    for (std::uint32_t word : {48u, 3u}) Append(file, word);
    for (const item_type& t : types) Append(file, reinterpret_cast<const std::uint8_t*>(&t), 48);
    std::vector<item_type> read;
    ASSERT_TRUE(Parse(file, read));
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(std::string(read[2].name), "Type 2");
    EXPECT_EQ(read[2].price, 1002u);
    EXPECT_EQ(read[2].palette, 0);
}

TEST_F(ItemData, BrokenFilesAreRefusedAndLeaveTheTypes) {
    ASSERT_TRUE(Write_Item_Data(ITEM_DATA_FILE, Sample_Types()));
    const Bytes good = File_Bytes(Path(ITEM_DATA_FILE));
    auto with = [&](std::size_t at, std::uint32_t word) {
        Bytes b = good;
        std::memcpy(&b[at], &word, 4);
        return b;
    };
    Bytes map_magic = good;
    std::memcpy(map_magic.data(), "save v1.03", 11);
    const std::pair<const char*, Bytes> cases[] = {
        {"another magic", map_magic},
        {"record size 50", with(11, 50)},
        {"more types than the file holds", with(15, 4)},
        {"more types than 16 bits name", with(15, 0x10000)},
        {"cut in the header", Bytes(good.begin(), good.begin() + 17)},
        {"cut in a record", Bytes(good.end() - 1 - 49, good.end() - 1)},
        {"empty", {}},
    };
    for (const auto& [what, file] : cases) {
        SCOPED_TRACE(what);
        std::vector<item_type> types(1);
        types[0].price = 77;
        EXPECT_FALSE(Parse(file, types));
        ASSERT_EQ(types.size(), 1u);
        EXPECT_EQ(types[0].price, 77u);
    }
    std::vector<item_type> types;
    const char* message = nullptr;
    EXPECT_FALSE(Read_Item_Data("missing.dat", types, message));
    EXPECT_STREQ(message, "Unable to open item data file");
    Write_Bytes(Path("bad.dat"), map_magic);
    EXPECT_FALSE(Read_Item_Data("bad.dat", types, message));
    EXPECT_STREQ(message, "Invalid item data file");
}

}  // namespace
