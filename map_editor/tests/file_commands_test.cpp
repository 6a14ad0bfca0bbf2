// The project file and the raw map commands of the editor window, through the
// menu with the file dialog scripted, against the bytes on disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "failing_allocations.h"
#include "form2.h"
#include "picture_box.h"
#include "project_file.h"
#include "raw_map.h"
#include "test_pictures.h"
#include "test_window.h"

using namespace tilora;

namespace {

using Bytes = std::vector<uint8_t>;

const QString kProjectFilter = "|Tilora file (*.tlp) |*.tlp|";
const QString kExportDialog = "save|Export RAW Pokemon Mini map|RAW 8 bit PM map file (*.*) |*.*|";
const QString kWarning = "Warning|Warning: no valid *.tlp file!";

class FileCommands : public WindowTest {
protected:
    void Trigger(const char* item, const QStringList& answers) {
        for (const QString& answer : answers) dialog->answers.push_back(answer);
        form->findChild<QAction*>(item)->trigger();
    }
    // A map of numbered tiles and a few col flags, on a tile set.
    void NumberedMap(int width, int height) {
        NewMap(width, height, SaveTiles(PatternBitmap(64, 32), "Kachel \u00e4.bmp"));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                form->MapTiles(x, y) = uint8_t(1 + x + 16 * y);
                form->MapCol(x, y) = (x * y) % 5 == 1;
            }
        }
        dialog->calls.clear();
    }
    // The import through the menu and the dialog, at a typed size.
    void Import(const char* item, const QString& file, int width, int height) {
        Trigger(item, {file});
        form->form2->Text1->setText(QString::number(width));
        form->form2->Text2->setText(QString::number(height));
        form->form2->Command2->click();
    }
    struct Document {
        CellArray tiles, col;
        std::string tileFile;
        int zoom;
        bool timer;
        friend bool operator==(const Document&, const Document&) = default;
    };
    Document Now() const {
        return {form->MapTiles, form->MapCol, form->TileFile, form->Zoom, form->Timer1->isActive()};
    }
};

TEST_F(FileCommands, ProjectSavesWholeAndLoadsBackWithItsTileSet) {
    NumberedMap(12, 8);
    const QString project = SaveFile("map.tlp", Bytes(1000, 0xAA));  // longer: replaced whole
    Trigger("tlpsave", {project});
    EXPECT_EQ(dialog->calls, QStringList{"save|Save Tilora file" + kProjectFilter});
    const Bytes saved = Load(project);
    ASSERT_EQ(saved.size(), 459u);
    const std::string path = form->TileFile;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(saved.data()) + 11, path.size()), path);
    EXPECT_EQ(saved, WriteProjectFile(path, form->MapTiles, form->MapCol));

    const Document before = Now();
    NewMap(30, 50);
    form->Option1->button(32)->click();
    form->dumm = RgbImage(kSheetSize, kSheetSize);
    dialog->calls.clear();
    Trigger("tlpload", {project});
    EXPECT_EQ(dialog->calls, QStringList{"open|Open Tilora file" + kProjectFilter});  // the tile set exists
    EXPECT_EQ(Now(), before);
    EXPECT_EQ(std::pair(form->MapWidth(), form->MapHeight()), std::pair(12, 8));
    EXPECT_EQ(form->Option1->checkedId(), 8);
    EXPECT_EQ(form->Picture2->size(), QSize(96, 64));
    EXPECT_EQ(form->dumm.Pixel(8, 0), PatternBitmap(64, 32).Pixel(8, 0));  // reloaded
    EXPECT_TRUE(messages->shown.isEmpty());
}

// Into a window without a map: a stored tile set that is not there, or none,
// is asked for after the map is taken over.
TEST_F(FileCommands, ProjectWithoutItsTileSetAsksForOne) {
    QDir(directory.path()).mkdir("folder");
    const QString tiles = SaveTiles(PatternBitmap(16, 8), "tiles.bmp");
    for (const QString& stored : {Path("gone.bmp"), QString(), Path("folder")}) {
        const CellArray cells(3, 2, Bytes{1, 2, 3, 4, 5, 6});
        const QString project = SaveFile("map.tlp", WriteProjectFile(stored.toStdString(), cells, CellArray(3, 2)));
        dialog->calls.clear();
        Trigger("tlpload", {project, tiles});
        EXPECT_EQ(dialog->calls, QStringList({"open|Open Tilora file" + kProjectFilter, kTileDialog}));
        EXPECT_EQ(form->MapTiles, cells);
        EXPECT_EQ(form->TileFile, QFile::encodeName(tiles).toStdString());
        EXPECT_EQ(form->TileLastCol, 1);
        EXPECT_TRUE(form->Timer1->isActive() && form->Command1->isEnabled());
        EXPECT_EQ(form->Zoom, 8);
    }
}

