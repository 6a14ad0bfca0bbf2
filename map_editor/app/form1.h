// Tilora's editor window: the map document and editor state, the controls,
// and one handler per control event.
#pragma once

#include <QByteArray>
#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <memory>

#include "dialogs.h"
#include "editor_state.h"
#include "form2.h"
#include "history.h"
#include "map_clipboard.h"
#include "map_editing.h"
#include "map_tools.h"
#include "project_file.h"
#include "rgb_image.h"

class QAction;
class QActionGroup;
class QCloseEvent;
class PictureBox;
class QButtonGroup;
class QGroupBox;
class QImage;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class ResizeDialog;

class Form1 : public QMainWindow, public tilora::MapDocument, public tilora::TileSheets, public tilora::MapView {
    Q_OBJECT
public:
    Form1(std::unique_ptr<FileDialog> cdlg, std::unique_ptr<MessageBox> messageBox);
    ~Form1() override;

    // A project named on the command line, by the file system's bytes, loaded
    // as "Load *.tlp file" loads it, tile set included.
    void OpenFile(const QByteArray& path);

    // An empty map of width x height tiles at zoom 1x, then the tile dialog.
    void Restart(int16_t width, int16_t height);
    // The view laid out again for a map that was read whole.
    void Setup();
    // The raw map chosen by the last import, read as a width x height map.
    void loadmap(int16_t width, int16_t height);
    // True for an existing regular file; false for anything else, an empty
    // path, a folder, a FIFO or a device included.
    static bool FileExists(const std::string& path);

    void Form1_new_Click();
    void Form1_end_Click();
    void Form1_tlpsave_Click();
    void Form1_quicksave_Click();  // Ctrl+S: the project to its file, or asked for
    void Form1_tlpload_Click();
    void Form1_Load_Click();
    void Form1_LoadSpecial_Click();
    void Form1_save_Click();
    void Form1_SaveSpecial_Click();
    void Form1_Command1_Click();
    void Form1_Command2_Click();
    void Form1_Option1_Click(int Index);
    void Form1_Picture2_MouseDown(int Button, int Shift, int X, int Y);
    void Form1_Picture2_MouseMove(int Button, int Shift, int X, int Y);
    void Form1_Picture2_MouseUp(int Button, int Shift, int X, int Y);
    void Form1_Picture2_MouseWheel(int Vertical, int Horizontal, int Shift, int X, int Y);
    void Form1_Picture3_MouseDown(int Button, int Shift, int X, int Y);
    void Form1_Picture3_MouseMove(int Button, int Shift, int X, int Y);
    void Form1_HScroll1_Change();
    void Form1_VScroll1_Change();
    void Form1_Timer1_Timer();
    void Form1_TileTimer_Timer();  // reloads a tile set whose file changed
    void Form1_form2_SizeChosen(Form2::Purpose purpose, int16_t width, int16_t height);
    void Form1_undo_Click();
    void Form1_redo_Click();
    // The Edit menu's clipboard and selection; Escape abandons a paste or
    // clears the selection.
    void Form1_cut_Click();
    void Form1_copy_Click();
    void Form1_paste_Click();
    void Form1_delete_Click();
    void Form1_selectall_Click();
    void Form1_escape_Click();
    // The Map menu: the left button's tool, replacing a tile, rows, columns
    // and the map's size.
    void Form1_paint_Click();
    void Form1_select_Click();
    void Form1_fill_Click();
    void Form1_replace_Click();
    void Form1_insertrow_Click();
    void Form1_insertcolumn_Click();
    void Form1_deleterow_Click();
    void Form1_deletecolumn_Click();
    void Form1_resize_Click();
    void Form1_resizeDialog_SizeChosen(int16_t width, int16_t height, tilora::Anchor anchor);
    // The View menu.
    void Form1_grid_Click();
    // The Image menu: a picture cut into a map and a tile set, or matched
    // against the tile set loaded.
    void Form1_importpicture_Click();
    void Form1_importpicturetiles_Click();

    QByteArray ImportFile;      // the raw map file of the last import, as the file system's bytes
    bool ScreenRepeat = false;  // whether that import reads the screen-repeat form

