#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <vector>

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

// A file chosen in a file dialog comes as an absolute path, also one outside
// the working folder: it is used where it is.
TEST_F(PathResolverTest, AbsolutePathsStartAtTheRoot) {
    const fs::path other = root.string() + "-elsewhere";
    fs::create_directories(other);
    std::ofstream(other / "far.map") << "f";
    EXPECT_EQ(Resolve_Path((other / "FAR.map").string()).value(), other / "far.map");
    EXPECT_EQ(Resolve_Path_For_Write((other / "new.map").string()), other / "new.map");
    EXPECT_EQ(Resolve_Path_For_Write("new.map"), root / "new.map");
    fs::remove_all(other);
}

TEST_F(PathResolverTest, ExactSpellingWinsOverOtherCases) {
    std::ofstream(root / "artwork" / "pages" / "X.bmp") << "upper";
    EXPECT_EQ(Resolve_Path("ARTWORK\\PAGES\\X.bmp").value(), root / "artwork" / "pages" / "X.bmp");
    EXPECT_EQ(Resolve_Path("ARTWORK\\PAGES\\x.bmp").value(), root / "artwork" / "pages" / "x.bmp");
}

// What a reader may open: a regular file. A folder or a FIFO (whose
// reading would block until something writes to it) is refused like a
// missing file, each with the path and the reason.
TEST_F(PathResolverTest, ReadersOpenOnlyRegularFilesAndSayWhyNot) {
    ASSERT_EQ(::mkfifo((root / "fifo.map").c_str(), 0600), 0);
    struct Case {
        const char* name;
        fs::path path;
        const char* reason;
    };
    for (const Case& c : {Case{"NOPE\\X.BMP", root / "NOPE/X.BMP", "No such file or directory"},
                          Case{"ARTWORK\\PAGES", root / "artwork" / "pages", "Is a directory"},
                          Case{"FIFO.MAP", root / "fifo.map", "not a regular file"}}) {
        file_fault fault;
        EXPECT_FALSE(Resolve_Readable_File(c.name, &fault).has_value()) << c.name;
        EXPECT_EQ(fault.path, c.path.string());
        EXPECT_EQ(fault.reason, c.reason);
        std::vector<std::uint8_t> bytes;
        file_fault read_fault;
        EXPECT_FALSE(Read_Game_File(c.name, 100, bytes, &read_fault)) << c.name;
        EXPECT_EQ(read_fault.Text(), fault.Text());
    }
    std::vector<std::uint8_t> bytes;
    file_fault fault;
    EXPECT_TRUE(Read_Game_File("START.MAP", 1, bytes, &fault));
    EXPECT_EQ(bytes, std::vector<std::uint8_t>{'m'});
    EXPECT_FALSE(Read_Game_File("ARTWORK\\PAGES\\X.BMP", 0, bytes, &fault));
    EXPECT_EQ(fault.Text(), (root / "artwork" / "pages" / "x.bmp").string() + ": larger than 0 bytes");
}

TEST_F(PathResolverTest, WritePathKeepsExistingFoldersAndNewName) {
    EXPECT_EQ(Resolve_Path_For_Write("ARTWORK\\MAPS\\Test.map"), root / "artwork" / "MAPS" / "Test.map");
    EXPECT_EQ(Resolve_Path_For_Write("START.MAP"), root / "start.map");
    EXPECT_EQ(Resolve_Path_For_Write("Test.map"), root / "Test.map");
}

}  // namespace
