#include "platform/wx/WxFullScreen.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// Whether the atom list of the root window's property holds atom.
bool Root_List_Holds(Display* display, Atom property, Atom atom) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    constexpr long LONGEST = 4096;
    if (XGetWindowProperty(display, DefaultRootWindow(display), property, 0, LONGEST, False, XA_ATOM, &type, &format,
                           &count, &after, &data) != Success ||
        data == nullptr)
        return false;
    bool found = false;
    if (type == XA_ATOM && format == 32) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == atom;
    }
    XFree(data);
    return found;
}

}  // namespace

bool Window_Manager_Makes_Full_Screen() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return true;
    // A window manager that follows the desktop conventions lists the
    // full-screen state among what it supports.
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", True);
    const Atom full_screen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", True);
    const bool yes = supported != None && full_screen != None && Root_List_Holds(display, supported, full_screen);
    XCloseDisplay(display);
    return yes;
}
