// The file dialog and the message box, behind a seam: the program uses Qt's
// dialogs, tests script the chosen file name and record the messages shown.
#pragma once

#include <QString>
#include <memory>

class QWidget;

// The common file dialog: the caller sets filter, title and file name, then
// shows it; the chosen file's name is left in fileName, empty when cancelled.
// A file name set before showing is where the dialog starts.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    QString filter;  // as the program writes it: "Description |pattern"
    QString title;
    QString fileName;
    virtual void ShowOpen() = 0;
    virtual void ShowSave() = 0;
};

enum class MessageIcon { Error, Warning, Information, Question };

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // A message with one OK button.
    virtual void Show(const QString& text, const QString& title, MessageIcon icon) = 0;

    enum class Choice { Save, Discard, Cancel };
    // A question with Save, Discard and Cancel buttons; Cancel when the box is closed.
    virtual Choice AskSaveDiscardCancel(const QString& text, const QString& title) = 0;
};

std::unique_ptr<FileDialog> MakeQtFileDialog(QWidget* parent);
std::unique_ptr<MessageBox> MakeQtMessageBox(QWidget* parent);