TEST_F(FileCommands, FileExistsOnlyForFiles) {
    QDir(directory.path()).mkdir("folder");
    const QString file = SaveFile("f.bin", {1});
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("fifo")).constData(), 0600), 0);
    EXPECT_TRUE(Form1::FileExists(QFile::encodeName(file).toStdString()));
    for (const QString& path : {Path("folder"), Path("missing"), QString(), Path("f.bin/x"), Path("fifo")}) {
        EXPECT_FALSE(Form1::FileExists(QFile::encodeName(path).toStdString())) << path.toStdString();
    }
}

// Neither a map nor the view changes, and no tile set is asked for: with no
// map yet the view would show one that does not exist.
TEST_F(FileCommands, RefusedProjectChangesNothing) {
    Bytes good = WriteProjectFile("t.bmp", CellArray(4, 3), CellArray(4, 3));
    Bytes lower = good, noWidth = good, negativeHeight = good;
    lower[0] = 't', lower[1] = 'l', lower[2] = 'p';
    noWidth[3] = 0;
    negativeHeight[10] = 0x80;
    const Bytes files[] = {lower, noWidth, negativeHeight, Bytes(good.begin(), good.end() - 1)};
    for (bool withMap : {false, true}) {
        if (withMap) NumberedMap(5, 4);
        for (const Bytes& file : files) {
            const Document before = Now();
            messages->shown.clear();
            dialog->calls.clear();
            Trigger("tlpload", {SaveFile("bad.tlp", file)});
            EXPECT_EQ(messages->shown, QStringList{kWarning});
            EXPECT_EQ(dialog->calls.size(), 1);
            EXPECT_EQ(Now(), before);
        }
    }
    EXPECT_EQ(form->Picture2->size(), QSize(40, 32));
}

// The files of a 3 x 1 map, and the repeat file read back plainly and with the
// repeat; an import clears the col flags.
TEST_F(FileCommands, ExportWritesTilesColFlagsAndRepeatAndImportReadsThemBack) {
    NumberedMap(3, 1);
    form->MapCol(1, 0) = 1;
    // Longer files than the new ones: replaced whole.
    const QString map = SaveFile("m.bin", Bytes(50, 9)), col = SaveFile("m.bin.col", Bytes(50, 9));
    const QString repeat = Path("r.bin");
    Trigger("save", {map});
    Trigger("SaveSpecial", {repeat});
    Trigger("save", {});  // cancelled
    EXPECT_EQ(dialog->calls, QStringList({kExportDialog, kExportDialog, kExportDialog}));
    EXPECT_EQ(Load(map), (Bytes{1, 2, 3}));
    EXPECT_EQ(Load(col), (Bytes{0, 1, 0}));
    EXPECT_EQ(Load(repeat), (Bytes{1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3}));
    EXPECT_FALSE(QFile::exists(repeat + ".col"));

    const struct {
        const char* item;
        int width, height;
        Bytes tiles;
    } imports[] = {{"LoadSpecial", 3, 1, {1, 2, 3}},
                   {"Load", 3, 2, {1, 2, 3, 1, 2, 3}},
                   {"LoadSpecial", 3, 2, {1, 2, 3, 0, 0, 0}},
                   {"Load", 5, 1, {1, 2, 3, 1, 2}}};
    for (const auto& i : imports) {
        form->MapCol = CellArray(3, 1, Bytes{1, 1, 1});
        Import(i.item, repeat, i.width, i.height);
        EXPECT_EQ(form->MapTiles.Bytes(), i.tiles) << i.item << " " << i.width << " x " << i.height;
        EXPECT_EQ(form->MapCol, CellArray(i.width, i.height));
    }
    Import("Load", repeat, 4, 4);  // short: the rest 0
    EXPECT_EQ(form->MapTiles, CellArray(4, 4, Load(repeat)));
    EXPECT_EQ(form->TileLastCol, 7);  // the tile dialogs were cancelled: the set stays
    EXPECT_TRUE(messages->shown.isEmpty());
}

// Each says which file and why; nothing on disk or in the window changes.
TEST_F(FileCommands, FilesThatCannotBeReadOrWrittenAreReportedAndChangeNothing) {
    NumberedMap(4, 2);
    QDir(directory.path()).mkdir("folder");
    const QString old = SaveFile("m.bin", Bytes(10, 7));
    QDir(directory.path()).mkdir("m.bin.col");  // the col file cannot be written
    const QString imported = SaveFile("gone.bin", Bytes(8, 1));
    const Document before = Now();
    const struct {
        const char* item;
        QString path, message;
    } cases[] = {
        {"tlpload", Path("missing.tlp"), "Cannot open " + Path("missing.tlp") + ": No such file or directory"},
        {"tlpload", Path("folder"), "Cannot read " + Path("folder") + ": not a regular file"},
        {"tlpsave", Path("nowhere/m.tlp"), "Cannot write " + Path("nowhere/m.tlp") + ": No such file or directory"},
        {"tlpsave", Path("folder"), "Cannot write " + Path("folder") + ": Is a directory"},
        {"save", old, "Cannot write " + old + ".col: Is a directory"},
        {"SaveSpecial", Path("nowhere/r.bin"), "Cannot write " + Path("nowhere/r.bin") + ": No such file or directory"},
        {"Load", imported, "Cannot open " + imported + ": No such file or directory"},  // removed before Ok
    };
    for (const auto& c : cases) {
        messages->shown.clear();
        Trigger(c.item, {c.path});
        if (c.path == imported) {
            QFile::remove(imported);
            form->form2->Command2->click();
        }
        EXPECT_EQ(messages->shown, QStringList{"Error|" + c.message}) << c.item;
        EXPECT_EQ(Now(), before);
    }
    EXPECT_EQ(Load(old), Bytes(10, 7));
    EXPECT_TRUE(QFileInfo(Path("folder")).isDir() && QFileInfo(old + ".col").isDir());
    EXPECT_EQ(QDir(directory.path()).entryList(QDir::Files), QStringList({"Kachel \u00e4.bmp", "m.bin"}));
}

