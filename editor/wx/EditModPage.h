// The modifier page (dialog 150) inside a type editor: the caption, the
// drop list of the kinds offered, the slot number with its spin, the level
// and the four parameters of the shown slot, each control with its
// template's id. What the controls do is ModPage's.
#pragma once
// Before wx, whose TRUE and FALSE macros would spoil the platform's constants.
#include "editor/ModPage.h"

#include <wx/panel.h>

#include <cstdint>
#include <optional>

class wxChoice;
class wxSpinButton;
class wxStaticText;
class wxTextCtrl;

class CEditModPage : public wxPanel {
  public:
    // owner_kind 2 character, 3 item, 5 fixitem; instance -1 for the type.
    CEditModPage(wxWindow* parent, std::uint16_t owner_kind, std::uint16_t type, std::int32_t instance);

    // The page's logic, and what its controls hold for the shown slot: the
    // owner's OK passes both to its own logic, which checks them with its
    // own entries and writes the chain only when all can be taken.
    ModPage& Page() { return page_; }
    mod_slot_entries Entries() const;

  private:
    // The shown slot's values and the kinds' list from the page.
    void Show_Slot();
    // The labels and what is shown, for the shown slot's kind.
    void Show_Kind();
    void On_Spin(int step);
    void On_Kind_Chosen();
    void On_Char_Hook(wxKeyEvent& e);

    ModPage page_;
    wxStaticText* caption_ = nullptr;
    wxChoice* kinds_ = nullptr;
    wxTextCtrl* slot_ = nullptr;
    wxSpinButton* spin_ = nullptr;
    wxStaticText* level_label_ = nullptr;
    wxTextCtrl* level_ = nullptr;
    wxStaticText* labels_[MOD_PARAMS] = {};
    wxTextCtrl* params_[MOD_PARAMS] = {};
};
