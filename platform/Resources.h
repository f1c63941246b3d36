// The resources a program carries: a table of named blobs the program
// registers at start-up (a build step writes it into a source file), found
// and read through FindResourceA, LoadResource and LockResource. A bitmap
// resource holds an 8-bit BMP file, a cursor resource a .CUR file.
// Values and declarations are this project's own.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/Win32Types.h"

struct HRSRC__;
using HRSRC = HRSRC__*;
using HGLOBAL = void*;

// A resource type or name given by number instead of by a string.
inline const char* MAKEINTRESOURCEA(WORD id) { return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(id)); }
inline bool IS_INTRESOURCE(const char* name) { return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0; }

// The numbered resource types a table uses.
constexpr WORD RT_CURSOR_ID = 1;
constexpr WORD RT_BITMAP_ID = 2;
inline const char* const RT_CURSOR = MAKEINTRESOURCEA(RT_CURSOR_ID);
inline const char* const RT_BITMAP = MAKEINTRESOURCEA(RT_BITMAP_ID);

struct resource_entry {
    WORD type_id;           // a numbered type, or 0 when the type has a name
    const char* type_name;  // the type's name ("Palette") when type_id is 0
    const char* name;
    const char* data;
    std::size_t size;
};

// Adds a table; a name found in more than one table is taken from the last.
void Register_Resources(const resource_entry* table, std::size_t count);
// Forgets every table.
void Reset_Resources();

// The program's own module: resources are looked up in the registered
// tables whatever instance a call names.
HINSTANCE GetModuleHandleA(const char* module);

// Names and named types compare without regard to case. Null when there is
// no such resource.
HRSRC FindResourceA(HINSTANCE instance, const char* name, const char* type);
HGLOBAL LoadResource(HINSTANCE instance, HRSRC resource);
void* LockResource(HGLOBAL loaded);
DWORD SizeofResource(HINSTANCE instance, HRSRC resource);
