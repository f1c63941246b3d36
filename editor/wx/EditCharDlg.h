// The character type editor (dialog 154): every editable field of one
// character record, a character type or a placed character, its known
// spells, its modifiers on the embedded modifier page, and the button to
// its items; the preview strip under the map shows the body's facings, the
// heads or the body's frames, moved by the scroll bar. Each control carries
// its template's id; what they do is CharTypeEdit's.
#pragma once
// Before wx, whose TRUE and FALSE macros would spoil the platform's constants.
#include "editor/CharTypeEdit.h"

#include <wx/dialog.h>

#include <cstdint>
#include <map>

class CEditModPage;
class wxCheckBox;
class wxChoice;
class wxListBox;
class wxPanel;
class wxScrollBar;
class wxSizer;
class wxSpinButton;
class wxTextCtrl;

class CEditCharDlg : public wxDialog {
  public:
    // A character type (instance -1) or the placed character instance.
    CEditCharDlg(wxWindow* parent, std::int32_t type, std::int32_t instance);
    ~CEditCharDlg() override;

    CharTypeEdit& Edit() { return edit_; }
    // The dialog's own control of an id (the modifier page's ids overlap
    // with the dialog's), nullptr when none.
    wxWindow* Own_Control(int id) const;
    CEditModPage* Mod_Page() const { return page_; }

  private:
    // The name, the sprite, head, corpse frame and palette, the flags, race,
    // profession and lobby; the level, experience and the bars.
    wxSizer* Identity_Column();
    wxSizer* Numbers_Column();
    // A titled group of number edits (label, edit, a second edit or 0), in
    // columns.
    wxSizer* Group(const char* title, const std::vector<std::pair<const char*, std::pair<int, int>>>& rows,
                   int columns);
    wxTextCtrl* Number_Edit(int id);
    void Fill_Race_List();
    void Take_Controls();
    void Redraw_Preview();
    void Show_Scroll_Bar();
    void Set_Mode(CharPreviewMode mode);

    void On_Head_Changed();
    void On_Corpse_Changed();
    void On_Palette_Changed();
    void On_Level_Spin(int delta);
    void On_Category();
    void On_Scroll(wxScrollEvent& e);
    void On_Browse();
    void On_Edit_Items();
    void On_OK();
    void On_Cancel();

    CharTypeEdit edit_;
    wxPanel* form_ = nullptr;
    CEditModPage* page_ = nullptr;
    wxTextCtrl* name_ = nullptr;
    wxTextCtrl* file_name_ = nullptr;
    wxTextCtrl* head_ = nullptr;
    wxTextCtrl* corpse_ = nullptr;
    wxTextCtrl* palette_ = nullptr;
    wxCheckBox* shadow_ = nullptr;
    wxCheckBox* female_ = nullptr;
    wxCheckBox* flying_ = nullptr;
    wxCheckBox* animal_ = nullptr;
    wxCheckBox* monster_ = nullptr;
    wxChoice* race_ = nullptr;
    wxChoice* profession_ = nullptr;
    wxChoice* lobby_ = nullptr;
    wxSpinButton* level_spin_ = nullptr;
    wxListBox* spells_ = nullptr;
    wxScrollBar* scroll_ = nullptr;
    std::map<int, wxTextCtrl*> numbers_;
};

// Runs the editor modally on a character type or a placed character, then
// shows the selection it left in the preview strip (and, for a placed
// character, lists its field with it selected).
void Run_Edit_Char_Dialog(std::int32_t type, std::int32_t instance);
// Installs the editor as the field tree's "Edit this character" and the
// character tree's "Edit object".
void Install_Char_Editor_Dialogs();
