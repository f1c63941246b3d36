#include <gtest/gtest.h>

#include <set>
#include <string>

#include "System/DDErrorTable.h"
#include "System/ErrorReport.h"
#include "support/HeadlessFixture.h"

namespace {

HWND Fake_Window() { return reinterpret_cast<HWND>(0x1234); }

class ErrorReport : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Set_Main_Window(Fake_Window());
    }
    void TearDown() override {
        Set_Main_Window(nullptr);
        HeadlessTest::TearDown();
    }
};

TEST_F(ErrorReport, QueryQuitShowsCaptionTextAndButtons) {
    backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
    Error_Query_Quit("Invalid obj type in Next_Object");
    ASSERT_EQ(backend().boxes.size(), 1u);
    const MessageBoxCall& box = backend().boxes[0];
    EXPECT_EQ(box.caption, "Invalid obj type in Next_Object");
    EXPECT_EQ(box.text, "Quit from Application ?");
    EXPECT_EQ(box.type, MB_OKCANCEL | MB_SETFOREGROUND);
    // Cancel: the program goes on, nothing is posted.
    EXPECT_FALSE(Is_Quitting());
    EXPECT_TRUE(backend().queue.empty());
}

TEST_F(ErrorReport, OkClosesTheMainWindowExactlyOnce) {
    Error_Query_Quit("first");
    EXPECT_TRUE(Is_Quitting());
    // Later failures while the close is on its way show nothing more.
    Error_Query_Quit("second");
    Fatal_Error("Can't load bitmap:", "X.BMP");
    DD_Error("Fill rect", DDERR_GENERIC);
    EXPECT_EQ(backend().boxes.size(), 1u);
    ASSERT_EQ(backend().queue.size(), 1u);
    EXPECT_EQ(backend().queue[0].message, WM_CLOSE);
    EXPECT_EQ(backend().queue[0].hwnd, Fake_Window());
}

TEST_F(ErrorReport, FatalErrorJoinsTextsAndQuits) {
    Fatal_Error("Can't load bitmap:", "X.BMP");
    ASSERT_EQ(backend().boxes.size(), 1u);
    const MessageBoxCall& box = backend().boxes[0];
    EXPECT_EQ(box.caption, "Application error !");
    EXPECT_EQ(box.text, "Can't load bitmap:\nX.BMP");
    EXPECT_EQ(box.Icon(), MB_ICONHAND);
    EXPECT_TRUE(Is_Quitting());
    EXPECT_EQ(backend().Count_Posted(WM_CLOSE), 1u);
}

TEST_F(ErrorReport, WithoutMainWindowTheQuitMessageIsPosted) {
    Set_Main_Window(nullptr);
    Fatal_Error("Palette load failed", "");
    EXPECT_TRUE(backend().quit_posted);
    EXPECT_EQ(backend().Count_Posted(WM_CLOSE), 0u);
}

TEST_F(ErrorReport, DDErrorNamesTheCodeUnderItsLabel) {
    EXPECT_EQ(DD_Error("CreateSurface BACK", DDERR_GENERIC), DDERR_GENERIC);
    ASSERT_EQ(backend().boxes.size(), 1u);
    EXPECT_EQ(backend().boxes[0].caption, "CreateSurface BACK");
    EXPECT_EQ(backend().boxes[0].text, "DDERR_GENERIC");
    EXPECT_EQ(backend().boxes[0].type, MB_ICONHAND | MB_SETFOREGROUND);
    EXPECT_FALSE(Is_Quitting());
}

TEST_F(ErrorReport, DDErrorPassesSilentCodes) {
    for (HRESULT code : {HRESULT(DD_OK), HRESULT(DDERR_SURFACELOST), HRESULT(DDERR_SURFACEBUSY),
                         HRESULT(DDERR_CANTLOCKSURFACE), HRESULT(DDERR_NODC), HRESULT(12345)}) {
        EXPECT_EQ(DD_Error("Blt", code), code);
    }
    EXPECT_TRUE(backend().boxes.empty());
}

TEST_F(ErrorReport, DDErrorTableCodesAreDistinctAndNamedAlike) {
    std::set<HRESULT> codes;
    for (const DD_Error_Row& row : DD_ERROR_TABLE) {
        EXPECT_TRUE(codes.insert(row.code).second) << row.name;
        ASSERT_NE(DD_Result_Name(row.code), nullptr);
        EXPECT_STREQ(DD_Result_Name(row.code), row.name);
    }
    EXPECT_STREQ(DD_Result_Name(DDERR_INVALIDPARAMS), "DDERR_INVALIDPARAMS");
    EXPECT_STREQ(DD_Result_Name(DDERR_OUTOFMEMORY), "DDERR_OUTOFMEMORY");
    EXPECT_STREQ(DD_Result_Name(DDERR_UNSUPPORTED), "DDERR_UNSUPPORTED");
    EXPECT_STREQ(DD_ERROR_TABLE.front().name, "DDERR_ALREADYINITIALIZED");
    EXPECT_STREQ(DD_ERROR_TABLE.back().name, "DDERR_UNSUPPORTEDMODE");
}

}  // namespace
