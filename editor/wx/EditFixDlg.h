// The fixitem type editor (dialog 152): a fixitem type, or one placed
// fixitem and its type, with the embedded modifier page, each control with
// its template's id. What the controls do is FixitemTypeEdit's.
#pragma once
// Before wx, whose TRUE and FALSE macros would spoil the platform's constants.
#include "editor/FixitemTypeEdit.h"

#include <wx/dialog.h>

#include <cstdint>

class CEditModPage;
class wxCheckBox;
class wxStaticText;
class wxTextCtrl;

class CEditFixDlg : public wxDialog {
  public:
    // instance -1 edits the type, else the record of the map array.
    CEditFixDlg(wxWindow* parent, std::uint16_t type, std::int32_t instance);

    FixitemTypeEdit& Edit() { return edit_; }

  private:
    fixitem_form Form() const;
    void Build();
    void Show_Picture();
    void Show_Amortized();
    void On_Browse();
    void On_Set();
    void On_OK();

    FixitemTypeEdit edit_;
    CEditModPage* page_ = nullptr;
    wxTextCtrl* name_ = nullptr;
    wxTextCtrl* frame_ = nullptr;
    wxStaticText* frame_count_ = nullptr;
    wxTextCtrl* file_name_ = nullptr;
    wxStaticText* amortized_ = nullptr;
    wxTextCtrl* mp_ = nullptr;
    wxTextCtrl* fill_ = nullptr;
    wxTextCtrl* height_ = nullptr;
    wxTextCtrl* defend_ = nullptr;
    wxTextCtrl* max_hp_ = nullptr;
    wxTextCtrl* hp_ = nullptr;
    wxCheckBox* ground_ = nullptr;
    wxCheckBox* water_ = nullptr;
    wxCheckBox* burnable_ = nullptr;
    wxCheckBox* animated_ = nullptr;
};

// "Edit object" on a fixitem type and the field tree's "Edit this fixitem
// and its type": the editor runs modally over the map (not on a type that
// cannot be edited: a status message says so); afterwards the edited thing
// is the editor's selection and the preview shows it.
void Run_Edit_Fix_Dlg(std::uint16_t type, std::int32_t instance);
