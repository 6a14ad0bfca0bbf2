#include "resize_dialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "form2.h"
#include "widget_layout.h"

ResizeDialog::ResizeDialog(QWidget* owner, const std::unique_ptr<MessageBox>& messageBox)
    : QDialog(owner), messageBox_(messageBox) {
    setFixedSize(193, 183);
    setStyleSheet(QLatin1String(kCompactStyle));
    setWindowTitle(QStringLiteral("Resize map"));
    auto* size = Place<QGroupBox>({8, 8, 177, 49}, QStringLiteral("New size"), this);
    Place<QLabel>({16, 23, 33, 17}, QStringLiteral("width"), size);
    Width = Place<QLineEdit>({48, 20, 33, 19}, size);
    Place<QLabel>({96, 23, 33, 17}, QStringLiteral("height"), size);
    Height = Place<QLineEdit>({128, 20, 33, 19}, size);
    auto* anchor = Place<QGroupBox>({8, 64, 177, 81}, QStringLiteral("Old map stays at"), this);
    anchorGroup_ = new QButtonGroup(this);
    const char* names[9] = {"Top left", "Top", "Top right", "Left", "Centre", "Right", "Bottom left", "Bottom", "Bottom right"};
    for (int n = 0; n < 9; ++n) {
        Anchors[size_t(n)] = Place<QRadioButton>({64 + 20 * (n % 3), 20 + 18 * (n / 3), 17, 17}, anchor);
        Anchors[size_t(n)]->setToolTip(QLatin1String(names[n]));
        anchorGroup_->addButton(Anchors[size_t(n)], n);
    }
    Ok = Place<QPushButton>({64, 152, 57, 25}, QStringLiteral("Ok"), this);
    Cancel = Place<QPushButton>({128, 152, 57, 25}, QStringLiteral("Cancel"), this);
    Ok->setDefault(true);
    connect(Ok, &QPushButton::clicked, this, &ResizeDialog::ResizeDialog_Ok_Click);
    connect(Cancel, &QPushButton::clicked, this, &ResizeDialog::ResizeDialog_Cancel_Click);
}

void ResizeDialog::Open(int32_t width, int32_t height) {
    if (!isVisible()) {
        Width->setText(QString::number(width));
        Height->setText(QString::number(height));
        Anchors[0]->setChecked(true);
    }
    show();
    raise();
    activateWindow();
}

void ResizeDialog::ResizeDialog_Ok_Click() {
    const auto width = TypedMapSide(Width, "width", *messageBox_);
    if (!width) return;
    const auto height = TypedMapSide(Height, "height", *messageBox_);
    if (!height) return;
    emit SizeChosen(*width, *height, tilora::Anchor(anchorGroup_->checkedId()));
    close();
}

void ResizeDialog::ResizeDialog_Cancel_Click() { close(); }
