// The character items dialog (dialog 155): a character's 19 body and quick
// slots as buttons showing what they hold, its backpack as a list with four
// buttons, and a read-only copy of the item tree to choose the item type
// the buttons put. Every change is made in the record at once; OK and
// Cancel only close the dialog. Each control carries its template's id;
// what they do is CharItems'.
#pragma once
// Before wx, whose TRUE and FALSE macros would spoil the platform's constants.
#include "editor/CharItems.h"

#include <wx/dialog.h>

#include <cstdint>

class wxButton;
class wxListBox;
namespace editor_wx {
class CDataTree;
}

class CCharItemDlg : public wxDialog {
  public:
    // A character type of the database (live false) or a placed character.
    CCharItemDlg(wxWindow* parent, bool live, std::uint16_t index);

    CharItems& Items() { return items_; }
    editor_wx::CDataTree* Item_Tree() const { return tree_; }

  private:
    // The backpack list and the slot buttons show the record anew.
    void Refresh_View();
    void After(void (CharItems::*action)());
    void On_Remove_Selected();
    void On_Edit_Unique();

    CharItems items_;
    editor_wx::CDataTree* tree_ = nullptr;
    wxListBox* backpack_ = nullptr;
    wxButton* slots_[SLOT_BUTTON_COUNT] = {};
    wxButton* edit_unique_ = nullptr;
};
