// The "Resize map" dialog: the map's new width and height, and where in the
// new size the old map stays (nine anchors, top-left to bottom-right). Like
// the New-map dialog it is modeless, owned by the window, and refuses a size
// outside 1 to 32767 tiles with that dialog's message.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>

#include "dialogs.h"
#include "map_size.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

class ResizeDialog : public QDialog {
    Q_OBJECT
public:
    ResizeDialog(QWidget* owner, const std::unique_ptr<MessageBox>& messageBox);

    // Opens on the map's size with the old map kept at the top-left; a dialog
    // that is open keeps what the user set in it.
    void Open(int32_t width, int32_t height);

    void ResizeDialog_Ok_Click();
    void ResizeDialog_Cancel_Click();

    QLineEdit* Width;
    QLineEdit* Height;
    std::array<QRadioButton*, 9> Anchors;  // in the order of tilora::Anchor, row by row
    QPushButton* Ok;
    QPushButton* Cancel;

signals:
    // Ok with a size that is accepted; the dialog closes once the receivers
    // are done.
    void SizeChosen(int16_t width, int16_t height, tilora::Anchor anchor);

private:
    const std::unique_ptr<MessageBox>& messageBox_;
    QButtonGroup* anchorGroup_;
};
