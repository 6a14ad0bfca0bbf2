// The single sprite file reader on any bytes: it must refuse or read, never
// crash, and a sprite it reads writes back to the bytes it came from.
#include <algorithm>
#include <cstdlib>

#include "sprite_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<Sprite> sprite = ReadSpriteFile(std::span(data, size));
    if (!sprite) return 0;
    const std::vector<uint8_t> again = WriteSpriteFile(*sprite);
    if (!std::equal(again.begin(), again.end(), data)) std::abort();
    // Raw data with mask of the same sprite decodes to the codes it can hold.
    const RawSpriteBlock block = EncodeRawSpriteBlock(*sprite, IsDark);
    const Sprite back = DecodeRawSpriteBlock(block);
    for (size_t i = 0; i < back.bytes.size(); ++i) {
        const uint8_t code = sprite->bytes[i];
        const uint8_t expected = code == CodeMask || code == CodeDark ? code : uint8_t(CodeLight);
        if (back.bytes[i] != expected) std::abort();
    }
    return 0;
}
