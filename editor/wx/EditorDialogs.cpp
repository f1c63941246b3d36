#include "editor/wx/EditorDialogs.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/imaglist.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// wx has TRUE and FALSE as macros; the platform layer has them as constants.
#undef TRUE
#undef FALSE

#include "Objects/ObjRef.h"
#include "editor/DataTreeEdit.h"
#include "editor/EditorScreen.h"
#include "editor/FieldObjectList.h"
#include "editor/wx/ControlIds.h"
#include "editor/wx/DataTreeCtrl.h"
#include "editor/wx/Latin1Text.h"
#include "editor/wx/TreeImages.h"
#include "frontend/Hooks.h"

namespace {

constexpr int BORDER = 3;
// The field tree's menu commands 0..3 as menu ids.
constexpr int FIELD_MENU_BASE = 7000;
constexpr int FIELD_MENU_COMMANDS = 4;

// A dialog's own colours: the game window behind it is black, and its
// labels and check box would take that and stay unreadable.
void Use_Dialog_Colours(wxWindow* dialog) {
    dialog->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    dialog->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
}

class EntryData : public wxTreeItemData {
  public:
    explicit EntryData(int entry) : entry_(entry) {}
    int Entry() const { return entry_; }

  private:
    int entry_;
};

// A button of a dialog that calls the editor's handler for it.
wxButton* Add_Button(wxWindow* parent, wxSizer* sizer, int id, const char* text, void (*handler)()) {
    auto* button = new wxButton(parent, id, text);
    button->Bind(wxEVT_BUTTON, [handler](wxCommandEvent&) {
        if (handler != nullptr) handler();
    });
    sizer->Add(button, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, BORDER);
    return button;
}

}  // namespace

// ---- The field object tree ----

CFieldTree::CFieldTree(wxWindow* parent)
    : wxTreeCtrl(parent, IDC_FIELD_TREE, wxDefaultPosition, wxDefaultSize,
                 wxTR_HIDE_ROOT | wxTR_NO_LINES | wxTR_SINGLE | wxTR_NO_BUTTONS | wxBORDER_SUNKEN) {
    AddRoot("");
    Bind(wxEVT_TREE_SEL_CHANGED, &CFieldTree::On_Sel_Changed, this);
    Bind(wxEVT_RIGHT_DOWN, &CFieldTree::On_Right_Down, this);
    Bind(wxEVT_KEY_DOWN, &CFieldTree::On_Key_Down, this);
}

void CFieldTree::Show_List(const field_object_list& list) {
    listing_ = true;
    UnselectAll();
    DeleteChildren(GetRootItem());
    items_.clear();
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        const field_object_entry& e = list.entries[i];
        items_.push_back(
            AppendItem(GetRootItem(), Latin1_Text(e.label), e.image, e.image, new EntryData(static_cast<int>(i))));
    }
    if (list.selected >= 0 && static_cast<std::size_t>(list.selected) < items_.size()) {
        SelectItem(items_[static_cast<std::size_t>(list.selected)]);
        EnsureVisible(items_[static_cast<std::size_t>(list.selected)]);
    }
    listing_ = false;
    Refresh();
}

wxTreeItemId CFieldTree::Item_Of(int entry) const {
    if (entry < 0 || static_cast<std::size_t>(entry) >= items_.size()) return {};
    return items_[static_cast<std::size_t>(entry)];
}

int CFieldTree::Entry_Of(const wxTreeItemId& item) const {
    if (!item.IsOk()) return -1;
    const auto* data = dynamic_cast<const EntryData*>(GetItemData(item));
    return data != nullptr ? data->Entry() : -1;
}

void CFieldTree::On_Sel_Changed(wxTreeEvent& e) {
    if (!listing_) Field_Tree_Select(Entry_Of(e.GetItem()));
    e.Skip();
}

