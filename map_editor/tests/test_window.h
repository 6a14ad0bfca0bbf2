// The editor window for tests: the file dialog answers with scripted names and
// records how each command set it up, the message box records what it showed
// and asked and answers questions with scripted choices, and files are made in
// a folder of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QRect>
#include <QStringList>
#include <QTest>
#include <QWheelEvent>
#include <QTemporaryDir>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <vector>

#include "file_filter.h"
#include "form1.h"
#include "picture_box.h"
#include "rgb_image.h"

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

class ScriptedFileDialog : public FileDialog {
public:
    std::deque<QString> answers;  // the names chosen in turn; none left is a cancel
    QStringList calls;            // "open|title|filter|fileName" or "save|..." as each dialog opened
    void ShowOpen() override { Answer("open|"); }
    void ShowSave() override { Answer("save|"); }

private:
    void Answer(const QString& kind) {
        calls << kind + title + "|" + filter + "|" + fileName;
        fileName = answers.empty() ? QString() : answers.front();
        if (!answers.empty()) answers.pop_front();
    }
};

// Every message of the editor has the error icon.
class RecordingMessageBox : public MessageBox {
public:
    QStringList shown;           // "title|text"
    QStringList asked;           // "title|text" of each question
    std::deque<Choice> choices;  // the answers in turn; none left is a Cancel
    void Show(const QString& text, const QString& title, MessageIcon icon) override {
        EXPECT_EQ(icon, MessageIcon::Error);
        shown << title + "|" + text;
    }
    Choice AskSaveDiscardCancel(const QString& text, const QString& title) override {
        asked << title + "|" + text;
        if (choices.empty()) return Choice::Cancel;
        const Choice next = choices.front();
        choices.pop_front();
        return next;
    }
};

struct Placed {
    QWidget *control, *container;
    QRect geometry;
    QString caption;  // a frame's title, or the text the control shows
};
// Each control in its container at its position, with its caption.
void ExpectPlaced(std::initializer_list<Placed> layout);

// The tile dialog as every command sets it up.
inline const QString kTileDialog = "open|Open Tilemap|" + TileSetFilter() + "|";

class WindowTest : public testing::Test {
protected:
    WindowTest() {
        auto scripted = std::make_unique<ScriptedFileDialog>();
        auto recording = std::make_unique<RecordingMessageBox>();
        dialog = scripted.get();
        messages = recording.get();
        form = std::make_unique<Form1>(std::move(scripted), std::move(recording));
        form->show();
    }

    QString Path(const QString& name) const { return directory.filePath(name); }
    QString SaveTiles(const tilora::RgbImage& bitmap, const QString& name);
    QString SaveFile(const QString& name, const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> Load(const QString& path) const;
    // A map made through Restart, the tile dialog answered with tiles (a cancel
    // when empty).
    void NewMap(int width, int height, const QString& tiles = {}) {
        dialog->answers.push_back(tiles);
        form->Restart(int16_t(width), int16_t(height));
    }

    QTemporaryDir directory;
    ScriptedFileDialog* dialog;
    RecordingMessageBox* messages;
    std::unique_ptr<Form1> form;
};

// The window shown and active, for real key, mouse and wheel events.
class ShownWindow : public WindowTest {
protected:
    ShownWindow() {
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form.get(), Qt::Key(key), modifiers);
    }
    QAction* Item(const char* name) { return form->findChild<QAction*>(name); }
    void Click(QPoint at, Qt::MouseButton button) {
        QTest::mousePress(form->Picture2, button, {}, at);
        QTest::mouseRelease(form->Picture2, button, {}, at);
    }
    // Canvas events as the mouse sends them.
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, form->Picture2->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(form->Picture2, &event);
    }
    void Hover(QPoint at) { Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton); }
    void Drag(QPoint from, QPoint to, Qt::MouseButton button) {
        Mouse(QEvent::MouseButtonPress, from, button, button);
        Mouse(QEvent::MouseMove, to, Qt::NoButton, button);
        Mouse(QEvent::MouseButtonRelease, to, button, Qt::NoButton);
    }
    void Wheel(QPoint at, QPoint notches, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(at, form->Picture2->mapToGlobal(at), QPoint(), notches * 120, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(form->Picture2, &event);
    }
};
