#pragma once

#include <QString>

inline const QString kProjectFilter = QStringLiteral("Tilora file (*.tlp) |*.tlp");
inline const QString kRawMapFilter = QStringLiteral("RAW 8 bit PM map file (*.*) |*.*");

// Turns a filter as the program writes it, descriptions and patterns between
// bars ("Bitmap (*.bmp) |*.bmp"), into Qt's form ("Bitmap (*.bmp)"), pairs
// joined by ";;". A pattern the description already shows is not repeated,
// and "*.*" becomes "*", since on this system it means every file, also those
// without a dot in their name.
QString QtFileFilter(const QString& filter);

// The extension a name typed without one gets in a save dialog: that of the filter's first
// pattern when it is a single one ("tlp" for "*.tlp"), else none ("*.*",
// "*.bmp;*.png").
QString DefaultSuffix(const QString& filter);

// The filter of the tile set dialogs: bitmaps first, as the tile sets have
// always been, then every picture format this Qt reads, then every file, for
// a picture whose name has no known extension.
QString TileSetFilter();

// The filter of the picture dialogs: every picture format this Qt reads,
// then every file.
QString PictureFilter();

// The save dialog of a tile set made from a picture: PNG first, so that a
// name typed without an extension gets ".png".
inline const QString kTileSetSaveFilter = QStringLiteral("PNG picture (*.png) |*.png|Bitmap (*.bmp) |*.bmp");
