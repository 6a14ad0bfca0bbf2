#include "command_line.h"

#include <QCommandLineParser>
#include <QFile>
#include <algorithm>
#include <array>
#include <functional>
#include <span>
#include <vector>

#include "file_io.h"
#include "sheet_image.h"
#include "sprite_files.h"

namespace {

constexpr const char* kProgram = "pixolin";
constexpr const char* kVersion = "1.05";
constexpr const char* kUsage =
    "Usage: pixolin [options] [FILE]\n"
    "       pixolin --export KIND INPUT OUTPUT [OUTPUT2] [--sprite N]\n"
    "KIND: raw1, raw1-all, raw2, raw2-all, pxs or sheet\n";

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

const ExportKind* FindKind(const QString& name) {
    const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds), [&](const ExportKind& k) { return name == QLatin1String(k.name); });
    return kind == std::end(kKinds) ? nullptr : kind;
}

CommandLine Print(const QString& text, int exitCode) {
    CommandLine line;
    line.action = CommandLine::Action::Print;
    line.text = text;
    line.exitCode = exitCode;
    return line;
}

CommandLine Mistake(const QString& what) { return Print(what + '\n' + kUsage, 2); }

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

FileContent Bytes(const QByteArray& bytes) {
    return [&bytes](const ByteSink& sink) {
        return sink(std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())));
    };
}

std::optional<Failure> Export(const CommandLine& line, const ExportKind& kind) {
    std::optional<Failure> failure;
    const std::vector<Sprite> sprites = ReadSprites(QFile::encodeName(line.files[0]).toStdString(), failure);
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
        picture = SpriteSheetFile(chosen, kPixelColors, line.files[1]);
        if (!picture) return Failure{QFile::encodeName(line.files[1]).toStdString(), "not a picture format this program writes"};
        outputs.push_back({QFile::encodeName(line.files[1]).toStdString(), Bytes(*picture)});
    } else {
        for (int n = 0; n < kind.outputs; ++n) {
            outputs.push_back({QFile::encodeName(line.files[1 + n]).toStdString(), Encoded(chosen, kind, n)});
        }
    }
    if (const std::optional<FileFailure> written = WriteFiles(outputs)) return Failure{written->path, written->reason};
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
    parser.setApplicationDescription("Pixolin, a sprite editor for the Pokemon Mini");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption exportOption("export", "Write raw data or a picture from INPUT without a window: raw1, raw1-all, raw2, raw2-all, pxs or sheet.", "KIND");
    const QCommandLineOption spriteOption("sprite", "The sprite to export (default 0).", "N");
    parser.addOption(exportOption);
    parser.addOption(spriteOption);
    parser.addPositionalArgument("FILE", "A sprite library (.pxl) or sprite (.pxs) to open, or the files of an export.",
                                 "[FILE]");
    if (!parser.parse(arguments)) return Mistake(parser.errorText());
    if (parser.isSet(help)) return Print(parser.helpText().replace("<executable_name>", kProgram), 0);
    if (parser.isSet(version)) return Print(QString("%1 %2\n").arg(kProgram, kVersion), 0);
    CommandLine line;
    const QStringList files = parser.positionalArguments();
    if (!parser.isSet(exportOption)) {
        if (parser.isSet(spriteOption) || files.size() > 1) return Mistake("Only one file can be opened.");
        line.file = files.value(0);
        return line;
    }
    line.action = CommandLine::Action::Export;
    line.kind = parser.value(exportOption);
    line.files = files;
    const ExportKind* kind = FindKind(line.kind);
    if (!kind) return Mistake("Unknown export kind: " + line.kind);
    if (files.size() != 1 + kind->outputs) return Mistake(QString("%1 takes INPUT and %2 output file(s).").arg(line.kind).arg(kind->outputs));
    if (parser.isSet(spriteOption)) {
        bool number = false;
        const int sprite = parser.value(spriteOption).toInt(&number);
        if (!number || sprite < 0 || kind->allSprites) return Mistake("--sprite takes a sprite number, for one sprite.");
        line.sprite = sprite;
    }
    return line;
}

int RunWithoutWindow(const CommandLine& line, std::ostream& out, std::ostream& err) {
    if (line.action == CommandLine::Action::Print) {
        (line.exitCode == 0 ? out : err) << line.text.toLocal8Bit().constData();
        return line.exitCode;
    }
    const std::optional<Failure> failure = Export(line, *FindKind(line.kind));
    if (!failure) return 0;
    err << kProgram << ": " << failure->what << ": " << failure->reason << '\n';
    return 1;
}
