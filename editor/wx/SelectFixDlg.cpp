#include "editor/wx/SelectFixDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>

// wx has TRUE and FALSE as macros; the platform layer has them as constants.
#undef TRUE
#undef FALSE

#include "Objects/ObjRef.h"
#include "editor/wx/ControlIds.h"
#include "editor/wx/DataTreeCtrl.h"
#include "editor/wx/DialogLayout.h"
#include "editor/wx/EditorModal.h"

namespace {

constexpr int GAP = DIALOG_GAP;
constexpr int TREE_WIDTH = 220;
constexpr int TREE_HEIGHT = 320;

}  // namespace

CSelectFixDlg::CSelectFixDlg(wxWindow* parent) : wxDialog(parent, IDD_SELECT_FIXITEM, "Select fixitem") {
    auto* column = new wxBoxSizer(wxVERTICAL);
    tree_ = new editor_wx::CDataTree(this, IDC_SELECT_TREE, OBJ_FIXITEM, true);
    tree_->SetMinSize(wxSize(TREE_WIDTH, TREE_HEIGHT));
    column->Add(tree_, 1, wxEXPAND | wxALL, GAP * 2);
    const auto [buttons, ok, cancel] = Ok_Cancel_Row(this);
    column->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, GAP * 2);
    SetSizerAndFit(column);
    SetEscapeId(IDC_DIALOG_CANCEL);
    SetAffirmativeId(IDC_DIALOG_OK);
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(IDC_DIALOG_OK); });
    cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(IDC_DIALOG_CANCEL); });
}

std::optional<editor_selection_ref> Run_Select_Fix_Dlg(wxWindow* parent) {
    const editor_selection_ref before = editor_selection;
    const bool on_map = selection_on_map != 0;
    // Nothing picked yet: a folder's answer.
    Set_Editor_Selection(OBJ_NONE, NO_INDEX, false);
    CSelectFixDlg dialog(parent);
    const bool ok = Run_Editor_Modal(dialog) == IDC_DIALOG_OK;
    // OK with no entry picked answers nothing, as Cancel does.
    const bool picked_one = dialog.Tree()->Selected_Entry() != TREE_ROOT;
    const editor_selection_ref picked = editor_selection;
    Set_Editor_Selection(before.kind, before.index, on_map);
    if (!ok || !picked_one) return std::nullopt;
    return picked;
}
