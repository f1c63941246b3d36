// Saving the world to a map file and loading one in its place.
#include "datafiles/MapFile.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <system_error>

#include "Objects/PathSearch.h"
#include "Objects/Timers.h"
#include "System/ErrorReport.h"
#include "System/Hooks.h"
#include "datafiles/Hooks.h"
#include "datafiles/ItemData.h"
#include "datafiles/LightMap.h"
#include "datafiles/MapImage.h"
#include "platform/FileWrite.h"
#include "platform/PathResolver.h"

std::uint32_t map_loaded = 0;

namespace {

// Reads and checks the whole file; nothing in the world changes here.
// Returns the report for the status line, nullptr when the image is good.
const char* Read_Map_File(const char* file_name, MapImage& image) {
    const auto path = Resolve_Path(file_name);
    if (!path) return "Unable to open map file";
    std::error_code ec;
    const std::uint64_t size = std::filesystem::file_size(*path, ec);
    std::ifstream in(*path, std::ios::binary);
    if (ec || !in) return "Unable to open map file";
    try {
        if (!Read_Map_Image(in, size, image)) return "Invalid map file";
    } catch (const std::bad_alloc&) {
        Fatal_Error("Can't allocate memory for map!", "");
        return "Invalid map file";
    }
    return nullptr;
}

}  // namespace

void Replace_World(MapImage& image) {
    // The old world lets go of what belongs to it: the artwork of its map,
    // the arrows of a shown path and its timer events (they name its
    // modifiers). The stored paths and held target lists go with its
    // characters when the new ones are put in.
    Call_Free_Map_Artwork();
    Hide_Path_Cursor();
    Timer_Clear();
    Install_Map_Image(image);
}

void Save_Map(const char* file_name) {
    Hook_Unmark_Cursor_Fields();
    auto image = std::make_unique<MapImage>();
    Capture_Map_Image(*image);
    Clear_Run_Time_Handles(*image);
    if (!Write_File_Atomic(Resolve_Path_For_Write(file_name), Write_Map_Image(*image)))
        Editor_Message("Unable to open database file");
}

bool Load_Map(const char* file_name) {
    auto image = std::make_unique<MapImage>();
    if (const char* fault = Read_Map_File(file_name, *image)) {
        Editor_Message(fault);
        return false;
    }
    Clear_Run_Time_Handles(*image);
    std::vector<item_type> types;
    const char* fault = nullptr;
    if (!Read_Item_Data(ITEM_DATA_FILE, types, fault)) {
        Editor_Message(fault);
        return false;
    }

    Replace_World(*image);
    item_types = std::move(types);
    Init_Builtin_Item_Types();
    Hook_Load_Map_Artwork();
    Compute_Light_Map();
    map_loaded = 1;
    return true;
}
