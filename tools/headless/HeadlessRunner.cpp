// orvex-headless DIR SCRIPT OUTDIR
//
// Starts the game in the working folder DIR on the headless backend, the
// mouse in the middle of the screen, and plays SCRIPT, one command a line ('#' starts a comment):
//
//   tick N        N game ticks, each followed by one idle pass
//   idle N        N idle passes
//   move X Y      the mouse moves to (X, Y), then one idle pass
//   click X Y     a left click at (X, Y) (a move there first)
//   rclick X Y    a right click at (X, Y)
//   clickfield X Y  a left click on the middle of map field (X, Y) of the
//                 shown level; when the view does not show it, the view is
//                 first scrolled there with Ctrl and the arrow keys
//   clickchar NAME  the same on the field of the character called NAME (the
//                 first word of its name); a field the view cannot be
//                 scrolled to is an error of the script
//   key VK        a key goes down (virtual key code); keyup VK lets it go
//   shot NAME     writes the screen as OUTDIR/NAME.png
//   answer BUTTON answers the message boxes from now on with BUTTON: first
//                 (the first button, as at start), yes, no, ok or cancel
//   chars         prints a header line "chars INDEX X Y LEVEL HP NAME", then
//                 every character as "char INDEX X Y LEVEL HP NAME"
//   items NAME    prints every slot of the character called NAME that holds
//                 an item as "slot SLOT ITEM TYPENAME" (backpack items at
//                 their top-left cell)
//   screen        prints the current screen as "screen SCREENTYPE"
//   seed N        seeds the random numbers with N (the start-up seeds them
//                 from the clock), so that a script plays the same each run
//   startmap      starts the map of the chunked map file
//                 "artwork//maps//aa.bin" in the working folder (Start_Map)
//   close         closes the window as the system would
//
// Every message box is printed to standard output as "box [CAPTION] TEXT",
// every message the log is given as "log TEXT" (blank ones are not). When the script ends
// the window is closed. Exit status: 0 when the script ran and the game ended
// normally; 1 when the game could not start (no folder DIR, or its map or
// item database could not be loaded: the script still runs on the empty
// map), an error ended the game or a shot could not be written; 2 for a bad
// command line or script. Each failure is told on standard error.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "System/Display.h"
#include "System/MessageLog.h"
#include "System/Random.h"
#include "System/ScreenType.h"
#include "datafiles/MapFile.h"
#include "frontend/App.h"
#include "frontend/ImportedMapStart.h"
#include "frontend/MapView.h"
#include "platform/PathResolver.h"
#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessBackend.h"
#include "tools/writers/PngWriter.h"

namespace {

namespace fs = std::filesystem;

class Runner {
  public:
    explicit Runner(fs::path out) : out_(std::move(out)) {}

    // False once the game has quit.
    bool Running() const { return running_; }

    void Start() {
        HeadlessBackend& b = Headless_Backend();
        b.answer = [this](const MessageBoxCall& box) {
            std::cout << "box [" << box.caption << "] " << box.text << std::endl;
            if (answer_ != 0) return answer_;
            return (box.Buttons() == MB_YESNO || box.Buttons() == MB_YESNOCANCEL) ? IDYES : IDOK;
        };
        // The blank lines a new log starts with are not printed.
        Set_Log_Listener([](COLORREF, const char* text) {
            if (std::string(text).find_first_not_of(' ') != std::string::npos) std::cout << "log " << text << std::endl;
        });
        // The mouse starts in the middle of the screen, away from the edges
        // that scroll the view.
        b.cursor_pos = {SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2};
        if (!theApp.InitInstance()) running_ = false;
        Pump();
        started_on_map_ = running_ && map_loaded != 0;
    }

