#include "tests/gui/editor/Driving.h"

#include <wx/app.h>
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

#include "datafiles/MapImage.h"
#include "editor/EditorScreen.h"
#include "editor/wx/ControlIds.h"
#include "editor/wx/WxEditor.h"
#include "frontend/App.h"
#include "platform/Window.h"
#include "platform/wx/WxBackend.h"
#include "tests/gui/XScreen.h"

namespace driving {

namespace {

namespace fs = std::filesystem;
using clock_type = std::chrono::steady_clock;

fs::path original_folder;
fs::path shots_folder;
int failures = 0;

wxUIActionSimulator& Input() {
    static wxUIActionSimulator input;
    return input;
}

// A step is given a moment after its action before it is looked at, and
// ten seconds to show its result.
constexpr auto SETTLE = std::chrono::milliseconds(400);
constexpr auto STEP_LIMIT = std::chrono::seconds(10);

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
    bool busy_ = false;
    clock_type::time_point since_;
};

void Driver::Notify() {
    // A step's action may open a modal window whose loop runs the timer.
    if (busy_) return;
    if (next_ >= steps_.size()) {
        Finish();
        return;
    }
    step& s = steps_[next_];
    if (!acted_) {
        busy_ = true;
        if (s.act) s.act();
        busy_ = false;
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

// The game's application, with the driver started once the game is up.
class DriverApp : public CTheApp {
  public:
    explicit DriverApp(std::function<std::vector<step>()> script) : script_(std::move(script)) {}
    BOOL InitInstance() override {
        const BOOL started = CTheApp::InitInstance();
        driver_ = new Driver(script_());
        driver_->Start(100);
        return started;
    }
    int ExitInstance() override {
        delete driver_;
        driver_ = nullptr;
        return CTheApp::ExitInstance();
    }

  private:
    std::function<std::vector<step>()> script_;
    Driver* driver_ = nullptr;
};

}  // namespace

const fs::path& Original_Folder() { return original_folder; }

void Fail(const std::string& what) {
    std::fprintf(stderr, "FAILED: %s\n", what.c_str());
    ++failures;
}

std::function<bool()> Steady(std::function<bool()> shown) {
    constexpr int CHECKS = 4;
    return [shown = std::move(shown), held = 0]() mutable {
        held = shown() ? held + 1 : 0;
        return held >= CHECKS;
    };
}

wxWindow* Control(int dialog, int id) { return Control_In(wxWindow::FindWindowById(dialog), id); }

wxWindow* Control_In(wxWindow* dialog, int id) {
    return dialog != nullptr ? wxWindow::FindWindowById(id, dialog) : nullptr;
}

std::string Status_Text() {
    auto* status = dynamic_cast<wxTextCtrl*>(Control(IDD_EDITOR, IDC_STATUS));
    return status != nullptr ? status->GetValue().ToStdString() : std::string("(no status line)");
}

wxDialog* Modal_Dialog(const char* title) {
    for (wxWindow* w : wxTopLevelWindows) {
        auto* dialog = dynamic_cast<wxDialog*>(w);
        if (dialog != nullptr && dialog->IsModal() && dialog->GetTitle() == title) return dialog;
    }
    return nullptr;
}

std::optional<window_box> Shown_Window(const std::string& title) {
    std::optional<window_box> box = Window_Box(title);
    if (box && (box->width <= 1 || box->height <= 1)) box.reset();
    return box;
}

bool Map_Checks_Pass(const char* when) {
    MapImage image;
    Capture_Map_Image(image);
    const std::string fault = Check_Map_Image(image);
    if (fault.empty()) return true;
    Fail(std::string(when) + ": the map fails its checks: " + fault);
    return false;
}

void Move_Pointer(const wxPoint& at) { Input().MouseMove(at); }

void Click_At(const wxPoint& at) {
    Input().MouseMove(at);
    wxYield();
    Input().MouseClick(wxMOUSE_BTN_LEFT);
}

void Click_Window(wxWindow* w) {
    if (w == nullptr) {
        Fail("no window to click");
        return;
    }
    Click_At(w->GetScreenRect().GetPosition() + wxPoint(w->GetSize().x / 2, w->GetSize().y / 2));
}

void Click_Control(int dialog, int id) {
    wxWindow* w = Control(dialog, id);
    if (w == nullptr) {
        Fail("no control " + std::to_string(id) + " in dialog " + std::to_string(dialog));
        return;
    }
    Click_Window(w);
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
    if (const auto box = Shown_Window(title)) Input().MouseMove(box->x + box->width / 2, box->y + box->height / 2);
    wxYield();
    Input().Char(key, modifiers);
}

void Type_In(const std::string& title, const std::string& text) {
    if (const auto box = Shown_Window(title)) Input().MouseMove(box->x + box->width / 2, box->y + box->height / 2);
    wxYield();
    Input().Text(text.c_str());
}

void Press(int key) { Input().Char(key); }

int Run_Driver(int argc, char** argv, std::function<std::vector<step>()> script) {
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
    static DriverApp app(std::move(script));
    const int status = Run_Wx_Application(app, 1, argv);
    if (status != 0) Fail("the program ended with " + std::to_string(status));
    return failures == 0 ? 0 : 1;
}

}  // namespace driving
