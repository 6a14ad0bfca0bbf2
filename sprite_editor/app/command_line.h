// The program's command line: the window, with a file to open in it, or an
// export without a window for build scripts, which needs no display.
//
//   pixolin [FILE]
//   pixolin --export KIND INPUT OUTPUT [OUTPUT2] [--sprite N]
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <ostream>

struct CommandLine {
    enum class Action { Window, Export, Print };
    Action action = Action::Window;
    QString file;       // Window: a file to open, or empty
    QString kind;       // Export: what to write
    QStringList files;  // Export: INPUT, OUTPUT and, for two frames, OUTPUT2
    std::optional<int> sprite;
    QString text;      // Print: the help, the version, or the usage line after a mistake
    int exitCode = 0;  // Print: 0 for help and version (standard output), 2 for a mistake
};

// Whether the arguments (the program's name first) ask for what needs no
// window: help, the version or an export. The window's toolkit, which needs a
// display, must then not start.
bool WantsNoWindow(const QStringList& arguments);

CommandLine ParseCommandLine(const QStringList& arguments);

// Prints or exports as the command line asks; the exit code: 0, 1 after an
// error ("pixolin: FILE: reason" on err), 2 after a usage mistake.
int RunWithoutWindow(const CommandLine& line, std::ostream& out, std::ostream& err);
