// Pixolin's main window: the editor state of the core, the controls, and one
// handler per control event, each passing its event to one named operation
// of the core and showing what changed.
#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <span>

#include "dialogs.h"
#include "editor_state.h"
#include "file_io.h"
#include "image.h"
#include "sprite_clipboard.h"
#include "sprite_files.h"

class QAction;
class QCheckBox;
class QCloseEvent;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QTimer;
class AnimationPreview;
class ColourButton;
class PictureBox;

class Form1 : public QMainWindow, public EditorState {
    Q_OBJECT
public:
    Form1(std::unique_ptr<FileDialog> fileDialog, std::unique_ptr<MessageBox> messageBox, QWidget* parent = nullptr);
    ~Form1() override;

    // A file named on the command line, by the file system's bytes: a library
    // as "Load Pixolin .pxl sprite library" loads it, or a sprite imported
    // into the current sprite.
    void OpenFile(const QByteArray& path);

    // Start-up defaults.
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
    void Form1_Picture1_MouseUp(int Button, int Shift, float X, float Y);

    void Form1_Timer1_Timer();       // canvas and previews
    void Form1_SpriteTimer_Timer();  // sprite list and the two delete buttons
    void Form1_pxl_MouseDown(int Button, int Shift, float X, float Y);
    void Form1_pxl_MouseWheel(int rows);

    void Form1_loadpxl_Click();
    void Form1_savepxl_Click();
    void Form1_quicksave_Click();  // Ctrl+S: the library to its file, or asked for
    void Form1_loadpxs_Click();
    void Form1_savepxs_Click();
    void Form1_load1_Click();
    void Form1_sav1_Click();
    void Form1_exallraw1b_Click();
    void Form1_sav2_Click();
    void Form1_exrawall2_Click();
    void Form1_undo_Click();
    void Form1_redo_Click();
    void Form1_exportsheet_Click();  // "Export sprites as image..."
    void Form1_importsheet_Click();  // "Import image as sprites..."

    // The "Sprite" menu.
    void Form1_fliph_Click();
    void Form1_flipv_Click();
    void Form1_rotatecw_Click();
    void Form1_rotateccw_Click();
    void Form1_shiftup_Click();
    void Form1_shiftdown_Click();
    void Form1_shiftleft_Click();
    void Form1_shiftright_Click();
    void Form1_swapshades_Click();
    void Form1_clear_Click();
    void Form1_duplicate_Click();
    void Form1_moveup_Click();
    void Form1_movedown_Click();
    void Form1_copysprite_Click();
    void Form1_pastesprite_Click();
    void Form1_pastenew_Click();
    void Form1_preview_Click();
    void Form1_guides_Click();

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
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    QTimer* Timer1;
    QTimer* SpriteTimer;
    Image d;  // the canvas composed off screen
    bool Guides = false;  // the canvas's lines between the 8 x 8 tiles in their own colour
    AnimationPreview* preview = nullptr;
    SpriteClipboard clipboard;

    std::unique_ptr<FileDialog> cdlg;
    std::unique_ptr<MessageBox> messageBox;

protected:
    // While the library differs from its file, closing asks whether to save
    // it first.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildWindow();
    void BuildCurrentSpriteFrame();
    void BuildSelectSpriteFrame();
    void BuildMenu();
    void BuildEditMenu();
    void BuildImageMenu();
    void BuildSpriteMenu();
    void BuildKeys();

    void ShowToolBoxes();
    void ShowColours();
    void SetSwatch(PictureBox* swatch, uint8_t code);
    void ShowUndoRedo();
    void LayOutSpriteListScrollBar();
    void ShowCurrentSprite();

    // The file dialog set up afresh: filter, title, an empty name; the chosen
    // name, empty when cancelled.
    QString AskFile(void (FileDialog::*show)(), const char* filter, const char* title);
    QString AskOpenFile(const char* filter, const char* title);
    QString AskSaveFile(const char* filter, const char* title);
    // Writes the file whole, or leaves an existing one as it was, after a
    // message; `what` names the command in a message about memory.
    bool SaveFile(const QByteArray& path, const char* what, const FileContent& content);
    // The save dialog, then the library into the file chosen.
    bool SaveLibrary();
    // Into the library file last loaded or saved, or else as SaveLibrary.
    bool SaveLibraryToItsFile();
    bool SaveLibraryTo(const QByteArray& path);
    bool LoadLibraryFrom(const QByteArray& path);
    // The sprite of a chosen sprite file; none when cancelled or refused.
    std::optional<Sprite> AskSpriteFile();
    std::optional<Sprite> ReadSpriteFileAt(const QByteArray& path);
    // Two save dialogs, the second starting with the first one's name; each
    // chosen name gets its own frame of the sprites.
    void ExportFrames(std::span<const Sprite> sprites, const char* firstFilter, PixelTest first,
                      const char* secondFilter, PixelTest second);

    QByteArray libraryFile_;  // the .pxl last loaded or saved, by the file system's bytes
};