// With memory short, each command says so and the document stays as it was;
// no tile set is asked for.
TEST_F(FileCommands, CommandsWithoutEnoughMemorySaySoAndChangeNothing) {
    const CellArray large(1024, 1024);
    const QString project = SaveFile("large.tlp", WriteProjectFile("", large, large));
    const QString raw = SaveFile("large.bin", large.Bytes());
    NumberedMap(4, 2);
    const Document before = Now();
    const FailingAllocations shortMemory(512 * 1024);
    form->Restart(1024, 1024);
    Trigger("tlpload", {project});
    Import("Load", raw, 1024, 1024);
    EXPECT_EQ(messages->shown, QStringList({"Error|Not enough memory to make a map of 1024 x 1024 tiles.",
                                            "Error|Not enough memory to load " + project + ".",
                                            "Error|Not enough memory to import " + raw + "."}));
    EXPECT_EQ(Now(), before);
    EXPECT_EQ(dialog->calls.size(), 2);  // the project and the raw map, no tile set
}

// The map goes to its files straight from its arrays: no second copy of it is
// needed, so saving works where one more map would not fit.
TEST_F(FileCommands, SavesAndExportsNeedNoSecondCopyOfTheMap) {
    NumberedMap(1024, 1024);
    const QString project = Path("large.tlp"), map = Path("large.bin");
    {
        const FailingAllocations shortMemory(512 * 1024);
        Trigger("tlpsave", {project});
        Trigger("save", {map});
        Trigger("SaveSpecial", {Path("repeat.bin")});
    }
    EXPECT_TRUE(messages->shown.isEmpty()) << messages->shown.join("\n").toStdString();
    EXPECT_EQ(Load(project), WriteProjectFile(form->TileFile, form->MapTiles, form->MapCol));
    EXPECT_EQ(Load(map + ".col"), form->MapCol.Bytes());
    EXPECT_EQ(Load(Path("repeat.bin")), WriteRawMapWithRepeat(form->MapTiles));
}

// A FIFO without a writer, or a device, is refused at once instead of
// blocking the window or reading without end.
TEST_F(FileCommands, LoadingRefusesWhatIsNoRegularFile) {
    NumberedMap(4, 2);
    const Document before = Now();
    const QString fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    Trigger("tlpload", {fifo});
    Trigger("tlpload", {"/dev/zero"});
    Import("Load", fifo, 4, 4);
    dialog->answers.push_back(fifo);
    form->Command1->click();  // as the tile set
    const QString refused = "Error|Cannot read %1: not a regular file";
    EXPECT_EQ(messages->shown,
              QStringList({refused.arg(fifo), refused.arg("/dev/zero"), refused.arg(fifo), refused.arg(fifo)}));
    EXPECT_EQ(Now(), before);
}

// A tile set whose name is no UTF-8 (Latin-1 here, as an older system wrote
// it) is found and written back byte for byte.
TEST_F(FileCommands, TilePathsAreTheFileSystemsBytes) {
    const QByteArray tiles = QFile::encodeName(directory.path()) + "/Kachel-\xE4.bmp";
    SaveTiles(PatternBitmap(16, 8), "utf8.bmp");
    ASSERT_EQ(::rename(QFile::encodeName(Path("utf8.bmp")).constData(), tiles.constData()), 0);
    const QString project = SaveFile("latin1.tlp", WriteProjectFile(tiles.toStdString(), CellArray(3, 2), CellArray(3, 2)));
    Trigger("tlpload", {project});
    EXPECT_EQ(dialog->calls.size(), 1);  // the tile set was found: not asked for
    EXPECT_EQ(form->TileFile, tiles.toStdString());
    EXPECT_EQ(form->TileLastCol, 1);
    Trigger("tlpsave", {project});
    EXPECT_EQ(Load(project), WriteProjectFile(tiles.toStdString(), CellArray(3, 2), CellArray(3, 2)));
}

}  // namespace
