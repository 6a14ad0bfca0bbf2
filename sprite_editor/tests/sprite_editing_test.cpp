// The editing rules and the undo history, on the editor state alone.
#include "sprite_editing.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <vector>

#include "failing_allocations.h"

namespace {

// The canvas position of the middle of a sprite cell.
constexpr float Centre(int cell) { return float(16 * cell + 8); }

Sprite Numbered(int seed) {
    Sprite s;
    for (int i = 0; i < 256; ++i) s.bytes[i] = uint8_t((i * 3 + seed) % 4);
    return s;
}

// Three numbered sprites, the second current.
EditorState ThreeSprites() {
    EditorState state;
    LoadLibrary(state, {Numbered(0), Numbered(1), Numbered(2)});
    state.CurSprite = 1;
    return state;
}

void Press(EditorState& state, int x, int y, int button = kLeftButton) {
    CanvasPress(state, button, Centre(x), Centre(y));
    CanvasRelease(state);
}

void Tick(EditorState& state, int box) {
    if (!state.ToolTicked[size_t(box)]) ClickToolBox(state, box);
}

struct StepCase {
    const char* name;
    std::function<void(EditorState&)> edit;
    int currentAfterUndo, currentAfterRedo;
    std::function<void(EditorState&)> prepare = [](EditorState&) {};
};

// The edit just made was one step, undone to the library before it and
// redone to the one after it, each making the sprite it changed current.
void ExpectOneStepUndoneAndRedone(EditorState& state, const SpriteLibrary& before, size_t stepsBefore,
                                  int currentAfterUndo, int currentAfterRedo) {
    const SpriteLibrary after = state.Sprites;
    ASSERT_NE(after, before);
    EXPECT_EQ(state.history.Steps(), stepsBefore + 1);
    SelectSprite(state, 0);
    Undo(state);
    EXPECT_EQ(state.Sprites, before);
    EXPECT_EQ(state.CurSprite, currentAfterUndo);
    SelectSprite(state, 0);
    Redo(state);
    EXPECT_EQ(state.Sprites, after);
    EXPECT_EQ(state.CurSprite, currentAfterRedo);
}

class EveryEdit : public testing::TestWithParam<StepCase> {};

TEST_P(EveryEdit, IsOneStepUndoneAndRedone) {
    EditorState state = ThreeSprites();
    GetParam().prepare(state);
    const size_t stepsBefore = state.history.Steps();
    const SpriteLibrary before = state.Sprites;
    GetParam().edit(state);
    ExpectOneStepUndoneAndRedone(state, before, stepsBefore, GetParam().currentAfterUndo, GetParam().currentAfterRedo);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, EveryEdit,
    testing::Values(
        StepCase{"PenStroke",
                 [](EditorState& s) {
                     CanvasPress(s, kLeftButton, Centre(1), Centre(1));
                     for (int x = 2; x < 9; ++x) CanvasMove(s, kLeftButton, Centre(x), Centre(1));
                     CanvasRelease(s);
                 },
                 1, 1},
        StepCase{"Line",
                 [](EditorState& s) {
                     Tick(s, Line);
                     Press(s, 0, 0);
                     Press(s, 9, 4);
                 },
                 1, 1},
        StepCase{"Rect",
                 [](EditorState& s) {
                     Tick(s, Rect);
                     Press(s, 5, 7);
                     Press(s, 2, 3);
                 },
                 1, 1},
        StepCase{"Fill",
                 [](EditorState& s) {
                     Tick(s, Floodfill);
                     s.PrimaryColor = CodeMarker + 1;
                     Press(s, 0, 0);
                 },
                 1, 1},
        StepCase{"AddSprite", [](EditorState& s) { AddSprite(s); }, 1, 3},
        StepCase{"Delete", [](EditorState& s) { MarkCurrentSprite(s, true); }, 1, 1},
        StepCase{"Undelete", [](EditorState& s) { MarkCurrentSprite(s, false); }, 1, 1,
                 [](EditorState& s) { s.Sprites.SetDeleted(1, true); }},
        StepCase{"SpriteImport", [](EditorState& s) { ImportSprite(s, Numbered(3)); }, 1, 1},
        StepCase{"ImportAndAdd", [](EditorState& s) { AddSpriteAndImport(s, Numbered(3)); }, 1, 3},
        StepCase{"LibraryLoad", [](EditorState& s) { LoadLibrary(s, {Numbered(5)}); }, 1, 0},
        StepCase{"RawImport", [](EditorState& s) { ImportRawSprite(s, Numbered(7)); }, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Sprite 1 of three holds the bytes 0 to 255, sprites 0 and 2 are marked
// deleted, and a pending line's marker sits on the current sprite. Each edit
// drops the marker and gives the library that expected makes of the one before.
struct LibraryCase {
    const char* name;
    int current;
    std::function<void(EditorState&)> edit;
    std::function<SpriteLibrary(SpriteLibrary)> expected;
    int currentAfter;
};

class LibraryEdit : public testing::TestWithParam<LibraryCase> {};

TEST_P(LibraryEdit, GivesTheExpectedLibraryInOneStep) {
    const LibraryCase& c = GetParam();
    EditorState state = ThreeSprites();
    for (int i = 0; i < 256; ++i) state.Sprites[1].bytes[size_t(i)] = uint8_t(i);
    state.Sprites.SetDeleted(0, true);
    state.Sprites.SetDeleted(2, true);
    state.CurSprite = c.current;
    const SpriteLibrary before = state.Sprites;
    const size_t stepsBefore = state.history.Steps();
    Tick(state, Line);
    Press(state, 3, 5);
    c.edit(state);
    EXPECT_EQ(state.Sprites, c.expected(before));
    EXPECT_EQ(state.CurSprite, c.currentAfter);
    if (state.Sprites == before) {
        EXPECT_EQ(state.history.Steps(), stepsBefore);
    } else {
        ExpectOneStepUndoneAndRedone(state, before, stepsBefore, c.current, c.currentAfter);
    }
}

// Sprite 1's pixel (x, y) goes to to(x, y) with its code changed by code.
LibraryCase Transform(const char* name, std::function<void(EditorState&)> edit, std::function<Cell(int, int)> to,
                      std::function<uint8_t(uint8_t)> code = [](uint8_t c) { return c; }) {
    return {name, 1, edit, [=](SpriteLibrary library) {
                for (int i = 0; i < 256; ++i) {
                    const Cell cell = to(i % 16, i / 16);
                    library[1].Pixels(cell.x, cell.y) = code(uint8_t(i));
                }
                return library;
            }, 1};
}

LibraryCase Shift(const char* name, int dx, int dy) {
    return Transform(name, [=](EditorState& s) { ShiftSprite(s, dx, dy); },
                     [=](int x, int y) { return Cell{(x + dx + 16) % 16, (y + dy + 16) % 16}; });
}

Cell Same(int x, int y) { return {x, y}; }

// order holds the old index of each sprite after the edit; marks come along.
LibraryCase Reorder(const char* name, int current, std::function<void(EditorState&)> edit, std::vector<size_t> order,
                    int currentAfter) {
    return {name, current, edit, [=](const SpriteLibrary& before) {
                std::vector<Sprite> sprites;
                for (size_t n : order) sprites.push_back(before[n]);
                SpriteLibrary library(sprites);
                for (size_t n = 0; n < order.size(); ++n) library.SetDeleted(n, before.Deleted(order[n]));
                return library;
            }, currentAfter};
}

void MoveUp(EditorState& s) { MoveSprite(s, -1); }
void MoveDown(EditorState& s) { MoveSprite(s, 1); }

INSTANTIATE_TEST_SUITE_P(
    Edits, LibraryEdit,
    testing::Values(
        Transform("FlipHorizontally", FlipHorizontally, [](int x, int y) { return Cell{15 - x, y}; }),
        Transform("FlipVertically", FlipVertically, [](int x, int y) { return Cell{x, 15 - y}; }),
        Transform("RotateClockwise", RotateClockwise, [](int x, int y) { return Cell{15 - y, x}; }),
        Transform("RotateCounterClockwise", RotateCounterClockwise, [](int x, int y) { return Cell{y, 15 - x}; }),
        Shift("ShiftRight", 1, 0), Shift("ShiftLeft", -1, 0), Shift("ShiftDown", 0, 1), Shift("ShiftUp", 0, -1),
        Transform("SwapLightAndDark", SwapLightAndDark, Same,
                  [](uint8_t c) { return c == CodeLight ? uint8_t(CodeDark) : c == CodeDark ? uint8_t(CodeLight) : c; }),
        Transform("Clear", ClearSprite, Same, [](uint8_t) { return uint8_t(CodeLight); }),
        Transform("Paste", [](EditorState& s) { PasteSprite(s, Numbered(0)); }, Same,
                  [](uint8_t i) { return Numbered(0).bytes[i]; }),
        Reorder("DuplicateFirst", 0, DuplicateSprite, {0, 0, 1, 2}, 1),
        Reorder("DuplicateLast", 2, DuplicateSprite, {0, 1, 2, 2}, 3),
        Reorder("MoveFirstDown", 0, MoveDown, {1, 0, 2}, 1), Reorder("MoveLastUp", 2, MoveUp, {0, 2, 1}, 1),
        Reorder("MoveFirstUp", 0, MoveUp, {0, 1, 2}, 0), Reorder("MoveLastDown", 2, MoveDown, {0, 1, 2}, 2)),
    [](const auto& info) { return std::string(info.param.name); });

// Short of memory for its step, an edit is taken back. The undone addition
// leaves room in the library, so that only the step's record can fail.
TEST(History, AnEditWithoutMemoryForItsStepKeepsTheLibrary) {
    for (const auto edit : {DuplicateSprite, MoveDown, FlipHorizontally}) {
        EditorState state = ThreeSprites();
        AddSprite(state);
        Undo(state);
        const SpriteLibrary before = state.Sprites;
        const FailingAllocations shortMemory(sizeof(Change));
        EXPECT_THROW(edit(state), std::bad_alloc);
        EXPECT_EQ(state.Sprites, before);
    }
}

// The marker of a pending shape is no step: undo puts back the code under it,
// and a completed shape undoes to the sprite without it.
TEST(History, PendingShapeMarkerNeverReachesTheHistory) {
    EditorState state = ThreeSprites();
    const SpriteLibrary before = state.Sprites;
    Tick(state, Line);
    Press(state, 2, 2);
    ASSERT_EQ(state.Sprites[1].Pixels(2, 2), CodeMarker);
    EXPECT_EQ(state.history.Steps(), 1u);  // the load only
    Undo(state);
    EXPECT_EQ(state.PendingPoints, 0);
    EXPECT_EQ(state.Sprites, before);
    Press(state, 2, 2);
    Press(state, 6, 2);
    Undo(state);
    EXPECT_EQ(state.Sprites, before);
    Redo(state);
    for (int x = 2; x <= 6; ++x) EXPECT_EQ(state.Sprites[1].Pixels(x, 2), CodeDark);
}

TEST(History, ANewEditDropsTheRedoSteps) {
    EditorState state = ThreeSprites();
    AddSprite(state);
    Undo(state);
    EXPECT_TRUE(state.history.CanRedo());
    MarkCurrentSprite(state, true);
    EXPECT_FALSE(state.history.CanRedo());
    EXPECT_EQ(state.Sprites.size(), 3u);
}

// Loads of a library of 10,000 sprites: the history stays within its bound,
// dropping the oldest steps, and the newest load can still be undone.
TEST(History, StaysWithinItsMemoryBound) {
    EditorState state;
    for (int load = 0; load < 40; ++load) LoadLibrary(state, std::vector<Sprite>(10000, Numbered(load)));
    EXPECT_LE(state.history.Bytes(), History::kByteLimit);
    EXPECT_LT(state.history.Steps(), 40u);
    EXPECT_GE(state.history.Steps(), 20u);
    Undo(state);
    EXPECT_EQ(state.Sprites[9999], Numbered(38));
}

// The clean point is the library last loaded or saved; undo and redo reach it
// again until a new edit leaves it among the dropped redo steps.
// Short of memory for the history's own record, a load leaves the library
// it would have replaced; loads go on until the record needs a new block.
TEST(History, ALoadWithoutMemoryForItsStepKeepsTheLibrary) {
    EditorState state = ThreeSprites();
    for (int loads = 0; loads < 100; ++loads) {
        const std::vector<Sprite> before = state.Sprites.All();
        try {
            const FailingAllocations shortMemory(512);
            LoadLibrary(state, {Numbered(loads)});
        } catch (const std::bad_alloc&) {
            EXPECT_EQ(state.Sprites.All(), before);
            return;
        }
    }
    ADD_FAILURE() << "no load ran short of memory";
}

TEST(History, CleanPointFollowsUndoAndRedo) {
    EditorState state;
    EXPECT_FALSE(LibraryModified(state));
    const struct {
        const char* name;
        std::function<void(EditorState&)> act;
        bool modified;
    } sequence[] = {
        {"edit", [](EditorState& s) { AddSprite(s); }, true},
        {"undo", [](EditorState& s) { Undo(s); }, false},
        {"redo", [](EditorState& s) { Redo(s); }, true},
        {"save", [](EditorState& s) { LibrarySaved(s); }, false},
        {"undo past it", [](EditorState& s) { Undo(s); }, true},
        {"other edit", [](EditorState& s) { MarkCurrentSprite(s, true); }, true},
        {"undo", [](EditorState& s) { Undo(s); }, true},
        {"load", [](EditorState& s) { LoadLibrary(s, {Numbered(1)}); }, false},
        {"raw import", [](EditorState& s) { ImportRawSprite(s, Numbered(2)); }, true},
    };
    for (const auto& step : sequence) {
        step.act(state);
        EXPECT_EQ(LibraryModified(state), step.modified) << step.name;
    }
}

// A fast drag paints the cells between two positions as a line would; a
// press outside the drawing area paints nothing, a drag that leaves clamps.
TEST(Pen, DragsPaintEveryCellOnTheWayAndOnlyFromInsideTheCanvas) {
    EditorState state;
    CanvasPress(state, kLeftButton, Centre(0), Centre(0));
    CanvasMove(state, kLeftButton, Centre(10), Centre(5));
    CanvasMove(state, kLeftButton, 600, Centre(5));
    CanvasRelease(state);
    Sprite expected;
    DrawLine(expected, 0, 0, 10, 5, CodeDark);
    DrawLine(expected, 10, 5, 15, 5, CodeDark);
    EXPECT_EQ(state.Sprites[0], expected);
    for (const auto& [x, y] : {std::pair{-1.0f, 8.0f}, {256.0f, 8.0f}, {8.0f, -0.5f}, {8.0f, 257.0f}}) {
        CanvasPress(state, kLeftButton, x, y);
        CanvasMove(state, kLeftButton, Centre(3), Centre(3));
        CanvasRelease(state);
        EXPECT_EQ(state.Sprites[0], expected) << x << ", " << y;
    }
}

}  // namespace
