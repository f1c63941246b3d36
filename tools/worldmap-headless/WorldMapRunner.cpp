// worldmap-headless DIR SCRIPT OUTDIR
//
// Starts the world map program in the working folder DIR on the headless
// backend, the mouse in the middle of the screen, and plays SCRIPT, one
// command a line ('#' starts a comment):
//
//   move X Y      the mouse moves to (X, Y)
//   click X Y     a left click at (X, Y) (a move there first)
//   key VK        a key goes down and up again (virtual key code)
//   pass N        N passes of the main loop
//   tick N        N ticks of 100 ms on the runner's clock (a poll of the
//                 music thread every fifth), the sound mixed as it plays
//   path X Y      searches a route from the player's cell to cell (X, Y)
//                 and prints "path FOUND STEPS COST"
//   state         prints "state player X Y scroll X Y walking W steps N",
//                 N the steps of the walk still ahead
//   shot NAME     writes the screen as OUTDIR/NAME.png
//   wav NAME      writes the sound mixed since the last wav (or the start)
//                 as OUTDIR/NAME.wav
//   close         closes the window as the system would
//
// The program's two worker threads do not run: their steps run on the
// runner's clock, and the sound goes to the manual driver. Every message box
// is printed as "box [CAPTION] TEXT". When the script ends the window is
// closed. Exit status: the program's own (0 after a
// normal end, 1 after a failure), 2 for a bad command line or script.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/DDraw.h"
#include "platform/DSound.h"
#include "platform/PathResolver.h"
#include "platform/headless/HeadlessBackend.h"
#include "tools/writers/PngWriter.h"
#include "tools/writers/WavWriter.h"
#include "worldmap/MainMap.h"
#include "worldmap/Sound.h"
#include "worldmap/TerrainPath.h"
#include "worldmap/Threads.h"
#include "worldmap/WorldMap.h"
#include "worldmap/WorldMapApp.h"
#include "worldmap/WorldMapResources.h"

namespace {

namespace fs = std::filesystem;

class Runner {
  public:
    explicit Runner(fs::path out) : out_(std::move(out)) {}

    bool Running() const { return running_; }

    void Start() {
        HeadlessBackend& b = Headless_Backend();
        b.answer = [](const MessageBoxCall& box) {
            std::cout << "box [" << box.caption << "] " << box.text << std::endl;
            return IDOK;
        };
        b.cursor_pos = {SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2};
        Use_Own_Clock(false);
        Sound_Options().manual = true;
        app_.InitInstance();
        Pump();
    }

