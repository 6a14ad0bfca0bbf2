#include "command_line.h"

#include <algorithm>
#include <map>
#include <new>
#include <optional>
#include <string_view>

#include "c_source.h"
#include "file_io.h"
#include "picture_map.h"
#include "project_file.h"
#include "raw_map.h"
#include "sheet_image.h"

namespace {

constexpr const char* kProgram = "tilora";
constexpr const char* kVersion = "0.9";
constexpr const char* kUsage =
    "Usage: tilora [options] [FILE]\n"
    "       tilora --export KIND INPUT.tlp OUTPUT [--c-source NAME]\n"
    "       tilora --import-picture PICTURE OUT.tlp TILES.png\n"
    "       tilora --import-picture PICTURE OUT.tlp --tiles TILES\n"
    "KIND: map (OUTPUT and OUTPUT.col) or map-repeat\n";
constexpr const char* kHelp =
    "Usage: tilora [options] [FILE]\n"
    "Tilora, a tile-map editor for the Pokemon Mini\n"
    "\n"
    "Options:\n"
    "  -h, --help       Displays help on commandline options.\n"
    "  -v, --version    Displays version information.\n"
    "  --export <KIND>  Write the raw map of the project INPUT.tlp without a window:\n"
    "                   map or map-repeat.\n"
    "  --c-source <NAME>\n"
    "                   Write the map as C source, the array NAME (and NAME_col).\n"
    "  --import-picture <PICTURE>\n"
    "                   Cut a picture into 8 x 8 tiles without a window: the project\n"
    "                   OUT.tlp and its tile set TILES.png (BMP if named .bmp).\n"
    "  --tiles <TILES>  With --import-picture: match the picture's cells against\n"
    "                   the tile set TILES and write only the project.\n"
    "\n"
    "Arguments:\n"
    "  FILE             A project (.tlp) to open, or the files of an export or import.\n"
    "\n"
    "The window also takes Qt's options, such as -style NAME or -platform NAME.\n";

// The program's own options. A value follows as the next argument or after
// '=' ("--export=map").
enum class OptionId { Help, Version, Export, CSource, ImportPicture, Tiles };

struct Option {
    OptionId id;
    const char* shortName;  // or null
    const char* longName;
    bool takesValue;
};

constexpr Option kOptions[] = {
    {OptionId::Help, "-h", "--help", false},
    {OptionId::Version, "-v", "--version", false},
    {OptionId::Export, nullptr, "--export", true},
    {OptionId::CSource, nullptr, "--c-source", true},
    {OptionId::ImportPicture, nullptr, "--import-picture", true},
    {OptionId::Tiles, nullptr, "--tiles", true},
};

// The options that QApplication takes out of the arguments when the window
// starts (QCoreApplication, QGuiApplication, QApplication and the X11
// platform). Qt reads each as "-name" or "--name"; its value is the next
// argument, or for some also follows '=' ("-style=fusion").
enum class ToolkitValue { None, Next, NextOrEquals };

struct ToolkitOption {
    const char* name;
    ToolkitValue value;
};

constexpr ToolkitOption kToolkitOptions[] = {
    {"-platform", ToolkitValue::Next},
    {"-platformpluginpath", ToolkitValue::Next},
    {"-platformtheme", ToolkitValue::Next},
    {"-plugin", ToolkitValue::Next},
    {"-qwindowgeometry", ToolkitValue::Next},
    {"-qwindowicon", ToolkitValue::Next},
    {"-qwindowtitle", ToolkitValue::Next},
    {"-session", ToolkitValue::Next},
    {"-style", ToolkitValue::NextOrEquals},
    {"-stylesheet", ToolkitValue::NextOrEquals},
    {"-qmljsdebugger", ToolkitValue::NextOrEquals},
    {"-reverse", ToolkitValue::None},
    {"-widgetcount", ToolkitValue::None},
    {"-testability", ToolkitValue::None},
    // X11 only
    {"-display", ToolkitValue::Next},
    {"-geometry", ToolkitValue::Next},
    {"-title", ToolkitValue::Next},
    {"-icon", ToolkitValue::Next},
    {"-name", ToolkitValue::Next},
    {"-visual", ToolkitValue::Next},
    {"-nograb", ToolkitValue::None},
    {"-dograb", ToolkitValue::None},
};

// How many arguments a toolkit option takes: none when the argument is no
// toolkit option, 1 for itself alone, 2 with the value after it.
int ToolkitArguments(std::string_view argument) {
    if (argument.starts_with("--")) argument.remove_prefix(1);
    for (const ToolkitOption& option : kToolkitOptions) {
        const std::string_view name = option.name;
        if (argument == name) return option.value == ToolkitValue::None ? 1 : 2;
        if (option.value == ToolkitValue::NextOrEquals && argument.starts_with(name) && argument[name.size()] == '=') return 1;
    }
    return 0;
}

// The option that an argument names ("-h", "--help", "--export" or
// "--export=KIND"), and the value given after '=', if one is.
const Option* FindOption(std::string_view argument, std::optional<std::string_view>& attached) {
    const size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    const auto option = std::find_if(std::begin(kOptions), std::end(kOptions), [&](const Option& o) {
        return name == o.longName || (equals == std::string_view::npos && o.shortName && name == o.shortName);
    });
    if (equals != std::string_view::npos) attached = argument.substr(equals + 1);
    return option == std::end(kOptions) ? nullptr : option;
}

// The arguments sorted before they mean anything: the program's options with
// their values (the last one given counts), the file names, and what is
// wrong with them.
struct SortedArguments {
    std::map<OptionId, std::string> options;
    std::vector<std::string> files;
    std::string mistake;  // empty when none
};

SortedArguments SortArguments(const std::vector<std::string>& arguments) {
    SortedArguments sorted;
    bool onlyFiles = false;  // after "--"
    for (size_t n = 1; n < arguments.size() && sorted.mistake.empty(); ++n) {
        const std::string& argument = arguments[n];
        const bool hasNext = n + 1 < arguments.size();
        std::optional<std::string_view> attached;
        if (onlyFiles || argument == "-" || !argument.starts_with('-')) {
            sorted.files.push_back(argument);
        } else if (argument == "--") {
            onlyFiles = true;
        } else if (const int taken = ToolkitArguments(argument)) {
            if (taken == 2 && !hasNext) sorted.mistake = "Missing value after '" + argument + "'.";
            n += size_t(taken - 1);
        } else if (const Option* option = FindOption(argument, attached)) {
            if (attached && !option->takesValue) {
                sorted.mistake = "Unexpected value after '" + std::string(option->longName) + "'.";
            } else if (option->takesValue && !attached && !hasNext) {
                sorted.mistake = "Missing value after '" + argument + "'.";
            } else if (attached) {
                sorted.options[option->id] = *attached;
            } else {
                sorted.options[option->id] = option->takesValue ? arguments[++n] : std::string();
            }
        } else {
            sorted.mistake = "Unknown option '" + argument + "'.";
        }
    }
    return sorted;
}

CommandLine Print(const std::string& text, int exitCode) {
    CommandLine line;
    line.action = CommandLine::Action::Print;
    line.text = text;
    line.exitCode = exitCode;
    return line;
}

CommandLine Mistake(const std::string& what) { return Print(what + '\n' + kUsage, 2); }

// Why a run failed, for the message "tilora: what: reason", or "tilora:
// reason" when the reason names what itself.
struct Failure {
    std::string what;
    std::string reason;
};

tilora::FileContent CellsOf(const tilora::CellArray& cells) {
    return [&cells](const tilora::ByteSink& sink) { return sink(cells.Bytes()); };
}

// The kind's raw files as the arrays of one C source file.
tilora::FileContent CSourceOf(const tilora::MapProject& project, const CommandLine& line) {
    const std::string& name = *line.cSource;
    std::vector<tilora::CArray> arrays;
    if (line.kind == "map") {
        arrays = {{name, project.tiles.Bytes()}, {name + "_col", project.col.Bytes()}};
    } else {
        arrays = {{name, tilora::WriteRawMapWithRepeat(project.tiles)}};
    }
    return [arrays = std::move(arrays), madeBy = std::string(kProgram) + " --export " + line.kind,
            input = line.files[0]](const tilora::ByteSink& sink) {
        return tilora::WriteCSource(arrays, tilora::CArrayOrigin{madeBy, input}, sink);
    };
}

// Throws std::bad_alloc when the project does not fit in memory.
std::optional<Failure> Export(const CommandLine& line) {
    const std::string& input = line.files[0];
    const std::string& output = line.files[1];
    tilora::InputFile file(input);
    const std::optional<tilora::MapProject> project =
        file.Failure() ? std::nullopt : tilora::ReadProjectFile(file.Source(), file.Size());
    if (file.Failure()) return Failure{input, file.Failure()->reason};
    if (!project) return Failure{input, "not a Tilora project"};
    std::vector<tilora::FileToWrite> outputs;
    if (line.cSource) {
        outputs = {{output, CSourceOf(*project, line)}};
    } else if (line.kind == "map") {
        outputs = {{output, CellsOf(project->tiles)}, {output + ".col", CellsOf(project->col)}};
    } else {
        outputs = {{output, [&](const tilora::ByteSink& sink) { return tilora::WriteRawMapWithRepeat(project->tiles, sink); }}};
    }
    if (const auto written = tilora::WriteFiles(outputs)) return Failure{written->path, written->reason};
    return std::nullopt;
}

// Reads the picture in a file, its pixels as the import reads them, or says
// why it cannot.
std::optional<Failure> ReadPicture(const std::string& path, QImage& picture) {
    tilora::InputFile file(path);
    std::vector<uint8_t> bytes(file.Failure() ? 0 : file.Size());
    bytes.resize(file.Read(bytes));
    if (file.Failure()) return Failure{path, file.Failure()->reason};
    picture = PictureOfFile(bytes);
    if (picture.isNull()) return Failure{path, "not a picture"};
    picture = ImportPixels(picture);
    return std::nullopt;
}

// The project and the tile set are written together or not at all. Throws
// std::bad_alloc when the picture does not fit in memory.
std::optional<Failure> ImportPicture(const CommandLine& line) {
    const std::string& pictureFile = line.files[0];
    const std::string& project = line.files[1];
    const std::string& tileSetFile = line.files[2];
    QImage picture, tileSet;
    if (auto failure = ReadPicture(pictureFile, picture)) return failure;
    if (line.matchTiles) {
        if (auto failure = ReadPicture(tileSetFile, tileSet)) return failure;
    }
    const tilora::PictureMap map = line.matchTiles
                                       ? tilora::MatchPicture(PixelsOf(picture), PixelsOf(tileSet), pictureFile)
                                       : tilora::CutPicture(PixelsOf(picture), pictureFile);
    if (!map.refusal.empty()) return Failure{{}, map.refusal};
    const tilora::CellArray col(map.tiles.Width(), map.tiles.Height());
    const std::string tilePath = tilora::AbsolutePath(tileSetFile);
    std::vector<tilora::FileToWrite> outputs = {{project, [&](const tilora::ByteSink& sink) {
                                                     return tilora::WriteProjectFile(tilePath, map.tiles, col, sink);
                                                 }}};
    QByteArray tiles;
    if (!line.matchTiles) {
        tiles = TileSetFile(PixelsOf(picture), map.tileCells, tileSetFile);
        outputs.push_back({tileSetFile, ContentOf(tiles)});
    }
    if (const auto written = tilora::WriteFiles(outputs)) return Failure{written->path, written->reason};
    return std::nullopt;
}

// PICTURE OUT.tlp TILES.png, or PICTURE OUT.tlp --tiles TILES.
CommandLine ImportCommand(const SortedArguments& sorted) {
    const std::map<OptionId, std::string>& options = sorted.options;
    if (!options.contains(OptionId::ImportPicture)) return Mistake("--tiles goes with --import-picture.");
    if (options.contains(OptionId::Export)) return Mistake("--export and --import-picture go separately.");
    if (options.contains(OptionId::CSource)) return Mistake("--c-source goes with --export.");
    CommandLine line;
    line.action = CommandLine::Action::ImportPicture;
    line.matchTiles = options.contains(OptionId::Tiles);
    line.files = {options.at(OptionId::ImportPicture)};
    line.files.insert(line.files.end(), sorted.files.begin(), sorted.files.end());
    if (line.matchTiles) line.files.push_back(options.at(OptionId::Tiles));
    if (line.files.size() != 3) {
        return Mistake(line.matchTiles ? "--import-picture with --tiles takes PICTURE and OUT.tlp."
                                       : "--import-picture takes PICTURE, OUT.tlp and TILES.png.");
    }
    return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    const SortedArguments sorted = SortArguments(arguments);
    if (!sorted.mistake.empty()) return Mistake(sorted.mistake);
    const std::map<OptionId, std::string>& options = sorted.options;
    if (options.contains(OptionId::Help)) return Print(kHelp, 0);
    if (options.contains(OptionId::Version)) return Print(std::string(kProgram) + ' ' + kVersion + '\n', 0);
    if (options.contains(OptionId::ImportPicture) || options.contains(OptionId::Tiles)) return ImportCommand(sorted);
    CommandLine line;
    const std::vector<std::string>& files = sorted.files;
    if (!options.contains(OptionId::Export)) {
        if (options.contains(OptionId::CSource)) return Mistake("--c-source goes with --export.");
        if (files.size() > 1) return Mistake("Only one file can be opened.");
        if (!files.empty()) line.file = files[0];
        return line;
    }
    line.action = CommandLine::Action::Export;
    line.kind = options.at(OptionId::Export);
    line.files = files;
    if (line.kind != "map" && line.kind != "map-repeat") return Mistake("Unknown export kind: " + line.kind);
    if (files.size() != 2) return Mistake(line.kind + " takes INPUT.tlp and OUTPUT.");
    if (options.contains(OptionId::CSource)) {
        line.cSource = options.at(OptionId::CSource);
        if (!tilora::IsCName(*line.cSource)) {
            return Mistake("--c-source takes a C identifier, not '" + *line.cSource + "'.");
        }
    }
    return line;
}

int RunWithoutWindow(const CommandLine& line, std::ostream& out, std::ostream& err) {
    if (line.action == CommandLine::Action::Print) {
        (line.exitCode == 0 ? out : err) << line.text;
        return line.exitCode;
    }
    const bool import = line.action == CommandLine::Action::ImportPicture;
    std::optional<Failure> failure;
    try {
        failure = import ? ImportPicture(line) : Export(line);
    } catch (const std::bad_alloc&) {
        err << kProgram << ": Not enough memory to " << (import ? "import " : "export ") << line.files[0] << ".\n";
        return 1;
    }
    if (!failure) return 0;
    err << kProgram << ": " << (failure->what.empty() ? "" : failure->what + ": ") << failure->reason << '\n';
    return 1;
}
