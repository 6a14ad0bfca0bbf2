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

std::vector<uint8_t> PackRow(const BmpFields& fields, int32_t row) {
    std::vector<uint8_t> bytes;
    const size_t first = size_t(row) * fields.width;
    if (fields.depth == 24) {
        for (int32_t x = 0; x < fields.width; ++x) {
            const tagRGBTRIPLE& p = fields.pixels.at(first + x);
            bytes.insert(bytes.end(), {p.rgbtBlue, p.rgbtGreen, p.rgbtRed});
        }
    } else {
        const int perByte = 8 / fields.depth;
        bytes.assign((size_t(fields.width) * fields.depth + 7) / 8, 0);
        for (int32_t x = 0; x < fields.width; ++x) {
            const int shift = (perByte - 1 - x % perByte) * fields.depth;
            bytes[x / perByte] |= uint8_t(fields.indices.at(first + x) << shift);
        }
    }
    while (bytes.size() % 4 != 0) bytes.push_back(0);
    return bytes;
}

}  // namespace

std::vector<uint8_t> BuildBmp(const BmpFields& fields) {
    const uint32_t tableBytes = fields.depth <= 8 ? uint32_t(fields.colourTable.size()) * 4 : 0;
    const uint32_t offBits = 14 + fields.infoHeaderSize + tableBytes;
    std::vector<uint8_t> rows;
    for (int32_t i = 0; i < fields.height; ++i) {
        const int32_t imageRow = fields.topDown ? i : fields.height - 1 - i;
        const std::vector<uint8_t> row = PackRow(fields, imageRow);
        rows.insert(rows.end(), row.begin(), row.end());
    }
    std::vector<uint8_t> out{'B', 'M'};
    Put32(out, offBits + uint32_t(rows.size()));
    Put32(out, 0);
    Put32(out, offBits);
    Put32(out, fields.infoHeaderSize);
    Put32(out, uint32_t(fields.width));
    Put32(out, uint32_t(fields.topDown ? -fields.height : fields.height));
    Put16(out, fields.planes);
    Put16(out, fields.depth);
    Put32(out, fields.compression);
    Put32(out, uint32_t(rows.size()));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, uint32_t(fields.colourTable.size()));
    Put32(out, 0);
    out.resize(14 + fields.infoHeaderSize, 0);  // the later header versions' fields, unused
    for (const tagRGBTRIPLE& c : fields.colourTable) out.insert(out.end(), {c.rgbtBlue, c.rgbtGreen, c.rgbtRed, 0});
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
