// The game program with its editor on the wx backend, driven from inside by
// a script of steps: each step acts as the designer would (a key, a click
// on a control found by its id in its dialog, a click on a map field), waits
// until the program shows the result, checks it in the program's state and
// keeps a screenshot. Run in a copy of artgen's folder:
//   wx_editor_driver FOLDER ARTGEN_FOLDER SHOTS_FOLDER
// It exits with 0 when every step passed, else 1 (what failed is on
// standard error).
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/window.h>

#undef TRUE
#undef FALSE

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Request.h"
#include "Objects/TypeTables.h"
#include "System/ScreenType.h"
#include "datafiles/Database.h"
#include "datafiles/MapImage.h"
#include "editor/EditorScreen.h"
#include "editor/EditorState.h"
#include "editor/FieldObjectList.h"
#include "editor/Placing.h"
#include "editor/wx/CharItemDlg.h"
#include "editor/wx/ControlIds.h"
#include "editor/wx/DataTreeCtrl.h"
#include "editor/wx/EditCharDlg.h"
#include "editor/wx/EditorDialogs.h"
#include "editor/wx/WxEditor.h"
#include "frontend/App.h"
#include "frontend/Hooks.h"
#include "frontend/MapView.h"
#include "platform/wx/WxBackend.h"
#include "platform/wx/WxGameWindow.h"
#include "tests/gui/XScreen.h"

namespace {

namespace fs = std::filesystem;
using clock_type = std::chrono::steady_clock;

fs::path original_folder;
fs::path shots_folder;
int failures = 0;

void Fail(const std::string& what) {
    std::fprintf(stderr, "FAILED: %s\n", what.c_str());
    ++failures;
}

std::string File_Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// ---- Finding things ----

wxWindow* Control(int dialog, int id) {
    wxWindow* d = wxWindow::FindWindowById(dialog);
    return d != nullptr ? wxWindow::FindWindowById(id, d) : nullptr;
}

std::string Status_Text() {
    auto* status = dynamic_cast<wxTextCtrl*>(Control(IDD_EDITOR, IDC_STATUS));
    return status != nullptr ? status->GetValue().ToStdString() : std::string("(no status line)");
}

// The screen point of a picture pixel.
wxPoint Picture_Point(int x, int y) {
    const HWND hwnd = Get_Main_Window();
    const screen_fit fit = Wx_Game_Fit(hwnd);
    wxWindow* canvas = Wx_Game_Canvas(hwnd);
    const wxPoint at(fit.left + x * fit.scale + fit.scale / 2, fit.top + y * fit.scale + fit.scale / 2);
    return canvas != nullptr ? canvas->ClientToScreen(at) : at;
}

// The anchor of a field of the shown level in the picture: the pixel that
// picks it.
POINT Field_Anchor(std::uint16_t field) {
    const int x = static_cast<int>(Field_X(field)), y = static_cast<int>(Field_Y(field));
    return {x * MAP_FIELD_WIDTH + y * MAP_ROW_STEP - scroll_x + map_view.left,
            y * MAP_ROW_STEP - scroll_y + map_view.top};
}

bool Well_In_View(std::uint16_t field) {
    const POINT a = Field_Anchor(field);
    return a.x > map_view.left + 40 && a.x < map_view.right - 40 && a.y > map_view.top + 60 &&
           a.y < map_view.bottom - 30;
}

// The first fixitem on the shown level whose picture is the door's.
std::uint16_t Find_Door() {
    for (std::uint32_t m = total_fields; m < maparray.Capacity(); ++m) {
        if (Map_Record_Is_Free(static_cast<std::uint16_t>(m))) continue;
        const fixitem_type& t = fixitem_types[maparray.records[m].type];
        if (strncasecmp(t.sprite_name, "DOOR", 5) != 0) continue;
        const std::uint16_t field = Object_Field(Make_Obj(OBJ_FIXITEM, static_cast<std::uint16_t>(m)));
        if (field < total_fields && Field_Level(field) == shown_level && Well_In_View(field))
            return static_cast<std::uint16_t>(m);
    }
    return NO_INDEX;
}

// A field with a floor and nothing on it, in view, some way from others.
std::uint16_t Find_Free_Field(std::uint16_t not_near_a, std::uint16_t not_near_b) {
    for (std::uint32_t f = shown_level * fields_per_level; f < (shown_level + 1) * fields_per_level; ++f) {
        const auto field = static_cast<std::uint16_t>(f);
        if (maparray.records[f].type == 0 || Obj_Kind(maparray.records[f].link) != OBJ_NONE) continue;
        if (!Well_In_View(field) || Ask_Self(Field_Head(field), REQ_ENTRY_COST) < 0) continue;
        bool near = false;
        for (std::uint16_t other : {not_near_a, not_near_b}) {
            if (other >= total_fields) continue;
            const int dx = static_cast<int>(Field_X(field)) - static_cast<int>(Field_X(other));
            const int dy = static_cast<int>(Field_Y(field)) - static_cast<int>(Field_Y(other));
            if (dx * dx + dy * dy < 9) near = true;
        }
        if (!near) return field;
    }
    return NO_FIELD;
}

// The modal dialog of that title that is open, or none.
wxDialog* Modal_Dialog(const char* title) {
    for (wxWindow* w : wxTopLevelWindows) {
        auto* dialog = dynamic_cast<wxDialog*>(w);
        if (dialog != nullptr && dialog->IsModal() && dialog->GetTitle() == title) return dialog;
    }
    return nullptr;
}

// The map as the map file would hold it passes the loader's checks.
bool Map_Checks_Pass(const char* when) {
    MapImage image;
    Capture_Map_Image(image);
    const std::string fault = Check_Map_Image(image);
    if (fault.empty()) return true;
    Fail(std::string(when) + ": the map fails its checks: " + fault);
    return false;
}

// ---- The script ----

struct step {
    std::string name;
    std::function<void()> act;
    // True once the program shows the result (checked every 100 ms).
    std::function<bool()> shown;
    // Checked once it shows; reports its own failures.
    std::function<void()> check;
};

class Driver : public wxTimer {
  public:
    explicit Driver(std::vector<step> steps) : steps_(std::move(steps)) {}
    void Notify() override;

