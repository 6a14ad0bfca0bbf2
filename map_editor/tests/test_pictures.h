// Pictures and expectations shared by the tests of the core and the window.
#pragma once

#include "editor_state.h"
#include "history.h"
#include "map_editing.h"
#include "rgb_image.h"

// The parts of the editor that core tests work on, together.
struct Editor : tilora::MapDocument, tilora::TileSheets, tilora::MapView {
    tilora::History history;
    tilora::Stroke stroke;
};

// A bitmap in which every pixel up to 256 x 256 has a colour of its own.
tilora::RgbImage PatternBitmap(int width, int height);

// Pixel (x, y) of tile n of a bitmap with the given number of tile columns.
tilora::Rgb BitmapTilePixel(const tilora::RgbImage& bitmap, int columns, int n, int x, int y);

// A map of random tiles and col flags on the pattern tile set, at a zoom.
Editor RandomMap(int width, int height, int zoom, unsigned seed);

// Pixel (X, Y) of the map canvas as drawing every cell whole gives it.
tilora::Rgb ExpectedCanvasPixel(const tilora::MapDocument& document, const tilora::TileSheets& sheets,
                                const tilora::MapView& view, int X, int Y);
