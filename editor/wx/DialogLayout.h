// Pieces the type editors' dialogs are built from: an edit's text in the
// records' character set, a label with its edit in a grid, and the row of
// OK and Cancel.
#pragma once
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <string>

#include "editor/wx/ControlIds.h"
#include "editor/wx/Latin1Text.h"

inline std::string Text_Of(const wxTextCtrl* text) { return Latin1_String(text->GetValue()); }

// Width of an edit that takes a number.
constexpr int NUMBER_EDIT_WIDTH = 72;
constexpr int DIALOG_GAP = 4;

// A label and an edit of that id as the next two cells of grid; the edit
// fills its cell's width when fill is set.
inline wxTextCtrl* Add_Labelled_Edit(wxWindow* parent, wxSizer* grid, const char* label, int id,
                                     const std::string& value, bool fill = true, int width = NUMBER_EDIT_WIDTH) {
    grid->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
    auto* edit = new wxTextCtrl(parent, id, Latin1_Text(value), wxDefaultPosition, wxSize(width, -1));
    grid->Add(edit, 0, fill ? wxEXPAND : 0);
    return edit;
}

// The closing row of a dialog: OK, the default button, then Cancel.
struct ok_cancel_row {
    wxBoxSizer* row;
    wxButton* ok;
    wxButton* cancel;
};
inline ok_cancel_row Ok_Cancel_Row(wxWindow* parent) {
    ok_cancel_row r{new wxBoxSizer(wxHORIZONTAL), new wxButton(parent, IDC_DIALOG_OK, "OK"),
                    new wxButton(parent, IDC_DIALOG_CANCEL, "Cancel")};
    r.ok->SetDefault();
    r.row->Add(r.ok, 0, wxRIGHT, DIALOG_GAP * 2);
    r.row->Add(r.cancel);
    return r;
}
