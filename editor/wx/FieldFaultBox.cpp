#include "editor/wx/FieldFaultBox.h"

#include <wx/msgdlg.h>
#include <wx/textctrl.h>

#include "editor/DialogEntries.h"

namespace {

constexpr const char* FAULT_CAPTION = "Orvex";

}  // namespace

void Show_Field_Fault(wxWindow* dialog, const field_fault& fault) {
    wxMessageDialog box(dialog, wxString(fault.message.c_str(), wxConvISO8859_1), FAULT_CAPTION,
                        wxOK | wxICON_EXCLAMATION);
    box.ShowModal();
    wxWindow* control = dialog != nullptr ? wxWindow::FindWindowById(fault.control, dialog) : nullptr;
    if (control == nullptr || !control->IsShownOnScreen()) return;
    control->SetFocus();
    if (auto* text = dynamic_cast<wxTextCtrl*>(control)) text->SelectAll();
}
