// One dotpress run: parse, load the palette, read the bitmap, report its size,
// convert it into the output file.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "bitmap.h"
#include "output_file.h"
#include "palette.h"
#include "settings.h"

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = -1;  // process status 255

inline constexpr const char* kErrorOpeningOutput = "Error opening output file!\n";
inline constexpr const char* kErrorWritingOutput = "Error writing output file!\n";
inline constexpr const char* kErrorOutOfMemory = "Not enough memory!\n";
inline constexpr const char* kPleaseSpecifyWOrH = "Please specify w or h option.\n";
inline constexpr const char* kErrorReadingBitmap = "Error reading bitmap file!\n";
inline constexpr const char* kErrorEmptyCArray = "Error: An empty output makes no C array!\n";

// The bitmap is read where it lies in its file; should another program cut the
// file short meanwhile, reading past its new end raises SIGBUS. This ends the
// run with a message and exit code -1 instead of a crash. It also lets a
// closed pipe, or a file grown past the size limit, show up as a failed write
// instead of ending the process silently. When SIGBUS, SIGINT, SIGTERM or
// SIGHUP ends the run, the unfinished output file is removed first.
void InstallSignalHandlers();

// The whole output file: the optional width/height header ("-n" with "-w" or
// "-h"), then the pixel data of one pass, or of the two sprite passes ("-kK").
void WriteOutput(OutputFile& fo, const Bitmap& bitmap, Settings& settings, const Palette& palette);
// How many bytes WriteOutput writes, known before any pixel is converted.
size_t OutputSize(const Bitmap& bitmap, const Settings& settings);
// The same, in memory.
std::vector<uint8_t> BuildOutputFile(const Bitmap& bitmap, Settings& settings, const Palette& palette);

// Runs dotpress on the arguments after the program name; returns the exit code.
// With "--c-source NAME" the output is C source whose array holds the bytes
// the output would have held (c_source.h).
// The size report and "Please specify w or h option." go to `out`, everything
// else to `err`.
int RunDotpress(std::span<const std::string> args, std::ostream& out, std::ostream& err);
