#include "frontend/ScreenStandIns.h"

std::uint32_t editor_busy = 0;
std::uint32_t test_play = 0;

void Enter_Editor(std::uint32_t, int) {}
void Editor_Place_Object(std::uint32_t, int) {}
void Editor_Preview_Click(std::uint32_t, int) {}
void Editor_Window_Moved() {}
