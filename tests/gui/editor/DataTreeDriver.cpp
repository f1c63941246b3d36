// The data trees of the editor on the X display, driven from inside (see
// DriverSteps.h): each tab shows its one tree; the door type is selected in
// the fixitem tree (the preview strip shows it) and placed, a wolf and a
// long sword likewise from their trees; a new fixitem type is inserted from
// the context menu, renamed in place, dragged into a folder and deleted
// into the "Recycle Bin"; Save Data writes the trees and Load Data brings
// them back with the same stream bytes.
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/window.h>

#undef TRUE
#undef FALSE

#include <cstring>
#include <string>
#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/TypeTables.h"
#include "System/ScreenType.h"
#include "datafiles/Database.h"
#include "editor/DataTreeEdit.h"
#include "editor/EditorScreen.h"
#include "editor/EditorState.h"
#include "editor/wx/ControlIds.h"
#include "editor/wx/DataTreeCtrl.h"
#include "tests/gui/editor/DriverSteps.h"

namespace {

using namespace driver;

constexpr int TREE_IDS[3] = {IDC_ITEM_TREE, IDC_FIXITEM_TREE, IDC_CHAR_TREE};
// The tab of each tree's kind.
int Tab_Of(int kind) { return kind == OBJ_ITEM ? 0 : kind == OBJ_FIXITEM ? 1 : 2; }

editor_wx::CDataTree* Tree_Control(int kind) {
    return dynamic_cast<editor_wx::CDataTree*>(Control(IDD_DATA_TREE, TREE_IDS[Tab_Of(kind)]));
}

// The entry of a tree with that label, TREE_ROOT when none.
TreeItem Find_Entry(const CDataTree& tree, TreeItem under, const std::string& label) {
    for (TreeItem child : tree.Children(under)) {
        if (tree.Label(child) == label) return child;
        if (const TreeItem inner = Find_Entry(tree, child, label); inner != TREE_ROOT) return inner;
    }
    return TREE_ROOT;
}
TreeItem Find_Entry(int kind, const std::string& label) {
    return Find_Entry(*Editor_Data_Tree(kind), TREE_ROOT, label);
}

// An entry of a tree control's own tree by its label, and where it shows.
TreeItem Find_In(editor_wx::CDataTree* tree, const std::string& label) {
    return Find_Entry(tree->Model(), TREE_ROOT, label);
}
std::optional<wxPoint> Point_In(editor_wx::CDataTree* tree, TreeItem entry) {
    wxRect box;
    if (!tree->GetBoundingRect(tree->Item_Of(entry), box, true) || box.y < 0 ||
        box.GetBottom() > tree->GetClientSize().y)
        return std::nullopt;
    return tree->ClientToScreen(box.GetPosition() + wxPoint(box.width / 2, box.height / 2));
}
void Double_Click_In(editor_wx::CDataTree* tree, TreeItem entry) {
    const auto at = Point_In(tree, entry);
    if (!at) {
        Fail("entry " + tree->Model().Label(entry) + " is not in view");
        return;
    }
    Input().MouseMove(*at);
    wxYield();
    Input().MouseDblClick();
}

void Click_In(editor_wx::CDataTree* tree, TreeItem entry, int button = wxMOUSE_BTN_LEFT) {
    const auto at = Point_In(tree, entry);
    if (!at) {
        Fail("entry " + tree->Model().Label(entry) + " is not in view");
        return;
    }
    Click_At(*at, button);
}

std::optional<wxPoint> Entry_Point(int kind, TreeItem entry) {
    editor_wx::CDataTree* tree = Tree_Control(kind);
    return tree != nullptr ? Point_In(tree, entry) : std::nullopt;
}

void Click_Entry(int kind, TreeItem entry, int button = wxMOUSE_BTN_LEFT) {
    if (editor_wx::CDataTree* tree = Tree_Control(kind)) Click_In(tree, entry, button);
}

// A click on the tab of a tree's kind.
void Click_Tab(int kind) {
    auto* tabs = dynamic_cast<wxNotebook*>(Control(IDD_DATA_TREE, IDC_TABS));
    if (tabs == nullptr) {
        Fail("no tab control");
        return;
    }
    // Under load GTK may not have laid the tabs out yet: let it, a while.
    for (int attempt = 0; attempt < 40; ++attempt) {
        for (int x = 2; x < tabs->GetSize().x; x += 2) {
            long flags = 0;
            for (int y : {8, 12, 16})
                if (tabs->HitTest(wxPoint(x, y), &flags) == Tab_Of(kind)) {
                    Click_At(tabs->ClientToScreen(wxPoint(x + 6, y)));
                    return;
                }
        }
        wxMilliSleep(50);
        wxSafeYield(nullptr, true);
    }
    Fail("no tab for kind " + std::to_string(kind));
}

// Exactly the tree of kind is shown.
bool Only_Shown(int kind) {
    for (int k : {OBJ_ITEM, OBJ_FIXITEM, OBJ_CHAR}) {
        editor_wx::CDataTree* tree = Tree_Control(k);
        if (tree == nullptr || tree->IsShownOnScreen() != (k == kind)) return false;
    }
    return true;
}

// Each tree control shows every entry of its tree.
void Expect_Trees_Shown(const char* when) {
    for (int kind : {OBJ_ITEM, OBJ_FIXITEM, OBJ_CHAR}) {
        editor_wx::CDataTree* tree = Tree_Control(kind);
        if (tree == nullptr || tree->GetCount() != Editor_Data_Tree(kind)->Count())
            Fail(std::string(when) + ": tree " + std::to_string(kind) + " does not show its entries");
    }
}

std::uint16_t Record_Named(int kind, const char* name) {
    if (kind == OBJ_FIXITEM) {
        for (std::size_t i = 0; i < fixitem_data_ext.size(); ++i)
            if (std::strcmp(fixitem_data_ext[i].name, name) == 0) return static_cast<std::uint16_t>(i);
    } else if (kind == OBJ_CHAR) {
        for (std::size_t i = 0; i < char_data.size(); ++i)
            if (std::strcmp(char_data[i].name, name) == 0) return static_cast<std::uint16_t>(i);
    } else {
        for (std::size_t i = 0; i < item_types.size(); ++i)
            if (std::strcmp(item_types[i].name, name) == 0) return static_cast<std::uint16_t>(i);
    }
    return NO_INDEX;
}

// The objects on a field, head left out.
std::vector<obj_ref> Objects_On(std::uint16_t field) {
    std::vector<obj_ref> out;
    obj_ref at = Field_Head(field);
    for (int steps = 0; steps < 100; ++steps) {
        Next_Object_No_Anim(at);
        if (Obj_Kind(at) == OBJ_NONE) break;
        out.push_back(at);
    }
    return out;
}

bool Holds(std::uint16_t field, int kind, const std::function<bool(std::uint16_t)>& is) {
    if (field == NO_FIELD) return false;
    for (obj_ref o : Objects_On(field))
        if (Obj_Kind(o) == kind && is(Obj_Index(o))) return true;
    return false;
}

std::string Tree_Streams() {
    std::vector<std::uint8_t> out;
    for (int kind : {OBJ_ITEM, OBJ_FIXITEM, OBJ_CHAR}) Editor_Data_Tree(kind)->Save_Tree(out);
    return std::string(out.begin(), out.end());
}

// Steps that select a type in its tree (its folder opened first) and place
// it on a free field.
struct placing {
    int kind;
    const char* folder;
    const char* label;
    const char* name;  // the type's
    std::uint16_t type = NO_INDEX;
    std::uint16_t field = NO_FIELD;
};

std::vector<placing> placings = {{OBJ_FIXITEM, "Walls and doors", "Door", "door"},
                                 {OBJ_CHAR, nullptr, "Wolf", "wolf"},
                                 {OBJ_ITEM, nullptr, "Long sword", "long-sword"}};
std::uint16_t last_field = NO_FIELD;

void Add_Placing(std::vector<step>& s, placing& p) {
    s.push_back({std::string("tab-for-the-") + p.name, [&p] { Click_Tab(p.kind); }, [&p] { return Only_Shown(p.kind); },
                 nullptr});
    s.push_back({std::string("open-the-folder-of-the-") + p.name,
                 [&p] {
                     const CDataTree& tree = *Editor_Data_Tree(p.kind);
                     const TreeItem entry = Find_Entry(p.kind, p.label);
                     const TreeItem folder = p.folder != nullptr ? Find_Entry(p.kind, p.folder) : tree.Parent(entry);
                     if (entry == TREE_ROOT || folder == TREE_ROOT) {
                         Fail(std::string("no entry ") + p.label + " in its folder");
                         return;
                     }
                     Double_Click_In(Tree_Control(p.kind), folder);
                 },
                 [&p] { return Entry_Point(p.kind, Find_Entry(p.kind, p.label)).has_value(); }, nullptr});
    s.push_back({std::string("select-the-") + p.name,
                 [&p] {
                     p.type = Record_Named(p.kind, p.label);
                     Click_Entry(p.kind, Find_Entry(p.kind, p.label));
                 },
                 [&p] {
                     return selection_on_map == 0 &&
                            editor_selection == editor_selection_ref{static_cast<std::uint16_t>(p.kind), p.type} &&
                            (p.kind == OBJ_ITEM || preview_owned_sprite != nullptr);
                 },
                 nullptr});
    s.push_back({std::string("place-the-") + p.name,
                 [&p] {
                     p.field = Find_Free_Field(last_field, NO_FIELD);
                     last_field = p.field;
                     if (p.field == NO_FIELD) Fail("no free field in view");
                     Click_Field(p.field);
                 },
                 [&p] {
                     return Holds(p.field, p.kind, [&p](std::uint16_t i) {
                         if (p.kind == OBJ_ITEM) return itemarray.records[i].type == p.type;
                         if (p.kind == OBJ_CHAR) return std::strcmp(chararray.records[i].name, p.label) == 0;
                         return fixitem_types[maparray.records[i].type].db_index == static_cast<std::int16_t>(p.type);
                     });
                 },
                 [] { Map_Checks_Pass("after placing"); }});
}

// The new fixitem type's entry and its rename.
TreeItem new_entry = TREE_ROOT;
const std::string NEW_NAME = "A fixitem named at thirty long";  // 30 characters
std::string streams_before;
std::size_t chars_before = 0;
wxDialog* read_only_dialog = nullptr;
editor_wx::CDataTree* read_only = nullptr;

std::vector<step> Script() {
    std::vector<step> s;
    s.push_back({"hexamap", nullptr, [] { return ScreenType == SCREEN_HEXAMAP; }, nullptr});
    s.push_back({"editor-opens", [] { Press('E'); },
                 [] { return ScreenType == SCREEN_EDITOR && Status_Text() == "Database loaded"; },
                 [] { Expect_Trees_Shown("at the opening"); }});
    for (int kind : {OBJ_ITEM, OBJ_FIXITEM, OBJ_CHAR})
        s.push_back({"tab-" + std::to_string(Tab_Of(kind)), [kind] { Click_Tab(kind); },
                     [kind] { return Only_Shown(kind); }, nullptr});
    for (placing& p : placings) Add_Placing(s, p);

    s.push_back(
        {"tab-fixitems-again", [] { Click_Tab(OBJ_FIXITEM); }, [] { return Only_Shown(OBJ_FIXITEM); }, nullptr});
    s.push_back({"context-menu-on-the-door",
                 [] { Click_Entry(OBJ_FIXITEM, Find_Entry(OBJ_FIXITEM, "Door"), wxMOUSE_BTN_RIGHT); }, nullptr,
                 nullptr});
    s.push_back({"insert-a-new-object",
                 [] {
                     Press(WXK_DOWN);
                     Press(WXK_RETURN);
                 },
                 [] {
                     new_entry = Find_Entry(OBJ_FIXITEM, TEXT_NEW_FIXITEM);
                     return new_entry != TREE_ROOT && Tree_Control(OBJ_FIXITEM)->Selected_Entry() == new_entry;
                 },
                 [] {
                     const CDataTree& tree = fixitem_data_tree;
                     const TreeItem door = Find_Entry(OBJ_FIXITEM, "Door");
                     if (tree.Next_Sibling(door) != new_entry) Fail("the new entry is not right after the door");
                     const std::uint32_t record = tree.Parameter(new_entry);
                     if (record + 1 != fixitem_data.size()) Fail("the new entry does not name the new record");
                     if (std::strcmp(fixitem_data[record].sprite_name, NEW_FIXITEM_SPRITE) != 0)
                         Fail("the new fixitem type has not the default sprite");
                     if (editor_selection != editor_selection_ref{OBJ_FIXITEM, static_cast<std::uint16_t>(record)})
                         Fail("the new type is not the selection");
                 }});
    s.push_back({"click-again-to-rename", [] { Click_Entry(OBJ_FIXITEM, new_entry); },
                 [] { return Tree_Control(OBJ_FIXITEM)->GetEditControl() != nullptr; }, nullptr});
    s.push_back({"type-the-new-name",
                 [] {
                     if (wxTextCtrl* edit = Tree_Control(OBJ_FIXITEM)->GetEditControl()) edit->SelectAll();
                     Input().Text(NEW_NAME.c_str());
                     Press(WXK_RETURN);
                 },
                 [] { return fixitem_data_tree.Label(new_entry) == NEW_NAME; },
                 [] {
                     const std::uint32_t record = fixitem_data_tree.Parameter(new_entry);
                     if (std::string(fixitem_data_ext[record].name) != NEW_NAME.substr(0, 20))
                         Fail("the record does not hold the first 20 characters of the name");
                 }});
    s.push_back({"drag-it-into-things",
                 [] {
                     const auto from = Entry_Point(OBJ_FIXITEM, new_entry);
                     const auto to = Entry_Point(OBJ_FIXITEM, Find_Entry(OBJ_FIXITEM, "Things"));
                     if (!from || !to) {
                         Fail("the new entry or the folder Things is not in view");
                         return;
                     }
                     Input().MouseMove(*from);
                     wxYield();
                     Input().MouseDown();
                     wxYield();
                     for (int step = 1; step <= 8; ++step) {
                         Input().MouseMove(*from + (*to - *from) * step / 8);
                         wxYield();
                     }
                 },
                 nullptr, nullptr});
    s.push_back({"drop-it", [] { Input().MouseUp(); },
                 [] {
                     const TreeItem things = Find_Entry(OBJ_FIXITEM, "Things");
                     return fixitem_data_tree.Children(things).back() == new_entry;
                 },
                 nullptr});
    s.push_back(
        {"context-menu-on-it", [] { Click_Entry(OBJ_FIXITEM, new_entry, wxMOUSE_BTN_RIGHT); }, nullptr, nullptr});
    s.push_back({"delete-object",
                 [] {
                     Press(WXK_UP);
                     Press(WXK_RETURN);
                 },
                 [] { return fixitem_data_tree.Children(fixitem_data_tree.Recycle_Bin()).back() == new_entry; },
                 nullptr});
    s.push_back({"tab-chars-again", [] { Click_Tab(OBJ_CHAR); }, [] { return Only_Shown(OBJ_CHAR); }, nullptr});
    s.push_back({"insert-button",
                 [] {
                     chars_before = char_data.size();
                     Click_Control(IDD_DATA_TREE, IDC_INSERT);
                 },
                 [] { return char_data.size() == chars_before + 1; },
                 [] {
                     const TreeItem wolf = Find_Entry(OBJ_CHAR, "Wolf");
                     const TreeItem added = char_data_tree.Next_Sibling(wolf);
                     if (char_data_tree.Label(added) != TEXT_NEW_CHAR) Fail("the new character is not after the wolf");
                     if (std::strcmp(char_data.back().body_name, NEW_CHAR_BODY) != 0)
                         Fail("the new character type has not the default body");
                     if (Tree_Control(OBJ_CHAR)->Selected_Entry() != added) Fail("the new entry is not selected");
                 }});
    // The read-only form, as the type editors' dialogs show it.
    s.push_back({"read-only-tree",
                 [] {
                     read_only_dialog = new wxDialog(Control(IDD_DATA_TREE, IDC_TABS)->GetParent(), wxID_ANY,
                                                     "Read-only tree", wxDefaultPosition, wxSize(240, 320));
                     read_only = new editor_wx::CDataTree(read_only_dialog, wxID_ANY, OBJ_FIXITEM, true);
                     auto* column = new wxBoxSizer(wxVERTICAL);
                     column->Add(read_only, 1, wxEXPAND | wxALL, 4);
                     read_only_dialog->SetSizer(column);
                     read_only_dialog->Show();
                 },
                 [] { return read_only->IsShownOnScreen() && read_only->GetCount() == fixitem_data_tree.Count(); },
                 [] {
                     if (read_only->EditLabel(read_only->GetFirstVisibleItem()) != nullptr)
                         Fail("a read-only tree's label can be edited");
                 }});
    s.push_back({"read-only-open-a-folder", [] { Double_Click_In(read_only, Find_In(read_only, "Walls and doors")); },
                 [] { return Point_In(read_only, Find_In(read_only, "Door")).has_value(); }, nullptr});
    s.push_back({"read-only-select", [] { Click_In(read_only, Find_In(read_only, "Door")); },
                 [] {
                     return editor_selection ==
                            editor_selection_ref{OBJ_FIXITEM,
                                                 static_cast<std::uint16_t>(Record_Named(OBJ_FIXITEM, "Door"))};
                 },
                 nullptr});
    // A right click offers no menu: the next click selects at once.
    s.push_back({"read-only-right-click-then-select",
                 [] {
                     Click_In(read_only, Find_In(read_only, "Stone wall"), wxMOUSE_BTN_RIGHT);
                     wxYield();
                     Click_In(read_only, Find_In(read_only, "Palisade"));
                 },
                 [] {
                     return editor_selection ==
                            editor_selection_ref{OBJ_FIXITEM,
                                                 static_cast<std::uint16_t>(Record_Named(OBJ_FIXITEM, "Palisade"))};
                 },
                 [] {
                     read_only_dialog->Destroy();
                     read_only_dialog = nullptr;
                     read_only = nullptr;
                 }});
    s.push_back({"save-data", [] { Click_Control(IDD_EDITOR, IDC_SAVE_DATA); },
                 [] { return Status_Text() == "Database saved"; },
                 [] {
                     const DatabaseFiles files = Database_Files_Of_Tables();
                     const auto& tree_file = files[DB_TREE_FILE];
                     if (File_Bytes(TREE_FILE) != std::string(tree_file.begin(), tree_file.end()))
                         Fail("edit.edt does not hold the trees");
                     streams_before = Tree_Streams();
                 }});
    s.push_back({"load-data", [] { Click_Control(IDD_EDITOR, IDC_LOAD_DATA); },
                 [] { return Status_Text() == "Database loaded"; },
                 [] {
                     if (Tree_Streams() != streams_before) Fail("the trees come back otherwise");
                     Expect_Trees_Shown("after Load Data");
                 }});
    s.push_back({"ok-closes-the-editor", [] { Click_Control(IDD_EDITOR, IDC_OK); },
                 [] { return ScreenType == SCREEN_HEXAMAP && editor_open == 0; }, nullptr});
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    driver::shot_prefix = "trees-";
    return driver::Run_Driver(argc, argv, &Script);
}
