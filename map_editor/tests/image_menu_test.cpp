// The "Image" menu through the window, its dialogs scripted.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "test_window.h"
#include "tile_set.h"

using namespace tilora;

namespace {

class ImageMenu : public WindowTest {
protected:
    ImageMenu() { NewMap(5, 4); }
    // Cell k of the picture is drawn as number cells[k]; number 2 is
    // transparent.
    QString SavePicture(const QString& name, int columns, const std::vector<int>& cells) {
        QImage picture(8 * columns, 8 * int(cells.size()) / columns, QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const int n = cells[size_t(x / 8 + y / 8 * columns)];
                picture.setPixel(x, y, qRgba(n * 80, x % 8 * 30, y % 8 * 30, n == 2 ? 0 : 255));
            }
        }
        EXPECT_TRUE(picture.save(Path(name)));
        return Path(name);
    }
    void Trigger(const char* item, std::initializer_list<QString> answers) {
        dialog->answers = answers;
        dialog->calls.clear();
        messages->shown.clear();
        form->findChild<QAction*>(item)->trigger();
    }
};

// A cancelled save dialog and a tile set that cannot be written change
// nothing; then the picture is imported and matched, each one undo step.
TEST_F(ImageMenu, APictureBecomesTheMapWithItsTileSetAndIsMatchedAgainstIt) {
    form->MapCol(1, 1) = 1;
    Trigger("importpicturetiles", {});
    EXPECT_EQ(messages->shown, QStringList{"Error|No tile set is loaded: \"Load tiles\" loads one."});
    const QString picture = SavePicture("level.png", 3, {0, 1, 0, 2, 2, 1});
    QDir(directory.path()).mkdir("folder.png");
    for (const QString& tiles : {QString(), Path("folder.png")}) {
        Trigger("importpicture", {picture, tiles});
        EXPECT_EQ(std::pair(form->MapWidth(), form->TileFile), std::pair(5, std::string()));
    }
    EXPECT_EQ(messages->shown, QStringList{"Error|Cannot write " + Path("folder.png") + ": Is a directory"});
    EXPECT_EQ(QDir(directory.path()).entryList(QDir::Files), QStringList{"level.png"});

    Trigger("importpicture", {picture, Path("level-tiles.png")});
    EXPECT_EQ(dialog->calls, QStringList({"open|Import picture as map|" + PictureFilter() + "|",
                                          "save|Save tile set|" + kTileSetSaveFilter + "|" + Path("level-tiles.png")}));
    EXPECT_EQ(form->MapTiles.Bytes(), (std::vector<uint8_t>{0, 1, 0, 2, 2, 1}));
    EXPECT_EQ(form->MapCol.Bytes(), std::vector<uint8_t>(6, 0));
    EXPECT_EQ(form->TileFile, QFile::encodeName(Path("level-tiles.png")).toStdString());
    EXPECT_EQ(form->dumm.Pixel(SheetX(1) + 3, SheetY(1) + 5), MakeRgb(80, 90, 150));  // loaded
    EXPECT_EQ(form->Picture2->size(), QSize(24, 16));

    Trigger("importpicturetiles", {SavePicture("other.png", 2, {1, 2, 2, 0})});
    EXPECT_EQ(dialog->calls, QStringList{"open|Import picture using the current tile set|" + PictureFilter() + "|"});
    EXPECT_EQ(form->MapTiles.Bytes(), (std::vector<uint8_t>{1, 2, 2, 0}));
    Trigger("importpicturetiles", {SavePicture("new.png", 2, {1, 3, 3, 3})});
    EXPECT_EQ(messages->shown, QStringList{"Error|3 cells of " + Path("new.png") +
                                           " match no tile of the tile set; the first is at 8, 0."});
    EXPECT_EQ(form->MapTiles.Bytes(), (std::vector<uint8_t>{1, 2, 2, 0}));
    form->Form1_undo_Click();
    EXPECT_EQ(form->MapTiles.Bytes(), (std::vector<uint8_t>{0, 1, 0, 2, 2, 1}));
    form->Form1_undo_Click();
    EXPECT_EQ(std::pair(form->MapWidth(), form->MapCol(1, 1)), std::pair(5, uint8_t(1)));
}

}  // namespace
