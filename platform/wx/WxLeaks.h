// Memory the window system's libraries keep until the process ends (GTK,
// GLib, D-Bus, fonts, wx's own caches): not leaks of this program. The
// backend hands them to the leak checker for every program that runs it; a
// program that uses only other parts of the wx layer does so itself:
//
//     extern "C" const char* __lsan_default_suppressions() { return wx_leak_suppressions; }
#pragma once

inline constexpr const char* wx_leak_suppressions =
    "leak:libgtk-3.so\n"
    "leak:libgdk-3.so\n"
    "leak:libglib-2.0.so\n"
    "leak:libgobject-2.0.so\n"
    "leak:libgio-2.0.so\n"
    "leak:libdbus-1.so\n"
    "leak:libfontconfig.so\n"
    "leak:libpango\n"
    "leak:libcairo.so\n"
    "leak:libX11.so\n"
    "leak:libatk\n"
    "leak:libwx_\n";
