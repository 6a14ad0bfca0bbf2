// The "File" menu and "Import && Add sprite": dialogs as scripted, files as
// written on disk, the state after each command.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "failing_allocations.h"
#include "sprite_files.h"
#include "views.h"
#include "window_test_support.h"

namespace {

std::vector<uint8_t> Load(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = file.readAll();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void Save(const QString& path, const std::vector<uint8_t>& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

Sprite Numbered(int seed) {
    Sprite s;
    for (int i = 0; i < 256; ++i) s.bytes[i] = uint8_t((i * 3 + seed) % 4);
    return s;
}

struct Files : testing::Test {
    QTemporaryDir dir;
    TestWindow w;
    QString Path(const char* name) const { return dir.filePath(name); }
    void Answer(std::initializer_list<QString> names) { w.files->answers.assign(names.begin(), names.end()); }
    void ThreeSprites() {
        w->Form1_Command1_Click();
        w->Form1_Command1_Click();
        for (int i = 0; i < 3; ++i) w->Sprites[i] = Numbered(i);
    }
};

struct DialogCase {
    const char* name;
    void (Form1::*command)();
    bool save;
    const char* title;
    const char* filter;
};

class DialogSetUp : public Files, public testing::WithParamInterface<DialogCase> {};

// Every command sets the dialog up afresh, and a cancel changes nothing.
TEST_P(DialogSetUp, TitleFilterEmptyNameAndCancel) {
    const DialogCase& c = GetParam();
    ThreeSprites();
    w->CurSprite = 1;
    w->Sprites.SetDeleted(2, true);
    w.files->fileName = "left over";
    w.files->title = "left over";
    const std::vector<Sprite> before = w->Sprites.All();
    (w.form.get()->*c.command)();
    ASSERT_GE(w.files->calls.size(), 1u);
    const DialogCall& call = w.files->calls.front();
    EXPECT_EQ(call.save, c.save);
    EXPECT_EQ(call.title, c.title);
    EXPECT_EQ(call.filter, c.filter);
    EXPECT_EQ(call.fileName, "");
    EXPECT_EQ(w->Sprites.All(), before);
    EXPECT_EQ(w->CurSprite, 1);
    EXPECT_EQ(w->Sprites.SpriteDeleted(), (std::vector<bool>{false, false, true}));
    EXPECT_TRUE(w.messages->shown.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, DialogSetUp,
    testing::Values(
        DialogCase{"loadpxl", &Form1::Form1_loadpxl_Click, false, "Load .pxl file", "Pixolin library (*.pxl) |*.pxl"},
        DialogCase{"savepxl", &Form1::Form1_savepxl_Click, true, "Save .pxl file", "Pixolin library (*.pxl) |*.pxl"},
        DialogCase{"loadpxs", &Form1::Form1_loadpxs_Click, false, "Open .pxs file", "Pixolin sprite (*.pxs) |*.pxs"},
        DialogCase{"savepxs", &Form1::Form1_savepxs_Click, true, "Save .pxs file", "Pixolin sprite (*.pxs) |*.pxs"},
        DialogCase{"load1", &Form1::Form1_load1_Click, false, "Import RAW", "RAW 1 bit PM sprite with Mask (*.*) |*.*"},
        DialogCase{"sav1", &Form1::Form1_sav1_Click, true, "Export RAW", "RAW 1 bit PM sprite with Mask (*.*) |*.*"},
        DialogCase{"exallraw1b", &Form1::Form1_exallraw1b_Click, true, "Export RAW", "RAW 1 bit PM sprite data (*.*) |*.*"},
        DialogCase{"sav2", &Form1::Form1_sav2_Click, true, "Export RAW",
                   "RAW 2 bit PM sprite with Mask - frame 1 (*.*) |*.*"},
        DialogCase{"exrawall2", &Form1::Form1_exrawall2_Click, true, "Export RAW",
                   "RAW 1 bit PM sprite data - screen 1 (*.*) |*.*"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Files, LibrarySaveLeavesDeletedSpritesOutAndLoadReplacesTheLibrary) {
    ThreeSprites();
    w->Sprites.SetDeleted(1, true);
    Answer({Path("lib.pxl")});
    w->Form1_savepxl_Click();
    EXPECT_EQ(Load(Path("lib.pxl")).size(), 519u);
    EXPECT_EQ(w->Sprites.SpriteDeleted(), (std::vector<bool>{false, true, false}));  // saving changes nothing

    w->Form1_Command1_Click();
    w->CurSprite = 3;
    Answer({Path("lib.pxl")});
    w->Form1_loadpxl_Click();
    EXPECT_EQ(w->Sprites.All(), (std::vector<Sprite>{Numbered(0), Numbered(2)}));
    EXPECT_EQ(w->Sprites.SpriteDeleted(), (std::vector<bool>{false, false}));
    EXPECT_EQ(w->CurSprite, 0);
    EXPECT_TRUE(w.messages->shown.empty());
}

TEST_F(Files, SavingReplacesALongerFileWhole) {
    Save(Path("lib.pxl"), std::vector<uint8_t>(5000, 0xEE));
    Answer({Path("lib.pxl")});
    w->Form1_savepxl_Click();
    EXPECT_EQ(Load(Path("lib.pxl")), WriteLibraryFile(w->Sprites.All(), w->Sprites.SpriteDeleted()));
    Save(Path("one.raw"), std::vector<uint8_t>(5000, 0xEE));
    Answer({Path("one.raw")});
    w->Form1_sav1_Click();
    EXPECT_EQ(Load(Path("one.raw")).size(), 64u);
}

struct Refusal {
    const char* name;
    void (Form1::*command)();
    std::vector<uint8_t> file;
    const char* text;
    const char* title;
};

class RefusedFile : public Files, public testing::WithParamInterface<Refusal> {};

// A refused file shows its message with the error icon and changes nothing.
TEST_P(RefusedFile, ShowsItsMessageAndChangesNothing) {
    ThreeSprites();
    w->CurSprite = 2;
    w->Sprites.SetDeleted(2, true);
    const std::vector<Sprite> before = w->Sprites.All();
    Save(Path("file"), GetParam().file);
    Answer({Path("file")});
    (w.form.get()->*GetParam().command)();
    ASSERT_EQ(w.messages->shown.size(), 1u);
    EXPECT_EQ(w.messages->shown[0].text.toStdString(), GetParam().text);
    EXPECT_EQ(w.messages->shown[0].title, GetParam().title);
    EXPECT_EQ(w.messages->shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(w->Sprites.All(), before);
    EXPECT_EQ(w->CurSprite, 2);
    EXPECT_EQ(w->Sprites.SpriteDeleted(), (std::vector<bool>{false, false, true}));
}

std::vector<uint8_t> Text(const std::string& t) { return std::vector<uint8_t>(t.begin(), t.end()); }

std::vector<uint8_t> ShortLibrary() {
    std::vector<uint8_t> file = WriteLibraryFile({Sprite{}, Sprite{}}, {false, false});
    file.erase(file.end() - 10, file.end());
    return file;
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedFile,
    testing::Values(
        Refusal{"LowerCaseLibrary", &Form1::Form1_loadpxl_Click, {'p', 'x', 'l', 0, 0, 0, 0}, "Invalid file", "ERROR"},
        Refusal{"SpriteFileAsLibrary", &Form1::Form1_loadpxl_Click, WriteSpriteFile(Sprite{}), "Invalid file", "ERROR"},
        Refusal{"ShortLibrary", &Form1::Form1_loadpxl_Click, ShortLibrary(), "Invalid file", "ERROR"},
        Refusal{"HeaderOnly", &Form1::Form1_loadpxl_Click, Text("PXL"), "Invalid file", "ERROR"},
        Refusal{"LowerCaseSprite", &Form1::Form1_loadpxs_Click, Text("pmspr"), "PXS file is corrupt", "Error"},
        Refusal{"LibraryAsSprite", &Form1::Form1_loadpxs_Click, WriteLibraryFile({Sprite{}}, {false}),
                "PXS file is corrupt", "Error"},
        Refusal{"ShortSprite", &Form1::Form1_loadpxs_Click, Text("PMSPR\1\2\3"), "PXS file is corrupt", "Error"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Files, FileThatCannotBeReadOrWrittenIsNamedInTheMessage) {
    const QString missing = Path("missing.pxl");
    for (void (Form1::*command)() : {&Form1::Form1_loadpxl_Click, &Form1::Form1_loadpxs_Click, &Form1::Form1_load1_Click}) {
        w.messages->shown.clear();
        Answer({missing});
        (w.form.get()->*command)();
        ASSERT_EQ(w.messages->shown.size(), 1u);
        EXPECT_TRUE(w.messages->shown[0].text.contains(missing)) << w.messages->shown[0].text.toStdString();
        EXPECT_EQ(w.messages->shown[0].icon, MessageIcon::Error);
    }
    EXPECT_EQ(w->Sprites.size(), 1u);

    QDir(dir.path()).mkdir("folder");
    const QString intoMissingFolder = Path("nowhere/out.pxl");
    for (const QString& target : {intoMissingFolder, Path("folder")}) {
        w.messages->shown.clear();
        Answer({target});
        w->Form1_savepxl_Click();
        ASSERT_EQ(w.messages->shown.size(), 1u);
        EXPECT_TRUE(w.messages->shown[0].text.contains(target)) << w.messages->shown[0].text.toStdString();
    }
    EXPECT_TRUE(QFileInfo(Path("folder")).isDir());
    EXPECT_FALSE(QFile::exists(intoMissingFolder));
}

TEST_F(Files, AllDeletedLibraryLoadsAsOneBlankSprite) {
    ThreeSprites();
    for (size_t i = 0; i < 3; ++i) w->Sprites.SetDeleted(i, true);
    Answer({Path("empty.pxl"), Path("empty.pxl")});
    w->Form1_savepxl_Click();
    EXPECT_EQ(Load(Path("empty.pxl")), (std::vector<uint8_t>{'P', 'X', 'L', 0xFF, 0xFF, 0xFF, 0xFF}));
    w->Form1_loadpxl_Click();
    EXPECT_EQ(w->Sprites.All(), std::vector<Sprite>(1));
    EXPECT_EQ(w->SpriteLast(), 0);
    EXPECT_TRUE(w.messages->shown.empty());
}

// Codes above 4 from a file are kept, saved back as they were, and shown in a
// colour of their own.
TEST_F(Files, UnknownCodesAreKeptAndShown) {
    Sprite odd;
    for (int i = 0; i < 256; ++i) odd.bytes[i] = uint8_t(i);
    Save(Path("odd.pxl"), WriteLibraryFile({odd}, {false}));
    Answer({Path("odd.pxl"), Path("again.pxl")});
    w->Form1_loadpxl_Click();
    EXPECT_EQ(w->Sprites[0], odd);
    w->Form1_Timer1_Timer();
    w->Form1_SpriteTimer_Timer();
    EXPECT_EQ(w->d.Pixel(16 * 10 + 5, 16 * 15 + 5), RGB(255, 128, 0));  // code 250
    EXPECT_EQ(w->pxl->Picture().Pixel(3, 3), RGB(255, 128, 0));        // code 51
    w->Form1_savepxl_Click();
    EXPECT_EQ(Load(Path("again.pxl")), Load(Path("odd.pxl")));
}

TEST_F(Files, SpriteExportAndImport) {
    ThreeSprites();
    w->Sprites[0].Pixels(4, 4) = CodeMarker;
    Answer({Path("one.pxs")});
    w->Form1_savepxs_Click();
    EXPECT_EQ(Load(Path("one.pxs")), WriteSpriteFile(w->Sprites[0]));

    w->CurSprite = 2;
    w->Sprites.SetDeleted(2, true);
    Answer({Path("one.pxs")});
    w->Form1_loadpxs_Click();
    EXPECT_EQ(w->Sprites[2], w->Sprites[0]);
    EXPECT_FALSE(w->Sprites.Deleted(2));
    EXPECT_EQ(w->Sprites[1], Numbered(1));
    EXPECT_EQ(w->CurSprite, 2);
}

TEST_F(Files, ImportAndAddKeepsTheNewSpriteWhateverHappens) {
    Save(Path("bad.pxs"), Text("nonsense"));
    Save(Path("good.pxs"), WriteSpriteFile(Numbered(7)));
    Answer({QString(), Path("bad.pxs"), Path("good.pxs")});
    for (int added = 1; added <= 3; ++added) {
        QTest::mouseClick(w->Command3, Qt::LeftButton);
        EXPECT_EQ(w->SpriteLast(), added);
        EXPECT_EQ(w->CurSprite, added);
    }
    EXPECT_EQ(w->Sprites[1], Sprite{});
    EXPECT_EQ(w->Sprites[2], Sprite{});
    EXPECT_EQ(w->Sprites[3], Numbered(7));
    EXPECT_EQ(w.messages->shown.size(), 1u);
}

TEST_F(Files, RawImportResetsTheLibraryToTheImportedSprite) {
    ThreeSprites();
    w->CurSprite = 2;
    w->PrimaryColor = CodeMid;
    std::vector<uint8_t> raw(64, 0);
    std::fill(raw.begin(), raw.begin() + 16, 0xFF);
    raw.push_back(0x77);  // bytes after the block are ignored
    Save(Path("in.raw"), raw);
    Answer({Path("in.raw")});
    w->Form1_load1_Click();
    ASSERT_EQ(w->Sprites.size(), 1u);
    EXPECT_EQ(w->CurSprite, 0);
    EXPECT_EQ(w->PrimaryColor, CodeDark);  // the start-up defaults came back
    EXPECT_EQ(w->Sprites[0].Pixels(7, 15), CodeMask);
    EXPECT_EQ(w->Sprites[0].Pixels(8, 0), CodeLight);
}

// A file too short for one block is refused before anything is reset.
TEST_F(Files, RawImportOfAShortFileChangesNothing) {
    ThreeSprites();
    w->CurSprite = 1;
    Save(Path("short.raw"), std::vector<uint8_t>(63, 0xFF));
    Answer({Path("short.raw")});
    w->Form1_load1_Click();
    ASSERT_EQ(w.messages->shown.size(), 1u);
    EXPECT_TRUE(w.messages->shown[0].text.contains(Path("short.raw")));
    EXPECT_EQ(w->Sprites.size(), 3u);
    EXPECT_EQ(w->Sprites[1], Numbered(1));
    EXPECT_EQ(w->CurSprite, 1);
}

TEST_F(Files, RawExportsOfOneAndOfAll) {
    ThreeSprites();
    w->Sprites[1].bytes.fill(CodeMid);
    w->Sprites.SetDeleted(2, true);
    w->CurSprite = 1;
    Answer({Path("one.raw"), Path("all.raw")});
    w->Form1_sav1_Click();
    w->Form1_exallraw1b_Click();
    EXPECT_EQ(Load(Path("one.raw")), EncodeRawSprites(std::span(&w->Sprites[1], 1), IsDark));
    EXPECT_EQ(Load(Path("one.raw"))[16], 0x00);  // grey is light in the single export
    const std::vector<uint8_t> all = Load(Path("all.raw"));
    EXPECT_EQ(all, EncodeRawSprites(w->Sprites.All(), IsDarkOrGrey));
    EXPECT_EQ(all.size(), 192u);
    EXPECT_EQ(all[64 + 16], 0xFF);  // and dark in the export of all
    EXPECT_EQ(w->CurSprite, 1);
}

TEST_F(Files, TwoBitExportAsksTwiceTheSecondStartingWithTheFirstName) {
    w->Sprites[0].bytes.fill(CodeMid);
    Answer({Path("f1.raw"), Path("f2.raw")});
    w->Form1_sav2_Click();
    ASSERT_EQ(w.files->calls.size(), 2u);
    EXPECT_EQ(w.files->calls[1].filter, "RAW 2 bit PM sprite with Mask - frame 2 (*.*) |*.*");
    EXPECT_EQ(w.files->calls[1].title, "Export RAW");
    EXPECT_EQ(w.files->calls[1].fileName, Path("f1.raw"));
    EXPECT_TRUE(w.files->calls[1].save);
    EXPECT_EQ(Load(Path("f1.raw"))[16], 0xAA);
    EXPECT_EQ(Load(Path("f2.raw"))[16], 0x55);
}

TEST_F(Files, TwoBitExportWithTheFirstDialogCancelledStillWritesTheSecond) {
    for (int i = 0; i < 3; ++i) w->Form1_Command1_Click();
    for (size_t s = 0; s < w->Sprites.size(); ++s) w->Sprites[s].bytes.fill(CodeMid);
    w->Sprites.SetDeleted(3, true);
    w->CurSprite = 2;
    Answer({QString(), Path("s2.raw")});
    w->Form1_exrawall2_Click();
    ASSERT_EQ(w.files->calls.size(), 2u);
    EXPECT_EQ(w.files->calls[1].fileName, "");
    EXPECT_EQ(w.files->calls[1].filter, "RAW 1 bit PM sprite data - screen 2 (*.*) |*.*");
    EXPECT_FALSE(QFile::exists(Path("s1.raw")));
    const std::vector<uint8_t> screen2 = Load(Path("s2.raw"));
    ASSERT_EQ(screen2.size(), 256u);
    EXPECT_EQ(screen2[3 * 64 + 16], 0xAA);  // the deleted sprite is there too
    EXPECT_EQ(w->CurSprite, 2);

    Answer({Path("s1.raw"), QString()});
    w->Form1_exrawall2_Click();
    EXPECT_EQ(Load(Path("s1.raw"))[16], 0x55);
}

TEST_F(Files, SecondFileAcceptedUnderTheFirstNameReplacesIt) {
    w->Sprites[0].bytes.fill(CodeMid);
    Answer({Path("same.raw"), Path("same.raw")});
    w->Form1_sav2_Click();
    EXPECT_EQ(Load(Path("same.raw")), EncodeRawSprites(std::span(&w->Sprites[0], 1), IsDarkOrEvenGrey));
}

// A library of 4096 sprites is 1 MiB: with allocations of half that failing,
// loading, adding and importing say so and change nothing, while saving and
// exporting, which need no second copy of the library, work.
TEST_F(Files, ShortMemoryIsReportedAndSavesNeedNoSecondCopy) {
    const std::vector<Sprite> large(4096, Numbered(1));
    Save(Path("large.pxl"), WriteLibraryFile(large, std::vector<bool>(large.size(), false)));
    Answer({Path("large.pxl")});
    w->Form1_loadpxl_Click();
    ASSERT_EQ(w->Sprites.size(), 4096u);
    Answer({Path("large.pxl"), QString(), Path("out.pxl"), Path("out.raw")});
    {
        const FailingAllocations shortMemory(512 * 1024);
        w->Form1_loadpxl_Click();
        w->Form1_Command3_Click();
        w->Form1_savepxl_Click();
        w->Form1_exallraw1b_Click();
    }
    ASSERT_EQ(w.messages->shown.size(), 2u);
    EXPECT_EQ(w.messages->shown[0].text, "Not enough memory to load " + Path("large.pxl") + ".");
    EXPECT_EQ(w.messages->shown[1].text, "Not enough memory to add a sprite.");
    EXPECT_EQ(w.files->calls.size(), 5u);
    EXPECT_EQ(w->Sprites.All(), large);
    EXPECT_EQ(w->Sprites.SpriteDeleted().size(), 4096u);
    EXPECT_EQ(Load(Path("out.pxl")), Load(Path("large.pxl")));
    EXPECT_EQ(Load(Path("out.raw")).size(), 4096u * 64);
}

// A FIFO without a writer, or a device, is refused at once instead of
// blocking the window or reading without end.
TEST_F(Files, LoadingRefusesWhatIsNoRegularFile) {
    const QString fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (void (Form1::*command)() : {&Form1::Form1_loadpxl_Click, &Form1::Form1_loadpxs_Click, &Form1::Form1_load1_Click}) {
        for (const QString& path : {fifo, QString("/dev/zero")}) {
            w.messages->shown.clear();
            Answer({path});
            (w.form.get()->*command)();
            ASSERT_EQ(w.messages->shown.size(), 1u);
            EXPECT_EQ(w.messages->shown[0].text, "Cannot read " + path + ": not a regular file");
        }
    }
    EXPECT_EQ(w->Sprites.All(), std::vector<Sprite>(1));
}

// A large file chosen by mistake costs no more memory than what the format
// uses of it: 64 bytes of raw data, 261 of a sprite file.
TEST_F(Files, ImportsReadOnlyWhatTheyUse) {
    std::vector<uint8_t> raw(2 << 20, 0);
    std::fill(raw.begin(), raw.begin() + 16, 0xFF);
    Save(Path("large.raw"), raw);
    std::vector<uint8_t> sprite = WriteSpriteFile(Numbered(2));
    sprite.resize(2 << 20);
    Save(Path("large.pxs"), sprite);
    Answer({Path("large.raw"), Path("large.pxs")});
    {
        const FailingAllocations shortMemory(512 * 1024);
        w->Form1_load1_Click();
        w->Form1_loadpxs_Click();
    }
    EXPECT_TRUE(w.messages->shown.empty());
    EXPECT_EQ(w->Sprites.All(), std::vector<Sprite>{Numbered(2)});
}

// Every code through a PNG and a BMP sheet and back: appended as one step,
// the same library but for the codes past the mask, which come back as the
// shade of their colour.
TEST_F(Files, SpriteSheetsGoOutAndComeBackThroughPngAndBmp) {
    Sprite every, back;
    for (int i = 0; i < 256; ++i) {
        every.bytes[size_t(i)] = uint8_t(i);
        back.bytes[size_t(i)] = uint8_t(i < 4 ? i : i == CodeMarker ? CodeLight : CodeMid);
    }
    w->Sprites[0] = every;
    for (const char* name : {"sheet.png", "sheet.bmp"}) {
        TestWindow other;
        Answer({Path(name)});
        w->Form1_exportsheet_Click();
        other.files->answers = {Path(name)};
        other->Form1_importsheet_Click();
        EXPECT_EQ(other->Sprites.All(), (std::vector<Sprite>{Sprite{}, back})) << name;
        EXPECT_EQ(other->history.Steps(), 1u);
        other->Form1_undo_Click();
        EXPECT_EQ(other->Sprites.size(), 1u);
        EXPECT_TRUE(other.messages->shown.empty());
    }
    EXPECT_EQ(w.files->calls.back().filter, "PNG image (*.png) |*.png|BMP image (*.bmp) |*.bmp");
}

TEST_F(Files, PicturesThatHoldNoSpriteAreRefused) {
    QImage(15, 40, QImage::Format_RGB32).save(Path("narrow.png"));
    Save(Path("text.png"), {'n', 'o'});
    const struct {
        const char* name;
        QString message;
    } cases[] = {
        {"narrow.png", Path("narrow.png") + " is 15 x 40 pixels: a sprite takes 16 x 16."},
        {"text.png", "Cannot read this file as a picture: " + Path("text.png")},
    };
    for (const auto& c : cases) {
        w.messages->shown.clear();
        Answer({Path(c.name)});
        w->Form1_importsheet_Click();
        ASSERT_EQ(w.messages->shown.size(), 1u);
        EXPECT_EQ(w.messages->shown[0].text, c.message);
        EXPECT_EQ(w->Sprites.size(), 1u);
    }
}

}  // namespace
