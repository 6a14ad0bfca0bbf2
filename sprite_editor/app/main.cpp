#include <QApplication>
#include <QByteArray>
#include <QTimer>
#include <iostream>

#include "command_line.h"
#include "file_io.h"
#include "form1.h"

// Every argument is read before the window's toolkit starts, so that help,
// the version, exports and mistakes need no display; the toolkit gets the
// arguments as they came and takes its own options out of them.
int main(int argc, char** argv) {
    IgnoreWriteSignals();
    const CommandLine line = ParseCommandLine({argv, argv + argc});
    if (line.action != CommandLine::Action::Window) {
        RemoveTemporaryFilesOnSignals();
        return RunWithoutWindow(line, std::cout, std::cerr);
    }
    QApplication app(argc, argv);
    Form1 window(nullptr, nullptr);
    window.cdlg = MakeQtFileDialog(&window);
    window.messageBox = MakeQtMessageBox(&window);
    window.show();
    const QByteArray file = QByteArray::fromStdString(line.file);
    if (!file.isEmpty()) QTimer::singleShot(0, &window, [&] { window.OpenFile(file); });
    return app.exec();
}
