// Calls from the front end up into the map editor, and the editor's
// switches the front end reads. The editor library installs its entry
// points here at start-up (it depends on the front end, never the other
// way); until then each entry does nothing, and tests install their own.
#pragma once
#include <cstdint>

struct EditorHooks {
    // The editor's entry: the hexamap screen's editor control, Quit during
    // a test play, and the editor screen entered again (flags, event).
    void (*enter_editor)(std::uint32_t flags, int event) = nullptr;
    // The editor screen's two control rows: the map area and the preview
    // strip (flags, event).
    void (*place_object)(std::uint32_t flags, int event) = nullptr;
    void (*preview_click)(std::uint32_t flags, int event) = nullptr;
    // The main window moved while the editor screen is shown.
    void (*window_moved)() = nullptr;
    // The main window is closing: the editor closes first.
    void (*close_editor)() = nullptr;
};

EditorHooks& Editor_Hooks();
// Every entry back to its default, every switch off.
void Reset_Editor_Hooks();

// The calls through the hooks; the control rows name these.
void Enter_Editor(std::uint32_t flags, int event);
void Editor_Place_Object(std::uint32_t flags, int event);
void Editor_Preview_Click(std::uint32_t flags, int event);
void Editor_Window_Moved();
void Close_Editor_For_Shutdown();

// The editor's switches, set by the editor.
// 1 while the editor is open: the game tick does nothing.
extern std::uint32_t editor_busy;
// 1 while the editor's map is played: Quit goes back to the editor.
extern std::uint32_t test_play;
// The "Hexa grid" switch: the map view outlines every field on the editor
// screen (0 at start).
extern std::uint32_t hex_grid;
// The map a test play starts from and returns to.
constexpr const char* TEST_MAP_NAME = "Test.map";
