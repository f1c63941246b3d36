#include "editor/DialogEntries.h"

#include <cctype>
#include <cstring>
#include <limits>

std::string Range_Message(std::int64_t min, std::int64_t max) {
    return "Please enter an integer between " + std::to_string(min) + " and " + std::to_string(max) + ".";
}

std::optional<std::int64_t> Parse_Whole_Number(const std::string& text) {
    std::size_t at = 0;
    const std::size_t end = text.size();
    while (at < end && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    bool negative = false;
    if (at < end && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    const std::size_t digits_from = at;
    // Far beyond any field, but within the type: longer numbers are out of
    // every range anyway.
    constexpr std::int64_t CEILING = std::numeric_limits<std::int64_t>::max() / 10 - 9;
    std::int64_t value = 0;
    for (; at < end && std::isdigit(static_cast<unsigned char>(text[at])); ++at)
        if (value < CEILING) value = value * 10 + (text[at] - '0');
    if (at == digits_from) return std::nullopt;
    while (at < end && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    if (at != end) return std::nullopt;
    return negative ? -value : value;
}

std::optional<field_fault> Take_Number(const std::string& text, int control, std::int64_t min, std::int64_t max,
                                       std::int32_t& out) {
    const std::optional<std::int64_t> value = Parse_Whole_Number(text);
    if (!value) return field_fault{control, TEXT_ENTER_INTEGER};
    if (*value < min || *value > max) return field_fault{control, Range_Message(min, max)};
    out = static_cast<std::int32_t>(*value);
    return std::nullopt;
}

void Put_Name(char* field, std::size_t size, const std::string& name) {
    if (size == 0) return;
    std::memset(field, 0, size);
    std::memcpy(field, name.data(), std::min(name.size(), size - 1));
}

std::string Name_Of(const char* field, std::size_t size) { return std::string(field, strnlen(field, size)); }

std::optional<field_fault> Take_Numbers(std::span<const entry_check> checks) {
    for (const entry_check& c : checks)
        if (auto fault = Take_Number(*c.text, c.control, c.min, c.max, *c.out)) return fault;
    return std::nullopt;
}