    // Runs one script line; the reason it cannot ("" when it ran).
    std::string Run(const std::string& line) {
        std::istringstream in(line);
        std::string command;
        if (!(in >> command) || command[0] == '#') return {};
        long a = 0, b = 0;
        if (command == "tick" && in >> a) {
            for (long i = 0; i < a && running_; ++i) {
                Headless_Backend().Post_Timer_Ticks();
                Pump();
                Idle();
            }
        } else if (command == "idle" && in >> a) {
            for (long i = 0; i < a && running_; ++i) Idle();
        } else if (command == "move" && in >> a >> b) {
            Move(static_cast<int>(a), static_cast<int>(b));
        } else if ((command == "click" || command == "rclick") && in >> a >> b) {
            const bool left = command == "click";
            Move(static_cast<int>(a), static_cast<int>(b));
            const UINT button = left ? MK_LBUTTON : MK_RBUTTON;
            Post(left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, Mouse_Flags() | button, MAKELPARAM(a, b));
            Post(left ? WM_LBUTTONUP : WM_RBUTTONUP, Mouse_Flags(), MAKELPARAM(a, b));
            Idle();
        } else if (command == "clickfield" && in >> a >> b) {
            return Click_Field(static_cast<int>(a), static_cast<int>(b));
        } else if (command == "clickchar" && in >> command) {
            const std::uint16_t c = Char_Named(command);
            if (c == NO_INDEX) return No_Such_Char(command);
            return Click_Field(chararray.records[c].x, chararray.records[c].y);
        } else if (command == "key" && in >> a) {
            held_.insert(static_cast<UINT>(a));
            Post(WM_KEYDOWN, static_cast<WPARAM>(a), 0);
            Idle();
        } else if (command == "keyup" && in >> a) {
            held_.erase(static_cast<UINT>(a));
            Post(WM_KEYUP, static_cast<WPARAM>(a), 0);
            Idle();
        } else if (command == "shot" && in >> command) {
            Shot(command);
        } else if (command == "answer" && in >> command) {
            if (!Set_Answer(command)) return "no button called " + command + " (first, yes, no, ok or cancel)";
        } else if (command == "seed" && in >> a) {
            Seed_Random(static_cast<unsigned>(a));
        } else if (command == "chars") {
            Print_Chars();
        } else if (command == "items" && in >> command) {
            const std::uint16_t c = Char_Named(command);
            if (c == NO_INDEX) return No_Such_Char(command);
            Print_Items(c);
        } else if (command == "screen") {
            std::cout << "screen " << ScreenType << std::endl;
        } else if (command == "startmap") {
            Start_Map();
            Pump();
        } else if (command == "close") {
            Post(WM_CLOSE, 0, 0);
        } else {
            return "not a command, or a number is missing";
        }
        return {};
    }

    // Whether the game came up on its map: a start-up that could not load
    // its map goes on on the empty map, but it is no game of that map.
    bool Started_On_Map() const { return started_on_map_; }
    // The shot that could not be written ("" when every one was).
    const std::string& Shot_Fault() const { return shot_fault_; }

    // Closes the window if the script left it open.
    void Finish() {
        if (running_ && Get_Main_Window() != nullptr) Post(WM_CLOSE, 0, 0);
    }

  private:
    void Pump() {
        if (running_ && !Headless_Backend().Pump()) running_ = false;
    }

    void Idle() {
        if (running_) theApp.OnIdle(0);
        Pump();
    }

    void Post(UINT message, WPARAM wParam, LPARAM lParam) {
        if (!running_) return;
        PostMessageA(Get_Main_Window(), message, wParam, lParam);
        Pump();
    }

    WPARAM Mouse_Flags() const {
        WPARAM flags = 0;
        if (held_.contains(VK_CONTROL)) flags |= MK_CONTROL;
        if (held_.contains(VK_SHIFT)) flags |= MK_SHIFT;
        return flags;
    }

    void Move(int x, int y) {
        Headless_Backend().cursor_pos = {x, y};
        Post(WM_MOUSEMOVE, Mouse_Flags(), MAKELPARAM(x, y));
        Idle();
    }

