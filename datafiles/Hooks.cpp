#include "datafiles/Hooks.h"

#include <cstdio>
#include <string>

DatafilesHooks& Datafiles_Hooks() {
    static DatafilesHooks hooks;
    return hooks;
}

void Hook_Load_Map_Artwork() {
    if (auto load = Datafiles_Hooks().load_map_artwork) load();
}

void Hook_Unmark_Cursor_Fields() {
    if (auto unmark = Datafiles_Hooks().unmark_cursor_fields) unmark();
}

void Hook_Empty_Field_List() {
    if (auto empty = Datafiles_Hooks().empty_field_list) empty();
}

void Hook_Trees_Replaced() {
    if (auto shown = Datafiles_Hooks().trees_replaced) shown();
}

void Editor_Message(const char* text) {
    if (auto message = Datafiles_Hooks().editor_message) {
        message(text);
        return;
    }
    std::fprintf(stderr, "%s\n", text);
}

void Editor_File_Message(const char* text, const file_fault& fault) {
    const std::string detail = fault.Text();
    if (auto message = Datafiles_Hooks().file_message) {
        message(text, detail.c_str());
        return;
    }
    Editor_Message(text);
    std::fprintf(stderr, "%s\n", detail.c_str());
}
