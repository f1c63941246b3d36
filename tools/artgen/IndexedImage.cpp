#include "tools/artgen/IndexedImage.h"

#include <algorithm>

namespace art {

IndexedImage::IndexedImage(int w, int h, uint8_t fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

void Blit(IndexedImage& dst, const IndexedImage& src, int x, int y, int key) {
    for (int sy = 0; sy < src.height; ++sy)
        for (int sx = 0; sx < src.width; ++sx) {
            uint8_t v = src.At(sx, sy);
            if (v != key) dst.Set(x + sx, y + sy, v);
        }
}

IndexedImage Crop(const IndexedImage& src, int x, int y, int w, int h, uint8_t fill) {
    IndexedImage out(w, h, fill);
    for (int oy = 0; oy < h; ++oy)
        for (int ox = 0; ox < w; ++ox)
            if (src.Inside(x + ox, y + oy)) out.Set(ox, oy, src.At(x + ox, y + oy));
    return out;
}

Box Opaque_Box(const IndexedImage& img, uint8_t key) {
    int x0 = img.width, y0 = img.height, x1 = -1, y1 = -1;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if (img.At(x, y) != key) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    if (x1 < 0) return {};
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

IndexedImage Join_Frames(const std::vector<IndexedImage>& frames, uint8_t fill) {
    if (frames.empty()) return {};
    int w = frames[0].width, h = frames[0].height;
    IndexedImage out(w * static_cast<int>(frames.size()), h, fill);
    for (size_t i = 0; i < frames.size(); ++i) Blit(out, frames[i], static_cast<int>(i) * w, 0, -1);
    return out;
}

}  // namespace art
