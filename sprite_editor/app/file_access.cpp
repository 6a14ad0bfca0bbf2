#include "file_access.h"

#include <QFile>
#include <QSaveFile>
#include <new>

namespace {

void Complain(MessageBox& messageBox, const QString& what, const QString& path, const QString& reason) {
    messageBox.Show(QString("%1 %2: %3").arg(what, path, reason), "Error", MessageIcon::Error);
}

}  // namespace

std::optional<std::vector<uint8_t>> ReadWholeFile(const QString& path, MessageBox& messageBox) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Complain(messageBox, "Cannot open", path, file.errorString());
        return std::nullopt;
    }
    try {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            Complain(messageBox, "Cannot read", path, file.errorString());
            return std::nullopt;
        }
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    } catch (const std::bad_alloc&) {
        Complain(messageBox, "Cannot read", path, "the file does not fit in memory");
        return std::nullopt;
    }
}

bool WriteWholeFile(const QString& path, std::span<const uint8_t> bytes, MessageBox& messageBox) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        Complain(messageBox, "Cannot write", path, file.errorString());
        return false;
    }
    const qint64 size = qint64(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size || !file.commit()) {
        Complain(messageBox, "Cannot write", path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}
