// The filters of the file dialogs, as the program writes them: descriptions
// and patterns between bars ("Pixolin library (*.pxl) |*.pxl"), several
// patterns of one description separated by ";".
#pragma once

#include <QString>

inline constexpr const char* kLibraryFilter = "Pixolin library (*.pxl) |*.pxl";
inline constexpr const char* kSpriteFilter = "Pixolin sprite (*.pxs) |*.pxs";
inline constexpr const char* kRaw1Filter = "RAW 1 bit PM sprite with Mask (*.*) |*.*";
inline constexpr const char* kRaw1AllFilter = "RAW 1 bit PM sprite data (*.*) |*.*";
inline constexpr const char* kRaw2FrameFilters[2] = {"RAW 2 bit PM sprite with Mask - frame 1 (*.*) |*.*",
                                                     "RAW 2 bit PM sprite with Mask - frame 2 (*.*) |*.*"};
inline constexpr const char* kRaw2ScreenFilters[2] = {"RAW 1 bit PM sprite data - screen 1 (*.*) |*.*",
                                                      "RAW 1 bit PM sprite data - screen 2 (*.*) |*.*"};
inline constexpr const char* kSheetFilter = "PNG image (*.png) |*.png|BMP image (*.bmp) |*.bmp";

// A filter in Qt's form: "Description (pattern pattern)" pairs joined by
// ";;". A pattern the description already shows is not repeated, and "*.*"
// becomes "*", since on this system it means every file, also those without
// a dot in their name.
QString QtFileFilter(const QString& filter);

// The extension a name typed without one gets in a save dialog: that of the
// filter's first pattern when it is a single one ("pxl" for "*.pxl"), else
// none ("*.*", "*.bmp;*.png").
QString DefaultSuffix(const QString& filter);

// The filter of the picture dialog: every picture format this Qt reads, then
// every file, for a picture whose name has no known extension.
QString PictureFilter();
