// The game's one window: 640 x 480 client pixels, the 62 ms game tick, and
// every input message handed to the controls of the current screen.
#pragma once
#include "platform/AppFramework.h"

class CMainFrame : public CFrameWnd {
  public:
    // Creates and shows the window, starts the game and sets the tick's timer
    // (also when the start-up failed).
    CMainFrame();
    LRESULT Window_Proc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL DestroyWindow() override;

    // The handlers of the message map, in its order.
    void OnPaint(WPARAM wParam, LPARAM lParam);
    void OnMove(WPARAM wParam, LPARAM lParam);
    void OnSize(WPARAM wParam, LPARAM lParam);
    void OnTimer(WPARAM id, LPARAM lParam);
    void OnKeyDown(WPARAM key, LPARAM lParam);
    void OnKeyUp(WPARAM key, LPARAM lParam);
    void OnLButtonDown(WPARAM flags, LPARAM point);
    void OnLButtonUp(WPARAM flags, LPARAM point);
    void OnLButtonDblClk(WPARAM flags, LPARAM point);
    void OnRButtonDown(WPARAM flags, LPARAM point);
    void OnRButtonUp(WPARAM flags, LPARAM point);
    void OnMouseMove(WPARAM flags, LPARAM point);
    void OnGetMinMaxInfo(WPARAM wParam, LPARAM info);
    void OnClose(WPARAM wParam, LPARAM lParam);
    // Losing the keyboard lets go of every held key.
    void OnKillFocus(WPARAM wParam, LPARAM lParam);

    UINT_PTR Timer_Id() const { return timer_id_; }

  private:
    UINT_PTR timer_id_ = 0;
};

extern const message_map_entry<CMainFrame> main_frame_message_map[15];
