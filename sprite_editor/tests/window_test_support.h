// A Pixolin window for tests, with scripted dialogs, and real mouse events.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "form1.h"
#include "picture_box.h"
#include "scripted_dialogs.h"

struct TestWindow {
    ScriptedFileDialog* files;
    RecordingMessageBox* messages;
    std::unique_ptr<Form1> form;

    TestWindow() {
        auto fileDialog = std::make_unique<ScriptedFileDialog>();
        auto messageBox = std::make_unique<RecordingMessageBox>();
        files = fileDialog.get();
        messages = messageBox.get();
        form = std::make_unique<Form1>(std::move(fileDialog), std::move(messageBox));
        // The timers are called directly by the tests.
        form->Timer1->stop();
        form->SpriteTimer->stop();
    }
    Form1* operator->() { return form.get(); }
};

// Where a point of a picture box's drawing area lies in the widget.
inline QPointF InWidget(const PictureBox* box, QPointF inner) { return inner + box->contentsRect().topLeft(); }

inline void SendMouse(QWidget* widget, QEvent::Type type, QPointF position, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, position, widget->mapToGlobal(position), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void Press(PictureBox* box, Qt::MouseButton button, QPointF inner) {
    SendMouse(box, QEvent::MouseButtonPress, InWidget(box, inner), button, button);
    SendMouse(box, QEvent::MouseButtonRelease, InWidget(box, inner), button, Qt::NoButton);
}

// A press, moves with the buttons held through every point, and a release.
inline void Drag(PictureBox* box, Qt::MouseButtons held, const std::vector<QPointF>& points) {
    const Qt::MouseButton first = held & Qt::LeftButton ? Qt::LeftButton : held & Qt::RightButton ? Qt::RightButton : Qt::MiddleButton;
    SendMouse(box, QEvent::MouseButtonPress, InWidget(box, points.front()), first, held);
    for (const QPointF& p : points) SendMouse(box, QEvent::MouseMove, InWidget(box, p), Qt::NoButton, held);
    SendMouse(box, QEvent::MouseButtonRelease, InWidget(box, points.back()), first, Qt::NoButton);
}

// The canvas position of the middle of a sprite cell.
inline QPointF CellCentre(int x, int y) { return QPointF(16 * x + 8, 16 * y + 8); }

// The window shown and active, for real key events.
struct ShownWindow : testing::Test {
    TestWindow w;
    QTemporaryDir dir;
    ShownWindow() {
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.form.get()));
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(w.form.get(), Qt::Key(key), modifiers);
    }
    QAction* Item(const char* name) { return w->findChild<QAction*>(name); }
};