  private:
    void Shot(const std::string& name) {
        char number[8];
        std::snprintf(number, sizeof number, "%02zu-", next_ + 1);
        if (const auto screen = Grab_Screen()) Save_Screen(*screen, (shots_folder / (number + name + ".png")).string());
    }
    void Finish() {
        Stop();
        // A dialog a failed step left open goes first; then the game closes in
        // order, as its quit control closes it.
        for (wxWindow* w : wxTopLevelWindows)
            if (auto* dialog = dynamic_cast<wxDialog*>(w); dialog != nullptr && dialog->IsModal())
                dialog->EndModal(wxID_CANCEL);
        wxTheApp->CallAfter([] { PostMessageA(Get_Main_Window(), WM_CLOSE, 0, 0); });
    }

    std::vector<step> steps_;
    std::size_t next_ = 0;
    bool acted_ = false;
    clock_type::time_point since_;
};

// A step is given a moment after its action before it is looked at, and
// ten seconds to show its result.
constexpr auto SETTLE = std::chrono::milliseconds(400);
constexpr auto STEP_LIMIT = std::chrono::seconds(10);

void Driver::Notify() {
    if (next_ >= steps_.size()) {
        Finish();
        return;
    }
    step& s = steps_[next_];
    if (!acted_) {
        if (s.act) s.act();
        acted_ = true;
        since_ = clock_type::now();
        return;
    }
    const auto waited = clock_type::now() - since_;
    if (waited < SETTLE) return;
    const bool shown = !s.shown || s.shown();
    if (!shown && waited < STEP_LIMIT) return;
    Shot(s.name);
    if (!shown) {
        Fail(s.name + ": not shown within the time limit (status \"" + Status_Text() + "\")");
        Finish();
        return;
    }
    if (s.check) s.check();
    ++next_;
    acted_ = false;
}

wxUIActionSimulator& Input() {
    static wxUIActionSimulator input;
    return input;
}

void Click_At(const wxPoint& at, int button = wxMOUSE_BTN_LEFT) {
    Input().MouseMove(at);
    wxYield();
    Input().MouseClick(button);
}

void Click_Control(int dialog, int id) {
    wxWindow* w = Control(dialog, id);
    if (w == nullptr) {
        Fail("no control " + std::to_string(id) + " in dialog " + std::to_string(dialog));
        return;
    }
    Click_At(w->GetScreenRect().GetPosition() + wxPoint(w->GetSize().x / 2, w->GetSize().y / 2));
}

void Click_Field(std::uint16_t field, int button = wxMOUSE_BTN_LEFT) {
    const POINT a = Field_Anchor(field);
    Click_At(Picture_Point(a.x, a.y), button);
}

void Press(int key) { Input().Char(key); }

// What the steps learn on the way.
std::uint16_t door = NO_INDEX;
std::uint16_t door_field = NO_FIELD;
std::uint8_t door_slot = 0;
std::uint16_t copy_field = NO_FIELD;
std::uint16_t moved_field = NO_FIELD;
std::uint16_t copy = NO_INDEX;
std::string tables_before;

// Where every character stands.
std::string places_before;
std::string Char_Places() {
    std::string places;
    for (std::uint32_t c = 0; c < chararray.Capacity(); ++c)
        if (Char_In_Use(static_cast<std::uint16_t>(c)))
            places += std::to_string(Object_Field(Make_Obj(OBJ_CHAR, static_cast<std::uint16_t>(c)))) + " ";
    return places;
}

std::string Tables_Now() {
    std::string all;
    for (const auto& file : Database_Files_Of_Tables()) all.append(file.begin(), file.end());
    return all;
}

// The fixitem of the door's slot standing on field, NO_INDEX when none.
std::uint16_t Door_Copy_On(std::uint16_t field) {
    obj_ref at = Field_Head(field);
    for (int steps = 0; steps < 100; ++steps) {
        Next_Object_No_Anim(at);
        if (Obj_Kind(at) == OBJ_NONE) return NO_INDEX;
        if (Obj_Kind(at) == OBJ_FIXITEM && maparray.records[Obj_Index(at)].type == door_slot) return Obj_Index(at);
    }
    return NO_INDEX;
}

// ---- The character type editor and the character items dialog ----

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
    for (int y = 2; y < 40; y += 3)
        for (int x = 2; x < tabs->GetSize().x; x += 4)
            if (tabs->HitTest(wxPoint(x, y)) == page) {
                Click_At(tabs->ClientToScreen(wxPoint(x + 4, y + 2)));
                return;
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
                     new_wolf_field = Find_Free_Field(door_field, moved_field);
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
                     auto* tree = dynamic_cast<CFieldTree*>(Control(IDD_DATA_TREE, IDC_FIELD_TREE));
                     int entry = -1;
                     for (std::size_t e = 0; e < field_objects.entries.size(); ++e)
                         if (field_objects.entries[e].image == OBJ_CHAR &&
                             field_objects.entries[e].parameter == warrior)
                             entry = static_cast<int>(e);
                     wxRect box;
                     if (tree == nullptr || !tree->GetBoundingRect(tree->Item_Of(entry), box, true)) {
                         Fail("the warrior's entry cannot be found in the field tree");
                         return;
                     }
                     // The menu of the entry: its first entry is "Edit this character".
                     Click_At(tree->ClientToScreen(box.GetPosition() + wxPoint(box.width / 2, box.height / 2)),
                              wxMOUSE_BTN_RIGHT);
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
                 [] { return ScreenType == SCREEN_EDITOR && Status_Text() == "Database loaded"; },
                 [] {
                     if (Wx_Game_Fit(Get_Main_Window()).scale != 2) Fail("the picture is not at scale 2");
                     if (editor_busy != 1) Fail("the editor is open but the tick runs");
                 }});
    s.push_back({"save-data", [] { Click_Control(IDD_EDITOR, IDC_SAVE_DATA); },
                 [] { return Status_Text() == "Database saved"; },
                 [] {
                     for (const char* name : {"edit.edt", "item.dat", "fixitem.dat", "char.dat", "mod.dat"})
                         if (File_Bytes(name) != File_Bytes(original_folder / name))
                             Fail(std::string(name) + " differs from artgen's after Save Data");
                 }});
    s.push_back({"load-data-without-mod-dat",
                 [] {
                     tables_before = Tables_Now();
                     fs::rename("mod.dat", "mod.dat.kept");
                     Click_Control(IDD_EDITOR, IDC_LOAD_DATA);
                 },
                 [] { return Status_Text() == "Unable to open modifier data file"; },
                 [] {
                     fs::rename("mod.dat.kept", "mod.dat");
                     if (Tables_Now() != tables_before) Fail("a refused Load Data changed the database");
                 }});
    s.push_back({"right-click-the-door",
                 [] {
                     door = Find_Door();
                     if (door == NO_INDEX) {
                         Fail("no door in view");
                         return;
                     }
                     door_slot = maparray.records[door].type;
                     door_field = Object_Field(Make_Obj(OBJ_FIXITEM, door));
                     Click_Field(door_field, wxMOUSE_BTN_RIGHT);
                 },
                 [] { return field_objects.label == std::to_string(door_field); },
                 [] {
                     bool listed = false;
                     for (const field_object_entry& e : field_objects.entries)
                         listed = listed || (e.image == OBJ_FIXITEM && e.parameter == door);
                     if (!listed) Fail("the door is not in the field's list");
                     if (field_objects.entries.empty() || field_objects.entries[0].parameter != door_field)
                         Fail("the field head is not the first entry");
                 }});
    s.push_back({"select-the-door",
                 [] {
                     auto* tree = dynamic_cast<CFieldTree*>(Control(IDD_DATA_TREE, IDC_FIELD_TREE));
                     int entry = -1;
                     for (std::size_t e = 0; e < field_objects.entries.size(); ++e)
                         if (field_objects.entries[e].parameter == door) entry = static_cast<int>(e);
                     wxRect box;
                     if (tree == nullptr || !tree->GetBoundingRect(tree->Item_Of(entry), box, true)) {
                         Fail("the door's entry cannot be found in the field tree");
                         return;
                     }
                     Click_At(tree->ClientToScreen(box.GetPosition() + wxPoint(box.width / 2, box.height / 2)));
                 },
                 [] {
                     return selection_on_map == 1 && editor_selection == editor_selection_ref{OBJ_FIXITEM, door};
                 },
                 nullptr});
    // The door stands closed, its last frame: Left shows the one before it,
    // Right the last again (and no further).
    s.push_back({"previous-frame", [] { Press(WXK_LEFT); },
                 [] { return preview_frame == maparray.records[door].frame - 1; }, nullptr});
    s.push_back({"next-frame", [] { Press(WXK_RIGHT); }, [] { return preview_frame == maparray.records[door].frame; },
                 nullptr});
    s.push_back({"copy-to-a-free-field",
                 [] {
                     copy_field = Find_Free_Field(door_field, NO_FIELD);
                     if (copy_field == NO_FIELD) Fail("no free field in view");
                     Click_Field(copy_field);
                 },
                 [] { return copy_field != NO_FIELD && Door_Copy_On(copy_field) != NO_INDEX; },
                 [] {
                     copy = Door_Copy_On(copy_field);
                     if (maparray.records[copy].frame != preview_frame)
                         Fail("the copy does not take the preview's frame");
                     if (editor_selection != editor_selection_ref{OBJ_FIXITEM, copy}) Fail("the copy is not selected");
                     Map_Checks_Pass("after the copy");
                 }});
    s.push_back({"shift-click-moves-it",
                 [] {
                     moved_field = Find_Free_Field(door_field, copy_field);
                     Input().KeyDown(WXK_SHIFT);
                     Click_Field(moved_field);
                     Input().KeyUp(WXK_SHIFT);
                 },
                 [] { return moved_field != NO_FIELD && Door_Copy_On(moved_field) == copy; },
                 [] {
                     if (Door_Copy_On(copy_field) != NO_INDEX) Fail("the moved copy is still on its old field");
                     Map_Checks_Pass("after the move");
                 }});
    s.push_back({"numeric-plus-raises-its-field", [] { Press(WXK_NUMPAD_ADD); },
                 [] { return (mapfield[moved_field] & MF_ELEVATION) == 1; }, nullptr});
    s.push_back({"hexa-grid", [] { Click_Control(IDD_EDITOR, IDC_HEXA_GRID); }, [] { return hex_grid == 1; }, nullptr});
    s.push_back({"level-minus",
                 [] {
                     tables_before = std::to_string(shown_level);
                     Click_Control(IDD_EDITOR, IDC_LEVEL_DOWN);
                 },
                 [] { return shown_level == (std::stoul(tables_before) + 1) % map_levels; },
                 [] {
                     // Back to the level with the door for the rest.
                     while (shown_level != Field_Level(door_field)) Editor_Level_Down();
                 }});
    s.push_back({"esc-opens-map-properties",
                 [] {
                     // The keyboard in the editor dialog: a click on its status line.
                     Click_Control(IDD_EDITOR, IDC_STATUS);
                     wxTheApp->CallAfter([] { Press(WXK_ESCAPE); });
                 },
                 [] { return Modal_Dialog("Map properties") != nullptr; },
                 [] {
                     if (ScreenType != SCREEN_EDITOR || editor_open != 1) Fail("Esc closed the editor");
                 }});
    s.push_back({"close-map-properties",
                 [] {
                     if (wxDialog* d = Modal_Dialog("Map properties")) {
                         wxWindow* close = wxWindow::FindWindowById(IDC_MAP_PROPERTIES, d);
                         if (close != nullptr) Click_At(close->GetScreenRect().GetPosition() + wxPoint(8, 8));
                     }
                 },
                 [] { return Modal_Dialog("Map properties") == nullptr; }, nullptr});
    s.push_back({"enter-on-ok-closes-nothing",
                 [] {
                     if (wxWindow* ok = Control(IDD_EDITOR, IDC_OK)) ok->SetFocus();
                     wxTheApp->CallAfter([] { Press(WXK_RETURN); });
                 },
                 nullptr,
                 [] {
                     if (editor_open != 1 || ScreenType != SCREEN_EDITOR) Fail("Enter closed the editor");
                 }});
    s.push_back({"test-map",
                 [] {
                     places_before = Char_Places();
                     Click_Control(IDD_EDITOR, IDC_TEST_MAP);
                 },
                 [] { return ScreenType == SCREEN_HEXAMAP && test_play == 1; },
                 [] {
                     if (editor_busy != 0) Fail("the tick stays stopped in the test play");
                     if (!fs::exists("Test.map")) Fail("no Test.map was written");
                 }});
    s.push_back({"esc-back-to-the-editor", [] { Press(WXK_ESCAPE); },
                 [] { return ScreenType == SCREEN_EDITOR && editor_open == 1; },
                 [] {
                     if (Door_Copy_On(moved_field) == NO_INDEX) Fail("the copy is not there after the test play");
                     if (Char_Places() != places_before) Fail("the characters are not back where the test play began");
                     if ((mapfield[moved_field] & MF_ELEVATION) != 1) Fail("the raised field is not raised");
                     Map_Checks_Pass("after the test play");
                 }});
    Add_Char_Editor_Steps(s);
    s.push_back({"ok-closes-the-editor", [] { Click_Control(IDD_EDITOR, IDC_OK); },
                 [] { return ScreenType == SCREEN_HEXAMAP && test_play == 0 && editor_open == 0; }, nullptr});
    return s;
}

// The game's application, with the driver started once the game is up.
class DriverApp : public CTheApp {
  public:
    BOOL InitInstance() override {
        const BOOL started = CTheApp::InitInstance();
        driver_ = new Driver(Script());
        driver_->Start(100);
        return started;
    }
    int ExitInstance() override {
        delete driver_;
        driver_ = nullptr;
        return CTheApp::ExitInstance();
    }

  private:
    Driver* driver_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s FOLDER ARTGEN_FOLDER SHOTS_FOLDER\n", argv[0]);
        return 2;
    }
    original_folder = fs::absolute(argv[2]);
    shots_folder = fs::absolute(argv[3]);
    fs::create_directories(shots_folder);
    if (::chdir(argv[1]) != 0) return 2;
    Install_Editor();
    Install_Wx_Editor();
    static DriverApp app;
    const int status = Run_Wx_Application(app, 1, argv);
    if (status != 0) Fail("the program ended with " + std::to_string(status));
    return failures == 0 ? 0 : 1;
}
