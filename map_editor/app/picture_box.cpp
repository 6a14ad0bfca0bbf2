#include "picture_box.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "image_conversion.h"

namespace {

int ButtonCode(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

// Whole pixels: a position a fraction left of the box is already outside it.
QPoint PixelAt(const QMouseEvent* event) {
    return {int(std::floor(event->position().x())), int(std::floor(event->position().y()))};
}

}  // namespace

PictureBox::PictureBox(QWidget* parent, QColor background)
    : QWidget(parent), background_(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PictureBox::ShowPicture(const tilora::RgbImage& picture, QPoint origin) {
    if (showing_ && picture == picture_ && origin == origin_) return;
    showing_ = true;
    picture_ = picture;
    origin_ = origin;
    shown_ = ToQImage(picture_);
    update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // No smoothing: at any device pixel ratio each picture pixel stays a hard
    // square, as the editor's pixel art needs.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.fillRect(event->rect(), background_);
    if (showing_) painter.drawImage(QRect(origin_, shown_.size()), shown_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    const QPoint at = PixelAt(event);
    emit MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()), at.x(), at.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = PixelAt(event);
    emit MouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()), at.x(), at.y());
}
