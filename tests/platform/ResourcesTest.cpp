// A program's resources: tables registered at start-up, found by name and
// type (named or numbered, without regard to case), the last table first;
// bitmaps and cursors read from them.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/Gdi.h"
#include "platform/Resources.h"
#include "platform/WindowClass.h"
#include "platform/headless/HeadlessBackend.h"
#include "tools/writers/BmpWriter.h"
#include "tools/writers/CurWriter.h"

namespace {

class Resources : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Resources();
        Headless_Backend().Reset();
    }
    void TearDown() override {
        Reset_Resources();
        Headless_Backend().Reset();
    }
    static std::string Data_Of(const char* name, const char* type) {
        const HINSTANCE module = GetModuleHandleA(nullptr);
        const HRSRC r = FindResourceA(module, name, type);
        const void* data = LockResource(LoadResource(module, r));
        if (data == nullptr) return "(none)";
        return std::string(static_cast<const char*>(data), SizeofResource(module, r));
    }
};

TEST_F(Resources, FoundByNameAndTypeTheLastTableFirst) {
    const resource_entry first[] = {{0, "Palette", "PAL", "abc", 3}, {RT_BITMAP_ID, nullptr, "MAP", "bmp", 3}};
    const resource_entry second[] = {{0, "palette", "pal", "newer", 5}};
    Register_Resources(first, 2);
    EXPECT_EQ(Data_Of("PAL", "Palette"), "abc");
    EXPECT_EQ(Data_Of("map", RT_BITMAP), "bmp");
    EXPECT_EQ(Data_Of("MAP", "Palette"), "(none)") << "another type";
    EXPECT_EQ(Data_Of("MAP", RT_CURSOR), "(none)");
    EXPECT_EQ(Data_Of("PAL", RT_BITMAP), "(none)") << "a numbered type is not a named one";
    EXPECT_EQ(Data_Of("NONE", "Palette"), "(none)");
    Register_Resources(second, 1);
    EXPECT_EQ(Data_Of("Pal", "PALETTE"), "newer");
    EXPECT_EQ(FindResourceA(nullptr, nullptr, "Palette"), nullptr);
    EXPECT_EQ(LockResource(LoadResource(nullptr, nullptr)), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
    Reset_Resources();
    EXPECT_EQ(Data_Of("PAL", "Palette"), "(none)");
}

TEST_F(Resources, BitmapsAndCursorsComeFromThem) {
    Bmp8 picture;
    picture.width = 3;
    picture.height = 2;
    picture.pixels = {1, 2, 3, 4, 5, 6};
    const std::vector<std::uint8_t> bmp = Encode_Bmp8(picture);
    CurPicture cursor;
    cursor.width = cursor.height = 32;
    cursor.hot_x = 5;
    cursor.hot_y = 7;
    cursor.pixels.assign(32 * 32, 1);
    cursor.palette[1] = {255, 0, 0};
    const std::vector<std::uint8_t> cur = Encode_Cur(cursor);
    const resource_entry table[] = {
        {RT_BITMAP_ID, nullptr, "PIC", reinterpret_cast<const char*>(bmp.data()), bmp.size()},
        {RT_CURSOR_ID, nullptr, "POINTER", reinterpret_cast<const char*>(cur.data()), cur.size()},
        {RT_BITMAP_ID, nullptr, "BROKEN", "BM", 2},
    };
    Register_Resources(table, 3);
    const HINSTANCE module = GetModuleHandleA(nullptr);
    auto* bitmap = static_cast<HBITMAP>(LoadImageA(module, "pic", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_EQ(static_cast<const std::uint8_t*>(info.bmBits)[0], 1) << "the top row first";
    EXPECT_EQ(static_cast<const std::uint8_t*>(info.bmBits)[info.bmWidthBytes], 4);
    DeleteObject(bitmap);
    EXPECT_EQ(LoadImageA(module, "BROKEN", IMAGE_BITMAP, 0, 0, 0), nullptr);
    EXPECT_EQ(LoadImageA(module, "POINTER", IMAGE_BITMAP, 0, 0, 0), nullptr) << "not a bitmap resource";
    EXPECT_EQ(LoadImageA(nullptr, "PIC", IMAGE_BITMAP, 0, 0, 0), nullptr) << "no file of that name";

    const HCURSOR pointer = LoadCursorA(module, "POINTER");
    ASSERT_NE(pointer, nullptr);
    ASSERT_EQ(Headless_Backend().cursors.size(), 1u);
    EXPECT_EQ(Headless_Backend().cursors[0].hot_x, 5);
    EXPECT_EQ(Headless_Backend().cursors[0].hot_y, 7);
    EXPECT_EQ(LoadCursorA(module, "PIC"), nullptr);
    EXPECT_EQ(LoadCursorA(module, "MISSING"), nullptr);
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    EXPECT_NE(arrow, nullptr) << "the window system's own arrow";
    EXPECT_NE(arrow, pointer);
    EXPECT_EQ(Headless_Backend().cursors.size(), 1u);
}

}  // namespace
