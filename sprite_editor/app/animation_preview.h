// The animation preview: a small window that plays the sprites first to last
// of the library at a chosen speed, each frame at 4x over the background of
// the 1x preview, marked sprites darker as in the sprite list. Every frame is
// drawn from the library as it is then, so the preview follows edits while it
// plays; its timer runs only while it is shown and playing.
#pragma once

#include <QDialog>

#include "editor_state.h"

class QPushButton;
class QSpinBox;
class QTimer;
class PictureBox;

class AnimationPreview : public QDialog {
    Q_OBJECT
public:
    AnimationPreview(QWidget* owner, const EditorState& state);

    // Opens playing the current sprite and the three after it, clipped to the
    // library, at 8 frames a second; one that is open keeps its settings.
    void Open();

    void AnimationPreview_Timer_Timer();  // the next frame
    void AnimationPreview_Play_Click();   // pauses, or plays on
    void AnimationPreview_Speed_Change();

    QSpinBox* First;
    QSpinBox* Last;
    QSpinBox* Speed;  // frames a second
    QPushButton* Play;
    PictureBox* Frame;
    QTimer* Timer;
    int Shown = 0;  // the sprite the frame shows

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void ShowFrame();

    const EditorState& state_;
};
