// Why a file could not be read or written: the file and the system's reason,
// for the messages that tell the user which file to mend.
#pragma once
#include <string>

struct file_fault {
    std::string path;    // the file as the system names it
    std::string reason;  // "No such file or directory", "too short: 128 of 256 bytes", ...

    // "path: reason", the line a message shows under its own text.
    std::string Text() const { return path + ": " + reason; }
};

// The system's text for an error number (errno).
std::string System_Reason(int error_number);

// Fills fault, when there is one to fill.
inline void Set_Fault(file_fault* fault, std::string path, std::string reason) {
    if (fault != nullptr) *fault = {std::move(path), std::move(reason)};
}
