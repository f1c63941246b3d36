#include "editor/wx/PropDlg.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// wx has TRUE and FALSE as macros; the platform layer has them as constants.
#undef TRUE
#undef FALSE

#include "editor/MapProperties.h"
#include "editor/wx/ControlIds.h"
#include "editor/wx/EditorModal.h"
#include "platform/Window.h"
#include "platform/wx/WxGameWindow.h"

namespace {

constexpr int BORDER = 6;
constexpr int SIZE_FIELD_WIDTH = 60;
constexpr int NAME_FIELD_WIDTH = 140;

wxString Map_File_Filter() {
    return wxString::Format("%s|%s|%s|%s", FILTER_MAP_FILES, FILTER_MAP_PATTERN, FILTER_ALL_FILES, FILTER_ALL_PATTERN);
}

}  // namespace

CPropDlg::CPropDlg(wxWindow* parent) : wxDialog(parent, IDD_MAP_PROPERTIES, "Map properties") {
    const map_size_texts texts = Map_Size_Texts();
    const struct {
        int id;
        const char* label;
        const std::string& value;
    } fields[3] = {{IDC_X_SIZE, "X Size:", texts.width},
                   {IDC_Y_SIZE, "Y Size:", texts.height},
                   {IDC_Z_SIZE, "Z Size:", texts.levels}};
    auto* grid = new wxFlexGridSizer(2, BORDER, BORDER);
    for (int i = 0; i < 3; ++i) {
        grid->Add(new wxStaticText(this, wxID_ANY, fields[i].label), 0, wxALIGN_CENTER_VERTICAL);
        sizes_[i] =
            new wxTextCtrl(this, fields[i].id, fields[i].value, wxDefaultPosition, wxSize(SIZE_FIELD_WIDTH, -1));
        grid->Add(sizes_[i]);
    }
    grid->Add(new wxStaticText(this, wxID_ANY, "Map name:"), 0, wxALIGN_CENTER_VERTICAL);
    // Empty each time the dialog opens.
    name_ = new wxTextCtrl(this, IDC_MAP_NAME, "", wxDefaultPosition, wxSize(NAME_FIELD_WIDTH, -1));
    grid->Add(name_, 0, wxEXPAND);

    auto* buttons = new wxBoxSizer(wxVERTICAL);
    const struct {
        int id;
        const char* text;
        void (CPropDlg::*handler)();
    } rows[] = {{IDC_CHANGE_SIZE, "Change Size", &CPropDlg::On_Change_Size},
                {IDC_PROP_CLOSE, "Close", nullptr},
                {IDC_NEW_MAP, "New Map", &CPropDlg::On_New_Map},
                {IDC_LOAD_MAP, "Load Map", &CPropDlg::On_Load_Map},
                {IDC_SAVE_MAP, "Save Map", &CPropDlg::On_Save_Map}};
    for (const auto& row : rows) {
        auto* button = new wxButton(this, row.id, row.text);
        const auto handler = row.handler;
        // "Close" takes no value from the controls: a bad size does not keep
        // the designer in the dialog.
        button->Bind(wxEVT_BUTTON, [this, handler](wxCommandEvent&) {
            if (handler == nullptr)
                EndModal(IDC_PROP_CLOSE);
            else
                (this->*handler)();
        });
        buttons->Add(button, 0, wxEXPAND | wxBOTTOM, BORDER);
        if (row.id == IDC_CHANGE_SIZE) button->SetDefault();
    }

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(grid, 1, wxALL, 2 * BORDER);
    row->Add(buttons, 0, wxTOP | wxRIGHT | wxBOTTOM, 2 * BORDER);
    SetEscapeId(IDC_PROP_CLOSE);
    SetSizerAndFit(row);
}

bool CPropDlg::Take_Sizes(map_size& size) {
    const map_size_texts texts{sizes_[0]->GetValue().ToStdString(), sizes_[1]->GetValue().ToStdString(),
                               sizes_[2]->GetValue().ToStdString()};
    int failed = -1;
    if (Take_Map_Size(texts, size, &failed)) return true;
    if (failed >= 0 && failed < 3) {
        sizes_[failed]->SetFocus();
        sizes_[failed]->SelectAll();
    }
    return false;
}

std::optional<std::string> CPropDlg::Choose_Map_File(bool save) {
    const wxString initial = save ? name_->GetValue() + "." + MAP_FILE_EXTENSION : wxString();
    const long style = save ? wxFD_SAVE | wxFD_OVERWRITE_PROMPT : wxFD_OPEN | wxFD_FILE_MUST_EXIST;
    wxFileDialog chooser(this, save ? TITLE_SAVE_MAP : TITLE_LOAD_MAP, Map_Files_Folder(), initial, Map_File_Filter(),
                         style);
    if (chooser.ShowModal() != wxID_OK) return std::nullopt;
    std::string path = chooser.GetPath().ToStdString();
    if (save) path = With_Map_Extension(path);
    name_->ChangeValue(Map_File_Title(path));
    return path;
}

void CPropDlg::On_Change_Size() {
    map_size size;
    if (Take_Sizes(size) && Prop_Change_Size(size)) EndModal(IDC_CHANGE_SIZE);
}

void CPropDlg::On_New_Map() {
    map_size size;
    if (Take_Sizes(size) && Prop_New_Map(size)) EndModal(IDC_NEW_MAP);
}

void CPropDlg::On_Load_Map() {
    map_size size;
    if (!Take_Sizes(size)) return;
    const std::optional<std::string> path = Choose_Map_File(false);
    if (path && Prop_Load_Map(*path)) EndModal(IDC_LOAD_MAP);
}

void CPropDlg::On_Save_Map() {
    map_size size;
    if (!Take_Sizes(size)) return;
    const std::optional<std::string> path = Choose_Map_File(true);
    if (path && Prop_Save_Map(*path)) EndModal(IDC_SAVE_MAP);
}

void Run_Map_Properties() {
    CPropDlg dialog(Wx_Game_Frame(Get_Main_Window()));
    Run_Editor_Modal(dialog);
}
