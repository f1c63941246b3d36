// Start-up, a new game, loading a map and showing it, shutdown, and entering
// the current screen again.
#include <ctime>
#include <string>

#include "Objects/Char/CharSprites.h"
#include "Objects/GameClock.h"
#include "Objects/Hooks.h"
#include "Objects/PathSearch.h"
#include "Objects/Timers.h"
#include "Objects/Turns.h"
#include "System/Display.h"
#include "System/ErrorReport.h"
#include "System/Fonts.h"
#include "System/MessageLine.h"
#include "System/Palette.h"
#include "System/Random.h"
#include "System/ScreenType.h"
#include "datafiles/Database.h"
#include "datafiles/Hooks.h"
#include "datafiles/MapFile.h"
#include "frontend/CharPage.h"
#include "frontend/Controls.h"
#include "frontend/GameLoop.h"
#include "frontend/HexamapPanel.h"
#include "frontend/HexamapScreen.h"
#include "frontend/Hooks.h"
#include "frontend/InventoryScreen.h"
#include "frontend/MapArtwork.h"
#include "frontend/MapView.h"
#include "frontend/SpellPage.h"

namespace {

constexpr const char* FIRST_MAP = "start.map";

// A map or database file that could not be used. With the editor open its
// status line tells the designer; with it closed nothing shows that line,
// so a box tells the player, with the file and the reason under the text.
void Show_File_Message(const char* text, const char* detail) {
    if (editor_busy) {
        Editor_Message(text);
        return;
    }
    if (Is_Quitting()) return;
    const std::string message = std::string(text) + "\n" + detail;
    MessageBoxA(Get_Main_Window(), message.c_str(), PROGRAM_NAME, MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
}

}  // namespace

void Game_Startup() {
    Init_DirectDraw();
    if (!Create_Surfaces()) {
        // The game never starts: the pump ends, with a failure's exit code.
        PostMessageA(Get_Main_Window(), WM_QUIT, STARTUP_FAILED_EXIT_CODE, 0);
        return;
    }
    // A failure that quits ends the start-up where it is.
    if (Is_Quitting()) return;
    Seed_Random(static_cast<unsigned>(std::time(nullptr)));
    Install_Front_End_Hooks();
    Load_Cursors();
    if (Is_Quitting()) return;
    Clear_Key_Flags();
    Set_Message_Pos(0, 0);
    New_Game();
    if (Is_Quitting()) return;
    surfaces_ready = 1;
}

void New_Game() {
    Leave_Turn_Mode();
    Reset_Game_Clock();
    Init_Fonts();
    Timer_Init();
    Load_Palette_Tables();
    Load_Map_And_Show(FIRST_MAP);
}

void Load_Map_And_Show(const char* name) {
    Load_Map(name);
    Set_Scroll_Limits();
    Init_Path_Arrays();
    Init_Hexamap_Screen(0, 1);
}

void Game_Shutdown() {
    Free_Page_Sprites();
    Free_Fonts();
    // The portraits stay loaded from map to map; the program's end frees them.
    Free_Char_Heads();
    Release_DirectDraw();
}

int Restore_Screen() {
    if (!Create_Surfaces()) return 0;
    // The surfaces are back: the screen may be drawn again.
    surfaces_ready = 1;
    Load_Map_Artwork();
    Init_ScreenType();
    return 1;
}

bool Enter_Screen(std::uint32_t type) {
    switch (type) {
        case SCREEN_NONE: return true;
        case SCREEN_HEXAMAP: Init_Hexamap_Screen(0, 1); return true;
        case SCREEN_INVENTORY: Inventory_Switch(0, 1); return true;
        case SCREEN_CHAR_PAGE: Char_Page_Button(0, 1); return true;
        case SCREEN_SPELL_PAGE: Spell_Page_Button(0, 1); return true;
        case SCREEN_EDITOR: Enter_Editor(0, 1); return true;
        default: return false;
    }
}

void Open_Screen(std::uint16_t screen) {
    switch (screen) {
        case SCREEN_INVENTORY: Open_Inventory_Screen(0); break;
        case SCREEN_CHAR_PAGE: Open_Char_Page(); break;
        case SCREEN_SPELL_PAGE: Open_Spell_Page(); break;
        default: Enter_Screen(screen); break;
    }
}

void Init_ScreenType() {
    if (!Enter_Screen(ScreenType)) Error_Query_Quit("Invalid ScreenType in Init_ScreenType");
    Forget_Pressed_Control();
}

void Install_Front_End_Hooks() {
    Install_Control_Hooks();
    Install_Map_View_Hooks();
    Install_Panel_Hooks();
    Objects_Hooks().open_screen = &Open_Screen;
    Datafiles_Hooks().load_map_artwork = &Load_Map_Artwork;
    Datafiles_Hooks().file_message = &Show_File_Message;
    // A new object's type modifiers come from mod.dat while no pool is loaded.
    Objects_Hooks().load_mod_database = &Load_Mod_Database;
}
