// Whole files in and out for Tilora's file commands. A failure shows a message
// that names the file and the reason, and leaves the files on disk as they
// were.
#pragma once

#include <QString>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

#include "dialogs.h"

std::optional<std::vector<uint8_t>> ReadWholeFile(const QString& path, MessageBox& messageBox);

struct FileContent {
    QString path;
    std::span<const uint8_t> bytes;
};

// Each file's bytes go to a temporary file beside it; only when every one is
// written whole are they renamed over their targets, so that each target ends
// up holding exactly its bytes, and a failed write leaves every existing file
// as it was. (Only a rename that fails after an earlier one succeeded, which
// leaves the files apart, can part them.)
bool WriteWholeFiles(std::initializer_list<FileContent> files, MessageBox& messageBox);
