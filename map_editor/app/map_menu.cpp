// The "Map" menu: the left button's tool, replacing a tile everywhere, rows
// and columns at the cursor cell, and the map's size.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "file_access.h"
#include "form1.h"
#include "resize_dialog.h"

QAction* Form1::AddMapAction(QMenu* menu, const char* name, const QString& caption, const QKeySequence& key,
                             void (Form1::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(key);
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, handler);
    mapActions_ << action;
    return action;
}

void Form1::CreateMapMenu() {
    QMenu* map = menuBar()->addMenu(QStringLiteral("Map"));
    map->setObjectName(QStringLiteral("map"));
    toolGroup_ = new QActionGroup(this);
    const auto tool = [&](const char* name, const QString& caption, Qt::Key key, void (Form1::*handler)()) {
        QAction* action = AddMapAction(map, name, caption, key, handler);
        action->setCheckable(true);
        toolGroup_->addAction(action);
    };
    tool("paint", QStringLiteral("Paint"), Qt::Key_B, &Form1::Form1_paint_Click);
    tool("select", QStringLiteral("Select"), Qt::Key_S, &Form1::Form1_select_Click);
    tool("fill", QStringLiteral("Fill"), Qt::Key_F, &Form1::Form1_fill_Click);
    ShowTool();
    map->addSeparator();
    AddMapAction(map, "replace", QStringLiteral("Replace tile everywhere"), Qt::Key_R, &Form1::Form1_replace_Click);
    map->addSeparator();
    AddMapAction(map, "insertrow", QStringLiteral("Insert row"), Qt::CTRL | Qt::SHIFT | Qt::Key_Up,
                 &Form1::Form1_insertrow_Click);
    AddMapAction(map, "insertcolumn", QStringLiteral("Insert column"), Qt::CTRL | Qt::SHIFT | Qt::Key_Left,
                 &Form1::Form1_insertcolumn_Click);
    AddMapAction(map, "deleterow", QStringLiteral("Delete row"), Qt::CTRL | Qt::SHIFT | Qt::Key_Down,
                 &Form1::Form1_deleterow_Click);
    AddMapAction(map, "deletecolumn", QStringLiteral("Delete column"), Qt::CTRL | Qt::SHIFT | Qt::Key_Right,
                 &Form1::Form1_deletecolumn_Click);
    map->addSeparator();
    AddMapAction(map, "resize", QStringLiteral("Resize map..."), {}, &Form1::Form1_resize_Click);
    resizeDialog = new ResizeDialog(this, messageBox);
    connect(resizeDialog, &ResizeDialog::SizeChosen, this, &Form1::Form1_resizeDialog_SizeChosen);
}

// The menu ticks the tool the core has.
void Form1::ShowTool() {
    const char* names[] = {"paint", "select", "fill"};
    findChild<QAction*>(QLatin1String(names[int(tools.tool)]))->setChecked(true);
}

void Form1::Form1_paint_Click() {
    tilora::ChooseTool(tools, tilora::MapTool::Paint);
    ShowTool();
}

void Form1::Form1_select_Click() {
    tilora::ChooseTool(tools, tilora::MapTool::Select);
    ShowTool();
}

void Form1::Form1_fill_Click() {
    tilora::ChooseTool(tools, tilora::MapTool::Fill);
    ShowTool();
}

void Form1::Form1_replace_Click() {
    WithEnoughMemory(*messageBox, QStringLiteral("replace the tile"),
                     [&] { tilora::ReplaceCursorTile(*this, *this, tools, history); });
}

template <typename Change>
void Form1::ChangeMapSize(const QString& purpose, const QString& refused, Change change) {
    tilora::FinishStroke(*this, stroke, history);
    bool changed = false;
    if (!WithEnoughMemory(*messageBox, purpose, [&] { changed = change(); })) return;
    if (!changed) return messageBox->Show(refused, QStringLiteral("Error"), MessageIcon::Error);
    ShowMapSize();
}

void Form1::Form1_insertrow_Click() {
    ChangeMapSize(QStringLiteral("insert a row"), QStringLiteral("A map has at most 32767 rows."),
                  [&] { return tilora::InsertRowAtCursor(*this, *this, tools, history); });
}

void Form1::Form1_insertcolumn_Click() {
    ChangeMapSize(QStringLiteral("insert a column"), QStringLiteral("A map has at most 32767 columns."),
                  [&] { return tilora::InsertColumnAtCursor(*this, *this, tools, history); });
}

void Form1::Form1_deleterow_Click() {
    ChangeMapSize(QStringLiteral("delete a row"), QStringLiteral("A map keeps at least one row."),
                  [&] { return tilora::DeleteRowAtCursor(*this, *this, tools, history); });
}

void Form1::Form1_deletecolumn_Click() {
    ChangeMapSize(QStringLiteral("delete a column"), QStringLiteral("A map keeps at least one column."),
                  [&] { return tilora::DeleteColumnAtCursor(*this, *this, tools, history); });
}

void Form1::Form1_resize_Click() { resizeDialog->Open(MapWidth(), MapHeight()); }

// The dialog refuses a size that is no map size, so the change happens
// unless memory is short.
void Form1::Form1_resizeDialog_SizeChosen(int16_t width, int16_t height, tilora::Anchor anchor) {
    ChangeMapSize(QStringLiteral("resize the map to %1 x %2 tiles").arg(width).arg(height), {},
                  [&] { return tilora::Resize(*this, *this, tools, history, width, height, anchor); });
}
