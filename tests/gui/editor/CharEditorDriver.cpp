// The character type editor and the character items dialog on the wx
// backend, driven from inside by a script of steps (see DriverSteps.h): the
// wolf type from the character tree (a new name, the
// head edit clamping 40 to 23, then 7, and Iron_Skin in the modifier page's
// slot 1), placed on the map; the placed warrior through the field tree's
// "Edit this character", his items dialog putting a mace into his right
// hand and a healing potion into his backpack; Test Map shows the new wolf
// and the mace; Save Data writes the wolf type.
//   wx_char_editor_driver FOLDER ARTGEN_FOLDER SHOTS_FOLDER
#include <wx/app.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#undef TRUE
#undef FALSE

#include <cstring>
#include <string>
#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/TypeTables.h"
#include "System/ScreenType.h"
#include "editor/EditorScreen.h"
#include "editor/EditorState.h"
#include "editor/FieldObjectList.h"
#include "editor/wx/CharItemDlg.h"
#include "editor/wx/ControlIds.h"
#include "editor/wx/DataTreeCtrl.h"
#include "editor/wx/EditCharDlg.h"
#include "editor/wx/EditorDialogs.h"
#include "frontend/Hooks.h"
#include "tests/gui/editor/DriverSteps.h"

using namespace driver;

