// The map view: scroll-bar layout for the canvas, the part of the canvas the
// viewport shows, and drawing that part from the map.
#pragma once

#include <optional>

#include "editor_state.h"
#include "map_tools.h"
#include "rgb_image.h"

namespace tilora {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool Empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

Rect Intersect(const Rect& a, const Rect& b);

// The maximum of the scroll bar for a canvas extent in a viewport extent, or
// nothing when the canvas fits and the bar is to be disabled.
std::optional<int> ScrollMaximum(int canvasExtent, int viewportExtent);

// The part of the canvas, in canvas pixels, that a viewport of the given size
// shows when the canvas lies at canvas.x, canvas.y inside it.
Rect VisibleCanvasRect(const Rect& canvas, int viewportWidth, int viewportHeight);

// Draws the part `wanted` of the map canvas (canvas pixels) into picture, which
// takes the size of the part of `wanted` that lies on the map; returns that
// part. Every cell is drawn from the state: the cursor cell inverted from the
// tile sheet, a cell with a col flag from the marked sheet, the rest from the
// tile sheet, each sheet pixel a square of Zoom / 8 pixels.
Rect DrawMap(const MapDocument& document, const TileSheets& sheets, const MapView& view, const Rect& wanted,
             RgbImage& picture);

// Draws over the part `drawn` of the canvas, as DrawMap left it in picture,
// what the tools show: the block being pasted with its top-left at the cursor
// cell, its tiles mixed half and half with the map's, and framed; the screen
// grid, a line along the left and top edge of every 12 x 8-cell screen but
// the first; and the selection's frame. Lines and frames are dashed in two
// colours that differ in every component, so that one of them stands out over
// any tile, at every zoom; a dash keeps its place on the canvas as it scrolls.
void DrawToolMarks(const MapDocument& document, const TileSheets& sheets, const MapView& view, const MapTools& tools,
                   const Rect& drawn, RgbImage& picture);

}  // namespace tilora
