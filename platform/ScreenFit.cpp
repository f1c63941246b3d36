#include "platform/ScreenFit.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

screen_fit Fit_Picture(int window_width, int window_height) {
    screen_fit fit;
    fit.window_width = window_width;
    fit.window_height = window_height;
    fit.scale = std::min(window_width / PICTURE_WIDTH, window_height / PICTURE_HEIGHT);
    if (fit.scale >= 1) {
        fit.width = PICTURE_WIDTH * fit.scale;
        fit.height = PICTURE_HEIGHT * fit.scale;
    } else {
        // Too small for the picture: the largest 4:3 size that fits.
        fit.scale = 0;
        const int w = std::max(1, window_width), h = std::max(1, window_height);
        if (w * PICTURE_HEIGHT <= h * PICTURE_WIDTH) {
            fit.width = w;
            fit.height = std::max(1, w * PICTURE_HEIGHT / PICTURE_WIDTH);
        } else {
            fit.height = h;
            fit.width = std::max(1, h * PICTURE_WIDTH / PICTURE_HEIGHT);
        }
    }
    fit.left = std::max(0, (window_width - fit.width) / 2);
    fit.top = std::max(0, (window_height - fit.height) / 2);
    return fit;
}

namespace {

// One axis: a picture of size pixels shown as shown pixels. Enlarged, a
// shown pixel d shows picture pixel d * size / shown; shrunk, the two ends
// are kept (d * (size - 1) / (shown - 1)), so that the screen's last pixel
// is the picture's.
long long Shown_To_Picture(long long d, int shown, int size) {
    if (shown >= size) return d * size / shown;
    return shown > 1 ? d * (size - 1) / (shown - 1) : 0;
}

// The first shown pixel that shows picture pixel v or one after it.
long long Picture_To_Shown(long long v, int shown, int size) {
    if (shown >= size) return (v * shown + size - 1) / size;
    if (v <= 0) return 0;
    if (v >= size) return shown;
    return (v * (shown - 1) + size - 2) / (size - 1);
}

}  // namespace

POINT Window_To_Picture(const screen_fit& fit, int x, int y) {
    auto to_picture = [](int v, int origin, int shown, int size) {
        // A pixel left of or above the picture stays outside it.
        const long long d = v - origin;
        const long long p = d >= 0 ? Shown_To_Picture(d, shown, size) : -1;
        return static_cast<LONG>(std::clamp<long long>(p, 0, size - 1));
    };
    return {to_picture(x, fit.left, fit.width, PICTURE_WIDTH), to_picture(y, fit.top, fit.height, PICTURE_HEIGHT)};
}

RECT Picture_To_Window(const screen_fit& fit, const RECT& r) {
    auto to_window = [](LONG v, int origin, int shown, int size) {
        return static_cast<LONG>(origin + Picture_To_Shown(v, shown, size));
    };
    return {to_window(r.left, fit.left, fit.width, PICTURE_WIDTH),
            to_window(r.top, fit.top, fit.height, PICTURE_HEIGHT),
            to_window(r.right, fit.left, fit.width, PICTURE_WIDTH),
            to_window(r.bottom, fit.top, fit.height, PICTURE_HEIGHT)};
}

