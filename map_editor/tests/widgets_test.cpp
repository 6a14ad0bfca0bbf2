// The picture box and the Qt file dialog alone, driven by real events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <string>
#include <vector>

#include "dialogs.h"
#include "picture_box.h"

namespace {

// Each signal's values as "a,b,c".
std::vector<std::string> Reported(const QSignalSpy& spy) {
    std::vector<std::string> reports;
    for (const QVariantList& values : spy) {
        QStringList texts;
        for (const QVariant& value : values) texts << value.toString();
        reports.push_back(texts.join(u',').toStdString());
    }
    return reports;
}

TEST(PictureBox, ReleaseReportsTheButtonLetGoWhileOthersStayHeld) {
    PictureBox box(nullptr, Qt::black);
    QSignalSpy up(&box, &PictureBox::MouseUp);
    const QPointF at(3.75, -0.5);
    QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::MiddleButton, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(&box, &release);
    EXPECT_EQ(Reported(up), std::vector<std::string>{"4,2,3,-1"});
}

TEST(PictureBox, WheelReportsWholeNotchesOfEachAxis) {
    struct Turn {
        QPoint angle;
        Qt::KeyboardModifiers keys = Qt::NoModifier;
    };
    const struct {
        std::vector<Turn> turns;
        std::vector<std::string> reports;  // "vertical,horizontal,shift,x,y"
    } cases[] = {
        {{{{0, 120}}}, {"1,0,0,5,7"}},
        {{{{0, -240}}}, {"-2,0,0,5,7"}},
        {{{{0, 40}}, {{0, 40}}, {{0, 40}}}, {"1,0,0,5,7"}},
        {{{{0, -40}}, {{0, -100}}, {{0, -100}}}, {"-1,0,0,5,7", "-1,0,0,5,7"}},
        {{{{120, 0}}}, {"0,1,0,5,7"}},
        {{{{0, 100}}, {{60, 0}}}, {}},  // parts of two axes make no notch
        {{{{0, 120}, Qt::ControlModifier}, {{0, -120}, Qt::ShiftModifier}}, {"1,0,2,5,7", "-1,0,1,5,7"}},
    };
    for (const auto& c : cases) {
        PictureBox box(nullptr, Qt::black);
        QSignalSpy wheel(&box, &PictureBox::MouseWheel);
        for (const Turn& turn : c.turns) {
            const QPointF at(5.5, 7.9);
            QWheelEvent event(at, at, {}, turn.angle, Qt::NoButton, turn.keys, Qt::NoScrollPhase, false);
            event.ignore();
            QApplication::sendEvent(&box, &event);
            EXPECT_TRUE(event.isAccepted());
        }
        EXPECT_EQ(Reported(wheel), c.reports) << "first turn " << c.turns[0].angle.x() << "," << c.turns[0].angle.y();
    }
}

// Shows a dialog for fileName and takes what Qt's dialog proposes; typed, when
// given, is typed into its name field first.
QString Accept(FileDialog& files, void (FileDialog::*show)(), const QString& fileName, const QString& typed = {}) {
    files.filter = "Tilora file (*.tlp) |*.tlp";
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

QString SaveAs(FileDialog& files, const QString& fileName) { return Accept(files, &FileDialog::ShowSave, fileName); }

TEST(QtFileDialog, StartsInTheLastFolderUsedAndAddsTheFiltersExtension) {
    QTemporaryDir folder;
    const std::unique_ptr<FileDialog> files = MakeQtFileDialog(nullptr);
    EXPECT_EQ(SaveAs(*files, folder.filePath("map")), folder.filePath("map.tlp"));
    EXPECT_EQ(SaveAs(*files, "copy"), folder.filePath("copy.tlp"));
    EXPECT_EQ(SaveAs(*files, "copy.bin"), folder.filePath("copy.bin"));
    // Opening takes the name as typed, also beside a file with the extension.
    for (const char* name : {"level", "level.tlp"}) QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
    EXPECT_EQ(Accept(*files, &FileDialog::ShowOpen, "", "level"), folder.filePath("level"));
}

}  // namespace
