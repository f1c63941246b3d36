// A value a dialog could not take: the standard message over the dialog,
// then the keyboard focus on the control the value came from. The dialog
// stays open.
#pragma once

class wxWindow;
struct field_fault;

// The box's title.
constexpr const char* FIELD_FAULT_CAPTION = "Orvex";

void Show_Field_Fault(wxWindow* dialog, const field_fault& fault);
