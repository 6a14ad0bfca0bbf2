// The file dialog and the message box of the editor window, as seams: the
// program uses Qt's dialogs, the tests scripted ones.
#pragma once

#include <QString>
#include <memory>

class QWidget;

// The common file dialog: the caller sets filter, title and file name, then
// shows it; the chosen file's name is left in fileName, empty when cancelled.
// A file name set before showing is the file the dialog starts on.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    QString filter;    // as the program writes it: "Bitmap (*.bmp) |*.bmp"
    QString title;
    QString fileName;
    virtual void ShowOpen() = 0;
    virtual void ShowSave() = 0;
};
enum class MessageIcon { Error, Warning, Information, Question };
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void Show(const QString& text, const QString& title, MessageIcon icon) = 0;  // one OK button

    enum class Choice { Save, Discard, Cancel };
    // A question with Save, Discard and Cancel buttons; Cancel when the box is closed.
    virtual Choice AskSaveDiscardCancel(const QString& text, const QString& title) = 0;
};
// Qt's own dialogs, for the real program. Its file dialog starts in the folder
// of the file chosen last; saving, it adds the filter's extension to a name
// typed without one (see DefaultSuffix).
std::unique_ptr<FileDialog> MakeQtFileDialog(QWidget* parent);
std::unique_ptr<MessageBox> MakeQtMessageBox(QWidget* parent);
