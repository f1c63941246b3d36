// The data trees on wx: a tree control that shows one of the editor's data
// trees (the database's character, item or fixitem tree) with the shared
// 16 x 16 pictures, and makes the selected entry the editor's selection.
// The tree dialog's three trees edit theirs: the context menu (right
// button), renaming in place and drag and drop. The read-only form, which
// the type editors' dialogs use to let the designer pick a type, shows a
// copy of the editor's tree and offers no menu and no renaming; dragging
// there rearranges only the copy.
#pragma once
#include <wx/treectrl.h>

#include <unordered_map>
#include <unordered_set>

#include "datafiles/DataTree.h"

class wxImageList;
class wxPopupWindow;

namespace editor_wx {

class CDataTree : public wxTreeCtrl {
  public:
    // A tree of kind (2 characters, 3 items, 5 fixitems). images: the list
    // shared with the other trees (it outlives this tree), or nullptr for a
    // list of the tree's own. The tree is shown at once.
    CDataTree(wxWindow* parent, wxWindowID id, int kind, bool read_only, wxImageList* images = nullptr);
    ~CDataTree() override;

    int Kind() const { return kind_; }
    bool Read_Only() const { return read_only_; }
    // The tree shown: the editor's own, or in the read-only form the copy.
    ::CDataTree& Model();
    const ::CDataTree& Model() const;

    // Shows the tree anew, nothing expanded or selected; the read-only form
    // copies the editor's tree again.
    void Show_Tree();
    // The entry an item shows (TREE_ROOT for none), and the item of an entry.
    TreeItem Entry_Of(const wxTreeItemId& item) const;
    wxTreeItemId Item_Of(TreeItem entry) const;
    // The selected entry, TREE_ROOT for none.
    TreeItem Selected_Entry() const;
    // The selected entry becomes the editor's selection; true when that
    // changed it.
    bool Update_Selection();
    // A command of the context menu on entry (TREE_ROOT none); the tree
    // dialog's "Edit" and "Insert" buttons call it for the selected entry.
    // Nothing in the read-only form.
    void Run_Command(int command, TreeItem entry);

  private:
    // Shows the tree anew, with what was expanded expanded again or all
    // collapsed, then selects select.
    void Refill(TreeItem select, bool keep_expanded);
    void Add_Children(const wxTreeItemId& parent, TreeItem entry);
    void Select_Entry(TreeItem entry);

    void On_Left_Down(wxMouseEvent& e);
    void On_Right_Down(wxMouseEvent& e);
    void On_Motion(wxMouseEvent& e);
    void On_Sel_Changed(wxTreeEvent& e);
    void On_Begin_Label_Edit(wxTreeEvent& e);
    void On_End_Label_Edit(wxTreeEvent& e);
    void On_Begin_Drag(wxTreeEvent& e);
    void On_End_Drag(wxTreeEvent& e);
    void On_Capture_Lost(wxMouseCaptureLostEvent& e);
    void End_Drag_Image();

    int kind_;
    bool read_only_;
    ::CDataTree copy_;
    std::unordered_map<TreeItem, wxTreeItemId> items_;
    // Entries are being put in: selection events are not the designer's.
    bool filling_ = false;
    // The entry under the mouse at the last left button-down.
    TreeItem drag_candidate_ = TREE_ROOT;
    bool dragging_ = false;
    wxPopupWindow* drag_image_ = nullptr;
};

}  // namespace editor_wx
