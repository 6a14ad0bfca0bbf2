// Pictures for the map import, through Qt's image formats: the pixels of a
// picture file, and the tile set of a cut picture as the bytes of a file.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <span>
#include <string>

#include "file_io.h"
#include "picture_map.h"

// The picture in a file's bytes as Qt reads it; a null picture when it
// reads none from them.
QImage PictureOfFile(std::span<const uint8_t> file);

// The picture with 4 bytes a pixel as the import reads them: RGBA8888, or
// RGBX8888 when it has no transparency. Throws std::bad_alloc when the pixels
// do not fit in memory.
QImage ImportPixels(const QImage& picture);
// The pixels of such a picture, valid as long as it is.
tilora::PicturePixels PixelsOf(const QImage& picture);

// The tile set of a cut picture as a file: BMP when the name ends in ".bmp"
// (in any case), PNG otherwise; the same bytes with a window or without.
QByteArray TileSetFile(const tilora::PicturePixels& picture, std::span<const uint32_t> tileCells,
                       const std::string& fileName);

// A file's bytes as the content to write; they must outlive the writing.
tilora::FileContent ContentOf(const QByteArray& bytes);
