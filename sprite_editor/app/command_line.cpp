#include "command_line.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <array>
#include <charconv>
#include <functional>
#include <map>
#include <new>
#include <span>
#include <string_view>

#include "c_source.h"
#include "file_io.h"
#include "sheet_image.h"
#include "sprite_files.h"

namespace {

constexpr const char* kProgram = "pixolin";
constexpr const char* kVersion = "1.05";
constexpr const char* kUsage =
    "Usage: pixolin [options] [FILE]\n"
    "       pixolin --export KIND INPUT OUTPUT [OUTPUT2] [--sprite N] [--c-source NAME]\n"
    "KIND: raw1, raw1-all, raw2, raw2-all, pxs or sheet\n";
constexpr const char* kHelp =
    "Usage: pixolin [options] [FILE]\n"
    "Pixolin, a sprite editor for the Pokemon Mini\n"
    "\n"
    "Options:\n"
    "  -h, --help       Displays help on commandline options.\n"
    "  -v, --version    Displays version information.\n"
    "  --export <KIND>  Write raw data or a picture from INPUT without a window:\n"
    "                   raw1, raw1-all, raw2, raw2-all, pxs or sheet.\n"
    "  --sprite <N>     The sprite to export (default 0).\n"
    "  --c-source <NAME>\n"
    "                   Write raw data as C source, the array NAME (and NAME_2).\n"
    "\n"
    "Arguments:\n"
    "  FILE             A sprite library (.pxl) or sprite (.pxs) to open, or the\n"
    "                   files of an export.\n"
    "\n"
    "The window also takes Qt's options, such as -style NAME or -platform NAME.\n";

// The program's own options. A value follows as the next argument or after
// '=' ("--export=raw1").
enum class OptionId { Help, Version, Export, Sprite, CSource };

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
    {OptionId::Sprite, nullptr, "--sprite", true},
    {OptionId::CSource, nullptr, "--c-source", true},
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

// What each kind writes: raw data, a sprite file or a picture; one file or
// two, of one sprite or of all.
struct ExportKind {
    enum class Form { Raw, SpriteFile, Picture };
    const char* name;
    Form form;
    int outputs;
    bool allSprites;
    std::array<PixelTest, 2> images;
};

constexpr ExportKind kKinds[] = {
    {"raw1", ExportKind::Form::Raw, 1, false, {kRaw1Image, nullptr}},
    {"raw1-all", ExportKind::Form::Raw, 1, true, {kRaw1AllImage, nullptr}},
    {"raw2", ExportKind::Form::Raw, 2, false, kRaw2Frames},
    {"raw2-all", ExportKind::Form::Raw, 2, true, kRaw2AllScreens},
    {"pxs", ExportKind::Form::SpriteFile, 1, false, {}},
    {"sheet", ExportKind::Form::Picture, 1, true, {}},
};

const ExportKind* FindKind(const std::string& name) {
    const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds), [&](const ExportKind& k) { return name == k.name; });
    return kind == std::end(kKinds) ? nullptr : kind;
}

CommandLine Print(const std::string& text, int exitCode) {
    CommandLine line;
    line.action = CommandLine::Action::Print;
    line.text = text;
    line.exitCode = exitCode;
    return line;
}

CommandLine Mistake(const std::string& what) { return Print(what + '\n' + kUsage, 2); }

std::optional<int> SpriteNumber(const std::string& text) {
    int number = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < 0) return std::nullopt;
    return number;
}

// Why a run failed, for the message "pixolin: what: reason".
struct Failure {
    std::string what;
    std::string reason;
};

// The sprites of a library or sprite file, told apart by their magic.
std::vector<Sprite> ReadSprites(const std::string& path, std::optional<Failure>& failure) {
    InputFile file(path);
    std::vector<uint8_t> bytes(file.Failure() ? 0 : file.Size());
    bytes.resize(file.Read(bytes));
    if (file.Failure()) {
        failure = Failure{path, file.Failure()->reason};
        return {};
    }
    if (bytes.size() >= 5 && std::equal(bytes.begin(), bytes.begin() + 5, "PMSPR")) {
        if (const std::optional<Sprite> sprite = ReadSpriteFile(bytes)) return {*sprite};
        failure = Failure{path, "not a sprite file"};
        return {};
    }
    std::optional<std::vector<Sprite>> sprites = ReadLibraryFile(bytes);
    if (!sprites) failure = Failure{path, "not a sprite library"};
    return sprites ? std::move(*sprites) : std::vector<Sprite>{};
}

FileContent Encoded(std::span<const Sprite> sprites, const ExportKind& kind, int output) {
    if (kind.form == ExportKind::Form::SpriteFile) {
        return [sprites](const ByteSink& sink) { return sink(WriteSpriteFile(sprites.front())); };
    }
    const PixelTest image = kind.images[size_t(output)];
    return [sprites, image](const ByteSink& sink) { return EncodeRawSprites(sprites, image, sink); };
}

