#include "editor/wx/EditFixDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/sizer.h>
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
#include "editor/wx/SelectFixDlg.h"
#include "platform/Window.h"
#include "platform/wx/WxGameWindow.h"

namespace {

constexpr int GAP = DIALOG_GAP;
constexpr const char* BROWSE_FILTER = "Fixitem sprites (*.BMP;)|*.BMP;*.bmp|All files (*.*)|*.*";

wxButton* Add_Button(wxWindow* parent, wxSizer* row, int id, const char* text) {
    auto* button = new wxButton(parent, id, text, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    row->Add(button, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, GAP);
    return button;
}

}  // namespace

CEditFixDlg::CEditFixDlg(wxWindow* parent, std::uint16_t type, std::int32_t instance)
    : wxDialog(parent, IDD_EDIT_FIXITEM, "Fixitem type"), edit_(type, instance) {
    Build();
    // The type has no frame of its own; a placed fixitem keeps its name.
    if (edit_.Live())
        name_->SetEditable(false);
    else {
        frame_->SetEditable(false);
        hp_->SetEditable(false);
    }
    SetEscapeId(IDC_DIALOG_CANCEL);
    SetAffirmativeId(IDC_DIALOG_OK);
    GetSizer()->SetSizeHints(this);
    Show_Amortized();
    Show_Picture();
    edit_.Show_Preview();
}

void CEditFixDlg::Build() {
    const fixitem_form& f = edit_.Opening_Form();
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* body = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxBoxSizer(wxVERTICAL);

    auto* grid = new wxFlexGridSizer(2, GAP, GAP * 2);
    grid->AddGrowableCol(1);
    name_ = Add_Labelled_Edit(this, grid, "Name:", IDC_FIX_NAME, f.name);
    name_->SetMaxLength(FIXITEM_NAME_LENGTH);

    grid->Add(new wxStaticText(this, IDC_FIX_FRAME_LABEL, "Frame:"), 0, wxALIGN_CENTER_VERTICAL);
    auto* frame_row = new wxBoxSizer(wxHORIZONTAL);
    frame_ =
        new wxTextCtrl(this, IDC_FIX_FRAME, Latin1_Text(f.frame), wxDefaultPosition, wxSize(NUMBER_EDIT_WIDTH, -1));
    frame_row->Add(frame_, 0, wxALIGN_CENTER_VERTICAL);
    frame_row->Add(new wxStaticText(this, wxID_ANY, " / "), 0, wxALIGN_CENTER_VERTICAL);
    frame_count_ = new wxStaticText(this, IDC_FIX_FRAME_COUNT, "0");
    frame_row->Add(frame_count_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(frame_row, 0, wxEXPAND);

    grid->Add(new wxStaticText(this, wxID_ANY, "Filename:"), 0, wxALIGN_CENTER_VERTICAL);
    auto* file_row = new wxBoxSizer(wxHORIZONTAL);
    file_name_ = new wxTextCtrl(this, IDC_FIX_FILE_NAME, "", wxDefaultPosition, wxSize(NUMBER_EDIT_WIDTH * 5 / 2, -1),
                                wxTE_READONLY);
    file_row->Add(file_name_, 1, wxALIGN_CENTER_VERTICAL);
    wxButton* browse = Add_Button(this, file_row, IDC_FIX_BROWSE, "Browse");
    grid->Add(file_row, 0, wxEXPAND);

    grid->Add(new wxStaticText(this, wxID_ANY, "Amortized:"), 0, wxALIGN_CENTER_VERTICAL);
    auto* amortized_row = new wxBoxSizer(wxHORIZONTAL);
    amortized_ = new wxStaticText(this, IDC_FIX_AMORTIZED, "", wxDefaultPosition, wxDefaultSize,
                                  wxST_NO_AUTORESIZE | wxBORDER_SUNKEN);
    amortized_->SetMinSize(wxSize(NUMBER_EDIT_WIDTH * 2, -1));
    amortized_row->Add(amortized_, 1, wxALIGN_CENTER_VERTICAL);
    wxButton* clear = Add_Button(this, amortized_row, IDC_FIX_CLEAR, "Clear");
    wxButton* set = Add_Button(this, amortized_row, IDC_FIX_SET, "Set");
    grid->Add(amortized_row, 0, wxEXPAND);

    mp_ = Add_Labelled_Edit(this, grid, "MP:", IDC_FIX_MP, f.mp, false);
    grid->Add(new wxStaticText(this, wxID_ANY, "Fieldfill:"), 0, wxALIGN_CENTER_VERTICAL);
    auto* fill_row = new wxBoxSizer(wxHORIZONTAL);
    fill_ = new wxTextCtrl(this, IDC_FIX_FILL, Latin1_Text(f.fill), wxDefaultPosition, wxSize(NUMBER_EDIT_WIDTH, -1));
    fill_row->Add(fill_, 0, wxALIGN_CENTER_VERTICAL);
    fill_row->Add(new wxStaticText(this, wxID_ANY, " %"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(fill_row);
    height_ = Add_Labelled_Edit(this, grid, "Height:", IDC_FIX_HEIGHT, f.height, false);
    defend_ = Add_Labelled_Edit(this, grid, "Defend:", IDC_FIX_DEFEND, f.defend, false);

    grid->Add(new wxStaticText(this, wxID_ANY, "HP:"), 0, wxALIGN_CENTER_VERTICAL);
    auto* hp_row = new wxBoxSizer(wxHORIZONTAL);
    max_hp_ =
        new wxTextCtrl(this, IDC_FIX_MAX_HP, Latin1_Text(f.max_hp), wxDefaultPosition, wxSize(NUMBER_EDIT_WIDTH, -1));
    hp_row->Add(max_hp_, 0, wxALIGN_CENTER_VERTICAL);
    hp_row->Add(new wxStaticText(this, wxID_ANY, " / "), 0, wxALIGN_CENTER_VERTICAL);
    hp_ = new wxTextCtrl(this, IDC_FIX_HP, Latin1_Text(f.hp), wxDefaultPosition, wxSize(NUMBER_EDIT_WIDTH, -1));
    hp_row->Add(hp_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(hp_row);
    left->Add(grid, 0, wxEXPAND | wxALL, GAP * 2);

    const struct {
        wxCheckBox** box;
        int id;
        const char* text;
        bool checked;
    } boxes[] = {
        {&ground_, IDC_FIX_GROUND, "Counts as ground", f.ground},
        {&water_, IDC_FIX_WATER, "Counts as water (put out fire)", f.water},
        {&burnable_, IDC_FIX_BURNABLE, "Object can burn", f.burnable},
        {&animated_, IDC_FIX_ANIMATED, "The object is ciclyc-animated", f.animated},
    };
    for (const auto& b : boxes) {
        *b.box = new wxCheckBox(this, b.id, b.text);
        (*b.box)->SetValue(b.checked);
        left->Add(*b.box, 0, wxLEFT | wxRIGHT | wxBOTTOM, GAP * 2);
    }
    body->Add(left, 0, wxEXPAND);

    page_ = new CEditModPage(this, OBJ_FIXITEM, edit_.Type(), edit_.Instance());
    body->Add(page_, 1, wxEXPAND | wxALL, GAP * 2);
    top->Add(body, 1, wxEXPAND);

    const auto [buttons, ok, cancel] = Ok_Cancel_Row(this);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxALL, GAP * 2);
    SetSizer(top);

    frame_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        if (edit_.Live()) edit_.Frame_Typed(Text_Of(frame_));
    });
    browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { On_Browse(); });
    clear->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        edit_.Clear_Amortized();
        Show_Amortized();
    });
    set->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { On_Set(); });
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { On_OK(); });
    cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(IDC_DIALOG_CANCEL); });
}

