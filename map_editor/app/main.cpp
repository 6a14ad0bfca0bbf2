#include <QApplication>

#include "dialogs.h"
#include "file_io.h"
#include "form1.h"

int main(int argc, char* argv[]) {
    tilora::IgnoreWriteSignals();
    QApplication application(argc, argv);
    // The dialogs belong to the window, so they open above it; the window
    // uses them only from its handlers, after it is made.
    Form1 form(nullptr, nullptr);
    form.cdlg = MakeQtFileDialog(&form);
    form.messageBox = MakeQtMessageBox(&form);
    form.show();
    return application.exec();
}
