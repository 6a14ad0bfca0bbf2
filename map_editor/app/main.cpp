#include <QApplication>
#include <QFile>
#include <QTimer>
#include <iostream>

#include "command_line.h"
#include "dialogs.h"
#include "file_io.h"
#include "form1.h"

// Help, the version and exports run before the window's toolkit starts, so
// that they need no display; the window takes the toolkit's own options.
int main(int argc, char* argv[]) {
    tilora::IgnoreWriteSignals();
    QStringList arguments;
    for (int n = 0; n < argc; ++n) arguments << QString::fromLocal8Bit(argv[n]);
    if (WantsNoWindow(arguments)) return RunWithoutWindow(ParseCommandLine(arguments), std::cout, std::cerr);

    QApplication application(argc, argv);
    const CommandLine line = ParseCommandLine(QApplication::arguments());
    if (line.action != CommandLine::Action::Window) return RunWithoutWindow(line, std::cout, std::cerr);
    // The dialogs belong to the window, so they open above it; the window
    // uses them only from its handlers, after it is made.
    Form1 form(nullptr, nullptr);
    form.cdlg = MakeQtFileDialog(&form);
    form.messageBox = MakeQtMessageBox(&form);
    form.show();
    if (!line.file.isEmpty()) QTimer::singleShot(0, &form, [&] { form.OpenFile(QFile::encodeName(line.file)); });
    return application.exec();
}
