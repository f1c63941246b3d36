// Memory the window system's libraries keep until the process ends (GTK,
// GLib, D-Bus, fonts, wx's own caches): not leaks of this program. Programs
// built with the leak checker hand these to it as suppressions:
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
