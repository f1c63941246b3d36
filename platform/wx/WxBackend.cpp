#include "platform/wx/WxBackend.h"

#include "platform/wx/WxGameWindow.h"

#include <wx/app.h>
#include <wx/cursor.h>
#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/region.h>
#include <wx/timer.h>
#include <wx/utils.h>
#include <wx/window.h>

// wx has TRUE and FALSE as macros; the platform layer has them as constants.
#undef TRUE
#undef FALSE

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "platform/AppFramework.h"
#include "platform/CursorFile.h"
#include "platform/DDraw.h"
#include "platform/DisplayLock.h"
#include "platform/MessageQueue.h"
#include "platform/ScreenFit.h"
#include "platform/wx/WxFullScreen.h"
#include "platform/wx/WxKeys.h"
#include "platform/wx/WxLeaks.h"

// The window system's lifelong memory is no leak of the program.
extern "C" const char* __lsan_default_suppressions() { return WX_LEAK_SUPPRESSIONS; }

namespace {

using clock_type = std::chrono::steady_clock;

// The display's refresh, and the pause of an idle pass whose drawing left
// the picture as it was.
constexpr auto REFRESH_PERIOD = std::chrono::microseconds(16667);
constexpr auto IDLE_PAUSE = std::chrono::milliseconds(1);
// How long Sleep waits between looks at the window's paint events.
constexpr auto SLEEP_SLICE = std::chrono::milliseconds(10);
// Key messages' lParam: the repeat count 1, bit 30 when the key was down.
constexpr LPARAM KEY_REPEAT_ONE = 1;
constexpr LPARAM KEY_WAS_DOWN = LPARAM{1} << 30;
constexpr LPARAM KEY_UP_BITS = (LPARAM{1} << 30) | (LPARAM{1} << 31);

class WxBackend;
WxBackend* backend = nullptr;

wxString Latin1(const char* text) { return wxString(text != nullptr ? text : "", wxConvISO8859_1); }

// What shows a game window: a frame covering the screen and its canvas.
class GameCanvas : public wxWindow {
  public:
    GameCanvas(wxWindow* parent, HWND hwnd);
    void Show_Picture(const IDirectDrawSurface& primary, const RECT& dirty);
    void Show_Whole_Picture();
    const screen_fit& Picture_Fit() const { return fit_; }
    void Use_Cursor(const wxCursor* cursor) { SetCursor(cursor != nullptr ? *cursor : wxNullCursor); }

  private:
    void On_Paint(wxPaintEvent&);
    void On_Size(wxSizeEvent&);
    void On_Mouse(wxMouseEvent& e);
    void On_Crossing(wxMouseEvent& e);
    void On_Key(wxKeyEvent& e, bool down);
    void On_Kill_Focus(wxFocusEvent& e);

    HWND hwnd_;
    screen_fit fit_;
    wxImage picture_;  // the primary surface at the window's scale
    std::map<int, bool> keys_down_;
};

class GameTimer : public wxTimer {
  public:
    GameTimer(HWND hwnd, UINT_PTR id) : hwnd_(hwnd), id_(id) {}
    void Notify() override;

  private:
    HWND hwnd_;
    UINT_PTR id_;
};

struct game_window {
    wxFrame* frame = nullptr;
    GameCanvas* canvas = nullptr;
};

class WxBackend : public WindowBackend {
  public:
    explicit WxBackend(CWinApp& app) : app_(app), epoch_(clock_type::now()) {}

