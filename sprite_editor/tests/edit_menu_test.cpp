// The Edit menu, the keys and the wheel, and the question before a changed
// library is closed: real key, mouse and wheel events on the shown window.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "sprite_editing.h"
#include "sprite_files.h"
#include "window_test_support.h"

namespace {

TEST_F(ShownWindow, EditMenuFollowsFileAndUndoesWithItsKeys) {
    const QList<QAction*> menus = w->menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[1]->text(), "Edit");
    EXPECT_EQ(menus[2]->text(), "Image");
    EXPECT_EQ(menus[3]->text(), "Sprite");
    QStringList items;
    for (QAction* item : menus[1]->menu()->actions()) items << item->text();
    EXPECT_EQ(items, (QStringList{"Undo", "Redo"}));
    EXPECT_FALSE(Item("undo")->isEnabled());
    EXPECT_FALSE(Item("redo")->isEnabled());

    Drag(w->Picture1, Qt::LeftButton, {CellCentre(1, 1), CellCentre(4, 1)});
    const Sprite drawn = w->Sprites[0];
    EXPECT_TRUE(Item("undo")->isEnabled());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w->Sprites[0], Sprite{});
    EXPECT_FALSE(Item("undo")->isEnabled());
    EXPECT_TRUE(Item("redo")->isEnabled());
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(w->Sprites[0], drawn);
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w->Sprites[0], drawn);
}

// B, L, U and G select their tools (a ticked one stays ticked), 1 to 4 act as
// left clicks on the colour buttons; X swaps the colours.
TEST_F(ShownWindow, KeysChooseToolsAndColours) {
    const struct {
        int key;
        std::vector<bool> ticked;
    } tools[] = {{Qt::Key_L, {false, true, false, false}},
                 {Qt::Key_U, {false, false, true, false}},
                 {Qt::Key_G, {false, false, false, true}},
                 {Qt::Key_G, {false, false, false, true}},
                 {Qt::Key_B, {true, false, false, false}}};
    for (const auto& tool : tools) {
        Key(tool.key);
        std::vector<bool> ticked;
        for (QCheckBox* box : w->Check) ticked.push_back(box->isChecked());
        EXPECT_EQ(ticked, tool.ticked) << QKeySequence(tool.key).toString().toStdString();
        EXPECT_EQ(w->ToolTicked, (std::array<bool, 4>{tool.ticked[0], tool.ticked[1], tool.ticked[2], tool.ticked[3]}));
    }
    for (int code = 0; code < 4; ++code) {
        Key(Qt::Key_1 + code);
        EXPECT_EQ(w->PrimaryColor, code);
        EXPECT_EQ(w->c->Picture().Pixel(4, 4), w->PixelColors[size_t(code)]);
    }
    Key(Qt::Key_X);
    EXPECT_EQ(w->PrimaryColor, CodeLight);
    EXPECT_EQ(w->SecondaryColor, CodeMask);
    EXPECT_EQ(w->c2->Picture().Pixel(4, 4), w->PixelColors[CodeMask]);
}

TEST_F(ShownWindow, WheelOverTheSpriteListScrollsItByRows) {
    for (int s = 0; s < 300; ++s) w->Form1_Command1_Click();
    const QPointF at = InWidget(w->pxl, QPointF(20, 20));
    const auto wheel = [&](int delta) {
        QWheelEvent event(at, w->pxl->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(w->pxl, &event);
    };
    wheel(-240);
    EXPECT_EQ(w->VScroll1->value(), 2);
    wheel(120);
    EXPECT_EQ(w->VScroll1->value(), 1);
}

// Escape takes back the first point of a line, whose tool stays ticked.
TEST_F(ShownWindow, EscapeAbandonsAPendingShape) {
    Key(Qt::Key_L);
    Press(w->Picture1, Qt::LeftButton, CellCentre(2, 3));
    Key(Qt::Key_Escape);
    EXPECT_EQ(w->Sprites[0], Sprite{});
    EXPECT_EQ(w->PendingPoints, 0);
    EXPECT_TRUE(w->Check[Line]->isChecked());
    EXPECT_FALSE(Item("undo")->isEnabled());
}

// Ctrl+S saves to the library file last loaded or saved, and asks only when
// there is none; "Save as" always asks.
TEST_F(ShownWindow, FileItemsHaveTheirKeys) {
    EXPECT_EQ(Item("loadpxl")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(Item("savepxl")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    EXPECT_EQ(Item("end")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    const QString first = dir.filePath("keys.pxl"), second = dir.filePath("other.pxl");
    w.files->answers = {first, second};
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(QFile(first).size(), 7 + 256);
    w->Form1_Command1_Click();
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(QFile(first).size(), 7 + 2 * 256);
    Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w.files->calls.size(), 2u);
    w->Form1_Command1_Click();
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(QFile(second).size(), 7 + 3 * 256);
    EXPECT_EQ(w.files->calls.size(), 2u);
    EXPECT_FALSE(LibraryModified(*w.form));
}

// Closing a changed library asks; Save runs the library's save, whose
// cancelled dialog keeps the window open.
TEST_F(ShownWindow, ClosingAChangedLibraryAsksFirst) {
    const QString path = dir.filePath("closing.pxl");
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
    for (const auto& c : cases) {
        w->show();
        w->Form1_Command1_Click();
        w.messages->asked.clear();
        w.messages->choices = {c.choice};
        w.files->answers = {c.fileName};
        Key(Qt::Key_Q, Qt::ControlModifier);
        ASSERT_EQ(w.messages->asked.size(), 1u) << c.name;
        EXPECT_EQ(w.messages->asked[0].text, "Save the sprite library before closing?");
        EXPECT_EQ(w.messages->asked[0].title, "Pixolin");
        EXPECT_EQ(!w->isVisible(), c.closed) << c.name;
    }
    EXPECT_EQ(QFile(path).size(), 7 + 256 * 4);
    w->show();  // saved: nothing to ask
    w.messages->asked.clear();
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w.messages->asked.empty());
    w->show();
    w->Form1_Command1_Click();
    w.messages->choices = {MessageBox::Choice::Discard};
    w->close();
    EXPECT_FALSE(w->isVisible());
}

}  // namespace
