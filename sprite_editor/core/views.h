// What the canvas, the previews and the sprite list show, drawn into images.
#pragma once

#include <vector>

#include "image.h"
#include "sprite.h"

inline constexpr Colour kPreviewBackground = RGB(0, 128, 0);
inline constexpr Colour kGridColor = RGB(196, 0, 0);
inline constexpr Colour kListBackground = RGB(255, 255, 255);
inline constexpr int kCanvasSide = 256;  // 16 canvas pixels a sprite cell
inline constexpr int kCellPixels = 16;   // a sprite's cell in the sprite list
inline constexpr int kAnimationFrameSide = 64;  // the sprite at 4x

// The sprite at 1x, every code in its colour: the source of every enlarged view.
void DrawSprite(Image& picture4, const Sprite& sprite, const CodeColours& colours);

// The sprite at 1x as it looks over a background: transparent pixels are not
// painted, so the picture is cleared to its background first.
void DrawSpriteOverBackground(Image& picture5, const Sprite& sprite, const CodeColours& colours);

inline constexpr Colour kGuideColor = RGB(0, 96, 255);

// The 256 x 256 canvas: the sprite at 16x and a grid of fifteen lines each way
// between the cells, none at the outer edges. With guides, the lines between
// cells 7 and 8 each way, where the sprite's four 8 x 8 hardware tiles meet,
// take kGuideColor.
void DrawCanvas(Image& d, const Image& picture4, bool guides = false);

// A frame of the animation preview, 64 x 64: the sprite at 4x over
// kPreviewBackground, transparent pixels left out, in the dim colours when it
// is marked deleted, as the sprite list shows it.
void DrawAnimationFrame(Image& frame, const Sprite& sprite, bool deleted, const CodeColours& pixelColors,
                        const CodeColours& dimColors);

struct SpriteListState {
    const std::vector<Sprite>& Sprites;
    const std::vector<bool>& SpriteDeleted;
    int CurSprite;
    int scrolledRows;  // sprite rows scrolled off the top of the list
};

// Sprites in reading order, as many 16 x 16 cells to a row as fit the list's
// width, deleted ones dimmed, the current one framed by its border pixels in
// complementary colours. Only the rows that can show are drawn; what the list
// shows is the same as drawing every sprite and clipping.
void DrawSpriteList(Image& pxl, const SpriteListState& list, const CodeColours& pixelColors,
                    const CodeColours& dimColors);

// The rows scrolled off the top of the list that show the sprite row `row`
// with as little scrolling from scrolledRows as it takes, visibleRows showing.
int ScrolledRowsShowing(int row, int scrolledRows, int visibleRows);

// Sprites to a row of a list of the given inner width.
int SpriteListColumns(int innerWidth);

// The sprite drawn under (X, Y) in a list of the given inner size, or -1
// where none is; a position outside the list's drawing area, on its frame,
// selects none.
int SpriteAt(float X, float Y, int innerWidth, int innerHeight, int scrolledRows, int spriteLast);
