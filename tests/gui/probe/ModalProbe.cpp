// A small program on the wx window backend for the GUI tests: its window
// has a 10 ms timer; the first tick opens a message box, and the idle pass
// after the second tick another, each answered with Enter by a timer of the
// probe after half a second. It prints what reached the program while a box
// was open and exits with 0 when nothing did (no tick, no key, no idle pass)
// and the ticks came back after them.
#include <wx/timer.h>
#include <wx/uiaction.h>

#undef TRUE
#undef FALSE

#include <cstdio>

#include "platform/AppFramework.h"
#include "platform/wx/WxBackend.h"

namespace {

bool in_box = false;
bool box_from_idle = false;
int ticks_in_box = 0, keys_in_box = 0, idles_in_box = 0, ticks_after = 0, boxes_answered = 0;

// Presses Enter until the box is gone.
class Answerer : public wxTimer {
  public:
    void Notify() override { wxUIActionSimulator().Char(WXK_RETURN); }
};

void Ask(HWND owner) {
    Answerer answerer;
    answerer.Start(500);
    in_box = true;
    if (MessageBoxA(owner, "Probe", "Probe", MB_OK) == IDOK) ++boxes_answered;
    in_box = false;
    answerer.Stop();
}

class ProbeFrame : public CFrameWnd {
  public:
    ProbeFrame() {
        Create(nullptr, "probe", WS_POPUP, {0, 0, 640, 480});
        ShowWindow(SW_SHOW);
        SetTimer(1, 10, nullptr);
    }
    LRESULT Window_Proc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER) On_Tick();
        if (message == WM_KEYDOWN && in_box) ++keys_in_box;
        return CFrameWnd::Window_Proc(message, wParam, lParam);
    }

  private:
    void On_Tick() {
        if (in_box) {
            ++ticks_in_box;
            return;
        }
        ++ticks_;
        if (ticks_ == 1) Ask(m_hWnd);
        if (ticks_ == 2) box_from_idle = true;
        if (ticks_ > 2 && boxes_answered == 2 && ++ticks_after == 5) PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
    }
    int ticks_ = 0;
};

class ProbeApp : public CWinApp {
  public:
    BOOL InitInstance() override {
        m_pMainWnd = new ProbeFrame();
        return TRUE;
    }
    BOOL OnIdle(long) override {
        if (in_box) ++idles_in_box;
        if (box_from_idle && m_pMainWnd != nullptr) {
            box_from_idle = false;
            Ask(m_pMainWnd->m_hWnd);
        }
        return TRUE;
    }
};

}  // namespace

int main(int argc, char** argv) {
    ProbeApp app;
    const int status = Run_Wx_Application(app, argc, argv);
    std::printf("status %d boxes %d ticks_in_box %d keys_in_box %d idles_in_box %d ticks_after %d\n", status,
                boxes_answered, ticks_in_box, keys_in_box, idles_in_box, ticks_after);
    const bool held_back = ticks_in_box == 0 && keys_in_box == 0 && idles_in_box == 0;
    return status == 0 && boxes_answered == 2 && held_back && ticks_after >= 5 ? 0 : 1;
}
