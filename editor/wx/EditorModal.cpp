#include "editor/wx/EditorModal.h"

#include <wx/dialog.h>

// wx has TRUE and FALSE as macros; the platform layer has them as constants.
#undef TRUE
#undef FALSE

#include "editor/Preview.h"
#include "frontend/MapView.h"
#include "platform/Window.h"
#include "platform/wx/WxGameWindow.h"

namespace {

// Centred over the map view and above the preview strip; a dialog taller
// than the view above the strip starts at the view's top.
void Place_Over_Map_View(wxDialog& dialog) {
    const HWND hwnd = Get_Main_Window();
    wxWindow* canvas = Wx_Game_Canvas(hwnd);
    if (canvas == nullptr) return;
    const screen_fit fit = Wx_Game_Fit(hwnd);
    const RECT view = Picture_To_Window(fit, EDITOR_VIEW);
    const int room_bottom = Picture_To_Window(fit, PREVIEW_STRIP).top;
    const wxSize size = dialog.GetSize();
    const int x = view.left + (view.right - view.left - size.x) / 2;
    const int room = room_bottom - view.top;
    const int y = size.y <= room ? view.top + (room - size.y) / 2 : view.top;
    dialog.SetPosition(canvas->ClientToScreen(wxPoint(x, y)));
}

}  // namespace

int Run_Editor_Modal(wxDialog& dialog) {
    Place_Over_Map_View(dialog);
    return Wx_Run_Modal([&dialog] { return dialog.ShowModal(); });
}
