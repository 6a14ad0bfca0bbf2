#include "rgb_image.h"

#include <algorithm>

namespace tilora {

RgbImage::RgbImage(int width, int height, Rgb fill) { Reset(width, height, fill); }

void RgbImage::Reset(int width, int height, Rgb fill) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(size_t(width_) * size_t(height_), fill);
}

void StretchBlt(RgbImage& target, int dx, int dy, int factor, const RgbImage& source, int sx,
                int sy, int w, int h, BlitMode mode) {
    // 64-bit ends, so that blocks far outside the target cannot overflow.
    const int64_t x0 = std::max<int64_t>(dx, 0);
    const int64_t y0 = std::max<int64_t>(dy, 0);
    const int64_t x1 = std::min<int64_t>(dx + int64_t(w) * factor, target.Width());
    const int64_t y1 = std::min<int64_t>(dy + int64_t(h) * factor, target.Height());
    const Rgb flip = mode == BlitMode::Invert ? Inverted(kBlack) : kBlack;
    for (int64_t y = y0; y < y1; ++y) {
        const int sourceY = sy + int((y - dy) / factor);
        Rgb* row = target.Row(int(y));
        // One source pixel at a time, filling its run of target pixels.
        int64_t step = (x0 - dx) / factor;
        for (int64_t x = x0; x < x1; ++step) {
            const int64_t runEnd = std::min<int64_t>(x1, dx + (step + 1) * factor);
            const Rgb colour = source.PixelOrBlack(sx + int(step), sourceY) ^ flip;
            for (; x < runEnd; ++x) row[x] = colour;
        }
    }
}

}  // namespace tilora
