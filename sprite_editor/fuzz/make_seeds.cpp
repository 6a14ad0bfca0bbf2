// Starting corpora for the Pixolin file fuzz targets.
//   pixolin_fuzz_seeds <library corpus folder> <sprite corpus folder>
#include <fstream>
#include <string>

#include "sprite_files.h"

namespace {

void Save(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    Sprite sprite;
    for (int i = 0; i < 256; ++i) sprite.bytes[i] = uint8_t(i % 5);
    Save(std::string(argv[1]) + "/two", WriteLibraryFile({sprite, Sprite{}}, {false, false}));
    Save(std::string(argv[1]) + "/empty", WriteLibraryFile({sprite}, {true}));
    Save(std::string(argv[2]) + "/one", WriteSpriteFile(sprite));
    return 0;
}
