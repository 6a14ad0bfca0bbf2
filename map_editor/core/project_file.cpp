#include "project_file.h"

#include <algorithm>
#include <array>

namespace tilora {

namespace {

constexpr std::string_view kMagic = "TLP";
constexpr size_t kWidthOffset = 3;
constexpr size_t kHeightOffset = 7;
constexpr size_t kPathOffset = 11;

using Header = std::array<uint8_t, kProjectHeaderBytes>;

void PutInt32(uint8_t* out, int32_t value) {
    const auto bits = uint32_t(value);
    for (int i = 0; i < 4; ++i) out[i] = uint8_t(bits >> 8 * i);
}

int32_t GetInt32(std::span<const uint8_t> in) {
    return int32_t(uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24);
}

bool IsUtf8Continuation(char byte) { return (uint8_t(byte) & 0xC0) == 0x80; }
bool IsUtf8Lead(char byte) { return (uint8_t(byte) & 0xC0) == 0xC0; }

bool IsMapSide(int32_t side) { return side >= 1 && side <= kLargestMapSide; }

Header MakeHeader(std::string_view tilePath, int32_t width, int32_t height) {
    Header header;
    header.fill(uint8_t(' '));
    std::copy(kMagic.begin(), kMagic.end(), header.begin());
    PutInt32(&header[kWidthOffset], width);
    PutInt32(&header[kHeightOffset], height);
    const std::string_view path = FitTilePath(tilePath);
    std::copy(path.begin(), path.end(), header.begin() + kPathOffset);
    return header;
}

std::string PathFromHeader(const Header& header) {
    const auto field = std::span(header).subspan(kPathOffset, kTilePathBytes);
    const auto end = std::find_if(field.rbegin(), field.rend(), [](uint8_t b) { return b != ' '; });
    return std::string(field.begin(), end.base());
}

}  // namespace

std::string_view FitTilePath(std::string_view path) {
    if (path.size() <= kTilePathBytes) return path;
    // A UTF-8 character is at most 4 bytes: at most 3 continuation bytes back
    // from the first byte left out lies the first byte of its character.
    // Bytes that are no UTF-8 are cut where they lie.
    size_t cut = kTilePathBytes;
    while (cut > kTilePathBytes - 3 && IsUtf8Continuation(path[cut])) --cut;
    if (cut != kTilePathBytes && !IsUtf8Lead(path[cut])) cut = kTilePathBytes;
    return path.substr(0, cut);
}

bool WriteProjectFile(std::string_view tilePath, const CellArray& tiles, const CellArray& col, const ByteSink& sink) {
    const Header header = MakeHeader(tilePath, tiles.Width(), tiles.Height());
    return sink(header) && sink(tiles.Bytes()) && sink(col.Bytes());
}

std::vector<uint8_t> WriteProjectFile(std::string_view tilePath, const CellArray& tiles, const CellArray& col) {
    std::vector<uint8_t> out;
    out.reserve(kProjectHeaderBytes + tiles.Bytes().size() + col.Bytes().size());
    WriteProjectFile(tilePath, tiles, col, AppendTo(out));
    return out;
}

std::optional<MapProject> ReadProjectFile(const ByteSource& source, uint64_t fileSize) {
    Header header;
    if (fileSize < kProjectHeaderBytes || source(header) != header.size() ||
        !std::equal(kMagic.begin(), kMagic.end(), header.begin())) {
        return std::nullopt;
    }
    const int32_t width = GetInt32(std::span(header).subspan(kWidthOffset));
    const int32_t height = GetInt32(std::span(header).subspan(kHeightOffset));
    if (!IsMapSide(width) || !IsMapSide(height)) return std::nullopt;
    const uint64_t cells = uint64_t(width) * uint64_t(height);
    if (cells * 2 > fileSize - kProjectHeaderBytes) return std::nullopt;

    MapProject project{PathFromHeader(header), CellArray(width, height), CellArray(width, height)};
    if (source(project.tiles.MutableBytes()) != cells || source(project.col.MutableBytes()) != cells) {
        return std::nullopt;  // the file was cut short while it was read
    }
    return project;
}

std::optional<MapProject> ReadProjectFile(std::span<const uint8_t> file) {
    return ReadProjectFile(ReadFrom(file), file.size());
}

}  // namespace tilora
