#include "dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "file_filter.h"

namespace {

class QtFileDialog : public FileDialog {
public:
    explicit QtFileDialog(QWidget* parent) : parent_(parent) {}
    void ShowOpen() override { Show(QFileDialog::AcceptOpen, QFileDialog::ExistingFile); }
    void ShowSave() override { Show(QFileDialog::AcceptSave, QFileDialog::AnyFile); }

private:
    // A dialog object rather than the static functions: only it takes a
    // default suffix, and Qt's overwrite question must see the final name.
    // Only a save dialog adds the suffix: an open dialog opens the name as
    // typed.
    // It starts in the folder last used, or on the given file: a bare name is
    // taken to lie in that folder, a path where it says.
    void Show(QFileDialog::AcceptMode accept, QFileDialog::FileMode mode) {
        QFileDialog dialog(parent_, title, QDir(folder_).filePath(fileName), QtFileFilter(filter));
        dialog.setAcceptMode(accept);
        dialog.setFileMode(mode);
        if (accept == QFileDialog::AcceptSave) dialog.setDefaultSuffix(DefaultSuffix(filter));
        const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
        fileName = chosen ? dialog.selectedFiles().front() : QString();
        if (chosen) folder_ = QFileInfo(fileName).absolutePath();
    }

    QWidget* parent_;
    QString folder_;  // of the last file chosen, for as long as the program runs
};

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error: return QMessageBox::Critical;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

class QtMessageBox : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent) : parent_(parent) {}
    void Show(const QString& text, const QString& title, MessageIcon icon) override {
        QMessageBox box(QtIcon(icon), title, text, QMessageBox::Ok, parent_);
        box.exec();
    }

    Choice AskSaveDiscardCancel(const QString& text, const QString& title) override {
        QMessageBox box(QMessageBox::Question, title, text,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);  // also what closing the box answers
        switch (box.exec()) {
            case QMessageBox::Save: return Choice::Save;
            case QMessageBox::Discard: return Choice::Discard;
            default: return Choice::Cancel;
        }
    }

private:
    QWidget* parent_;
};

}  // namespace

std::unique_ptr<FileDialog> MakeQtFileDialog(QWidget* parent) { return std::make_unique<QtFileDialog>(parent); }
std::unique_ptr<MessageBox> MakeQtMessageBox(QWidget* parent) { return std::make_unique<QtMessageBox>(parent); }
