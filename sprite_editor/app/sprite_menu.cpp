// The "Sprite" menu: transforms of the current sprite, duplicating and moving
// sprites in the library, the sprite clipboard, the animation preview and the
// canvas's 8 x 8 guides. Each item shows its key.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

#include "animation_preview.h"
#include "file_access.h"
#include "form1.h"
#include "picture_box.h"
#include "sprite_editing.h"
#include "views.h"

void Form1::BuildSpriteMenu() {
    QMenu* menu = menuBar()->addMenu("Sprite");
    menu->setObjectName("sprite");
    const struct {
        const char* name;  // none for a separator
        const char* caption;
        QKeySequence key;
        void (Form1::*handler)();
    } items[] = {
        {"fliph", "Flip horizontally", Qt::Key_H, &Form1::Form1_fliph_Click},
        {"flipv", "Flip vertically", Qt::Key_V, &Form1::Form1_flipv_Click},
        {"rotatecw", "Rotate clockwise", Qt::Key_R, &Form1::Form1_rotatecw_Click},
        {"rotateccw", "Rotate counter-clockwise", Qt::SHIFT | Qt::Key_R, &Form1::Form1_rotateccw_Click},
        {"shiftup", "Shift up", Qt::CTRL | Qt::Key_Up, &Form1::Form1_shiftup_Click},
        {"shiftdown", "Shift down", Qt::CTRL | Qt::Key_Down, &Form1::Form1_shiftdown_Click},
        {"shiftleft", "Shift left", Qt::CTRL | Qt::Key_Left, &Form1::Form1_shiftleft_Click},
        {"shiftright", "Shift right", Qt::CTRL | Qt::Key_Right, &Form1::Form1_shiftright_Click},
        {"swapshades", "Swap light and dark", Qt::Key_I, &Form1::Form1_swapshades_Click},
        {"clear", "Clear", Qt::Key_Delete, &Form1::Form1_clear_Click},
        {},
        {"duplicate", "Duplicate sprite", Qt::CTRL | Qt::Key_D, &Form1::Form1_duplicate_Click},
        {"moveup", "Move sprite up", Qt::ALT | Qt::Key_Up, &Form1::Form1_moveup_Click},
        {"movedown", "Move sprite down", Qt::ALT | Qt::Key_Down, &Form1::Form1_movedown_Click},
        {},
        {"copysprite", "Copy sprite", QKeySequence::Copy, &Form1::Form1_copysprite_Click},
        {"pastesprite", "Paste sprite", QKeySequence::Paste, &Form1::Form1_pastesprite_Click},
        {"pastenew", "Paste as new sprite", Qt::CTRL | Qt::SHIFT | Qt::Key_V, &Form1::Form1_pastenew_Click},
        {},
        {"preview", "Animation preview...", Qt::Key_P, &Form1::Form1_preview_Click},
        {"guides", "8 x 8 guides", {}, &Form1::Form1_guides_Click},
    };
    for (const auto& item : items) {
        if (!item.name) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(item.caption);
        action->setObjectName(item.name);
        action->setShortcut(item.key);
        connect(action, &QAction::triggered, this, item.handler);
    }
    findChild<QAction*>("guides")->setCheckable(true);
    preview = new AnimationPreview(this, *this);
}

void Form1::Form1_fliph_Click() { FlipHorizontally(*this); }
void Form1::Form1_flipv_Click() { FlipVertically(*this); }
void Form1::Form1_rotatecw_Click() { RotateClockwise(*this); }
void Form1::Form1_rotateccw_Click() { RotateCounterClockwise(*this); }
void Form1::Form1_shiftup_Click() { ShiftSprite(*this, 0, -1); }
void Form1::Form1_shiftdown_Click() { ShiftSprite(*this, 0, 1); }
void Form1::Form1_shiftleft_Click() { ShiftSprite(*this, -1, 0); }
void Form1::Form1_shiftright_Click() { ShiftSprite(*this, 1, 0); }
void Form1::Form1_swapshades_Click() { SwapLightAndDark(*this); }
void Form1::Form1_clear_Click() { ClearSprite(*this); }

void Form1::Form1_duplicate_Click() {
    WithEnoughMemory(*messageBox, "duplicate the sprite", [this] { DuplicateSprite(*this); });
    ShowCurrentSprite();
}

void Form1::Form1_moveup_Click() {
    MoveSprite(*this, -1);
    ShowCurrentSprite();
}

void Form1::Form1_movedown_Click() {
    MoveSprite(*this, 1);
    ShowCurrentSprite();
}

void Form1::Form1_copysprite_Click() {
    FinishEditing(*this);
    clipboard.Copy(Current(), PixelColors);
}

void Form1::Form1_pastesprite_Click() {
    QString refusal;
    if (const std::optional<Sprite> sprite = clipboard.Paste(refusal)) {
        PasteSprite(*this, *sprite);
    } else {
        messageBox->Show(refusal, "Error", MessageIcon::Error);
    }
}

void Form1::Form1_pastenew_Click() {
    QString refusal;
    const std::optional<Sprite> sprite = clipboard.Paste(refusal);
    if (!sprite) return messageBox->Show(refusal, "Error", MessageIcon::Error);
    WithEnoughMemory(*messageBox, "add a sprite", [&] { AddSpriteAndImport(*this, sprite); });
    ShowCurrentSprite();
}

void Form1::Form1_preview_Click() { preview->Open(); }

void Form1::Form1_guides_Click() { Guides = findChild<QAction*>("guides")->isChecked(); }

// The list scrolls as little as it takes to show the current sprite.
void Form1::ShowCurrentSprite() {
    LayOutSpriteListScrollBar();
    const int columns = std::max(SpriteListColumns(pxl->InnerWidth()), 1);
    VScroll1->setValue(ScrolledRowsShowing(CurSprite / columns, VScroll1->value(), VScroll1->pageStep()));
}
