// A world map program on the headless backend with its own resources: a
// fresh platform layer and program state for each test, the application
// started and its messages pumped by hand.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/DDraw.h"
#include "platform/Gdi.h"
#include "platform/Resources.h"
#include "platform/WindowClass.h"
#include "platform/headless/HeadlessBackend.h"
#include "worldmap/MainMap.h"
#include "worldmap/TerrainPath.h"
#include "worldmap/WorldMap.h"
#include "worldmap/WorldMapApp.h"
#include "worldmap/WorldMapResources.h"

class WorldMapTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Platform();
        Register_World_Map_Resources();
    }
    void TearDown() override {
        if (main_window != nullptr) DestroyWindow(main_window);
        Pump();
        Reset_Platform();
    }

  public:
    static void Reset_Platform() {
        Set_Window_Backend(nullptr);
        Headless_Backend().Reset();
        Display_Options() = DisplayOptions{};
        Reset_Resources();
        Reset_Window_Classes();
        Reset_Path_Search();
        Reset_World_Map_State();
    }
    HeadlessBackend& backend() { return Headless_Backend(); }

    // The start-up and the messages it posted; false when it quit.
    bool Start() {
        app.InitInstance();
        return Pump();
    }
    // Runs the waiting messages; false once the quit message was taken.
    bool Pump() {
        if (ended) return false;
        ended = !backend().Pump();
        return !ended;
    }
    bool Pass() {
        if (!ended) app.OnIdle(0);
        return Pump();
    }
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        PostMessageA(main_window, message, wParam, lParam);
    }
    void Click(int x, int y) {
        Post(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        Post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        Post(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Pump();
    }
    int Exit_Status() { return app.ExitInstance(); }
    std::vector<std::string> Box_Texts() const {
        std::vector<std::string> texts;
        for (const MessageBoxCall& b : Headless_Backend().boxes) texts.push_back(b.text);
        return texts;
    }
    // The screen's colour at (x, y) as 0xRRGGBB.
    static std::uint32_t Screen_Colour(int x, int y) {
        std::uint32_t c = 0;
        Display_Primary()->Read_RGB({x, y, x + 1, y + 1}, &c, 1);
        return c;
    }
    static std::uint8_t Screen_Index(int x, int y) {
        const IDirectDrawSurface* s = Display_Primary();
        return s->Bits()[static_cast<std::size_t>(y) * s->Pitch() + x];
    }
    // Beside the test program, for review.
    static std::filesystem::path Shots() {
        const std::filesystem::path dir =
            std::filesystem::canonical("/proc/self/exe").parent_path() / "test_worldmap-shots";
        std::filesystem::create_directories(dir);
        return dir;
    }

    CWorldMapApp app;
    bool ended = false;
};
