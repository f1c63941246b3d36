// Keeps every message handed to the message log, for tests.
#pragma once
#include <string>
#include <vector>

#include "platform/Win32Types.h"

struct LoggedMessage {
    COLORREF colour;
    std::string text;
};

// The messages since the last clear (the spy listens from the first call).
const std::vector<LoggedMessage>& Logged_Messages();
void Clear_Logged_Messages();
