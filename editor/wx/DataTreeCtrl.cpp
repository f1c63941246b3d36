#include "editor/wx/DataTreeCtrl.h"

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/imaglist.h>
#include <wx/menu.h>
#include <wx/popupwin.h>
#include <wx/settings.h>
#include <wx/utils.h>

// wx has TRUE and FALSE as macros; the platform layer has them as constants.
#undef TRUE
#undef FALSE

#include "editor/DataTreeEdit.h"
#include "editor/Preview.h"
#include "editor/wx/Latin1Text.h"
#include "editor/wx/TreeImages.h"

namespace editor_wx {

namespace {

// The menu's commands as menu ids (the commands are 100..104).
constexpr int MENU_ID_BASE = 7100;
constexpr int ICON_SIZE = 16;
constexpr int IMAGE_PADDING = 2;
// The drag image rides beside the pointer, clear of the entry under it.
const wxPoint DRAG_IMAGE_OFFSET(14, 6);

class EntryData : public wxTreeItemData {
  public:
    explicit EntryData(TreeItem entry) : entry_(entry) {}
    TreeItem Entry() const { return entry_; }

  private:
    TreeItem entry_;
};

// The dragged entry's picture and label, following the pointer.
class DragImage : public wxPopupWindow {
  public:
    DragImage(wxWindow* parent, wxImageList* images, int image, const wxString& label)
        : wxPopupWindow(parent, wxBORDER_SIMPLE), images_(images), image_(image), label_(label) {
        SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
        SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT));
        SetFont(parent->GetFont());
        const wxSize text = GetTextExtent(label_);
        SetClientSize(ICON_SIZE + text.x + 3 * IMAGE_PADDING, std::max(ICON_SIZE, text.y) + 2 * IMAGE_PADDING);
        Bind(wxEVT_PAINT, &DragImage::On_Paint, this);
    }

  private:
    void On_Paint(wxPaintEvent&) {
        wxPaintDC dc(this);
        dc.SetBackground(wxBrush(GetBackgroundColour()));
        dc.Clear();
        const int height = GetClientSize().y;
        if (images_ != nullptr && image_ >= 0 && image_ < images_->GetImageCount())
            images_->Draw(image_, dc, IMAGE_PADDING, (height - ICON_SIZE) / 2, wxIMAGELIST_DRAW_TRANSPARENT);
        dc.SetTextForeground(GetForegroundColour());
        dc.DrawText(label_, ICON_SIZE + 2 * IMAGE_PADDING, (height - dc.GetCharHeight()) / 2);
    }

    wxImageList* images_;
    int image_;
    wxString label_;
};

}  // namespace

CDataTree::CDataTree(wxWindow* parent, wxWindowID id, int kind, bool read_only, wxImageList* images)
    : wxTreeCtrl(parent, id, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_HIDE_ROOT | wxTR_LINES_AT_ROOT | wxTR_SINGLE |
                     (read_only ? wxBORDER_SUNKEN : wxTR_EDIT_LABELS | wxBORDER_NONE)),
      kind_(kind),
      read_only_(read_only),
      copy_(kind, read_only) {
    if (images != nullptr)
        SetImageList(images);
    else
        AssignImageList(Make_Tree_Images());
    AddRoot("");
    Bind(wxEVT_LEFT_DOWN, &CDataTree::On_Left_Down, this);
    Bind(wxEVT_RIGHT_DOWN, &CDataTree::On_Right_Down, this);
    Bind(wxEVT_MOTION, &CDataTree::On_Motion, this);
    Bind(wxEVT_TREE_SEL_CHANGED, &CDataTree::On_Sel_Changed, this);
    Bind(wxEVT_TREE_BEGIN_LABEL_EDIT, &CDataTree::On_Begin_Label_Edit, this);
    Bind(wxEVT_TREE_END_LABEL_EDIT, &CDataTree::On_End_Label_Edit, this);
    Bind(wxEVT_TREE_BEGIN_DRAG, &CDataTree::On_Begin_Drag, this);
    Bind(wxEVT_TREE_END_DRAG, &CDataTree::On_End_Drag, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CDataTree::On_Capture_Lost, this);
    Show_Tree();
}

