// Calls from the data files up into the front end and the editor. Each hook
// has a harmless default; the higher layer installs the real one at start-up
// and tests install their own.
#pragma once
#include "platform/FileFault.h"

struct DatafilesHooks {
    // Loads every sprite of the map just read (the map reader's last step).
    // Default: nothing, the map stays without artwork.
    void (*load_map_artwork)() = nullptr;
    // Takes the cursor marks off the fields before a map is written, so that
    // none is stored. Default: nothing.
    void (*unmark_cursor_fields)() = nullptr;
    // Writes a report into the editor's status line. Default: the text and
    // a line break on standard error.
    void (*editor_message)(const char* text) = nullptr;
    // Reports a map or database file that could not be used: the status
    // line's text, and the file's path with the reason (detail). Default:
    // the text through editor_message, the detail on standard error.
    void (*file_message)(const char* text, const char* detail) = nullptr;
    // Empties the editor's field-object list and with it a selection of a
    // placed object, before the database is loaded, saved or rebuilt.
    // Default: nothing.
    void (*empty_field_list)() = nullptr;
    // The database's trees were replaced (loaded, put back, given their
    // bins): the editor shows them anew. Default: nothing.
    void (*trees_replaced)() = nullptr;
};

DatafilesHooks& Datafiles_Hooks();

// The calls through the hooks, with their defaults.
void Hook_Load_Map_Artwork();
void Hook_Unmark_Cursor_Fields();
void Hook_Empty_Field_List();
void Hook_Trees_Replaced();
// How the map and database files report to the designer.
void Editor_Message(const char* text);
void Editor_File_Message(const char* text, const file_fault& fault);
