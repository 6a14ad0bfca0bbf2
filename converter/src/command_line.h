// The dotpress command line: options, file names and the help text.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "settings.h"

// The help text "-?" and a run without files print; "--help" prints it
// followed by the long options' lines.
extern const std::string_view kHelpText;
extern const std::string_view kLongOptionsHelpText;
inline constexpr const char* kErrorTooManyFilenames = "Error: Too many filenames given!\n";
inline constexpr const char* kErrorCSourceName = "Error: --c-source needs a C identifier!\n";

// Writes the help text to `err`.
void Help(std::ostream& err);
// The help text's first line: the program's name and version.
std::string_view VersionLine();

enum class ParseOutcome {
    Convert,       // go on with the settings
    HelpRequested  // "-?", "--help" or "--version" was met and answered: stop with success
};

// Reads the arguments after the program name into `settings`, left to right.
// "--help" writes the help text with the long options' lines, "--version"
// the version line, to `out`; "-?" writes the help text to `err`.
// "--c-source NAME" (or "--c-source=NAME") takes NAME, unchecked. After "--"
// every argument is a file name. Any other argument starting with "-" is a
// run of option letters, as it always was. A surplus file name is reported
// on `err` and skipped.
ParseOutcome ParseArguments(std::span<const std::string> args, Settings& settings, std::ostream& out,
                            std::ostream& err);

// The options that chose the output's bytes, as one run of letters for the
// comment of C source ("-kK", "-gbr", "-tnw"): the layout, then "r", "b",
// and "n" with the "w" or "h" that orders the header.
std::string LayoutOptions(const Settings& settings);
