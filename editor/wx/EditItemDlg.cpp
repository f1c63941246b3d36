#include "editor/wx/EditItemDlg.h"

#include <functional>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/scrolbar.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// wx has TRUE and FALSE as macros; the platform layer has them as constants.
#undef TRUE
#undef FALSE

#include "editor/Preview.h"
#include "editor/wx/ControlIds.h"
#include "editor/wx/DialogLayout.h"
#include "editor/wx/EditModPage.h"
#include "editor/wx/EditorModal.h"
#include "editor/wx/FieldFaultBox.h"
#include "platform/Window.h"
#include "platform/wx/WxGameWindow.h"

namespace {

constexpr int GAP = DIALOG_GAP;
// The scroll bar's page: six pictures.
constexpr int PICTURE_PAGE = 6;

const struct {
    int id;
    const char* text;
} FLAG_BOXES[4] = {
    {IDC_ITEM_TWO_HANDED, "Two-handed item"},
    {IDC_ITEM_SECONDARY, "Item can be used as a secondary weapon"},
    {IDC_ITEM_BURNABLE, "The item is burnable"},
    {IDC_ITEM_MAGICAL, "Magical item"},
};

wxSpinButton* Add_Spin(wxWindow* parent, wxSizer* row, int id, const std::function<void(int)>& step) {
    auto* spin = new wxSpinButton(parent, id, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
    // The spin keeps no value of its own: each press is one step.
    spin->SetRange(-1000, 1000);
    spin->Bind(wxEVT_SPIN_UP, [spin, step](wxSpinEvent&) {
        step(+1);
        spin->SetValue(0);
    });
    spin->Bind(wxEVT_SPIN_DOWN, [spin, step](wxSpinEvent&) {
        step(-1);
        spin->SetValue(0);
    });
    row->Add(spin, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, GAP);
    return spin;
}

}  // namespace

CEditItemDlg::CEditItemDlg(wxWindow* parent, std::uint16_t type, std::int32_t instance)
    : wxDialog(parent, IDD_EDIT_ITEM, "Item type"), edit_(type, instance) {
    Build();
    Show_Class();
    Show_Size();
    if (edit_.Live()) name_->SetEditable(false);
    SetEscapeId(IDC_DIALOG_CANCEL);
    SetAffirmativeId(IDC_DIALOG_OK);
    GetSizer()->SetSizeHints(this);
    Draw_Strip();
}

void CEditItemDlg::Build() {
    const item_form& f = edit_.Opening_Form();
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* body = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxBoxSizer(wxVERTICAL);

    auto* grid = new wxFlexGridSizer(4, GAP, GAP * 2);
    grid->AddGrowableCol(1);
    grid->AddGrowableCol(3);
    grid->Add(new wxStaticText(this, wxID_ANY, "Name:"), 0, wxALIGN_CENTER_VERTICAL);
    name_ = new wxTextCtrl(this, IDC_ITEM_NAME, Latin1_Text(f.name));
    name_->SetMaxLength(ITEM_NAME_LENGTH);
    grid->Add(name_, 0, wxEXPAND);
    recognize_ = Add_Labelled_Edit(this, grid, "Recognize:", IDC_ITEM_RECOGNIZE, f.recognize);

    grid->Add(new wxStaticText(this, wxID_ANY, "Type:"), 0, wxALIGN_CENTER_VERTICAL);
    class_ = new wxChoice(this, IDC_ITEM_CLASS);
    for (const char* name : item_class_names) class_->Append(name);
    class_->SetSelection(f.item_class);
    grid->Add(class_, 0, wxEXPAND);
    extra_label_ = new wxStaticText(this, IDC_ITEM_EXTRA_LABEL, "");
    extra_label_->SetMinSize(extra_label_->GetTextExtent(TEXT_MAX_DISTANCE));
    grid->Add(extra_label_, 0, wxALIGN_CENTER_VERTICAL);
    max_distance_ = new wxTextCtrl(this, IDC_ITEM_MAX_DISTANCE, Latin1_Text(f.max_distance), wxDefaultPosition,
                                   wxSize(NUMBER_EDIT_WIDTH, -1));
    grid->Add(max_distance_, 0, wxEXPAND);

    price_ = Add_Labelled_Edit(this, grid, "Price:", IDC_ITEM_PRICE, f.price);
    weight_ = Add_Labelled_Edit(this, grid, "Weight:", IDC_ITEM_WEIGHT, f.weight);
    disturb_ = Add_Labelled_Edit(this, grid, "Disturb:", IDC_ITEM_DISTURB, f.disturb);
    mp_ = Add_Labelled_Edit(this, grid, "MP:", IDC_ITEM_MP, f.mp);
    defend_ = Add_Labelled_Edit(this, grid, "Defend:", IDC_ITEM_DEFEND, f.defend);
    attack_ = Add_Labelled_Edit(this, grid, "Attack:", IDC_ITEM_ATTACK, f.attack);

    grid->Add(new wxStaticText(this, wxID_ANY, "Damage:"), 0, wxALIGN_CENTER_VERTICAL);
    auto* damage = new wxBoxSizer(wxHORIZONTAL);
    damage_min_ = new wxTextCtrl(this, IDC_ITEM_DAMAGE_MIN, Latin1_Text(f.damage_min), wxDefaultPosition,
                                 wxSize(NUMBER_EDIT_WIDTH / 2 + 8, -1));
    damage->Add(damage_min_, 1);
    damage->Add(new wxStaticText(this, wxID_ANY, " _ "), 0, wxALIGN_CENTER_VERTICAL);
    damage_max_ = new wxTextCtrl(this, IDC_ITEM_DAMAGE_MAX, Latin1_Text(f.damage_max), wxDefaultPosition,
                                 wxSize(NUMBER_EDIT_WIDTH / 2 + 8, -1));
    damage->Add(damage_max_, 1);
    grid->Add(damage, 0, wxEXPAND);
    palette_ = Add_Labelled_Edit(this, grid, "Palette:", IDC_ITEM_PALETTE, f.palette);
    left->Add(grid, 0, wxEXPAND | wxALL, GAP * 2);

    auto* picture_box = new wxStaticBoxSizer(wxHORIZONTAL, this, "Picture");
    picture_box->Add(new wxStaticText(picture_box->GetStaticBox(), wxID_ANY, "num.:"), 0,
                     wxALIGN_CENTER_VERTICAL | wxRIGHT, GAP);
    picture_ = new wxTextCtrl(picture_box->GetStaticBox(), IDC_ITEM_PICTURE, Latin1_Text(f.picture), wxDefaultPosition,
                              wxSize(NUMBER_EDIT_WIDTH, -1));
    picture_box->Add(picture_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, GAP);
    picture_bar_ = new wxScrollBar(picture_box->GetStaticBox(), IDC_ITEM_PICTURE_SCROLL);
    picture_bar_->SetScrollbar(edit_.Picture(), 1, std::max(1, edit_.Frames()), PICTURE_PAGE);
    picture_box->Add(picture_bar_, 1, wxALIGN_CENTER_VERTICAL);
    left->Add(picture_box, 0, wxEXPAND | wxLEFT | wxRIGHT, GAP * 2);

    auto* size_row = new wxBoxSizer(wxHORIZONTAL);
    size_row->Add(new wxStaticText(this, wxID_ANY, "Size"), 0, wxALIGN_CENTER_VERTICAL);
    Add_Spin(this, size_row, IDC_ITEM_WIDTH_SPIN, [this](int step) {
        edit_.Spin_Width(step);
        Show_Size();
        Draw_Strip();
    });
    Add_Spin(this, size_row, IDC_ITEM_HEIGHT_SPIN, [this](int step) {
        edit_.Spin_Height(step);
        Show_Size();
        Draw_Strip();
    });
    size_ = new wxStaticText(this, wxID_ANY, "");
    size_row->Add(size_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, GAP * 2);
    left->Add(size_row, 0, wxALL, GAP * 2);

    const bool checked[4] = {f.two_handed, f.secondary, f.burnable, f.magical};
    for (int b = 0; b < 4; ++b) {
        flags_[b] = new wxCheckBox(this, FLAG_BOXES[b].id, FLAG_BOXES[b].text);
        flags_[b]->SetValue(checked[b]);
        left->Add(flags_[b], 0, wxLEFT | wxRIGHT | wxBOTTOM, GAP * 2);
    }
    body->Add(left, 0, wxEXPAND);

    page_ = new CEditModPage(this, OBJ_ITEM, edit_.Type(), edit_.Instance());
    body->Add(page_, 1, wxEXPAND | wxALL, GAP * 2);
    top->Add(body, 1, wxEXPAND);

    const auto [buttons, ok, cancel] = Ok_Cancel_Row(this);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxALL, GAP * 2);
    SetSizer(top);

