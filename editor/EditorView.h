// What the editor's logic asks of its windows: the two modeless dialogs
// beside the map (the editor dialog with its status line and map index, and
// the data-tree dialog with the field object tree) and the modal dialogs
// opened from them. The wx library implements it; without one (the headless
// runner, tests) every call does nothing, and the status line keeps its text
// here.
#pragma once
#include <cstdint>
#include <string>

struct field_object_list;

// Which tree a refused action gives the keyboard focus back to.
enum class EditorTree { Items, Fixitems, Chars, FieldObjects };

class EditorView {
  public:
    virtual ~EditorView() = default;
    // The data-tree dialog, then the editor dialog, made and shown beside the
    // map view; both gone again (with their timer and hot keys).
    virtual void Open_Dialogs() {}
    virtual void Close_Dialogs() {}
    // The game window moved or changed its size: the dialogs are placed
    // again in the picture's margins.
    virtual void Place_Dialogs() {}
    // The status line (control 1121) shows text at once.
    virtual void Show_Status(const std::string& text) { (void)text; }
    // The status timer (2345): started anew, or stopped.
    virtual void Start_Status_Timer(int milliseconds) { (void)milliseconds; }
    virtual void Stop_Status_Timer() {}
    // The "Map index:" label (control 1135 of the editor dialog).
    virtual void Show_Map_Index(const std::string& text) { (void)text; }
    // The field object tree (1011) and its label (1135 of the tree dialog)
    // show the list anew, with its selected entry.
    virtual void Show_Field_Objects(const field_object_list& list) { (void)list; }
    virtual void Focus_Tree(EditorTree tree) { (void)tree; }
    // The three data trees show the database's trees anew (they were
    // loaded or put back), nothing expanded or selected.
    virtual void Show_Data_Trees() {}
    // The "Hexa grid" check box as the designer left it.
    virtual bool Hexa_Grid_Checked() { return false; }
};

// The view in use: a view that does nothing until one is installed.
EditorView& Editor_View();
void Set_Editor_View(EditorView* view);  // nullptr: back to the empty one

// The editor's modal dialogs, each installed by the library that builds it;
// until then a button or menu entry that would open one does nothing (the
// field tree's menu offers an edit entry only when its dialog exists).
struct EditorDialogs {
    // "Map properties" (the button and Esc in the editor dialog).
    void (*map_properties)() = nullptr;
    // The type editors on a placed object: an item and its type, a fixitem
    // (its map slot's database type and itself), a character itself.
    void (*edit_item)(std::uint16_t type, std::uint16_t item) = nullptr;
    void (*edit_fixitem)(std::uint16_t type, std::uint16_t fixitem) = nullptr;
    void (*edit_character)(std::uint16_t character) = nullptr;
    // The type editors on a database type alone (no placed object), from a
    // data tree's "Edit object": a character type, an item type, a fixitem
    // type. Until one is installed its tree greys "Edit object".
    void (*edit_char_type)(std::uint16_t type) = nullptr;
    void (*edit_item_type)(std::uint16_t type) = nullptr;
    void (*edit_fixitem_type)(std::uint16_t type) = nullptr;
};
EditorDialogs& Editor_Dialogs();
