#include "editor/wx/FieldFaultBox.h"

// The generic box needs the declarations of the native one first.
#include <wx/msgdlg.h>

#include <wx/generic/msgdlgg.h>
#include <wx/textctrl.h>

#include "editor/DialogEntries.h"

void Show_Field_Fault(wxWindow* dialog, const field_fault& fault) {
    // wx's own box, a dialog like the editor's others.
    wxGenericMessageDialog box(dialog, wxString(fault.message.c_str(), wxConvISO8859_1), FIELD_FAULT_CAPTION,
                               wxOK | wxICON_EXCLAMATION);
    box.ShowModal();
    wxWindow* control = dialog != nullptr ? wxWindow::FindWindowById(fault.control, dialog) : nullptr;
    if (control == nullptr || !control->IsShownOnScreen()) return;
    control->SetFocus();
    if (auto* text = dynamic_cast<wxTextCtrl*>(control)) text->SelectAll();
}
