// A picture surface's pixels, for drawing views without the window toolkit.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "pixel_codes.h"

class Image {
public:
    Image() = default;
    Image(int width, int height, Colour background = 0)
        : width_(width), height_(height), pixels_(size_t(width) * height, background) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Colour Pixel(int x, int y) const { return pixels_[Index(x, y)]; }
    void SetPixel(int x, int y, Colour c) { pixels_[Index(x, y)] = c; }
    // Pixels outside the image are clipped, as on a picture surface.
    void SetPixelClipped(int x, int y, Colour c) {
        if (Contains(x, y)) SetPixel(x, y, c);
    }
    void Clear(Colour background) { std::fill(pixels_.begin(), pixels_.end(), background); }
    const std::vector<Colour>& Pixels() const { return pixels_; }

    bool operator==(const Image&) const = default;

private:
    size_t Index(int x, int y) const { return size_t(y) * width_ + x; }

    int width_ = 0;
    int height_ = 0;
    std::vector<Colour> pixels_;
};

// Copies `source` into `target` at (x, y), each source pixel becoming a solid
// `factor` x `factor` block.
void StretchBlt(Image& target, int x, int y, const Image& source, int factor);
