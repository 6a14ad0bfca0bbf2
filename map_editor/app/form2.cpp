#include "form2.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "map_editing.h"
#include "widget_layout.h"

Form2::Form2(QWidget* owner, const std::unique_ptr<MessageBox>& messageBox)
    : QDialog(owner), messageBox_(messageBox) {
    setFixedSize(193, 183);
    setStyleSheet(QLatin1String(kCompactStyle));
    Frame1 = Place<QGroupBox>({8, 8, 177, 137}, QStringLiteral("Map size"), this);
    // Children of one frame: the four options form one group.
    Option1 = Place<QRadioButton>({16, 24, 57, 17}, QStringLiteral("12x16"), Frame1);
    Option2 = Place<QRadioButton>({16, 40, 57, 17}, QStringLiteral("16x12"), Frame1);
    Option3 = Place<QRadioButton>({16, 56, 57, 17}, QStringLiteral("24x8"), Frame1);
    Option4 = Place<QRadioButton>({16, 80, 65, 17}, QStringLiteral("custom"), Frame1);
    Label1 = Place<QLabel>({16, 107, 33, 17}, QStringLiteral("width"), Frame1);
    Text1 = Place<QLineEdit>({48, 104, 33, 19}, Frame1);
    Label2 = Place<QLabel>({96, 107, 33, 17}, QStringLiteral("height"), Frame1);
    Text2 = Place<QLineEdit>({128, 104, 33, 19}, Frame1);
    Command2 = Place<QPushButton>({64, 152, 57, 25}, QStringLiteral("Ok"), this);
    Command1 = Place<QPushButton>({128, 152, 57, 25}, QStringLiteral("Cancel"), this);
    Command2->setDefault(true);
    connect(Command2, &QPushButton::clicked, this, &Form2::Form2_Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &Form2::Form2_Command1_Click);
    setWindowTitle(QStringLiteral("New map"));
    Reset();
}

void Form2::Reset() {
    Option4->setChecked(true);
    Text1->setText(QStringLiteral("12"));
    Text2->setText(QStringLiteral("8"));
}

void Form2::Open(Purpose purpose) {
    if (!isVisible()) Reset();
    purpose_ = purpose;
    setWindowTitle(purpose == Purpose::NewMap ? QStringLiteral("New map") : QStringLiteral("Load map"));
    show();
    raise();
    activateWindow();
}

// The map operation runs to its end, the tile dialog included, before the
// dialog closes. A custom size that is refused keeps the dialog open.
void Form2::Form2_Command2_Click() {
    const auto size = ChosenSize();
    if (!size) return;
    emit SizeChosen(purpose_, size->first, size->second);
    close();
}

std::optional<std::pair<int16_t, int16_t>> Form2::ChosenSize() {
    if (Option1->isChecked()) return std::pair<int16_t, int16_t>(12, 16);
    if (Option2->isChecked()) return std::pair<int16_t, int16_t>(16, 12);
    if (Option3->isChecked()) return std::pair<int16_t, int16_t>(24, 8);
    const auto width = TypedMapSide(Text1, "width", *messageBox_);
    if (!width) return std::nullopt;
    const auto height = TypedMapSide(Text2, "height", *messageBox_);
    if (!height) return std::nullopt;
    return std::pair(*width, *height);
}

void Form2::Form2_Command1_Click() { close(); }

std::optional<int16_t> TypedMapSide(const QLineEdit* text, const char* side, MessageBox& messageBox) {
    const auto value = tilora::MapSideFromText(text->text().toStdString());
    if (!value) {
        const QString message = QStringLiteral("The %1 must be a number of tiles from 1 to %2, not \"%3\".")
                                    .arg(QLatin1String(side), QString::number(tilora::kLargestMapSide), text->text());
        messageBox.Show(message, QStringLiteral("Error"), MessageIcon::Error);
    }
    return value;
}
