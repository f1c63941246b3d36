#include "editor/NumberEntry.h"

#include <charconv>

std::string Range_Message(std::int64_t min, std::int64_t max) {
    return "Please enter an integer between " + std::to_string(min) + " and " + std::to_string(max) + ".";
}

std::optional<std::int64_t> Parse_Whole_Number(std::string_view text) {
    const auto space = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && space(text.front())) text.remove_prefix(1);
    while (!text.empty() && space(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

number_entry Read_Number(std::string_view text, std::int64_t min, std::int64_t max) {
    const std::optional<std::int64_t> value = Parse_Whole_Number(text);
    if (!value) return {0, TEXT_ENTER_INTEGER};
    if (*value < min || *value > max) return {*value, Range_Message(min, max)};
    return {*value, {}};
}
