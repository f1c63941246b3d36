// Whole numbers typed into the editor's dialogs: a text is read whole (a
// sign, digits, spaces around them) and checked against the range its
// record field can hold; a failure gives the dialog's standard message and
// keeps the dialog open.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The standard messages.
constexpr const char* TEXT_ENTER_INTEGER = "Please enter an integer.";
// "Please enter an integer between min and max."
std::string Range_Message(std::int64_t min, std::int64_t max);

// The number a text holds, nothing when it holds anything else (or no
// digits, or a number beyond 64 bits).
std::optional<std::int64_t> Parse_Whole_Number(std::string_view text);

// A text read against min..max: the number, or the message to show.
struct number_entry {
    std::int64_t value = 0;
    std::string fault;  // empty when the value is good
};
number_entry Read_Number(std::string_view text, std::int64_t min, std::int64_t max);