// The kind's raw files as the arrays of one C source file.
FileContent CSourceOf(std::span<const Sprite> sprites, const ExportKind& kind, const CommandLine& line) {
    std::vector<CArray> arrays;
    for (int n = 0; n < kind.outputs; ++n) {
        arrays.push_back({*line.cSource + (n == 0 ? "" : "_2"), EncodeRawSprites(sprites, kind.images[size_t(n)])});
    }
    std::string madeBy = std::string(kProgram) + " --export " + line.kind;
    if (line.sprite) madeBy += " --sprite " + std::to_string(*line.sprite);
    return [arrays = std::move(arrays), madeBy = std::move(madeBy), input = line.files[0]](const ByteSink& sink) {
        return WriteCSource(arrays, CArrayOrigin{madeBy, input}, sink);
    };
}

FileContent Bytes(const QByteArray& bytes) {
    return [&bytes](const ByteSink& sink) {
        return sink(std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())));
    };
}

// Throws std::bad_alloc when the files do not fit in memory.
std::optional<Failure> Export(const CommandLine& line, const ExportKind& kind) {
    std::optional<Failure> failure;
    const std::vector<Sprite> sprites = ReadSprites(line.files[0], failure);
    if (failure) return failure;
    const int index = line.sprite.value_or(0);
    if (index >= int(sprites.size())) {
        const std::string count = std::to_string(sprites.size()) + (sprites.size() == 1 ? " sprite" : " sprites");
        return Failure{"--sprite " + std::to_string(index), "the library has " + count};
    }
    const std::span<const Sprite> chosen =
        kind.allSprites ? std::span<const Sprite>(sprites) : std::span<const Sprite>(&sprites[size_t(index)], 1);
    std::vector<FileToWrite> outputs;
    std::optional<QByteArray> picture;
    if (kind.form == ExportKind::Form::Picture) {
        picture = SpriteSheetFile(chosen, kPixelColors, QFile::decodeName(QByteArray::fromStdString(line.files[1])));
        if (!picture) return Failure{line.files[1], "not a picture format this program writes"};
        outputs.push_back({line.files[1], Bytes(*picture)});
    } else if (line.cSource) {
        outputs.push_back({line.files[1], CSourceOf(chosen, kind, line)});
    } else {
        for (int n = 0; n < kind.outputs; ++n) outputs.push_back({line.files[size_t(1 + n)], Encoded(chosen, kind, n)});
    }
    if (const std::optional<FileFailure> written = WriteFiles(outputs)) return Failure{written->path, written->reason};
    return std::nullopt;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    const SortedArguments sorted = SortArguments(arguments);
    if (!sorted.mistake.empty()) return Mistake(sorted.mistake);
    const std::map<OptionId, std::string>& options = sorted.options;
    if (options.contains(OptionId::Help)) return Print(kHelp, 0);
    if (options.contains(OptionId::Version)) return Print(std::string(kProgram) + ' ' + kVersion + '\n', 0);
    CommandLine line;
    const std::vector<std::string>& files = sorted.files;
    if (!options.contains(OptionId::Export)) {
        if (options.contains(OptionId::CSource)) return Mistake("--c-source goes with --export.");
        if (options.contains(OptionId::Sprite) || files.size() > 1) return Mistake("Only one file can be opened.");
        if (!files.empty()) line.file = files[0];
        return line;
    }
    line.action = CommandLine::Action::Export;
    line.kind = options.at(OptionId::Export);
    line.files = files;
    const ExportKind* kind = FindKind(line.kind);
    if (!kind) return Mistake("Unknown export kind: " + line.kind);
    if (options.contains(OptionId::CSource)) {
        line.cSource = options.at(OptionId::CSource);
        if (kind->form != ExportKind::Form::Raw) return Mistake("--c-source is for raw1, raw1-all, raw2 and raw2-all.");
        if (!IsCName(*line.cSource)) return Mistake("--c-source takes a C identifier, not '" + *line.cSource + "'.");
    }
    const int outputs = line.cSource ? 1 : kind->outputs;  // C source holds both frames
    if (files.size() != size_t(1 + outputs)) {
        return Mistake(line.kind + " takes INPUT and " + std::to_string(outputs) + " output file(s).");
    }
    if (options.contains(OptionId::Sprite)) {
        line.sprite = SpriteNumber(options.at(OptionId::Sprite));
        if (!line.sprite || kind->allSprites) return Mistake("--sprite takes a sprite number, for one sprite.");
    }
    return line;
}

int RunWithoutWindow(const CommandLine& line, std::ostream& out, std::ostream& err) {
    if (line.action == CommandLine::Action::Print) {
        (line.exitCode == 0 ? out : err) << line.text;
        return line.exitCode;
    }
    std::optional<Failure> failure;
    try {
        failure = Export(line, *FindKind(line.kind));
    } catch (const std::bad_alloc&) {
        err << kProgram << ": Not enough memory to export " << line.files[0] << ".\n";
        return 1;
    }
    if (!failure) return 0;
    err << kProgram << ": " << failure->what << ": " << failure->reason << '\n';
    return 1;
}
