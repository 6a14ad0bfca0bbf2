// The "Image" menu through the window, its dialogs scripted: a picture cut
// into the map and a tile set written and loaded, then matched against that
// tile set, each one undo step; refusals that change nothing.
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

TEST_F(ImageMenu, APictureBecomesTheMapWithItsTileSetAndIsMatchedAgainstIt) {
    form->MapCol(1, 1) = 1;
    Trigger("importpicturetiles", {});
    EXPECT_EQ(messages->shown, QStringList{"Error|No tile set is loaded: \"Load tiles\" loads one."});
    Trigger("importpicture", {SavePicture("level.png", 3, {0, 1, 0, 2, 2, 1}), Path("level-tiles.png")});
    EXPECT_EQ(dialog->calls, QStringList({"open|Import picture as map|" + PictureFilter() + "|",
                                          "save|Save tile set|" + kTileSetSaveFilter + "|" + Path("level-tiles.png")}));
    EXPECT_EQ(form->MapTiles.Bytes(), (std::vector<uint8_t>{0, 1, 0, 2, 2, 1}));
    EXPECT_EQ(form->MapCol.Bytes(), std::vector<uint8_t>(6, 0));
    EXPECT_EQ(form->TileFile, QFile::encodeName(Path("level-tiles.png")).toStdString());
    EXPECT_EQ(std::pair(form->TileLastCol, form->TileLastRow), std::pair(15, 0));  // loaded: 128 x 8
    EXPECT_EQ(form->dumm.Pixel(SheetX(1) + 3, SheetY(1) + 5), MakeRgb(80, 90, 150));
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

// A cancelled save dialog, a refused picture and a tile set that cannot be
// written leave the map, the tile set and the folder as they were.
TEST_F(ImageMenu, NothingChangesUntilTheTileSetIsWritten) {
    const QString picture = SavePicture("level.png", 3, {0, 1, 0, 2, 2, 1});
    QImage(12, 8, QImage::Format_RGB32).save(Path("odd.png"));
    SaveFile("notes.txt", {'n', 'o'});
    QDir(directory.path()).mkdir("folder.png");
    const QStringList files = QDir(directory.path()).entryList();
    const struct {
        std::initializer_list<QString> answers;
        QString shown;
    } cases[] = {
        {{picture}, ""},
        {{Path("odd.png")}, "Error|" + Path("odd.png") + " is 12 x 8 pixels: a map picture's sides are multiples of 8."},
        {{Path("notes.txt")}, "Error|Cannot read this file as a picture:\n" + Path("notes.txt")},
        {{picture, Path("folder.png")}, "Error|Cannot write " + Path("folder.png") + ": Is a directory"},
    };
    for (const auto& c : cases) {
        Trigger("importpicture", c.answers);
        EXPECT_EQ(messages->shown.join(""), c.shown);
        EXPECT_EQ(std::pair(form->MapWidth(), form->TileFile), std::pair(5, std::string()));
        EXPECT_EQ(QDir(directory.path()).entryList(), files);
    }
}

}  // namespace
