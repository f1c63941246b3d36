#include "frontend/MainFrame.h"

#include "Objects/CharTick.h"
#include "Objects/GameClock.h"
#include "Objects/MapAnims.h"
#include "System/Display.h"
#include "System/ScreenType.h"
#include "frontend/Controls.h"
#include "frontend/GameLoop.h"
#include "frontend/HexamapScreen.h"
#include "frontend/Hooks.h"
#include "frontend/MapView.h"

const message_map_entry<CMainFrame> main_frame_message_map[15] = {
    {WM_PAINT, &CMainFrame::OnPaint},
    {WM_MOVE, &CMainFrame::OnMove},
    {WM_SIZE, &CMainFrame::OnSize},
    {WM_TIMER, &CMainFrame::OnTimer},
    {WM_KEYDOWN, &CMainFrame::OnKeyDown},
    {WM_KEYUP, &CMainFrame::OnKeyUp},
    {WM_LBUTTONDOWN, &CMainFrame::OnLButtonDown},
    {WM_LBUTTONUP, &CMainFrame::OnLButtonUp},
    {WM_LBUTTONDBLCLK, &CMainFrame::OnLButtonDblClk},
    {WM_RBUTTONDOWN, &CMainFrame::OnRButtonDown},
    {WM_RBUTTONUP, &CMainFrame::OnRButtonUp},
    {WM_MOUSEMOVE, &CMainFrame::OnMouseMove},
    {WM_GETMINMAXINFO, &CMainFrame::OnGetMinMaxInfo},
    {WM_CLOSE, &CMainFrame::OnClose},
    {WM_KILLFOCUS, &CMainFrame::OnKillFocus},
};

namespace {
constexpr const char* WINDOW_TITLE = "Orvex Divuruz";
constexpr DWORD WINDOW_STYLE = WS_POPUP | WS_MAXIMIZE;
constexpr RECT WINDOW_RECT{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
}  // namespace

CMainFrame::CMainFrame() {
    Create(nullptr, WINDOW_TITLE, WINDOW_STYLE, WINDOW_RECT);
    Set_Main_Window(m_hWnd);
    ShowWindow(SW_SHOW);
    Game_Startup();
    timer_id_ = SetTimer(GAME_TIMER_ID, GAME_TIMER_MS, nullptr);
}

LRESULT CMainFrame::Window_Proc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Dispatch_By_Map(*this, main_frame_message_map, message, wParam, lParam)) return 0;
    return CFrameWnd::Window_Proc(message, wParam, lParam);
}

BOOL CMainFrame::DestroyWindow() { return CFrameWnd::DestroyWindow(); }

void CMainFrame::OnPaint(WPARAM, LPARAM) {
    if (!surfaces_ready) return;
    PAINTSTRUCT paint;
    BeginPaint(m_hWnd, &paint);
    Update_Screen(&paint.rcPaint);
    EndPaint(m_hWnd, &paint);
}

void CMainFrame::OnMove(WPARAM, LPARAM) {
    screen_rect = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    if (ScreenType == SCREEN_EDITOR) Editor_Window_Moved();
}

void CMainFrame::OnSize(WPARAM, LPARAM) { screen_rect = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}; }

void CMainFrame::OnTimer(WPARAM id, LPARAM) {
    if (id != GAME_TIMER_ID) return;
    if (surfaces_ready == 1 && view_scrolled == 0 && editor_busy == 0) {
        redraw_request = 1;
        Chars_Tick();
        do_anim();
        if (turn_mode == 0) Advance_Game_Clock(clock_step);
    }
    // A tick never catches up: the ones that queued up meanwhile are dropped.
    MSG queued;
    while (PeekMessageA(&queued, m_hWnd, WM_TIMER, WM_TIMER, PM_REMOVE)) {}
}

void CMainFrame::OnKeyDown(WPARAM key, LPARAM) {
    Dispatch_Key(static_cast<UINT>(key));
    Key_Down_Flags(static_cast<UINT>(key));
}

void CMainFrame::OnKeyUp(WPARAM key, LPARAM) { Key_Up_Flags(static_cast<UINT>(key)); }

void CMainFrame::OnLButtonDown(WPARAM flags, LPARAM) { Control_Left_Down(static_cast<std::uint32_t>(flags)); }

void CMainFrame::OnLButtonUp(WPARAM, LPARAM) {}

// A double click is one more click.
void CMainFrame::OnLButtonDblClk(WPARAM flags, LPARAM) { Control_Left_Down(static_cast<std::uint32_t>(flags)); }

void CMainFrame::OnRButtonDown(WPARAM flags, LPARAM) { Control_Right_Down(static_cast<std::uint32_t>(flags)); }

void CMainFrame::OnRButtonUp(WPARAM, LPARAM) {}

void CMainFrame::OnMouseMove(WPARAM flags, LPARAM point) {
    Control_Mouse_Move(GET_X_LPARAM(point), GET_Y_LPARAM(point), static_cast<std::uint32_t>(flags));
}

void CMainFrame::OnGetMinMaxInfo(WPARAM, LPARAM info) {
    RECT r{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    AdjustWindowRectEx(&r, GetStyle(), FALSE, GetExStyle());
    window_width = static_cast<std::uint32_t>(r.right - r.left);
    window_height = static_cast<std::uint32_t>(r.bottom - r.top);
    auto* limits = reinterpret_cast<MINMAXINFO*>(info);
    if (limits == nullptr) return;
    const POINT size{static_cast<LONG>(window_width), static_cast<LONG>(window_height)};
    limits->ptMaxSize = size;
    limits->ptMinTrackSize = size;
    limits->ptMaxTrackSize = size;
    limits->ptMaxPosition = {(GetSystemMetrics(SM_CXSCREEN) - size.x) / 2,
                             (GetSystemMetrics(SM_CYSCREEN) - size.y) / 2};
}

void CMainFrame::OnClose(WPARAM, LPARAM) {
    Close_Editor_For_Shutdown();
    KillTimer(timer_id_);
    if (surfaces_ready) Release_Surfaces();
    Free_Map();
    Game_Shutdown();
    CFrameWnd::OnClose();
}

void CMainFrame::OnKillFocus(WPARAM, LPARAM) { Clear_Key_Flags(); }