    // Where the view shows the middle of field (x, y) of the shown level.
    static POINT Field_Point(int x, int y) {
        return {x * MAP_FIELD_WIDTH + y * MAP_ROW_STEP - scroll_x + map_view.left,
                y * MAP_ROW_STEP - scroll_y + map_view.top - FIELD_MIDDLE};
    }

    // The arrow keys that move the view toward the point, none when it lies
    // well inside the view.
    static std::set<UINT> Keys_Toward(POINT p) {
        std::set<UINT> keys;
        if (p.x < map_view.left + VIEW_MARGIN) keys.insert(VK_LEFT);
        if (p.x >= map_view.right - VIEW_MARGIN) keys.insert(VK_RIGHT);
        if (p.y < map_view.top + VIEW_MARGIN) keys.insert(VK_UP);
        if (p.y >= map_view.bottom - VIEW_MARGIN) keys.insert(VK_DOWN);
        return keys;
    }

    // Scrolls the view with Ctrl and the arrow keys, as a player does, until
    // it shows field (x, y); false when the view stops before it does.
    bool Scroll_To_Field(int x, int y) {
        std::set<UINT> down;
        bool moved = true;
        for (int pass = 0; pass < MAX_SCROLL_PASSES && moved; ++pass) {
            const std::set<UINT> keys = Keys_Toward(Field_Point(x, y));
            if (keys.empty()) break;
            if (down.empty()) Post(WM_KEYDOWN, VK_CONTROL, 0);
            for (UINT k : down)
                if (!keys.contains(k)) Post(WM_KEYUP, k, 0);
            for (UINT k : keys)
                if (!down.contains(k)) Post(WM_KEYDOWN, k, 0);
            down = keys;
            const std::int32_t sx = scroll_x, sy = scroll_y;
            Idle();
            moved = sx != scroll_x || sy != scroll_y;
        }
        for (UINT k : down) Post(WM_KEYUP, k, 0);
        if (!down.empty()) Post(WM_KEYUP, VK_CONTROL, 0);
        Idle();
        return Keys_Toward(Field_Point(x, y)).empty();
    }

    // A left click on the middle of field (x, y) of the shown level; the
    // reason when the view cannot show it.
    std::string Click_Field(int x, int y) {
        const std::string field = "field (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        if (x < 0 || y < 0 || x >= static_cast<int>(map_width) || y >= static_cast<int>(map_height))
            return field + " is not on the " + std::to_string(map_width) + " x " + std::to_string(map_height) + " map";
        if (!Scroll_To_Field(x, y)) return "the view cannot be scrolled to show " + field;
        const POINT p = Field_Point(x, y);
        return Run("click " + std::to_string(p.x) + " " + std::to_string(p.y));
    }

    // Why a name names no character, and which names there are.
    static std::string No_Such_Char(const std::string& word) {
        std::string names;
        for (std::uint16_t c = 0; c < chararray.Capacity(); ++c) {
            if (!Char_In_Use(c)) continue;
            names += names.empty() ? "" : ", ";
            names += Char_Name(chararray.records[c]);
        }
        return "no character is called " + word + "; " +
               (names.empty() ? std::string("the map has no characters") : "the characters are: " + names);
    }

    // The character whose name begins with the word; NO_INDEX when none.
    static std::uint16_t Char_Named(const std::string& word) {
        for (std::uint16_t c = 0; c < chararray.Capacity(); ++c) {
            if (!Char_In_Use(c)) continue;
            const std::string name = Char_Name(chararray.records[c]);
            if (name == word || name.rfind(word + " ", 0) == 0) return c;
        }
        return NO_INDEX;
    }

    // "first" goes back to the first button.
    bool Set_Answer(const std::string& button) {
        static const std::pair<const char*, int> buttons[] = {
            {"first", 0}, {"yes", IDYES}, {"no", IDNO}, {"ok", IDOK}, {"cancel", IDCANCEL}};
        for (const auto& [name, id] : buttons)
            if (button == name) {
                answer_ = id;
                return true;
            }
        return false;
    }

