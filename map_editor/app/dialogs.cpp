#include "dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "file_filter.h"

namespace {

class QtFileDialog final : public FileDialog {
public:
    explicit QtFileDialog(QWidget* parent) : parent_(parent) {}
    void ShowOpen() override { Show(QFileDialog::AcceptOpen); }
    void ShowSave() override { Show(QFileDialog::AcceptSave); }

private:
    // A dialog object, not the static functions: only it adds a default
    // suffix before Qt asks whether to replace a file, so that the question
    // is about the name that will be written. An open dialog opens the name
    // as typed.
    void Show(QFileDialog::AcceptMode accept) {
        QFileDialog dialog(parent_, title, StartingPoint(), QtFileFilter(filter));
        dialog.setAcceptMode(accept);
        dialog.setFileMode(accept == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        if (accept == QFileDialog::AcceptSave) dialog.setDefaultSuffix(DefaultSuffix(filter));
        fileName.clear();
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
        fileName = dialog.selectedFiles().constFirst();
        lastFolder_ = QFileInfo(fileName).absolutePath();
    }

    // A bare name lies in the last folder; a path stays where it points.
    QString StartingPoint() const {
        return fileName.isEmpty() ? lastFolder_ : QDir(lastFolder_).filePath(fileName);
    }

    QWidget* parent_;
    QString lastFolder_;  // kept for this run only: a new run starts where Qt chooses
};

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error: return QMessageBox::Critical;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Question: return QMessageBox::Question;
        case MessageIcon::Information: break;
    }
    return QMessageBox::Information;
}

class QtMessageBox final : public MessageBox {
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
        // Escape and the close button of the title bar both take this one.
        box.setEscapeButton(QMessageBox::Cancel);
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

std::unique_ptr<FileDialog> MakeQtFileDialog(QWidget* parent) {
    return std::make_unique<QtFileDialog>(parent);
}

std::unique_ptr<MessageBox> MakeQtMessageBox(QWidget* parent) {
    return std::make_unique<QtMessageBox>(parent);
}
