#include "sheet_image.h"

#include <QBuffer>
#include <QImageWriter>
#include <algorithm>
#include <climits>
#include <new>
#include <vector>

namespace {

constexpr int kDotsPerMeter = 2835;  // 72 dots per inch

}  // namespace

QImage PictureOfFile(std::span<const uint8_t> file) {
    return QImage::fromData(file.data(), int(std::min<size_t>(file.size(), INT_MAX)));
}

QImage ImportPixels(const QImage& picture) {
    const QImage pixels =
        picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_RGBA8888 : QImage::Format_RGBX8888);
    if (pixels.isNull()) throw std::bad_alloc();  // Qt returns no picture rather than throw
    return pixels;
}

// Lines of 4-byte pixels need no padding, so the pixels lie one after the other.
tilora::PicturePixels PixelsOf(const QImage& picture) {
    return {picture.width(), picture.height(), std::span(picture.constBits(), size_t(picture.sizeInBytes())),
            picture.hasAlphaChannel()};
}

QByteArray TileSetFile(const tilora::PicturePixels& picture, std::span<const uint32_t> tileCells,
                       const std::string& fileName) {
    const bool bitmap = QByteArray::fromStdString(fileName).toLower().endsWith(".bmp");
    const std::vector<uint8_t> pixels = tilora::DrawTileSet(picture, tileCells, !bitmap);
    QImage image(pixels.data(), tilora::kTileSetWidth, tilora::TileSetHeight(tileCells.size()),
                 tilora::kTileSetWidth * 4, QImage::Format_RGBA8888);
    image = image.convertToFormat(bitmap ? QImage::Format_RGB32 : QImage::Format_RGBA8888);
    if (image.isNull()) throw std::bad_alloc();
    // A picture's resolution would otherwise follow the screen, if there is
    // one.
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Into memory, a write fails only for want of it.
    if (!QImageWriter(&buffer, bitmap ? "bmp" : "png").write(image)) throw std::bad_alloc();
    return bytes;
}

tilora::FileContent ContentOf(const QByteArray& bytes) {
    return [&bytes](const tilora::ByteSink& sink) {
        return sink(std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())));
    };
}
