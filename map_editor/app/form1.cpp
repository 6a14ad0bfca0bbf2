#include "form1.h"

#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "file_access.h"
#include "file_filter.h"
#include "image_conversion.h"
#include "map_view.h"
#include "picture_box.h"
#include "project_file.h"
#include "raw_map.h"
#include "sheet_image.h"
#include "tile_set.h"
#include "widget_layout.h"

namespace {

constexpr int kClientWidth = 553;
constexpr int kClientHeight = 352;
constexpr int kCanvasInset = 5;  // the canvas's top-left corner inside the viewport, unscrolled
constexpr int kRedrawInterval = 50;
constexpr int kTileCheckInterval = 500;  // a tile set saved elsewhere shows within a second
constexpr int kScrollSingleStep = 8;
constexpr int kScrollPageStep = 128;
const QString kExportTitle = QStringLiteral("Export RAW Pokemon Mini map");

// A bar that is disabled keeps its maximum, but its value goes back to 0: a
// canvas that fits the viewport must lie in view, where no disabled bar could
// bring it back from.
void LayOutScrollBar(QScrollBar* bar, int canvasExtent, int viewportExtent) {
    if (const auto maximum = tilora::ScrollMaximum(canvasExtent, viewportExtent)) {
        bar->setMaximum(*maximum);
        bar->setEnabled(true);
    } else {
        bar->setEnabled(false);
        bar->setValue(0);
    }
}

QScrollBar* NewScrollBar(Qt::Orientation orientation, QWidget* parent, QRect geometry) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setGeometry(geometry);
    bar->setRange(0, 0);
    bar->setEnabled(false);
    bar->setSingleStep(kScrollSingleStep);
    bar->setPageStep(kScrollPageStep);
    return bar;
}

// What tells a changed file apart: its place on disk, size and time of its
// last change; empty when it cannot be looked at.
std::string FileStamp(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return {};
    return std::to_string(info.st_dev) + ':' + std::to_string(info.st_ino) + ':' + std::to_string(info.st_size) +
           ':' + std::to_string(info.st_mtim.tv_sec) + '.' + std::to_string(info.st_mtim.tv_nsec);
}

// The file of the same name in the folder of a project file; a stored path
// may have been written with either kind of slash.
std::string BesideProject(const std::string& tilePath, const QByteArray& projectPath) {
    const size_t slash = tilePath.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? tilePath : tilePath.substr(slash + 1);
    const qsizetype folderEnd = projectPath.lastIndexOf('/');
    if (name.empty()) return {};
    return (folderEnd < 0 ? std::string() : projectPath.left(folderEnd + 1).toStdString()) + name;
}

}  // namespace

