// The "Image" menu: the sprites as one picture, and a picture cut into
// sprites.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>

#include "file_access.h"
#include "file_filter.h"
#include "form1.h"
#include "sheet_image.h"
#include "sprite_editing.h"

void Form1::BuildImageMenu() {
    QMenu* image = menuBar()->addMenu("Image");
    image->setObjectName("image");
    QAction* exportSheet = image->addAction("Export sprites as image...");
    exportSheet->setObjectName("exportsheet");
    connect(exportSheet, &QAction::triggered, this, &Form1::Form1_exportsheet_Click);
    QAction* importSheet = image->addAction("Import image as sprites...");
    importSheet->setObjectName("importsheet");
    connect(importSheet, &QAction::triggered, this, &Form1::Form1_importsheet_Click);
}

// Every sprite, marked ones too, as one picture, in the format of the name's
// extension.
void Form1::Form1_exportsheet_Click() {
    const QString path = AskSaveFile(kSheetFilter, "Export sprites as image");
    if (path.isEmpty()) return;
    FinishEditing(*this);
    std::optional<QByteArray> file;
    if (!WithEnoughMemory(*messageBox, "export " + path, [&] { file = SpriteSheetFile(Sprites.All(), PixelColors, path); })) return;
    if (!file) {
        messageBox->Show(QString("Cannot write %1: not a picture format this program writes").arg(path), "Error",
                         MessageIcon::Error);
        return;
    }
    SaveFile(QFile::encodeName(path), "export", [&](const ByteSink& sink) {
        return sink(std::span(reinterpret_cast<const uint8_t*>(file->constData()), size_t(file->size())));
    });
}

// The picture's 16 x 16 blocks appended as sprites, in one step.
void Form1::Form1_importsheet_Click() {
    const QString path = AskOpenFile(PictureFilter().toLatin1().constData(), "Import image as sprites");
    if (path.isEmpty()) return;
    WithEnoughMemory(*messageBox, "import " + path, [&] {
        const auto file = ReadWholeFile(QFile::encodeName(path), *messageBox);
        if (!file) return;
        const SheetImport sheet =
            SpritesOfPicture(QByteArray::fromRawData(reinterpret_cast<const char*>(file->data()), qsizetype(file->size())), path);
        if (!sheet.refusal.isEmpty()) {
            messageBox->Show(sheet.refusal, "Error", MessageIcon::Error);
            return;
        }
        AppendSprites(*this, sheet.sprites);
    });
    LayOutSpriteListScrollBar();
}