    int Message_Box(HWND owner, const char* text, const char* caption, UINT type) override;
    BOOL Post_Message(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Post_Quit_Message(int exit_code) override {
        Post_Message(nullptr, WM_QUIT, static_cast<WPARAM>(exit_code), 0);
    }
    BOOL Destroy_Window(HWND hwnd) override;
    void Message_Beep(UINT) override { wxBell(); }
    void Wait_Vertical_Blank() override;
    void Sleep_Ms(DWORD ms) override;
    HWND Create_Window(const char* title, DWORD style, const RECT& rect) override;
    BOOL Show_Window(HWND hwnd, int command) override;
    UINT_PTR Set_Timer(HWND hwnd, UINT_PTR id, UINT milliseconds) override;
    BOOL Kill_Timer(HWND hwnd, UINT_PTR id) override;
    BOOL Peek_Message(MSG* out, HWND hwnd, UINT first, UINT last, UINT remove) override;
    BOOL Get_Cursor_Pos(POINT* point) override;
    int Get_System_Metrics(int index) override;
    HCURSOR Create_Cursor(const cursor_image& image) override;
    HCURSOR Set_Cursor(HCURSOR cursor) override;

    // Input and ticks from the window system; dropped while a box is open.
    void Input(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Tick(HWND hwnd, UINT_PTR id);
    void Mouse_At(POINT p) {
        mouse_ = p;
        mouse_known_ = true;
    }
    // Runs the queued messages in order; false once the pump has ended.
    bool Process_Queue();
    // Shows what changed on the primary surface; true when something did.
    bool Present();
    // Another thread drew onto the primary surface: an idle pass shows it.
    static void Display_Changed() { wxWakeUpIdle(); }
    void Idle(wxIdleEvent& e);
    void Start();
    bool Ended() const { return ended_; }
    // The cursor at the window's scale.
    const wxCursor* Scaled_Cursor(HCURSOR cursor, int scale);
    HCURSOR Shown_Cursor() const { return shown_cursor_; }
    void Remove_All_Windows();
    game_window* Window_Of(HWND hwnd) { return Window(hwnd); }
    // A modal dialog of the game: nothing reaches the game meanwhile, and
    // what it draws is shown at every refresh.
    int Run_Modal(const std::function<int()>& show);

  private:
    bool Accepting() const { return modal_depth_ == 0 && !ended_; }
    void Schedule();
    game_window* Window(HWND hwnd);
    bool Queued(HWND hwnd, UINT message, WPARAM wParam) const;

    CWinApp& app_;
    clock_type::time_point epoch_;
    message_queue queue_;
    bool scheduled_ = false;
    // Set while a message is dispatched, while the start-up runs and while the
    // game sleeps: the game's code is busy, and nothing else of it may run
    // (what arrives meanwhile waits in the queue).
    bool busy_ = false;
    bool started_ = false;
    bool ended_ = false;
    int modal_depth_ = 0;
    long idle_count_ = 0;
    // Any thread may wait for the vertical blank.
    std::atomic<bool> vblank_waited_{false};
    // Set when the game drew onto the primary surface since the idle pass
    // began (whether or not the picture changed).
    bool drawn_in_pass_ = false;
    POINT mouse_{0, 0};
    bool mouse_known_ = false;
    std::uintptr_t next_window_ = 1;
    std::map<HWND, game_window> windows_;
    std::map<std::pair<HWND, UINT_PTR>, std::unique_ptr<GameTimer>> timers_;
    std::vector<cursor_image> cursor_images_;
    std::map<std::pair<HCURSOR, int>, std::unique_ptr<wxCursor>> cursors_;
    HCURSOR shown_cursor_ = nullptr;
    shown_picture shown_;
};

// ---- canvas ----------------------------------------------------------------

GameCanvas::GameCanvas(wxWindow* parent, HWND hwnd)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, parent->GetClientSize(), wxWANTS_CHARS | wxBORDER_NONE),
      hwnd_(hwnd) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    fit_ = Fit_Picture(GetClientSize().x, GetClientSize().y);
    picture_.Create(fit_.width, fit_.height, true);
    Bind(wxEVT_PAINT, &GameCanvas::On_Paint, this);
    Bind(wxEVT_SIZE, &GameCanvas::On_Size, this);
    for (auto type : {wxEVT_MOTION, wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP,
                      wxEVT_RIGHT_DCLICK})
        Bind(type, &GameCanvas::On_Mouse, this);
    Bind(wxEVT_ENTER_WINDOW, &GameCanvas::On_Crossing, this);
    Bind(wxEVT_LEAVE_WINDOW, &GameCanvas::On_Crossing, this);
    Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) { On_Key(e, true); });
    Bind(wxEVT_KEY_UP, [this](wxKeyEvent& e) { On_Key(e, false); });
    Bind(wxEVT_KILL_FOCUS, &GameCanvas::On_Kill_Focus, this);
}

void GameCanvas::Show_Picture(const IDirectDrawSurface& primary, const RECT& dirty) {
    if (!picture_.IsOk()) return;
    Fit_To_Rgb(primary, dirty, fit_, picture_.GetData(), static_cast<std::size_t>(picture_.GetWidth()) * 3);
    const RECT w = Picture_To_Window(fit_, dirty);
    RefreshRect(wxRect(w.left, w.top, w.right - w.left, w.bottom - w.top), false);
}

