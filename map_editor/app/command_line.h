// The program's command line: the window, with a project to open in it, or
// an export without a window for build scripts, which needs no display.
//
//   tilora [options] [FILE]
//   tilora --export KIND INPUT.tlp OUTPUT [--c-source NAME]
//   tilora --import-picture PICTURE OUT.tlp TILES.png
//   tilora --import-picture PICTURE OUT.tlp --tiles TILES
//
// With --c-source the export is written as C source instead, the col flags of
// "map" as the array NAME_col in the same file (c_source.h).
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
    enum class Action { Window, Export, ImportPicture, Print };
    Action action = Action::Window;
    std::string file;                // Window: a project to open, or empty
    std::string kind;                // Export: what to write
    std::vector<std::string> files;  // Export: INPUT and OUTPUT; ImportPicture: PICTURE, OUT.tlp and TILES
    bool matchTiles = false;         // ImportPicture: TILES is a tile set to match, not one to write
    std::optional<std::string> cSource;  // Export: the C array's name, for C source
    std::string text;  // Print: the help, the version, or the mistake and the usage lines
    int exitCode = 0;  // Print: 0 for help and version (standard output), 2 for a mistake
};

// The arguments as main gets them, the program's name first.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Prints, exports or imports as the command line asks; the exit code: 0, 1
// after an error ("tilora: FILE: reason", a refused picture's message after
// "tilora: ", or "tilora: Not enough memory to export INPUT." on err), 2
// after a usage mistake.
int RunWithoutWindow(const CommandLine& line, std::ostream& out, std::ostream& err);