void CFieldTree::On_Right_Down(wxMouseEvent& e) {
    int where = 0;
    const wxTreeItemId hit = HitTest(e.GetPosition(), where);
    wxMenu menu;
    if (hit.IsOk()) {
        SelectItem(hit);
        for (int command : Field_Tree_Menu(Entry_Of(hit)))
            menu.Append(FIELD_MENU_BASE + command, field_command_texts[command]);
    }
    const int chosen = GetPopupMenuSelectionFromUser(menu, e.GetPosition());
    if (chosen >= FIELD_MENU_BASE && chosen < FIELD_MENU_BASE + FIELD_MENU_COMMANDS)
        Field_Tree_Command(chosen - FIELD_MENU_BASE);
}

void CFieldTree::On_Key_Down(wxKeyEvent& e) {
    if (e.GetKeyCode() == WXK_DELETE) Field_Tree_Command(FIELD_CMD_DELETE);
    e.Skip();
}

// ---- The data-tree dialog ----

CDataTreeDlg::CDataTreeDlg(wxWindow* parent) : wxPanel(parent, IDD_DATA_TREE) {
    Use_Dialog_Colours(this);
    images_ = Make_Tree_Images();
    auto* column = new wxBoxSizer(wxVERTICAL);
    tabs_ = new wxNotebook(this, IDC_TABS);
    // The three tabs fit the dialog's width.
    tabs_->SetFont(GetFont().Smaller());
    const struct {
        int id;
        const char* text;
        int kind;
    } pages[3] = {{IDC_ITEM_TREE, "Items", OBJ_ITEM},
                  {IDC_FIXITEM_TREE, "Fixitems", OBJ_FIXITEM},
                  {IDC_CHAR_TREE, "Chars", OBJ_CHAR}};
    for (int t = 0; t < 3; ++t) {
        trees_[t] = new editor_wx::CDataTree(tabs_, pages[t].id, pages[t].kind, false, images_);
        tabs_->AddPage(trees_[t], pages[t].text, t == 0);
    }
    column->Add(tabs_, 3, wxEXPAND | wxALL, BORDER);

    // "Edit" and "Insert" act on the shown tree's selected entry.
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    const struct {
        int id;
        const char* text;
        int command;
    } tree_buttons[2] = {{IDC_EDIT, "Edit", TREE_CMD_EDIT}, {IDC_INSERT, "Insert", TREE_CMD_INSERT_NEW}};
    for (const auto& b : tree_buttons) {
        auto* button = new wxButton(this, b.id, b.text, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
        button->Bind(wxEVT_BUTTON, [this, command = b.command](wxCommandEvent&) {
            if (editor_wx::CDataTree* tree = Shown_Tree()) tree->Run_Command(command, tree->Selected_Entry());
        });
        buttons->Add(button, 1, b.id == IDC_EDIT ? wxRIGHT : 0, BORDER);
    }
    column->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT, BORDER);

    auto* label = new wxBoxSizer(wxHORIZONTAL);
    label->Add(new wxStaticText(this, wxID_ANY, "Objects on field"), 0, wxRIGHT, BORDER);
    field_index_ = new wxStaticText(this, IDC_FIELD_INDEX, "");
    label->Add(field_index_, 1);
    column->Add(label, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, BORDER + 2);

    field_tree_ = new CFieldTree(this);
    field_tree_->SetImageList(images_);
    column->Add(field_tree_, 2, wxEXPAND | wxALL, BORDER);
    SetSizer(column);
}

CDataTreeDlg::~CDataTreeDlg() {
    // The trees share the image list: it goes after them.
    DestroyChildren();
    delete images_;
}

editor_wx::CDataTree* CDataTreeDlg::Data_Tree(int kind) const {
    switch (kind) {
        case OBJ_ITEM: return trees_[0];
        case OBJ_FIXITEM: return trees_[1];
        case OBJ_CHAR: return trees_[2];
        default: return nullptr;
    }
}

editor_wx::CDataTree* CDataTreeDlg::Shown_Tree() const {
    const int tab = tabs_->GetSelection();
    return tab >= 0 && tab < 3 ? trees_[tab] : nullptr;
}

