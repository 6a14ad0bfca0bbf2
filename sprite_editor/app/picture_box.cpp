#include "picture_box.h"

#include <QFontMetrics>
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

void PictureBox::EmitMouse(MouseSignal signal, int button, const QMouseEvent* event) {
    const QPointF p = event->position() - contentsRect().topLeft();
    emit(this->*signal)(button, ShiftKeys(event->modifiers()), float(p.x()), float(p.y()));
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    EmitMouse(&PictureBox::MouseDown, MouseButton(event->button()), event);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    EmitMouse(&PictureBox::MouseMove, MouseButtons(event->buttons()), event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    EmitMouse(&PictureBox::MouseUp, MouseButton(event->button()), event);
}

void PictureBox::wheelEvent(QWheelEvent* event) {
    // Fine-grained wheels and touchpads turn a notch in several small steps;
    // only whole notches count, the rest waits for the next step.
    constexpr int kNotch = 120;
    wheelDelta_ += event->angleDelta().y();
    const int rows = wheelDelta_ / kNotch;
    wheelDelta_ -= rows * kNotch;
    if (rows != 0) emit MouseWheel(rows);
    event->accept();
}

namespace {

constexpr QColor kButtonBorder(64, 64, 64);

}  // namespace

ColourButton::ColourButton(QWidget* parent, const QString& caption) : QPushButton(caption, parent) {}

void ColourButton::SetBackColor(Colour colour) {
    backColor_ = colour;
    update();
}

// Painted here rather than by the style: a style shades or tints the face, and
// the button is the only place the user sees a code's colour at full size.
void ColourButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(int(Red(backColor_)), int(Green(backColor_)), int(Blue(backColor_))));
    // The caption first, in a smaller size where the face that shows fonts
    // wider than the one it was laid out for needs it.
    painter.setPen(Qt::black);
    QFont caption = font();
    while (caption.pixelSize() > 6 && QFontMetrics(caption).horizontalAdvance(text()) > width() - 4) {
        caption.setPixelSize(caption.pixelSize() - 1);
    }
    painter.setFont(caption);
    painter.drawText(rect(), Qt::AlignCenter, text());
    DrawBorder(painter);
    if (hasFocus()) DrawFocusRing(painter);
}

void ColourButton::DrawBorder(QPainter& painter) const {
    painter.setPen(kButtonBorder);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!isDown()) return;
    // Pressed, the border is twice as wide and darker inside: the face sinks.
    painter.setPen(kButtonBorder.darker(200));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

// White under black dots: seen on every colour a code can have.
void ColourButton::DrawFocusRing(QPainter& painter) const {
    const QRect ring = rect().adjusted(3, 3, -4, -4);
    painter.setPen(Qt::white);
    painter.drawRect(ring);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(ring);
}

void ColourButton::mousePressEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit MouseDown(MouseButton(event->button()), ShiftKeys(event->modifiers()), float(p.x()), float(p.y()));
    QPushButton::mousePressEvent(event);
}
