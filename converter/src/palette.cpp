#include "palette.h"

#include <algorithm>
#include <limits>

namespace {

// Colour cells: 8 x 8 x 8 blocks of colour values, 32 along each channel.
constexpr int kCellShift = 3;
constexpr uint32_t kCellSide = 1u << kCellShift;
constexpr uint32_t kCellsPerChannel = 256 >> kCellShift;

constexpr uint32_t kWeightRed = 28, kWeightGreen = 91, kWeightBlue = 9;

uint32_t CellOf(const tagRGBTRIPLE& pixel) {
    return (uint32_t(pixel.rgbtRed >> kCellShift) * kCellsPerChannel +
            uint32_t(pixel.rgbtGreen >> kCellShift)) *
               kCellsPerChannel +
           uint32_t(pixel.rgbtBlue >> kCellShift);
}

// Distance along one channel from an entry's value to the cell's values lo..lo+7:
// the nearest and the farthest.
uint32_t NearestGap(uint32_t value, uint32_t lo) {
    const uint32_t hi = lo + kCellSide - 1;
    return value < lo ? lo - value : value > hi ? value - hi : 0;
}
uint32_t FarthestGap(uint32_t value, uint32_t lo) {
    const uint32_t hi = lo + kCellSide - 1;
    return std::max(value > lo ? value - lo : lo - value, value > hi ? value - hi : hi - value);
}

uint32_t Weighted(uint32_t red, uint32_t green, uint32_t blue) {
    return kWeightRed * Sqr(red) + kWeightGreen * Sqr(green) + kWeightBlue * Sqr(blue);
}

}  // namespace

uint32_t Sqr(uint32_t v) { return v * v; }

uint32_t Dist1(const tagRGBTRIPLE& a, const tagRGBTRIPLE& b) {
    return Weighted(uint32_t(a.rgbtRed - b.rgbtRed), uint32_t(a.rgbtGreen - b.rgbtGreen),
                    uint32_t(a.rgbtBlue - b.rgbtBlue));
}

uint8_t NearestIndexExhaustive(const PaletteEntries& palette, const tagRGBTRIPLE& pixel) {
    uint32_t best = std::numeric_limits<uint32_t>::max();
    uint8_t chosen = 0;
    for (int i = 0; i < 256; ++i) {
        const uint32_t d = Dist1(pixel, palette[i]);
        if (d < best) {
            best = d;
            chosen = uint8_t(i);
        }
    }
    return chosen;
}

Palette::Palette() : palette_{} { ListFirstOccurrences(); }

Palette::Palette(const PaletteEntries& entries) : palette_(entries) { ListFirstOccurrences(); }

std::optional<Palette> Palette::FromFile(std::span<const uint8_t> file) {
    size_t entrySize;
    if (file.size() == 768) {
        entrySize = 3;
    } else if (file.size() == 1024) {
        entrySize = 4;
    } else {
        return std::nullopt;
    }
    PaletteEntries entries{};
    for (size_t i = 0; i < entries.size(); ++i) {
        const uint8_t* rgb = file.data() + entrySize * i;
        entries[i] = tagRGBTRIPLE{.rgbtBlue = rgb[2], .rgbtGreen = rgb[1], .rgbtRed = rgb[0]};
    }
    return Palette(entries);
}

// A later entry of the same colour always ties with the first and never wins.
void Palette::ListFirstOccurrences() {
    for (int i = 0; i < 256; ++i) {
        const tagRGBTRIPLE& c = palette_[i];
        const bool seen = std::any_of(distinct_.begin(), distinct_.end(), [&](uint8_t j) {
            const tagRGBTRIPLE& d = palette_[j];
            return d.rgbtRed == c.rgbtRed && d.rgbtGreen == c.rgbtGreen && d.rgbtBlue == c.rgbtBlue;
        });
        if (!seen) distinct_.push_back(uint8_t(i));
    }
}

// An entry can be nearest to some colour of the cell only if its nearest
// distance to the cell is at most the smallest farthest distance of any entry:
// that entry is at least that close to every colour of the cell. Entries at
// equal distance are kept, so the lowest index still wins ties.
Palette::CellList Palette::BuildCell(uint32_t cell) const {
    const uint32_t red = (cell / (kCellsPerChannel * kCellsPerChannel)) << kCellShift;
    const uint32_t green = (cell / kCellsPerChannel % kCellsPerChannel) << kCellShift;
    const uint32_t blue = (cell % kCellsPerChannel) << kCellShift;
    std::array<uint32_t, 256> nearest{};
    uint32_t bound = std::numeric_limits<uint32_t>::max();
    for (uint8_t i : distinct_) {
        const tagRGBTRIPLE& e = palette_[i];
        nearest[i] = Weighted(NearestGap(e.rgbtRed, red), NearestGap(e.rgbtGreen, green),
                              NearestGap(e.rgbtBlue, blue));
        bound = std::min(bound, Weighted(FarthestGap(e.rgbtRed, red), FarthestGap(e.rgbtGreen, green),
                                         FarthestGap(e.rgbtBlue, blue)));
    }
    CellList list{uint32_t(candidates_.size()), 0};
    for (uint8_t i : distinct_) {
        if (nearest[i] <= bound) {
            candidates_.push_back(i);
            ++list.count;
        }
    }
    return list;
}

const Palette::CellList& Palette::Candidates(const tagRGBTRIPLE& pixel) const {
    if (cells_.empty()) cells_.resize(kCellsPerChannel * kCellsPerChannel * kCellsPerChannel);
    CellList& list = cells_[CellOf(pixel)];
    if (list.count == 0) list = BuildCell(CellOf(pixel));
    return list;
}

uint8_t Palette::NearestIndex(const tagRGBTRIPLE& pixel) const {
    const CellList& list = Candidates(pixel);
    const uint8_t* candidate = candidates_.data() + list.start;
    uint32_t best = std::numeric_limits<uint32_t>::max();
    uint8_t chosen = 0;
    for (uint32_t k = 0; k < list.count; ++k) {
        const uint32_t d = Dist1(pixel, palette_[candidate[k]]);
        if (d < best) {
            best = d;
            chosen = candidate[k];
        }
    }
    return chosen;
}
