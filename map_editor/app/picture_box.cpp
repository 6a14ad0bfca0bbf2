#include "picture_box.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
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
QPoint PixelAt(QPointF position) {
    return {int(std::floor(position.x())), int(std::floor(position.y()))};
}

constexpr int kNotch = 120;  // angleDelta() of one step of a common wheel

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

void PictureBox::EmitMouse(MouseSignal signal, Qt::MouseButtons buttons, const QMouseEvent* event) {
    const QPoint at = PixelAt(event->position());
    emit(this->*signal)(ButtonCode(buttons), ShiftCode(event->modifiers()), at.x(), at.y());
}

void PictureBox::mousePressEvent(QMouseEvent* event) { EmitMouse(&PictureBox::MouseDown, event->button(), event); }

void PictureBox::mouseMoveEvent(QMouseEvent* event) { EmitMouse(&PictureBox::MouseMove, event->buttons(), event); }

void PictureBox::mouseReleaseEvent(QMouseEvent* event) { EmitMouse(&PictureBox::MouseUp, event->button(), event); }

// High-resolution wheels and touchpads turn a notch in small steps; what is
// short of a whole notch waits on its axis for the steps that follow.
void PictureBox::wheelEvent(QWheelEvent* event) {
    event->accept();
    unreportedWheel_ += event->angleDelta();
    // Whole notches towards zero; QPoint's own division would round halves up.
    const QPoint notches(unreportedWheel_.x() / kNotch, unreportedWheel_.y() / kNotch);
    if (notches.isNull()) return;
    unreportedWheel_ -= notches * kNotch;
    const QPoint at = PixelAt(event->position());
    emit MouseWheel(notches.y(), notches.x(), ShiftCode(event->modifiers()), at.x(), at.y());
}
