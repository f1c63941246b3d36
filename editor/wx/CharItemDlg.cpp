#include "editor/wx/CharItemDlg.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// wx has TRUE and FALSE as macros; the platform layer has them as constants.
#undef TRUE
#undef FALSE

#include "editor/wx/ControlIds.h"
#include "editor/wx/DataTreeCtrl.h"
#include "editor/wx/Latin1Text.h"

namespace {

constexpr int GAP = 3;
constexpr int SLOT_BUTTON_WIDTH = 130;
constexpr int TREE_WIDTH = 190;
constexpr int TREE_HEIGHT = 420;
constexpr int BACKPACK_HEIGHT = 200;
constexpr const char* DIALOG_TITLE = "Character's items";
// The body slots stand in the first column, the hands and quick slots in
// the second.
constexpr int FIRST_HAND_BUTTON = 11;

// The data of a backpack entry: the cell's value.
class CellValue : public wxClientData {
  public:
    explicit CellValue(std::int16_t value) : value_(value) {}
    std::int16_t Value() const { return value_; }

  private:
    std::int16_t value_;
};

}  // namespace

CCharItemDlg::CCharItemDlg(wxWindow* parent, bool live, std::uint16_t index)
    : wxDialog(parent, IDD_CHAR_ITEMS, DIALOG_TITLE), items_(live, index) {
    SetWindowVariant(wxWINDOW_VARIANT_SMALL);
    auto* columns = new wxBoxSizer(wxHORIZONTAL);

    auto* tree_column = new wxBoxSizer(wxVERTICAL);
    tree_column->Add(new wxStaticText(this, wxID_ANY, "Item list"), 0, wxLEFT | wxTOP, GAP);
    tree_ = new editor_wx::CDataTree(this, IDC_ITEMS_TREE, OBJ_ITEM, true);
    tree_->SetMinSize(wxSize(TREE_WIDTH, TREE_HEIGHT));
    tree_column->Add(tree_, 1, wxEXPAND | wxALL, GAP);
    columns->Add(tree_column, 0, wxEXPAND);

    wxFlexGridSizer* slot_grids[2] = {new wxFlexGridSizer(2, GAP, GAP), new wxFlexGridSizer(2, GAP, GAP)};
    for (int b = 0; b < SLOT_BUTTON_COUNT; ++b) {
        const slot_button& s = slot_buttons[b];
        wxFlexGridSizer* grid = slot_grids[b < FIRST_HAND_BUTTON ? 0 : 1];
        grid->Add(new wxStaticText(this, wxID_ANY, s.label), 0, wxALIGN_CENTER_VERTICAL | wxALIGN_RIGHT);
        slots_[b] = new wxButton(this, s.control, "", wxDefaultPosition, wxSize(SLOT_BUTTON_WIDTH, -1));
        slots_[b]->Bind(wxEVT_BUTTON, [this, b](wxCommandEvent&) {
            items_.Press_Slot(b);
            Refresh_View();
        });
        grid->Add(slots_[b]);
    }
    for (wxFlexGridSizer* grid : slot_grids) columns->Add(grid, 0, wxALL, 2 * GAP);

    auto* right = new wxBoxSizer(wxVERTICAL);
    right->Add(new wxStaticText(this, wxID_ANY, "Backpack"), 0, wxLEFT | wxTOP, GAP);
    backpack_ = new wxListBox(this, IDC_ITEMS_BACKPACK, wxDefaultPosition, wxSize(-1, BACKPACK_HEIGHT));
    right->Add(backpack_, 0, wxEXPAND | wxALL, GAP);
    const struct {
        int id;
        const char* text;
        void (CharItems::*action)();
    } buttons[] = {
        {IDC_ITEMS_PUT_INTO_BACKPACK, "Put selected item into backpack", &CharItems::Put_Into_Backpack},
        {IDC_ITEMS_REMOVE_SELECTED, "Remove selected item from backpack", nullptr},
        {IDC_ITEMS_REMOVE_BACKPACK, "Remove all items from backpack", &CharItems::Remove_All_From_Backpack},
        {IDC_ITEMS_REMOVE_ALL, "Remove all items from this character", &CharItems::Remove_All_Items},
    };
    for (const auto& b : buttons) {
        auto* button = new wxButton(this, b.id, b.text);
        right->Add(button, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, GAP);
        if (b.action != nullptr)
            button->Bind(wxEVT_BUTTON, [this, action = b.action](wxCommandEvent&) { After(action); });
        else
            button->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { On_Remove_Selected(); });
    }
    edit_unique_ = new wxButton(this, IDC_ITEMS_EDIT_UNIQUE, "Edit unique item");
    edit_unique_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { On_Edit_Unique(); });
    right->Add(edit_unique_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, GAP);
    edit_unique_->Show(items_.Live());

    auto* gold = new wxBoxSizer(wxHORIZONTAL);
    gold->Add(new wxStaticText(this, wxID_ANY, "Gold:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, GAP);
    gold->Add(new wxTextCtrl(this, IDC_ITEMS_GOLD, ""), 1);
    right->Add(gold, 0, wxEXPAND | wxALL, GAP);
    right->AddStretchSpacer();
    auto* close = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, IDC_DIALOG_OK, "OK");
    close->Add(ok, 0, wxRIGHT, GAP);
    close->Add(new wxButton(this, IDC_DIALOG_CANCEL, "Cancel"));
    right->Add(close, 0, wxALIGN_RIGHT | wxALL, GAP);
    columns->Add(right, 1, wxEXPAND | wxALL, GAP);
    SetSizerAndFit(columns);

    ok->SetDefault();
    SetAffirmativeId(IDC_DIALOG_OK);
    SetEscapeId(IDC_DIALOG_CANCEL);
    Refresh_View();
}

void CCharItemDlg::Refresh_View() {
    backpack_->Clear();
    for (const backpack_entry& e : items_.Backpack()) backpack_->Append(Latin1_Text(e.label), new CellValue(e.value));
    for (int b = 0; b < SLOT_BUTTON_COUNT; ++b) {
        const wxString text = Latin1_Text(items_.Slot_Text(b));
        if (slots_[b]->GetLabel() != text) slots_[b]->SetLabel(text);
    }
    tree_->Enable(!items_.Edit_Unique());
}

void CCharItemDlg::After(void (CharItems::*action)()) {
    (items_.*action)();
    Refresh_View();
}

void CCharItemDlg::On_Remove_Selected() {
    const int selected = backpack_->GetSelection();
    if (selected == wxNOT_FOUND) return;
    const auto* value = dynamic_cast<const CellValue*>(backpack_->GetClientObject(static_cast<unsigned>(selected)));
    if (value != nullptr) items_.Remove_From_Backpack(value->Value());
    Refresh_View();
}

void CCharItemDlg::On_Edit_Unique() {
    items_.Toggle_Edit_Unique();
    Refresh_View();
}
