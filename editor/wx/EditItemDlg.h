// The item type editor (dialog 147): an item type, or one placed item and
// its type, with the embedded modifier page, each control with its
// template's id. What the controls do is ItemTypeEdit's.
#pragma once
// Before wx, whose TRUE and FALSE macros would spoil the platform's constants.
#include "editor/ItemTypeEdit.h"

#include <wx/dialog.h>

#include <cstdint>

class CEditModPage;
class wxCheckBox;
class wxChoice;
class wxScrollBar;
class wxStaticText;
class wxTextCtrl;

class CEditItemDlg : public wxDialog {
  public:
    // instance -1 edits the type, else the item placed on the map.
    CEditItemDlg(wxWindow* parent, std::uint16_t type, std::int32_t instance);

    ItemTypeEdit& Edit() { return edit_; }

  private:
    item_form Form() const;
    void Build();
    void Show_Class();
    void Show_Size();
    void Draw_Strip();
    void On_OK();

    ItemTypeEdit edit_;
    CEditModPage* page_ = nullptr;
    wxTextCtrl* name_ = nullptr;
    wxTextCtrl* recognize_ = nullptr;
    wxChoice* class_ = nullptr;
    wxStaticText* extra_label_ = nullptr;
    wxTextCtrl* max_distance_ = nullptr;
    wxTextCtrl* price_ = nullptr;
    wxTextCtrl* weight_ = nullptr;
    wxTextCtrl* disturb_ = nullptr;
    wxTextCtrl* mp_ = nullptr;
    wxTextCtrl* defend_ = nullptr;
    wxTextCtrl* attack_ = nullptr;
    wxTextCtrl* damage_min_ = nullptr;
    wxTextCtrl* damage_max_ = nullptr;
    wxTextCtrl* palette_ = nullptr;
    wxTextCtrl* picture_ = nullptr;
    wxScrollBar* picture_bar_ = nullptr;
    wxStaticText* size_ = nullptr;
    wxCheckBox* flags_[4] = {};
};

// "Edit object" on an item type and the field tree's "Edit this item and
// its type": the editor runs modally over the map (not on the dead body:
// a status message says so); afterwards the edited thing is the editor's
// selection and the preview shows it.
void Run_Edit_Item_Dlg(std::uint16_t type, std::int32_t instance);