    QWidget* Picture1;     // viewport, clips the canvas
    PictureBox* Picture2;  // map canvas
    QScrollBar* HScroll1;
    QScrollBar* VScroll1;
    QGroupBox* Frame1;
    QLabel* Label1;
    QLabel* Label2;        // SelTile
    PictureBox* Picture4;  // preview of the selected tile
    PictureBox* Picture3;  // tile picker
    QPushButton* Command1;
    QButtonGroup* Option1;  // the zoom options; a member's id is its zoom
    QGroupBox* Frame2;
    QRadioButton* Option2;  // 8x8 mode
    QRadioButton* Option3;  // 16x16 mode
    QPushButton* Command2;
    QTimer* Timer1;
    QTimer* TileTimer;
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    Form2* form2;  // the New-map dialog, one for the window's lifetime
    ResizeDialog* resizeDialog;
    QLabel* StatusLabel;  // in the status bar: the cursor cell, the selection, the zoom
    std::unique_ptr<FileDialog> cdlg;
    std::unique_ptr<MessageBox> messageBox;

    tilora::History history;
    tilora::Stroke stroke;
    tilora::MapTools tools;
    MapClipboard clipboard;

protected:
    // While the document differs from its project file, closing asks whether
    // to save it first.
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenu();
    void CreateEditMenu();
    void CreateMapMenu();
    void CreateViewMenu();
    void CreateImageMenu();
    // A menu item that works on the map, disabled until the first map.
    QAction* AddMapAction(QMenu* menu, const char* name, const QString& caption, const QKeySequence& key,
                          void (Form1::*handler)());
    void ShowTool();
    // Runs a change of the map's size, then the canvas takes the new size;
    // refused tells why a change did not happen.
    template <typename Change>
    void ChangeMapSize(const QString& purpose, const QString& refused, Change change);
    void CreateMapView(QWidget* client);
    void CreateTileSetFrame(QWidget* client);
    void CreateZoomOptions();
    void CreateTileModeFrame();

    enum class FileDialogKind { Open, Save };
    // suggested: the file the dialog starts on, if any.
    QByteArray AskFileName(FileDialogKind kind, const QString& title, const QString& filter,
                           const QString& suggested = {});
    void StartImport(bool screenRepeat);
    void ShowNewMap(int16_t width, int16_t height);
    bool LoadProjectFrom(const QByteArray& path);
    void TakeProject(tilora::MapProject project, const QByteArray& projectPath);
    void StartEditing();
    // The save dialog, then the project into the file chosen.
    bool SaveProject();
    // Into the project file last loaded or saved, or else as SaveProject.
    bool SaveProjectToItsFile();
    bool SaveProjectTo(const QByteArray& path);
    // Asks for a tile-set bitmap and loads it; a cancel or a refused file
    // keeps the tile set.
    void AskTileSet();
    bool LoadTileSet();
    // The picture in a file as Qt reads it; a null one after a message when
    // the file cannot be read or holds no picture.
    QImage ReadPicture(const QByteArray& path);
    // A map made from a picture in place of the one there, col flags clear,
    // as one step, and the view laid out for it.
    void TakePictureMap(tilora::CellArray tiles);
    void ZoomAround(int zoom, int X, int Y);
    void ShowUndoRedo();
    void ShowMapSize();
    void ZoomTo1x(int width, int height);
    void SizeCanvas(int width, int height);
    void LayOutScrollBars();
    void CanvasMoved();
    void DrawMap();

    // What the canvas, the picker and the preview are drawn into. The picker's
    // picture persists from tick to tick: cells no tile is drawn into keep
    // what they showed.
    tilora::RgbImage mapPicture_;
    tilora::RgbImage pickerPicture_;
    tilora::RgbImage previewPicture_;
    // What the tile-set file was like when it was last loaded: a change
    // makes the tile timer load it again.
    std::string tileFileStamp_;
    QByteArray projectFile_;  // the .tlp last loaded or saved; none after "New"
    QList<QAction*> mapActions_;
    QActionGroup* toolGroup_ = nullptr;
};