Form1::Form1(std::unique_ptr<FileDialog> cdlg, std::unique_ptr<MessageBox> messageBox)
    : cdlg(std::move(cdlg)),
      messageBox(std::move(messageBox)),
      pickerPicture_(tilora::kSheetSize, tilora::kSheetSize, tilora::kGrey) {
    setWindowTitle(QStringLiteral("Tilora map editor 0.9"));
    CreateMenu();
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    client->setStyleSheet(QLatin1String(kCompactStyle));
    setCentralWidget(client);
    // Below the client area, which keeps its size and controls.
    StatusLabel = new QLabel;
    statusBar()->addWidget(StatusLabel, 1);
    statusBar()->setSizeGripEnabled(false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    CreateMapView(client);
    CreateTileSetFrame(client);
    Timer1 = new QTimer(this);
    Timer1->setInterval(kRedrawInterval);
    connect(Timer1, &QTimer::timeout, this, &Form1::Form1_Timer1_Timer);
    TileTimer = new QTimer(this);
    TileTimer->setInterval(kTileCheckInterval);
    connect(TileTimer, &QTimer::timeout, this, &Form1::Form1_TileTimer_Timer);
    TileTimer->start();
    form2 = new Form2(this, this->messageBox);
    connect(form2, &Form2::SizeChosen, this, &Form1::Form1_form2_SizeChosen);
    history.changed = [this] { ShowUndoRedo(); };
    ShowUndoRedo();
}

Form1::~Form1() = default;

void Form1::CreateMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("file"));
    const auto item = [file](const char* name, const QString& caption) {
        QAction* action = file->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    const auto separator = [file](const char* name) {
        file->addSeparator()->setObjectName(QLatin1String(name));
    };
    QAction* newMap = item("new", QStringLiteral("New"));
    newMap->setShortcut(QKeySequence::New);
    connect(newMap, &QAction::triggered, this, &Form1::Form1_new_Click);
    separator("sapcer123");
    QAction* load = item("tlpload", QStringLiteral("Load *.tlp file"));
    load->setShortcut(QKeySequence::Open);
    connect(load, &QAction::triggered, this, &Form1::Form1_tlpload_Click);
    QAction* save = item("tlpsave", QStringLiteral("Save *.tlp file"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(save, &QAction::triggered, this, &Form1::Form1_tlpsave_Click);
    // Ctrl+S saves the project to its file; the File menu has no item for it.
    auto* quickSave = new QAction(this);
    quickSave->setObjectName(QStringLiteral("quicksave"));
    quickSave->setShortcut(QKeySequence::Save);
    connect(quickSave, &QAction::triggered, this, &Form1::Form1_quicksave_Click);
    addAction(quickSave);
    separator("foo");
    connect(item("Load", QStringLiteral("Import map")), &QAction::triggered, this, &Form1::Form1_Load_Click);
    connect(item("LoadSpecial", QStringLiteral("Import map (with screen repeat)")), &QAction::triggered, this,
            &Form1::Form1_LoadSpecial_Click);
    connect(item("save", QStringLiteral("Export map")), &QAction::triggered, this, &Form1::Form1_save_Click);
    connect(item("SaveSpecial", QStringLiteral("Export map (repeat 1 screen width at end of map)")),
            &QAction::triggered, this, &Form1::Form1_SaveSpecial_Click);
    separator("foobar");
    QAction* end = item("end", QStringLiteral("End"));
    end->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(end, &QAction::triggered, this, &Form1::Form1_end_Click);
    CreateEditMenu();
    CreateImageMenu();
    CreateMapMenu();
    CreateViewMenu();
}

void Form1::CreateMapView(QWidget* client) {
    Picture1 = Place<QWidget>({8, 8, 361, 316}, client);
    // Before the first map the canvas is a grey area filling the viewport.
    Picture2 = Place<PictureBox>({kCanvasInset, kCanvasInset, 361 - 2 * kCanvasInset,
                                  316 - 2 * kCanvasInset},
                                 Picture1, ToQColor(tilora::kGrey));
    HScroll1 = NewScrollBar(Qt::Horizontal, client, {8, 328, 361, 17});
    VScroll1 = NewScrollBar(Qt::Vertical, client, {376, 8, 17, 321});
    connect(Picture2, &PictureBox::MouseDown, this, &Form1::Form1_Picture2_MouseDown);
    connect(Picture2, &PictureBox::MouseMove, this, &Form1::Form1_Picture2_MouseMove);
    connect(Picture2, &PictureBox::MouseUp, this, &Form1::Form1_Picture2_MouseUp);
    connect(Picture2, &PictureBox::MouseWheel, this, &Form1::Form1_Picture2_MouseWheel);
    connect(HScroll1, &QScrollBar::valueChanged, this, &Form1::Form1_HScroll1_Change);
    connect(VScroll1, &QScrollBar::valueChanged, this, &Form1::Form1_VScroll1_Change);
}

void Form1::CreateTileSetFrame(QWidget* client) {
    Frame1 = Place<QGroupBox>({400, 8, 145, 337}, QStringLiteral("Tile set"), client);
    Label1 = Place<QLabel>({8, 16, 49, 17}, QStringLiteral("Selected:"), Frame1);
    Label2 = Place<QLabel>({56, 16, 25, 17}, QStringLiteral("0"), Frame1);
    Picture4 = Place<PictureBox>({80, 18, 8, 8}, Frame1, palette().window().color());
    Picture3 = Place<PictureBox>({8, 32, 128, 128}, Frame1, ToQColor(tilora::kGrey));
    Command1 = Place<QPushButton>({8, 168, 129, 25}, QStringLiteral("Load tiles"), Frame1);
    Command1->setEnabled(false);
    connect(Picture3, &PictureBox::MouseDown, this, &Form1::Form1_Picture3_MouseDown);
    connect(Picture3, &PictureBox::MouseMove, this, &Form1::Form1_Picture3_MouseMove);
    connect(Command1, &QPushButton::clicked, this, &Form1::Form1_Command1_Click);
    CreateZoomOptions();
    CreateTileModeFrame();
}

void Form1::CreateZoomOptions() {
    Option1 = new QButtonGroup(this);  // exclusive, yet none is selected at start
    const struct {
        int index;
        const char* caption;
        int top;
    } options[] = {{8, "Zoom 1x", 200}, {16, "Zoom 2x", 216}, {32, "Zoom 4x", 232}};
    for (const auto& option : options) {
        Option1->addButton(
            Place<QRadioButton>({8, option.top, 113, 20}, QLatin1String(option.caption), Frame1),
            option.index);
    }
    connect(Option1, &QButtonGroup::idClicked, this, &Form1::Form1_Option1_Click);
}

void Form1::CreateTileModeFrame() {
    Frame2 = Place<QGroupBox>({8, 256, 129, 65}, Frame1);
    Option2 = Place<QRadioButton>({8, 8, 113, 17}, QStringLiteral("8x8 mode"), Frame2);
    Option3 = Place<QRadioButton>({8, 24, 97, 17}, QStringLiteral("16x16 mode"), Frame2);
    Option2->setChecked(true);
    Command2 = Place<QPushButton>({8, 48, 57, 17}, QStringLiteral("Command2"), Frame2);
    connect(Command2, &QPushButton::clicked, this, &Form1::Form1_Command2_Click);
}

void Form1::Restart(int16_t width, int16_t height) {
    bool made = false;
    WithEnoughMemory(*messageBox, QStringLiteral("make a map of %1 x %2 tiles").arg(width).arg(height),
                     [&] { made = tilora::NewMap(*this, history, width, height); });
    if (!made) return;
    projectFile_.clear();  // a new map is saved where the user says
    ShowNewMap(width, height);
}

// The file is read into a map of its own before the document is replaced: a
// file that cannot be read, or a map that does not fit in memory, leaves the
// document as it was.
void Form1::loadmap(int16_t width, int16_t height) {
    if (!tilora::IsMapSize(width, height)) return;
    bool read = false;
    WithEnoughMemory(*messageBox, QStringLiteral("import ") + DisplayPath(ImportFile), [&] {
        std::optional<tilora::CellArray> tiles = ReadFile(ImportFile, *messageBox, [&](tilora::InputFile& file) {
            tilora::CellArray cells(width, height);
            tilora::ReadRawMap(file.Source(), ScreenRepeat, cells);
            return cells;
        });
        if (!tiles) return;
        tilora::ReplaceMap(*this, history, std::move(*tiles), tilora::CellArray(width, height));
        read = true;
    });
    if (read) ShowNewMap(width, height);
}

// For a map just put in place: the view, a tile set.
void Form1::ShowNewMap(int16_t width, int16_t height) {
    tilora::MapReplaced(tools);
    ZoomTo1x(width, height);
    AskTileSet();
    StartEditing();
}

void Form1::StartEditing() {
    Timer1->start();
    Command1->setEnabled(true);
    for (QAction* action : mapActions_) action->setEnabled(true);
}

void Form1::Setup() { ZoomTo1x(MapWidth(), MapHeight()); }

void Form1::ZoomTo1x(int width, int height) {
    Zoom = 8;
    Option1->button(8)->click();
    SizeCanvas(Zoom * width, Zoom * height);
}

void Form1::Form1_new_Click() { form2->Open(Form2::Purpose::NewMap); }

void Form1::Form1_form2_SizeChosen(Form2::Purpose purpose, int16_t width, int16_t height) {
    if (purpose == Form2::Purpose::NewMap) {
        Restart(width, height);
    } else {
        loadmap(width, height);
    }
}

void Form1::Form1_end_Click() { close(); }

void Form1::closeEvent(QCloseEvent* event) {
    tilora::FinishStroke(*this, stroke, history);
    bool close = history.IsClean();
    if (!close) {
        switch (messageBox->AskSaveDiscardCancel(QStringLiteral("Save the map before closing?"), QStringLiteral("Tilora"))) {
            case MessageBox::Choice::Save: close = SaveProjectToItsFile(); break;
            case MessageBox::Choice::Discard: close = true; break;
            case MessageBox::Choice::Cancel: break;
        }
    }
    event->setAccepted(close);
}

void Form1::ShowUndoRedo() {
    undo->setEnabled(history.CanUndo() || stroke.active);
    redo->setEnabled(history.CanRedo());
}

// Undoing a new or loaded map brings back another size: the canvas follows,
// at the zoom it has.
void Form1::ShowMapSize() {
    if (Zoom != 0) SizeCanvas(MapWidth() * Zoom, MapHeight() * Zoom);
}

// Set up afresh for every command; an empty name is a cancel.
QByteArray Form1::AskFileName(FileDialogKind kind, const QString& title, const QString& filter,
                              const QString& suggested) {
    cdlg->title = title;
    cdlg->filter = filter;
    cdlg->fileName = suggested;
    if (kind == FileDialogKind::Open) {
        cdlg->ShowOpen();
    } else {
        cdlg->ShowSave();
    }
    return QFile::encodeName(cdlg->fileName);
}

void Form1::Form1_tlpsave_Click() { SaveProject(); }

void Form1::Form1_quicksave_Click() { SaveProjectToItsFile(); }

bool Form1::SaveProject() {
    const QByteArray path = AskFileName(FileDialogKind::Save, QStringLiteral("Save Tilora file"), kProjectFilter);
    return !path.isEmpty() && SaveProjectTo(path);
}

bool Form1::SaveProjectToItsFile() { return projectFile_.isEmpty() ? SaveProject() : SaveProjectTo(projectFile_); }

// The document goes to the file straight from its arrays.
bool Form1::SaveProjectTo(const QByteArray& path) {
    tilora::FinishStroke(*this, stroke, history);
    bool saved = false;
    WithEnoughMemory(*messageBox, QStringLiteral("save ") + DisplayPath(path), [&] {
        saved = WriteFiles({{path.toStdString(),
                             [&](const tilora::ByteSink& sink) {
                                 return tilora::WriteProjectFile(TileFile, MapTiles, MapCol, sink);
                             }}},
                           *messageBox);
    });
    if (saved) {
        history.MarkClean();
        projectFile_ = path;
    }
    return saved;
}

// The cells are read straight into the new map. A file that is refused
// changes nothing: with no map yet, laying the view out again would show a
// map that does not exist.
void Form1::Form1_tlpload_Click() {
    const QByteArray path = AskFileName(FileDialogKind::Open, QStringLiteral("Open Tilora file"), kProjectFilter);
    if (!path.isEmpty()) LoadProjectFrom(path);
}

// What it opens is where the history starts.
void Form1::OpenFile(const QByteArray& path) {
    if (LoadProjectFrom(path)) history.Reset();
}

bool Form1::LoadProjectFrom(const QByteArray& path) {
    std::optional<std::optional<tilora::MapProject>> project;
    WithEnoughMemory(*messageBox, QStringLiteral("load ") + DisplayPath(path), [&] {
        project = ReadFile(path, *messageBox, [](tilora::InputFile& file) {
            return tilora::ReadProjectFile(file.Source(), file.Size());
        });
    });
    if (!project) return false;
    if (!*project) {
        messageBox->Show(QStringLiteral("Warning: no valid *.tlp file!"), QStringLiteral("Warning"),
                         MessageIcon::Error);
        return false;
    }
    TakeProject(std::move(**project), path);
    return true;
}

// A tile set that is no longer where the project says is looked for beside
// the project, where a copied or moved project keeps it, before it is asked
// for. A tile set found is kept by its absolute path, so that the project
// saved again finds it from any folder, as one chosen in the dialog does.
void Form1::TakeProject(tilora::MapProject project, const QByteArray& projectPath) {
    tilora::FinishStroke(*this, stroke, history);
    tilora::ReplaceMap(*this, history, std::move(project.tiles), std::move(project.col));
    history.MarkClean();
    tilora::MapReplaced(tools);
    projectFile_ = projectPath;
    TileFile = project.tilePath;
    if (!FileExists(TileFile) && FileExists(BesideProject(TileFile, projectPath))) {
        TileFile = BesideProject(TileFile, projectPath);
    }
    if (FileExists(TileFile)) TileFile = tilora::AbsolutePath(TileFile);
    Setup();
    if (FileExists(TileFile)) {
        LoadTileSet();
    } else {
        AskTileSet();
    }
    StartEditing();
}

bool Form1::FileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void Form1::Form1_Load_Click() { StartImport(false); }

void Form1::Form1_LoadSpecial_Click() { StartImport(true); }

// The import goes on in loadmap once the dialog has the size.
void Form1::StartImport(bool screenRepeat) {
    const QByteArray path =
        AskFileName(FileDialogKind::Open, QStringLiteral("Import RAW Pokemon Mini map"), kRawMapFilter);
    if (path.isEmpty()) return;
    ScreenRepeat = screenRepeat;
    ImportFile = path;
    form2->Open(Form2::Purpose::Import);
}

void Form1::Form1_save_Click() {
    const QByteArray path = AskFileName(FileDialogKind::Save, kExportTitle, kRawMapFilter);
    if (path.isEmpty()) return;
    const auto cells = [](const tilora::CellArray& array) {
        return [&array](const tilora::ByteSink& sink) { return sink(array.Bytes()); };
    };
    WithEnoughMemory(*messageBox, QStringLiteral("export ") + DisplayPath(path), [&] {
        WriteFiles({{path.toStdString(), cells(MapTiles)}, {path.toStdString() + ".col", cells(MapCol)}},
                   *messageBox);
    });
}

void Form1::Form1_SaveSpecial_Click() {
    const QByteArray path = AskFileName(FileDialogKind::Save, kExportTitle, kRawMapFilter);
    if (path.isEmpty()) return;
    WithEnoughMemory(*messageBox, QStringLiteral("export ") + DisplayPath(path), [&] {
        WriteFiles({{path.toStdString(),
                     [&](const tilora::ByteSink& sink) { return tilora::WriteRawMapWithRepeat(MapTiles, sink); }}},
                   *messageBox);
    });
}

void Form1::Form1_Command1_Click() { AskTileSet(); }

void Form1::AskTileSet() {
    const QByteArray path =
        AskFileName(FileDialogKind::Open, QStringLiteral("Open Tilemap"), TileSetFilter());
    if (!path.isEmpty()) {
        const std::string previous = std::exchange(TileFile, path.toStdString());
        if (!LoadTileSet()) TileFile = previous;
    }
    show();
}

// The bitmap is read as a regular file first, so that a FIFO or a device
// named as the tile set is refused rather than waited for. A file that is no
// picture, or one too large for memory, leaves the tile set as it was and says
// so.
bool Form1::LoadTileSet() {
    show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    bool loaded = false;
    const QByteArray path = QByteArray::fromStdString(TileFile);
    WithEnoughMemory(*messageBox, QStringLiteral("load the tile set ") + DisplayPath(path), [&] {
        const std::string stamp = FileStamp(TileFile);
        const QImage bitmap = ReadPicture(path);
        if (bitmap.isNull()) return;
        tilora::LoadTileSet(*this, FromQImage(bitmap));
        tileFileStamp_ = stamp;
        loaded = true;
    });
    return loaded;
}

QImage Form1::ReadPicture(const QByteArray& path) {
    const std::optional<std::vector<uint8_t>> file = ReadWholeFile(path, *messageBox);
    if (!file) return {};
    const QImage picture = PictureOfFile(*file);
    if (picture.isNull()) {
        messageBox->Show(QStringLiteral("Cannot read this file as a picture:\n") + DisplayPath(path),
                         QStringLiteral("Error"), MessageIcon::Error);
    }
    return picture;
}

// A tile set saved again elsewhere is loaded again as "Load tiles" would,
// without a word: one that has gone, or cannot be read just now, keeps the
// sheets it gave.
void Form1::Form1_TileTimer_Timer() {
    const std::string stamp = FileStamp(TileFile);
    if (tileFileStamp_.empty() || stamp.empty() || stamp == tileFileStamp_) return;
    tileFileStamp_ = stamp;
    try {
        tilora::InputFile file(TileFile);
        std::vector<uint8_t> bytes(file.Failure() ? 0 : file.Size());
        bytes.resize(file.Read(bytes));
        const QImage bitmap = PictureOfFile(bytes);
        if (!file.Failure() && !bitmap.isNull()) tilora::LoadTileSet(*this, FromQImage(bitmap));
    } catch (const std::bad_alloc&) {
    }
}

void Form1::Form1_Command2_Click() { tilora::FillWith16x16Tile(*this, history); }

void Form1::Form1_Option1_Click(int Index) {
    Zoom = Index;
    SizeCanvas(MapWidth() * Zoom, MapHeight() * Zoom);
}

void Form1::SizeCanvas(int width, int height) {
    Picture2->resize(width, height);
    LayOutScrollBars();
}

void Form1::LayOutScrollBars() {
    LayOutScrollBar(HScroll1, Picture2->width(), Picture1->width());
    LayOutScrollBar(VScroll1, Picture2->height(), Picture1->height());
}

void Form1::Form1_Picture2_MouseDown(int Button, int /*Shift*/, int X, int Y) {
    const auto mode = Option2->isChecked() ? tilora::TileMode::Tiles8x8 : tilora::TileMode::Tiles16x16;
    WithEnoughMemory(*messageBox, QStringLiteral("change the map"),
                     [&] { tilora::CanvasPress(*this, *this, tools, stroke, history, mode, Button, X, Y); });
    ShowUndoRedo();
}

void Form1::Form1_Picture2_MouseMove(int Button, int /*Shift*/, int X, int Y) {
    tilora::CanvasMove(*this, *this, tools, stroke, Button, X, Y);
}

void Form1::Form1_Picture2_MouseUp(int /*Button*/, int /*Shift*/, int /*X*/, int /*Y*/) {
    tilora::CanvasRelease(*this, tools, stroke, history);
}

// The wheel scrolls the map, with Shift (or a sideways wheel) across; with
// Ctrl it steps the zoom, the cell under the pointer staying where it is.
void Form1::Form1_Picture2_MouseWheel(int Vertical, int Horizontal, int Shift, int X, int Y) {
    constexpr int kControl = 2, kShiftKey = 1;
    if (Shift & kControl) {
        if (Zoom != 0 && Vertical != 0) ZoomAround(std::clamp(Vertical > 0 ? Zoom * 2 : Zoom / 2, 8, 32), X, Y);
        return;
    }
    const int step = QApplication::wheelScrollLines() * kScrollSingleStep;
    QScrollBar* across = HScroll1;
    QScrollBar* down = (Shift & kShiftKey) ? HScroll1 : VScroll1;
    down->setValue(down->value() - Vertical * step);
    across->setValue(across->value() - Horizontal * step);
}

// The zoom changes as a click on its option would; the bars then bring the
// cell that was under the pointer back under it.
void Form1::ZoomAround(int zoom, int X, int Y) {
    if (zoom == Zoom) return;
    const QPoint pointer = Picture2->mapTo(Picture1, QPoint(X, Y));
    const int64_t canvasX = int64_t(X) * zoom / Zoom, canvasY = int64_t(Y) * zoom / Zoom;
    Option1->button(zoom)->click();
    HScroll1->setValue(int(std::clamp<int64_t>(canvasX + kCanvasInset - pointer.x(), 0, HScroll1->maximum())));
    VScroll1->setValue(int(std::clamp<int64_t>(canvasY + kCanvasInset - pointer.y(), 0, VScroll1->maximum())));
}

// Picking a tile goes back to painting.
void Form1::Form1_Picture3_MouseDown(int /*Button*/, int /*Shift*/, int X, int Y) {
    SelTile = tilora::PickerTileAt(X, Y);
    Label2->setText(QString::number(SelTile));
    tilora::ChooseTool(tools, tilora::MapTool::Paint);
    ShowTool();
}

void Form1::Form1_Picture3_MouseMove(int /*Button*/, int /*Shift*/, int X, int Y) {
    HoverTile = tilora::PickerTileAt(X, Y);
}

void Form1::Form1_HScroll1_Change() {
    Picture2->move(kCanvasInset - HScroll1->value(), Picture2->y());
    CanvasMoved();
}

void Form1::Form1_VScroll1_Change() {
    Picture2->move(Picture2->x(), kCanvasInset - VScroll1->value());
    CanvasMoved();
}

// The canvas shows only the part of the map drawn for the viewport; the part
// a scroll brings into view is drawn at once rather than at the next tick, as
// a canvas drawn whole would show it.
void Form1::CanvasMoved() {
    if (Timer1->isActive()) DrawMap();
}

void Form1::Form1_Timer1_Timer() {
    DrawMap();
    tilora::DrawPicker(*this, HoverTile, pickerPicture_);
    Picture3->ShowPicture(pickerPicture_);
    tilora::DrawPreview(*this, SelTile, previewPicture_);
    Picture4->ShowPicture(previewPicture_);
    StatusLabel->setText(QString::fromStdString(tilora::StatusText(*this, *this, tools)));
}

void Form1::DrawMap() {
    const QRect canvas = Picture2->geometry();
    const tilora::Rect visible = tilora::VisibleCanvasRect(
        {canvas.x(), canvas.y(), canvas.width(), canvas.height()}, Picture1->width(), Picture1->height());
    const tilora::Rect drawn = tilora::DrawMap(*this, *this, *this, visible, mapPicture_);
    tilora::DrawToolMarks(*this, *this, *this, tools, drawn, mapPicture_);
    Picture2->ShowPicture(mapPicture_, {drawn.x, drawn.y});
}