    bool Run(const std::string& line) {
        std::istringstream in(line);
        std::string command;
        if (!(in >> command) || command[0] == '#') return true;
        long a = 0, b = 0;
        if (command == "move" && in >> a >> b) {
            Move(static_cast<int>(a), static_cast<int>(b));
        } else if (command == "click" && in >> a >> b) {
            Move(static_cast<int>(a), static_cast<int>(b));
            Post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a, b));
            Post(WM_LBUTTONUP, 0, MAKELPARAM(a, b));
        } else if (command == "key" && in >> a) {
            Post(WM_KEYDOWN, static_cast<WPARAM>(a), 0);
            Post(WM_KEYUP, static_cast<WPARAM>(a), 0);
        } else if (command == "pass" && in >> a) {
            for (long i = 0; i < a && running_; ++i) Pass();
        } else if (command == "tick" && in >> a) {
            for (long i = 0; i < a && running_; ++i) Tick_Once();
        } else if (command == "wav" && in >> command) {
            Write_Wav(out_ / (command + ".wav"), SOUND_OUTPUT_RATE, SOUND_OUTPUT_CHANNELS, sound_);
            sound_.clear();
        } else if (command == "path" && in >> a >> b) {
            const int found = Find_Path(player_x / 2, player_y / 2, static_cast<int>(a), static_cast<int>(b));
            std::cout << "path " << found << " " << path_len << " " << Route_Cost(player_x / 2, player_y / 2)
                      << std::endl;
        } else if (command == "state") {
            std::cout << "state player " << player_x << " " << player_y << " scroll " << scroll_x << " " << scroll_y
                      << " walking " << walking << " steps " << walk_len << std::endl;
        } else if (command == "shot" && in >> command) {
            Shot(command);
        } else if (command == "close") {
            Post(WM_CLOSE, 0, 0);
        } else {
            return false;
        }
        return true;
    }

    void Finish() {
        if (running_ && main_window != nullptr) Post(WM_CLOSE, 0, 0);
        Pump();
    }

    int Exit_Status() { return app_.ExitInstance(); }

  private:
    void Pump() {
        if (running_ && !Headless_Backend().Pump()) running_ = false;
    }

    void Pass() {
        if (running_) app_.OnIdle(0);
        Pump();
    }

    void Post(UINT message, WPARAM wParam, LPARAM lParam) {
        if (!running_ || main_window == nullptr) return;
        PostMessageA(main_window, message, wParam, lParam);
        Pump();
    }

    // A tick of the program, 100 ms of sound, and every fifth tick a poll of
    // the music.
    void Tick_Once() {
        Tick();
        std::vector<std::int16_t> mixed(static_cast<std::size_t>(TICK_FRAMES) * SOUND_OUTPUT_CHANNELS);
        Mix_Sound_Output(mixed.data(), TICK_FRAMES);
        sound_.insert(sound_.end(), mixed.begin(), mixed.end());
        if (++ticks_ % TICKS_PER_POLL == 0) Music_Poll();
        Pump();
    }

    void Move(int x, int y) {
        Headless_Backend().cursor_pos = {x, y};
        Post(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }

    void Shot(const std::string& name) {
        const IDirectDrawSurface* screen = Display_Primary();
        if (screen == nullptr) {
            std::cerr << "worldmap-headless: no screen for shot " << name << "\n";
            return;
        }
        std::vector<std::uint32_t> rgb(static_cast<std::size_t>(screen->Width()) * screen->Height());
        screen->Read_RGB({0, 0, screen->Width(), screen->Height()}, rgb.data(), screen->Width());
        std::vector<Rgb> pixels;
        pixels.reserve(rgb.size());
        for (std::uint32_t c : rgb)
            pixels.push_back(
                {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)});
        Write_Png(out_ / (name + ".png"), screen->Width(), screen->Height(), pixels);
    }

    static constexpr int TICK_FRAMES = SOUND_OUTPUT_RATE * static_cast<int>(TICK_MS) / 1000;
    static constexpr int TICKS_PER_POLL = static_cast<int>(MUSIC_POLL_MS / TICK_MS);

    fs::path out_;
    CWorldMapApp app_;
    bool running_ = true;
    long ticks_ = 0;
    std::vector<std::int16_t> sound_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: worldmap-headless DIR SCRIPT OUTDIR\n";
        return 2;
    }
    const fs::path folder = argv[1];
    std::ifstream script(argv[2]);
    if (!fs::is_directory(folder) || !script) {
        std::cerr << "worldmap-headless: cannot open " << (script ? argv[1] : argv[2]) << "\n";
        return 2;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(script, line);) lines.push_back(line);
    std::error_code ec;
    fs::create_directories(argv[3], ec);

    Set_Working_Folder(folder);
    Register_World_Map_Resources();
    Runner runner(argv[3]);
    runner.Start();
    for (std::size_t i = 0; i < lines.size() && runner.Running(); ++i) {
        if (!runner.Run(lines[i])) {
            std::cerr << "worldmap-headless: " << argv[2] << ":" << i + 1 << ": cannot run \"" << lines[i] << "\"\n";
            runner.Finish();
            return 2;
        }
    }
    runner.Finish();
    return runner.Exit_Status();
}
