// The file commands' side of reading and writing files: a failure shows a
// message that names the file and the reason, "Cannot read <path>: not a
// regular file" for instance, and leaves the files on disk as they were.
// Paths are the file system's bytes (QFile::encodeName of a chosen name), so
// that a name that is no UTF-8 still opens.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <new>
#include <optional>
#include <type_traits>
#include <vector>

#include "dialogs.h"
#include "file_io.h"

// The path as a person reads it, for messages.
QString DisplayPath(const QByteArray& path);

void ShowFailure(MessageBox& messageBox, const FileFailure& failure);

// What read makes of the regular file at path, opened for it; nothing, after
// a message, when the file cannot be opened or read.
template <typename Read>
auto ReadFile(const QByteArray& path, MessageBox& messageBox, Read read)
    -> std::optional<std::invoke_result_t<Read, InputFile&>> {
    InputFile file(path.toStdString());
    std::optional<std::invoke_result_t<Read, InputFile&>> result;
    if (!file.Failure()) result = read(file);
    if (file.Failure()) {
        ShowFailure(messageBox, *file.Failure());
        return std::nullopt;
    }
    return result;
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const QByteArray& path, MessageBox& messageBox);
// A file's first bytes, at most count: a file format that ignores what follows its
// data reads no more than that.
std::optional<std::vector<uint8_t>> ReadFileStart(const QByteArray& path, size_t count, MessageBox& messageBox);

// Writes every file whole or leaves every existing one as it was (see
// WriteFiles in file_io.h); false after a message.
bool WriteFiles(std::initializer_list<FileToWrite> files, MessageBox& messageBox);

// Runs work; a failed allocation ends it with "Not enough memory to
// <purpose>." in the error box. False when it ended so.
template <typename Work>
bool WithEnoughMemory(MessageBox& messageBox, const QString& purpose, Work work) {
    try {
        work();
        return true;
    } catch (const std::bad_alloc&) {
        messageBox.Show(QStringLiteral("Not enough memory to %1.").arg(purpose), QStringLiteral("Error"),
                        MessageIcon::Error);
        return false;
    }
}
