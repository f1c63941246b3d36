#include "frontend/ScreenStandIns.h"

std::uint32_t editor_busy = 0;
std::uint32_t test_play = 0;

control_row char_page_controls[] = {End_Row()};
control_row spell_page_controls[] = {End_Row()};

void Char_Page_Button(std::uint32_t, int) {}
void Spell_Page_Button(std::uint32_t, int) {}
void Enter_Editor(std::uint32_t, int) {}
void Editor_Place_Object(std::uint32_t, int) {}
void Editor_Preview_Click(std::uint32_t, int) {}
void Editor_Window_Moved() {}
