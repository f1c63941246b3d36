// The editor's map properties on the X display, driven from inside (see
// DriverSteps.h) in a copy of artgen's folder: the dialog opens from the
// editor dialog's "Map properties" with the map's sizes and an empty map
// name; a width of 0 is refused with the range message and "Close" still
// closes; start.map grows to 22 x 18 x 2 without a question; "Save Map"
// writes it as "grown.map" through the save dialog; "New Map" makes an
// 8 x 6 x 1 map after its question; "Load Map" brings "grown.map" back
// through the open dialog; OK closes the editor.
#include <wx/dialog.h>
#include <wx/textctrl.h>

#undef TRUE
#undef FALSE

#include <filesystem>

#include "Objects/Char/Characters.h"
#include "Objects/Map.h"
#include "System/ScreenType.h"
#include "editor/EditorScreen.h"
#include "editor/MapProperties.h"
#include "editor/wx/ControlIds.h"
#include "frontend/GameLoop.h"
#include "frontend/Hooks.h"
#include "frontend/MapView.h"
#include "platform/PathResolver.h"
#include "tests/gui/XScreen.h"
#include "tests/gui/editor/DriverSteps.h"

using namespace driver;

namespace {

namespace fs = std::filesystem;

constexpr const char* DIALOG_TITLE = "Map properties";
constexpr const char* RANGE_BOX_TITLE = "Orvex";  // the program's name captions the range message

wxDialog* Dialog() { return Modal_Dialog(DIALOG_TITLE); }
wxWindow* In_Dialog(int id) { return Control_In(Dialog(), id); }

std::string Text_Of(int id) {
    auto* edit = dynamic_cast<wxTextCtrl*>(In_Dialog(id));
    return edit != nullptr ? edit->GetValue().ToStdString() : std::string("(no control)");
}

// The map has the size and the view shows it.
bool Size_Is(std::uint32_t w, std::uint32_t h, std::uint32_t l) {
    return map_width == w && map_height == h && map_levels == l && redraw_request == 0;
}

// The pointer rests at the screen's right edge: the view scrolls to the
// map's new columns and stops at the map's scroll limit.
step Scroll_To_Right_End(const std::string& name) {
    static std::int32_t start_x = 0;
    return {name,
            [] {
                start_x = scroll_x;
                const wxSize screen = wxGetDisplaySize();
                Move_Pointer(wxPoint(screen.x - 1, screen.y / 2));
            },
            [] {
                static std::int32_t last_x = 0;
                const bool still = scroll_x == last_x;
                last_x = scroll_x;
                return still && scroll_x > start_x + 2 * MAP_FIELD_WIDTH && redraw_request == 0;
            },
            nullptr};
}

step Hexa_Grid(const std::string& name, std::uint32_t on) {
    return {name, [] { Click_Control(IDD_EDITOR, IDC_HEXA_GRID); },
            Steady([on] { return hex_grid == on && redraw_request == 0; }), nullptr};
}

step Pointer_Back(const std::string& name) {
    return {name,
            [] {
                const wxSize screen = wxGetDisplaySize();
                Move_Pointer(wxPoint(screen.x / 2, screen.y / 2));
            },
            nullptr, nullptr};
}

// The dialog opened, its sizes typed in, then a button pressed.
step Open_Dialog(const std::string& name) {
    return {name, [] { Click_Control(IDD_EDITOR, IDC_MAP_PROPERTIES); }, [] { return Dialog() != nullptr; },
            [] {
                if (Text_Of(IDC_X_SIZE) != std::to_string(map_width) ||
                    Text_Of(IDC_Y_SIZE) != std::to_string(map_height) ||
                    Text_Of(IDC_Z_SIZE) != std::to_string(map_levels))
                    Fail("the dialog does not open with the map's sizes");
                if (!Text_Of(IDC_MAP_NAME).empty()) Fail("the map name is not empty at the opening");
            }};
}

step Type_Sizes(const std::string& name, const char* w, const char* h, const char* l) {
    return {name,
            [w, h, l] {
                Type_Into(In_Dialog(IDC_X_SIZE), w);
                Type_Into(In_Dialog(IDC_Y_SIZE), h);
                Type_Into(In_Dialog(IDC_Z_SIZE), l);
            },
            [w, h, l] { return Text_Of(IDC_X_SIZE) == w && Text_Of(IDC_Y_SIZE) == h && Text_Of(IDC_Z_SIZE) == l; },
            nullptr};
}

std::string saved_tables;
fs::path grown_file;

std::vector<step> Script() {
    std::vector<step> s;
    s.push_back({"hexamap", nullptr, [] { return ScreenType == SCREEN_HEXAMAP; }, nullptr});
    s.push_back({"editor-opens", [] { Press('E'); },
                 [] { return ScreenType == SCREEN_EDITOR && Status_Text() == "Database loaded"; },
                 [] {
                     if (!Size_Is(20, 16, 2)) Fail("start.map is not 20 x 16 x 2");
                 }});
    s.push_back(Open_Dialog("map-properties-opens"));
    s.push_back(Type_Sizes("width-0-typed", "0", "16", "2"));
    s.push_back({"width-0-refused", [] { Click_Window(In_Dialog(IDC_CHANGE_SIZE)); },
                 [] { return Shown_Window(RANGE_BOX_TITLE); }, nullptr});
    s.push_back({"range-message-answered", [] { Press_In(RANGE_BOX_TITLE, WXK_RETURN); },
                 Steady([] { return !Shown_Window(RANGE_BOX_TITLE) && Dialog() != nullptr; }),
                 [] {
                     if (!Size_Is(20, 16, 2)) Fail("a width of 0 changed the map");
                 }});
    s.push_back({"close-with-a-bad-width", [] { Click_Window(In_Dialog(IDC_PROP_CLOSE)); },
                 Steady([] { return Dialog() == nullptr; }),
                 [] {
                     if (Shown_Window(RANGE_BOX_TITLE)) Fail("Close checked the sizes");
                     if (!Size_Is(20, 16, 2)) Fail("Close changed the map");
                 }});
    s.push_back(Open_Dialog("opens-again"));
    s.push_back(Type_Sizes("grow-typed", "22", "18", "2"));
    s.push_back({"grown-to-22x18x2", [] { Click_Window(In_Dialog(IDC_CHANGE_SIZE)); },
                 Steady([] { return Dialog() == nullptr && Size_Is(22, 18, 2); }),
                 [] {
                     Map_Checks_Pass("after the growth");
                     if (ScreenType != SCREEN_EDITOR) Fail("the editor closed");
                 }});
    s.push_back(Hexa_Grid("hexa-grid-on", 1));
    s.push_back(Scroll_To_Right_End("the-new-columns-at-the-right-end"));
    s.push_back(Pointer_Back("pointer-back"));
    s.push_back(Hexa_Grid("hexa-grid-off", 0));
    s.push_back(Open_Dialog("opens-for-save"));
    s.push_back({"map-name-typed", [] { Type_Into(In_Dialog(IDC_MAP_NAME), "grown"); },
                 [] { return Text_Of(IDC_MAP_NAME) == "grown"; }, nullptr});
    s.push_back({"save-dialog", [] { Click_Window(In_Dialog(IDC_SAVE_MAP)); },
                 [] { return Shown_Window(TITLE_SAVE_MAP); }, nullptr});
    s.push_back({"saved-as-grown-map",
                 [] {
                     grown_file = Resolve_Path_For_Write("ARTWORK\\MAPS\\grown.map");
                     Press_In(TITLE_SAVE_MAP, WXK_RETURN);
                 },
                 Steady([] { return Dialog() == nullptr && !Shown_Window(TITLE_SAVE_MAP); }),
                 [] {
                     if (!fs::exists(grown_file)) Fail("no " + grown_file.string() + " was written");
                     if (Status_Text() != "Database saved") Fail("the status says \"" + Status_Text() + "\"");
                 }});
    s.push_back(Open_Dialog("opens-for-new-map"));
    s.push_back(Type_Sizes("new-map-typed", "8", "6", "1"));
    s.push_back({"new-map-question", [] { Click_Window(In_Dialog(IDC_NEW_MAP)); },
                 [] { return Shown_Window(CAPTION_MAP_DESTROYED); }, nullptr});
    s.push_back({"new-map-8x6x1", [] { Press_In(CAPTION_MAP_DESTROYED, WXK_RETURN); },
                 Steady([] { return Dialog() == nullptr && Size_Is(8, 6, 1); }),
                 [] {
                     for (std::uint32_t c = 0; c < chararray.Capacity(); ++c)
                         if (Char_In_Use(static_cast<std::uint16_t>(c))) Fail("the new map has a character");
                     Map_Checks_Pass("the new map");
                 }});
    s.push_back(Hexa_Grid("hexa-grid-shows-the-new-map", 1));
    s.push_back(Hexa_Grid("hexa-grid-off-again", 0));
    s.push_back(Open_Dialog("opens-for-load"));
    s.push_back({"load-dialog", [] { Click_Window(In_Dialog(IDC_LOAD_MAP)); },
                 [] { return Shown_Window(TITLE_LOAD_MAP); }, nullptr});
    s.push_back({"grown-map-typed",
                 [] {
                     // The location entry of the open dialog takes a typed name.
                     Press_In(TITLE_LOAD_MAP, 'L', wxMOD_CONTROL);
                     Type_In(TITLE_LOAD_MAP, "grown.map");
                 },
                 nullptr, nullptr});
    s.push_back({"grown-map-loaded", [] { Press_In(TITLE_LOAD_MAP, WXK_RETURN); },
                 Steady([] { return Dialog() == nullptr && Size_Is(22, 18, 2); }),
                 [] {
                     Map_Checks_Pass("the loaded map");
                     if (ScreenType != SCREEN_EDITOR) Fail("the editor closed");
                 }});
    s.push_back({"ok-closes-the-editor", [] { Click_Control(IDD_EDITOR, IDC_OK); },
                 [] { return ScreenType == SCREEN_HEXAMAP && editor_open == 0; }, nullptr});
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    shot_prefix = "props-";
    return Run_Driver(argc, argv, &Script);
}
