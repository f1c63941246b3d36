// Pieces the type editors' dialogs are built from: texts in the records'
// character set, and a label with its edit in a grid.
#pragma once
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <string>

// The records hold their names in Latin-1.
inline wxString Latin1(const std::string& text) { return wxString(text.c_str(), wxConvISO8859_1); }
inline std::string Text_Of(const wxTextCtrl* text) { return std::string(text->GetValue().mb_str(wxConvISO8859_1)); }

// Width of an edit that takes a number.
constexpr int NUMBER_EDIT_WIDTH = 72;
constexpr int DIALOG_GAP = 4;

// A label and an edit of that id as the next two cells of grid.
inline wxTextCtrl* Add_Labelled_Edit(wxWindow* parent, wxSizer* grid, const char* label, int id,
                                     const std::string& value, int width = NUMBER_EDIT_WIDTH) {
    grid->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
    auto* edit = new wxTextCtrl(parent, id, Latin1(value), wxDefaultPosition, wxSize(width, -1));
    grid->Add(edit, 0, wxEXPAND);
    return edit;
}
