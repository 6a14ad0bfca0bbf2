#include "file_filter.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <utility>

namespace {

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
    ASSERT_EQ(parts.size(), 4);
    EXPECT_EQ(parts[0] + u'|' + parts[1], "Bitmap (*.bmp) |*.bmp");
    for (const char* pattern : {"*.bmp", "*.png"}) EXPECT_EQ(parts[3].split(u';').count(pattern), 1) << pattern;
    EXPECT_TRUE(QtFileFilter(TileSetFilter()).startsWith("Bitmap (*.bmp);;Images (")) << parts[3].toStdString();
}

}  // namespace