void CDataTreeDlg::Show_Trees() {
    for (editor_wx::CDataTree* tree : trees_) tree->Show_Tree();
}

void CDataTreeDlg::Show_Field_Index(const wxString& text) {
    if (field_index_->GetLabel() != text) field_index_->SetLabel(text);
}

// ---- The editor dialog ----

CEditorDlg::CEditorDlg(wxWindow* parent) : wxPanel(parent, IDD_EDITOR) {
    Use_Dialog_Colours(this);
    auto* column = new wxBoxSizer(wxVERTICAL);
    Add_Button(this, column, IDC_TEST_MAP, "Test Map", &Editor_Test_Map);
    Add_Button(this, column, IDC_RESTORE_MAP, "Restore Map", &Editor_Restore_Map);
    Add_Button(this, column, IDC_MAP_PROPERTIES, "Map properties", &Editor_Map_Properties);
    Add_Button(this, column, IDC_LOAD_DATA, "Load Data", &Editor_Load_Data);
    Add_Button(this, column, IDC_SAVE_DATA, "Save Data", &Editor_Save_Data);
    Add_Button(this, column, IDC_OK, "OK", &Editor_OK);

    hexa_grid_ = new wxCheckBox(this, IDC_HEXA_GRID, "Hexa grid");
    hexa_grid_->SetValue(hex_grid != 0);
    hexa_grid_->Bind(wxEVT_CHECKBOX, [](wxCommandEvent&) { Editor_Hexa_Grid(); });
    column->Add(hexa_grid_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, BORDER + 2);

    auto* index = new wxBoxSizer(wxHORIZONTAL);
    index->Add(new wxStaticText(this, wxID_ANY, "Map index:"), 0, wxRIGHT, BORDER);
    map_index_ = new wxStaticText(this, IDC_MAP_INDEX, "");
    index->Add(map_index_, 1);
    column->Add(index, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, BORDER + 2);

    Add_Button(this, column, IDC_LEVEL_UP, "Level +", &Editor_Level_Up);
    Add_Button(this, column, IDC_LEVEL_DOWN, "Level -", &Editor_Level_Down);

    status_ = new wxTextCtrl(this, IDC_STATUS, "", wxDefaultPosition, wxDefaultSize,
                             wxTE_MULTILINE | wxTE_READONLY | wxTE_NO_VSCROLL | wxTE_WORDWRAP);
    column->Add(status_, 1, wxEXPAND | wxALL, BORDER);
    SetSizer(column);

    timer_.Bind(wxEVT_TIMER, [](wxTimerEvent&) { Editor_On_Timer(STATUS_TIMER_ID); });
    Bind(wxEVT_CONTEXT_MENU, &CEditorDlg::On_Context_Menu, this);
}

CEditorDlg::~CEditorDlg() { timer_.Stop(); }

void CEditorDlg::Show_Status(const wxString& text) {
    status_->ChangeValue(text);
    // Shown before a long step (saving, loading) runs.
    status_->Update();
    Show();
}

void CEditorDlg::Show_Map_Index(const wxString& text) {
    if (map_index_->GetLabel() != text) map_index_->SetLabel(text);
}

bool CEditorDlg::Hexa_Grid() const { return hexa_grid_->GetValue(); }

void CEditorDlg::Start_Status_Timer(int milliseconds) { timer_.StartOnce(milliseconds); }

void CEditorDlg::Stop_Status_Timer() { timer_.Stop(); }

void CEditorDlg::On_Context_Menu(wxContextMenuEvent& e) {
    wxMenu menu;
    menu.Append(MENU_CLOSE_EDITOR, TEXT_CLOSE_EDITOR);
    menu.Append(MENU_DEVELOPMENT_EFFECT, TEXT_DEVELOPMENT_EFFECT);
    const wxPoint at = e.GetPosition() == wxDefaultPosition ? wxDefaultPosition : ScreenToClient(e.GetPosition());
    const int chosen = GetPopupMenuSelectionFromUser(menu, at);
    if (chosen != wxID_NONE) Editor_Menu_Command(chosen);
}
