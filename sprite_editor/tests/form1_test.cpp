// The window driven as a user drives it: real mouse events on the real
// widgets, timer handlers called directly, pictures read back.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <set>

#include "views.h"
#include "window_test_support.h"

namespace {

constexpr Colour kLight = RGB(190, 220, 160), kMid = RGB(123, 142, 104), kDark = RGB(55, 64, 47);
constexpr Colour kMagenta = RGB(255, 0, 255), kMarker = RGB(0, 255, 0);

std::vector<int> CellsOf(const Sprite& sprite, uint8_t code) {
    std::vector<int> cells;
    for (int i = 0; i < 256; ++i)
        if (sprite.bytes[i] == code) cells.push_back(i);
    return cells;
}

int At(int x, int y) { return x + 16 * y; }

std::vector<bool> Ticked(TestWindow& w) {
    std::vector<bool> ticked;
    for (QCheckBox* box : w->Check) ticked.push_back(box->isChecked());
    return ticked;
}

void ClickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

void PressColourButton(TestWindow& w, int index, Qt::MouseButton button) {
    ColourButton* b = w->Command2[index];
    SendMouse(b, QEvent::MouseButtonPress, QPointF(5, 5), button, button);
    SendMouse(b, QEvent::MouseButtonRelease, QPointF(5, 5), button, Qt::NoButton);
}

TEST(Window, StartUp) {
    TestWindow w;
    EXPECT_EQ(w->windowTitle(), "Pixolin sprite editor 1.05");
    EXPECT_EQ(w->centralWidget()->size(), QSize(455, 383));
    ASSERT_EQ(w->Sprites.size(), 1u);
    EXPECT_EQ(CellsOf(w->Sprites[0], CodeLight).size(), 256u);
    EXPECT_EQ(w->SpriteLast(), 0);
    EXPECT_EQ(w->CurSprite, 0);
    EXPECT_EQ(w->Sprites.SpriteDeleted(), std::vector<bool>{false});
    EXPECT_EQ(w->PrimaryColor, CodeDark);
    EXPECT_EQ(w->SecondaryColor, CodeLight);
    EXPECT_EQ(w->c->Picture().Pixel(8, 8), kDark);
    EXPECT_EQ(w->c2->Picture().Pixel(8, 8), kLight);
    EXPECT_EQ(w->Command2[3]->BackColor(), kMagenta);
    EXPECT_EQ(w->Command2[3]->text(), "Mask (trans)");
    EXPECT_EQ(w->Command2[1]->BackColor(), kMid);
    EXPECT_EQ(Ticked(w), (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(w->BitValue, (std::array<uint32_t, 8>{1, 2, 4, 8, 16, 32, 64, 128}));
    EXPECT_EQ(w->Timer1->interval(), 50);
    EXPECT_EQ(w->SpriteTimer->interval(), 200);
    EXPECT_TRUE(w->Command4->isEnabled() && w->Command5->isEnabled());  // until the first list tick
}

TEST(Window, TimersRunFromTheStart) {
    Form1 form(std::make_unique<ScriptedFileDialog>(), std::make_unique<RecordingMessageBox>());
    EXPECT_TRUE(form.Timer1->isActive());
    EXPECT_TRUE(form.SpriteTimer->isActive());
}

TEST(Window, LayoutAndCaptions) {
    TestWindow w;
    struct Place {
        QWidget* widget;
        QRect geometry;
    };
    for (const Place& p : {Place{w->Frame3, {8, 0, 289, 377}}, Place{w->Frame2, {304, 0, 145, 377}},
                           Place{w->Frame1, {8, 16, 145, 89}}, Place{w->Check[3], {224, 24, 57, 17}},
                           Place{w->Command2[0], {192, 80, 25, 25}}, Place{w->Command2[3], {224, 48, 57, 25}},
                           Place{w->c, {160, 80, 17, 17}}, Place{w->c2, {168, 88, 17, 17}},
                           Place{w->Picture2, {8, 16, 64, 64}}, Place{w->Picture5, {120, 56, 16, 16}},
                           Place{w->pxl, {8, 16, 116, 241}}, Place{w->VScroll1, {125, 16, 16, 241}},
                           Place{w->Command3, {8, 280, 129, 17}}, Place{w->Label1, {8, 344, 129, 25}}}) {
        EXPECT_EQ(p.widget->geometry(), p.geometry) << p.widget->metaObject()->className();
    }
    EXPECT_EQ(w->Picture1->contentsRect().size(), QSize(256, 256));
    EXPECT_EQ(w->Picture1->pos(), QPoint(16, 112));
    EXPECT_EQ(w->pxl->InnerWidth(), 112);
    EXPECT_EQ(w->Command3->text(), "Import && Add sprite");
    EXPECT_EQ(w->Label1->text(), "Note: Sprites are deleted when a pxl file is exported.");

    const QList<QAction*> items = w->menuBar()->actions().front()->menu()->actions();
    QStringList captions;
    for (QAction* a : items) captions << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(w->menuBar()->actions().front()->text(), "File");
    EXPECT_EQ(captions, (QStringList{"Load Pixolin .pxl sprite library", "Save as Pixolin .pxl sprite library", "-",
                                     "Import Pixolin .pxs file", "Export as Pixolin .pxs file", "-",
                                     "Import raw (1 Bit w/ Mask)", "Export raw (1 Bit w/ Mask)",
                                     "Export all as raw (1 Bit w/ Mask)", "-", "Export raw (2 Bit w/ Mask)",
                                     "Export all as raw (2 Bit w/ Mask)", "-", "End"}));
}

TEST(Window, EndClosesTheWindow) {
    TestWindow w;
    w->show();
    QAction* end = w->menuBar()->actions().front()->menu()->actions().back();
    end->trigger();
    EXPECT_FALSE(w->isVisible());
}

TEST(ColourButtons, LeftChoosesPrimaryRightSecondary) {
    TestWindow w;
    PressColourButton(w, 3, Qt::LeftButton);
    EXPECT_EQ(w->PrimaryColor, CodeMask);
    EXPECT_EQ(w->c->Picture().Pixel(0, 0), kMagenta);
    PressColourButton(w, 1, Qt::RightButton);
    EXPECT_EQ(w->SecondaryColor, CodeMid);
    EXPECT_EQ(w->PrimaryColor, CodeMask);
    EXPECT_EQ(w->c2->Picture().Pixel(16, 16), kMid);
    PressColourButton(w, 0, Qt::MiddleButton);  // any button but the right one
    EXPECT_EQ(w->PrimaryColor, CodeLight);
}

TEST(Pen, DragsPaintWithTheButtonsColour) {
    TestWindow w;
    Drag(w->Picture1, Qt::LeftButton, {CellCentre(1, 1), CellCentre(2, 1), CellCentre(3, 1)});
    EXPECT_EQ(CellsOf(w->Sprites[0], CodeDark), (std::vector<int>{At(1, 1), At(2, 1), At(3, 1)}));
    PressColourButton(w, 1, Qt::RightButton);
    Drag(w->Picture1, Qt::RightButton, {CellCentre(2, 1), CellCentre(2, 2)});
    EXPECT_EQ(CellsOf(w->Sprites[0], CodeMid), (std::vector<int>{At(2, 1), At(2, 2)}));
    // The left press paints; moves with both buttons held paint nothing.
    Drag(w->Picture1, Qt::LeftButton | Qt::RightButton, {CellCentre(9, 9), CellCentre(10, 9)});
    EXPECT_EQ(w->Sprites[0].Pixels(9, 9), CodeDark);
    EXPECT_EQ(w->Sprites[0].Pixels(10, 9), CodeLight);
}

// Positions past the edge count as the edge cell; the jump back from (15, 3)
// to (6, 0) paints the line between them.
TEST(Pen, DragPastTheEdgePaintsTheEdgeCellsAndTheWayBack) {
    TestWindow w;
    Drag(w->Picture1, Qt::LeftButton, {CellCentre(14, 3), QPointF(300, 56), QPointF(600, 56), QPointF(100, -40)});
    EXPECT_EQ(CellsOf(w->Sprites[0], CodeDark),
              (std::vector<int>{At(6, 0), At(7, 0), At(8, 1), At(9, 1), At(10, 1), At(11, 2), At(12, 2), At(13, 2),
                                At(14, 3), At(15, 3)}));
}

TEST(Line, TwoPressesDrawInPrimaryColourWhateverTheButton) {
    TestWindow w;
    ClickBox(w->Check[1]);
    EXPECT_EQ(Ticked(w), (std::vector<bool>{false, true, false, false}));
    Press(w->Picture1, Qt::RightButton, CellCentre(0, 0));
    EXPECT_EQ(w->PendingPoints, 1);
    EXPECT_EQ(w->Sprites[0].Pixels(0, 0), CodeMarker);
    w->Form1_Timer1_Timer();
    EXPECT_EQ(w->Picture1->Picture().Pixel(5, 5), kMarker);
    Press(w->Picture1, Qt::LeftButton, CellCentre(4, 2));
    EXPECT_EQ(w->PendingPoints, 0);
    EXPECT_EQ(CellsOf(w->Sprites[0], CodeDark), (std::vector<int>{At(0, 0), At(1, 1), At(2, 1), At(3, 2), At(4, 2)}));
    EXPECT_TRUE(CellsOf(w->Sprites[0], CodeMarker).empty());
}

TEST(Rect, CornersInAnyOrder) {
    TestWindow w;
    ClickBox(w->Check[2]);
    Press(w->Picture1, Qt::LeftButton, CellCentre(5, 7));
    Press(w->Picture1, Qt::LeftButton, CellCentre(2, 3));
    EXPECT_EQ(CellsOf(w->Sprites[0], CodeDark).size(), 20u);
    EXPECT_EQ(w->Sprites[0].Pixels(2, 3), CodeDark);
    EXPECT_EQ(w->Sprites[0].Pixels(5, 7), CodeDark);
}

TEST(Floodfill, LeftFillsWithPrimaryRightWithSecondary) {
    TestWindow w;
    ClickBox(w->Check[3]);
    w->Sprites[0].Pixels(0, 3) = CodeDark;
    w->Sprites[0].Pixels(1, 2) = CodeDark;
    w->Sprites[0].Pixels(2, 1) = CodeDark;
    w->Sprites[0].Pixels(3, 0) = CodeDark;
    PressColourButton(w, 3, Qt::RightButton);
    Press(w->Picture1, Qt::RightButton, CellCentre(0, 0));
    EXPECT_EQ(CellsOf(w->Sprites[0], CodeMask).size(), 6u);
    Press(w->Picture1, Qt::LeftButton, CellCentre(15, 15));
    EXPECT_EQ(CellsOf(w->Sprites[0], CodeDark).size(), 256u - 6);
    Press(w->Picture1, Qt::MiddleButton, CellCentre(0, 0));
    EXPECT_EQ(CellsOf(w->Sprites[0], CodeMask).size(), 6u);
}

TEST(ToolBoxes, TickingOneUnticksTheOthersAndClickingTheTickedOneUnticksIt) {
    TestWindow w;
    ClickBox(w->Check[3]);
    EXPECT_EQ(Ticked(w), (std::vector<bool>{false, false, false, true}));
    ClickBox(w->Check[2]);
    EXPECT_EQ(Ticked(w), (std::vector<bool>{false, false, true, false}));
    ClickBox(w->Check[2]);
    EXPECT_EQ(Ticked(w), (std::vector<bool>{false, false, false, false}));
    const Sprite before = w->Sprites[0];
    Press(w->Picture1, Qt::LeftButton, CellCentre(3, 3));  // no tool: nothing
    EXPECT_EQ(w->Sprites[0], before);
}

TEST(ToolBoxes, NoOtherToolWhileAPointIsPending) {
    TestWindow w;
    ClickBox(w->Check[1]);
    Press(w->Picture1, Qt::LeftButton, CellCentre(2, 2));
    for (int other : {0, 2, 3}) {
        ClickBox(w->Check[other]);
        EXPECT_EQ(Ticked(w), (std::vector<bool>{false, true, false, false})) << other;
    }
    EXPECT_EQ(w->PendingPoints, 1);
    Press(w->Picture1, Qt::LeftButton, CellCentre(2, 6));
    EXPECT_EQ(CellsOf(w->Sprites[0], CodeDark).size(), 5u);
    ClickBox(w->Check[0]);  // no longer pending: any tool again
    EXPECT_EQ(Ticked(w), (std::vector<bool>{true, false, false, false}));
}

// Unticking the shape's own tool abandons the shape and puts back the code the
// marker replaced, so the tool boxes can never be locked.
TEST(ToolBoxes, UntickingTheActiveToolAbandonsThePendingShape) {
    TestWindow w;
    w->Sprites[0].Pixels(6, 6) = CodeMid;
    ClickBox(w->Check[2]);
    Press(w->Picture1, Qt::LeftButton, CellCentre(6, 6));
    ASSERT_EQ(w->Sprites[0].Pixels(6, 6), CodeMarker);
    ClickBox(w->Check[2]);
    EXPECT_EQ(w->PendingPoints, 0);
    EXPECT_EQ(w->Sprites[0].Pixels(6, 6), CodeMid);
    EXPECT_EQ(Ticked(w), (std::vector<bool>{false, false, false, false}));
    ClickBox(w->Check[1]);
    EXPECT_EQ(Ticked(w), (std::vector<bool>{false, true, false, false}));
}

// A shape whose second point lands on another sprite leaves no marker behind.
TEST(ToolBoxes, ShapeFinishedOnAnotherSpriteRemovesTheMarker) {
    TestWindow w;
    w->Form1_Command1_Click();
    ClickBox(w->Check[1]);
    Press(w->Picture1, Qt::LeftButton, CellCentre(1, 1));
    w->CurSprite = 1;
    Press(w->Picture1, Qt::LeftButton, CellCentre(3, 1));
    EXPECT_EQ(CellsOf(w->Sprites[0], CodeLight).size(), 256u);
    EXPECT_EQ(CellsOf(w->Sprites[1], CodeDark), (std::vector<int>{At(1, 1), At(2, 1), At(3, 1)}));
}

TEST(Library, AddDeleteUndelete) {
    TestWindow w;
    w->Form1_Command1_Click();
    w->Form1_Command1_Click();
    w->Sprites[1].Pixels(0, 0) = CodeDark;
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_EQ(w->SpriteLast(), 3);
    EXPECT_EQ(w->CurSprite, 0);
    EXPECT_EQ(CellsOf(w->Sprites[3], CodeLight).size(), 256u);
    w->CurSprite = 1;
    const Sprite before = w->Sprites[1];
    QTest::mouseClick(w->Command4, Qt::LeftButton);
    EXPECT_EQ(w->Sprites.SpriteDeleted(), (std::vector<bool>{false, true, false, false}));
    w->Form1_SpriteTimer_Timer();
    EXPECT_FALSE(w->Command4->isEnabled());
    EXPECT_TRUE(w->Command5->isEnabled());
    QTest::mouseClick(w->Command5, Qt::LeftButton);
    EXPECT_EQ(w->Sprites.SpriteDeleted(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(w->Sprites[1], before);
    w->Form1_SpriteTimer_Timer();
    EXPECT_TRUE(w->Command4->isEnabled());
    EXPECT_FALSE(w->Command5->isEnabled());
}

TEST(Views, CanvasAndPreviewsShowTheCurrentSprite) {
    TestWindow w;
    w->Sprites[0].Pixels(2, 3) = CodeMask;
    w->Sprites[0].Pixels(15, 0) = CodeDark;
    w->Form1_Timer1_Timer();
    EXPECT_EQ(w->Picture1->Picture(), w->d);
    EXPECT_EQ(w->d.Pixel(2 * 16 + 3, 3 * 16 + 3), kMagenta);
    EXPECT_EQ(w->d.Pixel(16, 100), kGridColor);
    EXPECT_EQ(w->d.Pixel(0, 100), kLight);
    EXPECT_EQ(w->Picture4->Picture().Pixel(15, 0), kDark);
    EXPECT_EQ(w->Picture3->Picture().Pixel(31, 1), kDark);
    EXPECT_EQ(w->Picture3->Picture().Pixel(29, 1), kLight);
    EXPECT_EQ(w->Picture2->Picture().Pixel(60, 3), kDark);
    EXPECT_EQ(w->Picture2->Picture().Pixel(8, 12), kMagenta);
    EXPECT_EQ(w->Picture5->Picture().Pixel(2, 3), kPreviewBackground);
    EXPECT_EQ(w->Picture5->Picture().Pixel(15, 0), kDark);
}

// What the window shows is the picture, pixel for pixel.
TEST(Views, TheCanvasWidgetShowsThePicture) {
    TestWindow w;
    w->Sprites[0].Pixels(5, 5) = CodeDark;
    w->Form1_Timer1_Timer();
    const QImage shown = w->Picture1->grab(w->Picture1->contentsRect()).toImage();
    ASSERT_EQ(shown.size(), QSize(256, 256));
    for (int y = 0; y < 256; y += 3) {
        for (int x = 0; x < 256; x += 3) {
            const Colour c = w->d.Pixel(x, y);
            ASSERT_EQ(shown.pixel(x, y), qRgb(int(Red(c)), int(Green(c)), int(Blue(c)))) << x << "," << y;
        }
    }
}

// Pixels are replicated, never blended: whatever the screen's scale factor,
// every pixel shown has one of the picture's colours. (Also run with
// QT_SCALE_FACTOR=1.5.)
TEST(Views, PixelViewsAreNeverSmoothed) {
    TestWindow w;
    for (int i = 0; i < 256; i += 3) w->Sprites[0].bytes[i] = uint8_t(i % 4);
    w->Form1_Timer1_Timer();
    for (PictureBox* box : {w->Picture1, w->Picture2, w->Picture3}) {
        const QPixmap grabbed = box->grab(box->contentsRect());
        const QImage shown = grabbed.toImage();
        std::set<QRgb> allowed;
        for (Colour c : box->Picture().Pixels()) allowed.insert(qRgb(int(Red(c)), int(Green(c)), int(Blue(c))));
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                ASSERT_TRUE(allowed.count(shown.pixel(x, y) | 0xFF000000)) << x << "," << y << " at scale "
                                                                            << grabbed.devicePixelRatio();
    }
}

TEST(Views, ATransparentPixelClearsTheOverBackgroundPreview) {
    TestWindow w;
    w->Sprites[0].Pixels(7, 7) = CodeDark;
    w->Form1_Timer1_Timer();
    ASSERT_EQ(w->Picture5->Picture().Pixel(7, 7), kDark);
    w->Sprites[0].Pixels(7, 7) = CodeMask;
    w->Form1_Timer1_Timer();
    EXPECT_EQ(w->Picture5->Picture().Pixel(7, 7), kPreviewBackground);
}

TEST(SpriteList, ClicksSelectTheSpriteUnderThePointer) {
    TestWindow w;
    for (int i = 0; i < 7; ++i) w->Form1_Command1_Click();
    w->Form1_SpriteTimer_Timer();
    Press(w->pxl, Qt::LeftButton, QPointF(4, 20));
    EXPECT_EQ(w->CurSprite, 7);
    Press(w->pxl, Qt::RightButton, QPointF(40, 3));
    EXPECT_EQ(w->CurSprite, 2);
    Press(w->pxl, Qt::LeftButton, QPointF(40, 20));  // right of sprite 7: nothing there
    EXPECT_EQ(w->CurSprite, 2);
    Press(w->pxl, Qt::LeftButton, QPointF(40, 200));
    EXPECT_EQ(w->CurSprite, 2);
    w->Sprites.SetDeleted(2, true);
    w->Form1_SpriteTimer_Timer();
    EXPECT_EQ(w->pxl->Picture().Pixel(32 + 8, 8), kDimColors[0]);
    EXPECT_EQ(w->pxl->Picture().Pixel(32, 8), Complement(kDimColors[0]));
    EXPECT_TRUE(w->Command5->isEnabled());
}

TEST(SpriteList, ScrollingShowsAndSelectsLaterRows) {
    TestWindow w;
    for (int i = 0; i < 7 * 16; ++i) w->Form1_Command1_Click();
    w->Sprites[7].Pixels(8, 8) = CodeDark;
    w->VScroll1->setValue(1);
    w->Form1_SpriteTimer_Timer();
    EXPECT_EQ(w->pxl->Picture().Pixel(8, 8), kDark);
    Press(w->pxl, Qt::LeftButton, QPointF(3, 3));
    EXPECT_EQ(w->CurSprite, 7);
}

// The scroll bar reaches the last row of any library, and follows Add sprite.
TEST(SpriteList, ScrollBarReachesEveryRow) {
    TestWindow w;
    EXPECT_EQ(w->VScroll1->maximum(), 0);
    for (int i = 0; i < 7 * 14 - 1; ++i) w->Form1_Command1_Click();  // 14 full rows fit
    EXPECT_EQ(w->VScroll1->maximum(), 0);
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_EQ(w->VScroll1->maximum(), 1);
    while (w->SpriteLast() < 9999) w->Form1_Command1_Click();
    const int rows = (10000 + 6) / 7;
    EXPECT_EQ(w->VScroll1->maximum(), rows - 14);
    w->VScroll1->setValue(w->VScroll1->maximum());
    w->Form1_SpriteTimer_Timer();
    // The last sprite, 9999, is the fourth of the last row, at the bottom.
    Press(w->pxl, Qt::LeftButton, QPointF(3 * 16 + 3, 13 * 16 + 3));
    EXPECT_EQ(w->CurSprite, 9999);
    w->Form1_SpriteTimer_Timer();
    EXPECT_EQ(w->pxl->Picture().Pixel(3 * 16, 13 * 16), Complement(kLight));
}

}  // namespace
