// The New-map dialog: a map size from three presets or typed in. The editor
// window opens it for "New" and, captioned "Load map", for the raw map
// import, whose file carries no size.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>
#include <utility>

class Form1;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class Form2 : public QDialog {
    Q_OBJECT
public:
    // Modeless and owned by the editor window, above which it stays.
    explicit Form2(Form1* owner);

    // Gives the dialog its caption and brings it forward. A dialog that is
    // open keeps what the user set in it; a closed one opens as new.
    void Open(const QString& caption);

    void Form2_Command2_Click();  // Ok
    void Form2_Command1_Click();  // Cancel

    QGroupBox* Frame1;
    QRadioButton* Option1;  // 12x16
    QRadioButton* Option2;  // 16x12
    QRadioButton* Option3;  // 24x8
    QRadioButton* Option4;  // custom
    QLabel* Label1;
    QLineEdit* Text1;  // custom width
    QLabel* Label2;
    QLineEdit* Text2;  // custom height
    QPushButton* Command2;
    QPushButton* Command1;

private:
    void Reset();
    // Width and height, from the option chosen or the text boxes; nothing,
    // after a message, when a typed size is refused.
    std::optional<std::pair<int16_t, int16_t>> ChosenSize();
    std::optional<int16_t> CustomSide(const QLineEdit* text, const char* side);

    Form1* owner_;
};
