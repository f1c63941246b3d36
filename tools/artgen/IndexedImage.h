#pragma once
// An 8-bit picture whose pixels are indexes into the game palette.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace art {

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // row after row from the top, width * height

    IndexedImage() = default;
    IndexedImage(int w, int h, uint8_t fill);

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // Writes one pixel; points outside the picture are ignored.
    void Set(int x, int y, uint8_t v) {
        if (Inside(x, y)) pixels[static_cast<size_t>(y) * width + x] = v;
    }
    bool operator==(const IndexedImage&) const = default;
};

// Copies src onto dst with its top-left corner at (x, y); pixels equal to key
// are skipped (pass a key outside 0..255 to copy every pixel).
void Blit(IndexedImage& dst, const IndexedImage& src, int x, int y, int key);

// The part (x, y, w, h) of src; pixels outside src become fill.
IndexedImage Crop(const IndexedImage& src, int x, int y, int w, int h, uint8_t fill);

// The smallest rectangle holding every pixel that is not key; an empty
// picture gives w = h = 0.
struct Box {
    int x = 0, y = 0, w = 0, h = 0;
};
Box Opaque_Box(const IndexedImage& img, uint8_t key);

// Frames of equal size laid side by side, left to right.
IndexedImage Join_Frames(const std::vector<IndexedImage>& frames, uint8_t fill);

}  // namespace art
