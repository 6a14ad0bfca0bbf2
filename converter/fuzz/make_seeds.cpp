// Writes a starting corpus for dotpress_fuzz: small bitmaps of every depth and
// header kind, and the test pictures (PNG of every kind, the BMP variants),
// each behind an options byte.
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "fuzz_input.h"
#include "support/bmp_builder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dotpress_fuzz_seeds <corpus folder>\n");
        return 2;
    }
    std::mt19937 random(7);
    int n = 0;
    for (uint16_t depth : {1, 2, 4, 8, 24}) {
        for (uint32_t header : {40u, 124u}) {
            for (bool topDown : {false, true}) {
                BmpFields fields{.width = 5 + depth % 7, .height = 9, .depth = depth, .topDown = topDown,
                             .infoHeaderSize = header};
                const size_t pixels = size_t(fields.width) * fields.height;
                if (depth == 24) {
                    for (size_t i = 0; i < pixels; ++i) fields.pixels.push_back({uint8_t(random()), uint8_t(random()), uint8_t(random())});
                } else {
                    for (size_t i = 0; i < (size_t(1) << depth); ++i) fields.colourTable.push_back({uint8_t(random()), uint8_t(random()), uint8_t(random())});
                    for (size_t i = 0; i < pixels; ++i) fields.indices.push_back(uint8_t(random() % (1u << depth)));
                }
                std::vector<uint8_t> input = BuildBmp(fields);
                input.insert(input.begin(), uint8_t(n % FuzzOptionSets().size()));
                SaveFile(std::string(argv[1]) + "/seed-" + std::to_string(n++), input);
            }
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(DOTPRESS_TEST_DATA)) {
        const std::string extension = entry.path().extension();
        if ((extension != ".png" && extension != ".bmp") || entry.file_size() > 4000) continue;
        std::vector<uint8_t> input = LoadFile(entry.path());
        input.insert(input.begin(), uint8_t(n % FuzzOptionSets().size()));
        SaveFile(std::string(argv[1]) + "/seed-" + std::to_string(n++), input);
    }
    return 0;
}
