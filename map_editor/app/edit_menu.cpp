// The "Edit" menu: undo and redo, the clipboard and the selection.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "file_access.h"
#include "form1.h"

void Form1::CreateEditMenu() {
    QMenu* edit = menuBar()->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("edit"));
    undo = edit->addAction(QStringLiteral("Undo"));
    undo->setObjectName(QStringLiteral("undo"));
    undo->setShortcuts(QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, &Form1::Form1_undo_Click);
    redo = edit->addAction(QStringLiteral("Redo"));
    redo->setObjectName(QStringLiteral("redo"));
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}) {
        if (!redoKeys.contains(key)) redoKeys << key;
    }
    redo->setShortcuts(redoKeys);
    connect(redo, &QAction::triggered, this, &Form1::Form1_redo_Click);
    edit->addSeparator();
    AddMapAction(edit, "cut", QStringLiteral("Cut"), QKeySequence::Cut, &Form1::Form1_cut_Click);
    AddMapAction(edit, "copy", QStringLiteral("Copy"), QKeySequence::Copy, &Form1::Form1_copy_Click);
    AddMapAction(edit, "paste", QStringLiteral("Paste"), QKeySequence::Paste, &Form1::Form1_paste_Click);
    AddMapAction(edit, "delete", QStringLiteral("Delete"), QKeySequence::Delete, &Form1::Form1_delete_Click);
    edit->addSeparator();
    AddMapAction(edit, "selectall", QStringLiteral("Select all"), QKeySequence::SelectAll, &Form1::Form1_selectall_Click);
    // Escape is no menu item: it leaves what is under way, a paste or a
    // selection.
    auto* escape = new QAction(this);
    escape->setObjectName(QStringLiteral("escape"));
    escape->setShortcut(Qt::Key_Escape);
    connect(escape, &QAction::triggered, this, &Form1::Form1_escape_Click);
    addAction(escape);
}

void Form1::Form1_undo_Click() {
    tilora::Undo(*this, stroke, history);
    ShowMapSize();
}

void Form1::Form1_redo_Click() {
    tilora::Redo(*this, stroke, history);
    ShowMapSize();
}

void Form1::Form1_cut_Click() {
    WithEnoughMemory(*messageBox, QStringLiteral("cut the selection"), [&] {
        if (auto block = tilora::CutSelection(*this, tools, history)) clipboard.Copy(std::move(*block));
    });
}

void Form1::Form1_copy_Click() {
    WithEnoughMemory(*messageBox, QStringLiteral("copy the selection"), [&] {
        if (auto block = tilora::CopySelection(*this, tools)) clipboard.Copy(std::move(*block));
    });
}

// The cells follow the pointer until a left click places them.
void Form1::Form1_paste_Click() {
    WithEnoughMemory(*messageBox, QStringLiteral("paste"), [&] {
        QString refusal;
        if (auto block = clipboard.Paste(refusal)) {
            tilora::StartPasting(tools, std::move(*block));
        } else {
            messageBox->Show(refusal, QStringLiteral("Error"), MessageIcon::Error);
        }
    });
}

void Form1::Form1_delete_Click() {
    WithEnoughMemory(*messageBox, QStringLiteral("delete the selection"),
                     [&] { tilora::DeleteSelection(*this, tools, history); });
}

void Form1::Form1_selectall_Click() { tilora::SelectAll(*this, tools); }

void Form1::Form1_escape_Click() { tilora::Cancel(tools); }
