#pragma once

#include <QString>

// Turns a filter as the program writes it, descriptions and patterns between
// bars ("Bitmap (*.bmp) |*.bmp"), into Qt's form ("Bitmap (*.bmp)"), pairs
// joined by ";;". A pattern the description already shows is not repeated,
// and "*.*" becomes "*", since on this system it means every file, also those
// without a dot in their name.
QString QtFileFilter(const QString& filter);
