#include <QApplication>
#include <QFile>
#include <QTimer>
#include <iostream>

#include "command_line.h"
#include "file_io.h"
#include "form1.h"

// Help, the version and exports run before the window's toolkit starts, so
// that they need no display; the window takes the toolkit's own options.
int main(int argc, char** argv) {
    IgnoreWriteSignals();
    QStringList arguments;
    for (int n = 0; n < argc; ++n) arguments << QString::fromLocal8Bit(argv[n]);
    if (WantsNoWindow(arguments)) return RunWithoutWindow(ParseCommandLine(arguments), std::cout, std::cerr);

    QApplication app(argc, argv);
    const CommandLine line = ParseCommandLine(QApplication::arguments());
    if (line.action != CommandLine::Action::Window) return RunWithoutWindow(line, std::cout, std::cerr);
    Form1 window(nullptr, nullptr);
    window.cdlg = MakeQtFileDialog(&window);
    window.messageBox = MakeQtMessageBox(&window);
    window.show();
    if (!line.file.isEmpty()) QTimer::singleShot(0, &window, [&] { window.OpenFile(QFile::encodeName(line.file)); });
    return app.exec();
}