namespace {

// Every 16-bit pixel's colour as 0xRRGGBB, for the masks last asked for.
const std::uint32_t* Colours_Of_16_Bit(const PixelLayout& layout) {
    static std::vector<std::uint32_t> table;
    static DWORD masks[3] = {0, 0, 0};
    if (table.empty() || masks[0] != layout.r_mask || masks[1] != layout.g_mask || masks[2] != layout.b_mask) {
        table.resize(65536);
        for (DWORD p = 0; p < 65536; ++p) {
            const COLORREF c = Colour_From_Pixel(layout, p);
            table[p] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
        masks[0] = layout.r_mask;
        masks[1] = layout.g_mask;
        masks[2] = layout.b_mask;
    }
    return table.data();
}

// The 0xRRGGBB colour of every pixel value of the surface's format.
const std::uint32_t* Colours_Of(const PixelLayout& layout, std::array<std::uint32_t, 256>& indexed) {
    if (layout.bits != 8) return Colours_Of_16_Bit(layout);
    for (DWORD i = 0; i < 256; ++i) {
        const COLORREF c = Colour_From_Pixel(layout, i);
        indexed[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    return indexed.data();
}

}  // namespace

void Fit_To_Rgb(const IDirectDrawSurface& surface, const RECT& r, const screen_fit& fit, std::uint8_t* rgb,
                std::size_t stride) {
    if (fit.scale >= 1) {
        Scale_To_Rgb(surface, r, fit.scale, rgb, stride);
        return;
    }
    const LONG left = std::max<LONG>(r.left, 0), top = std::max<LONG>(r.top, 0);
    const LONG right = std::min<LONG>(r.right, surface.Width()), bottom = std::min<LONG>(r.bottom, surface.Height());
    if (left >= right || top >= bottom) return;
    const PixelLayout layout = surface.Layout();
    std::array<std::uint32_t, 256> indexed{};
    const std::uint32_t* colours = Colours_Of(layout, indexed);
    // Every shown pixel whose picture pixel lies in the rectangle.
    screen_fit at_origin = fit;
    at_origin.left = at_origin.top = 0;
    const RECT shown = Picture_To_Window(at_origin, {left, top, right, bottom});
    for (LONG oy = shown.top; oy < std::min<LONG>(shown.bottom, fit.height); ++oy) {
        const LONG y = static_cast<LONG>(Shown_To_Picture(oy, fit.height, PICTURE_HEIGHT));
        const std::uint8_t* src = surface.Bits() + static_cast<std::size_t>(y) * surface.Pitch();
        std::uint8_t* out = rgb + static_cast<std::size_t>(oy) * stride;
        for (LONG ox = shown.left; ox < std::min<LONG>(shown.right, fit.width); ++ox) {
            const LONG x = static_cast<LONG>(Shown_To_Picture(ox, fit.width, PICTURE_WIDTH));
            const DWORD pixel = layout.bits == 8 ? src[x] : reinterpret_cast<const std::uint16_t*>(src)[x];
            const std::uint32_t c = colours[pixel];
            std::uint8_t* p = out + static_cast<std::size_t>(ox) * 3;
            p[0] = static_cast<std::uint8_t>(c >> 16);
            p[1] = static_cast<std::uint8_t>(c >> 8);
            p[2] = static_cast<std::uint8_t>(c);
        }
    }
}

void Scale_To_Rgb(const IDirectDrawSurface& surface, const RECT& r, int scale, std::uint8_t* rgb, std::size_t stride) {
    const LONG left = std::max<LONG>(r.left, 0), top = std::max<LONG>(r.top, 0);
    const LONG right = std::min<LONG>(r.right, surface.Width()), bottom = std::min<LONG>(r.bottom, surface.Height());
    if (left >= right || top >= bottom || scale < 1) return;
    const PixelLayout layout = surface.Layout();
    std::array<std::uint32_t, 256> indexed{};
    const std::uint32_t* colours = Colours_Of(layout, indexed);
    const std::size_t row_bytes = static_cast<std::size_t>(right - left) * scale * 3;
    for (LONG y = top; y < bottom; ++y) {
        const std::uint8_t* src = surface.Bits() + static_cast<std::size_t>(y) * surface.Pitch();
        std::uint8_t* dest =
            rgb + static_cast<std::size_t>(y) * scale * stride + static_cast<std::size_t>(left) * scale * 3;
        std::uint8_t* out = dest;
        for (LONG x = left; x < right; ++x) {
            const DWORD pixel = layout.bits == 8 ? src[x] : reinterpret_cast<const std::uint16_t*>(src)[x];
            const std::uint32_t c = colours[pixel];
            for (int i = 0; i < scale; ++i) {
                *out++ = static_cast<std::uint8_t>(c >> 16);
                *out++ = static_cast<std::uint8_t>(c >> 8);
                *out++ = static_cast<std::uint8_t>(c);
            }
        }
        // The other rows of a scaled picture row are copies of the first.
        for (int i = 1; i < scale; ++i) std::copy(dest, dest + row_bytes, dest + i * stride);
    }
}

namespace {

// The colours of an 8-bit surface's indexes as 0xRRGGBB.
std::array<std::uint32_t, 256> Index_Colours(const IDirectDrawSurface& surface) {
    std::array<std::uint32_t, 256> colours{};
    const PixelLayout layout = surface.Layout();
    for (DWORD i = 0; i < 256; ++i) {
        const COLORREF c = Colour_From_Pixel(layout, i);
        colours[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    return colours;
}

}  // namespace

std::vector<RECT> Changed_Parts(const IDirectDrawSurface& surface, const RECT& dirty, shown_picture& shown) {
    std::vector<RECT> parts;
    const int w = surface.Width(), h = surface.Height(), pitch = surface.Pitch();
    const bool indexed = surface.Layout().bits == 8;
    const int bytes_per_pixel = surface.Layout().bits / 8;
    RECT r{std::max<LONG>(dirty.left, 0), std::max<LONG>(dirty.top, 0), std::min<LONG>(dirty.right, w),
           std::min<LONG>(dirty.bottom, h)};
    if (r.left >= r.right || r.top >= r.bottom) return parts;
    // A window starts black: a new picture is compared with pixels of 0.
    if (shown.width != w || shown.height != h || shown.pitch != pitch)
        shown = {w, h, pitch, std::vector<std::uint8_t>(static_cast<std::size_t>(pitch) * h, 0), {}};
    // Indexes whose colour is no longer the one shown.
    std::array<bool, 256> recoloured{};
    bool any_recoloured = false;
    if (indexed) {
        const std::array<std::uint32_t, 256> colours = Index_Colours(surface);
        for (int i = 0; i < 256; ++i) {
            recoloured[i] = colours[i] != shown.colours[i];
            any_recoloured = any_recoloured || recoloured[i];
        }
        if (any_recoloured) r = {0, 0, w, h};
        shown.colours = colours;
    }
    const std::size_t from = static_cast<std::size_t>(r.left) * bytes_per_pixel;
    const std::size_t length = static_cast<std::size_t>(r.right - r.left) * bytes_per_pixel;
    RECT part{r.right, 0, r.left, 0};
    LONG band_end = 0;
    auto flush = [&] {
        if (part.left < part.right) parts.push_back(part);
        part = {r.right, 0, r.left, 0};
    };
    for (LONG y = r.top; y < r.bottom; ++y) {
        if (y >= band_end) {
            flush();
            band_end = (y / CHANGED_BAND + 1) * CHANGED_BAND;
        }
        const std::uint8_t* now = surface.Bits() + static_cast<std::size_t>(y) * pitch + from;
        std::uint8_t* was = shown.bytes.data() + static_cast<std::size_t>(y) * pitch + from;
        auto differs = [&](std::size_t i) { return now[i] != was[i] || (any_recoloured && recoloured[now[i]]); };
        std::size_t first = 0, last = length;
        if (any_recoloured) {
            while (first < length && !differs(first)) ++first;
            if (first == length) continue;
            while (!differs(last - 1)) --last;
        } else {
            if (std::memcmp(now, was, length) == 0) continue;
            while (now[first] == was[first]) ++first;
            while (now[last - 1] == was[last - 1]) --last;
        }
        if (part.left >= part.right) part.top = y;
        part.left = std::min<LONG>(part.left, r.left + static_cast<LONG>(first) / bytes_per_pixel);
        part.right = std::max<LONG>(part.right, r.left + static_cast<LONG>(last - 1) / bytes_per_pixel + 1);
        part.bottom = y + 1;
        std::memcpy(was, now, length);
    }
    flush();
    return parts;
}
