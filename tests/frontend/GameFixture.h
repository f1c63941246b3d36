// The game program started on the headless backend in the test artwork
// folder (no map loads there: the world is empty until a test builds one;
// the start-up's box that says so is kept aside in startup_boxes),
// with helpers that post messages, run ticks and idle passes, and close it.
#pragma once
#include <gtest/gtest.h>

#include "Objects/Effects.h"
#include "Objects/GameClock.h"
#include "System/Cursor.h"
#include "System/Display.h"
#include "System/MessageLine.h"
#include "System/ScreenType.h"
#include "frontend/App.h"
#include "frontend/Controls.h"
#include "frontend/FrontEndState.h"
#include "frontend/GameLoop.h"
#include "frontend/HexamapScreen.h"
#include "frontend/Hooks.h"
#include "frontend/InventoryScreen.h"
#include "frontend/MainFrame.h"
#include "frontend/MapCursor.h"
#include "frontend/MapView.h"
#include "platform/PathResolver.h"
#include "support/HeadlessFixture.h"
#include "support/MapArtFolder.h"
#include "support/SampleMap.h"
#include "tests/frontend/MapViewFixture.h"

class GameTest : public HeadlessTest {
  protected:
    static void SetUpTestSuite() { art = fixture::Map_Art_Folder(); }

    void SetUp() override {
        HeadlessTest::SetUp();
        Set_Working_Folder(folder.empty() ? art : folder);
        testing::internal::CaptureStderr();
        theApp.InitInstance();
        trace = testing::internal::GetCapturedStderr();
        running = backend().Pump();
        // The artwork folder has no map: the start-up tells so in a box.
        startup_boxes = backend().boxes;
        backend().boxes.clear();
    }

    void TearDown() override {
        Close();
        // A window the start-up left (its pump ended) goes too.
        if (theApp.m_pMainWnd != nullptr) theApp.m_pMainWnd->DestroyWindow();
        fixture::Release_Portraits();
        Reset_Display_Options();
        Reset_Front_End_State();
        Reset_Targeting_State();
        theApp.Set_Exit_Code(0);
        Set_Main_Window(nullptr);
        Set_Working_Folder({});
        EXPECT_EQ(Live_Surface_Count(), 0) << "a surface was not released";
        HeadlessTest::TearDown();
    }

    HWND Window() const { return theApp.m_pMainWnd != nullptr ? theApp.m_pMainWnd->m_hWnd : nullptr; }
    CMainFrame* Frame() const { return static_cast<CMainFrame*>(theApp.m_pMainWnd); }

    // Posts a message to the game window and runs the queue.
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        PostMessageA(Window(), message, wParam, lParam);
        Pump();
    }
    void Pump() {
        if (running) running = backend().Pump();
    }
    void Tick() {
        backend().Post_Timer_Ticks();
        Pump();
    }
    void Idle(int passes = 1) {
        for (int i = 0; i < passes; ++i) theApp.OnIdle(i);
    }
    void Key_Down(UINT key) { Post(WM_KEYDOWN, key); }
    void Key_Up(UINT key) { Post(WM_KEYUP, key); }
    void Mouse_Move(int x, int y, WPARAM flags = 0) { Post(WM_MOUSEMOVE, flags, MAKELPARAM(x, y)); }
    // The orderly close, as the quit control starts it.
    void Close() {
        if (running && Window() != nullptr) Post(WM_CLOSE);
    }

    // A world to play on: the sample map with its artwork, the view in its
    // middle. The builder starts from a fresh backend and the world's default
    // hooks: the game's window, timer and hooks come back.
    void Sample_World(std::uint32_t width = 40, std::uint32_t height = 40) {
        const HeadlessBackend kept = backend();
        fixture::Build_Sample_Map(width, height, 1);
        const auto answer = backend().answer;
        backend() = kept;
        backend().answer = answer;
        Install_Front_End_Hooks();
        shown_level = 0;
        scroll_x = 600;
        scroll_y = 300;
        Forget_Drawn_Map();
        backend().boxes.clear();
    }

    static inline std::filesystem::path art;
    // A working folder of its own for a test; the artwork folder when empty.
    std::filesystem::path folder;
    std::string trace;
    // The boxes the start-up showed (they are cleared for the test).
    std::vector<MessageBoxCall> startup_boxes;
    bool running = true;
};
