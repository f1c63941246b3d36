#include "tests/gui/XScreen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "tools/writers/PngWriter.h"

std::optional<screen_picture> Grab_Screen() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return std::nullopt;
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    XImage* image = XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    std::optional<screen_picture> out;
    if (image != nullptr) {
        screen_picture p;
        p.width = attributes.width;
        p.height = attributes.height;
        p.rgb.resize(static_cast<std::size_t>(p.width) * p.height);
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                p.rgb[static_cast<std::size_t>(y) * p.width + x] =
                    static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF;
        XDestroyImage(image);
        out = std::move(p);
    }
    XCloseDisplay(display);
    return out;
}

bool Save_Screen(const screen_picture& picture, const std::string& path) {
    std::vector<Rgb> pixels;
    pixels.reserve(picture.rgb.size());
    for (std::uint32_t c : picture.rgb)
        pixels.push_back(
            {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)});
    return Write_Png(path, picture.width, picture.height, pixels);
}

namespace {

// The window titled title under w (w itself included), or 0.
Window Find_Titled(Display* display, Window w, const std::string& title) {
    char* name = nullptr;
    if (XFetchName(display, w, &name) != 0 && name != nullptr) {
        const bool found = title == name;
        XFree(name);
        if (found) return w;
    }
    Window root_return = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, w, &root_return, &parent, &children, &count) != 0) {
        for (unsigned i = 0; i < count && found == 0; ++i) found = Find_Titled(display, children[i], title);
        if (children != nullptr) XFree(children);
    }
    return found;
}

}  // namespace

std::optional<window_box> Window_Box(const std::string& title) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return std::nullopt;
    std::optional<window_box> out;
    if (const Window w = Find_Titled(display, DefaultRootWindow(display), title)) {
        XWindowAttributes attributes;
        Window child = 0;
        int x = 0, y = 0;
        if (XGetWindowAttributes(display, w, &attributes) != 0 &&
            XTranslateCoordinates(display, w, DefaultRootWindow(display), 0, 0, &x, &y, &child) != 0)
            out = window_box{x, y, attributes.width, attributes.height};
    }
    XCloseDisplay(display);
    return out;
}

bool Close_From_Outside(const std::string& title) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    bool sent = false;
    if (const Window w = Find_Titled(display, DefaultRootWindow(display), title)) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = w;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        sent = XSendEvent(display, w, False, NoEventMask, &event) != 0;
    }
    XFlush(display);
    XCloseDisplay(display);
    return sent;
}
