#include "map_tools.h"

#include <algorithm>

#include "fill.h"

namespace tilora {

namespace {

// The cell under a canvas position, not clamped.
std::pair<int32_t, int32_t> CellAt(const MapView& view, int X, int Y) { return {X / view.Zoom, Y / view.Zoom}; }

CellRect Spanning(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    return {std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1};
}

// A map whose size changed keeps the cursor cell on it.
void KeepCursorOnMap(const MapDocument& document, MapView& view) {
    view.CursorX = std::clamp(view.CursorX, 0, std::max(document.MapWidth() - 1, 0));
    view.CursorY = std::clamp(view.CursorY, 0, std::max(document.MapHeight() - 1, 0));
}

// Runs a change of the map's size; the selection goes when it happened.
template <typename Change>
bool ChangeSize(const MapDocument& document, MapView& view, MapTools& tools, Change change) {
    if (!change()) return false;
    tools.selection.reset();
    KeepCursorOnMap(document, view);
    return true;
}

}  // namespace

void CanvasPress(MapDocument& document, MapView& view, MapTools& tools, Stroke& stroke, History& history,
                 TileMode mode, int Button, int X, int Y) {
    FinishStroke(document, stroke, history);
    if (view.Zoom == 0) return;
    const auto [x, y] = CellAt(view, X, Y);
    if (tools.pasting) {
        if (Button == kLeftButton) PlaceBlock(document, history, *tools.pasting, x, y);
        if (Button == kRightButton) tools.pasting.reset();
        return;
    }
    if (Button != kLeftButton || tools.tool == MapTool::Paint) return CanvasMouseDown(document, view, stroke, mode, Button, X, Y);
    if (tools.tool == MapTool::Fill) return FillRegion(document, history, x, y, view.SelTile, tools.selection);
    if (!document.MapTiles.Contains(x, y)) return;
    tools.selecting = true;
    tools.anchorX = x;
    tools.anchorY = y;
    tools.selection = CellRect{x, y, 1, 1};
}

void CanvasMove(MapDocument& document, MapView& view, MapTools& tools, Stroke& stroke, int Button, int X, int Y) {
    const bool paints = tools.tool == MapTool::Paint && !tools.pasting;
    // Without painting, the move only follows the pointer with the cursor cell.
    CanvasMouseMove(document, view, stroke, paints || Button != kLeftButton ? Button : 0, X, Y);
    if (tools.selecting && Button == kLeftButton) {
        tools.selection = Spanning(tools.anchorX, tools.anchorY, view.CursorX, view.CursorY);
    }
}

void CanvasRelease(const MapDocument& document, MapTools& tools, Stroke& stroke, History& history) {
    tools.selecting = false;
    FinishStroke(document, stroke, history);
}

void MapReplaced(MapTools& tools) {
    tools.selection.reset();
    tools.selecting = false;
}

void ChooseTool(MapTools& tools, MapTool tool) {
    tools.tool = tool;
    tools.pasting.reset();
}

void SelectAll(const MapDocument& document, MapTools& tools) {
    if (document.MapWidth() > 0) tools.selection = CellRect{0, 0, document.MapWidth(), document.MapHeight()};
}

void Cancel(MapTools& tools) {
    if (tools.pasting) {
        tools.pasting.reset();
    } else {
        tools.selection.reset();
    }
}

std::optional<MapBlock> CopySelection(const MapDocument& document, const MapTools& tools) {
    if (!tools.selection || OnMap(document, *tools.selection).Empty()) return std::nullopt;
    return CopyBlock(document, *tools.selection);
}

std::optional<MapBlock> CutSelection(MapDocument& document, const MapTools& tools, History& history) {
    std::optional<MapBlock> block = CopySelection(document, tools);
    if (block) ClearCells(document, history, *tools.selection);
    return block;
}

void DeleteSelection(MapDocument& document, const MapTools& tools, History& history) {
    if (tools.selection) ClearCells(document, history, *tools.selection);
}

void StartPasting(MapTools& tools, MapBlock block) { tools.pasting = std::move(block); }

void ReplaceCursorTile(MapDocument& document, const MapView& view, const MapTools& tools, History& history) {
    if (!document.MapTiles.Contains(view.CursorX, view.CursorY)) return;
    ReplaceTile(document, history, document.MapTiles(view.CursorX, view.CursorY), view.SelTile, tools.selection);
}

bool InsertRowAtCursor(MapDocument& document, MapView& view, MapTools& tools, History& history) {
    return ChangeSize(document, view, tools, [&] { return InsertRow(document, history, view.CursorY); });
}

bool InsertColumnAtCursor(MapDocument& document, MapView& view, MapTools& tools, History& history) {
    return ChangeSize(document, view, tools, [&] { return InsertColumn(document, history, view.CursorX); });
}

bool DeleteRowAtCursor(MapDocument& document, MapView& view, MapTools& tools, History& history) {
    return ChangeSize(document, view, tools, [&] { return DeleteRow(document, history, view.CursorY); });
}

bool DeleteColumnAtCursor(MapDocument& document, MapView& view, MapTools& tools, History& history) {
    return ChangeSize(document, view, tools, [&] { return DeleteColumn(document, history, view.CursorX); });
}

bool Resize(MapDocument& document, MapView& view, MapTools& tools, History& history, int32_t width, int32_t height,
            Anchor anchor) {
    return ChangeSize(document, view, tools, [&] { return ResizeMap(document, history, width, height, anchor); });
}

std::string StatusText(const MapDocument& document, const MapView& view, const MapTools& tools) {
    if (view.Zoom == 0 || !document.MapTiles.Contains(view.CursorX, view.CursorY)) return {};
    std::string text = "x " + std::to_string(view.CursorX) + ", y " + std::to_string(view.CursorY) + "   tile " +
                       std::to_string(document.MapTiles(view.CursorX, view.CursorY)) + "   col " +
                       std::to_string(document.MapCol(view.CursorX, view.CursorY));
    if (tools.selection) {
        text += "   selection " + std::to_string(tools.selection->width) + " x " + std::to_string(tools.selection->height);
    }
    return text + "   zoom " + std::to_string(view.Zoom / kTileSize) + "x";
}

}  // namespace tilora
