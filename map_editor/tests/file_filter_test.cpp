#include "file_filter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <utility>

namespace {

// What Qt's file dialog lists in folder under each entry of a filter, the
// names of each entry in order, separated by spaces.
std::vector<std::string> Listed(const QString& filter, const QString& folder) {
    const QString qtFilter = QtFileFilter(filter);
    std::vector<std::string> listed;
    for (const QString& entry : qtFilter.split(QStringLiteral(";;"))) {
        QFileDialog dialog(nullptr, {}, folder, qtFilter);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto* model = dialog.findChild<QFileSystemModel*>();
        dialog.selectNameFilter(entry);
        // The folder is read in the background and its files come in one
        // batch; an entry that lists none waits the whole time.
        const QModelIndex root = model->index(folder);
        (void)QTest::qWaitFor([&] { return model->rowCount(root) > 0; }, 5000);
        QStringList names;
        for (int row = 0; row < model->rowCount(root); ++row) names << model->index(row, 0, root).data().toString();
        names.sort();
        listed.push_back(names.join(u' ').toStdString());
    }
    return listed;
}

TEST(FileFilter, EachEntryListsTheFilesOfItsKind) {
    QTemporaryDir folder;
    const std::string all = "level.map level.tlp map tiles.bmp tiles.png";
    for (const QString& name : QString::fromStdString(all).split(u' ')) QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
    const struct {
        QString filter;
        std::vector<std::string> listed;  // under each entry
    } cases[] = {
        {kProjectFilter, {"level.tlp"}},
        {kRawMapFilter, {all}},
        {TileSetFilter(), {"tiles.bmp", "tiles.bmp tiles.png", all}},
    };
    for (const auto& c : cases) EXPECT_EQ(Listed(c.filter, folder.path()), c.listed) << c.filter.toStdString();
}

TEST(QtFileFilter, TurnsDescriptionBarPatternIntoQtsForm) {
    const struct {
        const char* filter;
        const char* qt;
    } cases[] = {
        {"Bitmap (*.bmp) |*.bmp", "Bitmap (*.bmp)"},
        {"Tilora file (*.tlp) |*.tlp", "Tilora file (*.tlp)"},
        {"RAW 8 bit PM map file (*.*) |*.*", "RAW 8 bit PM map file (*)"},
        {"Pictures|*.bmp;*.png|All|*.*", "Pictures (*.bmp *.png);;All (*)"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(QtFileFilter(c.filter).toStdString(), c.qt) << c.filter;
}

TEST(DefaultSuffix, IsTheFirstPatternWhenItIsOneExtension) {
    for (const auto& [filter, suffix] : {std::pair{"Tilora file (*.tlp) |*.tlp", "tlp"},
                                         std::pair{"Bitmap (*.bmp) |*.bmp|Images |*.bmp;*.png", "bmp"},
                                         std::pair{"RAW 8 bit PM map file (*.*) |*.*", ""},
                                         std::pair{"Images |*.bmp;*.png", ""}, std::pair{"Maps |map*.tlp", ""}}) {
        EXPECT_EQ(DefaultSuffix(filter).toStdString(), suffix) << filter;
    }
}

TEST(TileSetFilter, OffersBitmapsFirstThenEveryReadableImage) {
    const QStringList parts = TileSetFilter().split(u'|');
    ASSERT_EQ(parts.size(), 6);
    EXPECT_EQ(parts[0] + u'|' + parts[1], "Bitmap (*.bmp) |*.bmp");
    for (const char* pattern : {"*.bmp", "*.png"}) EXPECT_EQ(parts[3].split(u';').count(pattern), 1) << pattern;
    EXPECT_TRUE(QtFileFilter(TileSetFilter()).startsWith("Bitmap (*.bmp);;Images (")) << parts[3].toStdString();
}

}  // namespace
