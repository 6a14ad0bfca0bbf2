#include "image.h"

void StretchBlt(Image& target, int x, int y, const Image& source, int factor) {
    for (int sy = 0; sy < source.Height(); ++sy) {
        for (int sx = 0; sx < source.Width(); ++sx) {
            const Colour c = source.Pixel(sx, sy);
            for (int dy = 0; dy < factor; ++dy) {
                for (int dx = 0; dx < factor; ++dx) target.SetPixelClipped(x + sx * factor + dx, y + sy * factor + dy, c);
            }
        }
    }
}
