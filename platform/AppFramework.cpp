#include "platform/AppFramework.h"

namespace {
CWinApp* current_app = nullptr;
}

CWinApp* AfxGetApp() { return current_app; }

CWinApp::CWinApp() { current_app = this; }

CWinApp::~CWinApp() {
    if (current_app == this) current_app = nullptr;
}

BOOL CWinApp::OnIdle(long) { return FALSE; }

int CWinApp::ExitInstance() { return exit_code_; }

bool Pump_Message(const MSG& msg) {
    if (msg.message == WM_QUIT) {
        if (CWinApp* app = AfxGetApp()) app->Set_Exit_Code(static_cast<int>(msg.wParam));
        return false;
    }
    DispatchMessageA(&msg);
    return true;
}

CWnd::~CWnd() {
    // An object deleted while its window lives takes the window with it.
    if (m_hWnd != nullptr) {
        HWND hwnd = m_hWnd;
        m_hWnd = nullptr;
        ::DestroyWindow(hwnd);
    }
}

LRESULT CWnd::Window_Proc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default_Window_Proc(message, wParam, lParam);
}

LRESULT CWnd::Default_Window_Proc(UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_CLOSE: DestroyWindow(); return 0;
        case WM_NCDESTROY: {
            m_hWnd = nullptr;
            CWinApp* app = AfxGetApp();
            if (app != nullptr && app->m_pMainWnd == this) {
                app->m_pMainWnd = nullptr;
                PostQuitMessage(0);
            }
            PostNcDestroy();
            return 0;
        }
        default: return 0;
    }
}

BOOL CWnd::DestroyWindow() { return m_hWnd != nullptr && ::DestroyWindow(m_hWnd); }

BOOL CWnd::Create_Window(const char* title, DWORD style, const RECT& rect) {
    style_ = style;
    m_hWnd = CreateGameWindow(this, title, style, rect);
    return m_hWnd != nullptr;
}

BOOL CWnd::ShowWindow(int command) { return m_hWnd != nullptr && ::ShowWindow(m_hWnd, command); }

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT milliseconds, void* procedure) {
    return m_hWnd != nullptr ? ::SetTimer(m_hWnd, id, milliseconds, procedure) : 0;
}

BOOL CWnd::KillTimer(UINT_PTR id) { return m_hWnd != nullptr && ::KillTimer(m_hWnd, id); }

BOOL CFrameWnd::Create(const char*, const char* title, DWORD style, const RECT& rect, CWnd*, const char*) {
    return Create_Window(title, style, rect);
}

void CFrameWnd::OnClose() { DestroyWindow(); }

void CFrameWnd::PostNcDestroy() { delete this; }