CDataTree::~CDataTree() { End_Drag_Image(); }

::CDataTree& CDataTree::Model() {
    ::CDataTree* editor_tree = Editor_Data_Tree(kind_);
    return read_only_ || editor_tree == nullptr ? copy_ : *editor_tree;
}

const ::CDataTree& CDataTree::Model() const { return const_cast<CDataTree*>(this)->Model(); }

// ---- Showing the tree ----

void CDataTree::Show_Tree() {
    if (read_only_)
        if (const ::CDataTree* editor_tree = Editor_Data_Tree(kind_)) Copy_Tree(*editor_tree, copy_);
    Refill(TREE_ROOT, false);
}

void CDataTree::Add_Children(const wxTreeItemId& parent, TreeItem entry) {
    const ::CDataTree& tree = Model();
    for (TreeItem child : tree.Children(entry)) {
        const int image = tree.Image(child);
        const wxTreeItemId item =
            AppendItem(parent, Latin1_Text(tree.Label(child)), image, image, new EntryData(child));
        items_[child] = item;
        Add_Children(item, child);
    }
}

void CDataTree::Refill(TreeItem select, bool keep_expanded) {
    std::unordered_set<TreeItem> expanded;
    if (keep_expanded)
        for (const auto& [entry, item] : items_)
            if (IsExpanded(item)) expanded.insert(entry);
    filling_ = true;
    Freeze();
    UnselectAll();
    DeleteChildren(GetRootItem());
    items_.clear();
    Add_Children(GetRootItem(), TREE_ROOT);
    for (TreeItem entry : expanded)
        if (auto at = items_.find(entry); at != items_.end() && ItemHasChildren(at->second)) Expand(at->second);
    Thaw();
    filling_ = false;
    Select_Entry(select);
}

void CDataTree::Select_Entry(TreeItem entry) {
    const wxTreeItemId item = Item_Of(entry);
    if (!item.IsOk()) return;
    EnsureVisible(item);
    SelectItem(item);
}

TreeItem CDataTree::Entry_Of(const wxTreeItemId& item) const {
    if (!item.IsOk()) return TREE_ROOT;
    const auto* data = dynamic_cast<const EntryData*>(GetItemData(item));
    return data != nullptr && Model().Valid(data->Entry()) ? data->Entry() : TREE_ROOT;
}

wxTreeItemId CDataTree::Item_Of(TreeItem entry) const {
    const auto at = items_.find(entry);
    return at == items_.end() ? wxTreeItemId() : at->second;
}

TreeItem CDataTree::Selected_Entry() const { return Entry_Of(GetSelection()); }

bool CDataTree::Update_Selection() { return Data_Tree_Update_Selection(Model(), Selected_Entry()); }

// ---- The context menu ----

void CDataTree::Run_Command(int command, TreeItem entry) {
    if (read_only_) return;
    const TreeItem result = Data_Tree_Command(Model(), entry, command);
    if (Model().Valid(result)) Refill(result, true);
}

void CDataTree::On_Right_Down(wxMouseEvent& e) {
    if (read_only_) {
        e.Skip();
        return;
    }
    if (dragging_) return;
    SetFocus();
    bool changed = Update_Selection();
    int where = 0;
    const wxTreeItemId hit = HitTest(e.GetPosition(), where);
    const TreeItem entry = (where & wxTREE_HITTEST_ONITEM) != 0 ? Entry_Of(hit) : TREE_ROOT;
    if (entry != TREE_ROOT) Select_Entry(entry);
    // Selecting the entry again changes no tree selection but may change the
    // editor's (a placed object was selected meanwhile).
    changed = Update_Selection() || changed;
    if (changed) Editor_Show_Selection_Preview();
    wxMenu menu;
    for (const tree_menu_entry& m : Data_Tree_Menu(Model(), entry)) {
        menu.Append(MENU_ID_BASE + m.command, m.text);
        menu.Enable(MENU_ID_BASE + m.command, m.enabled);
    }
    const int chosen = GetPopupMenuSelectionFromUser(menu, e.GetPosition());
    if (chosen != wxID_NONE) Run_Command(chosen - MENU_ID_BASE, entry);
}

