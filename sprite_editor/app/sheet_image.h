// Sprite sheets as image files, through Qt's image formats: the bytes of the
// picture of a library, and the sprites of a picture.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>
#include <span>
#include <vector>

#include "pixel_codes.h"
#include "sprite.h"

// The picture of the sprites in the format the file name's extension names
// (PNG, BMP, or another Qt writes); the mask is transparent in formats that
// keep transparency and (255, 0, 255) in the others. None for an extension
// Qt cannot write; std::bad_alloc when the picture does not fit in memory.
std::optional<QByteArray> SpriteSheetFile(std::span<const Sprite> sprites, const CodeColours& colours,
                                          const QString& fileName);

// The picture in a file's bytes, or why it is refused: no picture, or one
// smaller than a sprite.
struct SheetImport {
    std::vector<Sprite> sprites;
    QString refusal;  // empty when the sprites were read
};
SheetImport SpritesOfPicture(const QByteArray& file, const QString& fileName);

// One sprite as a 16 x 16 picture with transparency, in the colours of the
// sheets: the mask transparent.
QImage SpritePicture(const Sprite& sprite, const CodeColours& colours);

// The sprite in a picture's top-left 16 x 16 pixels, by the colour rule of
// the sheets; none for a picture smaller than a sprite.
std::optional<Sprite> SpriteOfPicture(const QImage& picture);
