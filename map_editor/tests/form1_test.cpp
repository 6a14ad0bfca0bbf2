// The window driven as a user drives it: real mouse events on the canvas and
// the picker, buttons and menu items triggered, the file dialog scripted, and
// what the picture boxes show read back pixel by pixel.
#include "form1.h"
#include "form2.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "image_conversion.h"
#include "picture_box.h"
#include "test_pictures.h"
#include "test_window.h"
#include "tile_set.h"

using namespace tilora;

namespace {

void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}
void Press(QWidget* widget, QPoint at, Qt::MouseButton button) {
    Send(widget, QEvent::MouseButtonPress, at, button, button);
}
void Move(QWidget* widget, QPoint at, Qt::MouseButtons held) {
    Send(widget, QEvent::MouseMove, at, Qt::NoButton, held);
}

Rgb PixelOf(const QImage& image, int x, int y) {
    const QRgb pixel = image.pixel(x, y);
    return MakeRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

class Form1Test : public WindowTest {
protected:
    void ChooseZoom(int index) { form->Option1->button(index)->click(); }
    // Every viewport pixel the canvas covers against drawing every cell whole,
    // after a redraw tick unless the canvas is to show the map without one.
    void ExpectViewportShowsTheMap(bool tick = true) {
        if (tick) form->Form1_Timer1_Timer();
        const QImage shown = form->Picture1->grab().toImage();
        const QRect canvas = form->Picture2->geometry().intersected(form->Picture1->rect());
        ASSERT_FALSE(canvas.isEmpty());
        for (int y = canvas.top(); y <= canvas.bottom(); ++y) {
            for (int x = canvas.left(); x <= canvas.right(); ++x) {
                ASSERT_EQ(PixelOf(shown, x, y),
                          ExpectedCanvasPixel(*form, *form, *form, x - form->Picture2->x(), y - form->Picture2->y()))
                    << "viewport pixel " << x << "," << y;
            }
        }
    }
};

TEST_F(Form1Test, StartsWithEveryControlInPlaceAndNoMap) {
    QWidget* client = form->centralWidget();
    EXPECT_EQ(client->size(), QSize(553, 352));
    ExpectPlaced({
        {form->Picture1, client, {8, 8, 361, 316}, ""},
        {form->Picture2, form->Picture1, {5, 5, 351, 306}, ""},
        {form->HScroll1, client, {8, 328, 361, 17}, ""},
        {form->VScroll1, client, {376, 8, 17, 321}, ""},
        {form->Frame1, client, {400, 8, 145, 337}, "Tile set"},
        {form->Label1, form->Frame1, {8, 16, 49, 17}, "Selected:"},
        {form->Label2, form->Frame1, {56, 16, 25, 17}, "0"},
        {form->Picture4, form->Frame1, {80, 18, 8, 8}, ""},
        {form->Picture3, form->Frame1, {8, 32, 128, 128}, ""},
        {form->Command1, form->Frame1, {8, 168, 129, 25}, "Load tiles"},
        {form->Option1->button(8), form->Frame1, {8, 200, 113, 20}, "Zoom 1x"},
        {form->Option1->button(16), form->Frame1, {8, 216, 113, 20}, "Zoom 2x"},
        {form->Option1->button(32), form->Frame1, {8, 232, 113, 20}, "Zoom 4x"},
        {form->Frame2, form->Frame1, {8, 256, 129, 65}, ""},
        {form->Option2, form->Frame2, {8, 8, 113, 17}, "8x8 mode"},
        {form->Option3, form->Frame2, {8, 24, 97, 17}, "16x16 mode"},
        {form->Command2, form->Frame2, {8, 48, 57, 17}, "Command2"},
    });
    EXPECT_FALSE(form->Command1->isEnabled());
    EXPECT_EQ(form->Option1->checkedId(), -1);
    EXPECT_TRUE(form->Option2->isChecked());
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(form->Timer1->interval(), 50);
    EXPECT_EQ(form->Zoom, 0);
    EXPECT_EQ(form->windowTitle(), "Tilora map editor 0.9");
    EXPECT_EQ(PixelOf(form->Picture1->grab().toImage(), 100, 100), kGrey);  // the empty canvas

    const QList<QAction*> menus = form->menuBar()->actions();
    ASSERT_EQ(menus.size(), 5);
    EXPECT_EQ(menus[0]->text(), "File");
    EXPECT_EQ(menus[1]->text(), "Edit");
    EXPECT_EQ(menus[2]->text(), "Image");
    EXPECT_EQ(menus[3]->text(), "Map");
    EXPECT_EQ(menus[4]->text(), "View");
    QStringList items;
    for (const QAction* item : menus[0]->menu()->actions()) {
        items << item->objectName() + "=" + (item->isSeparator() ? "-" : item->text());
    }
    EXPECT_EQ(items, QStringList({"new=New", "sapcer123=-", "tlpload=Load *.tlp file", "tlpsave=Save *.tlp file",
                                  "foo=-", "Load=Import map", "LoadSpecial=Import map (with screen repeat)",
                                  "save=Export map", "SaveSpecial=Export map (repeat 1 screen width at end of map)",
                                  "foobar=-", "end=End"}));
}

TEST_F(Form1Test, NewMakesAnEmptyMapAtZoom1xAndAsksForTiles) {
    ChooseZoom(32);  // before any map: only the zoom and an empty canvas
    EXPECT_EQ(form->Zoom, 32);
    EXPECT_EQ(form->Picture2->size(), QSize(0, 0));
    form->findChild<QAction*>("new")->trigger();
    EXPECT_TRUE(dialog->calls.isEmpty());  // only the New-map dialog so far
    EXPECT_EQ(form->MapWidth(), 0);
    form->form2->Command2->click();  // Ok; the tile dialog is cancelled
    EXPECT_EQ(dialog->calls, QStringList{kTileDialog});
    EXPECT_EQ(form->TileFile, "");
    EXPECT_EQ(std::pair(form->MapWidth(), form->MapHeight()), std::pair(12, 8));
    EXPECT_EQ(form->MapTiles.Bytes(), std::vector<uint8_t>(96, 0));
    EXPECT_EQ(form->Option1->checkedId(), 8);
    EXPECT_EQ(form->Zoom, 8);
    EXPECT_EQ(form->Picture2->geometry(), QRect(5, 5, 96, 64));
    EXPECT_FALSE(form->HScroll1->isEnabled() || form->VScroll1->isEnabled());
    EXPECT_TRUE(form->Timer1->isActive() && form->Command1->isEnabled());

    for (const auto& [width, height] : {std::pair{0, 8}, {8, 0}, {-5, 3}}) form->Restart(width, height);
    EXPECT_EQ(dialog->calls.size(), 1);  // sizes below 1 change nothing
    EXPECT_EQ(std::pair(form->MapWidth(), form->MapHeight()), std::pair(12, 8));
    EXPECT_EQ(form->Picture2->size(), QSize(96, 64));

    messages->choices = {MessageBox::Choice::Discard};
    form->findChild<QAction*>("end")->trigger();  // a new map is no saved one: asked
    EXPECT_EQ(messages->asked.size(), 1);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Form1Test, LoadedTilesShowInThePickerAndPreviewAndAClickSelectsOne) {
    const struct {
        int width, height;
        const char* file;
        int lastCol, lastRow, tile, hover;
    } cases[] = {{64, 32, "a.bmp", 7, 3, 8, 9}, {100, 20, "b.png", 11, 1, 23, 22}, {128, 64, "c.bmp", 15, 7, 127, 0}};
    for (const auto& c : cases) {
        const RgbImage bitmap = PatternBitmap(c.width, c.height);
        const QString path = SaveTiles(bitmap, c.file);
        NewMap(4, 4, path);
        EXPECT_EQ(dialog->calls.back(), kTileDialog);
        EXPECT_EQ(form->TileFile, QFile::encodeName(path).toStdString());
        EXPECT_EQ(std::pair(form->TileLastCol, form->TileLastRow), std::pair(c.lastCol, c.lastRow)) << c.file;
        Press(form->Picture3, {SheetX(c.tile) + 7, SheetY(c.tile) + 7}, Qt::RightButton);
        Move(form->Picture3, {SheetX(c.hover), SheetY(c.hover)}, Qt::NoButton);
        EXPECT_EQ(form->SelTile, c.tile);
        EXPECT_EQ(form->HoverTile, c.hover);
        EXPECT_EQ(form->Label2->text(), QString::number(c.tile));
        form->Form1_Timer1_Timer();
        const QImage picker = form->Picture3->grab().toImage(), preview = form->Picture4->grab().toImage();
        for (int i = 0; i < 64; ++i) {
            const int x = i % 8, y = i / 8;
            const Rgb tile = BitmapTilePixel(bitmap, c.lastCol + 1, c.tile, x, y);
            ASSERT_EQ(PixelOf(picker, SheetX(c.tile) + x, SheetY(c.tile) + y), tile) << c.file;
            ASSERT_EQ(PixelOf(preview, x, y), tile) << c.file;
            ASSERT_EQ(PixelOf(picker, SheetX(c.hover) + x, SheetY(c.hover) + y),
                      Inverted(BitmapTilePixel(bitmap, c.lastCol + 1, c.hover, x, y)));
        }
    }
    Move(form->Picture3, {300, -40}, Qt::LeftButton);  // a drag that left the picker
    EXPECT_EQ(form->HoverTile, 15);
    Move(form->Picture3, {-3, 900}, Qt::LeftButton);
    EXPECT_EQ(form->HoverTile, 240);
}

TEST_F(Form1Test, TileFileThatIsNoPictureIsRefusedWithAMessage) {
    const QString tiles = SaveTiles(PatternBitmap(64, 64), "tiles.bmp");
    NewMap(4, 4, tiles);
    const RgbImage sheet = form->dumm;
    QFile text(directory.filePath("notes.bmp"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("no picture here") > 0);
    text.close();
    for (const QString& name : {text.fileName(), QString()}) {  // the file, then a cancel
        dialog->answers.push_back(name);
        form->Command1->click();
    }
    NewMap(2, 2);  // cancelled too
    ASSERT_EQ(messages->shown.size(), 1);
    EXPECT_TRUE(messages->shown[0].startsWith("Error|") && messages->shown[0].contains("notes.bmp"));
    EXPECT_EQ(form->TileFile, QFile::encodeName(tiles).toStdString());
    EXPECT_EQ(form->dumm, sheet);
    EXPECT_EQ(form->TileLastCol, 7);
}

// Presses and drags with real mouse events, each step's map against the one
// before it; the canvas then shows the result.
TEST_F(Form1Test, MouseOnTheCanvasPaintsAndSetsColFlags) {
    NewMap(12, 8, SaveTiles(PatternBitmap(128, 128), "tiles.bmp"));
    Press(form->Picture3, {SheetX(5), SheetY(5)}, Qt::LeftButton);
    struct Change {
        int x, y, value;
    };
    const struct {
        int zoom;
        QAbstractButton* mode;
        QEvent::Type type;
        QPoint at;
        Qt::MouseButtons held;
        std::vector<Change> tiles, flags;  // the cells the step changes
    } steps[] = {
        {16, form->Option2, QEvent::MouseButtonPress, {35, 17}, Qt::LeftButton, {{2, 1, 5}}, {}},
        {32, form->Option3, QEvent::MouseButtonPress, {370, 100}, Qt::LeftButton, {{11, 3, 5}, {11, 4, 21}}, {}},
        {8, form->Option3, QEvent::MouseButtonPress, {24, 32}, Qt::LeftButton,
         {{3, 4, 5}, {4, 4, 6}, {3, 5, 21}, {4, 5, 22}}, {}},
        // A fast drag paints every cell on the line from the last position.
        {8, form->Option3, QEvent::MouseMove, {4000, 40}, Qt::LeftButton,
         {{4, 4, 5}, {5, 4, 5}, {6, 4, 5}, {7, 4, 5}, {8, 5, 5}, {9, 5, 5}, {10, 5, 5}, {11, 5, 5}}, {}},
        {8, form->Option3, QEvent::MouseButtonPress, {40, 40}, Qt::RightButton, {}, {{5, 5, 1}}},
        {8, form->Option3, QEvent::MouseMove, {45, 44}, Qt::RightButton, {}, {}},  // the pressed cell: once
        {8, form->Option3, QEvent::MouseMove, {46, 46}, Qt::RightButton, {}, {}},
        {8, form->Option3, QEvent::MouseMove, {50, 40}, Qt::RightButton, {}, {{6, 5, 1}}},
        {8, form->Option3, QEvent::MouseMove, {-100, -9}, Qt::RightButton, {},
         {{5, 4, 1}, {4, 3, 1}, {3, 3, 1}, {2, 2, 1}, {1, 1, 1}, {0, 0, 1}}},
        {8, form->Option3, QEvent::MouseMove, {50, 40}, Qt::RightButton, {},
         {{1, 1, 0}, {2, 2, 0}, {3, 2, 1}, {4, 3, 0}, {5, 4, 0}, {6, 5, 0}}},
        {8, form->Option3, QEvent::MouseMove, {0, 0}, Qt::LeftButton | Qt::RightButton, {}, {}},
        {8, form->Option3, QEvent::MouseMove, {70, 0}, Qt::MiddleButton, {}, {}},
        {8, form->Option3, QEvent::MouseButtonPress, {1, 1}, Qt::MiddleButton, {}, {{0, 0, 0}}},
    };
    for (const auto& s : steps) {
        ChooseZoom(s.zoom);
        s.mode->click();
        CellArray tiles = form->MapTiles, flags = form->MapCol;
        for (const Change& c : s.tiles) tiles(c.x, c.y) = uint8_t(c.value);
        for (const Change& c : s.flags) flags(c.x, c.y) = uint8_t(c.value);
        const auto button = s.type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButton(int(s.held));
        Send(form->Picture2, s.type, s.at, button, s.held);
        EXPECT_EQ(form->MapTiles.Bytes(), tiles.Bytes()) << s.at.x() << "," << s.at.y();
        EXPECT_EQ(form->MapCol.Bytes(), flags.Bytes()) << s.at.x() << "," << s.at.y();
    }
    EXPECT_EQ(std::pair(form->CursorX, form->CursorY), std::pair(8, 0));
    ExpectViewportShowsTheMap();
    form->Command2->click();
    EXPECT_EQ(std::vector<uint8_t>(form->MapTiles.Bytes().begin(), form->MapTiles.Bytes().begin() + 4),
              (std::vector<uint8_t>{0, 1, 0, 1}));
}

TEST_F(Form1Test, ScrollBarsFollowTheCanvasAndMoveItOverTheWholeMap) {
    NewMap(40, 30, SaveTiles(PatternBitmap(128, 128), "tiles.bmp"));
    form->MapTiles = RandomMap(40, 30, 8, 3).MapTiles;
    ChooseZoom(32);
    form->Form1_Timer1_Timer();
    form->HScroll1->setValue(700);
    form->VScroll1->setValue(500);
    ExpectViewportShowsTheMap(false);  // drawn as the canvas moved, before a tick

    const struct {
        int width, height, zoom;
        std::optional<int> hMax, vMax;
        QPoint canvas;  // at the maxima
    } cases[] = {{50, 10, 8, 54, {}, {-49, 5}},          {125, 1, 8, 654, {}, {-649, 5}},
                 {12, 16, 32, 38, 211, {-33, -206}},      {32767, 2, 32, 1048198, {}, {-1048193, 5}},
                 {2, 32767, 32, {}, 1048243, {5, -1048238}}};
    for (const auto& c : cases) {
        form->HScroll1->setValue(0);
        form->VScroll1->setValue(0);
        NewMap(c.width, c.height);
        ChooseZoom(c.zoom);
        for (const auto& [bar, maximum] : {std::pair{form->HScroll1, c.hMax}, {form->VScroll1, c.vMax}}) {
            EXPECT_EQ(bar->isEnabled(), maximum.has_value()) << c.width << " x " << c.height;
            if (maximum) bar->setValue(*maximum);
            EXPECT_EQ(bar->maximum(), maximum.value_or(bar->maximum()));
        }
        EXPECT_EQ(form->Picture2->pos(), c.canvas);
        form->CursorX = c.width - 1;  // the far corner, in view
        form->CursorY = c.height - 1;
        ExpectViewportShowsTheMap();
    }
    // A canvas that fits disables its bar, which keeps its maximum but goes back
    // to 0, so that the map is in view (a disabled bar could not bring it back).
    form->VScroll1->setValue(0);
    NewMap(12, 8);
    ChooseZoom(32);
    form->HScroll1->setValue(38);
    form->VScroll1->setValue(200);
    ChooseZoom(8);
    EXPECT_FALSE(form->HScroll1->isEnabled());
    EXPECT_FALSE(form->VScroll1->isEnabled());
    EXPECT_EQ(std::pair(form->HScroll1->maximum(), form->HScroll1->value()), std::pair(38, 0));
    EXPECT_EQ(form->VScroll1->value(), 0);
    EXPECT_EQ(form->Picture2->geometry(), QRect(5, 5, 96, 64));
    // The same after scrolling far into a large map and making a small one.
    NewMap(200, 200);
    form->HScroll1->setValue(1500);
    NewMap(12, 8);
    EXPECT_EQ(form->Picture2->pos(), QPoint(5, 5));
}

}  // namespace
