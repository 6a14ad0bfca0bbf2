#include "map_view.h"

#include <algorithm>
#include <climits>

#include "tile_set.h"

namespace tilora {

namespace {

// At its far end the canvas then stops 10 pixels short of the viewport's edge,
// as its top-left corner starts 5 pixels in.
constexpr int kScrollMargin = 15;

int ClampToInt(int64_t value) { return int(std::clamp<int64_t>(value, INT_MIN, INT_MAX)); }

// The canvas extent that has cells to draw.
Rect MapExtent(const MapDocument& document, int32_t zoom) {
    if (zoom < kTileSize) return {};
    const int64_t columns = std::min(document.MapTiles.Width(), document.MapCol.Width());
    const int64_t rows = std::min(document.MapTiles.Height(), document.MapCol.Height());
    return {0, 0, ClampToInt(columns * zoom), ClampToInt(rows * zoom)};
}

}  // namespace

Rect Intersect(const Rect& a, const Rect& b) {
    const int64_t left = std::max(a.x, b.x);
    const int64_t top = std::max(a.y, b.y);
    const int64_t right = std::min(int64_t(a.x) + a.width, int64_t(b.x) + b.width);
    const int64_t bottom = std::min(int64_t(a.y) + a.height, int64_t(b.y) + b.height);
    if (right <= left || bottom <= top) return {};
    return {int(left), int(top), ClampToInt(right - left), ClampToInt(bottom - top)};
}

std::optional<int> ScrollMaximum(int canvasExtent, int viewportExtent) {
    if (canvasExtent <= viewportExtent) return std::nullopt;
    return ClampToInt(int64_t(canvasExtent) - viewportExtent + kScrollMargin);
}

Rect VisibleCanvasRect(const Rect& canvas, int viewportWidth, int viewportHeight) {
    const Rect shown = Intersect(canvas, {0, 0, viewportWidth, viewportHeight});
    if (shown.Empty()) return {};
    return {shown.x - canvas.x, shown.y - canvas.y, shown.width, shown.height};
}

Rect DrawMap(const MapDocument& document, const TileSheets& sheets, const MapView& view, const Rect& wanted,
             RgbImage& picture) {
    const Rect onMap = Intersect(wanted, MapExtent(document, view.Zoom));
    picture.Reset(onMap.width, onMap.height, kBlack);
    if (onMap.Empty()) return {};
    const int zoom = view.Zoom;
    const int lastColumn = int((int64_t(onMap.x) + onMap.width - 1) / zoom);
    const int lastRow = int((int64_t(onMap.y) + onMap.height - 1) / zoom);
    for (int i = onMap.y / zoom; i <= lastRow; ++i) {
        for (int j = onMap.x / zoom; j <= lastColumn; ++j) {
            const int t = document.MapTiles(j, i);
            const bool cursor = j == view.CursorX && i == view.CursorY;
            const RgbImage& sheet = !cursor && document.MapCol(j, i) != 0 ? sheets.Picture5 : sheets.dumm;
            StretchBlt(picture, int(int64_t(zoom) * j - onMap.x), int(int64_t(zoom) * i - onMap.y),
                       zoom / kTileSize, sheet, SheetX(t), SheetY(t), kTileSize, kTileSize,
                       cursor ? BlitMode::Invert : BlitMode::Copy);
        }
    }
    return onMap;
}

}  // namespace tilora
