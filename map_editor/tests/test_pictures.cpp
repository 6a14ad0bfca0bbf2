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

EditorState RandomMap(int width, int height, int zoom, unsigned seed) {
    std::mt19937 random(seed);
    EditorState state;
    state.MapTiles = CellArray(width, height);
    state.MapCol = CellArray(width, height);
    state.MapWidth = width;
    state.MapHeight = height;
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

Rgb ExpectedCanvasPixel(const EditorState& state, int X, int Y) {
    const int x = X / state.Zoom, y = Y / state.Zoom, scale = state.Zoom / 8;
    const int t = state.MapTiles(x, y);
    const int sheetX = SheetX(t) + X % state.Zoom / scale, sheetY = SheetY(t) + Y % state.Zoom / scale;
    if (x == state.CursorX && y == state.CursorY) return Inverted(state.dumm.Pixel(sheetX, sheetY));
    return (state.MapCol(x, y) ? state.Picture5 : state.dumm).Pixel(sheetX, sheetY);
}