void GameCanvas::Show_Whole_Picture() {
    const std::unique_lock<std::mutex> hold = Lock_Display();
    if (const IDirectDrawSurface* primary = Display_Primary())
        Fit_To_Rgb(*primary, {0, 0, PICTURE_WIDTH, PICTURE_HEIGHT}, fit_, picture_.GetData(),
                   static_cast<std::size_t>(picture_.GetWidth()) * 3);
    Refresh(false);
}

void GameCanvas::On_Paint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxRect area(fit_.left, fit_.top, picture_.GetWidth(), picture_.GetHeight());
    // The borders are black.
    wxRegion borders(GetClientRect());
    borders.Subtract(area);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(*wxBLACK_BRUSH);
    for (wxRegionIterator it(borders); it; ++it) {
        const wxRect r = it.GetRect();
        if (GetUpdateRegion().Contains(r) != wxOutRegion) dc.DrawRectangle(r);
    }
    for (wxRegionIterator it(GetUpdateRegion()); it; ++it) {
        wxRect r = it.GetRect().Intersect(area);
        if (r.IsEmpty()) continue;
        const wxImage part = picture_.GetSubImage(wxRect(r.x - fit_.left, r.y - fit_.top, r.width, r.height));
        dc.DrawBitmap(wxBitmap(part), r.x, r.y);
    }
}

void GameCanvas::On_Size(wxSizeEvent& e) {
    fit_ = Fit_Picture(GetClientSize().x, GetClientSize().y);
    if (picture_.GetWidth() != fit_.width || picture_.GetHeight() != fit_.height)
        picture_.Create(fit_.width, fit_.height, true);
    Show_Whole_Picture();
    if (backend != nullptr) {
        backend->Set_Cursor(backend->Shown_Cursor());
        backend->Input(hwnd_, WM_SIZE, 0, MAKELPARAM(PICTURE_WIDTH, PICTURE_HEIGHT));
        backend->Input(hwnd_, WM_MOVE, 0, MAKELPARAM(0, 0));
    }
    e.Skip();
}

void GameCanvas::On_Mouse(wxMouseEvent& e) {
    if (backend == nullptr) return;
    const POINT p = Window_To_Picture(fit_, e.GetX(), e.GetY());
    backend->Mouse_At(p);
    WPARAM flags = 0;
    if (e.LeftIsDown()) flags |= MK_LBUTTON;
    if (e.RightIsDown()) flags |= MK_RBUTTON;
    if (e.MiddleIsDown()) flags |= MK_MBUTTON;
    if (e.ShiftDown()) flags |= MK_SHIFT;
    if (e.ControlDown()) flags |= MK_CONTROL;
    UINT message = WM_MOUSEMOVE;
    const wxEventType type = e.GetEventType();
    if (type == wxEVT_LEFT_DOWN)
        message = WM_LBUTTONDOWN;
    else if (type == wxEVT_LEFT_UP)
        message = WM_LBUTTONUP;
    else if (type == wxEVT_LEFT_DCLICK)
        message = WM_LBUTTONDBLCLK;
    else if (type == wxEVT_RIGHT_DOWN)
        message = WM_RBUTTONDOWN;
    else if (type == wxEVT_RIGHT_UP)
        message = WM_RBUTTONUP;
    else if (type == wxEVT_RIGHT_DCLICK)
        message = WM_RBUTTONDBLCLK;
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) SetFocus();
    backend->Input(hwnd_, message, flags, MAKELPARAM(p.x, p.y));
}

// The pointer coming over the canvas or leaving it (also when a window over
// it opens or closes) is where the game's cursor position stands until the
// next move: one that left across the screen's edge stays on that edge.
void GameCanvas::On_Crossing(wxMouseEvent& e) {
    if (backend != nullptr) backend->Mouse_At(Window_To_Picture(fit_, e.GetX(), e.GetY()));
    e.Skip();
}

