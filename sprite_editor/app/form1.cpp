#include "form1.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include "animation_preview.h"
#include "file_access.h"
#include "file_filter.h"
#include "picture_box.h"
#include "sprite_editing.h"
#include "views.h"

namespace {

constexpr int kClientWidth = 455;
constexpr int kClientHeight = 383;
constexpr int kBorder = 2;  // of the bordered picture boxes, on each side

// A picture box whose inner drawing area is width x height at (left, top) of
// its container, its border (if any) around that area.
PictureBox* MakePicture(QWidget* parent, int left, int top, int width, int height, Colour background,
                        bool border) {
    auto* box = new PictureBox(parent, width, height, background, border);
    const int frame = border ? kBorder : 0;
    box->setGeometry(left, top, width + 2 * frame, height + 2 * frame);
    return box;
}

}  // namespace

Form1::Form1(std::unique_ptr<FileDialog> fileDialog, std::unique_ptr<MessageBox> messageBoxes, QWidget* parent)
    : QMainWindow(parent), d(kCanvasSide, kCanvasSide), cdlg(std::move(fileDialog)),
      messageBox(std::move(messageBoxes)) {
    BuildWindow();
    history.changed = [this] { ShowUndoRedo(); };
    Form1_Form_Load();
    Timer1->start();
    SpriteTimer->start();
}

Form1::~Form1() = default;

