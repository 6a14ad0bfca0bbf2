#include "map_view.h"

#include <gtest/gtest.h>

#include "test_pictures.h"

using namespace tilora;

namespace {

// Only the wanted part is drawn, and it matches drawing every cell whole:
// the cursor cell inverted whatever its col flag, col cells from the marked sheet.
TEST(DrawMap, DrawsThePartAsEveryCellDrawnWholeShowsIt) {
    const struct {
        int zoom;
        Rect wanted, drawn;
    } cases[] = {{8, {0, 0, 400, 400}, {0, 0, 320, 240}},      {8, {13, 7, 100, 50}, {13, 7, 100, 50}},
                 {16, {37, 29, 361, 316}, {37, 29, 361, 316}}, {32, {1100, 800, 361, 316}, {1100, 800, 180, 160}},
                 {32, {-20, -20, 50, 40}, {0, 0, 30, 20}},     {16, {700, 0, 50, 50}, {}}};
    for (const auto& c : cases) {
        Editor state = RandomMap(40, 30, c.zoom, unsigned(c.zoom + c.wanted.x));
        state.CursorX = (c.drawn.x + 40) / c.zoom;
        state.CursorY = (c.drawn.y + 20) / c.zoom;
        state.MapCol(state.CursorX, state.CursorY) = 1;
        RgbImage picture(3, 3, kGrey);
        ASSERT_EQ(DrawMap(state, state, state, c.wanted, picture), c.drawn);
        ASSERT_EQ(picture.Width() * picture.Height(), c.drawn.width * c.drawn.height);
        for (int y = 0; y < picture.Height(); ++y) {
            for (int x = 0; x < picture.Width(); ++x) {
                ASSERT_EQ(picture.Pixel(x, y), ExpectedCanvasPixel(state, state, state, c.drawn.x + x, c.drawn.y + y))
                    << "zoom " << c.zoom << ", canvas pixel " << c.drawn.x + x << "," << c.drawn.y + y;
            }
        }
    }
}

}  // namespace
