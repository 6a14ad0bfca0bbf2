// Whole files in and out for the file commands. A failure shows a message that
// names the file and says what went wrong, and changes nothing on disk.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "dialogs.h"

std::optional<std::vector<uint8_t>> ReadWholeFile(const QString& path, MessageBox& messageBox);

// The bytes go to a temporary file beside the target, which is renamed over
// the target once all are written: the target ends up holding exactly these
// bytes, and a failed write leaves an existing file as it was.
bool WriteWholeFile(const QString& path, std::span<const uint8_t> bytes, MessageBox& messageBox);
