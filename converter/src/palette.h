// Palette reduction: every pixel becomes the index of the nearest colour of a
// 256-colour palette under a weighted distance.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "conversion_pass.h"

inline constexpr const char* kErrorOpeningPalette = "Error opening palette file!\n";
inline constexpr const char* kErrorPaletteFormat = "Unknown palette format!\n";

using PaletteEntries = std::array<tagRGBTRIPLE, 256>;

uint32_t Sqr(uint32_t v);
// 28 x red difference squared + 91 x green's + 9 x blue's.
uint32_t Dist1(const tagRGBTRIPLE& a, const tagRGBTRIPLE& b);

// The index whose entry has the smallest Dist1 to the pixel; the lowest index
// wins a tie. Compares with all 256 entries: the reference for NearestIndex.
uint8_t NearestIndexExhaustive(const PaletteEntries& palette, const tagRGBTRIPLE& pixel);

class Palette {
public:
    Palette();  // all black, the palette of a run that loads none
    explicit Palette(const PaletteEntries& entries);

    // A palette file is 256 entries of red, green, blue: 768 bytes, or 1024 with
    // a fourth, ignored byte per entry. Any other size is refused.
    static std::optional<Palette> FromFile(std::span<const uint8_t> file);

    const PaletteEntries& Entries() const { return palette_; }

    // Same result as NearestIndexExhaustive, found among the few entries that
    // can be nearest to any colour of the pixel's colour cell.
    uint8_t NearestIndex(const tagRGBTRIPLE& pixel) const;

private:
    // The candidates of one colour cell: entry indices in ascending order,
    // candidates_[start] onwards. A built list is never empty.
    struct CellList {
        uint32_t start = 0;
        uint32_t count = 0;
    };

    void ListFirstOccurrences();
    const CellList& Candidates(const tagRGBTRIPLE& pixel) const;
    CellList BuildCell(uint32_t cell) const;

    PaletteEntries palette_;
    std::vector<uint8_t> distinct_;  // index of each colour's first occurrence, ascending
    mutable std::vector<CellList> cells_;  // built on first use
    mutable std::vector<uint8_t> candidates_;
};

inline void WritePixelP1(const tagRGBTRIPLE& pixel, PassState& pass) {
    *pass.destImagePtr++ = pass.palette.NearestIndex(pixel);
}
