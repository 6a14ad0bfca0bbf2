#include "map_block.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "cell_edit.h"

namespace tilora {

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

// Appends the tile numbers of one line of clipboard text to numbers; their
// count, or nothing when the line holds anything but numbers 0 to 255 or more
// numbers than a map has columns.
std::optional<int32_t> ReadRow(std::string_view line, std::vector<uint8_t>& numbers) {
    line = Trimmed(line);
    if (!line.empty() && line.back() == ',') line = Trimmed(line.substr(0, line.size() - 1));
    if (line.empty()) return 0;
    int32_t count = 0;
    for (size_t start = 0; start <= line.size(); ++count) {
        const size_t end = std::min(line.find(',', start), line.size());
        const std::string_view field = Trimmed(line.substr(start, end - start));
        unsigned value = 0;
        const auto [stop, error] = std::from_chars(field.data(), field.data() + field.size(), value);
        if (field.empty() || error != std::errc() || stop != field.data() + field.size() || value >= kTileCount ||
            count == kLargestMapSide) {
            return std::nullopt;
        }
        numbers.push_back(uint8_t(value));
        start = end + 1;
    }
    return count;
}

}  // namespace

CellRect OnMap(const MapDocument& document, const CellRect& rect) {
    const int64_t left = std::max<int64_t>(rect.x, 0);
    const int64_t top = std::max<int64_t>(rect.y, 0);
    const int64_t right = std::min<int64_t>(int64_t(rect.x) + rect.width, document.MapWidth());
    const int64_t bottom = std::min<int64_t>(int64_t(rect.y) + rect.height, document.MapHeight());
    if (left >= right || top >= bottom) return {};
    return {int32_t(left), int32_t(top), int32_t(right - left), int32_t(bottom - top)};
}

MapBlock CopyBlock(const MapDocument& document, const CellRect& rect) {
    const CellRect part = OnMap(document, rect);
    MapBlock block{CellArray(part.width, part.height), CellArray(part.width, part.height)};
    CopyCells(document.MapTiles, part, block.tiles, 0, 0);
    CopyCells(document.MapCol, part, block.col, 0, 0);
    return block;
}

void ClearCells(MapDocument& document, History& history, const CellRect& rect) {
    EditCells(document, history, OnMap(document, rect), [](int32_t, int32_t, Cell) { return Cell{0, 0}; });
}

void PlaceBlock(MapDocument& document, History& history, const MapBlock& block, int32_t x, int32_t y) {
    const CellRect part = OnMap(document, {x, y, block.Width(), block.Height()});
    EditCells(document, history, part, [&](int32_t cx, int32_t cy, Cell) {
        return Cell{block.tiles(cx - x, cy - y), block.col(cx - x, cy - y)};
    });
}

std::string BlockText(const MapBlock& block) {
    std::string text;
    text.reserve(block.tiles.Bytes().size() * 4);
    for (int32_t y = 0; y < block.Height(); ++y) {
        for (int32_t x = 0; x < block.Width(); ++x) {
            char number[3];
            if (x > 0) text += ',';
            text.append(number, std::to_chars(number, number + sizeof number, block.tiles(x, y)).ptr);
        }
        text += '\n';
    }
    return text;
}

std::optional<MapBlock> BlockFromText(std::string_view text) {
    std::vector<uint8_t> numbers;
    std::vector<int32_t> rowWidths;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::optional<int32_t> width = ReadRow(line, numbers);
        if (!width || rowWidths.size() == size_t(kLargestMapSide)) return std::nullopt;
        rowWidths.push_back(*width);
        start = end + 1;
    }
    if (numbers.empty()) return std::nullopt;
    const int32_t width = *std::max_element(rowWidths.begin(), rowWidths.end());
    MapBlock block{CellArray(width, int32_t(rowWidths.size())), CellArray(width, int32_t(rowWidths.size()))};
    auto number = numbers.begin();
    for (size_t y = 0; y < rowWidths.size(); ++y) {
        std::copy_n(number, rowWidths[y], block.tiles.MutableBytes().begin() + ptrdiff_t(y) * width);
        number += rowWidths[y];
    }
    return block;
}

}  // namespace tilora