void GameCanvas::On_Key(wxKeyEvent& e, bool down) {
    const UINT key = Virtual_Key_From_Wx(e.GetKeyCode());
    if (key == 0 || backend == nullptr) return;
    bool& was_down = keys_down_[e.GetKeyCode()];
    const LPARAM bits = down ? KEY_REPEAT_ONE | (was_down ? KEY_WAS_DOWN : 0) : KEY_REPEAT_ONE | KEY_UP_BITS;
    was_down = down;
    backend->Input(hwnd_, down ? WM_KEYDOWN : WM_KEYUP, key, bits);
}

void GameCanvas::On_Kill_Focus(wxFocusEvent& e) {
    keys_down_.clear();
    if (backend != nullptr) backend->Input(hwnd_, WM_KILLFOCUS, 0, 0);
    e.Skip();
}

void GameTimer::Notify() {
    if (backend != nullptr) backend->Tick(hwnd_, id_);
}

// ---- backend ---------------------------------------------------------------

game_window* WxBackend::Window(HWND hwnd) {
    auto found = windows_.find(hwnd);
    return found == windows_.end() ? nullptr : &found->second;
}

int WxBackend::Message_Box(HWND owner, const char* text, const char* caption, UINT type) {
    long style = wxCENTRE;
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL: style |= wxOK | wxCANCEL; break;
        case MB_YESNO: style |= wxYES_NO; break;
        case MB_YESNOCANCEL: style |= wxYES_NO | wxCANCEL; break;
        default: style |= wxOK; break;
    }
    switch (type & MB_ICONMASK) {
        case MB_ICONHAND: style |= wxICON_ERROR; break;
        case MB_ICONQUESTION: style |= wxICON_QUESTION; break;
        case MB_ICONEXCLAMATION: style |= wxICON_WARNING; break;
        case MB_ICONASTERISK: style |= wxICON_INFORMATION; break;
        default: break;
    }
    Present();
    game_window* w = Window(owner);
    wxWindow* parent = w != nullptr && w->frame->IsShown() ? w->frame : nullptr;
    // No tick and no input reaches the game while the box is open.
    ++modal_depth_;
    wxMessageDialog box(parent, Latin1(text), Latin1(caption), style);
    const int answer = box.ShowModal();
    --modal_depth_;
    wxWakeUpIdle();
    switch (answer) {
        case wxID_CANCEL: return IDCANCEL;
        case wxID_YES: return IDYES;
        case wxID_NO: return IDNO;
        default: return IDOK;
    }
}

int WxBackend::Run_Modal(const std::function<int()>& show) {
    Present();
    ++modal_depth_;
    wxTimer presenter;
    presenter.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Present(); });
    presenter.Start(static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(REFRESH_PERIOD).count()));
    const int answer = show();
    presenter.Stop();
    --modal_depth_;
    Present();
    wxWakeUpIdle();
    return answer;
}

void WxBackend::Schedule() {
    if (scheduled_ || wxTheApp == nullptr) return;
    scheduled_ = true;
    wxTheApp->CallAfter([this] {
        scheduled_ = false;
        if (Process_Queue()) Present();
    });
}

BOOL WxBackend::Post_Message(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    queue_.push_back({hwnd, message, wParam, lParam});
    Schedule();
    return TRUE;
}

bool WxBackend::Queued(HWND hwnd, UINT message, WPARAM wParam) const {
    return std::any_of(queue_.begin(), queue_.end(),
                       [&](const MSG& m) { return m.hwnd == hwnd && m.message == message && m.wParam == wParam; });
}

void WxBackend::Input(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!Accepting() || !started_) return;
    queue_.push_back({hwnd, message, wParam, lParam});
    if (Process_Queue()) Present();
    // What the input asked for (a redraw, a scroll) is done by idle passes.
    wxWakeUpIdle();
}

void WxBackend::Tick(HWND hwnd, UINT_PTR id) {
    // A tick while a box is open is lost; one already waiting is not doubled.
    if (!Accepting() || !started_ || Queued(hwnd, WM_TIMER, id)) return;
    queue_.push_back({hwnd, WM_TIMER, id, 0});
    if (Process_Queue()) Present();
    wxWakeUpIdle();
}

bool WxBackend::Process_Queue() {
    if (ended_) return false;
    if (busy_ || modal_depth_ > 0) return true;
    busy_ = true;
    while (!queue_.empty() && !ended_) {
        const MSG msg = queue_.front();
        queue_.pop_front();
        idle_count_ = 0;
        if (!Pump_Message(msg)) {
            ended_ = true;
            if (wxTheApp != nullptr) wxTheApp->ExitMainLoop();
        }
        if (modal_depth_ > 0) break;
    }
    busy_ = false;
    return !ended_;
}

