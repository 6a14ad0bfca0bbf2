// The window's own widgets alone: what a colour button shows, what a picture
// box reports, and the extension a file filter adds.
#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "file_filter.h"
#include "window_test_support.h"

namespace {

QRgb PixelAt(QWidget* widget, QPoint at) { return widget->grab().toImage().pixel(at); }

TEST(ColourButton, ShowsItsColourExactlyInsideAOnePixelBorder) {
    ColourButton square(nullptr, ""), mask(nullptr, "Mask (trans)");
    square.resize(25, 25);
    square.SetBackColor(RGB(123, 142, 104));
    mask.resize(57, 25);
    mask.SetBackColor(RGB(255, 0, 255));
    for (QPoint p : {QPoint(12, 12), QPoint(3, 3), QPoint(1, 1)}) EXPECT_EQ(PixelAt(&square, p), qRgb(123, 142, 104));
    EXPECT_NE(PixelAt(&square, {0, 0}), qRgb(123, 142, 104));
    // Above and below the caption, which is as wide as the button.
    for (QPoint p : {QPoint(28, 2), QPoint(28, 22), QPoint(1, 1)}) EXPECT_EQ(PixelAt(&mask, p), qRgb(255, 0, 255));
}

TEST(ColourButton, PressAndFocusShowAroundAnUnchangedFace) {
    ColourButton button(nullptr, "");
    button.resize(25, 25);
    button.SetBackColor(RGB(123, 142, 104));
    const QRgb face = qRgb(123, 142, 104);
    const QImage idle = button.grab().toImage();

    SendMouse(&button, QEvent::MouseButtonPress, QPointF(12, 12), Qt::LeftButton, Qt::LeftButton);
    EXPECT_NE(PixelAt(&button, {1, 1}), face);  // a border twice as wide
    EXPECT_EQ(PixelAt(&button, {2, 2}), face);
    SendMouse(&button, QEvent::MouseButtonRelease, QPointF(12, 12), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(button.grab().toImage(), idle);

    button.show();
    button.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&button));
    button.setFocus();
    for (QPoint ring : {QPoint(3, 3), QPoint(21, 21)}) EXPECT_NE(PixelAt(&button, ring), face);
    for (QPoint inside : {QPoint(2, 2), QPoint(12, 12)}) EXPECT_EQ(PixelAt(&button, inside), face);
}

TEST(PictureBox, ReleaseReportsTheButtonShiftAndInnerPosition) {
    PictureBox box(nullptr, 16, 16, 0, true);
    QSignalSpy up(&box, &PictureBox::MouseUp);
    const QPointF at = InWidget(&box, QPointF(5, 7));
    QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::RightButton, Qt::NoButton, Qt::ShiftModifier);
    QApplication::sendEvent(&box, &release);
    EXPECT_EQ(up, (QList<QVariantList>{{2, 1, 5.0f, 7.0f}}));
}

TEST(PictureBox, WheelReportsWholeNotches) {
    using Turns = std::vector<QPoint>;  // the angle delta of each event
    for (const auto& [turns, expected] : std::vector<std::pair<Turns, std::vector<int>>>{
             {{{0, 120}}, {1}}, {{{0, -360}}, {-3}}, {{{0, 40}, {0, 40}, {0, 40}}, {1}}, {{{0, 60}}, {}},
             {{{0, -40}, {0, -100}, {0, -100}}, {-1, -1}}, {{{0, 100}, {0, -40}, {0, 60}}, {1}}, {{{120, 0}}, {}}}) {
        PictureBox box(nullptr, 16, 16, 0, false);
        std::vector<int> rows;
        QObject::connect(&box, &PictureBox::MouseWheel, [&rows](int n) { rows.push_back(n); });
        for (QPoint delta : turns) {
            QWheelEvent wheel({8, 8}, {8, 8}, {}, delta, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            wheel.ignore();
            QApplication::sendEvent(&box, &wheel);
            EXPECT_TRUE(wheel.isAccepted());
        }
        EXPECT_EQ(rows, expected) << turns.size() << " turns, first " << turns[0].y();
    }
}

TEST(FileFilter, DefaultSuffixIsTheFirstPatternsSingleExtension) {
    for (auto [filter, suffix] : {std::pair{"Pixolin library (*.pxl) |*.pxl", "pxl"},
                                  std::pair{"RAW 1 bit PM sprite with Mask (*.*) |*.*", ""},
                                  std::pair{"Bitmap |*.bmp|All files |*.*", "bmp"},
                                  std::pair{"All files |*.*|Bitmap |*.bmp", ""}, std::pair{"Pictures |*.bmp;*.png", ""}}) {
        EXPECT_EQ(DefaultSuffix(filter), suffix) << filter;
    }
}

// Shows a dialog for fileName and takes what Qt's dialog proposes; typed, when
// given, is typed into its name field first.
QString Accept(FileDialog& files, void (FileDialog::*show)(), const QString& fileName, const QString& typed = {}) {
    files.filter = kLibraryFilter;
    files.fileName = fileName;
    QTimer::singleShot(0, [typed] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!typed.isEmpty()) {
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            name->clear();
            QTest::keyClicks(name, typed);
        }
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    (files.*show)();
    return files.fileName;
}

// Saving adds the filter's extension to a name typed without one; opening
// takes the name as typed, also beside a file with the extension.
TEST(QtFileDialog, OnlySavingAddsTheFiltersExtension) {
    QTemporaryDir folder;
    for (const char* name : {"sprites", "sprites.pxl"}) QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
    const std::unique_ptr<FileDialog> files = MakeQtFileDialog(nullptr);
    EXPECT_EQ(Accept(*files, &FileDialog::ShowSave, folder.filePath("new")), folder.filePath("new.pxl"));
    EXPECT_EQ(Accept(*files, &FileDialog::ShowOpen, "", "sprites"), folder.filePath("sprites"));
}

}  // namespace
