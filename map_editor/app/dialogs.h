// The file dialog and the message box of the editor window, as seams: the
// program uses Qt's dialogs, the tests scripted ones.
#pragma once

#include <QString>
#include <memory>

class QWidget;

// The common file dialog: the caller sets filter, title and file name, then
// shows it; the chosen file's name is left in fileName, empty when cancelled.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    QString filter;    // as the program writes it: "Bitmap (*.bmp) |*.bmp"
    QString title;
    QString fileName;
    virtual void ShowOpen() = 0;
    virtual void ShowSave() = 0;
};
enum class MessageIcon { Error, Warning, Information };
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void Show(const QString& text, const QString& title, MessageIcon icon) = 0;  // one OK button
};
// Qt's own dialogs, for the real program.
std::unique_ptr<FileDialog> MakeQtFileDialog(QWidget* parent);
std::unique_ptr<MessageBox> MakeQtMessageBox(QWidget* parent);
