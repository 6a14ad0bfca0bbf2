// Widgets of the window that the toolkit does not have as such: a picture box
// showing an image, and a command button that shows its background colour
// exactly, flat, and reports which mouse button pressed it.
#pragma once

#include <QFrame>
#include <QPushButton>

#include "image.h"

class QPainter;

// Mouse buttons as the handlers take them: 1 left, 2 right, 4 middle; on a
// move the sum of the buttons held. Shift: 1 shift, 2 control, 4 alt.
int MouseButton(Qt::MouseButton button);
int MouseButtons(Qt::MouseButtons buttons);
int ShiftKeys(Qt::KeyboardModifiers modifiers);

class PictureBox : public QFrame {
    Q_OBJECT
public:
    // The inner drawing area is width x height pixels; a border, when asked
    // for, lies around it.
    PictureBox(QWidget* parent, int width, int height, Colour background, bool border);

    const Image& Picture() const { return image_; }
    void SetPicture(const Image& image);
    int InnerWidth() const { return image_.Width(); }

signals:
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    // Whole notches of the vertical wheel, positive turned away from the user.
    void MouseWheel(int rows);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    using MouseSignal = void (PictureBox::*)(int, int, float, float);
    void EmitMouse(MouseSignal signal, int button, const QMouseEvent* event);

    Image image_;
    int wheelDelta_ = 0;  // what the wheel has turned short of a whole notch
};

class ColourButton : public QPushButton {
    Q_OBJECT
public:
    ColourButton(QWidget* parent, const QString& caption);
    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour colour);

signals:
    void MouseDown(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void DrawBorder(QPainter& painter) const;
    void DrawFocusRing(QPainter& painter) const;

    Colour backColor_ = 0;
};

QImage ToQImage(const Image& image);
