// Pictures and expectations shared by the tests of the core and the window.
#pragma once

#include "editor_state.h"
#include "rgb_image.h"

// A bitmap in which every pixel up to 256 x 256 has a colour of its own.
tilora::RgbImage PatternBitmap(int width, int height);

// Pixel (x, y) of tile n of a bitmap with the given number of tile columns.
tilora::Rgb BitmapTilePixel(const tilora::RgbImage& bitmap, int columns, int n, int x, int y);

// A map of random tiles and col flags on the pattern tile set, at a zoom.
tilora::EditorState RandomMap(int width, int height, int zoom, unsigned seed);

// Pixel (X, Y) of the map canvas as drawing every cell whole gives it.
tilora::Rgb ExpectedCanvasPixel(const tilora::EditorState& state, int X, int Y);
