// The library file reader on any bytes: it must refuse or read, never crash,
// and what it reads must write back to a file that reads the same.
#include <cstdlib>

#include "sprite_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<std::vector<Sprite>> sprites = ReadLibraryFile(std::span(data, size));
    if (!sprites) return 0;
    if (sprites->empty() || sprites->size() > size / 256 + 1) std::abort();
    const std::vector<uint8_t> again = WriteLibraryFile(*sprites, std::vector<bool>(sprites->size(), false));
    if (ReadLibraryFile(again) != sprites) std::abort();
    return 0;
}
