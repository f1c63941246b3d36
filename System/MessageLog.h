// The message log on the hexamap screen: coloured lines telling the player
// what happens.
#pragma once
#include <string>
#include <vector>

#include "platform/Win32Types.h"

// Appends a message to the log.
void Log_Add_Message(COLORREF colour, const char* text);

// ---- Test section (stand-in log only) ----
// The stand-in log keeps every message in order, so tests can read them.
struct LoggedMessage {
    COLORREF colour;
    std::string text;
};
const std::vector<LoggedMessage>& Logged_Messages();
void Clear_Logged_Messages();
