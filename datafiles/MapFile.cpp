// Saving the world to a map file and loading one in its place.
#include "datafiles/MapFile.h"

#include <cerrno>
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
// Returns the report for the status line (fault: the file and what is
// wrong), nullptr when the image is good.
const char* Read_Map_File(const char* file_name, MapImage& image, file_fault& fault) {
    const auto path = Resolve_Readable_File(file_name, &fault);
    if (!path) return "Unable to open map file";
    std::error_code ec;
    const std::uint64_t size = std::filesystem::file_size(*path, ec);
    std::ifstream in(*path, std::ios::binary);
    if (ec || !in) {
        fault = {path->string(), ec ? ec.message() : System_Reason(errno)};
        return "Unable to open map file";
    }
    fault = {path->string(), ""};
    try {
        if (!Read_Map_Image(in, size, image, &fault.reason)) {
            if (fault.reason.empty()) fault.reason = "not a complete \"save v1.03\" map";
            return "Invalid map file";
        }
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

bool Write_Map_File(const char* file_name, file_fault* fault) {
    Hook_Unmark_Cursor_Fields();
    auto image = std::make_unique<MapImage>();
    Capture_Map_Image(*image);
    Clear_Run_Time_Handles(*image);
    return Write_File_Atomic(Resolve_Path_For_Write(file_name), Write_Map_Image(*image), fault);
}

bool Save_Map(const char* file_name) {
    file_fault fault;
    if (Write_Map_File(file_name, &fault)) return true;
    Editor_File_Message("Unable to open database file", fault);
    return false;
}

bool Load_Map(const char* file_name) {
    auto image = std::make_unique<MapImage>();
    file_fault fault;
    if (const char* report = Read_Map_File(file_name, *image, fault)) {
        Editor_File_Message(report, fault);
        return false;
    }
    Clear_Run_Time_Handles(*image);
    std::vector<item_type> types;
    const char* report = nullptr;
    if (!Read_Item_Data(ITEM_DATA_FILE, types, report, &fault)) {
        Editor_File_Message(report, fault);
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
