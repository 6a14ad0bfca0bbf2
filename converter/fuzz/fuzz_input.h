// How a fuzz input becomes a dotpress run: the first byte picks the options,
// the rest is the picture file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

const std::vector<std::vector<std::string>>& FuzzOptionSets();
