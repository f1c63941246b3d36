#include "editor/DialogRange.h"

#include <cerrno>
#include <cstdlib>

#include "System/ErrorReport.h"
#include "platform/Window.h"

namespace {

void Tell(const std::string& text) {
    MessageBoxA(Get_Main_Window(), text.c_str(), PROGRAM_NAME, MB_OK | MB_ICONEXCLAMATION);
}

bool Is_Space(char c) { return c == ' ' || c == '\t'; }

// The whole text as one integer, spaces around it allowed.
bool Parse_Int(const std::string& text, std::int64_t& value) {
    std::size_t start = 0, end = text.size();
    while (start < end && Is_Space(text[start])) ++start;
    while (end > start && Is_Space(text[end - 1])) --end;
    if (start == end) return false;
    const std::string digits = text.substr(start, end - start);
    char* stop = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(digits.c_str(), &stop, 10);
    if (stop != digits.c_str() + digits.size() || errno == ERANGE) return false;
    value = parsed;
    return true;
}

}  // namespace

std::string Range_Message(std::int32_t low, std::int32_t high) {
    return "Please enter an integer between " + std::to_string(low) + " and " + std::to_string(high) + ".";
}

bool Take_Int_In_Range(const std::string& text, std::int32_t low, std::int32_t high, std::int32_t& value) {
    std::int64_t parsed = 0;
    if (!Parse_Int(text, parsed)) {
        Tell(TEXT_ENTER_AN_INTEGER);
        return false;
    }
    if (parsed < low || parsed > high) {
        Tell(Range_Message(low, high));
        return false;
    }
    value = static_cast<std::int32_t>(parsed);
    return true;
}
