// The range check of the editor's dialogs: a number taken from a control
// that lies outside its range, or a text that is no number, keeps the
// dialog open with the standard message in a box.
#pragma once
#include <cstdint>
#include <string>

constexpr const char* TEXT_ENTER_AN_INTEGER = "Please enter an integer.";

// "Please enter an integer between LOW and HIGH."
std::string Range_Message(std::int32_t low, std::int32_t high);

// The integer the text holds (spaces around it allowed) when it lies in
// low..high; otherwise the message box tells the designer what to enter,
// and false.
bool Take_Int_In_Range(const std::string& text, std::int32_t low, std::int32_t high, std::int32_t& value);
