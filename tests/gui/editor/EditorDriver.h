// What the editor driver's steps share: the script's step, finding
// controls by their ids and things on the map, the designer's input through
// wxUIActionSimulator, and the report of failures. The steps of each part of
// the editor add themselves to the script.
#pragma once
#include <wx/dialog.h>
#include <wx/uiaction.h>
#include <wx/window.h>

#undef TRUE
#undef FALSE

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/Win32Types.h"

namespace editor_driver {

namespace fs = std::filesystem;

// A step acts as the designer would, waits until the program shows the
// result and checks it; a screenshot is kept of each.
struct step {
    std::string name;
    std::function<void()> act;
    // True once the program shows the result (checked every 100 ms).
    std::function<bool()> shown;
    // Checked once it shows; reports its own failures.
    std::function<void()> check;
};

// artgen's folder, as the copy the program runs in started.
extern fs::path original_folder;

void Fail(const std::string& what);
std::string File_Bytes(const fs::path& path);

// The control of that id in the dialog (a window found by its id), or none.
wxWindow* Control(int dialog, int id);
std::string Status_Text();
// The modal dialog of that title that is open, or none.
wxDialog* Modal_Dialog(const char* title);

// The anchor of a field of the shown level in the picture, and whether it
// lies well inside the map view.
POINT Field_Anchor(std::uint16_t field);
bool Well_In_View(std::uint16_t field);
// The first fixitem on the shown level whose picture is the door's.
std::uint16_t Find_Door();
// A field with a floor and nothing on it, in view, some way from the two
// fields given (NO_FIELD for none).
std::uint16_t Find_Free_Field(std::uint16_t not_near_a, std::uint16_t not_near_b);
// The map as the map file would hold it passes the loader's checks.
bool Map_Checks_Pass(const char* when);

wxUIActionSimulator& Input();
void Click_At(const wxPoint& at, int button = wxMOUSE_BTN_LEFT);
void Click_Control(int dialog, int id);
void Click_Field(std::uint16_t field, int button = wxMOUSE_BTN_LEFT);
void Press(int key);

}  // namespace editor_driver

// The type editors' steps (the modifier page, the item and fixitem editors
// and the fixitem selection), after the editor was closed.
void Add_Type_Editor_Steps(std::vector<editor_driver::step>& steps);
// The character editor's and the items dialog's steps, with the editor open.
void Add_Char_Editor_Steps(std::vector<editor_driver::step>& steps);
