#include <QApplication>

#include "form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Form1 window(nullptr, nullptr);
    window.cdlg = MakeQtFileDialog(&window);
    window.messageBox = MakeQtMessageBox(&window);
    window.show();
    return app.exec();
}
