#include <QApplication>
#include <QByteArray>
#include <QTimer>
#include <iostream>

#include "command_line.h"
#include "dialogs.h"
#include "file_io.h"
#include "form1.h"

// Every argument is read before the window's toolkit starts, so that help,
// the version, exports and mistakes need no display; the toolkit gets the
// arguments as they came and takes its own options out of them.
int main(int argc, char* argv[]) {
    tilora::IgnoreWriteSignals();
    const CommandLine line = ParseCommandLine({argv, argv + argc});
    if (line.action != CommandLine::Action::Window) {
        tilora::RemoveTemporaryFilesOnSignals();
        return RunWithoutWindow(line, std::cout, std::cerr);
    }
    QApplication application(argc, argv);
    // The dialogs belong to the window, so they open above it; the window
    // uses them only from its handlers, after it is made.
    Form1 form(nullptr, nullptr);
    form.cdlg = MakeQtFileDialog(&form);
    form.messageBox = MakeQtMessageBox(&form);
    form.show();
    const QByteArray file = QByteArray::fromStdString(line.file);
    if (!file.isEmpty()) QTimer::singleShot(0, &form, [&] { form.OpenFile(file); });
    return application.exec();
}
