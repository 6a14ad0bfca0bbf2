// The "Image" menu: a picture drawn elsewhere becomes the map, with a tile
// set of its own or in the tiles of the tile set loaded.
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QMenuBar>

#include "file_access.h"
#include "file_filter.h"
#include "form1.h"
#include "picture_map.h"
#include "sheet_image.h"

namespace {

// Shows why a picture makes no map; true when it was refused.
bool Refused(const tilora::PictureMap& map, MessageBox& messageBox) {
    if (!map.refusal.empty()) {
        messageBox.Show(QString::fromStdString(map.refusal), QStringLiteral("Error"), MessageIcon::Error);
    }
    return !map.refusal.empty();
}

// "<picture name>-tiles.png" in the picture's folder.
QString TileSetBeside(const QByteArray& picturePath) {
    const QFileInfo picture(QFile::decodeName(picturePath));
    return picture.absolutePath() + u'/' + picture.completeBaseName() + QStringLiteral("-tiles.png");
}

}  // namespace

void Form1::CreateImageMenu() {
    QMenu* image = menuBar()->addMenu(QStringLiteral("Image"));
    image->setObjectName(QStringLiteral("image"));
    QAction* importPicture = image->addAction(QStringLiteral("Import picture as map..."));
    importPicture->setObjectName(QStringLiteral("importpicture"));
    connect(importPicture, &QAction::triggered, this, &Form1::Form1_importpicture_Click);
    // There is a tile set to match only once there is a map.
    AddMapAction(image, "importpicturetiles", QStringLiteral("Import picture using the current tile set..."), {},
                 &Form1::Form1_importpicturetiles_Click);
}

// Nothing changes until the tile set is written whole: a refused picture, a
// cancelled save dialog or a failed write keep the map and the tile set.
void Form1::Form1_importpicture_Click() {
    const QByteArray path =
        AskFileName(FileDialogKind::Open, QStringLiteral("Import picture as map"), PictureFilter());
    if (path.isEmpty()) return;
    WithEnoughMemory(*messageBox, QStringLiteral("import ") + DisplayPath(path), [&] {
        const QImage picture = ReadPicture(path);
        if (picture.isNull()) return;
        const QImage pixels = ImportPixels(picture);
        tilora::PictureMap map = tilora::CutPicture(PixelsOf(pixels), DisplayPath(path).toStdString());
        if (Refused(map, *messageBox)) return;
        const QByteArray tilesPath = AskFileName(FileDialogKind::Save, QStringLiteral("Save tile set"),
                                                 kTileSetSaveFilter, TileSetBeside(path));
        if (tilesPath.isEmpty()) return;
        const QByteArray file = TileSetFile(PixelsOf(pixels), map.tileCells, tilesPath.toStdString());
        if (!WriteFiles({{tilesPath.toStdString(), ContentOf(file)}}, *messageBox)) return;
        TakePictureMap(std::move(map.tiles));
        projectFile_.clear();  // a new project, saved where the user says
        TileFile = tilora::AbsolutePath(tilesPath.toStdString());
        LoadTileSet();
    });
}

// The tile set is read again from its file, with its transparency, which
// the sheets do not keep.
void Form1::Form1_importpicturetiles_Click() {
    if (TileFile.empty()) {
        return messageBox->Show(QStringLiteral("No tile set is loaded: \"Load tiles\" loads one."),
                                QStringLiteral("Error"), MessageIcon::Error);
    }
    const QByteArray path = AskFileName(FileDialogKind::Open, QStringLiteral("Import picture using the current tile set"),
                                        PictureFilter());
    if (path.isEmpty()) return;
    WithEnoughMemory(*messageBox, QStringLiteral("import ") + DisplayPath(path), [&] {
        const QImage picture = ReadPicture(path);
        if (picture.isNull()) return;
        const QImage tileSet = ReadPicture(QByteArray::fromStdString(TileFile));
        if (tileSet.isNull()) return;
        tilora::PictureMap map = tilora::MatchPicture(PixelsOf(ImportPixels(picture)), PixelsOf(ImportPixels(tileSet)),
                                                      DisplayPath(path).toStdString());
        if (!Refused(map, *messageBox)) TakePictureMap(std::move(map.tiles));
    });
}

void Form1::TakePictureMap(tilora::CellArray tiles) {
    tilora::FinishStroke(*this, stroke, history);
    const int32_t width = tiles.Width(), height = tiles.Height();
    tilora::ReplaceMap(*this, history, std::move(tiles), tilora::CellArray(width, height));
    tilora::MapReplaced(tools);
    Setup();
    StartEditing();
}