bool WxBackend::Present() {
    const std::unique_lock<std::mutex> hold = Lock_Display();
    IDirectDrawSurface* primary = Display_Primary();
    RECT dirty;
    if (primary == nullptr || !primary->Take_Dirty_Rect(dirty)) return false;
    drawn_in_pass_ = true;
    // The game redraws whole areas that mostly look as before: only what
    // changed is converted and sent to the window.
    const std::vector<RECT> parts = Changed_Parts(*primary, dirty, shown_);
    for (auto& [hwnd, w] : windows_)
        if (w.canvas != nullptr && w.frame->IsShown())
            for (const RECT& part : parts) w.canvas->Show_Picture(*primary, part);
    return !parts.empty();
}

void WxBackend::Idle(wxIdleEvent& e) {
    if (!started_ || !Accepting() || busy_) return;
    if (!Process_Queue()) return;
    // A window with an invalid part is painted once no message waits.
    if (HWND hwnd = Window_Needing_Paint()) {
        SendMessageA(hwnd, WM_PAINT, 0, 0);
        if (!Process_Queue()) return;
    }
    vblank_waited_ = false;
    drawn_in_pass_ = false;
    const BOOL more = app_.OnIdle(idle_count_++);
    if (!Process_Queue()) return;
    const bool changed = Present();
    // A pass that changed the picture is paced by the display's refresh; one
    // that drew the same picture again rests a moment. One that neither
    // drew nor waited for a refresh asks for no more: the next pass follows
    // the next tick, input or drawing of another thread.
    const bool worked = drawn_in_pass_ || vblank_waited_;
    if (!vblank_waited_) {
        if (changed)
            Wait_Vertical_Blank();
        else if (worked)
            std::this_thread::sleep_for(IDLE_PAUSE);
    }
    if (more && worked) e.RequestMore();
}

void WxBackend::Start() {
    started_ = true;
    busy_ = true;
    const BOOL started = app_.InitInstance();
    busy_ = false;
    if (!started) {
        ended_ = true;
        wxTheApp->ExitMainLoop();
        return;
    }
    if (Process_Queue()) Present();
    wxWakeUpIdle();
}

void WxBackend::Wait_Vertical_Blank() {
    vblank_waited_ = true;
    const auto since = clock_type::now() - epoch_;
    const auto refreshes = since / REFRESH_PERIOD + 1;
    std::this_thread::sleep_until(epoch_ + refreshes * REFRESH_PERIOD);
}

void WxBackend::Sleep_Ms(DWORD ms) {
    Present();
    // The window keeps painting while the game sleeps; nothing else runs.
    const bool was_busy = busy_;
    busy_ = true;
    const auto until = clock_type::now() + std::chrono::milliseconds(ms);
    for (auto now = clock_type::now(); now < until; now = clock_type::now()) {
        if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_UI);
        std::this_thread::sleep_for(std::min<clock_type::duration>(SLEEP_SLICE, until - now));
    }
    busy_ = was_busy;
}

HWND WxBackend::Create_Window(const char* title, DWORD, const RECT&) {
    const wxRect screen = wxDisplay(0u).GetGeometry();
    auto* frame = new wxFrame(nullptr, wxID_ANY, Latin1(title), screen.GetPosition(), screen.GetSize(),
                              wxBORDER_NONE | wxFRAME_NO_TASKBAR);
    frame->SetBackgroundColour(*wxBLACK);
    const HWND hwnd = reinterpret_cast<HWND>(next_window_++);
    auto* canvas = new GameCanvas(frame, hwnd);
    frame->Bind(wxEVT_SIZE, [frame, canvas](wxSizeEvent& e) {
        canvas->SetSize(frame->GetClientSize());
        e.Skip();
    });
    // Closing from outside (the window manager) goes to the game as WM_CLOSE.
    frame->Bind(wxEVT_CLOSE_WINDOW, [this, hwnd](wxCloseEvent& e) {
        if (e.CanVeto()) e.Veto();
        Post_Message(hwnd, WM_CLOSE, 0, 0);
    });
    frame->Bind(wxEVT_ACTIVATE, [this, hwnd](wxActivateEvent& e) {
        if (!e.GetActive()) Input(hwnd, WM_KILLFOCUS, 0, 0);
        Input(hwnd, WM_ACTIVATEAPP, e.GetActive() ? 1 : 0, 0);
        e.Skip();
    });
    windows_[hwnd] = {frame, canvas};
    return hwnd;
}

