// Starting corpus for the Tilora project file fuzz target.
//   tilora_fuzz_seeds <project corpus folder>
#include <fstream>
#include <string>

#include "project_file.h"

namespace {

void Save(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

tilora::CellArray Numbered(int width, int height, int step) {
    tilora::CellArray cells(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) cells(x, y) = uint8_t((x + 16 * y) * step);
    }
    return cells;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    Save(folder + "/map12x8", tilora::WriteProjectFile("/home/me/tiles.bmp", Numbered(12, 8, 1), Numbered(12, 8, 0)));
    Save(folder + "/one", tilora::WriteProjectFile("", tilora::CellArray(1, 1), tilora::CellArray(1, 1)));
    std::string longPath(250, 'a');
    for (int i = 0; i < 4; ++i) longPath += "\xC3\xA4";
    Save(folder + "/long_path", tilora::WriteProjectFile(longPath, Numbered(3, 5, 7), tilora::CellArray(3, 5)));
    return 0;
}
