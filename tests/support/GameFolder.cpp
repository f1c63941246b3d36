#include "support/GameFolder.h"

#include "System/Display.h"
#include "System/ErrorReport.h"
#include "System/Palette.h"
#include "System/ScreenType.h"
#include "datafiles/ItemData.h"
#include "datafiles/MapFile.h"
#include "frontend/MapView.h"
#include "platform/PathResolver.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/MapArtFolder.h"
#include "support/SampleMap.h"

namespace fixture {

namespace {

namespace fs = std::filesystem;

constexpr const char* GAME_FOLDER_VERSION = "game 3";

// Builds the sample map on a display of its own and saves it; everything it
// opened is closed again and the backend is as it was.
bool Write_Start_Map(const fs::path& art, const fs::path& root, void (*build)()) {
    const HeadlessBackend kept = Headless_Backend();
    WindowBackend* backend = &Window_Backend();
    const HWND main_window = Get_Main_Window();
    Set_Window_Backend(nullptr);
    Set_Main_Window(reinterpret_cast<HWND>(0x1234));
    Set_Working_Folder(art);
    Init_DirectDraw();
    bool ok = Create_Surfaces() == 1;
    surfaces_ready = 1;
    Load_Palette_Tables();
    build();
    Set_Working_Folder(root);
    ok = ok && Write_Item_Data(ITEM_DATA_FILE, item_types);
    Save_Map("start.map");
    ok = ok && fs::exists(root / "start.map");
    Release_Surfaces();
    Release_DirectDraw();
    Release_Portraits();
    Free_Map();
    Reset_Screen_Type();
    Reset_Quitting();
    Set_Working_Folder({});
    Set_Main_Window(main_window);
    Headless_Backend() = kept;
    Set_Window_Backend(backend == &Headless_Backend() ? nullptr : backend);
    return ok;
}

// A folder beside the test program with the test artwork linked in and the
// map build makes saved as "start.map".
fs::path Start_Map_Folder(const char* suffix, void (*build)()) {
    return Cached_Folder(suffix, GAME_FOLDER_VERSION, [build](const fs::path& root) {
        const fs::path art = Map_Art_Folder();
        fs::create_directories(root);
        fs::create_directory_symlink(art / "ARTWORK", root / "ARTWORK");
        fs::create_directory_symlink(art / "CURSOR", root / "CURSOR");
        return Write_Start_Map(art, root, build);
    });
}

void Build_Game_Map() { Build_Sample_Map(GAME_MAP_SIDE, GAME_MAP_SIDE, GAME_MAP_LEVELS); }

}  // namespace

namespace fs = std::filesystem;

fs::path Game_Folder() {
    static const fs::path folder = Start_Map_Folder("-game", &Build_Game_Map);
    return folder;
}

fs::path Play_Folder() {
    static const fs::path folder = Start_Map_Folder("-play", &Build_Play_Map);
    return folder;
}

}  // namespace fixture
