// What the designer types into the editors' dialogs: whole numbers checked
// against their ranges, with the standard messages a dialog shows before it
// stays open, and names cut to their fields.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// A value the dialog could not take: the control to go back to and the
// message to show.
struct field_fault {
    int control;
    std::string message;
    bool operator==(const field_fault&) const = default;
};

// The standard messages.
constexpr const char* TEXT_ENTER_INTEGER = "Please enter an integer.";
// "Please enter an integer between min and max."
std::string Range_Message(std::int64_t min, std::int64_t max);

// The whole number in text (spaces around it and a sign allowed); nothing
// for anything else, an empty text included.
std::optional<std::int64_t> Parse_Whole_Number(const std::string& text);

// Takes the number typed into control: a fault when it is no number or lies
// outside min..max, else the value in out.
std::optional<field_fault> Take_Number(const std::string& text, int control, std::int64_t min, std::int64_t max,
                                       std::int32_t& out);

// One entry of a form: the number in text, within min..max, into out.
struct entry_check {
    const std::string* text;
    int control;
    std::int64_t min, max;
    std::int32_t* out;
};
// Takes every entry in order; the first fault, with nothing after it taken.
std::optional<field_fault> Take_Numbers(std::span<const entry_check> checks);

// The name as a record keeps it: at most size - 1 characters and a
// terminator, the rest of the field zeroed.
void Put_Name(char* field, std::size_t size, const std::string& name);
template <std::size_t N>
void Put_Name(char (&field)[N], const std::string& name) {
    Put_Name(field, N, name);
}
// The name a field holds (up to its terminator or its end).
std::string Name_Of(const char* field, std::size_t size);
template <std::size_t N>
std::string Name_Of(const char (&field)[N]) {
    return Name_Of(field, N);
}