    class_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { Show_Class(); });
    picture_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        picture_bar_->SetThumbPosition(edit_.Picture_Typed(Text_Of(picture_)));
        Draw_Strip();
    });
    for (const wxEventTypeTag<wxScrollEvent>& type :
         {wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM, wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN, wxEVT_SCROLL_PAGEUP,
          wxEVT_SCROLL_PAGEDOWN, wxEVT_SCROLL_THUMBTRACK}) {
        picture_bar_->Bind(type, [this](wxScrollEvent& e) {
            const int picture = edit_.Picture_Scrolled(e.GetPosition());
            picture_->ChangeValue(wxString::Format("%d", picture));
            picture_bar_->SetThumbPosition(picture);
            Draw_Strip();
        });
    }
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { On_OK(); });
    cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(IDC_DIALOG_CANCEL); });
}

item_form CEditItemDlg::Form() const {
    item_form f;
    f.name = Text_Of(name_);
    f.recognize = Text_Of(recognize_);
    f.price = Text_Of(price_);
    f.weight = Text_Of(weight_);
    f.disturb = Text_Of(disturb_);
    f.mp = Text_Of(mp_);
    f.defend = Text_Of(defend_);
    f.attack = Text_Of(attack_);
    f.damage_min = Text_Of(damage_min_);
    f.damage_max = Text_Of(damage_max_);
    f.palette = Text_Of(palette_);
    f.max_distance = Text_Of(max_distance_);
    f.picture = Text_Of(picture_);
    f.item_class = class_->GetSelection();
    f.two_handed = flags_[0]->GetValue();
    f.secondary = flags_[1]->GetValue();
    f.burnable = flags_[2]->GetValue();
    f.magical = flags_[3]->GetValue();
    return f;
}

void CEditItemDlg::Show_Class() {
    const int item_class = class_->GetSelection();
    extra_label_->SetLabel(ItemTypeEdit::Extra_Label(item_class));
    max_distance_->Show(ItemTypeEdit::Max_Distance_Shown(item_class));
    Layout();
}

void CEditItemDlg::Show_Size() { size_->SetLabel(wxString::Format("%d x %d", edit_.Width(), edit_.Height())); }

void CEditItemDlg::Draw_Strip() { edit_.Draw_Picture_Strip(Text_Of(palette_)); }

void CEditItemDlg::On_OK() {
    if (const std::optional<field_fault> fault = edit_.OK(Form(), page_->Page(), page_->Entries())) {
        Show_Field_Fault(this, *fault);
        return;
    }
    EndModal(IDC_DIALOG_OK);
}

void Run_Edit_Item_Dlg(std::uint16_t type, std::int32_t instance) {
    if (!Item_Type_Editable(type)) return;
    CEditItemDlg dialog(Wx_Game_Frame(Get_Main_Window()), type, instance);
    Run_Editor_Modal(dialog);
    dialog.Edit().Leave_Selection();
    Editor_Show_Selection_Preview();
}
