// A picture imported as a map, the work of the core: cut into cells with its
// tile set drawn, or matched against a tile set. A 1024 x 1024 picture must
// take at most 100 ms and a 4096 x 4096 one at most 1 s, also when every
// cell differs (a picture refused after counting its 262,144 tiles).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "picture_map.h"

namespace {

using namespace tilora;

// Pixel (x, y) of a cell that shows number n: n in the first pixel, a pattern
// elsewhere, so that cells differ as late as in their first pixel.
void DrawCell(std::vector<uint8_t>& rgba, int side, int left, int top, uint32_t n) {
    for (int y = 0; y < 8; ++y) {
        uint8_t* pixel = rgba.data() + (size_t(top + y) * size_t(side) + size_t(left)) * 4;
        for (int x = 0; x < 8; ++x, pixel += 4) {
            const bool first = x == 0 && y == 0;
            pixel[0] = first ? uint8_t(n) : uint8_t(x * 30);
            pixel[1] = first ? uint8_t(n >> 8) : uint8_t(y * 30);
            pixel[2] = first ? uint8_t(n >> 16) : uint8_t(n * 7);
            pixel[3] = 255;
        }
    }
}

// A side x side picture of 256 different tiles in a scattered order, or of
// cells that all differ.
std::vector<uint8_t> Picture(int side, bool allDifferent) {
    std::vector<uint8_t> rgba(size_t(side) * size_t(side) * 4);
    uint32_t random = 12345;
    for (int top = 0; top < side; top += 8) {
        for (int left = 0; left < side; left += 8) {
            random = random * 1103515245 + 12345;
            const uint32_t n = allDifferent ? uint32_t(top / 8 * (side / 8) + left / 8) : random >> 16 & 255;
            DrawCell(rgba, side, left, top, n);
        }
    }
    return rgba;
}

void BM_CutPicture(benchmark::State& state, bool allDifferent) {
    const int side = int(state.range(0));
    const std::vector<uint8_t> rgba = Picture(side, allDifferent);
    const PicturePixels picture{side, side, rgba};
    bool refused = false;
    for (auto _ : state) {
        const PictureMap map = CutPicture(picture, "picture.png");
        refused = !map.refusal.empty();
        if (!refused) benchmark::DoNotOptimize(DrawTileSet(picture, map.tileCells, true));
    }
    state.counters["refused"] = refused;
}
BENCHMARK_CAPTURE(BM_CutPicture, 256Tiles, false)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CutPicture, AllDifferent, true)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);

// Against the 128 x 128 tile set of the 256 tiles.
void BM_MatchPicture(benchmark::State& state) {
    const int side = int(state.range(0));
    const std::vector<uint8_t> rgba = Picture(side, false);
    std::vector<uint8_t> set(size_t(kSheetSize) * kSheetSize * 4);
    for (uint32_t n = 0; n < 256; ++n) DrawCell(set, kSheetSize, int(n % 16 * 8), int(n / 16 * 8), n);
    const PicturePixels picture{side, side, rgba}, tileSet{kSheetSize, kSheetSize, set};
    for (auto _ : state) {
        const PictureMap map = MatchPicture(picture, tileSet, "picture.png");
        if (!map.refusal.empty()) state.SkipWithError(map.refusal.c_str());
        benchmark::DoNotOptimize(map.tiles.Bytes().data());
    }
}
BENCHMARK(BM_MatchPicture)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);

}  // namespace
