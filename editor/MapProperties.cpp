#include "editor/MapProperties.h"

#include <filesystem>

#include "System/ErrorReport.h"
#include "datafiles/Database.h"
#include "datafiles/MapFile.h"
#include "editor/DialogEntries.h"
#include "editor/EditorScreen.h"
#include "editor/NewMap.h"
#include "platform/PathResolver.h"
#include "platform/Window.h"

namespace {

bool Designer_Says_Yes(const char* caption) {
    return MessageBoxA(Get_Main_Window(), TEXT_ARE_YOU_SURE, caption, MB_YESNO) == IDYES;
}

}  // namespace

map_size_texts Map_Size_Texts() {
    return {std::to_string(map_width), std::to_string(map_height), std::to_string(map_levels)};
}

bool Take_Map_Size(const map_size_texts& texts, map_size& size, int* failed) {
    std::int32_t values[3] = {};
    const entry_check checks[3] = {{&texts.width, 0, MIN_MAP_SIDE, MAX_MAP_SIDE, &values[0]},
                                   {&texts.height, 1, MIN_MAP_SIDE, MAX_MAP_SIDE, &values[1]},
                                   {&texts.levels, 2, MIN_MAP_LEVELS, MAX_MAP_LEVELS, &values[2]}};
    if (const std::optional<field_fault> fault = Take_Numbers(checks)) {
        MessageBoxA(Get_Main_Window(), fault->message.c_str(), PROGRAM_NAME, MB_OK | MB_ICONEXCLAMATION);
        if (failed != nullptr) *failed = fault->control;
        return false;
    }
    size = {static_cast<std::uint32_t>(values[0]), static_cast<std::uint32_t>(values[1]),
            static_cast<std::uint32_t>(values[2])};
    return true;
}

bool Prop_Change_Size(const map_size& size) {
    if (size == Current_Map_Size()) return true;
    if (Size_Drops_Fields(size) && !Designer_Says_Yes(CAPTION_DATA_LOSS)) return false;
    if (!Resize_Map(size)) return false;
    Editor_Map_Replaced();
    return true;
}

bool Prop_New_Map(const map_size& size) {
    if (!Valid_Map_Size(size) || !Designer_Says_Yes(CAPTION_MAP_DESTROYED)) return false;
    New_Map(size);
    Editor_Map_Replaced();
    return true;
}

bool Prop_Load_Map(const std::string& path) {
    if (!Load_Map_In_Editor(path.c_str())) return false;
    Editor_Map_Replaced();
    return true;
}

bool Prop_Save_Map(const std::string& path) {
    // No map is written beside a database that could not be saved.
    return Save_Database() && Save_Map(path.c_str());
}

std::string With_Map_Extension(const std::string& path) {
    return std::filesystem::path(path).has_extension() ? path : path + "." + MAP_FILE_EXTENSION;
}

std::string Map_File_Title(const std::string& path) { return std::filesystem::path(path).stem().string(); }

std::string Map_Files_Folder() { return Resolve_Path_For_Write(MAP_FILES_FOLDER).string(); }
