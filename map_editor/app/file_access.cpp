#include "file_access.h"

#include <QFile>
#include <QSaveFile>
#include <memory>
#include <new>

namespace {

void ShowFailure(MessageBox& messageBox, const char* what, const QString& path, const QString& reason) {
    messageBox.Show(QStringLiteral("%1 %2:\n%3").arg(QLatin1String(what), path, reason), QStringLiteral("Error"),
                    MessageIcon::Error);
}

}  // namespace

std::optional<std::vector<uint8_t>> ReadWholeFile(const QString& path, MessageBox& messageBox) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowFailure(messageBox, "Cannot open", path, file.errorString());
        return std::nullopt;
    }
    try {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            ShowFailure(messageBox, "Cannot read", path, file.errorString());
            return std::nullopt;
        }
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    } catch (const std::bad_alloc&) {
        ShowFailure(messageBox, "Cannot read", path, QStringLiteral("The file does not fit in memory."));
        return std::nullopt;
    }
}

bool WriteWholeFiles(std::initializer_list<FileContent> files, MessageBox& messageBox) {
    // A QSaveFile that is not committed removes its temporary file.
    std::vector<std::unique_ptr<QSaveFile>> written;
    for (const FileContent& content : files) {
        QSaveFile& file = *written.emplace_back(std::make_unique<QSaveFile>(content.path));
        const auto size = qint64(content.bytes.size());
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char*>(content.bytes.data()), size) != size || !file.flush()) {
            ShowFailure(messageBox, "Cannot write", content.path, file.errorString());
            return false;
        }
    }
    for (const auto& file : written) {
        if (!file->commit()) {
            ShowFailure(messageBox, "Cannot write", file->fileName(), file->errorString());
            return false;
        }
    }
    return true;
}
