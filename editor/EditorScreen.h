// The editor screen: entering it from the hexamap screen (key E) and
// leaving it, the editor dialog's buttons, popup menu and hot keys, its
// status line, and test play of the edited map. The dialogs themselves are
// the view's (EditorView.h); this is what their controls do.
#pragma once
#include <cstdint>
#include <string>

// The status line's timer.
constexpr std::uint32_t STATUS_TIMER_ID = 2345;
constexpr int STATUS_TIMER_MS = 3000;

// The texts shown while test play saves and restores the map.
constexpr const char* TEXT_SAVING_MAP = "Please wait ... Saving map";
constexpr const char* TEXT_RESTORING_MAP = "Please wait ... Restoring map";

// The popup menu of the editor dialog.
constexpr int MENU_CLOSE_EDITOR = 100;
constexpr int MENU_DEVELOPMENT_EFFECT = 101;
constexpr const char* TEXT_CLOSE_EDITOR = "Close Editor";
constexpr const char* TEXT_DEVELOPMENT_EFFECT = "WARNING!!! Development effect";

// The hot keys, by id: Left and Right arrow, numeric-pad plus and minus.
constexpr int HOT_KEY_PREV_FRAME = 1000;
constexpr int HOT_KEY_NEXT_FRAME = 1001;
constexpr int HOT_KEY_RAISE = 1002;
constexpr int HOT_KEY_LOWER = 1003;

// 1 while the editor's dialogs are open.
extern std::uint32_t editor_open;
// The status line's text as last shown.
extern std::string editor_status;
// The editor closed, nothing in its status line.
void Reset_Editor_Screen_State();

// ---- Entering and leaving ----
// The editor control of the hexamap screen, installed as the front end's
// Enter_Editor: acts on event 1 only. Opens the editor screen with its two
// dialogs and its database; entered again while open (the screen was
// restored) it only draws the screen anew. After a test play (Quit has
// reloaded the test map) the view keeps its place on the map.
void Editor_Enter(std::uint32_t flags, int event);
// "OK" and "Close Editor": back to the hexamap screen, test play over.
void Editor_OK();
// The game window closes: the editor goes without drawing anything.
void Editor_Close_For_Shutdown();
// Another map took the place of the one edited (Restore Map, a map loaded
// or made by the map properties): no field listed, no placed object
// selected (it would name records of the old map), no preview, the new
// map's scroll limits and path arrays, the view kept in the editor's
// viewport.
void Editor_Map_Replaced();

// ---- The editor dialog ----
void Editor_Test_Map();
void Editor_Restore_Map();
void Editor_Map_Properties();
void Editor_Load_Data();
void Editor_Save_Data();
void Editor_Hexa_Grid();
// "Level +" shows the level above (one less, wrapping from 0 to the top);
// "Level -" the level below (one more, wrapping from the top to 0).
void Editor_Level_Up();
void Editor_Level_Down();
// The popup menu's commands.
void Editor_Menu_Command(int id);
// A hot key: 1000 to 1003.
void Editor_Hot_Key(int id);
// The game window moved or changed its size while the editor is shown.
void Editor_Window_Moved_Handler();

// ---- The status line ----
// Installed as the data files' Editor_Message: with the editor open, the
// text goes to the status line, which clears itself 3 seconds after the
// last message; with it closed, to standard error.
void Editor_Status_Message(const char* text);
// The status timer ran out.
void Editor_On_Timer(std::uint32_t id);

// ---- Installing ----
// Puts the editor's entry points into the front end's and the data files'
// hooks (the program does this before it starts).
void Install_Editor();
// The editor's state as a whole back to its start: nothing selected or
// listed, no preview, the dialogs closed, no modal dialog installed (the
// hooks stay as installed).
void Reset_Editor();
