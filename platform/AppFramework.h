// The few classes of the application framework the game is written against:
// the application object with its start, idle and exit calls, and window
// objects that receive their window's messages through a message map. The
// message pump belongs to the window backend; Pump_Message is its step.
// Values and declarations are this project's own.
#pragma once
#include <cstddef>

#include "platform/Window.h"

class CWnd : public MessageTarget {
  public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    // Messages the window object does not take itself get the framework's
    // default: WM_CLOSE destroys the window; WM_NCDESTROY detaches the object
    // from it and calls PostNcDestroy.
    LRESULT Window_Proc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual BOOL DestroyWindow();

    BOOL ShowWindow(int command);
    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds, void* unused_procedure);
    BOOL KillTimer(UINT_PTR id);
    DWORD GetStyle() const { return style_; }
    DWORD GetExStyle() const { return 0; }

  protected:
    LRESULT Default_Window_Proc(UINT message, WPARAM wParam, LPARAM lParam);
    // After the window is gone; a frame deletes its object here.
    virtual void PostNcDestroy() {}
    // Makes the window for this object.
    BOOL Create_Window(const char* title, DWORD style, const RECT& rect);

  private:
    DWORD style_ = 0;
};

class CFrameWnd : public CWnd {
  public:
    // class_name and menu: only the defaults (null) exist; parent: none.
    BOOL Create(const char* class_name, const char* title, DWORD style, const RECT& rect, CWnd* parent = nullptr,
                const char* menu = nullptr);

  protected:
    // Closing a frame destroys its window; when it is the application's main
    // window the pump then ends.
    void OnClose();
    void PostNcDestroy() override;
};

class CWinApp {
  public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // The main window; its destruction ends the message pump.
    CWnd* m_pMainWnd = nullptr;

    virtual BOOL InitInstance() { return TRUE; }
    // One idle pass (count: passes since the last message); TRUE asks for
    // more idle time. The framework itself has nothing to do when idle.
    virtual BOOL OnIdle(long count);
    // Returns the exit code of the WM_QUIT that ended the pump.
    virtual int ExitInstance();
    BOOL Enable3dControls() { return TRUE; }

    int Exit_Code() const { return exit_code_; }
    void Set_Exit_Code(int code) { exit_code_ = code; }

  private:
    int exit_code_ = 0;
};

// The application object (the one constructed last), or null.
CWinApp* AfxGetApp();

// One step of a message pump: WM_QUIT stores its code as the application's
// exit code and returns false; any other message goes to its window.
bool Pump_Message(const MSG& msg);

// A window object's message map: the first entry for a message gets it.
template <class W>
struct message_map_entry {
    UINT message;
    void (W::*handler)(WPARAM wParam, LPARAM lParam);
};

template <class W, std::size_t N>
bool Dispatch_By_Map(W& window, const message_map_entry<W> (&map)[N], UINT message, WPARAM wParam, LPARAM lParam) {
    for (const message_map_entry<W>& entry : map) {
        if (entry.message == message) {
            (window.*entry.handler)(wParam, lParam);
            return true;
        }
    }
    return false;
}
