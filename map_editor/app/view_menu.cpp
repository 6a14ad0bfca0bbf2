// The "View" menu: the screen grid.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "form1.h"

void Form1::CreateViewMenu() {
    QMenu* view = menuBar()->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("view"));
    QAction* grid = view->addAction(QStringLiteral("Screen grid"));
    grid->setObjectName(QStringLiteral("grid"));
    grid->setShortcut(Qt::Key_G);
    grid->setCheckable(true);
    connect(grid, &QAction::triggered, this, &Form1::Form1_grid_Click);
}

void Form1::Form1_grid_Click() { tools.screenGrid = findChild<QAction*>(QStringLiteral("grid"))->isChecked(); }
