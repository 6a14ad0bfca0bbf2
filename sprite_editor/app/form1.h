// Pixolin's main window: the sprite library and editor state, and one handler
// per control event. The drawing algorithms and the views' pictures come from
// the core; this class holds the state and wires the toolkit's events to them.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <vector>

#include "dialogs.h"
#include "drawing.h"
#include "file_io.h"
#include "image.h"
#include "sprite.h"
#include "sprite_files.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QTimer;
class ColourButton;
class PictureBox;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    Form1(std::unique_ptr<FileDialog> fileDialog, std::unique_ptr<MessageBox> messageBox, QWidget* parent = nullptr);
    ~Form1() override;

    // The library, never empty, and its deletion marks, parallel to it.
    std::vector<Sprite> Sprites;
    std::vector<bool> SpriteDeleted;
    int CurSprite = 0;
    uint8_t PrimaryColor = CodeDark;    // painted with the left button
    uint8_t SecondaryColor = CodeLight;  // painted with the right button
    CodeColours PixelColors{};
    CodeColours DimColors{};
    std::array<uint32_t, 8> BitValue{};  // bit n of a byte
    int PendingPoints = 0;               // points of a line or rectangle chosen so far
    std::array<Cell, 2> ShapePoints{};

    int SpriteLast() const { return int(Sprites.size()) - 1; }

    // Start-up defaults; also the reset of the raw 1-bit import.
    void Form1_Form_Load();
    void Form1_Command1_Click();  // "Add sprite"
    void Form1_Command3_Click();  // "Import && Add sprite"
    void Form1_Command4_Click();  // "Delete selected sprite"
    void Form1_Command5_Click();  // "Undelete selected sprite"

    void Form1_Check1_Click();  // "Pen"
    void Form1_Check2_Click();  // "Line"
    void Form1_Check3_Click();  // "Rect"
    void Form1_Check4_Click();  // "Floodfill"
    void Form1_Command2_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Form1_Picture1_MouseDown(int Button, int Shift, float X, float Y);
    void Form1_Picture1_MouseMove(int Button, int Shift, float X, float Y);

    void Form1_Timer1_Timer();       // canvas and previews
    void Form1_SpriteTimer_Timer();  // sprite list and the two delete buttons
    void Form1_pxl_MouseDown(int Button, int Shift, float X, float Y);

    void Form1_loadpxl_Click();
    void Form1_savepxl_Click();
    void Form1_loadpxs_Click();
    void Form1_savepxs_Click();
    void Form1_load1_Click();
    void Form1_sav1_Click();
    void Form1_exallraw1b_Click();
    void Form1_sav2_Click();
    void Form1_exrawall2_Click();

    // The controls, for the handlers and for tests that press and read them.
    QGroupBox* Frame1;
    QGroupBox* Frame2;
    QGroupBox* Frame3;
    std::array<QCheckBox*, 4> Check;  // Check1 "Pen" to Check4 "Floodfill"
    std::array<ColourButton*, 4> Command2;
    PictureBox* c;   // swatch of PrimaryColor
    PictureBox* c2;  // swatch of SecondaryColor
    PictureBox* Picture1;  // the edit canvas
    PictureBox* Picture2;  // preview at 4x
    PictureBox* Picture3;  // preview at 2x
    PictureBox* Picture4;  // preview at 1x, the source of the enlarged ones
    PictureBox* Picture5;  // preview at 1x over a background
    PictureBox* pxl;       // the sprite list
    QScrollBar* VScroll1;
    QPushButton* Command1;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QLabel* Label1;
    QTimer* Timer1;
    QTimer* SpriteTimer;
    Image d;  // the canvas composed off screen

    std::unique_ptr<FileDialog> cdlg;
    std::unique_ptr<MessageBox> messageBox;

private:
    void BuildWindow();
    void BuildCurrentSpriteFrame();
    void BuildSelectSpriteFrame();
    void BuildMenu();

    Sprite& Current() { return Sprites[CurSprite]; }
    void ToolBoxClicked(int box);
    bool AnyToolTicked() const;
    void PlaceShapePoint(int box, Cell cell);
    void RemoveMarker();
    void SetSwatch(PictureBox* swatch, uint8_t code);
    void LayOutSpriteListScrollBar();

    // The file dialog set up afresh: filter, title, an empty name; the chosen
    // name, empty when cancelled.
    QString AskFile(void (FileDialog::*show)(), const char* filter, const char* title);
    QString AskOpenFile(const char* filter, const char* title);
    QString AskSaveFile(const char* filter, const char* title);
    // Writes the file whole, or leaves an existing one as it was, after a
    // message; `what` names the command in a message about memory.
    void SaveFile(const QString& path, const char* what, const FileContent& content);
    void ReplaceLibrary(std::vector<Sprite> sprites);
    bool AddSprite();
    void ImportSprite();
    // Two save dialogs, the second starting with the first one's name; each
    // chosen name gets its own frame of the sprites.
    void ExportFrames(std::span<const Sprite> sprites, const char* firstFilter, PixelTest first,
                      const char* secondFilter, PixelTest second);

    // Where the first point of a pending line or rectangle put its marker, and
    // the code the marker replaced, to put back when the shape is abandoned.
    struct Marker {
        int sprite = -1;
        Cell cell{};
        uint8_t code = 0;
    };
    Marker marker_;
};
