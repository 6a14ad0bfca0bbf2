#include "map_clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace {

// A format no other program writes, holding the mark of the copy.
const QString kMarkFormat = QStringLiteral("application/x-tilora-copy");

}  // namespace

void MapClipboard::Copy(tilora::MapBlock block) {
    static int copies = 0;
    auto data = std::make_unique<QMimeData>();
    if (int64_t(block.Width()) * block.Height() <= kLargestText) {
        data->setText(QString::fromStdString(tilora::BlockText(block)));
    }
    mark_ = QByteArray::number(QCoreApplication::applicationPid()) + ':' + QByteArray::number(++copies);
    data->setData(kMarkFormat, mark_);
    copied_ = std::move(block);
    QApplication::clipboard()->setMimeData(data.release());
}

std::optional<tilora::MapBlock> MapClipboard::Paste(QString& refusal) const {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (copied_ && data && data->data(kMarkFormat) == mark_) return copied_;
    std::optional<tilora::MapBlock> block;
    if (data && data->hasText()) block = tilora::BlockFromText(data->text().toStdString());
    if (!block) {
        refusal = QStringLiteral(
            "The clipboard holds no map cells. Paste takes cells copied in Tilora, or text of tile numbers 0 to 255 "
            "separated by commas, one line a row.");
    }
    return block;
}
