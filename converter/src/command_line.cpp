#include "command_line.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "palette.h"
#include "pixel_writers.h"
#include "pokemini.h"

const std::string_view kHelpText =
    "dotpress 1.11\n"
    "\n"
    "Syntax: dotpress [-flags] <input.bmp> <output.raw>\n"
    "\n"
    "Flags/parameters:\n"
    "  -m                  1  bit  output, dithered, 1st screen, Pokemon Mini\n"
    "  -M                  1  bit  output, dithered, 2nd screen, Pokemon Mini\n"
    "  -k                  1  bit  output, non-dithered, 1st screen, Pokemon Mini\n"
    "  -K                  1  bit  output, non-dithered, 2nd screen, Pokemon Mini\n"
    "  -kK                 1  bit  output, sprite data with masking, Pokemon Mini\n"
    "  -i                  8  bits output, r3g3b2, GP32 generic palette\n"
    "  -e                  8  bits output, b2g3r3\n"
    "  -1 palette.act      8  bits output, palette quantization method 1\n"
    "  -g                  16 bits output, x1b5g5r5, GameBoy\n"
    "  -p                  16 bits output, r5g5b5i1, GP32\n"
    "  -t                  24 bits output, b8g8r8, default format\n"
    "  -c                  32 bits output, y4Cb4y4Cr4, GameCube\n"
    "\n"
    "  -r                  Rotate 90 degrees clockwise (for GP32)\n"
    "  -n                  Add width/height header\n"
    "  -b                  Big endian output\n"
    "  -w                  Return width and height\n"
    "  -h                  Return height and width\n"
    "  -?                  This help\n";

const std::string_view kLongOptionsHelpText =
    "  --c-source NAME     Output as C source, the array NAME\n"
    "  --help              This help, on standard output\n"
    "  --version           Name and version, on standard output\n"
    "  --                  End of options: file names follow\n";

Settings::Settings() : writePixel(WritePixel24) {}

void Help(std::ostream& err) { err << kHelpText; }

std::string_view VersionLine() { return kHelpText.substr(0, kHelpText.find('\n') + 1); }

namespace {

void Select(Settings& settings, PixelWriter writer, uint32_t bpp) {
    settings.writePixel = writer;
    settings.bpp = bpp;
}

void SelectPokeMini(Settings& settings, int32_t ditherAnd, int32_t ditherOr) {
    Select(settings, WritePixelPM, 1);
    settings.pm_dither_and = ditherAnd;
    settings.pm_dither_or = ditherOr;
}

// The effect of one option character; characters without one are only counted.
void ApplyOption(char option, Settings& settings) {
    switch (option) {
        case 'm': settings.pm_dither_xor = 0; SelectPokeMini(settings, 1, 0); break;
        case 'M': settings.pm_dither_xor = 1; SelectPokeMini(settings, 1, 0); break;
        case 'k': SelectPokeMini(settings, 0, 0); break;
        case 'K': SelectPokeMini(settings, 0, 1); break;
        case 'i': Select(settings, WritePixelGP8, 8); break;
        case 'e': Select(settings, WritePixel8, 8); break;
        case '1': Select(settings, WritePixelP1, 8); break;
        case 'g': Select(settings, WritePixelGB, 16); break;
        case 'p': Select(settings, WritePixelGP32, 16); break;
        case 't': Select(settings, WritePixel24, 24); break;
        case 'c': Select(settings, WritePixelGC, 32); break;
        case 'b': settings.output_big = 1; break;
        default: break;
    }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void TakeFileName(const std::string& name, Settings& settings, std::ostream& err) {
    if (!settings.inputFile) {
        settings.inputFile = name;
    } else if (!settings.outputFile) {
        settings.outputFile = name;
    } else {
        err << kErrorTooManyFilenames;
    }
}

// A run of option letters after one "-". False when "?" stops the parse.
bool TakeOptionLetters(std::span<const std::string> args, size_t& i, Settings& settings, std::ostream& err) {
    const std::string& arg = args[i];
    for (size_t k = 1; k < arg.size(); ++k) {
        const char option = arg[k];
        ++settings.flags[static_cast<unsigned char>(option)];
        if (option == '?') {
            Help(err);
            return false;
        }
        ApplyOption(option, settings);
        if (IsDigit(option)) {
            // A digit takes the next argument as the palette file and ends
            // this argument: its remaining characters are ignored.
            ++i;
            settings.paletteFile = i < args.size() ? std::optional<std::string>(args[i]) : std::nullopt;
            break;
        }
    }
    return true;
}

constexpr std::string_view kCSourceOption = "--c-source";

bool IsCSourceOption(std::string_view arg) {
    const std::string_view rest = arg.substr(std::min(arg.size(), kCSourceOption.size()));
    return arg.starts_with(kCSourceOption) && (rest.empty() || rest.starts_with('='));
}

// The name after "--c-source" or "--c-source=".
void TakeCSourceName(std::span<const std::string> args, size_t& i, Settings& settings) {
    const std::string_view arg = args[i];
    if (arg.size() > kCSourceOption.size()) {
        settings.cSourceName = std::string(arg.substr(kCSourceOption.size() + 1));
    } else {
        settings.cSourceName = ++i < args.size() ? args[i] : std::string();
    }
}

// The letter of each writer that one letter selects.
constexpr std::pair<PixelWriter, char> kWriterLetters[] = {
    {WritePixelGP8, 'i'}, {WritePixel8, 'e'},    {WritePixelP1, '1'}, {WritePixelGB, 'g'},
    {WritePixelGP32, 'p'}, {WritePixel24, 't'}, {WritePixelGC, 'c'},
};

std::string LayoutLetters(const Settings& settings) {
    if (settings.Flag('k') && settings.Flag('K')) return "kK";
    if (settings.writePixel == WritePixelPM) {
        if (settings.pm_dither_and) return settings.pm_dither_xor ? "M" : "m";
        return settings.pm_dither_or ? "K" : "k";
    }
    for (const auto& [writer, letter] : kWriterLetters) {
        if (writer == settings.writePixel) return std::string(1, letter);
    }
    return "";
}

}  // namespace

std::string LayoutOptions(const Settings& settings) {
    std::string letters = "-";
    letters += LayoutLetters(settings);
    if (settings.Flag('r')) letters += 'r';
    if (settings.output_big) letters += 'b';
    if (settings.Flag('n')) letters += settings.Flag('w') ? "nw" : "nh";
    return letters;
}

ParseOutcome ParseArguments(std::span<const std::string> args, Settings& settings, std::ostream& out,
                            std::ostream& err) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-') {
            TakeFileName(arg, settings, err);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (IsCSourceOption(arg)) {
            TakeCSourceName(args, i, settings);
        } else if (arg == "--help" || arg == "--version") {
            if (arg == "--help") {
                out << kHelpText << kLongOptionsHelpText;
            } else {
                out << VersionLine();
            }
            out.flush();
            return ParseOutcome::HelpRequested;
        } else if (!TakeOptionLetters(args, i, settings, err)) {
            return ParseOutcome::HelpRequested;
        }
    }
    return ParseOutcome::Convert;
}
