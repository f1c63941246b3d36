// Windows and their messages: the debug trace, message maps, the pump's end
// on WM_QUIT, the order of a window's destruction, invalid parts and their
// WM_PAINT, and taking queued messages by window and range.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/AppFramework.h"
#include "platform/headless/HeadlessBackend.h"

namespace {

// The start-up's debug trace line goes to standard error, unchanged.
TEST(DebugTrace, GoesToStandardError) {
    testing::internal::CaptureStderr();
    OutputDebugStringA("CTheApp::InitInstance\n");
    OutputDebugStringA(nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "CTheApp::InitInstance\n");
}

std::vector<std::string> seen;

class Recorder : public CFrameWnd {
  public:
    explicit Recorder(bool* deleted = nullptr) : deleted_(deleted) {}
    ~Recorder() override {
        if (deleted_ != nullptr) *deleted_ = true;
    }
    LRESULT Window_Proc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (Dispatch_By_Map(*this, map, message, wParam, lParam)) return 0;
        if (message == WM_DESTROY) seen.push_back("destroy");
        if (message == WM_NCDESTROY) seen.push_back("ncdestroy");
        return CFrameWnd::Window_Proc(message, wParam, lParam);
    }
    void On_Paint(WPARAM, LPARAM) {
        PAINTSTRUCT ps;
        BeginPaint(m_hWnd, &ps);
        seen.push_back("paint " + std::to_string(ps.rcPaint.left) + "," + std::to_string(ps.rcPaint.top) + "," +
                       std::to_string(ps.rcPaint.right) + "," + std::to_string(ps.rcPaint.bottom));
        EndPaint(m_hWnd, &ps);
    }
    void On_Key(WPARAM key, LPARAM) { seen.push_back("key " + std::to_string(key)); }
    void On_Key_Again(WPARAM, LPARAM) { seen.push_back("second entry"); }
    void On_Close(WPARAM, LPARAM) {
        seen.push_back("close");
        OnClose();
    }
    static const message_map_entry<Recorder> map[4];

  private:
    bool* deleted_;
};

const message_map_entry<Recorder> Recorder::map[4] = {
    {WM_PAINT, &Recorder::On_Paint},
    {WM_KEYDOWN, &Recorder::On_Key},
    {WM_KEYDOWN, &Recorder::On_Key_Again},
    {WM_CLOSE, &Recorder::On_Close},
};

class Windows : public ::testing::Test {
  protected:
    void SetUp() override {
        Set_Window_Backend(nullptr);
        Headless_Backend().Reset();
        seen.clear();
    }
    void TearDown() override {
        app.m_pMainWnd = nullptr;
        Headless_Backend().Reset();
    }
    static HeadlessBackend& backend() { return Headless_Backend(); }
    CWinApp app;
};

TEST_F(Windows, MessageMapTakesTheFirstEntryAndClosingEndsThePump) {
    bool deleted = false;
    auto* w = new Recorder(&deleted);
    ASSERT_TRUE(w->Create(nullptr, "test", WS_POPUP, {0, 0, 640, 480}));
    app.m_pMainWnd = w;
    const HWND hwnd = w->m_hWnd;
    PostMessageA(hwnd, WM_KEYDOWN, 65, 0);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    PostMessageA(hwnd, WM_KEYDOWN, 66, 0);
    EXPECT_FALSE(backend().Pump()) << "the main window's end ends the pump";
    // The second map entry for WM_KEYDOWN is never reached; the key posted
    // after the close finds no window.
    EXPECT_EQ(seen, (std::vector<std::string>{"key 65", "close", "destroy", "ncdestroy"}));
    EXPECT_TRUE(deleted) << "a frame deletes itself with its window";
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(Window_Target(hwnd), nullptr);
    EXPECT_EQ(SendMessageA(hwnd, WM_KEYDOWN, 67, 0), 0);
    EXPECT_EQ(seen.size(), 4u) << "a gone window's messages are dropped";
}

TEST_F(Windows, QuitCarriesItsExitCode) {
    PostQuitMessage(3);
    EXPECT_FALSE(backend().Pump());
    EXPECT_EQ(app.ExitInstance(), 3);
}

TEST_F(Windows, InvalidPartsArePaintedOnceNoOtherMessageWaits) {
    // A frame lives on the heap: it deletes itself with its window.
    Recorder& w = *new Recorder();
    ASSERT_TRUE(w.Create(nullptr, "test", WS_POPUP, {0, 0, 640, 480}));
    EXPECT_EQ(Window_Needing_Paint(), nullptr) << "a hidden window";
    w.ShowWindow(SW_SHOW);
    EXPECT_EQ(Window_Needing_Paint(), w.m_hWnd);
    PostMessageA(w.m_hWnd, WM_KEYDOWN, 1, 0);
    EXPECT_TRUE(backend().Pump());
    EXPECT_EQ(seen, (std::vector<std::string>{"key 1", "paint 0,0,640,480"}));
    EXPECT_EQ(Window_Needing_Paint(), nullptr);

    seen.clear();
    const RECT a{10, 10, 20, 20}, b{50, 5, 60, 15};
    InvalidateRect(w.m_hWnd, &a, FALSE);
    InvalidateRect(w.m_hWnd, &b, FALSE);
    EXPECT_TRUE(backend().Pump());
    EXPECT_EQ(seen, (std::vector<std::string>{"paint 10,5,60,20"})) << "the parts join";
    const RECT part{0, 0, 30, 30};
    InvalidateRect(w.m_hWnd, &a, FALSE);
    ValidateRect(w.m_hWnd, &part);
    EXPECT_EQ(Window_Needing_Paint(), nullptr);
    w.DestroyWindow();
}

TEST_F(Windows, PeekMessageTakesByWindowAndRange) {
    HWND a = reinterpret_cast<HWND>(1), b = reinterpret_cast<HWND>(2);
    PostMessageA(a, WM_KEYDOWN, 1, 0);
    PostMessageA(b, WM_TIMER, 2, 0);
    PostMessageA(a, WM_TIMER, 3, 0);
    MSG m{};
    EXPECT_TRUE(PeekMessageA(&m, a, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_EQ(m.wParam, 3u);
    EXPECT_EQ(backend().queue.size(), 3u) << "PM_NOREMOVE leaves it";
    EXPECT_TRUE(PeekMessageA(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(m.wParam, 2u) << "no window: any window's";
    EXPECT_TRUE(PeekMessageA(&m, a, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.wParam, 1u) << "no range: any message";
    EXPECT_FALSE(PeekMessageA(&m, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(backend().queue.size(), 1u);
}

}  // namespace
