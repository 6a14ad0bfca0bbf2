#include "file_access.h"

#include <QFile>

QString DisplayPath(const QByteArray& path) { return QFile::decodeName(path); }

void ShowFailure(MessageBox& messageBox, const tilora::FileFailure& failure) {
    messageBox.Show(QStringLiteral("%1 %2: %3")
                        .arg(QString::fromStdString(failure.action),
                             DisplayPath(QByteArray::fromStdString(failure.path)),
                             QString::fromLocal8Bit(failure.reason.c_str())),
                    QStringLiteral("Error"), MessageIcon::Error);
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const QByteArray& path, MessageBox& messageBox) {
    return ReadFile(path, messageBox, [](tilora::InputFile& file) {
        std::vector<uint8_t> bytes(file.Size());
        bytes.resize(file.Read(bytes));
        return bytes;
    });
}

bool WriteFiles(std::initializer_list<tilora::FileToWrite> files, MessageBox& messageBox) {
    const std::optional<tilora::FileFailure> failure = tilora::WriteFiles(std::span(files.begin(), files.size()));
    if (failure) ShowFailure(messageBox, *failure);
    return !failure;
}
