// The fixitem selection (dialog 153): a read-only copy of the editor's
// fixitem tree (1084) with "OK" and "Cancel"; what is selected in it when
// OK closes it is the dialog's answer. "Set" of the fixitem type editor
// picks the type a fixitem turns into with it.
#pragma once
#include "editor/EditorState.h"

#include <wx/dialog.h>

#include <optional>

namespace editor_wx {
class CDataTree;
}

class CSelectFixDlg : public wxDialog {
  public:
    explicit CSelectFixDlg(wxWindow* parent);
    editor_wx::CDataTree* Tree() const { return tree_; }

  private:
    editor_wx::CDataTree* tree_ = nullptr;
};

// Runs the selection over the map: the editor's selection as OK found it
// (a fixitem type, or a folder: kind 0); nothing after Cancel, or after OK
// with no entry picked. The editor's selection is what it was before,
// either way.
std::optional<editor_selection_ref> Run_Select_Fix_Dlg(wxWindow* parent);
