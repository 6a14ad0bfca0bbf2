// Between Qt's pictures and the editor's own, at the edges of the program: a
// loaded tile bitmap comes in, and what a picture box shows goes out.
#pragma once

#include <QColor>
#include <QImage>

#include "rgb_image.h"

tilora::RgbImage FromQImage(const QImage& image);
QImage ToQImage(const tilora::RgbImage& image);
QColor ToQColor(tilora::Rgb colour);
