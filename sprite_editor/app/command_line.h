// The program's command line: the window, with a file to open in it, or an
// export without a window for build scripts, which needs no display.
//
//   pixolin [options] [FILE]
//   pixolin --export KIND INPUT OUTPUT [OUTPUT2] [--sprite N] [--c-source NAME]
//
// With --c-source a raw export is written as C source instead, its second
// frame, if it has one, as the array NAME_2 in the same file (c_source.h).
// The arguments are read before the window's toolkit starts, so that a
// mistake is reported without a display. The toolkit's own options (-style,
// -platform, ...) are let through for the window. File names stay the bytes
// they were given as, so that a name that is no UTF-8 reaches the file system
// unchanged.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

struct CommandLine {
    enum class Action { Window, Export, Print };
    Action action = Action::Window;
    std::string file;                // Window: a file to open, or empty
    std::string kind;                // Export: what to write
    std::vector<std::string> files;  // Export: INPUT, OUTPUT and, for two frames, OUTPUT2
    std::optional<int> sprite;
    std::optional<std::string> cSource;  // Export: the C array's name, for C source
    std::string text;  // Print: the help, the version, or the mistake and the usage lines
    int exitCode = 0;  // Print: 0 for help and version (standard output), 2 for a mistake
};

// The arguments as main gets them, the program's name first.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Prints or exports as the command line asks; the exit code: 0, 1 after an
// error ("pixolin: FILE: reason" or "pixolin: Not enough memory to export
// INPUT." on err), 2 after a usage mistake.
int RunWithoutWindow(const CommandLine& line, std::ostream& out, std::ostream& err);
