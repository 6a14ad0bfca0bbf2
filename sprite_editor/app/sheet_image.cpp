#include "sheet_image.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <cstring>
#include <new>

#include "sprite_sheet.h"

namespace {

constexpr int kDotsPerMeter = 2835;  // 72 dots per inch

// Formats whose files keep an alpha channel.
bool KeepsTransparency(const QByteArray& format) {
    return format == "png" || format == "tif" || format == "tiff" || format == "webp";
}

}  // namespace

std::optional<QByteArray> SpriteSheetFile(std::span<const Sprite> sprites, const CodeColours& colours,
                                          const QString& fileName) {
    const QByteArray format = QFileInfo(fileName).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format)) return std::nullopt;
    const bool transparency = KeepsTransparency(format);
    const std::vector<Rgba> pixels = DrawSpriteSheet(sprites, colours, transparency);
    QImage picture(kSheetWidth, SheetHeight(sprites.size()), QImage::Format_RGBA8888);
    if (picture.isNull()) throw std::bad_alloc();  // Qt returns no picture rather than throw
    for (int y = 0; y < picture.height(); ++y) {
        std::memcpy(picture.scanLine(y), pixels.data() + size_t(y) * kSheetWidth, kSheetWidth * sizeof(Rgba));
    }
    if (!transparency) picture = picture.convertToFormat(QImage::Format_RGB32);
    if (picture.isNull()) throw std::bad_alloc();
    // A picture's resolution would otherwise follow the screen, if there is
    // one: the same sheet must be the same bytes with a window or without.
    picture.setDotsPerMeterX(kDotsPerMeter);
    picture.setDotsPerMeterY(kDotsPerMeter);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(picture)) return std::nullopt;
    return bytes;
}

namespace {

// The picture's pixels row by row, red, green, blue and alpha.
std::vector<Rgba> PixelsOf(const QImage& image) {
    const QImage picture = image.convertToFormat(QImage::Format_RGBA8888);
    if (picture.isNull()) throw std::bad_alloc();
    std::vector<Rgba> pixels(size_t(picture.width()) * size_t(picture.height()));
    for (int y = 0; y < picture.height(); ++y) {
        std::memcpy(pixels.data() + size_t(y) * size_t(picture.width()), picture.constScanLine(y),
                    size_t(picture.width()) * sizeof(Rgba));
    }
    return pixels;
}

}  // namespace

SheetImport SpritesOfPicture(const QByteArray& file, const QString& fileName) {
    QImage picture = QImage::fromData(file);
    if (picture.isNull()) return {{}, QString("Cannot read this file as a picture: %1").arg(fileName)};
    if (picture.width() < kSpriteSide || picture.height() < kSpriteSide) {
        return {{}, QString("%1 is %2 x %3 pixels: a sprite takes 16 x 16.")
                        .arg(fileName)
                        .arg(picture.width())
                        .arg(picture.height())};
    }
    return {CutSpriteSheet(picture.width(), picture.height(), PixelsOf(picture)), {}};
}

QImage SpritePicture(const Sprite& sprite, const CodeColours& colours) {
    const std::vector<Rgba> sheet = DrawSpriteSheet(std::span(&sprite, 1), colours, true);
    QImage picture(kSpriteSide, kSpriteSide, QImage::Format_RGBA8888);
    for (int y = 0; y < kSpriteSide; ++y) {
        std::memcpy(picture.scanLine(y), sheet.data() + size_t(y) * kSheetWidth, kSpriteSide * sizeof(Rgba));
    }
    return picture;
}

std::optional<Sprite> SpriteOfPicture(const QImage& picture) {
    if (picture.width() < kSpriteSide || picture.height() < kSpriteSide) return std::nullopt;
    const std::vector<Rgba> pixels = PixelsOf(picture.copy(0, 0, kSpriteSide, kSpriteSide));
    Sprite sprite;
    for (size_t n = 0; n < sprite.bytes.size(); ++n) sprite.bytes[n] = CodeOfPixel(pixels[n]);
    return sprite;
}
