// The editor on the wx backend, driven from inside by a script of steps
// (see DriverSteps.h): E opens it with the database loaded; Save Data writes
// artgen's files again; Load Data without mod.dat is refused and keeps the
// database; the door is listed, selected, turned, copied and moved, its
// field raised; the hexagon grid and a level are shown; Test Map plays the
// map and Esc comes back to the copy; OK closes the editor.
//   wx_editor_driver FOLDER ARTGEN_FOLDER SHOTS_FOLDER
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/window.h>

#undef TRUE
#undef FALSE

#include <strings.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Map.h"
#include "System/ScreenType.h"
#include "editor/EditorScreen.h"
#include "editor/EditorState.h"
#include "editor/FieldObjectList.h"
#include "editor/Placing.h"
#include "editor/wx/ControlIds.h"
#include "editor/wx/EditorDialogs.h"
#include "frontend/Hooks.h"
#include "frontend/MapView.h"
#include "platform/Window.h"
#include "platform/wx/WxGameWindow.h"
#include "tests/gui/editor/DriverSteps.h"

namespace {

namespace fs = std::filesystem;
using namespace driver;

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
                     if (!Click_Field_Entry(OBJ_FIXITEM, door, "door")) return;
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
    // A key with a modifier is no hot key.
    s.push_back({"shift-left-is-no-hot-key", [] { Input().Char(WXK_LEFT, wxMOD_SHIFT); }, nullptr,
                 [] {
                     if (preview_frame != maparray.records[door].frame) Fail("Shift and Left chose another frame");
                 }});
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
    s.push_back({"ok-closes-the-editor", [] { Click_Control(IDD_EDITOR, IDC_OK); },
                 [] { return ScreenType == SCREEN_HEXAMAP && test_play == 0 && editor_open == 0; }, nullptr});
    return s;
}

}  // namespace

int main(int argc, char** argv) { return driver::Run_Driver(argc, argv, &Script); }
