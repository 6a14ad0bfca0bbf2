#include "file_filter.h"

#include <gtest/gtest.h>

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

}  // namespace
