// Everything the editor keeps, under the names the window's handlers use: the
// library, the current sprite, the colours of the two mouse buttons, the
// tools, a pending line or rectangle, and the undo history.
#pragma once

#include <array>
#include <cstdint>

#include "drawing.h"
#include "history.h"
#include "pixel_codes.h"
#include "sprite_library.h"

// The tool boxes, in the order the canvas looks at them.
enum ToolBox : int { Pen, Line, Rect, Floodfill };
constexpr int kToolBoxes = 4;

// Where the first point of a pending line or rectangle put its marker, and
// the code the marker replaced, to put back when the shape is abandoned.
struct Marker {
    int sprite = -1;
    Cell cell{};
    uint8_t code = 0;
};

// A pen stroke from press to release: one undo step however many cells it
// paints.
struct Stroke {
    bool active = false;
    int sprite = 0;
    Sprite before;  // the sprite when the stroke began
    Cell last{};    // the cell of the last position, where the next line starts
};

struct EditorState {
    SpriteLibrary Sprites;
    int CurSprite = 0;
    uint8_t PrimaryColor = CodeDark;     // painted with the left button
    uint8_t SecondaryColor = CodeLight;  // painted with the right button
    CodeColours PixelColors = kPixelColors;
    CodeColours DimColors = kDimColors;
    std::array<uint32_t, 8> BitValue{1, 2, 4, 8, 16, 32, 64, 128};  // bit n of a byte
    std::array<bool, kToolBoxes> ToolTicked{true, false, false, false};
    int PendingPoints = 0;  // points of a line or rectangle chosen so far
    std::array<Cell, 2> ShapePoints{};
    Marker marker;
    Stroke stroke;
    History history;

    int SpriteLast() const { return Sprites.SpriteLast(); }
    Sprite& Current() { return Sprites[size_t(CurSprite)]; }
};
