#include "bmp_builder.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::vector<uint8_t> PackRow(const BmpSpec& spec, int32_t row) {
    std::vector<uint8_t> bytes;
    const size_t first = size_t(row) * spec.width;
    if (spec.depth == 24) {
        for (int32_t x = 0; x < spec.width; ++x) {
            const tagRGBTRIPLE& p = spec.pixels.at(first + x);
            bytes.insert(bytes.end(), {p.rgbtBlue, p.rgbtGreen, p.rgbtRed});
        }
    } else {
        const int perByte = 8 / spec.depth;
        bytes.assign((size_t(spec.width) * spec.depth + 7) / 8, 0);
        for (int32_t x = 0; x < spec.width; ++x) {
            const int shift = (perByte - 1 - x % perByte) * spec.depth;
            bytes[x / perByte] |= uint8_t(spec.indices.at(first + x) << shift);
        }
    }
    while (bytes.size() % 4 != 0) bytes.push_back(0);
    return bytes;
}

}  // namespace

std::vector<uint8_t> BuildBmp(const BmpSpec& spec) {
    const uint32_t tableBytes = spec.depth <= 8 ? uint32_t(spec.colourTable.size()) * 4 : 0;
    const uint32_t offBits = 14 + spec.infoHeaderSize + tableBytes;
    std::vector<uint8_t> rows;
    for (int32_t i = 0; i < spec.height; ++i) {
        const int32_t imageRow = spec.topDown ? i : spec.height - 1 - i;
        const std::vector<uint8_t> row = PackRow(spec, imageRow);
        rows.insert(rows.end(), row.begin(), row.end());
    }
    std::vector<uint8_t> out{'B', 'M'};
    Put32(out, offBits + uint32_t(rows.size()));
    Put32(out, 0);
    Put32(out, offBits);
    Put32(out, spec.infoHeaderSize);
    Put32(out, uint32_t(spec.width));
    Put32(out, uint32_t(spec.topDown ? -spec.height : spec.height));
    Put16(out, spec.planes);
    Put16(out, spec.depth);
    Put32(out, spec.compression);
    Put32(out, uint32_t(rows.size()));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, uint32_t(spec.colourTable.size()));
    Put32(out, 0);
    out.resize(14 + spec.infoHeaderSize, 0);  // the later header versions' fields, unused
    for (const tagRGBTRIPLE& c : spec.colourTable) out.insert(out.end(), {c.rgbtBlue, c.rgbtGreen, c.rgbtRed, 0});
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

std::vector<uint8_t> SolidBmp(int32_t width, int32_t height, tagRGBTRIPLE colour) {
    return BuildBmp({.width = width, .height = height,
                     .pixels = std::vector<tagRGBTRIPLE>(size_t(width) * height, colour)});
}

void SaveFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<uint8_t> LoadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}
