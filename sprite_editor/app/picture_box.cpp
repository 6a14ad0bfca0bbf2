#include "picture_box.h"

#include <QMouseEvent>
#include <QPainter>

int MouseButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return 1;
        case Qt::RightButton: return 2;
        case Qt::MiddleButton: return 4;
        default: return 0;
    }
}

int MouseButtons(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int ShiftKeys(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

QImage ToQImage(const Image& image) {
    QImage q(image.Width(), image.Height(), QImage::Format_RGB32);
    for (int y = 0; y < image.Height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(q.scanLine(y));
        for (int x = 0; x < image.Width(); ++x) {
            const Colour c = image.Pixel(x, y);
            line[x] = qRgb(int(Red(c)), int(Green(c)), int(Blue(c)));
        }
    }
    return q;
}

PictureBox::PictureBox(QWidget* parent, int width, int height, Colour background, bool border)
    : QFrame(parent), image_(width, height, background) {
    if (border) setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(border ? 2 : 0);
    setMouseTracking(true);  // moves without a button held are events too
}

void PictureBox::SetPicture(const Image& image) {
    if (image == image_) return;  // an unchanged picture costs no repaint
    image_ = image;
    update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    // Pixels are replicated, never smoothed, whatever the screen's scale.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(contentsRect(), ToQImage(image_));
}

QPointF PictureBox::Inner(QPointF position) const { return position - contentsRect().topLeft(); }

void PictureBox::mousePressEvent(QMouseEvent* event) {
    const QPointF p = Inner(event->position());
    emit MouseDown(MouseButton(event->button()), ShiftKeys(event->modifiers()), float(p.x()), float(p.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = Inner(event->position());
    emit MouseMove(MouseButtons(event->buttons()), ShiftKeys(event->modifiers()), float(p.x()), float(p.y()));
}

ColourButton::ColourButton(QWidget* parent, const QString& caption) : QPushButton(caption, parent) {}

void ColourButton::SetBackColor(Colour colour) {
    backColor_ = colour;
    setStyleSheet(QString("background-color: rgb(%1, %2, %3); padding: 0px;")
                      .arg(Red(colour))
                      .arg(Green(colour))
                      .arg(Blue(colour)));
}

void ColourButton::mousePressEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit MouseDown(MouseButton(event->button()), ShiftKeys(event->modifiers()), float(p.x()), float(p.y()));
    QPushButton::mousePressEvent(event);
}
