#include <gtest/gtest.h>

#include <fstream>

#include "platform/PathResolver.h"

namespace fs = std::filesystem;

namespace {

class PathResolverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("orvex-resolver-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "artwork" / "pages");
        std::ofstream(root / "artwork" / "pages" / "x.bmp") << "x";
        std::ofstream(root / "start.map") << "m";
        Set_Working_Folder(root);
    }
    void TearDown() override {
        Set_Working_Folder({});
        fs::remove_all(root);
    }
    fs::path root;
};

TEST(NormalizeGamePath, SlashesAndDoubledSeparators) {
    EXPECT_EQ(Normalize_Game_Path("ARTWORK\\PAGES\\cimkep2.bmp"), "ARTWORK/PAGES/cimkep2.bmp");
    EXPECT_EQ(Normalize_Game_Path("artwork//maps//aa.bin"), "artwork/maps/aa.bin");
    EXPECT_EQ(Normalize_Game_Path("ARTWORK\\\\ANIM\\BLOOD"), "ARTWORK/ANIM/BLOOD");
    EXPECT_EQ(Normalize_Game_Path("./start.map"), "start.map");
}

TEST_F(PathResolverTest, FindsComponentsIgnoringCase) {
    auto found = Resolve_Path("ARTWORK\\PAGES\\X.BMP");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(*found, root / "artwork" / "pages" / "x.bmp");
    EXPECT_EQ(Resolve_Path("Start.MAP").value(), root / "start.map");
    EXPECT_EQ(Resolve_Path("artwork//PAGES").value(), root / "artwork" / "pages");
}

TEST_F(PathResolverTest, ReportsMissingFiles) {
    EXPECT_FALSE(Resolve_Path("ARTWORK\\PAGES\\Y.BMP").has_value());
    EXPECT_FALSE(Resolve_Path("NOPE\\X.BMP").has_value());
    EXPECT_FALSE(Resolve_Path("").has_value());
}

TEST_F(PathResolverTest, ExactSpellingWinsOverOtherCases) {
    std::ofstream(root / "artwork" / "pages" / "X.bmp") << "upper";
    EXPECT_EQ(Resolve_Path("ARTWORK\\PAGES\\X.bmp").value(), root / "artwork" / "pages" / "X.bmp");
    EXPECT_EQ(Resolve_Path("ARTWORK\\PAGES\\x.bmp").value(), root / "artwork" / "pages" / "x.bmp");
}

TEST_F(PathResolverTest, WritePathKeepsExistingFoldersAndNewName) {
    EXPECT_EQ(Resolve_Path_For_Write("ARTWORK\\MAPS\\Test.map"), root / "artwork" / "MAPS" / "Test.map");
    EXPECT_EQ(Resolve_Path_For_Write("START.MAP"), root / "start.map");
    EXPECT_EQ(Resolve_Path_For_Write("Test.map"), root / "Test.map");
}

}  // namespace
