// Windows of a registered class: their messages reach the class's procedure
// with their handle, the default procedure closes them, and the last message
// leaves nothing behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/WindowClass.h"
#include "platform/headless/HeadlessBackend.h"

namespace {

std::vector<std::string> received;
HWND seen_window = nullptr;

LRESULT Recording_Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    seen_window = hwnd;
    if (message == WM_KEYDOWN) received.push_back("key " + std::to_string(wParam));
    if (message == WM_DESTROY) received.push_back("destroy");
    if (message == WM_NCDESTROY) received.push_back("ncdestroy");
    if (message == WM_KEYDOWN) return 7;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class WindowClass : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Window_Classes();
        Headless_Backend().Reset();
        received.clear();
        seen_window = nullptr;
    }
    void TearDown() override {
        Reset_Window_Classes();
        Headless_Backend().Reset();
    }
    static ATOM Register(const char* name, WNDPROC procedure = Recording_Proc) {
        WNDCLASSA wc{};
        wc.style = CS_NOCLOSE;
        wc.lpfnWndProc = procedure;
        wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = name;
        return RegisterClassA(&wc);
    }
};

TEST_F(WindowClass, RegisteredOnceByName) {
    EXPECT_NE(Register("directwin"), 0);
    EXPECT_EQ(Register("DirectWin"), 0) << "the name is taken";
    EXPECT_EQ(Register(""), 0);
    EXPECT_EQ(Register("other", nullptr), 0) << "no procedure";
    EXPECT_EQ(RegisterClassA(nullptr), 0);
    EXPECT_EQ(CreateWindowExA(0, "unknown", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_TRUE(UnregisterClassA("DIRECTWIN", nullptr));
    EXPECT_NE(Register("directwin"), 0);
}

TEST_F(WindowClass, MessagesReachTheProcedureUntilTheWindowCloses) {
    ASSERT_NE(Register("directwin"), 0);
    const HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, "directwin", "Main Map", WS_POPUP, 0, 0, 640, 480, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    ASSERT_EQ(Headless_Backend().windows.size(), 1u);
    EXPECT_EQ(Headless_Backend().windows[0].title, "Main Map");
    EXPECT_EQ(SendMessageA(hwnd, WM_KEYDOWN, 27, 0), 7);
    EXPECT_EQ(seen_window, hwnd);
    MSG msg{hwnd, WM_KEYDOWN, 65, 0};
    EXPECT_TRUE(TranslateMessage(&msg));
    DispatchMessageA(&msg);
    // The default procedure validates a paint and destroys on a close.
    ShowWindow(hwnd, SW_SHOW);
    EXPECT_EQ(Window_Needing_Paint(), hwnd);
    SendMessageA(hwnd, WM_PAINT, 0, 0);
    EXPECT_EQ(Window_Needing_Paint(), nullptr);
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(received, (std::vector<std::string>{"key 27", "key 65", "destroy", "ncdestroy"}));
    EXPECT_EQ(Window_Target(hwnd), nullptr);
    EXPECT_EQ(SendMessageA(hwnd, WM_KEYDOWN, 27, 0), 0) << "a gone window's messages are dropped";
    EXPECT_EQ(received.size(), 4u);
}

TEST_F(WindowClass, StockHandlesExist) {
    EXPECT_NE(LoadIconA(nullptr, IDI_APPLICATION), nullptr);
    EXPECT_NE(GetStockObject(BLACK_BRUSH), nullptr);
    EXPECT_NE(GetStockObject(BLACK_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetStockObject(99), nullptr);
}

}  // namespace
