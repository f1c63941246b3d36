// A world map program on the headless backend with its own resources and
// sound files: a fresh platform layer and program state for each test, the
// application started and its messages pumped by hand, its two workers'
// steps run on the test's clock and its sound mixed by the manual driver.
#pragma once
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/DDraw.h"
#include "platform/DSound.h"
#include "platform/Gdi.h"
#include "platform/PathResolver.h"
#include "platform/Resources.h"
#include "platform/WindowClass.h"
#include "platform/headless/HeadlessBackend.h"
#include "tools/artgen/worldmap/WorldSounds.h"
#include "tools/writers/PngWriter.h"
#include "worldmap/MainMap.h"
#include "worldmap/Sound.h"
#include "worldmap/TerrainPath.h"
#include "worldmap/Threads.h"
#include "worldmap/WorldMap.h"
#include "worldmap/WorldMapApp.h"
#include "worldmap/WorldMapResources.h"

// A bitmap resource of the program, loaded for comparing with the screen.
struct resource_picture {
    explicit resource_picture(const char* name)
        : bitmap(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, 0))) {
        GetObjectA(bitmap, sizeof info, &info);
    }
    ~resource_picture() { DeleteObject(bitmap); }
    resource_picture(const resource_picture&) = delete;
    resource_picture& operator=(const resource_picture&) = delete;
    std::uint8_t At(int x, int y) const {
        return static_cast<const std::uint8_t*>(info.bmBits)[static_cast<std::size_t>(y) * info.bmWidthBytes + x];
    }
    HBITMAP bitmap;
    BITMAP info{};
};

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
        Use_Own_Clock(false);
        Sound_Options() = SoundOptions{};
        Sound_Options().manual = true;
        Set_Working_Folder(Sound_Folder());
    }
    // A folder with the generated sound files, made once.
    static const std::filesystem::path& Sound_Folder() {
        static const std::filesystem::path folder = [] {
            const std::filesystem::path dir =
                std::filesystem::temp_directory_path() / ("worldmap-sounds-" + std::to_string(::getpid()));
            std::string error;
            EXPECT_TRUE(art::worldmap::Write_Sounds(dir, error)) << error;
            std::atexit([] { std::filesystem::remove_all(Sound_Folder()); });
            return dir;
        }();
        return folder;
    }
    // The backend in use: the headless one unless a test installs its own.
    HeadlessBackend& backend() {
        HeadlessBackend* own = dynamic_cast<HeadlessBackend*>(&Window_Backend());
        return own != nullptr ? *own : Headless_Backend();
    }

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
    // Ticks of 100 ms on the test's clock: the tick, the sound of that time,
    // and every fifth tick a poll of the music.
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) {
            Tick();
            std::vector<std::int16_t> mixed(TICK_FRAMES * 2);
            Mix_Sound_Output(mixed.data(), TICK_FRAMES);
            sound.insert(sound.end(), mixed.begin(), mixed.end());
            if (++ticks % 5 == 0) Music_Poll();
        }
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
    // The screen's indexes.
    static std::vector<std::uint8_t> Screen_Indexes() {
        const IDirectDrawSurface* s = Display_Primary();
        std::vector<std::uint8_t> out;
        for (int y = 0; y < s->Height(); ++y)
            out.insert(out.end(), s->Bits() + y * s->Pitch(), s->Bits() + y * s->Pitch() + s->Width());
        return out;
    }
    // Writes the screen for review.
    static void Save_Shot(const std::string& name) {
        const IDirectDrawSurface* s = Display_Primary();
        std::vector<std::uint32_t> rgb(static_cast<std::size_t>(s->Width()) * s->Height());
        s->Read_RGB({0, 0, s->Width(), s->Height()}, rgb.data(), s->Width());
        std::vector<Rgb> pixels;
        for (std::uint32_t c : rgb)
            pixels.push_back(
                {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)});
        Write_Png(Shots() / (name + ".png"), s->Width(), s->Height(), pixels);
    }
    // Beside the test program, for review.
    static std::filesystem::path Shots() {
        const std::filesystem::path dir =
            std::filesystem::canonical("/proc/self/exe").parent_path() / "test_worldmap-shots";
        std::filesystem::create_directories(dir);
        return dir;
    }

    static constexpr std::size_t TICK_FRAMES = 4410;
    CWorldMapApp app;
    bool ended = false;
    long ticks = 0;
    std::vector<std::int16_t> sound;  // what the ticks mixed
};
