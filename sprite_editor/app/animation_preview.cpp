#include "animation_preview.h"

#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>

#include "picture_box.h"
#include "views.h"

namespace {

constexpr int kFrameSide = 4 * kSpriteSide;
constexpr int kDefaultSpeed = 8;
constexpr int kLargestSpeed = 60;

// A spin box with its caption to the left, in a row of the window.
QSpinBox* SpinBox(QWidget* parent, const char* caption, int top) {
    auto* label = new QLabel(caption, parent);
    label->setGeometry(84, top, 64, 22);
    auto* box = new QSpinBox(parent);
    box->setGeometry(148, top, 64, 22);
    return box;
}

}  // namespace

AnimationPreview::AnimationPreview(QWidget* owner, const EditorState& state) : QDialog(owner), state_(state) {
    setWindowTitle("Animation preview");
    setFixedSize(220, 112);
    Frame = new PictureBox(this, kFrameSide, kFrameSide, kPreviewBackground, true);
    Frame->setGeometry(8, 8, kFrameSide + 4, kFrameSide + 4);
    First = SpinBox(this, "First", 8);
    Last = SpinBox(this, "Last", 32);
    Speed = SpinBox(this, "Frames/s", 56);
    Speed->setRange(1, kLargestSpeed);
    Speed->setValue(kDefaultSpeed);
    Play = new QPushButton("Pause", this);
    Play->setGeometry(148, 84, 64, 22);
    Timer = new QTimer(this);
    connect(Timer, &QTimer::timeout, this, &AnimationPreview::AnimationPreview_Timer_Timer);
    connect(Play, &QPushButton::clicked, this, &AnimationPreview::AnimationPreview_Play_Click);
    connect(Speed, &QSpinBox::valueChanged, this, &AnimationPreview::AnimationPreview_Speed_Change);
    AnimationPreview_Speed_Change();
}

void AnimationPreview::Open() {
    if (!isVisible()) {
        for (QSpinBox* box : {First, Last}) box->setRange(0, state_.SpriteLast());
        First->setValue(state_.CurSprite);
        Last->setValue(std::min(state_.CurSprite + 3, state_.SpriteLast()));
        Speed->setValue(kDefaultSpeed);
        Play->setText("Pause");
        Shown = state_.CurSprite;
        ShowFrame();
        Timer->start();
    }
    show();
    raise();
    activateWindow();
}

// The range follows the library, which may have grown or shrunk since the
// last frame; first after last plays the range backwards.
void AnimationPreview::AnimationPreview_Timer_Timer() {
    for (QSpinBox* box : {First, Last}) box->setMaximum(state_.SpriteLast());
    const int first = First->value(), last = Last->value();
    const int step = first <= last ? 1 : -1;
    const bool inRange = (Shown - first) * step >= 0 && (last - Shown) * step >= 0;
    Shown = !inRange || Shown == last ? first : Shown + step;
    ShowFrame();
}

void AnimationPreview::AnimationPreview_Play_Click() {
    if (Timer->isActive()) {
        Timer->stop();
        Play->setText("Play");
    } else {
        Timer->start();
        Play->setText("Pause");
    }
}

void AnimationPreview::AnimationPreview_Speed_Change() { Timer->setInterval(1000 / Speed->value()); }

void AnimationPreview::hideEvent(QHideEvent* event) {
    Timer->stop();
    QDialog::hideEvent(event);
}

void AnimationPreview::ShowFrame() {
    Shown = std::clamp(Shown, 0, state_.SpriteLast());
    Image frame(kFrameSide, kFrameSide);
    DrawAnimationFrame(frame, state_.Sprites[size_t(Shown)], state_.Sprites.Deleted(size_t(Shown)), state_.PixelColors,
                       state_.DimColors);
    Frame->SetPicture(frame);
}
