// Off-screen pictures of 24-bit colours and the two block transfers the editor
// draws with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tilora {

// A colour: red in the lowest byte, then green, then blue; the top byte is 0.
using Rgb = uint32_t;

constexpr Rgb MakeRgb(uint32_t red, uint32_t green, uint32_t blue) {
    return red | green << 8 | blue << 16;
}
constexpr Rgb Inverted(Rgb colour) { return colour ^ 0xFFFFFF; }
constexpr Rgb RedOnly(Rgb colour) { return colour & 0xFF; }

constexpr Rgb kBlack = 0;
constexpr Rgb kGrey = MakeRgb(128, 128, 128);

class RgbImage {
public:
    RgbImage() = default;
    RgbImage(int width, int height, Rgb fill = kBlack);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Rgb Pixel(int x, int y) const { return pixels_[Index(x, y)]; }
    void SetPixel(int x, int y, Rgb colour) { pixels_[Index(x, y)] = colour; }
    // Pixels outside the picture read as black, as from a picture box that
    // has nothing loaded.
    Rgb PixelOrBlack(int x, int y) const { return Contains(x, y) ? Pixel(x, y) : kBlack; }
    Rgb* Row(int y) { return pixels_.data() + Index(0, y); }
    const Rgb* Row(int y) const { return pixels_.data() + Index(0, y); }
    // Gives the picture a new size; what it held is lost.
    void Reset(int width, int height, Rgb fill);

    friend bool operator==(const RgbImage&, const RgbImage&) = default;

private:
    size_t Index(int x, int y) const { return size_t(y) * size_t(width_) + size_t(x); }

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

enum class BlitMode { Copy, Invert };

// Copies the w x h block at (sx, sy) of source to (dx, dy) of target, each
// source pixel becoming a square of factor x factor pixels. What falls outside
// the target is cut off.
void StretchBlt(RgbImage& target, int dx, int dy, int factor, const RgbImage& source, int sx,
                int sy, int w, int h, BlitMode mode);

inline void BitBlt(RgbImage& target, int dx, int dy, int w, int h, const RgbImage& source,
                   int sx, int sy, BlitMode mode) {
    StretchBlt(target, dx, dy, 1, source, sx, sy, w, h, mode);
}

}  // namespace tilora
