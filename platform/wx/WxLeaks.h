// Memory the window system's libraries keep until the process ends (GTK,
// GLib, D-Bus, fonts, wx's own caches): not leaks of this program. The
// backend hands them to the leak checker for every program that runs it; a
// program that uses only other parts of the wx layer does so itself:
//
//     extern "C" const char* __lsan_default_suppressions() { return WX_LEAK_SUPPRESSIONS; }
#pragma once

// A suppression matches any frame of an allocation's stack, and the game's
// own allocations run under the event loop's frames too: only allocation
// routines of the libraries and libraries that never call back are named
// (GIO keeps the file dialogs' lookups of files and icons).
inline constexpr const char* WX_LEAK_SUPPRESSIONS =
    "leak:g_malloc\n"
    "leak:g_malloc0\n"
    "leak:g_realloc\n"
    "leak:libdbus-1.so\n"
    "leak:libgio-2.0.so\n"
    "leak:libfontconfig.so\n";