// ---- Selection ----

void CDataTree::On_Left_Down(wxMouseEvent& e) {
    int where = 0;
    const wxTreeItemId hit = HitTest(e.GetPosition(), where);
    drag_candidate_ = (where & wxTREE_HITTEST_ONITEM) != 0 ? Entry_Of(hit) : TREE_ROOT;
    if (Update_Selection()) Editor_Show_Selection_Preview();
    e.Skip();
}

void CDataTree::On_Sel_Changed(wxTreeEvent& e) {
    e.Skip();
    if (filling_ || Entry_Of(e.GetItem()) == TREE_ROOT) return;
    Update_Selection();
    Editor_Show_Selection_Preview();
}

// ---- Renaming ----

void CDataTree::On_Begin_Label_Edit(wxTreeEvent& e) {
    if (read_only_ || !Data_Tree_Can_Rename(Model(), Entry_Of(e.GetItem()))) e.Veto();
}

void CDataTree::On_End_Label_Edit(wxTreeEvent& e) {
    const TreeItem entry = Entry_Of(e.GetItem());
    if (e.IsEditCancelled() || e.GetLabel().empty() || entry == TREE_ROOT) {
        e.Veto();
        return;
    }
    Data_Tree_Rename(Model(), entry, Latin1_String(e.GetLabel()));
    // The label shows what the tree holds (a character Latin-1 lacks is
    // stored as '?').
    const wxString shown = Latin1_Text(Model().Label(entry));
    if (shown != e.GetLabel()) {
        e.Veto();
        const wxTreeItemId item = e.GetItem();
        CallAfter([this, item, shown] { SetItemText(item, shown); });
    }
}

// ---- Drag and drop ----

void CDataTree::On_Begin_Drag(wxTreeEvent& e) {
    if (!Data_Tree_Can_Drag(Model(), drag_candidate_)) return;
    e.Allow();
    dragging_ = true;
    drag_image_ = new DragImage(wxGetTopLevelParent(this), GetImageList(), Model().Image(drag_candidate_),
                                Latin1_Text(Model().Label(drag_candidate_)));
    drag_image_->Position(wxGetMousePosition() + DRAG_IMAGE_OFFSET, wxSize(0, 0));
    drag_image_->Show();
}

void CDataTree::On_Motion(wxMouseEvent& e) {
    if (dragging_ && drag_image_ != nullptr)
        drag_image_->Position(wxGetMousePosition() + DRAG_IMAGE_OFFSET, wxSize(0, 0));
    e.Skip();
}

void CDataTree::On_End_Drag(wxTreeEvent& e) {
    End_Drag_Image();
    if (!dragging_) return;
    dragging_ = false;
    const TreeItem dragged = drag_candidate_;
    const TreeItem target = Entry_Of(e.GetItem());
    // The tree is rebuilt once the control has finished with the drag.
    CallAfter([this, dragged, target] {
        switch (Data_Tree_Drop(Model(), dragged, target)) {
            case DropResult::Moved: Refill(dragged, true); break;
            case DropResult::Refused: wxBell(); break;
            case DropResult::Nothing: break;
        }
    });
}

void CDataTree::On_Capture_Lost(wxMouseCaptureLostEvent& e) {
    End_Drag_Image();
    dragging_ = false;
    e.Skip();
}

void CDataTree::End_Drag_Image() {
    if (drag_image_ == nullptr) return;
    drag_image_->Destroy();
    drag_image_ = nullptr;
}

}  // namespace editor_wx