BOOL WxBackend::Show_Window(HWND hwnd, int command) {
    game_window* w = Window(hwnd);
    if (w == nullptr) return FALSE;
    const BOOL was_shown = w->frame->IsShown();
    if (command == SW_HIDE) {
        w->frame->Hide();
        return was_shown;
    }
    // The frame already is a borderless one on the whole screen. A window
    // manager is asked to keep it full screen; without one that can, wx
    // would only make the frame a pixel larger than the screen each way.
    if (Window_Manager_Makes_Full_Screen()) w->frame->ShowFullScreen(true, wxFULLSCREEN_ALL);
    w->frame->Show();
    w->frame->Raise();
    w->canvas->SetFocus();
    return was_shown;
}

BOOL WxBackend::Destroy_Window(HWND hwnd) {
    game_window* w = Window(hwnd);
    if (w == nullptr) return FALSE;
    for (auto it = timers_.begin(); it != timers_.end();)
        it = it->first.first == hwnd ? timers_.erase(it) : std::next(it);
    w->frame->Destroy();
    windows_.erase(hwnd);
    return TRUE;
}

void WxBackend::Remove_All_Windows() {
    while (!windows_.empty()) Destroy_Window(windows_.begin()->first);
}

UINT_PTR WxBackend::Set_Timer(HWND hwnd, UINT_PTR id, UINT milliseconds) {
    game_window* w = Window(hwnd);
    if (w == nullptr) return 0;
    auto& timer = timers_[{hwnd, id}];
    timer = std::make_unique<GameTimer>(hwnd, id);
    timer->SetOwner(w->frame, static_cast<int>(id));
    timer->Start(static_cast<int>(milliseconds));
    return id;
}

BOOL WxBackend::Kill_Timer(HWND hwnd, UINT_PTR id) { return timers_.erase({hwnd, id}) != 0; }

BOOL WxBackend::Peek_Message(MSG* out, HWND hwnd, UINT first, UINT last, UINT remove) {
    return Peek_Queue(queue_, out, hwnd, first, last, remove);
}

BOOL WxBackend::Get_Cursor_Pos(POINT* point) {
    // The window system is asked once, before the pointer has moved over the
    // window; from then on its motion and crossing events tell.
    if (!mouse_known_ && !windows_.empty()) {
        const game_window& w = windows_.begin()->second;
        const wxPoint at = w.canvas->ScreenToClient(wxGetMousePosition());
        Mouse_At(Window_To_Picture(w.canvas->Picture_Fit(), at.x, at.y));
    }
    *point = mouse_;
    return TRUE;
}

int WxBackend::Get_System_Metrics(int index) {
    switch (index) {
        case SM_CXSCREEN: return PICTURE_WIDTH;
        case SM_CYSCREEN: return PICTURE_HEIGHT;
        default: return 0;
    }
}

HCURSOR WxBackend::Create_Cursor(const cursor_image& image) {
    cursor_images_.push_back(image);
    return reinterpret_cast<HCURSOR>(cursor_images_.size());
}

const wxCursor* WxBackend::Scaled_Cursor(HCURSOR cursor, int scale) {
    const auto index = reinterpret_cast<std::uintptr_t>(cursor);
    if (index == 0 || index > cursor_images_.size()) return nullptr;
    std::unique_ptr<wxCursor>& made = cursors_[{cursor, scale}];
    if (made) return made.get();
    const cursor_image& c = cursor_images_[index - 1];
    wxImage picture(c.width * scale, c.height * scale, false);
    picture.InitAlpha();
    for (int y = 0; y < c.height * scale; ++y)
        for (int x = 0; x < c.width * scale; ++x) {
            const std::uint32_t p = c.argb[static_cast<std::size_t>(y / scale) * c.width + x / scale];
            picture.SetRGB(x, y, (p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
            picture.SetAlpha(x, y, static_cast<unsigned char>(p >> 24));
        }
    picture.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, c.hot_x * scale);
    picture.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, c.hot_y * scale);
    made = std::make_unique<wxCursor>(picture);
    return made.get();
}

