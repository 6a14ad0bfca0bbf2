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

constexpr int kDash = 4;  // pixels of one colour along a dashed line
constexpr Rgb kGridColours[2] = {MakeRgb(255, 0, 255), MakeRgb(0, 255, 0)};
constexpr Rgb kFrameColours[2] = {MakeRgb(255, 255, 255), kBlack};

// Half of each component of a and b.
constexpr Rgb Mixed(Rgb a, Rgb b) { return ((a >> 1) & 0x7F7F7F) + ((b >> 1) & 0x7F7F7F); }

// Draws on the canvas through the picture of its part `drawn`.
class CanvasPainter {
public:
    CanvasPainter(const Rect& drawn, RgbImage& picture) : drawn_(drawn), picture_(picture) {}

    // A dashed line from canvas pixel (x, y), length pixels to the right or
    // down.
    void HorizontalLine(int64_t x, int64_t y, int64_t length, const Rgb (&colours)[2]) {
        if (y < drawn_.y || y >= int64_t(drawn_.y) + drawn_.height) return;
        const int64_t from = std::max<int64_t>(x, drawn_.x), to = std::min<int64_t>(x + length, int64_t(drawn_.x) + drawn_.width);
        Rgb* row = picture_.Row(int(y - drawn_.y));
        for (int64_t at = from; at < to; ++at) row[at - drawn_.x] = colours[at / kDash % 2];
    }
    void VerticalLine(int64_t x, int64_t y, int64_t length, const Rgb (&colours)[2]) {
        if (x < drawn_.x || x >= int64_t(drawn_.x) + drawn_.width) return;
        const int64_t from = std::max<int64_t>(y, drawn_.y), to = std::min<int64_t>(y + length, int64_t(drawn_.y) + drawn_.height);
        for (int64_t at = from; at < to; ++at) picture_.SetPixel(int(x - drawn_.x), int(at - drawn_.y), colours[at / kDash % 2]);
    }
    // The dashed frame inside the edge of a canvas rectangle.
    void Frame(int64_t x, int64_t y, int64_t width, int64_t height, const Rgb (&colours)[2]) {
        HorizontalLine(x, y, width, colours);
        HorizontalLine(x, y + height - 1, width, colours);
        VerticalLine(x, y, height, colours);
        VerticalLine(x + width - 1, y, height, colours);
    }
    // Mixes a tile of the sheet, each pixel a square of factor pixels, into
    // the canvas at (x, y).
    void MixTile(int64_t x, int64_t y, int factor, const RgbImage& sheet, int tile) {
        const Rect cell = Intersect(drawn_, {int(x), int(y), kTileSize * factor, kTileSize * factor});
        for (int py = cell.y; py < cell.y + cell.height; ++py) {
            Rgb* row = picture_.Row(py - drawn_.y);
            for (int px = cell.x; px < cell.x + cell.width; ++px) {
                const Rgb tilePixel = sheet.Pixel(SheetX(tile) + int(px - x) / factor, SheetY(tile) + int(py - y) / factor);
                row[px - drawn_.x] = Mixed(row[px - drawn_.x], tilePixel);
            }
        }
    }

private:
    const Rect& drawn_;
    RgbImage& picture_;
};

void DrawPasting(const MapDocument& document, const TileSheets& sheets, const MapView& view, const MapBlock& block,
                 CanvasPainter& painter) {
    const int64_t zoom = view.Zoom;
    const CellRect placed = OnMap(document, {view.CursorX, view.CursorY, block.Width(), block.Height()});
    for (int32_t y = placed.y; y < placed.y + placed.height; ++y) {
        for (int32_t x = placed.x; x < placed.x + placed.width; ++x) {
            const int32_t bx = x - view.CursorX, by = y - view.CursorY;
            const RgbImage& sheet = block.col(bx, by) != 0 ? sheets.Picture5 : sheets.dumm;
            painter.MixTile(zoom * x, zoom * y, view.Zoom / kTileSize, sheet, block.tiles(bx, by));
        }
    }
    if (!placed.Empty()) painter.Frame(zoom * placed.x, zoom * placed.y, zoom * placed.width, zoom * placed.height, kFrameColours);
}

// The first multiple of step past 0 that is not before from.
int64_t FirstLineFrom(int64_t from, int64_t step) { return std::max<int64_t>(1, (from + step - 1) / step) * step; }

void DrawScreenGrid(const MapDocument& document, const MapView& view, const Rect& drawn, CanvasPainter& painter) {
    const int64_t zoom = view.Zoom, across = zoom * kScreenColumns, down = zoom * kScreenRows;
    for (int64_t x = FirstLineFrom(drawn.x, across); x < drawn.x + int64_t(drawn.width); x += across) {
        painter.VerticalLine(x, 0, zoom * document.MapHeight(), kGridColours);
    }
    for (int64_t y = FirstLineFrom(drawn.y, down); y < drawn.y + int64_t(drawn.height); y += down) {
        painter.HorizontalLine(0, y, zoom * document.MapWidth(), kGridColours);
    }
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

void DrawToolMarks(const MapDocument& document, const TileSheets& sheets, const MapView& view, const MapTools& tools,
                   const Rect& drawn, RgbImage& picture) {
    if (drawn.Empty() || view.Zoom < kTileSize) return;
    CanvasPainter painter(drawn, picture);
    if (tools.pasting) DrawPasting(document, sheets, view, *tools.pasting, painter);
    if (tools.screenGrid) DrawScreenGrid(document, view, drawn, painter);
    if (!tools.selection) return;
    const CellRect selected = OnMap(document, *tools.selection);
    const int64_t zoom = view.Zoom;
    if (!selected.Empty()) painter.Frame(zoom * selected.x, zoom * selected.y, zoom * selected.width, zoom * selected.height, kFrameColours);
}

}  // namespace tilora