    static void Print_Chars() {
        std::cout << "chars INDEX X Y LEVEL HP NAME" << std::endl;
        for (std::uint16_t c = 0; c < chararray.Capacity(); ++c) {
            if (!Char_In_Use(c)) continue;
            const char_record& r = chararray.records[c];
            std::cout << "char " << c << " " << r.x << " " << r.y << " " << r.map_level << " " << r.hp << " "
                      << Char_Name(r) << std::endl;
        }
    }

    static void Print_Items(std::uint16_t c) {
        const char_record& r = chararray.records[c];
        for (int s = 0; s < CHAR_SLOTS; ++s) {
            if (r.slots[s] <= 0) continue;
            const item_type* t = Item_Type_Of(static_cast<std::uint16_t>(r.slots[s]));
            const std::string name = t != nullptr ? std::string(t->name, strnlen(t->name, sizeof t->name)) : "?";
            std::cout << "slot " << s << " " << r.slots[s] << " " << name << std::endl;
        }
    }

    void Shot(const std::string& name) {
        const IDirectDrawSurface* screen = Display_Primary();
        if (screen == nullptr) {
            std::cerr << "orvex-headless: no screen for shot " << name << "\n";
            return;
        }
        std::vector<std::uint32_t> rgb(static_cast<std::size_t>(screen->Width()) * screen->Height());
        screen->Read_RGB({0, 0, screen->Width(), screen->Height()}, rgb.data(), screen->Width());
        std::vector<Rgb> pixels;
        pixels.reserve(rgb.size());
        for (std::uint32_t c : rgb)
            pixels.push_back(
                {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)});
        file_fault fault;
        if (!Write_Png(out_ / (name + ".png"), screen->Width(), screen->Height(), pixels, &fault) &&
            shot_fault_.empty())
            shot_fault_ = fault.Text();
    }

    fs::path out_;
    bool running_ = true;
    bool started_on_map_ = false;
    std::string shot_fault_;
    // A field's hexagon is centred this far above its anchor.
    static constexpr int FIELD_MIDDLE = 4;
    // A field to be clicked lies at least this far inside the view.
    static constexpr int VIEW_MARGIN = 30;
    static constexpr int MAX_SCROLL_PASSES = 1000;

    std::set<UINT> held_;
    int answer_ = 0;  // 0: the first button
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: orvex-headless DIR SCRIPT OUTDIR\n";
        return 2;
    }
    const fs::path folder = argv[1];
    std::ifstream script(argv[2]);
    if (!script) {
        std::cerr << "orvex-headless: cannot read the script " << argv[2] << ": " << std::strerror(errno) << "\n";
        return 2;
    }
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        std::cerr << "orvex-headless: the game cannot start: " << argv[1] << " is not a folder\n";
        return 1;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(script, line);) lines.push_back(line);
    fs::create_directories(argv[3], ec);

    Set_Working_Folder(folder);
    Runner runner(argv[3]);
    runner.Start();
    for (std::size_t i = 0; i < lines.size() && runner.Running(); ++i) {
        const std::string fault = runner.Run(lines[i]);
        if (!fault.empty()) {
            std::cerr << "orvex-headless: " << argv[2] << ":" << i + 1 << ": cannot run \"" << lines[i]
                      << "\": " << fault << "\n";
            runner.Finish();
            return 2;
        }
        if (!runner.Shot_Fault().empty()) {
            std::cerr << "orvex-headless: " << argv[2] << ":" << i + 1 << ": cannot write the shot "
                      << runner.Shot_Fault() << "\n";
            runner.Finish();
            return 1;
        }
    }
    runner.Finish();
    const int status = Program_Exit_Status(theApp.ExitInstance());
    if (status == 0 && !runner.Started_On_Map()) {
        std::cerr << "orvex-headless: the game did not start on its map\n";
        return 1;
    }
    return status;
}
