#include "editor/wx/EditorModal.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

// wx has TRUE and FALSE as macros; the platform layer has them as constants.
#undef TRUE
#undef FALSE

#include "editor/Preview.h"
#include "editor/wx/ControlIds.h"
#include "frontend/MapView.h"
#include "platform/Window.h"
#include "platform/wx/WxGameWindow.h"

namespace {

constexpr int BORDER = 8;

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

void Run_Map_Properties_Placeholder() {
    wxDialog dialog(Wx_Game_Frame(Get_Main_Window()), wxID_ANY, "Map properties");
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(&dialog, wxID_ANY, "The map's size and its files cannot be changed here yet."), 0,
                wxALL, BORDER);
    auto* close = new wxButton(&dialog, IDC_MAP_PROPERTIES, "Close");
    close->Bind(wxEVT_BUTTON, [&dialog](wxCommandEvent&) { dialog.EndModal(IDC_MAP_PROPERTIES); });
    column->Add(close, 0, wxALIGN_CENTER | wxLEFT | wxRIGHT | wxBOTTOM, BORDER);
    dialog.SetEscapeId(IDC_MAP_PROPERTIES);
    dialog.SetSizerAndFit(column);
    Run_Editor_Modal(dialog);
}
