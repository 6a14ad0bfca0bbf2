// Throughput of the in-memory steps of a run: decoding, and one conversion
// pass per layout, in pixels per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "command_line.h"
#include "driver.h"
#include "support/bmp_builder.h"
#include "support/test_images.h"

namespace {

constexpr int32_t kSide = 4096;
constexpr int32_t kPaletteSide = 1024;

const std::vector<uint8_t>& NoisyBmp() {
    static const std::vector<uint8_t> bmp =
        BuildBmp({.width = kSide, .height = kSide, .pixels = NoisyPicture(kSide, kSide)});
    return bmp;
}

const Bitmap& NoisyBitmap() {
    static const Bitmap bitmap = ReadBitmap(NoisyBmp()).bitmap;
    return bitmap;
}

Settings Options(const std::string& options) {
    Settings settings;
    std::ostringstream err;
    const std::vector<std::string> args{options};
    ParseArguments(args, settings, err, err);
    return settings;
}

void BM_ReadBitmap24(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ReadBitmap(NoisyBmp()));
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_ReadBitmap24)->Unit(benchmark::kMillisecond);

// Converts, handing the bytes to a sink that only counts them.
size_t ConvertAndCount(const Bitmap& bitmap, const std::string& options, const Palette& palette) {
    Settings settings = Options(options);
    size_t bytes = 0;
    OutputFile fo([&bytes](std::span<const uint8_t> data) {
        bytes += data.size();
        return true;
    });
    WriteOutput(fo, bitmap, settings, palette);
    fo.Flush();
    return bytes;
}

void BM_Layout(benchmark::State& state, const std::string& options) {
    const Bitmap& bitmap = NoisyBitmap();
    const Palette palette;
    for (auto _ : state) benchmark::DoNotOptimize(ConvertAndCount(bitmap, options, palette));
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK_CAPTURE(BM_Layout, t, "-t")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Layout, e, "-e")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Layout, i, "-i")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Layout, g, "-g")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Layout, p, "-p")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Layout, c, "-c")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Layout, m, "-m")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Layout, M, "-M")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Layout, k, "-k")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Layout, K, "-K")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Layout, kK, "-kK")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Layout, tr, "-tr")->Unit(benchmark::kMillisecond);

const Bitmap& GradientBitmap() {
    static const Bitmap bitmap = ReadBitmap(BuildBmp({.width = kPaletteSide, .height = kPaletteSide,
        .pixels = GradientPicture(kPaletteSide, kPaletteSide)})).bitmap;
    return bitmap;
}

// A fresh palette every iteration, so the colour cells are built anew each time.
void BM_PaletteGradient(benchmark::State& state) {
    const Bitmap& bitmap = GradientBitmap();
    for (auto _ : state) benchmark::DoNotOptimize(ConvertAndCount(bitmap, "-1", Palette(ColourCubePalette())));
    state.SetItemsProcessed(state.iterations() * kPaletteSide * kPaletteSide);
}
BENCHMARK(BM_PaletteGradient)->Unit(benchmark::kMillisecond);

void BM_PaletteNoise(benchmark::State& state) {
    const Bitmap& bitmap = NoisyBitmap();
    for (auto _ : state) benchmark::DoNotOptimize(ConvertAndCount(bitmap, "-1", Palette(ColourCubePalette())));
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_PaletteNoise)->Unit(benchmark::kMillisecond)->Iterations(1);

// The palette output of the gradient must be exactly the exhaustive search's.
void CheckPaletteAgainstExhaustiveSearch() {
    const Bitmap& bitmap = GradientBitmap();
    const PaletteEntries entries = ColourCubePalette();
    Settings settings = Options("-1");
    const std::vector<uint8_t> out = BuildOutputFile(bitmap, settings, Palette(entries));
    size_t differences = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        differences += out[i] != NearestIndexExhaustive(entries, bitmap.Pixel(uint32_t(i % kPaletteSide), uint32_t(i / kPaletteSide)));
    }
    std::printf("palette output on the %dx%d gradient: %zu of %zu pixels differ from the exhaustive search\n",
                kPaletteSide, kPaletteSide, differences, out.size());
}

}  // namespace

int main(int argc, char** argv) {
    CheckPaletteAgainstExhaustiveSearch();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
