// The editor's two modeless dialogs on wx, laid beside the map view in the
// picture's margins: the editor dialog (template 132) with the data
// buttons, test play, the level buttons, the "Hexa grid" switch, the map
// index and the status line; and the data-tree dialog (template 101) with
// the tabs of the three data trees and the field object tree. Each control
// carries its template's id.
#pragma once
#include <wx/panel.h>
#include <wx/timer.h>
#include <wx/treectrl.h>

#include <vector>

class wxCheckBox;
class wxImageList;
class wxNotebook;
class wxStaticText;
class wxTextCtrl;
struct field_object_list;
namespace editor_wx {
class CDataTree;
}

// The field object tree (1011): the objects of the field listed last; a
// selected entry is the editor's selection; its menu (right button) and
// the Delete key delete the object or open its type editor.
class CFieldTree : public wxTreeCtrl {
  public:
    explicit CFieldTree(wxWindow* parent);
    // Shows the list anew with its selected entry (the list has made the
    // selection already).
    void Show_List(const field_object_list& list);
    // The tree entry of list entry i (for the window tests).
    wxTreeItemId Item_Of(int entry) const;

  private:
    int Entry_Of(const wxTreeItemId& item) const;
    void On_Sel_Changed(wxTreeEvent& e);
    void On_Right_Down(wxMouseEvent& e);
    void On_Key_Down(wxKeyEvent& e);

    std::vector<wxTreeItemId> items_;
    bool listing_ = false;
};

class CDataTreeDlg : public wxPanel {
  public:
    explicit CDataTreeDlg(wxWindow* parent);
    ~CDataTreeDlg() override;
    CFieldTree* Field_Tree() const { return field_tree_; }
    // The data tree of a kind (3 items, 5 fixitems, 2 characters).
    editor_wx::CDataTree* Data_Tree(int kind) const;
    // The tree of the tab shown.
    editor_wx::CDataTree* Shown_Tree() const;
    // The three trees show the database's trees anew.
    void Show_Trees();
    void Show_Field_Index(const wxString& text);

  private:
    // The tabs show one tree at a time: the page of the chosen tab.
    wxImageList* images_ = nullptr;
    wxNotebook* tabs_ = nullptr;
    editor_wx::CDataTree* trees_[3] = {};
    CFieldTree* field_tree_ = nullptr;
    wxStaticText* field_index_ = nullptr;
};

class CEditorDlg : public wxPanel {
  public:
    explicit CEditorDlg(wxWindow* parent);
    ~CEditorDlg() override;
    // The status line shows the text at once.
    void Show_Status(const wxString& text);
    void Show_Map_Index(const wxString& text);
    bool Hexa_Grid() const;
    // The status line's timer (2345), started anew by each message.
    void Start_Status_Timer(int milliseconds);
    void Stop_Status_Timer();

  private:
    void On_Context_Menu(wxContextMenuEvent& e);

    wxTimer timer_;
    wxTextCtrl* status_ = nullptr;
    wxStaticText* map_index_ = nullptr;
    wxCheckBox* hexa_grid_ = nullptr;
};
