#include "test_pictures.h"

#include <random>

#include "tile_set.h"

using namespace tilora;

RgbImage PatternBitmap(int width, int height) {
    RgbImage bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, MakeRgb(x & 255, y & 255, (x + 2 * y + 7) & 255));
    }
    return bitmap;
}

Rgb BitmapTilePixel(const RgbImage& bitmap, int columns, int n, int x, int y) {
    return bitmap.Pixel(8 * (n % columns) + x, 8 * (n / columns) + y);
}

Editor RandomMap(int width, int height, int zoom, unsigned seed) {
    std::mt19937 random(seed);
    Editor state;
    state.MapTiles = CellArray(width, height);
    state.MapCol = CellArray(width, height);
    state.Zoom = zoom;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state.MapTiles(x, y) = uint8_t(random());
            state.MapCol(x, y) = random() % 3 == 0;
        }
    }
    LoadTileSet(state, PatternBitmap(128, 128));
    return state;
}

Rgb ExpectedCanvasPixel(const MapDocument& document, const TileSheets& sheets, const MapView& view, int X, int Y) {
    const int x = X / view.Zoom, y = Y / view.Zoom, scale = view.Zoom / 8;
    const int t = document.MapTiles(x, y);
    const int sheetX = SheetX(t) + X % view.Zoom / scale, sheetY = SheetY(t) + Y % view.Zoom / scale;
    if (x == view.CursorX && y == view.CursorY) return Inverted(sheets.dumm.Pixel(sheetX, sheetY));
    return (document.MapCol(x, y) ? sheets.Picture5 : sheets.dumm).Pixel(sheetX, sheetY);
}
