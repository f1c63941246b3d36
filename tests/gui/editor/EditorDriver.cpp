// The game program with its editor on the wx backend, driven from inside by
// a script of steps: each step acts as the designer would (a key, a click
// on a control found by its id in its dialog, a click on a map field), waits
// until the program shows the result, checks it in the program's state and
// keeps a screenshot. Run in a copy of artgen's folder:
//   wx_editor_driver FOLDER ARTGEN_FOLDER SHOTS_FOLDER
// It exits with 0 when every step passed, else 1 (what failed is on
// standard error).
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
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
#include "Objects/Map.h"
#include "Objects/Request.h"
#include "System/ScreenType.h"
#include "datafiles/Database.h"
#include "datafiles/MapImage.h"
#include "editor/EditorScreen.h"
#include "editor/EditorState.h"
#include "editor/FieldObjectList.h"
#include "editor/Placing.h"
#include "editor/wx/ControlIds.h"
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
        // The game closes in order, as its quit control closes it.
        PostMessageA(Get_Main_Window(), WM_CLOSE, 0, 0);
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
