// The "Edit" menu: undo and redo of every change of the library.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "form1.h"
#include "sprite_editing.h"

void Form1::BuildEditMenu() {
    QMenu* edit = menuBar()->addMenu("Edit");
    edit->setObjectName("edit");
    undo = edit->addAction("Undo");
    undo->setObjectName("undo");
    undo->setShortcuts(QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, &Form1::Form1_undo_Click);
    redo = edit->addAction("Redo");
    redo->setObjectName("redo");
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}) {
        if (!redoKeys.contains(key)) redoKeys << key;
    }
    redo->setShortcuts(redoKeys);
    connect(redo, &QAction::triggered, this, &Form1::Form1_redo_Click);
}

void Form1::Form1_undo_Click() {
    Undo(*this);
    LayOutSpriteListScrollBar();
    ShowUndoRedo();
}

void Form1::Form1_redo_Click() {
    Redo(*this);
    LayOutSpriteListScrollBar();
    ShowUndoRedo();
}

// Undo also takes back a pending shape, which is no step of the history.
void Form1::ShowUndoRedo() {
    undo->setEnabled(history.CanUndo() || PendingPoints != 0);
    redo->setEnabled(history.CanRedo());
}
