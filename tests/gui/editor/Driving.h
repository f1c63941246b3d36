// Driving the game program with its editor from inside, on the wx backend:
// a script of steps, each acting as the designer would (a key, a click on a
// control found by its id in its dialog, text typed into a control), then
// waiting until the program shows the result, checking it in the program's
// state and keeping a screenshot "NN-name.png". A driver program runs the
// game in a working folder with its script:
//   DRIVER FOLDER ARTGEN_FOLDER SHOTS_FOLDER
// and exits with 0 when every step passed, else 1 (what failed is on
// standard error).
#pragma once
#include <wx/gdicmn.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class wxDialog;
class wxWindow;
struct window_box;

namespace driving {

struct step {
    std::string name;
    std::function<void()> act;
    // True once the program shows the result (checked every 100 ms).
    std::function<bool()> shown;
    // Checked once it shows; reports its own failures.
    std::function<void()> check;
};

// The folder artgen wrote (the driver works in a copy of it).
const std::filesystem::path& Original_Folder();

// A failed check: told on standard error, counted for the exit status.
void Fail(const std::string& what);

// A result shown only once it has held for a few checks: the window's
// picture follows the program's state a moment later.
std::function<bool()> Steady(std::function<bool()> shown);

// ---- Finding things ----
// The control of that id in the window of that id (a dialog).
wxWindow* Control(int dialog, int id);
// The control of that id in a dialog.
wxWindow* Control_In(wxWindow* dialog, int id);
// The text of the editor dialog's status line.
std::string Status_Text();
// The modal wx dialog of that title that is open, or none.
wxDialog* Modal_Dialog(const char* title);
// A window of that title shown on the X display (a message box or a file
// dialog of the system's toolkit), or none.
std::optional<window_box> Shown_Window(const std::string& title);
// The map as the map file would hold it passes the loader's checks.
bool Map_Checks_Pass(const char* when);

// ---- Input ----
void Move_Pointer(const wxPoint& at);
void Click_At(const wxPoint& at);
void Click_Window(wxWindow* w);
void Click_Control(int dialog, int id);
// Replaces the text of an entry by typing.
void Type_Into(wxWindow* entry, const std::string& text);
// The pointer over the middle of a window of the display (keys go to the
// window under it), then the key.
void Press_In(const std::string& title, int key, int modifiers = 0);
void Type_In(const std::string& title, const std::string& text);
void Press(int key);

// Runs the game with the editor on the wx backend and the script; the
// program's exit status.
int Run_Driver(int argc, char** argv, std::function<std::vector<step>()> script);

}  // namespace driving
