#include "dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>

namespace {

class QtFileDialog : public FileDialog {
public:
    explicit QtFileDialog(QWidget* parent) : parent_(parent) {}
    void ShowOpen() override { fileName = QFileDialog::getOpenFileName(parent_, title, fileName, QtFilter(filter)); }
    void ShowSave() override { fileName = QFileDialog::getSaveFileName(parent_, title, fileName, QtFilter(filter)); }

private:
    QWidget* parent_;
};

class QtMessageBox : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent) : parent_(parent) {}
    void Show(const QString& text, const QString& title, MessageIcon icon) override {
        const QMessageBox::Icon qtIcon = icon == MessageIcon::Error     ? QMessageBox::Critical
                                         : icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                        : QMessageBox::Information;
        QMessageBox box(qtIcon, title, text, QMessageBox::Ok, parent_);
        box.exec();
    }

private:
    QWidget* parent_;
};

}  // namespace

QString QtFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // A description that names its pattern already, "Bitmap (*.bmp) ", loses
        // that copy: Qt takes the pattern from the parentheses.
        QString description = parts[i];
        description.remove(QRegularExpression(R"(\s*\([^()]*\)\s*$)"));
        filters << description.trimmed() + " (" + parts[i + 1].trimmed() + ")";
    }
    return filters.join(";;");
}

std::unique_ptr<FileDialog> MakeQtFileDialog(QWidget* parent) { return std::make_unique<QtFileDialog>(parent); }
std::unique_ptr<MessageBox> MakeQtMessageBox(QWidget* parent) { return std::make_unique<QtMessageBox>(parent); }
