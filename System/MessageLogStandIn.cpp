// Stand-in for the message log until the log with its fonts and scrolling is
// merged: it draws nothing and keeps the messages for tests.
#include "System/MessageLog.h"

namespace {
std::vector<LoggedMessage> messages;
}

void Log_Add_Message(COLORREF colour, const char* text) { messages.push_back({colour, text ? text : ""}); }

const std::vector<LoggedMessage>& Logged_Messages() { return messages; }

void Clear_Logged_Messages() { messages.clear(); }
