#include "command_line.h"

#include <QCommandLineParser>
#include <QFile>
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "file_io.h"
#include "project_file.h"
#include "raw_map.h"

namespace {

constexpr const char* kProgram = "tilora";
constexpr const char* kVersion = "0.9";
constexpr const char* kUsage =
    "Usage: tilora [options] [FILE]\n"
    "       tilora --export KIND INPUT.tlp OUTPUT\n"
    "KIND: map (OUTPUT and OUTPUT.col) or map-repeat\n";

CommandLine Print(const QString& text, int exitCode) {
    CommandLine line;
    line.action = CommandLine::Action::Print;
    line.text = text;
    line.exitCode = exitCode;
    return line;
}

CommandLine Mistake(const QString& what) { return Print(what + '\n' + kUsage, 2); }

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

tilora::FileContent CellsOf(const tilora::CellArray& cells) {
    return [&cells](const tilora::ByteSink& sink) { return sink(cells.Bytes()); };
}

// Why an export failed, as "what: reason"; none when it succeeded.
std::optional<std::pair<std::string, std::string>> Export(const CommandLine& line) {
    const std::string input = LocalPath(line.files[0]), output = LocalPath(line.files[1]);
    tilora::InputFile file(input);
    const std::optional<tilora::MapProject> project =
        file.Failure() ? std::nullopt : tilora::ReadProjectFile(file.Source(), file.Size());
    if (file.Failure()) return std::pair(input, file.Failure()->reason);
    if (!project) return std::pair(input, std::string("not a Tilora project"));
    std::vector<tilora::FileToWrite> outputs;
    if (line.kind == "map") {
        outputs = {{output, CellsOf(project->tiles)}, {output + ".col", CellsOf(project->col)}};
    } else {
        outputs = {{output, [&](const tilora::ByteSink& sink) { return tilora::WriteRawMapWithRepeat(project->tiles, sink); }}};
    }
    if (const auto failure = tilora::WriteFiles(outputs)) return std::pair(failure->path, failure->reason);
    return std::nullopt;
}

}  // namespace

bool WantsNoWindow(const QStringList& arguments) {
    return std::any_of(arguments.begin() + std::min<qsizetype>(1, arguments.size()), arguments.end(), [](const QString& a) {
        return a == "-h" || a == "--help" || a == "-v" || a == "--version" || a == "--export" || a.startsWith("--export=");
    });
}

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Tilora, a tile-map editor for the Pokemon Mini");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption exportOption(
        "export", "Write the raw map of the project INPUT.tlp without a window: map or map-repeat.", "KIND");
    parser.addOption(exportOption);
    parser.addPositionalArgument("FILE", "A project (.tlp) to open, or the files of an export.", "[FILE]");
    if (!parser.parse(arguments)) return Mistake(parser.errorText());
    if (parser.isSet(help)) return Print(parser.helpText().replace("<executable_name>", kProgram), 0);
    if (parser.isSet(version)) return Print(QString("%1 %2\n").arg(kProgram, kVersion), 0);
    CommandLine line;
    const QStringList files = parser.positionalArguments();
    if (!parser.isSet(exportOption)) {
        if (files.size() > 1) return Mistake("Only one file can be opened.");
        line.file = files.value(0);
        return line;
    }
    line.action = CommandLine::Action::Export;
    line.kind = parser.value(exportOption);
    line.files = files;
    if (line.kind != "map" && line.kind != "map-repeat") return Mistake("Unknown export kind: " + line.kind);
    if (files.size() != 2) return Mistake(line.kind + " takes INPUT.tlp and OUTPUT.");
    return line;
}

int RunWithoutWindow(const CommandLine& line, std::ostream& out, std::ostream& err) {
    if (line.action == CommandLine::Action::Print) {
        (line.exitCode == 0 ? out : err) << line.text.toLocal8Bit().constData();
        return line.exitCode;
    }
    const auto failure = Export(line);
    if (!failure) return 0;
    err << kProgram << ": " << failure->first << ": " << failure->second << '\n';
    return 1;
}
