// Every filter of the file dialogs, shown in Qt's own dialog: each of its
// entries lists the files of the kind it names.
#include "file_filter.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>

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
    const std::string all = "level.raw lib.pxl one.pxs sheet.bmp sheet.png sprite";
    for (const QString& name : QString::fromStdString(all).split(u' ')) QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
    const struct {
        QString filter;
        std::vector<std::string> listed;  // under each entry
    } cases[] = {
        {kLibraryFilter, {{"lib.pxl"}}},
        {kSpriteFilter, {{"one.pxs"}}},
        {kRaw1Filter, {all}},
        {kRaw1AllFilter, {all}},
        {kRaw2FrameFilters[0], {all}},
        {kRaw2FrameFilters[1], {all}},
        {kRaw2ScreenFilters[0], {all}},
        {kRaw2ScreenFilters[1], {all}},
        {kSheetFilter, {{"sheet.png"}, {"sheet.bmp"}}},
        {PictureFilter(), {"sheet.bmp sheet.png", all}},
    };
    for (const auto& c : cases) EXPECT_EQ(Listed(c.filter, folder.path()), c.listed) << c.filter.toStdString();
}

}  // namespace
