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

bool Close_From_Outside(const char* title) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    bool sent = false;
    Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, root, &root, &parent, &children, &count) != 0) {
        const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
        const Atom delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
        for (unsigned i = 0; i < count && !sent; ++i) {
            char* name = nullptr;
            if (XFetchName(display, children[i], &name) == 0 || name == nullptr) continue;
            if (std::string(name) == title) {
                XEvent event{};
                event.xclient.type = ClientMessage;
                event.xclient.window = children[i];
                event.xclient.message_type = protocols;
                event.xclient.format = 32;
                event.xclient.data.l[0] = static_cast<long>(delete_window);
                event.xclient.data.l[1] = CurrentTime;
                sent = XSendEvent(display, children[i], False, NoEventMask, &event) != 0;
            }
            XFree(name);
        }
        if (children != nullptr) XFree(children);
    }
    XFlush(display);
    XCloseDisplay(display);
    return sent;
}
