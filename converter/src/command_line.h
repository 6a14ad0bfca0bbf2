// The dotpress command line: options, file names and the help text.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "settings.h"

extern const std::string_view kHelpText;
inline constexpr const char* kErrorTooManyFilenames = "Error: Too many filenames given!\n";

// Writes the help text to `err`.
void Help(std::ostream& err);

enum class ParseOutcome {
    Convert,       // go on with the settings
    HelpRequested  // "-?" was met: the help has been written, stop with success
};

// Reads the arguments after the program name into `settings`, left to right.
// A surplus file name is reported on `err` and skipped.
ParseOutcome ParseArguments(std::span<const std::string> args, Settings& settings, std::ostream& err);
