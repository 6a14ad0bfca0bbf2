// A picture box: a surface that shows one picture, pixel for pixel, on its
// background colour, and reports the mouse as the editor's handlers take it.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include "rgb_image.h"

class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(QWidget* parent, QColor background);

    // Shows picture with its top-left corner at origin, in the box's pixels;
    // the rest of the box shows the background. The box repaints only when
    // what it shows changes.
    void ShowPicture(const tilora::RgbImage& picture, QPoint origin = {});

signals:
    // Button: 1 left, 2 right, 4 middle; for a press the button pressed, for
    // a move the sum of those held, for a release the button released.
    // Shift: 1 shift, 2 control, 4 alt. X, Y: the pointer in whole pixels of
    // the box, also outside it during a drag.
    void MouseDown(int Button, int Shift, int X, int Y);
    void MouseMove(int Button, int Shift, int X, int Y);
    void MouseUp(int Button, int Shift, int X, int Y);
    // Whole notches turned on each axis since the last report; Vertical is
    // positive away from the user. Sent once a notch has gathered on an axis.
    void MouseWheel(int Vertical, int Horizontal, int Shift, int X, int Y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    using MouseSignal = void (PictureBox::*)(int, int, int, int);
    void EmitMouse(MouseSignal signal, Qt::MouseButtons buttons, const QMouseEvent* event);

    QColor background_;
    tilora::RgbImage picture_;
    QPoint origin_;
    QImage shown_;
    bool showing_ = false;    // until the first picture, only the background
    QPoint unreportedWheel_;  // angle turned short of a whole notch, per axis
};
