#include "sprite_clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <memory>

#include "sheet_image.h"

namespace {

// A format no other program writes, holding the mark of the copy.
const QString kMarkFormat = QStringLiteral("application/x-pixolin-copy");

}  // namespace

void SpriteClipboard::Copy(const Sprite& sprite, const CodeColours& colours) {
    static int copies = 0;
    auto data = std::make_unique<QMimeData>();
    data->setImageData(SpritePicture(sprite, colours));
    mark_ = QByteArray::number(QCoreApplication::applicationPid()) + ':' + QByteArray::number(++copies);
    data->setData(kMarkFormat, mark_);
    copied_ = sprite;
    QApplication::clipboard()->setMimeData(data.release());
}

std::optional<Sprite> SpriteClipboard::Paste(QString& refusal) const {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (copied_ && data && data->data(kMarkFormat) == mark_) return copied_;
    std::optional<Sprite> sprite;
    if (data && data->hasImage()) sprite = SpriteOfPicture(qvariant_cast<QImage>(data->imageData()));
    if (!sprite) {
        refusal = QStringLiteral(
            "The clipboard holds no sprite. Paste takes a sprite copied in Pixolin, or a picture of at least 16 x 16 "
            "pixels, whose top-left 16 x 16 pixels become the sprite.");
    }
    return sprite;
}
