#include "worldmap/MainMap.h"

#include <algorithm>
#include <mutex>

#include "platform/DisplayLock.h"
#include "platform/Timing.h"
#include "platform/VirtualKeys.h"
#include "worldmap/Display.h"
#include "worldmap/Drawing.h"
#include "worldmap/PaletteFade.h"
#include "worldmap/Pictures.h"
#include "worldmap/Scrolling.h"
#include "worldmap/Sound.h"
#include "worldmap/TerrainPath.h"
#include "worldmap/Threads.h"
#include "worldmap/WorldMap.h"

HINSTANCE main_instance = nullptr;
int main_show_command = SW_SHOW;
HWND main_window = nullptr;
std::atomic<int> active_flag{0};
std::atomic<int> exit_flag{0};
int redraw_flag = 0;
int mouse_x = 0, mouse_y = 0, mouse_buttons = 0;
int player_x = PLAYER_START_X, player_y = PLAYER_START_Y;
int scroll_x = SCROLL_START_X, scroll_y = SCROLL_START_Y;
int walking = 0;
std::vector<std::uint8_t> walk_path;
std::uint32_t walk_len = 0;
int quit_code = 0;
HCURSOR normal_cursor = nullptr;
HCURSOR wait_cursor = nullptr;

namespace {

constexpr DWORD LOOP_PAUSE_MS = 5;
constexpr int FAILURE_EXIT_CODE = 1;
constexpr const char* PALETTE_NAME = "PAL";
constexpr const char* PALETTE_TYPE = "Palette";

// Set once the start-up has put the first picture on the screen, cleared
// when the window goes: only then may messages draw.
bool display_ready = false;
// Set by Escape: the fade-out runs and no more input counts.
bool escaping = false;
std::atomic<HCURSOR> requested_cursor{nullptr};

bool Fail(const char* text) {
    if (text != nullptr) Show_Error(text);
    Quit_On_Error();
    return false;
}

void Store_Mouse(WPARAM wParam, LPARAM lParam) {
    mouse_buttons = static_cast<int>(wParam);
    mouse_x = GET_X_LPARAM(lParam);
    mouse_y = GET_Y_LPARAM(lParam);
}

bool In_Click_Area(int x, int y) { return x >= CLICK_LEFT && x <= CLICK_RIGHT && y >= CLICK_TOP && y <= CLICK_BOTTOM; }

void On_Escape(HWND hwnd) {
    if (exit_flag || escaping) return;
    escaping = true;
    if (display_ready) Fade_Out();
    DestroyWindow(hwnd);
}

// The window is gone: the workers end, everything made is released, and the
// program quits.
void On_Destroy() {
    Stop_Threads();
    display_ready = false;
    Release_Sound();
    Set_Display_Lock(nullptr);
    Main_Map_Release_DirectDraw(main_window);
    Free_Pictures();
    Reset_Path_Search();
    main_window = nullptr;
    PostQuitMessage(quit_code);
}

void On_Activate(bool active) {
    active_flag = active ? 1 : 0;
    if (!active || !display_ready) return;
    const std::lock_guard<std::mutex> hold(world_lock);
    if (drawing_stopped) return;
    Restore_Surfaces();
    Redraw_All();
}

// The palette as the pictures were painted, and what follows from it.
void Take_Palette() {
    std::copy(map_palette, map_palette + 256, base_palette);
    fade_level = FULL_LEVEL;
    Find_Dot_Index();
}

}  // namespace

void Reset_World_Map_State() {
    main_instance = nullptr;
    main_show_command = SW_SHOW;
    main_window = nullptr;
    active_flag = 0;
    exit_flag = 0;
    redraw_flag = 0;
    mouse_x = mouse_y = mouse_buttons = 0;
    player_x = PLAYER_START_X;
    player_y = PLAYER_START_Y;
    scroll_x = SCROLL_START_X;
    scroll_y = SCROLL_START_Y;
    walking = 0;
    quit_code = 0;
    normal_cursor = wait_cursor = nullptr;
    display_ready = false;
    escaping = false;
    requested_cursor = nullptr;
    view_dirty = 0;
    flame_counter = 1;
    walk_path.clear();
    walk_len = 0;
    drawing_stopped = 0;
    fade_level = FULL_LEVEL;
    Use_Own_Clock(true);
}

ATOM Register_Window_Class(const char* name, WNDPROC procedure, UINT style, HICON icon, HBRUSH brush) {
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = main_instance;
    wc.hIcon = icon;
    wc.hCursor = nullptr;
    wc.hbrBackground = brush;
    wc.lpszClassName = name;
    return RegisterClassA(&wc);
}

HWND Create_Main_Window(const char* class_name, int x, int y, int width, int height, const char* title, DWORD style,
                        DWORD ex_style) {
    HWND hwnd = CreateWindowExA(ex_style, class_name, title, style, x, y, width, height, nullptr, nullptr,
                                main_instance, nullptr);
    if (hwnd == nullptr) return nullptr;
    ShowWindow(hwnd, SW_HIDE);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    return hwnd;
}

