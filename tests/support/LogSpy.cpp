#include "support/LogSpy.h"

#include "System/MessageLog.h"

namespace {
std::vector<LoggedMessage> messages;

void Keep(COLORREF colour, const char* text) { messages.push_back({colour, text}); }
}  // namespace

const std::vector<LoggedMessage>& Logged_Messages() {
    Set_Log_Listener(Keep);
    return messages;
}

void Clear_Logged_Messages() {
    Set_Log_Listener(Keep);
    messages.clear();
}