void Form1::BuildWindow() {
    setWindowTitle("Pixolin sprite editor 1.05");
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    // Captions were laid out for a narrow 8-point face.
    QFont font = client->font();
    font.setFamilies({"Nimbus Sans", "Liberation Sans", "Arial", "DejaVu Sans Condensed", "DejaVu Sans"});
    font.setPixelSize(11);
    client->setFont(font);
    setCentralWidget(client);
    BuildMenu();
    BuildEditMenu();
    BuildImageMenu();
    BuildSpriteMenu();
    BuildCurrentSpriteFrame();
    BuildSelectSpriteFrame();
    BuildKeys();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Form1::BuildMenu() {
    QMenu* dat = menuBar()->addMenu("File");
    const auto item = [&](const char* name, const char* caption, void (Form1::*handler)()) {
        QAction* action = dat->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    item("loadpxl", "Load Pixolin .pxl sprite library", &Form1::Form1_loadpxl_Click)->setShortcut(QKeySequence::Open);
    item("savepxl", "Save as Pixolin .pxl sprite library", &Form1::Form1_savepxl_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    dat->addSeparator()->setObjectName("foofooobar");
    item("loadpxs", "Import Pixolin .pxs file", &Form1::Form1_loadpxs_Click);
    item("savepxs", "Export as Pixolin .pxs file", &Form1::Form1_savepxs_Click);
    dat->addSeparator()->setObjectName("foobar");
    item("load1", "Import raw (1 Bit w/ Mask)", &Form1::Form1_load1_Click);
    item("sav1", "Export raw (1 Bit w/ Mask)", &Form1::Form1_sav1_Click);
    item("exallraw1b", "Export all as raw (1 Bit w/ Mask)", &Form1::Form1_exallraw1b_Click);
    dat->addSeparator()->setObjectName("foofu");
    item("sav2", "Export raw (2 Bit w/ Mask)", &Form1::Form1_sav2_Click);
    item("exrawall2", "Export all as raw (2 Bit w/ Mask)", &Form1::Form1_exrawall2_Click);
    dat->addSeparator()->setObjectName("foo");
    QAction* end = dat->addAction("End");
    end->setObjectName("end");
    end->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(end, &QAction::triggered, this, &QWidget::close);
}

// Keys as in the pixel editors artists know: each selects its tool or acts as
// a left click on its colour button; X swaps the two colours, Escape abandons
// a pending line or rectangle. Ctrl+S saves the library to its file, which
// the File menu has no item for.
void Form1::BuildKeys() {
    const auto key = [this](const QKeySequence& sequence, auto act) {
        auto* action = new QAction(this);
        action->setShortcut(sequence);
        connect(action, &QAction::triggered, this, act);
        addAction(action);
        return action;
    };
    const Qt::Key toolKeys[kToolBoxes] = {Qt::Key_B, Qt::Key_L, Qt::Key_U, Qt::Key_G};
    for (int box = 0; box < kToolBoxes; ++box) {
        key(toolKeys[box], [this, box] {
            SelectTool(*this, box);
            ShowToolBoxes();
        });
    }
    key(Qt::Key_Escape, [this] {
        AbandonShape(*this);
        ShowUndoRedo();
    });
    key(QKeySequence::Save, &Form1::Form1_quicksave_Click)->setObjectName("quicksave");
    for (int index = 0; index < 4; ++index) {
        key(Qt::Key(Qt::Key_1 + index), [this, index] {
            ChooseColour(*this, index, kLeftButton);
            ShowColours();
        });
    }
    key(Qt::Key_X, [this] {
        SwapColours(*this);
        ShowColours();
    });
}

void Form1::BuildCurrentSpriteFrame() {
    Frame3 = new QGroupBox("Current sprite", centralWidget());
    Frame3->setGeometry(8, 0, 289, 377);

    const char* tools[4] = {"Pen", "Line", "Rect", "Floodfill"};
    const char* toolTips[4] = {"Pen (B)", "Line (L)", "Rect (U)", "Floodfill (G)"};
    const QPoint toolPlaces[4] = {{160, 24}, {160, 40}, {160, 56}, {224, 24}};
    void (Form1::*toolHandlers[4])() = {&Form1::Form1_Check1_Click, &Form1::Form1_Check2_Click,
                                        &Form1::Form1_Check3_Click, &Form1::Form1_Check4_Click};
    for (int n = 0; n < 4; ++n) {
        Check[n] = new QCheckBox(tools[n], Frame3);
        Check[n]->setGeometry(toolPlaces[n].x(), toolPlaces[n].y(), 57, 17);
        Check[n]->setToolTip(toolTips[n]);
        connect(Check[n], &QCheckBox::toggled, this, toolHandlers[n]);
    }
    ShowToolBoxes();

    const QRect colourPlaces[4] = {{192, 80, 25, 25}, {224, 80, 25, 25}, {256, 80, 25, 25}, {224, 48, 57, 25}};
    const char* colourTips[4] = {"Light (1)", "Mid (2)", "Dark (3)", "Mask, transparent (4)"};
    for (int index = 0; index < 4; ++index) {
        Command2[index] = new ColourButton(Frame3, index == CodeMask ? "Mask (trans)" : "");
        Command2[index]->setGeometry(colourPlaces[index]);
        Command2[index]->setToolTip(colourTips[index]);
        QFont small = Command2[index]->font();
        small.setPixelSize(10);
        Command2[index]->setFont(small);
        connect(Command2[index], &ColourButton::MouseDown, this,
                [this, index](int button, int shift, float x, float y) {
                    Form1_Command2_MouseDown(index, button, shift, x, y);
                });
    }
    c = MakePicture(Frame3, 160, 80, 17, 17, 0, false);
    c2 = MakePicture(Frame3, 168, 88, 17, 17, 0, false);
    c->raise();  // the primary colour in front

    Frame1 = new QGroupBox("Preview", Frame3);
    Frame1->setGeometry(8, 16, 145, 89);
    Picture2 = MakePicture(Frame1, 8, 16, 64, 64, kPreviewBackground, false);
    Picture3 = MakePicture(Frame1, 80, 32, 32, 32, kPreviewBackground, false);
    Picture4 = MakePicture(Frame1, 120, 24, 16, 16, kPreviewBackground, false);
    Picture5 = MakePicture(Frame1, 120, 56, 16, 16, kPreviewBackground, false);

    Picture1 = MakePicture(Frame3, 16, 112, kCanvasSide, kCanvasSide, 0, true);
    connect(Picture1, &PictureBox::MouseDown, this, &Form1::Form1_Picture1_MouseDown);
    connect(Picture1, &PictureBox::MouseMove, this, &Form1::Form1_Picture1_MouseMove);
    connect(Picture1, &PictureBox::MouseUp, this, &Form1::Form1_Picture1_MouseUp);

    Timer1 = new QTimer(this);
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &Form1::Form1_Timer1_Timer);
}

void Form1::BuildSelectSpriteFrame() {
    Frame2 = new QGroupBox("Select sprite", centralWidget());
    Frame2->setGeometry(304, 0, 145, 377);
    // 116 x 241 with its border: 7 sprites to a row.
    pxl = MakePicture(Frame2, 8, 16, 116 - 2 * kBorder, 241 - 2 * kBorder, kListBackground, true);
    connect(pxl, &PictureBox::MouseDown, this, &Form1::Form1_pxl_MouseDown);
    connect(pxl, &PictureBox::MouseWheel, this, &Form1::Form1_pxl_MouseWheel);
    VScroll1 = new QScrollBar(Qt::Vertical, Frame2);
    VScroll1->setGeometry(125, 16, 16, 241);
    VScroll1->setRange(0, 0);

    const auto button = [&](const char* caption, int top, void (Form1::*handler)()) {
        auto* b = new QPushButton(caption, Frame2);
        b->setGeometry(8, top, 129, 17);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    Command1 = button("Add sprite", 264, &Form1::Form1_Command1_Click);
    Command3 = button("Import && Add sprite", 280, &Form1::Form1_Command3_Click);
    Command4 = button("Delete selected sprite", 304, &Form1::Form1_Command4_Click);
    Command5 = button("Undelete selected sprite", 320, &Form1::Form1_Command5_Click);
    Label1 = new QLabel("Note: Sprites are deleted when a pxl file is exported.", Frame2);
    Label1->setGeometry(8, 344, 129, 25);
    Label1->setWordWrap(true);
    QFont small = Label1->font();
    small.setPixelSize(10);
    Label1->setFont(small);

    SpriteTimer = new QTimer(this);
    SpriteTimer->setInterval(200);
    connect(SpriteTimer, &QTimer::timeout, this, &Form1::Form1_SpriteTimer_Timer);
}

// --- Library ---------------------------------------------------------------

void Form1::Form1_Form_Load() {
    StartUp(*this);
    ShowColours();
    LayOutSpriteListScrollBar();
}

void Form1::Form1_Command1_Click() {
    WithEnoughMemory(*messageBox, "add a sprite", [this] { AddSprite(*this); });
    LayOutSpriteListScrollBar();
}

void Form1::Form1_Command4_Click() { MarkCurrentSprite(*this, true); }

void Form1::Form1_Command5_Click() { MarkCurrentSprite(*this, false); }

void Form1::closeEvent(QCloseEvent* event) {
    bool close = !LibraryModified(*this);
    if (!close) {
        switch (messageBox->AskSaveDiscardCancel("Save the sprite library before closing?", "Pixolin")) {
            case MessageBox::Choice::Save: close = SaveLibraryToItsFile(); break;
            case MessageBox::Choice::Discard: close = true; break;
            case MessageBox::Choice::Cancel: break;
        }
    }
    event->setAccepted(close);
    if (close) preview->close();
}

// --- Tools -----------------------------------------------------------------

void Form1::Form1_Check1_Click() {
    ClickToolBox(*this, Pen);
    ShowToolBoxes();
}

void Form1::Form1_Check2_Click() {
    ClickToolBox(*this, Line);
    ShowToolBoxes();
}

void Form1::Form1_Check3_Click() {
    ClickToolBox(*this, Rect);
    ShowToolBoxes();
}

void Form1::Form1_Check4_Click() {
    ClickToolBox(*this, Floodfill);
    ShowToolBoxes();
}

// The boxes show the core's ticks; setting them raises no click.
void Form1::ShowToolBoxes() {
    for (int box = 0; box < kToolBoxes; ++box) {
        const QSignalBlocker quiet(Check[box]);
        Check[box]->setChecked(ToolTicked[box]);
    }
    if (undo) ShowUndoRedo();
}

void Form1::SetSwatch(PictureBox* swatch, uint8_t code) {
    swatch->SetPicture(Image(swatch->InnerWidth(), swatch->Picture().Height(), PixelColors[code]));
}

void Form1::ShowColours() {
    for (int index = 0; index < 4; ++index) Command2[index]->SetBackColor(PixelColors[index]);
    SetSwatch(c, PrimaryColor);
    SetSwatch(c2, SecondaryColor);
}

void Form1::Form1_Command2_MouseDown(int Index, int Button, int, float, float) {
    ChooseColour(*this, Index, Button);
    ShowColours();
}

void Form1::Form1_Picture1_MouseDown(int Button, int, float X, float Y) {
    CanvasPress(*this, Button, X, Y);
    ShowUndoRedo();
}

void Form1::Form1_Picture1_MouseMove(int Button, int, float X, float Y) { CanvasMove(*this, Button, X, Y); }

void Form1::Form1_Picture1_MouseUp(int, int, float, float) { CanvasRelease(*this); }

// --- Views -----------------------------------------------------------------

void Form1::Form1_Timer1_Timer() {
    const Sprite& S = Sprites[size_t(CurSprite)];
    Image picture4(kSpriteSide, kSpriteSide);
    DrawSprite(picture4, S, PixelColors);
    Picture4->SetPicture(picture4);
    Image picture5 = Picture5->Picture();
    DrawSpriteOverBackground(picture5, S, PixelColors);
    Picture5->SetPicture(picture5);
    Image picture3(32, 32), picture2(64, 64);
    StretchBlt(picture3, 0, 0, picture4, 2);
    StretchBlt(picture2, 0, 0, picture4, 4);
    Picture3->SetPicture(picture3);
    Picture2->SetPicture(picture2);
    DrawCanvas(d, picture4, Guides);
    Picture1->SetPicture(d);
}

void Form1::LayOutSpriteListScrollBar() {
    // The last value shows the library's last row at the bottom of the list.
    const int columns = std::max(SpriteListColumns(pxl->InnerWidth()), 1);
    const int rows = (int(Sprites.size()) + columns - 1) / columns;
    const int visibleRows = pxl->Picture().Height() / kCellPixels;
    VScroll1->setMaximum(std::max(rows - visibleRows, 0));
    VScroll1->setPageStep(visibleRows);
}

void Form1::Form1_SpriteTimer_Timer() {
    LayOutSpriteListScrollBar();
    Image list = pxl->Picture();
    DrawSpriteList(list, SpriteListState{Sprites.All(), Sprites.SpriteDeleted(), CurSprite, VScroll1->value()},
                   PixelColors, DimColors);
    pxl->SetPicture(list);
    const bool deleted = Sprites.Deleted(size_t(CurSprite));
    Command5->setEnabled(deleted);
    Command4->setEnabled(!deleted);
}

void Form1::Form1_pxl_MouseDown(int, int, float X, float Y) {
    SelectSprite(*this, SpriteAt(X, Y, pxl->InnerWidth(), pxl->Picture().Height(), VScroll1->value(), SpriteLast()));
}

void Form1::Form1_pxl_MouseWheel(int rows) { VScroll1->setValue(VScroll1->value() - rows); }

// --- Files -------------------------------------------------------------------

namespace {

constexpr const char* kExportRaw = "Export RAW";

}  // namespace

QString Form1::AskFile(void (FileDialog::*show)(), const char* filter, const char* title) {
    cdlg->filter = filter;
    cdlg->title = title;
    cdlg->fileName.clear();
    ((*cdlg).*show)();
    return cdlg->fileName;
}

QString Form1::AskOpenFile(const char* filter, const char* title) { return AskFile(&FileDialog::ShowOpen, filter, title); }

QString Form1::AskSaveFile(const char* filter, const char* title) { return AskFile(&FileDialog::ShowSave, filter, title); }

// A pending shape is abandoned first, so that its marker never reaches a
// file.
bool Form1::SaveFile(const QByteArray& path, const char* what, const FileContent& content) {
    FinishEditing(*this);
    bool saved = false;
    WithEnoughMemory(*messageBox, QString("%1 %2").arg(what, DisplayPath(path)),
                     [&] { saved = WriteFiles({{path.toStdString(), content}}, *messageBox); });
    return saved;
}

bool Form1::SaveLibrary() {
    const QString path = AskSaveFile(kLibraryFilter, "Save .pxl file");
    return !path.isEmpty() && SaveLibraryTo(QFile::encodeName(path));
}

bool Form1::SaveLibraryToItsFile() { return libraryFile_.isEmpty() ? SaveLibrary() : SaveLibraryTo(libraryFile_); }

bool Form1::SaveLibraryTo(const QByteArray& path) {
    const bool saved = SaveFile(path, "save", [this](const ByteSink& sink) {
        return WriteLibraryFile(Sprites.All(), Sprites.SpriteDeleted(), sink);
    });
    if (saved) {
        LibrarySaved(*this);
        libraryFile_ = path;
    }
    return saved;
}

void Form1::Form1_savepxl_Click() { SaveLibrary(); }

void Form1::Form1_quicksave_Click() { SaveLibraryToItsFile(); }

void Form1::Form1_loadpxl_Click() {
    const QString path = AskOpenFile(kLibraryFilter, "Load .pxl file");
    if (!path.isEmpty()) LoadLibraryFrom(QFile::encodeName(path));
}

// A library file or a sprite file, told apart by their magic; anything else
// is refused as a library file.
// What it opens is where the history starts.
void Form1::OpenFile(const QByteArray& path) {
    const auto start = ReadFileStart(path, 5, *messageBox);
    if (!start) return;
    bool opened = false;
    if (start->size() == 5 && std::equal(start->begin(), start->end(), "PMSPR")) {
        const std::optional<Sprite> sprite = ReadSpriteFileAt(path);
        if (sprite) ImportSprite(*this, *sprite);
        opened = sprite.has_value();
    } else {
        opened = LoadLibraryFrom(path);
    }
    if (opened) StartHistory(*this);
}

// The records are read straight into the new library.
bool Form1::LoadLibraryFrom(const QByteArray& path) {
    bool loaded = false;
    WithEnoughMemory(*messageBox, "load " + DisplayPath(path), [&] {
        const auto sprites = ReadFile(path, *messageBox,
                                      [](InputFile& file) { return ReadLibraryFile(file.Source(), file.Size()); });
        if (!sprites) return;
        if (!*sprites) {
            messageBox->Show("Invalid file", "ERROR", MessageIcon::Error);
            return;
        }
        LoadLibrary(*this, std::move(**sprites));
        libraryFile_ = path;
        loaded = true;
    });
    LayOutSpriteListScrollBar();
    return loaded;
}

void Form1::Form1_savepxs_Click() {
    const QString path = AskSaveFile(kSpriteFilter, "Save .pxs file");
    if (path.isEmpty()) return;
    SaveFile(QFile::encodeName(path), "export", [this](const ByteSink& sink) { return sink(WriteSpriteFile(Current())); });
}

std::optional<Sprite> Form1::AskSpriteFile() {
    const QString path = AskOpenFile(kSpriteFilter, "Open .pxs file");
    if (path.isEmpty()) return std::nullopt;
    return ReadSpriteFileAt(QFile::encodeName(path));
}

std::optional<Sprite> Form1::ReadSpriteFileAt(const QByteArray& path) {
    const auto file = ReadFileStart(path, kSpriteFileSize, *messageBox);
    if (!file) return std::nullopt;
    const std::optional<Sprite> sprite = ReadSpriteFile(*file);
    if (!sprite) messageBox->Show("PXS file is corrupt", "Error", MessageIcon::Error);
    return sprite;
}

void Form1::Form1_loadpxs_Click() {
    if (const std::optional<Sprite> sprite = AskSpriteFile()) ImportSprite(*this, *sprite);
}

// The appended sprite stays current whatever the import does.
void Form1::Form1_Command3_Click() {
    const std::optional<Sprite> sprite = AskSpriteFile();
    WithEnoughMemory(*messageBox, "add a sprite", [&] { AddSpriteAndImport(*this, sprite); });
    LayOutSpriteListScrollBar();
}

// The file is read and checked before the library is reset.
void Form1::Form1_load1_Click() {
    const QString path = AskOpenFile(kRaw1Filter, "Import RAW");
    if (path.isEmpty()) return;
    const auto file = ReadFileStart(QFile::encodeName(path), kRawSpriteBlockSize, *messageBox);
    if (!file) return;
    if (file->size() < kRawSpriteBlockSize) {
        messageBox->Show(QString("%1 holds %2 bytes: raw sprite data takes %3 bytes a sprite.")
                             .arg(path)
                             .arg(file->size())
                             .arg(kRawSpriteBlockSize),
                         "Error", MessageIcon::Error);
        return;
    }
    ImportRawSprite(*this, DecodeRawSpriteBlock(std::span<const uint8_t, kRawSpriteBlockSize>(file->data(), kRawSpriteBlockSize)));
    ShowColours();
    LayOutSpriteListScrollBar();
}

namespace {

// A content that encodes the sprites with one image test, block by block.
FileContent RawSprites(std::span<const Sprite> sprites, PixelTest image) {
    return [sprites, image](const ByteSink& sink) { return EncodeRawSprites(sprites, image, sink); };
}

}  // namespace

void Form1::Form1_sav1_Click() {
    const QString path = AskSaveFile(kRaw1Filter, kExportRaw);
    if (!path.isEmpty()) SaveFile(QFile::encodeName(path), "export", RawSprites(std::span(&Current(), 1), kRaw1Image));
}

void Form1::Form1_exallraw1b_Click() {
    const QString path = AskSaveFile(kRaw1AllFilter, kExportRaw);
    if (!path.isEmpty()) SaveFile(QFile::encodeName(path), "export", RawSprites(Sprites.All(), kRaw1AllImage));
}

void Form1::ExportFrames(std::span<const Sprite> sprites, const char* firstFilter, PixelTest first,
                         const char* secondFilter, PixelTest second) {
    const QString firstPath = AskSaveFile(firstFilter, kExportRaw);
    if (!firstPath.isEmpty()) SaveFile(QFile::encodeName(firstPath), "export", RawSprites(sprites, first));
    cdlg->filter = secondFilter;  // the title stays, the name starts with the first one
    cdlg->ShowSave();
    if (!cdlg->fileName.isEmpty()) SaveFile(QFile::encodeName(cdlg->fileName), "export", RawSprites(sprites, second));
}

// Grey pixels form complementary checkerboards in the two frames.
void Form1::Form1_sav2_Click() {
    ExportFrames(std::span(&Current(), 1), kRaw2FrameFilters[0], kRaw2Frames[0], kRaw2FrameFilters[1], kRaw2Frames[1]);
}

void Form1::Form1_exrawall2_Click() {
    ExportFrames(Sprites.All(), kRaw2ScreenFilters[0], kRaw2AllScreens[0], kRaw2ScreenFilters[1], kRaw2AllScreens[1]);
}
