// The editor driver's script (EditorDriver.cpp) and the steps of the
// editor's parts that it runs, each in a file of its own, on the drivers'
// shared steps, finders and input (DriverSteps.h).
#pragma once
#include <cstdint>
#include <vector>

#include "tests/gui/editor/DriverSteps.h"

namespace driver {
// The first fixitem on the shown level whose picture is the door's.
std::uint16_t Find_Door();
}  // namespace driver

// The character editor's and the items dialog's steps, with the editor open.
void Add_Char_Editor_Steps(std::vector<driver::step>& steps);
// The type editors' steps (the modifier page, the item and fixitem editors
// and the fixitem selection), after the editor was closed.
void Add_Type_Editor_Steps(std::vector<driver::step>& steps);
