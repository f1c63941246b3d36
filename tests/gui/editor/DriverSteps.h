// What the editor's window drivers share: the game program on the wx
// backend, driven from inside by a script of steps. Each step acts as the
// designer would (a key, a click on a control found by its id in its
// dialog, a click on a map field), waits until the program shows the
// result, checks it in the program's state and keeps a screenshot. A
// driver runs in a copy of artgen's folder:
//   DRIVER FOLDER ARTGEN_FOLDER SHOTS_FOLDER
// and exits with 0 when every step passed, else 1 (what failed is on
// standard error).
#pragma once
#include <wx/gdicmn.h>
#include <wx/uiaction.h>

#undef TRUE
#undef FALSE

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/Win32Types.h"

class wxDialog;
class wxWindow;

namespace driver {

// artgen's folder, and where the screenshots go.
extern std::filesystem::path original_folder;
extern std::filesystem::path shots_folder;
// The screenshots' names begin with it (then the step's number and name).
extern std::string shot_prefix;

// Reports a failed check (the script goes on).
void Fail(const std::string& what);
std::string File_Bytes(const std::filesystem::path& path);

// A result shown only once it has held for a few checks: the window's
// picture follows the program's state a moment later (after a dialog
// closes, say).
std::function<bool()> Steady(std::function<bool()> shown);

// ---- Finding things ----
// The control id within dialog id (the two editor dialogs' ids overlap).
wxWindow* Control(int dialog, int id);
// The control id within a dialog window; none without one.
wxWindow* Control_In(wxWindow* dialog, int id);
// The editor dialog's status line.
std::string Status_Text();
// The screen point of a picture pixel.
wxPoint Picture_Point(int x, int y);
// The anchor of a field of the shown level in the picture: the pixel that
// picks it.
POINT Field_Anchor(std::uint16_t field);
bool Well_In_View(std::uint16_t field);
// A field with a floor and nothing on it, in view, some way from two others.
std::uint16_t Find_Free_Field(std::uint16_t not_near_a, std::uint16_t not_near_b);
// The modal dialog of that title that is open, or none.
wxDialog* Modal_Dialog(const char* title);
// Whether a window of that title shows on the X display (a message box or
// a file dialog of the system's toolkit, which wx does not list).
bool Shown_Window(const std::string& title);
// The map as the map file would hold it passes the loader's checks.
bool Map_Checks_Pass(const char* when);
// The five database files as the tables would be saved.
std::string Tables_Now();

// ---- Input ----
wxUIActionSimulator& Input();
void Click_At(const wxPoint& at, int button = wxMOUSE_BTN_LEFT);
void Click_Control(int dialog, int id);
void Click_Field(std::uint16_t field, int button = wxMOUSE_BTN_LEFT);
// Clicks the row of the field object tree that lists object index of kind
// (2 character, 3 item, 5 fixitem); false, with a failure naming what, when
// the tree shows no such row.
bool Click_Field_Entry(int kind, std::uint32_t index, const std::string& what, int button = wxMOUSE_BTN_LEFT);
void Press(int key);
void Move_Pointer(const wxPoint& at);
void Click_Window(wxWindow* w);
// Replaces the text of an entry by typing.
void Type_Into(wxWindow* entry, const std::string& text);
// The pointer over the middle of the window of that title on the display
// (keys go to the window under it), then a key or text.
void Press_In(const std::string& title, int key, int modifiers = 0);
void Type_In(const std::string& title, const std::string& text);

// ---- The script ----
struct step {
    std::string name;
    std::function<void()> act;
    // True once the program shows the result (checked every 100 ms).
    std::function<bool()> shown;
    // Checked once it shows; reports its own failures.
    std::function<void()> check;
};

// The driver's main: the game with the editor installed, the script run
// once the game is up; the exit status.
int Run_Driver(int argc, char** argv, std::vector<step> (*script)());

}  // namespace driver
