// The "Image" menu through the window, its dialogs scripted: a picture cut
// into the map and a tile set written and loaded, as one undo step; refusals
// that change nothing; a picture matched against the tile set loaded.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "tile_set.h"
#include "test_window.h"

using namespace tilora;

namespace {

class ImageMenu : public WindowTest {
protected:
    // Cell k of the picture is drawn as picture number cells[k]; number 2 is
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
        form->findChild<QAction*>(item)->trigger();
    }
};

TEST_F(ImageMenu, APictureBecomesTheMapWithTheTileSetItWrites) {
    NewMap(5, 4);
    form->MapCol(1, 1) = 1;
    const QString picture = SavePicture("level.png", 3, {0, 1, 0, 2, 2, 1});
    Trigger("importpicture", {picture, Path("level-tiles.png")});
    EXPECT_EQ(dialog->calls, QStringList({"open|Import picture as map|" + PictureFilter() + "|",
                                          "save|Save tile set|" + kTileSetSaveFilter + "|" + Path("level-tiles.png")}));
    EXPECT_EQ(messages->shown, QStringList());
    EXPECT_EQ(form->MapTiles.Bytes(), (std::vector<uint8_t>{0, 1, 0, 2, 2, 1}));
    EXPECT_EQ(form->MapCol.Bytes(), std::vector<uint8_t>(6, 0));
    EXPECT_EQ(form->TileFile, QFile::encodeName(Path("level-tiles.png")).toStdString());
    EXPECT_EQ(std::pair(form->TileLastCol, form->TileLastRow), std::pair(15, 0));  // loaded: 128 x 8
    EXPECT_EQ(form->dumm.Pixel(SheetX(1) + 3, SheetY(1) + 5), MakeRgb(80, 90, 150));
    EXPECT_EQ(form->Picture2->size(), QSize(24, 16));
    form->Form1_undo_Click();
    EXPECT_EQ(std::pair(form->MapWidth(), form->MapCol(1, 1)), std::pair(5, uint8_t(1)));
}

// A cancelled save dialog, a refused picture and a tile set that cannot be
// written leave the map, the tile set and the folder as they were.
TEST_F(ImageMenu, NothingChangesUntilTheTileSetIsWritten) {
    NewMap(5, 4);
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
        {{picture, Path("folder.png")}, "Error|Cannot write " + Path("folder.png") + ": Is a directory"},
        {{Path("notes.txt")}, "Error|Cannot read this file as a picture:\n" + Path("notes.txt")},
    };
    for (const auto& c : cases) {
        Trigger("importpicture", c.answers);
        EXPECT_EQ(messages->shown.join(""), c.shown);
        messages->shown.clear();
        EXPECT_EQ(std::pair(form->MapWidth(), form->TileFile), std::pair(5, std::string()));
        EXPECT_EQ(QDir(directory.path()).entryList(), files);
    }
}

TEST_F(ImageMenu, APictureIsMatchedAgainstTheTileSetLoaded) {
    NewMap(5, 4);
    Trigger("importpicturetiles", {});
    EXPECT_EQ(messages->shown, QStringList{"Error|No tile set is loaded: \"Load tiles\" loads one."});
    EXPECT_EQ(dialog->calls, QStringList());
    Trigger("importpicture", {SavePicture("level.png", 3, {0, 1, 0, 2, 2, 1}), Path("level-tiles.png")});
    const QString other = SavePicture("other.png", 2, {1, 2, 2, 0});
    Trigger("importpicturetiles", {other});
    EXPECT_EQ(dialog->calls, QStringList{"open|Import picture using the current tile set|" + PictureFilter() + "|"});
    EXPECT_EQ(form->MapTiles.Bytes(), (std::vector<uint8_t>{1, 2, 2, 0}));
    messages->shown.clear();
    Trigger("importpicturetiles", {SavePicture("new.png", 2, {1, 3, 3, 3})});
    EXPECT_EQ(messages->shown, QStringList{"Error|3 cells of " + Path("new.png") +
                                           " match no tile of the tile set; the first is at 8, 0."});
    EXPECT_EQ(form->MapTiles.Bytes(), (std::vector<uint8_t>{1, 2, 2, 0}));
}

}  // namespace
