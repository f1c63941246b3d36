// The X display's picture, for GUI tests that watch a program's window
// from outside, and the close request a window manager would send it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct screen_picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb;  // 0xRRGGBB, top row first
    std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

// The whole screen of $DISPLAY; nothing when it cannot be read.
std::optional<screen_picture> Grab_Screen();
// Writes a grabbed picture as PNG (for looking at a failure).
bool Save_Screen(const screen_picture& picture, const std::string& path);

// Where a top-level window stands on the screen, found by its title.
struct window_box {
    int x = 0, y = 0, width = 0, height = 0;
};
std::optional<window_box> Window_Box(const std::string& title);
// Sends the close request a window manager sends (WM_DELETE_WINDOW) to the
// window with that title; false when there is none.
bool Close_From_Outside(const std::string& title);
