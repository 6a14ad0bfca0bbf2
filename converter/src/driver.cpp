#include "driver.h"

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <optional>

#include "c_source.h"
#include "command_line.h"
#include "conversion_pass.h"
#include "file_bytes.h"
#include "output_target.h"
#include "pixel_writers.h"
#include "pokemini.h"

namespace {

constexpr size_t kHeaderBytes = 8;
// A palette file is at most 1024 bytes; one byte more tells a longer one apart.
constexpr size_t kPaletteReadLimit = 1025;

void StoreLittleEndian32(OutputFile& fo, uint32_t value) {
    const uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                              uint8_t(value >> 24)};
    fo.Write(bytes);
}

// Width then height with "-w", else height then width with "-h".
void WriteHeader(OutputFile& fo, const Bitmap& bitmap, const Settings& settings) {
    const bool widthFirst = settings.Flag('w');
    const uint32_t first = widthFirst ? bitmap.biWidth : bitmap.biHeight;
    const uint32_t second = widthFirst ? bitmap.biHeight : bitmap.biWidth;
    StoreLittleEndian32(fo, output_endian(first, settings));
    StoreLittleEndian32(fo, output_endian(second, settings));
}

bool IsSpriteData(const Settings& settings) { return settings.Flag('k') && settings.Flag('K'); }

bool WantsSizeReport(const Settings& settings) { return settings.Flag('w') || settings.Flag('h'); }

void ReportSize(const Bitmap& bitmap, const Settings& settings, std::ostream& out) {
    // Printed as signed numbers, as the size fields of the header are.
    const int32_t width = int32_t(bitmap.biWidth), height = int32_t(bitmap.biHeight);
    if (settings.Flag('w')) {
        out << width << ' ' << height;
    } else if (settings.Flag('h')) {
        out << height << ' ' << width;
    }
    out.flush();
}

std::optional<Palette> LoadPalette(const std::string& path, std::ostream& err) {
    const std::optional<FileBytes> file = FileBytes::Load(path, kPaletteReadLimit);
    if (!file) {
        err << kErrorOpeningPalette;
        return std::nullopt;
    }
    std::optional<Palette> palette = Palette::FromFile(file->Span());
    if (!palette) err << kErrorPaletteFormat;
    return palette;
}

std::optional<Bitmap> LoadBitmap(const std::string& path, std::ostream& err) {
    std::optional<FileBytes> file = FileBytes::Load(path, BitmapFileSize);
    if (!file) {
        err << kErrorOpeningBitmap;
        return std::nullopt;
    }
    BitmapResult result = ReadBitmap(std::make_shared<const FileBytes>(std::move(*file)));
    if (!result.error.empty()) {
        err << result.error;
        return std::nullopt;
    }
    return std::move(result.bitmap);
}

// Opens, writes and closes the output file; returns the exit code.
int SaveOutput(const Bitmap& bitmap, Settings& settings, const Palette& palette, std::ostream& err) {
    OutputTarget target(*settings.outputFile);
    if (!target.Opened()) {
        err << kErrorOpeningOutput;
        return kExitFailure;
    }
    OutputFile::Sink sink = [&target](std::span<const uint8_t> bytes) { return target.Write(bytes); };
    std::optional<CArrayWriter> cArray;
    if (settings.cSourceName) {
        const std::string madeBy = "dotpress " + LayoutOptions(settings);
        cArray.emplace(*settings.cSourceName, OutputSize(bitmap, settings), CArrayOrigin{madeBy, *settings.inputFile},
                       std::move(sink));
        sink = [&cArray](std::span<const uint8_t> bytes) { return cArray->Write(bytes); };
    }
    OutputFile fo(std::move(sink));
    WriteOutput(fo, bitmap, settings, palette);
    fo.Flush();
    if (fo.Failed() || (cArray && !cArray->Finish()) || !target.Commit()) {
        err << kErrorWritingOutput;
        return kExitFailure;
    }
    return kExitSuccess;
}

int Run(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    Settings settings;
    if (ParseArguments(args, settings, out, err) == ParseOutcome::HelpRequested) return kExitSuccess;
    if (settings.cSourceName && !IsCName(*settings.cSourceName)) {
        err << kErrorCSourceName;
        return kExitFailure;
    }
    if (!settings.inputFile) {
        Help(err);
        return kExitFailure;
    }
    Palette palette;
    if (settings.paletteFile) {
        std::optional<Palette> loaded = LoadPalette(*settings.paletteFile, err);
        if (!loaded) return kExitFailure;
        palette = std::move(*loaded);
    }
    const std::optional<Bitmap> bitmap = LoadBitmap(*settings.inputFile, err);
    if (!bitmap) return kExitFailure;

    ReportSize(*bitmap, settings, out);
    if (!settings.outputFile) {
        if (WantsSizeReport(settings)) return kExitSuccess;
        Help(err);
        return kExitFailure;
    }
    // Checked before the output is opened, so an existing file keeps its content.
    if (settings.Flag('n') && !WantsSizeReport(settings)) {
        out << kPleaseSpecifyWOrH << std::flush;
        return kExitFailure;
    }
    if (settings.cSourceName && OutputSize(*bitmap, settings) == 0) {
        err << kErrorEmptyCArray;
        return kExitFailure;
    }
    return SaveOutput(*bitmap, settings, palette, err);
}

// Removes the unfinished output, then ends the process as the signal would
// have, so whoever started the run sees the usual status. A signal ignored
// from the start (as nohup does with SIGHUP) stays ignored.
void EndRunOnSignal(int signal) {
    struct sigaction inherited {};
    if (::sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) return;
    std::signal(signal, [](int received) {
        DiscardUnfinishedOutput();
        std::signal(received, SIG_DFL);
        std::raise(received);
    });
}

}  // namespace

void WriteOutput(OutputFile& fo, const Bitmap& bitmap, Settings& settings, const Palette& palette) {
    const bool header = settings.Flag('n');
    if (header) WriteHeader(fo, bitmap, settings);
    if (IsSpriteData(settings)) {
        SpriteConversion(fo, bitmap, settings, palette, header ? kHeaderBytes : 0);
    } else {
        DoGfxThing(fo, bitmap, settings, palette, 0, 0, 0);
    }
}

size_t OutputSize(const Bitmap& bitmap, const Settings& settings) {
    const size_t header = settings.Flag('n') ? kHeaderBytes : 0;
    if (IsSpriteData(settings)) return header + SpriteDataSize(bitmap.biWidth, bitmap.biHeight);
    return header + DestImageSize(bitmap.biWidth, bitmap.biHeight, settings.bpp);
}

std::vector<uint8_t> BuildOutputFile(const Bitmap& bitmap, Settings& settings, const Palette& palette) {
    std::vector<uint8_t> bytes;
    OutputFile fo([&bytes](std::span<const uint8_t> data) {
        bytes.insert(bytes.end(), data.begin(), data.end());
        return true;
    });
    WriteOutput(fo, bitmap, settings, palette);
    fo.Flush();
    return bytes;
}

void InstallSignalHandlers() {
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);  // a file grown past the size limit: a failed write
    std::signal(SIGBUS, [](int) {
        DiscardUnfinishedOutput();
        const ssize_t ignored = ::write(STDERR_FILENO, kErrorReadingBitmap, std::strlen(kErrorReadingBitmap));
        (void)ignored;
        ::_exit(kExitFailure & 0xFF);
    });
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) EndRunOnSignal(signal);
}

int RunDotpress(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    try {
        return Run(args, out, err);
    } catch (const std::bad_alloc&) {
        err << kErrorOutOfMemory;
        return kExitFailure;
    }
}
