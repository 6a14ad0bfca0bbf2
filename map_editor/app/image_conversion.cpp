#include "image_conversion.h"

// Both directions go through RGBX8888, whose bytes lie red, green, blue,
// unused whatever the processor's byte order.

tilora::RgbImage FromQImage(const QImage& image) {
    const QImage bytes = image.convertToFormat(QImage::Format_RGBX8888);
    tilora::RgbImage picture(bytes.width(), bytes.height());
    for (int y = 0; y < bytes.height(); ++y) {
        const uchar* from = bytes.constScanLine(y);
        tilora::Rgb* to = picture.Row(y);
        for (int x = 0; x < bytes.width(); ++x, from += 4) to[x] = tilora::MakeRgb(from[0], from[1], from[2]);
    }
    return picture;
}

QImage ToQImage(const tilora::RgbImage& picture) {
    QImage image(picture.Width(), picture.Height(), QImage::Format_RGBX8888);
    for (int y = 0; y < picture.Height(); ++y) {
        const tilora::Rgb* from = picture.Row(y);
        uchar* to = image.scanLine(y);
        for (int x = 0; x < picture.Width(); ++x, to += 4) {
            to[0] = uchar(from[x]);
            to[1] = uchar(from[x] >> 8);
            to[2] = uchar(from[x] >> 16);
            to[3] = 0xFF;
        }
    }
    return image;
}

QColor ToQColor(tilora::Rgb colour) {
    return QColor(int(colour & 0xFF), int(colour >> 8 & 0xFF), int(colour >> 16 & 0xFF));
}
