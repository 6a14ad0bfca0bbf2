// The New-map dialog: a map size from three presets or typed in. It is
// opened for a purpose, a new map or the raw map import, whose file carries
// no size (then captioned "Load map"), and reports the size chosen for it.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "dialogs.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// A map side typed into a text box; nothing, after a message in the window's
// message box that gives the limits, when it is refused. side names it in
// the message ("width").
std::optional<int16_t> TypedMapSide(const QLineEdit* text, const char* side, MessageBox& messageBox);

class Form2 : public QDialog {
    Q_OBJECT
public:
    enum class Purpose { NewMap, Import };

    // Modeless and owned by the window, above which it stays; a refused size
    // is explained in the window's message box.
    Form2(QWidget* owner, const std::unique_ptr<MessageBox>& messageBox);

    // Gives the dialog its purpose and the caption that goes with it, and
    // brings it forward. A dialog that is open keeps what the user set in it;
    // a closed one opens as new.
    void Open(Purpose purpose);

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

signals:
    // Ok with a size that is accepted; the dialog closes once the receivers
    // are done.
    void SizeChosen(Form2::Purpose purpose, int16_t width, int16_t height);

private:
    void Reset();
    // Width and height, from the option chosen or the text boxes; nothing,
    // after a message, when a typed size is refused.
    std::optional<std::pair<int16_t, int16_t>> ChosenSize();

    const std::unique_ptr<MessageBox>& messageBox_;
    Purpose purpose_ = Purpose::NewMap;
};
