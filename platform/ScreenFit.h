// How the game's 640 x 480 picture fills a real screen: scaled by the
// largest whole factor that fits, nearest neighbour, centred with black
// borders (in a window smaller than the picture, shrunk to fit it with its
// shape kept); and the way back from a window pixel to a picture pixel.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/DDraw.h"
#include "platform/Win32Types.h"

constexpr int PICTURE_WIDTH = 640;
constexpr int PICTURE_HEIGHT = 480;

struct screen_fit {
    // The whole factor of an enlarged picture; 0 when it is shrunk (width
    // and height below the picture's).
    int scale = 1;
    int left = 0, top = 0;                               // the picture's top-left corner in the window
    int width = PICTURE_WIDTH, height = PICTURE_HEIGHT;  // the picture as the window shows it
    int window_width = PICTURE_WIDTH, window_height = PICTURE_HEIGHT;
};

// The fit in a window of that size.
screen_fit Fit_Picture(int window_width, int window_height);

// The picture pixel under a window pixel. Points in the borders count as
// the nearest edge of the picture, so the screen's edge is the picture's.
POINT Window_To_Picture(const screen_fit& fit, int x, int y);

// Where a picture rectangle lies in the window (every window pixel that
// shows a part of it).
RECT Picture_To_Window(const screen_fit& fit, const RECT& r);

// The picture of r (cut to the surface) as 24-bit RGB, every pixel scale x
// scale times, written at (r.left * scale, r.top * scale) of an image whose
// rows are stride bytes apart.
void Scale_To_Rgb(const IDirectDrawSurface& surface, const RECT& r, int scale, std::uint8_t* rgb, std::size_t stride);

// The same at the fit's size (fit.width x fit.height, its top-left at 0):
// enlarged by its whole factor, or shrunk by sampling the nearest pixel.
void Fit_To_Rgb(const IDirectDrawSurface& surface, const RECT& r, const screen_fit& fit, std::uint8_t* rgb,
                std::size_t stride);

// What a window last showed of a surface, to skip redrawing what did not
// change: its pixels and, for an 8-bit surface, the colours of its indexes.
struct shown_picture {
    int width = 0, height = 0, pitch = 0;
    std::vector<std::uint8_t> bytes;
    std::array<std::uint32_t, 256> colours{};  // 0xRRGGBB of each index
};

// The parts of r (a dirty rectangle of the surface) whose pixels show
// otherwise than what was shown, in bands of CHANGED_BAND rows, each cut to
// its changed columns; they are remembered as shown. An 8-bit pixel changes
// with its index or with its index's colour: when the palette changed, the
// whole surface is looked at. Empty when nothing changed. Before the first
// picture, and for a surface of another size, the window shows pixels of 0
// in black.
constexpr int CHANGED_BAND = 16;
std::vector<RECT> Changed_Parts(const IDirectDrawSurface& surface, const RECT& r, shown_picture& shown);
