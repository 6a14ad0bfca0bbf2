// Synthetic pictures and a palette for tests and benchmarks.
#pragma once

#include <cstdint>
#include <vector>

#include "bitmap.h"
#include "palette.h"

// Every colour channel varies, so no two neighbouring pixels repeat exactly.
std::vector<tagRGBTRIPLE> NoisyPicture(int32_t width, int32_t height);
// Smooth gradients across the picture in all three channels.
std::vector<tagRGBTRIPLE> GradientPicture(int32_t width, int32_t height);
// 6 x 6 x 6 colour cube and 40 greys, a common 256-colour palette.
PaletteEntries ColourCubePalette();