namespace {

// A character type of that name, NO_INDEX when none.
std::uint16_t Char_Type_Named(const char* name) {
    for (std::size_t t = 0; t < char_data.size(); ++t)
        if (Char_Name(char_data[t]) == name) return static_cast<std::uint16_t>(t);
    return NO_INDEX;
}
std::uint16_t Item_Type_Named(const char* name) {
    for (std::size_t t = 0; t < item_types.size(); ++t)
        if (std::strncmp(item_types[t].name, name, sizeof item_types[t].name) == 0)
            return static_cast<std::uint16_t>(t);
    return NO_INDEX;
}
// The placed character of that name, NO_INDEX when none.
std::uint16_t Placed_Char_Named(const char* name) {
    for (std::uint32_t c = 0; c < chararray.Capacity(); ++c)
        if (Char_In_Use(static_cast<std::uint16_t>(c)) && Char_Name(chararray.records[c]) == name)
            return static_cast<std::uint16_t>(c);
    return NO_INDEX;
}

// A control of a dialog outside its modifier page (whose ids overlap).
wxWindow* Own_Control(wxWindow* w, int id) {
    for (wxWindow* child : w->GetChildren()) {
        if (child->GetId() == IDD_MOD_PAGE) continue;
        if (child->GetId() == id) return child;
        if (wxWindow* found = Own_Control(child, id)) return found;
    }
    return nullptr;
}
wxWindow* Dialog_Control(int dialog, int id, bool in_page = false) {
    wxWindow* d = wxWindow::FindWindowById(dialog);
    if (d == nullptr) return nullptr;
    if (in_page) {
        wxWindow* page = wxWindow::FindWindowById(IDD_MOD_PAGE, d);
        return page != nullptr ? wxWindow::FindWindowById(id, page) : nullptr;
    }
    return Own_Control(d, id);
}
void Click_Window(wxWindow* w) {
    if (w == nullptr) {
        Fail("a control is missing");
        return;
    }
    Click_At(w->GetScreenRect().GetPosition() + wxPoint(w->GetSize().x / 2, w->GetSize().y / 2));
}
// Types text into an edit as the designer does: a click, all selected, the text.
void Type_Into(wxWindow* w, const std::string& text) {
    Click_Window(w);
    wxTheApp->CallAfter([w, text] {
        if (auto* edit = dynamic_cast<wxTextCtrl*>(w)) edit->SelectAll();
        Input().Text(text.c_str());
    });
}

// The entry of a data tree control labelled label, made visible.
wxTreeItemId Tree_Entry(editor_wx::CDataTree* tree, const std::string& label) {
    if (tree == nullptr) return {};
    const ::CDataTree& model = tree->Model();
    std::vector<TreeItem> todo(model.Children(TREE_ROOT).begin(), model.Children(TREE_ROOT).end());
    while (!todo.empty()) {
        const TreeItem e = todo.back();
        todo.pop_back();
        if (model.Label(e) == label && model.Image(e) != TREE_FOLDER) {
            const wxTreeItemId item = tree->Item_Of(e);
            if (item.IsOk()) tree->EnsureVisible(item);
            return item;
        }
        for (TreeItem c : model.Children(e)) todo.push_back(c);
    }
    return {};
}
void Click_Tree_Entry(editor_wx::CDataTree* tree, const std::string& label) {
    const wxTreeItemId item = Tree_Entry(tree, label);
    wxRect box;
    if (!item.IsOk() || !tree->GetBoundingRect(item, box, true)) {
        Fail("no entry \"" + label + "\" in the tree");
        return;
    }
    Click_At(tree->ClientToScreen(box.GetPosition() + wxPoint(box.width / 2, box.height / 2)));
}
// Clicks the tab of the tree dialog's notebook that shows page.
void Click_Tab(int page) {
    auto* tabs = dynamic_cast<wxNotebook*>(Control(IDD_DATA_TREE, IDC_TABS));
    if (tabs == nullptr) {
        Fail("no tabs");
        return;
    }
    // Under load GTK may not have laid the tabs out yet: let it, a while.
    for (int attempt = 0; attempt < 40; ++attempt) {
        for (int y = 2; y < 40; y += 3)
            for (int x = 2; x < tabs->GetSize().x; x += 4)
                if (tabs->HitTest(wxPoint(x, y)) == page) {
                    Click_At(tabs->ClientToScreen(wxPoint(x + 4, y + 2)));
                    return;
                }
        wxMilliSleep(50);
        wxSafeYield(nullptr, true);
    }
    Fail("tab " + std::to_string(page) + " not found");
}
// Picks the entry of a drop list by its text: the list opened, then the
// keys down to it.
void Choose_In(wxWindow* w, const char* text) {
    auto* choice = dynamic_cast<wxChoice*>(w);
    if (choice == nullptr) {
        Fail(std::string("no drop list for ") + text);
        return;
    }
    const int wanted = choice->FindString(text);
    if (wanted == wxNOT_FOUND) {
        Fail(std::string("no entry ") + text);
        return;
    }
    choice->SetFocus();
    const int from = choice->GetSelection() < 0 ? 0 : choice->GetSelection();
    for (int k = from; k < wanted; ++k) Press(WXK_DOWN);
    for (int k = from; k > wanted; --k) Press(WXK_UP);
}
CEditCharDlg* Char_Dialog() { return dynamic_cast<CEditCharDlg*>(wxWindow::FindWindowById(IDD_EDIT_CHAR)); }
CCharItemDlg* Items_Dialog() { return dynamic_cast<CCharItemDlg*>(wxWindow::FindWindowById(IDD_CHAR_ITEMS)); }

std::uint16_t wolf_type = NO_INDEX;
std::uint16_t new_wolf_field = NO_FIELD;
std::uint16_t warrior = NO_INDEX;
std::uint16_t mace_type = NO_INDEX;
std::uint16_t potion_type = NO_INDEX;
constexpr const char* NEW_WOLF_NAME = "Grey wolf";

void Add_Char_Editor_Steps(std::vector<step>& s) {
    s.push_back({"chars-tab-select-the-wolf",
                 [] {
                     wolf_type = Char_Type_Named("Wolf");
                     mace_type = Item_Type_Named("Mace");
                     potion_type = Item_Type_Named("Healing potion");
                     warrior = Placed_Char_Named("Aldric");
                     if (wolf_type == NO_INDEX || mace_type == NO_INDEX || potion_type == NO_INDEX ||
                         warrior == NO_INDEX)
                         Fail("artgen's wolf, mace, healing potion or warrior is missing");
                     Click_Tab(2);
                     wxTheApp->CallAfter([] {
                         auto* trees = dynamic_cast<CDataTreeDlg*>(wxWindow::FindWindowById(IDD_DATA_TREE));
                         Click_Tree_Entry(trees != nullptr ? trees->Data_Tree(OBJ_CHAR) : nullptr, "Wolf");
                     });
                 },
                 [] {
                     return editor_selection == editor_selection_ref{OBJ_CHAR, wolf_type} && !selection_on_map;
                 },
                 nullptr});
    s.push_back({"edit-opens-the-wolf-type", [] { Click_Control(IDD_DATA_TREE, IDC_EDIT); },
                 [] { return Char_Dialog() != nullptr && Char_Dialog()->IsShownOnScreen(); },
                 [] {
                     if (Char_Dialog()->Edit().Live()) Fail("the wolf type opens as a placed character");
                 }});
    s.push_back({"name-the-wolf", [] { Type_Into(Dialog_Control(IDD_EDIT_CHAR, IDC_CHAR_NAME), NEW_WOLF_NAME); },
                 [] {
                     auto* name = dynamic_cast<wxTextCtrl*>(Dialog_Control(IDD_EDIT_CHAR, IDC_CHAR_NAME));
                     return name != nullptr && name->GetValue() == NEW_WOLF_NAME;
                 },
                 nullptr});
    s.push_back({"head-40-shows-23", [] { Type_Into(Dialog_Control(IDD_EDIT_CHAR, IDC_CHAR_HEAD), "40"); },
                 [] { return Char_Dialog()->Edit().head == 23; },
                 [] {
                     if (Char_Dialog()->Edit().mode != CharPreviewMode::Heads) Fail("the heads are not shown");
                 }});
    s.push_back({"head-7", [] { Type_Into(Dialog_Control(IDD_EDIT_CHAR, IDC_CHAR_HEAD), "7"); },
                 [] { return Char_Dialog()->Edit().head == 7; }, nullptr});
    // The wolf keeps its program in slot 0; Iron_Skin goes into slot 1.
    s.push_back({"modifier-slot-1",
                 [] {
                     wxWindow* spin = Dialog_Control(IDD_EDIT_CHAR, IDC_MOD_SLOT_SPIN, true);
                     if (spin == nullptr) {
                         Fail("no slot spin");
                         return;
                     }
                     // The spin's "+" half.
                     Click_At(spin->GetScreenRect().GetPosition() +
                              wxPoint(spin->GetSize().x * 3 / 4, spin->GetSize().y / 2));
                 },
                 [] {
                     auto* slot = dynamic_cast<wxTextCtrl*>(Dialog_Control(IDD_EDIT_CHAR, IDC_MOD_SLOT, true));
                     return slot != nullptr && slot->GetValue() == "1";
                 },
                 nullptr});
    s.push_back({"a-modifier-iron-skin",
                 [] { Choose_In(Dialog_Control(IDD_EDIT_CHAR, IDC_MOD_KIND, true), "Iron_Skin"); },
                 [] {
                     auto* kinds = dynamic_cast<wxChoice*>(Dialog_Control(IDD_EDIT_CHAR, IDC_MOD_KIND, true));
                     return kinds != nullptr && kinds->GetStringSelection() == "Iron_Skin";
                 },
                 nullptr});
    s.push_back({"ok-writes-the-wolf-type", [] { Click_Window(Dialog_Control(IDD_EDIT_CHAR, IDC_DIALOG_OK)); },
                 [] { return Char_Dialog() == nullptr; },
                 [] {
                     const char_record& r = char_data[wolf_type];
                     if (Char_Name(r) != NEW_WOLF_NAME || r.head != 7)
                         Fail("the wolf type did not take its name and head");
                     std::vector<std::uint32_t> kinds;
                     for (std::uint32_t m = r.first_mod; m < mod_data.Capacity() && kinds.size() < 100;
                          m = mod_data.records[m].next)
                         kinds.push_back(mod_data.records[m].type);
                     if (kinds != std::vector<std::uint32_t>{MK_BASIC_MONSTER, MK_IRON_SKIN})
                         Fail("the wolf type's modifiers are not its program and Iron_Skin");
                     if (editor_selection != editor_selection_ref{OBJ_CHAR, wolf_type})
                         Fail("the selection left the wolf");
                 }});
    s.push_back({"place-the-new-wolf",
                 [] {
                     new_wolf_field = Find_Free_Field(NO_FIELD, NO_FIELD);
                     Click_Field(new_wolf_field);
                 },
                 [] { return Char_On_Field(new_wolf_field) != NO_INDEX; },
                 [] {
                     if (Char_Name(chararray.records[Char_On_Field(new_wolf_field)]) != NEW_WOLF_NAME)
                         Fail("the placed wolf has not the new name");
                 }});
    s.push_back({"right-click-the-warrior",
                 [] { Click_Field(Object_Field(Make_Obj(OBJ_CHAR, warrior)), wxMOUSE_BTN_RIGHT); },
                 [] {
                     for (const field_object_entry& e : field_objects.entries)
                         if (e.image == OBJ_CHAR && e.parameter == warrior) return true;
                     return false;
                 },
                 nullptr});
    s.push_back({"edit-this-character",
                 [] {
                     // The menu of the entry: its first entry is "Edit this character".
                     if (!Click_Field_Entry(OBJ_CHAR, warrior, "warrior", wxMOUSE_BTN_RIGHT)) return;
                     wxTheApp->CallAfter([] {
                         Press(WXK_DOWN);
                         Press(WXK_RETURN);
                     });
                 },
                 [] { return Char_Dialog() != nullptr && Char_Dialog()->IsShownOnScreen(); },
                 [] {
                     if (!Char_Dialog()->Edit().Live() || Char_Dialog()->Edit().Instance_Index() != warrior)
                         Fail("the dialog is not on the placed warrior");
                 }});
    s.push_back({"edit-characters-items", [] { Click_Window(Dialog_Control(IDD_EDIT_CHAR, IDC_CHAR_EDIT_ITEMS)); },
                 [] { return Items_Dialog() != nullptr && Items_Dialog()->IsShownOnScreen(); },
                 [] {
                     if (!Items_Dialog()->Items().Live()) Fail("the items dialog is not on a placed character");
                     if (editor_selection != editor_selection_ref{}) Fail("the items dialog starts with a selection");
                 }});
    s.push_back({"choose-the-mace", [] { Click_Tree_Entry(Items_Dialog()->Item_Tree(), "Mace"); },
                 [] {
                     return editor_selection == editor_selection_ref{OBJ_ITEM, mace_type};
                 },
                 nullptr});
    s.push_back({"mace-into-the-right-hand", [] { Click_Window(wxWindow::FindWindowById(1212, Items_Dialog())); },
                 [] {
                     const std::int16_t i = chararray.records[warrior].slots[SLOT_RIGHT_HAND];
                     return i > 0 && itemarray.records[static_cast<std::uint16_t>(i)].type == mace_type;
                 },
                 [] {
                     auto* b = dynamic_cast<wxButton*>(wxWindow::FindWindowById(1212, Items_Dialog()));
                     if (b == nullptr || b->GetLabel() != "Mace") Fail("the right hand's button does not say Mace");
                 }});
    s.push_back({"choose-the-potion", [] { Click_Tree_Entry(Items_Dialog()->Item_Tree(), "Healing potion"); },
                 [] {
                     return editor_selection == editor_selection_ref{OBJ_ITEM, potion_type};
                 },
                 nullptr});
    s.push_back({"potion-into-the-backpack",
                 [] { Click_Window(wxWindow::FindWindowById(IDC_ITEMS_PUT_INTO_BACKPACK, Items_Dialog())); },
                 [] {
                     for (int c = 0; c < BACKPACK_SLOTS; ++c) {
                         const std::int16_t i = chararray.records[warrior].slots[c];
                         if (i > 0 && itemarray.records[static_cast<std::uint16_t>(i)].type == potion_type) return true;
                     }
                     return false;
                 },
                 nullptr});
    s.push_back({"items-ok", [] { Click_Window(wxWindow::FindWindowById(IDC_DIALOG_OK, Items_Dialog())); },
                 [] { return Items_Dialog() == nullptr; },
                 [] {
                     if (editor_selection != editor_selection_ref{OBJ_CHAR, warrior} || !selection_on_map)
                         Fail("the selection is not back on the warrior");
                 }});
    s.push_back({"warrior-ok", [] { Click_Window(Dialog_Control(IDD_EDIT_CHAR, IDC_DIALOG_OK)); },
                 [] { return Char_Dialog() == nullptr; },
                 [] {
                     if (chararray.records[warrior].db_type != -1) Fail("the warrior keeps its database type");
                     Map_Checks_Pass("after the items");
                 }});
    s.push_back({"test-map-with-the-wolf-and-the-mace", [] { Click_Control(IDD_EDITOR, IDC_TEST_MAP); },
                 [] { return ScreenType == SCREEN_HEXAMAP && test_play == 1; },
                 [] {
                     const std::uint16_t wolf = Char_On_Field(new_wolf_field);
                     if (wolf == NO_INDEX || Char_Name(chararray.records[wolf]) != NEW_WOLF_NAME)
                         Fail("the new wolf is not on the map in the test play");
                     const std::uint16_t w = Placed_Char_Named("Aldric");
                     const std::int16_t i = w != NO_INDEX ? chararray.records[w].slots[SLOT_RIGHT_HAND] : 0;
                     if (i <= 0 || itemarray.records[static_cast<std::uint16_t>(i)].type != mace_type)
                         Fail("the warrior does not hold the mace in the test play");
                 }});
    s.push_back({"esc-back-after-the-test", [] { Press(WXK_ESCAPE); },
                 [] { return ScreenType == SCREEN_EDITOR && editor_open == 1; }, nullptr});
    s.push_back({"save-data-keeps-the-wolf", [] { Click_Control(IDD_EDITOR, IDC_SAVE_DATA); },
                 [] { return Status_Text() == "Database saved"; },
                 [] {
                     const std::string chars = File_Bytes("char.dat");
                     if (chars.find(NEW_WOLF_NAME) == std::string::npos) Fail("char.dat does not hold the new wolf");
                 }});
}

std::vector<step> Script() {
    std::vector<step> s;
    s.push_back({"hexamap", nullptr, [] { return ScreenType == SCREEN_HEXAMAP; }, nullptr});
    s.push_back({"editor-opens", [] { Press('E'); },
                 [] { return ScreenType == SCREEN_EDITOR && Status_Text() == "Database loaded"; }, nullptr});
    Add_Char_Editor_Steps(s);
    s.push_back({"ok-closes-the-editor", [] { Click_Control(IDD_EDITOR, IDC_OK); },
                 [] { return ScreenType == SCREEN_HEXAMAP && editor_open == 0; }, nullptr});
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    driver::shot_prefix = "chars-";
    return driver::Run_Driver(argc, argv, &Script);
}
