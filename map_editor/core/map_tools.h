// The tools of the map canvas besides painting: the selection, the block
// being pasted, the fill tool, and the commands that work where the cursor
// cell or the selection is. The mouse buttons keep their meaning in every
// tool: the right one toggles and the middle one clears col flags; only what
// the left one does depends on the tool.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "editor_state.h"
#include "history.h"
#include "map_block.h"
#include "map_editing.h"
#include "map_size.h"

namespace tilora {

enum class MapTool { Paint, Select, Fill };

struct MapTools {
    MapTool tool = MapTool::Paint;
    std::optional<CellRect> selection;
    int32_t anchorX = 0;  // the cell where a selecting drag began
    int32_t anchorY = 0;
    bool selecting = false;          // a left drag of the select tool is under way
    std::optional<MapBlock> pasting;  // follows the pointer until placed or abandoned
    bool screenGrid = false;          // lines at the edges of each 12 x 8-cell screen
};

// The Pokemon Mini's screen in cells.
constexpr int32_t kScreenColumns = 12;
constexpr int32_t kScreenRows = 8;

// A press on the canvas. While a block is being pasted, the left button
// places it with its top-left at the cell under the pointer (one undo step,
// the paste going on) and the right one abandons it. Otherwise the left
// button paints, starts a selection or fills, by the tool, and the others
// act on col flags as they always do.
void CanvasPress(MapDocument& document, MapView& view, MapTools& tools, Stroke& stroke, History& history,
                 TileMode mode, int Button, int X, int Y);
// A pointer move: the cursor cell follows; a left drag of the select tool
// stretches the selection from its first cell to the cursor cell, one of the
// fill tool or of a paste paints nothing.
void CanvasMove(MapDocument& document, MapView& view, MapTools& tools, Stroke& stroke, int Button, int X, int Y);
// The release: a stroke becomes one step, a selecting drag ends.
void CanvasRelease(const MapDocument& document, MapTools& tools, Stroke& stroke, History& history);

// A new, loaded or imported map in the document: the selection goes.
void MapReplaced(MapTools& tools);

// The tool for the left button; choosing one abandons a paste.
void ChooseTool(MapTools& tools, MapTool tool);
void SelectAll(const MapDocument& document, MapTools& tools);
// Abandons a paste when there is one, else clears the selection.
void Cancel(MapTools& tools);

// The selected cells, none without a selection.
std::optional<MapBlock> CopySelection(const MapDocument& document, const MapTools& tools);
// Copies the selected cells, then clears them in one step.
std::optional<MapBlock> CutSelection(MapDocument& document, const MapTools& tools, History& history);
void DeleteSelection(MapDocument& document, const MapTools& tools, History& history);
void StartPasting(MapTools& tools, MapBlock block);

// Every cell holding the cursor cell's tile gets the selected tile, within
// the selection when there is one.
void ReplaceCursorTile(MapDocument& document, const MapView& view, const MapTools& tools, History& history);

// Rows and columns at the cursor cell: a row inserted above its row, a
// column left of its column, or its row or column deleted. The selection
// goes, as its cells move; false when the map cannot change so.
bool InsertRowAtCursor(MapDocument& document, MapView& view, MapTools& tools, History& history);
bool InsertColumnAtCursor(MapDocument& document, MapView& view, MapTools& tools, History& history);
bool DeleteRowAtCursor(MapDocument& document, MapView& view, MapTools& tools, History& history);
bool DeleteColumnAtCursor(MapDocument& document, MapView& view, MapTools& tools, History& history);
bool Resize(MapDocument& document, MapView& view, MapTools& tools, History& history, int32_t width, int32_t height,
            Anchor anchor);

// What the status bar shows: the cursor cell, its tile and col flag, the
// selection's size when there is one, and the zoom; empty before a map.
std::string StatusText(const MapDocument& document, const MapView& view, const MapTools& tools);

}  // namespace tilora
