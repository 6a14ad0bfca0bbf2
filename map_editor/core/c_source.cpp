#include "c_source.h"

#include <algorithm>
#include <cstring>

namespace tilora {

namespace {

constexpr size_t kValuesPerLine = 16;
// A value's text, " 0x1f,": the space before it separates it from the value
// before, or with kLineStart indents the line.
constexpr size_t kValueTextSize = 6;
constexpr std::string_view kLineStart = "   ";

// Each text padded to 8 bytes, so that a line's texts can be stored 8 bytes
// at a time, each store's last 2 bytes overwritten by the next.
constexpr size_t kStoredTextSize = 8;

struct ValueTexts {
    char text[256][kStoredTextSize];
};

constexpr ValueTexts MakeValueTexts() {
    constexpr char kDigits[] = "0123456789abcdef";
    ValueTexts texts{};
    for (int value = 0; value < 256; ++value) {
        char* text = texts.text[value];
        text[0] = ' ';
        text[1] = '0';
        text[2] = 'x';
        text[3] = kDigits[value >> 4];
        text[4] = kDigits[value & 15];
        text[5] = ',';
    }
    return texts;
}

constexpr ValueTexts kValueTexts = MakeValueTexts();

// The keywords of C up to C23 that a name could be (those that start with '_'
// and a capital are reserved names, refused as all of them are), and the
// macro the file defines.
constexpr std::string_view kTakenNames[] = {
    "alignas",       "alignof",  "auto",     "bool",         "break",  "case",    "char",   "const",
    "constexpr",     "continue", "default",  "do",           "double", "else",    "enum",   "extern",
    "false",         "float",    "for",      "goto",         "if",     "inline",  "int",    "long",
    "nullptr",       "register", "restrict", "return",       "short",  "signed",  "sizeof", "static",
    "static_assert", "struct",   "switch",   "thread_local", "true",   "typedef", "typeof", "typeof_unqual",
    "union",         "unsigned", "void",     "volatile",     "while",  "PM_ROM",
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// Reserved for the compiler and its library.
bool IsReserved(std::string_view name) {
    return name.size() > 1 && name[0] == '_' && (name[1] == '_' || (name[1] >= 'A' && name[1] <= 'Z'));
}

std::string SizeName(std::string_view name) {
    std::string sizeName(name.size(), ' ');
    std::transform(name.begin(), name.end(), sizeName.begin(), Upper);
    return sizeName + "_SIZE";
}

// The file's name without its folder, fit for a comment: a '*' could end it
// or open a nested one, and a control character could break its line.
std::string CommentFileName(std::string_view path) {
    std::string name(path.substr(path.rfind('/') + 1));
    for (char& c : name) {
        if (c == '*' || (static_cast<unsigned char>(c) < 0x20) || c == 0x7f) c = '_';
    }
    return name;
}

// One value, with the indent before a line's first and the line break after
// its last.
char* FormatValue(uint8_t value, size_t column, char* out) {
    if (column == 0) out = std::copy(kLineStart.begin(), kLineStart.end(), out);
    out = std::copy_n(kValueTexts.text[value], kValueTextSize, out);
    if (column == kValuesPerLine - 1) *out++ = '\n';
    return out;
}

// A whole line; the last store reaches one byte past the line's end.
char* FormatLine(const uint8_t* values, char* out) {
    out = std::copy(kLineStart.begin(), kLineStart.end(), out);
    for (size_t k = 0; k < kValuesPerLine; ++k) {
        std::memcpy(out + k * kValueTextSize, kValueTexts.text[values[k]], kStoredTextSize);
    }
    out += kValuesPerLine * kValueTextSize;
    *out++ = '\n';
    return out;
}

// The values formatted at a time, and about as many characters handed on at
// a time.
constexpr size_t kPieceValues = size_t(64) << 10;

}  // namespace

bool IsCName(std::string_view name) {
    if (name.empty() || !IsLetter(name[0]) || IsReserved(name)) return false;
    if (!std::all_of(name.begin(), name.end(), [](char c) { return IsLetter(c) || IsDigit(c); })) return false;
    return std::find(std::begin(kTakenNames), std::end(kTakenNames), name) == std::end(kTakenNames);
}

std::string CArrayOpening(std::string_view name, size_t size, const CArrayOrigin& origin, bool first) {
    const std::string count = std::to_string(size), sizeName = SizeName(name);
    std::string text = first ? "" : "\n";
    text += "/* " + std::string(name) + ": " + count + (size == 1 ? " byte" : " bytes") + ", made by " +
            std::string(origin.madeBy) + " from " + CommentFileName(origin.input) + " */\n";
    if (first) text += "#ifndef PM_ROM\n#define PM_ROM\n#endif\n";
    text += "#define " + sizeName + " " + count + "\n";
    text += "const unsigned char PM_ROM " + std::string(name) + "[" + sizeName + "] = {\n";
    return text;
}

// The line breaks and indents, and one line's more for the last store of a
// whole line, which reaches past it.
size_t CValuesRoom(size_t count) {
    return count * kValueTextSize + (count / kValuesPerLine + 1) * (kLineStart.size() + 1);
}

char* FormatCValues(std::span<const uint8_t> values, size_t before, char* out) {
    size_t column = before % kValuesPerLine;
    for (size_t i = 0; i < values.size();) {
        if (column == 0 && values.size() - i >= kValuesPerLine) {
            out = FormatLine(values.data() + i, out);
            i += kValuesPerLine;
        } else {
            out = FormatValue(values[i++], column, out);
            column = (column + 1) % kValuesPerLine;
        }
    }
    return out;
}

std::string_view CArrayClosing(size_t size) { return size % kValuesPerLine == 0 ? "};\n" : "\n};\n"; }

bool WriteCSource(std::span<const CArray> arrays, const CArrayOrigin& origin, const ByteSink& sink) {
    std::string text;
    const auto handOn = [&text, &sink] {
        const bool written = sink(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
        text.clear();
        return written;
    };
    for (size_t n = 0; n < arrays.size(); ++n) {
        const std::span<const uint8_t> bytes = arrays[n].bytes;
        text += CArrayOpening(arrays[n].name, bytes.size(), origin, n == 0);
        for (size_t done = 0; done < bytes.size(); done += kPieceValues) {
            const std::span<const uint8_t> piece = bytes.subspan(done, std::min(kPieceValues, bytes.size() - done));
            const size_t start = text.size();
            text.resize(start + CValuesRoom(piece.size()));
            text.resize(size_t(FormatCValues(piece, done, text.data() + start) - text.data()));
            if (text.size() >= kPieceValues && !handOn()) return false;
        }
        text += CArrayClosing(bytes.size());
    }
    return handOn();
}

}  // namespace tilora