HCURSOR WxBackend::Set_Cursor(HCURSOR cursor) {
    const HCURSOR before = shown_cursor_;
    shown_cursor_ = cursor;
    // A shrunk picture keeps the cursor at its own size.
    for (auto& [hwnd, w] : windows_)
        w.canvas->Use_Cursor(Scaled_Cursor(cursor, std::max(1, w.canvas->Picture_Fit().scale)));
    return before;
}

// ---- application -----------------------------------------------------------

class GameApp : public wxApp {
  public:
    explicit GameApp(CWinApp& app) : app_(app), backend_(app) {}

    bool OnInit() override {
        SetExitOnFrameDelete(false);
        backend = &backend_;
        Set_Window_Backend(&backend_);
        Set_Display_Change_Hook(&WxBackend::Display_Changed);
        Bind(wxEVT_IDLE, [this](wxIdleEvent& e) { backend_.Idle(e); });
        // Idle and update-UI events go to the application alone: the game's
        // window has no use for them, and while the game draws an idle pass
        // runs at every refresh.
        wxIdleEvent::SetMode(wxIDLE_PROCESS_SPECIFIED);
        wxUpdateUIEvent::SetMode(wxUPDATE_UI_PROCESS_SPECIFIED);
        // The game starts once the event loop runs, so that its window
        // paints while the start-up shows the title.
        CallAfter([this] { backend_.Start(); });
        return true;
    }

    int OnRun() override {
        wxApp::OnRun();
        // A window the game did not close (its start-up failed) goes now.
        if (app_.m_pMainWnd != nullptr) app_.m_pMainWnd->DestroyWindow();
        backend_.Remove_All_Windows();
        return app_.ExitInstance();
    }

    int OnExit() override {
        Set_Display_Change_Hook(nullptr);
        Set_Window_Backend(nullptr);
        backend = nullptr;
        return wxApp::OnExit();
    }

  private:
    CWinApp& app_;
    WxBackend backend_;
};

CWinApp* running_app = nullptr;

wxAppConsole* Make_App() { return new GameApp(*running_app); }

}  // namespace

wxFrame* Wx_Game_Frame(HWND hwnd) {
    game_window* w = backend != nullptr ? backend->Window_Of(hwnd) : nullptr;
    return w != nullptr ? w->frame : nullptr;
}

wxWindow* Wx_Game_Canvas(HWND hwnd) {
    game_window* w = backend != nullptr ? backend->Window_Of(hwnd) : nullptr;
    return w != nullptr ? w->canvas : nullptr;
}

screen_fit Wx_Game_Fit(HWND hwnd) {
    game_window* w = backend != nullptr ? backend->Window_Of(hwnd) : nullptr;
    return w != nullptr ? w->canvas->Picture_Fit() : screen_fit{};
}

void Wx_Pointer_At(HWND hwnd, int screen_x, int screen_y) {
    game_window* w = backend != nullptr ? backend->Window_Of(hwnd) : nullptr;
    if (w == nullptr) return;
    const wxPoint at = w->canvas->ScreenToClient(wxPoint(screen_x, screen_y));
    const wxSize size = w->canvas->GetClientSize();
    POINT p = Window_To_Picture(w->canvas->Picture_Fit(), at.x, at.y);
    // Over such a window only the screen's own edge is the picture's edge:
    // the pointer resting on it in the black border scrolls nothing.
    p.x = at.x <= 0 ? 0 : at.x >= size.x - 1 ? PICTURE_WIDTH - 1 : std::clamp<LONG>(p.x, 1, PICTURE_WIDTH - 2);
    p.y = at.y <= 0 ? 0 : at.y >= size.y - 1 ? PICTURE_HEIGHT - 1 : std::clamp<LONG>(p.y, 1, PICTURE_HEIGHT - 2);
    backend->Mouse_At(p);
}

int Wx_Run_Modal(const std::function<int()>& show) { return backend != nullptr ? backend->Run_Modal(show) : show(); }

int Run_Wx_Application(CWinApp& app, int argc, char** argv) {
    running_app = &app;
    wxApp::SetInitializerFunction(&Make_App);
    const int result = wxEntry(argc, argv);
    running_app = nullptr;
    // wx answers -1 when the window system could not be opened.
    return result < 0 ? 1 : result;
}
