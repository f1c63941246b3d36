// Texts between the game's records and files (Latin-1 bytes) and wx.
#pragma once
#include <wx/string.h>

#include <string>

inline wxString Latin1_Text(const std::string& text) { return wxString(text.c_str(), wxConvISO8859_1); }

// A character Latin-1 has no place for becomes '?'.
inline std::string Latin1_String(const wxString& text) {
    std::string out;
    out.reserve(text.length());
    for (wxUniChar c : text) out.push_back(c.GetValue() < 0x100 ? static_cast<char>(c.GetValue()) : '?');
    return out;
}
