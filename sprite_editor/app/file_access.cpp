#include "file_access.h"

#include <QFile>
#include <algorithm>
#include <cstdint>

QString DisplayPath(const QByteArray& path) { return QFile::decodeName(path); }

void ShowFailure(MessageBox& messageBox, const FileFailure& failure) {
    messageBox.Show(QStringLiteral("%1 %2: %3")
                        .arg(QString::fromStdString(failure.action),
                             DisplayPath(QByteArray::fromStdString(failure.path)),
                             QString::fromLocal8Bit(failure.reason.c_str())),
                    QStringLiteral("Error"), MessageIcon::Error);
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const QByteArray& path, MessageBox& messageBox) {
    return ReadFileStart(path, SIZE_MAX, messageBox);
}

std::optional<std::vector<uint8_t>> ReadFileStart(const QByteArray& path, size_t count, MessageBox& messageBox) {
    return ReadFile(path, messageBox, [count](InputFile& file) {
        std::vector<uint8_t> bytes(std::min<uint64_t>(file.Size(), count));
        bytes.resize(file.Read(bytes));
        return bytes;
    });
}

bool WriteFiles(std::initializer_list<FileToWrite> files, MessageBox& messageBox) {
    const std::optional<FileFailure> failure = WriteFiles(std::span(files.begin(), files.size()));
    if (failure) ShowFailure(messageBox, *failure);
    return !failure;
}
