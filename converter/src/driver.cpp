#include "driver.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "command_line.h"
#include "conversion_pass.h"
#include "pixel_writers.h"
#include "pokemini.h"

namespace {

constexpr size_t kHeaderBytes = 8;
// A palette file is at most 1024 bytes; one byte more tells a longer one apart.
constexpr size_t kPaletteReadLimit = 1025;

// Reads a file whole (or its first `limit` bytes); none when it cannot be
// opened or read.
std::optional<std::vector<uint8_t>> ReadFile(const std::string& path, size_t limit = SIZE_MAX) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::vector<uint8_t> bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.reserve(std::min<size_t>(size_t(info.st_size), limit));
    }
    size_t used = 0;
    bool ok = true;
    while (used < limit) {
        if (bytes.size() == used) bytes.resize(std::min(limit, std::max<size_t>(used * 2, 65536)));
        const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        used += size_t(n);
    }
    ::close(fd);
    if (!ok) return std::nullopt;
    bytes.resize(used);
    return bytes;
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

// Writes the output; a regular file that could not be written whole is
// removed rather than left half-written.
bool WriteOutputFile(int fd, const std::string& path, const std::vector<uint8_t>& bytes) {
    const bool written = WriteAll(fd, bytes);
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const bool closed = ::close(fd) == 0;
    if (written && closed) return true;
    if (regular) ::unlink(path.c_str());
    return false;
}

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
    const std::optional<std::vector<uint8_t>> file = ReadFile(path, kPaletteReadLimit);
    if (!file) {
        err << kErrorOpeningPalette;
        return std::nullopt;
    }
    std::optional<Palette> palette = Palette::FromFile(*file);
    if (!palette) err << kErrorPaletteFormat;
    return palette;
}

std::optional<Bitmap> LoadBitmap(const std::string& path, std::ostream& err) {
    const std::optional<std::vector<uint8_t>> file = ReadFile(path);
    if (!file) {
        err << kErrorOpeningBitmap;
        return std::nullopt;
    }
    BitmapResult result = ReadBitmap(*file);
    if (!result.error.empty()) {
        err << result.error;
        return std::nullopt;
    }
    return std::move(result.bitmap);
}

int Run(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    Settings settings;
    if (ParseArguments(args, settings, err) == ParseOutcome::HelpRequested) return kExitSuccess;
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
    const int fd = ::open(settings.outputFile->c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        err << kErrorOpeningOutput;
        return kExitFailure;
    }
    if (!WriteOutputFile(fd, *settings.outputFile, BuildOutputFile(*bitmap, settings, palette))) {
        err << kErrorWritingOutput;
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace

std::vector<uint8_t> BuildOutputFile(const Bitmap& bitmap, Settings& settings, const Palette& palette) {
    OutputFile fo;
    const bool header = settings.Flag('n');
    if (header) WriteHeader(fo, bitmap, settings);
    if (settings.Flag('k') && settings.Flag('K')) {
        SpriteConversion(fo, bitmap, settings, palette, header ? kHeaderBytes : 0);
    } else {
        DoGfxThing(fo, bitmap, settings, palette, 0, 0, 0);
    }
    return fo.TakeBytes();
}

int RunDotpress(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    try {
        return Run(args, out, err);
    } catch (const std::bad_alloc&) {
        err << kErrorOutOfMemory;
        return kExitFailure;
    }
}
