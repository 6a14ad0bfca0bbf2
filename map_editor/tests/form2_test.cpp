// The New-map dialog as the user works it: options clicked, sizes typed, Ok
// and Cancel pressed, and what the editor window then holds.
#include "form2.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "test_window.h"

using namespace tilora;

namespace {

const QString kImportDialog = "open|Import RAW Pokemon Mini map|RAW 8 bit PM map file (*.*) |*.*|";

class Form2Test : public WindowTest {
protected:
    Form2Test() {
        for (int i = 0; i < 4000; ++i) raw.push_back(uint8_t(i % 251 + 1));
        rawFile = SaveFile("map.bin", raw);
    }
    void Trigger(const char* item) { form->findChild<QAction*>(item)->trigger(); }
    void New() { Trigger("new"); }
    void Import() {
        dialog->answers.push_back(rawFile);
        Trigger("Load");
    }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, {6, button->height() / 2}); }
    void Type(QLineEdit* text, const QString& typed) {
        text->selectAll();
        QTest::keyClick(text, Qt::Key_Backspace);
        QTest::keyClicks(text, typed);
    }
    void Ok() { QTest::mouseClick(form->form2->Command2, Qt::LeftButton); }

    std::vector<uint8_t> raw;
    QString rawFile;
};

TEST_F(Form2Test, OpensModelessAboveTheWindowWithEveryControlInPlace) {
    New();
    Form2* form2 = form->form2;
    EXPECT_TRUE(form2->isVisible());
    EXPECT_FALSE(form2->isModal());
    EXPECT_EQ(form2->parentWidget(), form.get());
    EXPECT_EQ(form2->windowTitle(), "New map");
    EXPECT_EQ(form2->minimumSize(), QSize(193, 183));
    EXPECT_EQ(form2->maximumSize(), QSize(193, 183));
    ExpectPlaced({
        {form2->Frame1, form2, {8, 8, 177, 137}, "Map size"},
        {form2->Option1, form2->Frame1, {16, 24, 57, 17}, "12x16"},
        {form2->Option2, form2->Frame1, {16, 40, 57, 17}, "16x12"},
        {form2->Option3, form2->Frame1, {16, 56, 57, 17}, "24x8"},
        {form2->Option4, form2->Frame1, {16, 80, 65, 17}, "custom"},
        {form2->Label1, form2->Frame1, {16, 107, 33, 17}, "width"},
        {form2->Text1, form2->Frame1, {48, 104, 33, 19}, "12"},
        {form2->Label2, form2->Frame1, {96, 107, 33, 17}, "height"},
        {form2->Text2, form2->Frame1, {128, 104, 33, 19}, "8"},
        {form2->Command2, form2, {64, 152, 57, 25}, "Ok"},
        {form2->Command1, form2, {128, 152, 57, 25}, "Cancel"},
    });
    EXPECT_TRUE(form2->Option4->isChecked());
    Click(form2->Option1);
    EXPECT_FALSE(form2->Option4->isChecked());  // one group
    EXPECT_TRUE(form2->Text1->isEnabled() && form2->Text2->isEnabled());
}

// Restart makes an empty map; loadmap reads the chosen file at the size.
TEST_F(Form2Test, OkPassesThePresetOrTypedSizeToRestartOrLoadmap) {
    const struct {
        bool import;
        QRadioButton* Form2::*option;
        QString width, height;
        int mapWidth, mapHeight;
    } cases[] = {
        {false, nullptr, "", "", 12, 8},          {true, nullptr, "", "", 12, 8},
        {false, &Form2::Option1, "", "", 12, 16}, {true, &Form2::Option2, "", "", 16, 12},
        {false, &Form2::Option3, "99", "1", 24, 8}, {false, &Form2::Option4, "20.5", "3", 21, 3},
        {true, nullptr, "30", " 2.4", 30, 2},     {true, nullptr, "1", "32767", 1, 32767},
    };
    for (const auto& c : cases) {
        dialog->calls.clear();
        c.import ? Import() : New();
        ASSERT_EQ(form->form2->windowTitle(), c.import ? "Load map" : "New map");
        if (c.option) Click(form->form2->*c.option);
        if (!c.width.isEmpty()) Type(form->form2->Text1, c.width);
        if (!c.height.isEmpty()) Type(form->form2->Text2, c.height);
        Ok();
        const std::string name = (c.import ? "import " : "new ") + std::to_string(c.mapWidth);
        EXPECT_FALSE(form->form2->isVisible()) << name;
        EXPECT_EQ(std::pair(form->MapWidth(), form->MapHeight()), std::pair(c.mapWidth, c.mapHeight)) << name;
        const CellArray expected =
            c.import ? CellArray(c.mapWidth, c.mapHeight, raw) : CellArray(c.mapWidth, c.mapHeight);
        EXPECT_EQ(form->MapTiles, expected) << name;
        EXPECT_EQ(dialog->calls, c.import ? QStringList({kImportDialog, kTileDialog}) : QStringList{kTileDialog});
        EXPECT_TRUE(messages->shown.isEmpty());
    }
}

TEST_F(Form2Test, CancelAndARefusedSizeChangeNothing) {
    NewMap(4, 3);
    form->MapTiles(1, 1) = 9;
    const CellArray tiles = form->MapTiles;
    const int calls = int(dialog->calls.size());
    const struct {
        QString width, height, message;
    } refused[] = {
        {"abc", "8", "width must be a number of tiles from 1 to 32767, not \"abc\"."},
        {"32768", "8", "width must be a number of tiles from 1 to 32767, not \"32768\"."},
        {"", "8", "width must be a number of tiles from 1 to 32767, not \"\"."},
        {"12", "0.4", "height must be a number of tiles from 1 to 32767, not \"0.4\"."},
    };
    for (const auto& r : refused) {
        messages->shown.clear();
        New();
        Type(form->form2->Text1, r.width);
        Type(form->form2->Text2, r.height);
        Ok();
        EXPECT_EQ(messages->shown, QStringList{"Error|The " + r.message});
        EXPECT_TRUE(form->form2->isVisible());
    }
    Click(form->form2->Command1);
    EXPECT_FALSE(form->form2->isVisible());
    Import();
    Click(form->form2->Command1);  // nothing is read
    EXPECT_EQ(form->MapTiles, tiles);
    EXPECT_EQ(form->MapWidth(), 4);
    EXPECT_EQ(int(dialog->calls.size()), calls + 1);  // the import's file dialog only
}

// One dialog: opening it again while it is open changes only its caption; once
// closed it opens as new.
TEST_F(Form2Test, ReopenedWhileOpenItKeepsItsSettingsAndImportTurnsItIntoLoadMap) {
    New();
    Form2* form2 = form->form2;
    Click(form2->Option2);
    Type(form2->Text1, "40");
    New();
    EXPECT_TRUE(form2->Option2->isChecked());
    EXPECT_EQ(form2->Text1->text(), "40");
    Import();
    EXPECT_EQ(form2->windowTitle(), "Load map");
    EXPECT_TRUE(form2->Option2->isChecked());
    EXPECT_EQ(form->findChildren<Form2*>().size(), 1);
    dialog->answers.push_back("");  // no tile set
    Ok();
    EXPECT_EQ(form->MapTiles, CellArray(16, 12, raw));
    New();
    EXPECT_EQ(form2->windowTitle(), "New map");
    EXPECT_TRUE(form2->Option4->isChecked());
    EXPECT_EQ(std::pair(form2->Text1->text(), form2->Text2->text()), std::pair(QString("12"), QString("8")));
}

}  // namespace