fixitem_form CEditFixDlg::Form() const {
    fixitem_form f;
    f.name = Text_Of(name_);
    f.frame = Text_Of(frame_);
    f.mp = Text_Of(mp_);
    f.fill = Text_Of(fill_);
    f.height = Text_Of(height_);
    f.defend = Text_Of(defend_);
    f.max_hp = Text_Of(max_hp_);
    f.hp = Text_Of(hp_);
    f.ground = ground_->GetValue();
    f.water = water_->GetValue();
    f.burnable = burnable_->GetValue();
    f.animated = animated_->GetValue();
    return f;
}

void CEditFixDlg::Show_Picture() {
    file_name_->ChangeValue(Latin1_Text(edit_.File_Name_Text()));
    frame_count_->SetLabel(wxString::Format("%d", edit_.Frame_Count()));
    Layout();
}

void CEditFixDlg::Show_Amortized() { amortized_->SetLabel(Latin1_Text(edit_.Amortized_Text())); }

void CEditFixDlg::On_Browse() {
    const wxString folder = FixitemTypeEdit::Art_Folder().string();
    wxFileDialog choose(this, FIXITEM_ART_FOLDER, folder, "", BROWSE_FILTER, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (choose.ShowModal() != wxID_OK) return;
    if (edit_.Browsed(std::filesystem::path(choose.GetPath().ToStdString()))) Show_Picture();
}

void CEditFixDlg::On_Set() {
    if (const std::optional<editor_selection_ref> picked = Run_Select_Fix_Dlg(this)) {
        edit_.Set_Amortized(*picked);
        Show_Amortized();
    }
    // The selection's tree showed its own preview.
    edit_.Show_Preview();
}

void CEditFixDlg::On_OK() {
    if (const std::optional<field_fault> fault = edit_.OK(Form(), page_->Page(), page_->Entries())) {
        Show_Field_Fault(this, *fault);
        return;
    }
    EndModal(IDC_DIALOG_OK);
}

void Run_Edit_Fix_Dlg(std::uint16_t type, std::int32_t instance) {
    if (!Fixitem_Type_Editable(type, instance)) return;
    CEditFixDlg dialog(Wx_Game_Frame(Get_Main_Window()), type, instance);
    Run_Editor_Modal(dialog);
    dialog.Edit().Leave_Selection();
    Editor_Show_Selection_Preview();
}
