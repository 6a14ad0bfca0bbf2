#include <QApplication>

#include "file_io.h"
#include "form1.h"

int main(int argc, char** argv) {
    IgnoreWriteSignals();
    QApplication app(argc, argv);
    Form1 window(nullptr, nullptr);
    window.cdlg = MakeQtFileDialog(&window);
    window.messageBox = MakeQtMessageBox(&window);
    window.show();
    return app.exec();
}
