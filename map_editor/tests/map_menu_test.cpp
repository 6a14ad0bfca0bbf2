// The selection, the clipboard, the fill and replace commands, rows, columns
// and resizing, the screen grid and the status bar, driven by real keys and
// mouse events on the shown window, and what the canvas shows read back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "map_view.h"
#include "resize_dialog.h"
#include "test_pictures.h"
#include "test_window.h"

using namespace tilora;

namespace {

class MapMenu : public ShownWindow {
protected:
    MapMenu() { NewMap(24, 16, SaveTiles(PatternBitmap(128, 128), "tiles.bmp")); }
    static QPoint Cell(int x, int y) { return {8 * x + 4, 8 * y + 4}; }
    // The tiles of a row of cells, as "a,b,c".
    std::string Row(int y, int from, int to) const {
        std::string row;
        for (int x = from; x <= to; ++x) {
            if (x > from) row += ',';
            row += std::to_string(form->MapTiles(x, y));
        }
        return row;
    }
    Rgb CanvasPixel(int x, int y) {
        form->Form1_Timer1_Timer();
        const QRgb pixel = form->Picture2->grab().toImage().pixel(x, y);
        return MakeRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
    }
};

TEST_F(MapMenu, SelectedCellsAreCopiedAndPastedWhereverClicked) {
    for (int i = 0; i < 4; ++i) form->MapTiles(1 + i % 2, 1 + i / 2) = uint8_t(5 + i);
    form->MapCol(2, 2) = 1;
    Key(Qt::Key_S);
    Drag(Cell(2, 2), Cell(1, 1), Qt::LeftButton);
    EXPECT_EQ(form->tools.selection, (CellRect{1, 1, 2, 2}));
    EXPECT_EQ(Row(1, 0, 3), "0,5,6,0");  // the drag selected and painted nothing
    EXPECT_EQ(CanvasPixel(8, 8), MakeRgb(255, 255, 255));  // the dashed frame's first dash
    EXPECT_EQ(CanvasPixel(8, 12), kBlack);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "5,6\n7,8\n");

    Hover(Cell(22, 14));
    Key(Qt::Key_V, Qt::ControlModifier);
    Click(Cell(22, 14), Qt::LeftButton);  // the right column and the lower row fall off the map
    Click(Cell(5, 5), Qt::LeftButton);
    EXPECT_EQ(Row(5, 5, 6) + " " + Row(6, 5, 6), "5,6 7,8");
    EXPECT_EQ(std::pair(form->MapTiles(22, 14), form->MapTiles(23, 15)), std::pair(uint8_t(5), uint8_t(8)));
    EXPECT_EQ(form->MapCol(6, 6), 1);
    Key(Qt::Key_Escape);
    Click(Cell(9, 9), Qt::LeftButton);  // selecting again, pasting no more
    EXPECT_EQ(form->MapTiles(9, 9), 0);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Row(5, 5, 6), "0,0");
    EXPECT_EQ(form->MapTiles(22, 14), 5);

    Drag(Cell(1, 1), Cell(1, 2), Qt::LeftButton);
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Row(1, 0, 3) + " " + Row(2, 0, 3), "0,0,6,0 0,0,8,0");
    EXPECT_EQ(QApplication::clipboard()->text(), "5\n7\n");
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Delete);
    EXPECT_EQ(form->MapTiles(22, 14), 0);
}

// Text of tile numbers from another program pastes; anything else is refused.
TEST_F(MapMenu, TheClipboardOfOtherProgramsPastesAsTilesOrIsRefused) {
    QApplication::clipboard()->setText("1, 2,\r\n3\r\n");
    Key(Qt::Key_V, Qt::ControlModifier);
    Click(Cell(0, 0), Qt::LeftButton);
    EXPECT_EQ(Row(0, 0, 2) + " " + Row(1, 0, 2), "1,2,0 3,0,0");
    Key(Qt::Key_Escape);
    for (const bool image : {false, true}) {
        messages->shown.clear();
        if (image) {
            QApplication::clipboard()->setImage(QImage(16, 16, QImage::Format_RGB32));
        } else {
            QApplication::clipboard()->setText("1,256");
        }
        Key(Qt::Key_V, Qt::ControlModifier);
        ASSERT_EQ(messages->shown.size(), 1);
        EXPECT_TRUE(messages->shown[0].startsWith("Error|The clipboard holds no map cells.")) << messages->shown[0].toStdString();
        EXPECT_FALSE(form->tools.pasting);
    }
}

TEST_F(MapMenu, FillReplaceAndTheScreenGrid) {
    form->SelTile = 9;
    form->MapTiles(4, 0) = 3;
    Key(Qt::Key_F);
    Click(Cell(3, 3), Qt::LeftButton);
    EXPECT_EQ(Row(0, 3, 5), "9,3,9");
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_S);
    Drag(Cell(2, 0), Cell(5, 1), Qt::LeftButton);
    Key(Qt::Key_F);
    Click(Cell(3, 0), Qt::LeftButton);  // the region inside the selection only
    EXPECT_EQ(Row(0, 1, 6) + " " + Row(2, 2, 2), "0,9,9,3,9,0 0");
    form->SelTile = 7;
    Hover(Cell(4, 0));
    Key(Qt::Key_R);
    EXPECT_EQ(form->MapTiles(4, 0), 7);

    const Rgb below = CanvasPixel(96, 60);
    Key(Qt::Key_G);
    const Rgb line = CanvasPixel(96, 60), across = CanvasPixel(60, 64);
    EXPECT_TRUE(line == MakeRgb(255, 0, 255) || line == MakeRgb(0, 255, 0));
    EXPECT_TRUE(across == MakeRgb(255, 0, 255) || across == MakeRgb(0, 255, 0));
    Key(Qt::Key_G);
    EXPECT_EQ(CanvasPixel(96, 60), below);
}

TEST_F(MapMenu, RowsColumnsAndSizeChangeAtTheCursorAndShowInTheStatusBar) {
    form->MapTiles(2, 3) = 4;
    Hover(Cell(2, 3));
    form->Form1_Timer1_Timer();
    EXPECT_EQ(form->StatusLabel->text(), "x 2, y 3   tile 4   col 0   zoom 1x");
    Key(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    Key(Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(std::pair(form->MapWidth(), form->MapHeight()), std::pair(25, 17));
    EXPECT_EQ(form->MapTiles(3, 4), 4);
    EXPECT_EQ(form->Picture2->size(), QSize(200, 136));
    Key(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->MapTiles(3, 3), 4);

    form->MapTiles(10, 12) = 6;
    Item("resize")->trigger();
    form->resizeDialog->Width->setText("30");
    form->resizeDialog->Height->setText("0");
    form->resizeDialog->Ok->click();
    EXPECT_EQ(messages->shown, QStringList{"Error|The height must be a number of tiles from 1 to 32767, not \"0\"."});
    form->resizeDialog->Height->setText("10");
    form->resizeDialog->Anchors[8]->click();  // the old map at the bottom right
    form->resizeDialog->Ok->click();
    EXPECT_EQ(std::pair(form->MapWidth(), form->MapHeight()), std::pair(30, 10));
    EXPECT_EQ(form->MapTiles(10 + 5, 12 - 6), 6);
    EXPECT_EQ(form->Picture2->size(), QSize(240, 80));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(std::pair(form->MapWidth(), form->MapHeight()), std::pair(25, 16));
}

}  // namespace
