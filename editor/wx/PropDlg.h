// The map properties dialog (template 156) on wx: the map's three sizes
// and a map name, "Change Size", "Close", "New Map", "Load Map" and "Save
// Map", each control with its template's id. What the buttons do is the
// editor's (editor/MapProperties.h); this is the window, the taking of the
// values and the file dialogs.
#pragma once
#include <wx/dialog.h>

#include <optional>
#include <string>

class wxTextCtrl;
struct map_size;

class CPropDlg : public wxDialog {
  public:
    explicit CPropDlg(wxWindow* parent);

  private:
    // The sizes from the controls; on a value out of range the control that
    // holds it takes the focus.
    bool Take_Sizes(map_size& size);
    // The file the designer chose in the load or save dialog (the map name
    // becomes its title); nothing when cancelled.
    std::optional<std::string> Choose_Map_File(bool save);

    void On_Change_Size();
    void On_New_Map();
    void On_Load_Map();
    void On_Save_Map();

    wxTextCtrl* sizes_[3] = {};
    wxTextCtrl* name_ = nullptr;
};

// Runs the dialog modally over the map view (the editor dialog's "Map
// properties" button and Esc).
void Run_Map_Properties();
