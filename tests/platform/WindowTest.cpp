#include <gtest/gtest.h>

#include "platform/Window.h"

namespace {

// The start-up's debug trace line goes to standard error, unchanged.
TEST(DebugTrace, GoesToStandardError) {
    testing::internal::CaptureStderr();
    OutputDebugStringA("CTheApp::InitInstance\n");
    OutputDebugStringA(nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "CTheApp::InitInstance\n");
}

}  // namespace
