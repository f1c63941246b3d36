#include "tests/gui/editor/DriverSteps.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/window.h>

#undef TRUE
#undef FALSE

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>

#include "Objects/FieldLists.h"
#include "Objects/Map.h"
#include "Objects/Request.h"
#include "datafiles/Database.h"
#include "datafiles/MapImage.h"
#include "editor/EditorScreen.h"
#include "editor/FieldObjectList.h"
#include "editor/wx/ControlIds.h"
#include "editor/wx/EditorDialogs.h"
#include "editor/wx/WxEditor.h"
#include "frontend/App.h"
#include "frontend/MapView.h"
#include "platform/wx/WxBackend.h"
#include "platform/wx/WxGameWindow.h"
#include "tests/gui/XScreen.h"

namespace driver {

namespace fs = std::filesystem;
using clock_type = std::chrono::steady_clock;

fs::path original_folder;
fs::path shots_folder;
std::string shot_prefix;

namespace {
int failures = 0;
}  // namespace

void Fail(const std::string& what) {
    std::fprintf(stderr, "FAILED: %s\n", what.c_str());
    ++failures;
}

std::string File_Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::function<bool()> Steady(std::function<bool()> shown) {
    constexpr int CHECKS = 4;
    return [shown = std::move(shown), held = 0]() mutable {
        held = shown() ? held + 1 : 0;
        return held >= CHECKS;
    };
}

// ---- Finding things ----

wxWindow* Control_In(wxWindow* dialog, int id) {
    return dialog != nullptr ? wxWindow::FindWindowById(id, dialog) : nullptr;
}

wxWindow* Control(int dialog, int id) {
    wxWindow* d = wxWindow::FindWindowById(dialog);
    return d != nullptr ? wxWindow::FindWindowById(id, d) : nullptr;
}

std::string Status_Text() {
    auto* status = dynamic_cast<wxTextCtrl*>(Control(IDD_EDITOR, IDC_STATUS));
    return status != nullptr ? status->GetValue().ToStdString() : std::string("(no status line)");
}

wxPoint Picture_Point(int x, int y) {
    const HWND hwnd = Get_Main_Window();
    const screen_fit fit = Wx_Game_Fit(hwnd);
    wxWindow* canvas = Wx_Game_Canvas(hwnd);
    const wxPoint at(fit.left + x * fit.scale + fit.scale / 2, fit.top + y * fit.scale + fit.scale / 2);
    return canvas != nullptr ? canvas->ClientToScreen(at) : at;
}

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

wxDialog* Modal_Dialog(const char* title) {
    for (wxWindow* w : wxTopLevelWindows) {
        auto* dialog = dynamic_cast<wxDialog*>(w);
        if (dialog != nullptr && dialog->IsModal() && dialog->GetTitle() == title) return dialog;
    }
    return nullptr;
}

namespace {

std::optional<window_box> Shown_Box(const std::string& title) {
    std::optional<window_box> box = Window_Box(title);
    if (box && (box->width <= 1 || box->height <= 1)) box.reset();
    return box;
}

void Pointer_Over(const std::string& title) {
    if (const auto box = Shown_Box(title)) Input().MouseMove(box->x + box->width / 2, box->y + box->height / 2);
    wxYield();
}

}  // namespace

bool Shown_Window(const std::string& title) { return Shown_Box(title).has_value(); }

bool Map_Checks_Pass(const char* when) {
    MapImage image;
    Capture_Map_Image(image);
    const std::string fault = Check_Map_Image(image);
    if (fault.empty()) return true;
    Fail(std::string(when) + ": the map fails its checks: " + fault);
    return false;
}

std::string Tables_Now() {
    std::string all;
    for (const auto& file : Database_Files_Of_Tables()) all.append(file.begin(), file.end());
    return all;
}

// ---- Input ----

wxUIActionSimulator& Input() {
    static wxUIActionSimulator input;
    return input;
}

void Click_At(const wxPoint& at, int button) {
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

void Click_Field(std::uint16_t field, int button) {
    const POINT a = Field_Anchor(field);
    Click_At(Picture_Point(a.x, a.y), button);
}

bool Click_Field_Entry(int kind, std::uint32_t index, const std::string& what, int button) {
    auto* tree = dynamic_cast<CFieldTree*>(Control(IDD_DATA_TREE, IDC_FIELD_TREE));
    int entry = -1;
    for (std::size_t e = 0; e < field_objects.entries.size(); ++e)
        if (field_objects.entries[e].image == kind && field_objects.entries[e].parameter == index)
            entry = static_cast<int>(e);
    wxRect box;
    if (tree == nullptr || !tree->GetBoundingRect(tree->Item_Of(entry), box, true)) {
        Fail("the " + what + "'s entry cannot be found in the field tree");
        return false;
    }
    Click_At(tree->ClientToScreen(box.GetPosition() + wxPoint(box.width / 2, box.height / 2)), button);
    return true;
}

void Press(int key) { Input().Char(key); }

void Move_Pointer(const wxPoint& at) { Input().MouseMove(at); }

void Click_Window(wxWindow* w) {
    if (w == nullptr) {
        Fail("no window to click");
        return;
    }
    Click_At(w->GetScreenRect().GetPosition() + wxPoint(w->GetSize().x / 2, w->GetSize().y / 2));
}

void Type_Into(wxWindow* entry, const std::string& text) {
    auto* edit = dynamic_cast<wxTextCtrl*>(entry);
    if (edit == nullptr) {
        Fail("no entry to type \"" + text + "\" into");
        return;
    }
    Click_Window(edit);
    wxYield();
    edit->SelectAll();
    if (text.empty())
        Input().Char(WXK_BACK);
    else
        Input().Text(text.c_str());
}

void Press_In(const std::string& title, int key, int modifiers) {
    Pointer_Over(title);
    Input().Char(key, modifiers);
}

void Type_In(const std::string& title, const std::string& text) {
    Pointer_Over(title);
    Input().Text(text.c_str());
}

// ---- The script ----

namespace {

class Driver : public wxTimer {
  public:
    explicit Driver(std::vector<step> steps) : steps_(std::move(steps)) {}
    void Notify() override;

  private:
    void Shot(const std::string& name) {
        char number[8];
        std::snprintf(number, sizeof number, "%02zu-", next_ + 1);
        if (const auto screen = Grab_Screen())
            Save_Screen(*screen, (shots_folder / (shot_prefix + number + name + ".png")).string());
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

std::vector<step> (*script_of_app)() = nullptr;

// The game's application, with the driver started once the game is up.
class DriverApp : public CTheApp {
  public:
    BOOL InitInstance() override {
        const BOOL started = CTheApp::InitInstance();
        driver_ = new Driver(script_of_app());
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

int Run_Driver(int argc, char** argv, std::vector<step> (*script)()) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s FOLDER ARTGEN_FOLDER SHOTS_FOLDER\n", argv[0]);
        return 2;
    }
    original_folder = fs::absolute(argv[2]);
    shots_folder = fs::absolute(argv[3]);
    fs::create_directories(shots_folder);
    if (::chdir(argv[1]) != 0) return 2;
    script_of_app = script;
    Install_Editor();
    Install_Wx_Editor();
    static DriverApp app;
    const int status = Run_Wx_Application(app, 1, argv);
    if (status != 0) Fail("the program ended with " + std::to_string(status));
    return failures == 0 ? 0 : 1;
}

}  // namespace driver
