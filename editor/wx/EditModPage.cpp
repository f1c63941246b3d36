#include "editor/wx/EditModPage.h"

#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// wx has TRUE and FALSE as macros; the platform layer has them as constants.
#undef TRUE
#undef FALSE

#include "editor/wx/ControlIds.h"
#include "editor/wx/DialogLayout.h"
#include "editor/wx/FieldFaultBox.h"

namespace {

constexpr int GAP = DIALOG_GAP;
constexpr int NUMBER_WIDTH = NUMBER_EDIT_WIDTH;

}  // namespace

CEditModPage::CEditModPage(wxWindow* parent, std::uint16_t owner_kind, std::uint16_t type, std::int32_t instance)
    : wxPanel(parent, IDD_MOD_PAGE, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_THEME),
      page_(owner_kind, type, instance) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    caption_ = new wxStaticText(this, IDC_MOD_CAPTION, Latin1_Text(page_.Caption()));
    column->Add(caption_, 0, wxALL, GAP);

    auto* kind_row = new wxBoxSizer(wxHORIZONTAL);
    kinds_ = new wxChoice(this, IDC_MOD_KIND);
    kind_row->Add(kinds_, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, GAP);
    slot_ = new wxTextCtrl(this, IDC_MOD_SLOT, "", wxDefaultPosition, wxSize(NUMBER_WIDTH / 2 + 8, -1),
                           wxTE_READONLY | wxTE_RIGHT);
    kind_row->Add(slot_, 0, wxALIGN_CENTER_VERTICAL);
    spin_ = new wxSpinButton(this, IDC_MOD_SLOT_SPIN, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
    spin_->SetRange(0, MOD_PAGE_SLOTS - 1);
    kind_row->Add(spin_, 0, wxALIGN_CENTER_VERTICAL);
    column->Add(kind_row, 0, wxEXPAND | wxLEFT | wxRIGHT, GAP);

    auto* grid = new wxFlexGridSizer(2, GAP, GAP);
    grid->AddGrowableCol(0);
    level_label_ = new wxStaticText(this, IDC_MOD_LEVEL_LABEL, "Level:");
    level_ = new wxTextCtrl(this, IDC_MOD_LEVEL, "", wxDefaultPosition, wxSize(NUMBER_WIDTH, -1));
    grid->Add(level_label_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(level_);
    for (int p = 0; p < MOD_PARAMS; ++p) {
        labels_[p] = new wxStaticText(this, IDC_MOD_PARAM_LABELS[p], "");
        params_[p] = new wxTextCtrl(this, IDC_MOD_PARAMS[p], "", wxDefaultPosition, wxSize(NUMBER_WIDTH, -1));
        grid->Add(labels_[p], 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(params_[p]);
    }
    column->Add(grid, 1, wxEXPAND | wxALL, GAP);
    SetSizer(column);

    spin_->Bind(wxEVT_SPIN_UP, [this](wxSpinEvent&) { On_Spin(+1); });
    spin_->Bind(wxEVT_SPIN_DOWN, [this](wxSpinEvent&) { On_Spin(-1); });
    kinds_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { On_Kind_Chosen(); });
    Bind(wxEVT_CHAR_HOOK, &CEditModPage::On_Char_Hook, this);
    Show_Slot();
    // Room for the longest labels before the window is laid out.
    for (int p = 0; p < MOD_PARAMS; ++p) labels_[p]->SetMinSize(labels_[p]->GetTextExtent("Index of dest. field"));
    GetSizer()->SetSizeHints(this);
}

mod_slot_entries CEditModPage::Entries() const {
    mod_slot_entries e;
    e.kind_position = kinds_->GetSelection();
    e.level = Text_Of(level_);
    for (int p = 0; p < MOD_PARAMS; ++p) e.params[p] = Text_Of(params_[p]);
    return e;
}

void CEditModPage::Show_Kind() {
    const std::vector<mod_kind_entry> list = page_.Kind_List();
    wxArrayString texts;
    for (const mod_kind_entry& k : list) texts.Add(Latin1_Text(k.text));
    if (kinds_->GetStrings() != texts) kinds_->Set(texts);
    kinds_->SetSelection(page_.Kind_Position());
    level_label_->Show(page_.Level_Shown());
    level_->Show(page_.Level_Shown());
    for (int p = 0; p < MOD_PARAMS; ++p) {
        labels_[p]->SetLabel(Latin1_Text(page_.Param_Label(p)));
        labels_[p]->Show(page_.Param_Shown(p));
        params_[p]->Show(page_.Param_Shown(p));
    }
    Layout();
}

void CEditModPage::Show_Slot() {
    const mod_slot_entries e = page_.Shown_Entries();
    slot_->ChangeValue(wxString::Format("%d", page_.Current_Slot()));
    spin_->SetValue(page_.Current_Slot());
    level_->ChangeValue(e.level);
    for (int p = 0; p < MOD_PARAMS; ++p) params_[p]->ChangeValue(e.params[p]);
    Show_Kind();
}

void CEditModPage::On_Spin(int step) {
    if (const std::optional<field_fault> fault = page_.Spin(step, Entries())) {
        spin_->SetValue(page_.Current_Slot());
        Show_Field_Fault(GetParent(), *fault);
        return;
    }
    Show_Slot();
}

void CEditModPage::On_Kind_Chosen() {
    page_.Kind_Changed(kinds_->GetSelection());
    Show_Kind();
}

// Enter in the page does nothing; Esc is the owner's (its Cancel).
void CEditModPage::On_Char_Hook(wxKeyEvent& e) {
    if (e.GetKeyCode() == WXK_RETURN || e.GetKeyCode() == WXK_NUMPAD_ENTER) return;
    e.Skip();
}
