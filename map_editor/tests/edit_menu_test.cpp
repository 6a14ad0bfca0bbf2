// The Edit menu, the keys and the wheel, the question before a changed map is
// closed, and a tile set that follows its file: real key, mouse and wheel
// events on the shown window.
#include <gtest/gtest.h>
#include <utime.h>

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "file_filter.h"
#include "form2.h"
#include "picture_box.h"
#include "project_file.h"
#include "test_pictures.h"
#include "test_window.h"

using namespace tilora;

namespace {

TEST_F(ShownWindow, EditMenuUndoesWithItsKeys) {
    QStringList items;
    for (QAction* item : form->menuBar()->actions()[1]->menu()->actions()) items << item->text();
    EXPECT_EQ(items, (QStringList{"Undo", "Redo", "", "Cut", "Copy", "Paste", "Delete", "", "Select all"}));
    EXPECT_FALSE(Item("undo")->isEnabled());
    NewMap(12, 8);
    form->SelTile = 7;
    Click({20, 20}, Qt::LeftButton);
    EXPECT_EQ(form->MapTiles(2, 2), 7);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->MapTiles(2, 2), 0);
    EXPECT_TRUE(Item("redo")->isEnabled());
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(form->MapTiles(2, 2), 7);
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);  // the new map itself
    EXPECT_EQ(form->MapWidth(), 0);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->MapWidth(), 12);
    EXPECT_EQ(form->Picture2->size(), QSize(96, 64));
}

// Ctrl+S saves to the project file last loaded or saved, and asks only when
// there is none, as after "New"; "Save *.tlp file" always asks.
TEST_F(ShownWindow, FileItemsHaveTheirKeys) {
    EXPECT_EQ(Item("tlpload")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(Item("tlpsave")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    EXPECT_EQ(Item("end")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    const QString level = SaveFile("level.tlp", WriteProjectFile("", CellArray(3, 2), CellArray(3, 2)));
    const QString other = Path("other.tlp");
    dialog->answers = {level, "", other};
    Key(Qt::Key_O, Qt::ControlModifier);  // the tile dialog cancelled
    form->SelTile = 9;
    Click({4, 4}, Qt::LeftButton);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadProjectFile(Load(level))->tiles(0, 0), 9);
    Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dialog->calls.size(), 3);
    EXPECT_TRUE(form->history.IsClean());
    NewMap(12, 8);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialog->calls.size(), 5);  // the tile dialog of the new map, then the save dialog
    Key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(form->form2->isVisible());
    EXPECT_EQ(form->form2->windowTitle(), "New map");
}

// The wheel scrolls, with Shift across; Ctrl+wheel steps the zoom and keeps
// the cell under the pointer where it was.
TEST_F(ShownWindow, WheelScrollsAndZoomsAroundThePointer) {
    NewMap(100, 100);
    const int step = QApplication::wheelScrollLines() * 8;
    Wheel({100, 100}, {0, -2}, Qt::NoModifier);
    EXPECT_EQ(form->VScroll1->value(), 2 * step);
    Wheel({100, 100}, {0, -1}, Qt::ShiftModifier);
    EXPECT_EQ(form->HScroll1->value(), step);
    const QPoint pointer = form->Picture2->mapTo(form->Picture1, QPoint(205, 130));
    Wheel({205, 130}, {0, 1}, Qt::ControlModifier);
    EXPECT_EQ(form->Zoom, 16);
    EXPECT_EQ(form->Option1->checkedId(), 16);
    const QPoint under = form->Picture2->mapFrom(form->Picture1, pointer);
    EXPECT_EQ(std::pair(under.x() / 16, under.y() / 16), std::pair(205 / 8, 130 / 8));
    Wheel(under, {0, 1}, Qt::ControlModifier);
    Wheel(under, {0, 1}, Qt::ControlModifier);
    EXPECT_EQ(form->Zoom, 32);  // the largest
}

// Closing a changed map asks; Save runs the project's save, whose cancelled
// dialog keeps the window open.
TEST_F(ShownWindow, ClosingAChangedMapAsksFirst) {
    const QString path = Path("closing.tlp");
    const struct {
        const char* name;
        MessageBox::Choice choice;
        QString fileName;
        bool closed;
    } cases[] = {
        {"cancel", MessageBox::Choice::Cancel, "", false},
        {"save cancelled", MessageBox::Choice::Save, "", false},
        {"saved", MessageBox::Choice::Save, path, true},
    };
    NewMap(12, 8);
    for (const auto& c : cases) {
        form->show();
        messages->asked.clear();
        messages->choices = {c.choice};
        dialog->answers = {c.fileName};
        Key(Qt::Key_Q, Qt::ControlModifier);
        EXPECT_EQ(messages->asked, QStringList{"Tilora|Save the map before closing?"}) << c.name;
        EXPECT_EQ(!form->isVisible(), c.closed) << c.name;
    }
    EXPECT_EQ(Load(path).size(), 267u + 2 * 96);
    form->show();  // saved: nothing to ask
    messages->asked.clear();
    form->close();
    EXPECT_TRUE(messages->asked.isEmpty());
    EXPECT_FALSE(form->isVisible());
}

// A tile set saved again elsewhere shows at the next check, the map, the
// selected tile and the view kept; one that goes keeps the sheets.
TEST_F(ShownWindow, TileSetFollowsItsFile) {
    const QString tiles = SaveTiles(PatternBitmap(64, 32), "tiles.bmp");
    NewMap(12, 8, tiles);
    EXPECT_EQ(dialog->calls.back(), "open|Open Tilemap|" + TileSetFilter() + "|");
    form->SelTile = 3;
    form->Option1->button(16)->click();
    SaveTiles(RgbImage(64, 32, MakeRgb(1, 2, 3)), "tiles.bmp");
    const utimbuf later{2000000000, 2000000000};
    ::utime(QFile::encodeName(tiles).constData(), &later);
    form->Form1_TileTimer_Timer();
    EXPECT_EQ(form->dumm.Pixel(9, 1), MakeRgb(1, 2, 3));
    EXPECT_EQ(std::pair(int(form->SelTile), form->Zoom), std::pair(3, 16));
    QFile::remove(tiles);
    form->Form1_TileTimer_Timer();
    EXPECT_EQ(form->dumm.Pixel(9, 1), MakeRgb(1, 2, 3));
    EXPECT_TRUE(messages->shown.isEmpty());
}

// A project whose tile set is not where it says finds it beside itself.
TEST_F(ShownWindow, ProjectFindsItsTileSetBesideIt) {
    QDir(directory.path()).mkdir("moved");
    const QString tiles = SaveTiles(PatternBitmap(16, 8), "moved/tiles.bmp");
    for (const char* stored : {"/elsewhere/tiles.bmp", "C:\\maps\\tiles.bmp"}) {
        const QString project = SaveFile("moved/map.tlp", WriteProjectFile(stored, CellArray(3, 2), CellArray(3, 2)));
        dialog->calls.clear();
        dialog->answers = {project};
        form->findChild<QAction*>("tlpload")->trigger();
        EXPECT_EQ(dialog->calls.size(), 1) << stored;  // the tile set was not asked for
        EXPECT_EQ(form->TileFile, QFile::encodeName(tiles).toStdString());
        EXPECT_EQ(Load(project), WriteProjectFile(stored, CellArray(3, 2), CellArray(3, 2)));
    }
}

}  // namespace
