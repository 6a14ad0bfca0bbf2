#include "file_filter.h"

#include <QImageReader>
#include <QRegularExpression>
#include <QStringList>

QString QtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        const QString shown = u'(' + pattern + u')';
        if (description.endsWith(shown)) description = description.chopped(shown.size()).trimmed();
        QStringList patterns = pattern.split(u';', Qt::SkipEmptyParts);
        for (QString& each : patterns) {
            each = each.trimmed();
            if (each == QStringLiteral("*.*")) each = QStringLiteral("*");
        }
        filters << description + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters.join(QStringLiteral(";;"));
}

QString DefaultSuffix(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    if (parts.size() < 2) return {};
    // No wildcard, list or dot after "*.": one plain extension.
    static const QRegularExpression single(QStringLiteral(R"(^\*\.([^*?\[\];.\s]+)$)"));
    return single.match(parts[1].trimmed()).captured(1);
}

namespace {

// Every picture format this Qt reads, as "*.bmp;*.png;...", then every file.
QString ReadableFormats() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        patterns << QStringLiteral("*.") + QString::fromLatin1(format).toLower();
    }
    patterns.sort();
    patterns.removeDuplicates();
    return patterns.join(u';') + QStringLiteral("|All files (*) |*");
}

}  // namespace

QString TileSetFilter() { return QStringLiteral("Bitmap (*.bmp) |*.bmp|Images |") + ReadableFormats(); }

QString PictureFilter() { return QStringLiteral("Pictures |") + ReadableFormats(); }
