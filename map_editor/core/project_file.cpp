#include "project_file.h"

#include <algorithm>

namespace tilora {

namespace {

constexpr std::string_view kMagic = "TLP";
constexpr size_t kWidthOffset = 3;
constexpr size_t kHeightOffset = 7;
constexpr size_t kPathOffset = 11;

void PutInt32(uint8_t* out, int32_t value) {
    const auto bits = uint32_t(value);
    for (int i = 0; i < 4; ++i) out[i] = uint8_t(bits >> 8 * i);
}

int32_t GetInt32(std::span<const uint8_t> in) {
    return int32_t(uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24);
}

bool IsUtf8Continuation(char byte) { return (uint8_t(byte) & 0xC0) == 0x80; }
bool IsUtf8Lead(char byte) { return (uint8_t(byte) & 0xC0) == 0xC0; }

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

std::vector<uint8_t> WriteProjectFile(std::string_view tilePath, const CellArray& tiles, const CellArray& col) {
    std::vector<uint8_t> out(kProjectHeaderBytes, uint8_t(' '));
    out.reserve(kProjectHeaderBytes + tiles.Bytes().size() + col.Bytes().size());
    std::copy(kMagic.begin(), kMagic.end(), out.begin());
    PutInt32(&out[kWidthOffset], tiles.Width());
    PutInt32(&out[kHeightOffset], tiles.Height());
    const std::string_view path = FitTilePath(tilePath);
    std::copy(path.begin(), path.end(), out.begin() + kPathOffset);
    out.insert(out.end(), tiles.Bytes().begin(), tiles.Bytes().end());
    out.insert(out.end(), col.Bytes().begin(), col.Bytes().end());
    return out;
}

std::optional<MapProject> ReadProjectFile(std::span<const uint8_t> file) {
    if (file.size() < kProjectHeaderBytes || !std::equal(kMagic.begin(), kMagic.end(), file.begin())) {
        return std::nullopt;
    }
    const int32_t width = GetInt32(file.subspan(kWidthOffset));
    const int32_t height = GetInt32(file.subspan(kHeightOffset));
    if (width < 1 || height < 1) return std::nullopt;
    // Both below 2^31: the product and its double fit 64 bits. The size is
    // checked before anything is allocated for the cells.
    const uint64_t cells = uint64_t(width) * uint64_t(height);
    if (cells * 2 > file.size() - kProjectHeaderBytes) return std::nullopt;

    const auto pathField = file.subspan(kPathOffset, kTilePathBytes);
    const auto pathEnd = std::find_if(pathField.rbegin(), pathField.rend(), [](uint8_t b) { return b != ' '; });
    MapProject project;
    project.tilePath.assign(pathField.begin(), pathEnd.base());
    const auto tileBlock = file.subspan(kProjectHeaderBytes, size_t(cells));
    project.tiles = CellArray(width, height, tileBlock);
    project.col = CellArray(width, height, file.subspan(kProjectHeaderBytes + size_t(cells), size_t(cells)));
    return project;
}

}  // namespace tilora
