#include "editor/MapProperties.h"

#include <filesystem>

#include "datafiles/Database.h"
#include "datafiles/MapFile.h"
#include "editor/DialogRange.h"
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
    const struct {
        const std::string& text;
        std::uint32_t low, high;
        std::uint32_t& out;
    } fields[3] = {{texts.width, MIN_MAP_SIDE, MAX_MAP_SIDE, size.width},
                   {texts.height, MIN_MAP_SIDE, MAX_MAP_SIDE, size.height},
                   {texts.levels, MIN_MAP_LEVELS, MAX_MAP_LEVELS, size.levels}};
    for (int i = 0; i < 3; ++i) {
        std::int32_t value = 0;
        if (!Take_Int_In_Range(fields[i].text, static_cast<std::int32_t>(fields[i].low),
                               static_cast<std::int32_t>(fields[i].high), value)) {
            if (failed != nullptr) *failed = i;
            return false;
        }
        fields[i].out = static_cast<std::uint32_t>(value);
    }
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
