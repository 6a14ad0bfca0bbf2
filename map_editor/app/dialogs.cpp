#include "dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "file_filter.h"

QString QtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        const QString shown = u'(' + pattern + u')';
        if (description.endsWith(shown)) description = description.chopped(shown.size()).trimmed();
        QStringList patterns = pattern.split(u';', Qt::SkipEmptyParts);
        for (QString& each : patterns) {
            each = each.trimmed();
            if (each == QStringLiteral("*.*")) each = QStringLiteral("*");
        }
        filters << description + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters.join(QStringLiteral(";;"));
}

namespace {

class QtFileDialog final : public FileDialog {
public:
    explicit QtFileDialog(QWidget* parent) : parent_(parent) {}
    void ShowOpen() override {
        fileName = QFileDialog::getOpenFileName(parent_, title, fileName, QtFileFilter(filter));
    }
    void ShowSave() override {
        fileName = QFileDialog::getSaveFileName(parent_, title, fileName, QtFileFilter(filter));
    }

private:
    QWidget* parent_;
};

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error: return QMessageBox::Critical;
        case MessageIcon::Warning: return QMessageBox::Warning;
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
