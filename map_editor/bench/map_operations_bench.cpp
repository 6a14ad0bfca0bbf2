// The map operations on a 1024 x 1024 map, each of which must take at most
// 100 ms and its undo at most 50 ms, and a fill of the largest map, which
// must take seconds at most. They run in the editor's benchmark program.
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <string>

#include "fill.h"
#include "map_block.h"
#include "map_editing.h"
#include "map_size.h"

namespace {

using namespace tilora;

enum class Cells { Blank, Numbered, Comb };

struct Map {
    MapDocument document;
    History history;
    Stroke stroke;
    MapBlock block;    // the cells of a numbered map, to paste
    std::string text;  // the block as clipboard text
};

// A 1024 x 1024 map of tile 0; of every tile in turn with col flags on a
// third of the cells; or of tile 0 cut by walls of tile 1 into one-cell teeth
// that hang from the top row, so that a fill meets a run on every other cell.
Map BigMap(Cells cells) {
    Map map;
    NewMap(map.document, map.history, 1024, 1024);
    map.block = {CellArray(1024, 1024), CellArray(1024, 1024)};
    for (int y = 0; y < 1024; ++y) {
        for (int x = 0; x < 1024; ++x) {
            map.block.tiles(x, y) = uint8_t(x + 16 * y);
            map.block.col(x, y) = (x + y) % 3 == 0;
            if (cells == Cells::Comb) map.document.MapTiles(x, y) = x % 2 == 1 && y > 0;
        }
    }
    if (cells == Cells::Numbered) {
        map.document.MapTiles = map.block.tiles;
        map.document.MapCol = map.block.col;
    }
    map.text = BlockText(map.block);
    map.history.Reset();
    return map;
}

double Seconds(std::chrono::steady_clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// Each iteration runs the operation, timed, then its undo, timed apart, which
// the counter undo_ms gives per iteration.
void BM_MapOperation_1024x1024(benchmark::State& state, Cells cells, std::function<void(Map&)> operation) {
    Map map = BigMap(cells);
    double undoSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        operation(map);
        const auto done = std::chrono::steady_clock::now();
        Undo(map.document, map.stroke, map.history);
        undoSeconds += Seconds(std::chrono::steady_clock::now() - done);
        state.SetIterationTime(Seconds(done - start));
    }
    state.counters["undo_ms"] = benchmark::Counter(undoSeconds * 1000, benchmark::Counter::kAvgIterations);
}

#define MAP_OPERATION(name, cells, ...)                                                                    \
    BENCHMARK_CAPTURE(BM_MapOperation_1024x1024, name, cells, [](Map& m) { __VA_ARGS__; })->UseManualTime() \
        ->Unit(benchmark::kMillisecond)

MAP_OPERATION(CopyAll, Cells::Numbered, benchmark::DoNotOptimize(CopyBlock(m.document, {0, 0, 1024, 1024})));
MAP_OPERATION(CopyAllAsText, Cells::Numbered, benchmark::DoNotOptimize(BlockText(m.block)));
MAP_OPERATION(ReadText, Cells::Numbered, benchmark::DoNotOptimize(BlockFromText(m.text)));
MAP_OPERATION(ClearAll, Cells::Numbered, ClearCells(m.document, m.history, {0, 0, 1024, 1024}));
MAP_OPERATION(PasteWhole, Cells::Blank, PlaceBlock(m.document, m.history, m.block, 0, 0));
MAP_OPERATION(Fill, Cells::Blank, FillRegion(m.document, m.history, 512, 512, 5, {}));
MAP_OPERATION(FillComb, Cells::Comb, FillRegion(m.document, m.history, 0, 1023, 5, {}));
MAP_OPERATION(Replace, Cells::Blank, ReplaceTile(m.document, m.history, 0, 5, {}));
MAP_OPERATION(InsertRow, Cells::Numbered, InsertRow(m.document, m.history, 512));
MAP_OPERATION(InsertColumn, Cells::Numbered, InsertColumn(m.document, m.history, 512));
MAP_OPERATION(DeleteRow, Cells::Numbered, DeleteRow(m.document, m.history, 512));
MAP_OPERATION(DeleteColumn, Cells::Numbered, DeleteColumn(m.document, m.history, 512));
MAP_OPERATION(ResizeLarger, Cells::Numbered, ResizeMap(m.document, m.history, 1100, 1100, Anchor::Centre));
MAP_OPERATION(ResizeSmaller, Cells::Numbered, ResizeMap(m.document, m.history, 900, 900, Anchor::Centre));

// One fill of every cell of the largest map: a region of a thousand million
// cells, too large for the history, which it empties.
void BM_Fill_32767x32767(benchmark::State& state) {
    MapDocument document;
    History history;
    NewMap(document, history, kLargestMapSide, kLargestMapSide);
    for (auto _ : state) FillRegion(document, history, kLargestMapSide / 2, kLargestMapSide / 2, 5, {});
    state.counters["filled_last_row"] = document.MapTiles(kLargestMapSide - 1, kLargestMapSide - 1) == 5;
}
BENCHMARK(BM_Fill_32767x32767)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
