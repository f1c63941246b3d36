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