int Pump_Message() {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) return 1;
    if (msg.message == WM_QUIT) return 0;
    PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return 1;
}

void Quit_On_Error() {
    quit_code = FAILURE_EXIT_CODE;
    if (main_window != nullptr)
        DestroyWindow(main_window);
    else
        PostQuitMessage(quit_code);
}

bool Main_Map_Main() {
    if (main_instance == nullptr) main_instance = GetModuleHandleA(nullptr);
    normal_cursor = LoadCursorA(main_instance, "CURSOR");
    wait_cursor = LoadCursorA(main_instance, "URES");
    if (Register_Window_Class(MAIN_CLASS_NAME, Main_Map_Window_Proc, CS_NOCLOSE, LoadIconA(nullptr, IDI_APPLICATION),
                              static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))) == 0)
        return Fail("Can't register the window class.");
    main_window = Create_Main_Window(MAIN_CLASS_NAME, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                     GetSystemMetrics(SM_CYSCREEN), MAIN_WINDOW_TITLE, WS_POPUP, WS_EX_TOPMOST);
    if (main_window == nullptr) return Fail("Can't create the window.");
    ShowWindow(main_window, main_show_command);
    // The backends tell no activation at the start: a shown window is the
    // active one.
    active_flag = 1;
    if (normal_cursor == nullptr) return Fail("Can't load the cursor CURSOR.");
    if (wait_cursor == nullptr) return Fail("Can't load the cursor URES.");
    POINT mouse{SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2};
    GetCursorPos(&mouse);
    mouse_x = mouse.x;
    mouse_y = mouse.y;

    if (!Init_Path_Search()) return Fail("Not enough memory for the path search.");
    if (!Main_Map_Init_DirectDraw(main_window, SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_BITS)) return Fail(nullptr);
    SetCursor(wait_cursor);
    if (!Load_Palette_Resource(PALETTE_NAME, PALETTE_TYPE, map_palette)) return Fail("Can't load the palette PAL.");
    Set_Palette(map_palette);
    if (display_palette == nullptr) return Fail("Can't create the palette.");
    Take_Palette();
    if (!Load_Pictures()) return Fail(nullptr);
    Set_Terrain(terrain_picture.bits, terrain_picture.stride);
    if (!Make_Picture_Surfaces()) return Fail(nullptr);

    player_x = PLAYER_START_X;
    player_y = PLAYER_START_Y;
    scroll_x = SCROLL_START_X;
    scroll_y = SCROLL_START_Y;
    walk_path.assign(PATH_STORE_STEPS + 1, 0);
    walk_len = 0;
    // From here on the workers share the display with the window.
    Set_Display_Lock(&world_lock);
    Black_Palette();
    Init_Sound();
    display_ready = true;
    {
        const std::lock_guard<std::mutex> hold(world_lock);
        Redraw_All();
    }
    Start_Threads();
    Fade_In();
    Apply_Requested_Cursor();
    return true;
}

bool Main_Loop_Pass() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
        if (!Pump_Message()) return false;
    Apply_Requested_Cursor();
    if (!display_ready) return !exit_flag;
    if (!escaping) Edge_Scroll();
    Sleep(LOOP_PAUSE_MS);
    return true;
}

void Request_Cursor(HCURSOR cursor) { requested_cursor = cursor; }

void Apply_Requested_Cursor() {
    if (HCURSOR cursor = requested_cursor.exchange(nullptr)) SetCursor(cursor);
}

void Start_Walk(int x, int y) {
    int from_x, from_y, to_x, to_y;
    {
        // The tick stops walking before the cells are taken.
        const std::lock_guard<std::mutex> hold(world_lock);
        walking = 0;
        from_x = player_x / 2;
        from_y = player_y / 2;
        to_x = (x + scroll_x - VIEW_LEFT) / 2;
        to_y = (y + scroll_y - VIEW_TOP) / 2;
    }
    // The search's own arrays belong to this thread alone.
    const int found = Find_Path(from_x, from_y, to_x, to_y);
    const std::lock_guard<std::mutex> hold(world_lock);
    walk_len = found ? path_len : 0;
    std::copy(path_dirs.begin(), path_dirs.begin() + walk_len + 1, walk_path.begin());
    if (walk_len > 0) Start_Step_Sound();
    walking = 1;
    view_dirty = 1;
}

LRESULT Main_Map_Window_Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATEAPP: On_Activate(wParam != 0); return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) On_Escape(hwnd);
            return 0;
        case WM_DESTROY: On_Destroy(); return 0;
        case WM_MOUSEMOVE:
            if (!escaping) Store_Mouse(wParam, lParam);
            return 0;
        case WM_LBUTTONDOWN:
            if (escaping) return 0;
            Store_Mouse(wParam, lParam);
            if (display_ready && In_Click_Area(mouse_x, mouse_y)) Start_Walk(mouse_x, mouse_y);
            return 0;
        default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}
