#include "sprite_editing.h"

#include <algorithm>
#include <utility>

#include "transforms.h"

namespace {

constexpr float kCanvasPixels = 16.0f * kSpriteSide;

bool OnCanvas(float X, float Y) { return X >= 0 && Y >= 0 && X < kCanvasPixels && Y < kCanvasPixels; }

int FirstTickedTool(const EditorState& state) {
    const auto ticked = std::find(state.ToolTicked.begin(), state.ToolTicked.end(), true);
    return ticked == state.ToolTicked.end() ? -1 : int(ticked - state.ToolTicked.begin());
}

// The code a button paints with: left PrimaryColor, right SecondaryColor,
// none for any other button or several at once.
std::optional<uint8_t> PaintCode(const EditorState& state, int Button) {
    if (Button == kLeftButton) return state.PrimaryColor;
    if (Button == kRightButton) return state.SecondaryColor;
    return std::nullopt;
}

// Records a one-change step whose edit is made already. Should the record
// find no memory, takeBack puts the library back as it was before the
// exception goes on.
template <typename TakeBack>
void RecordStep(EditorState& state, Change change, TakeBack takeBack) {
    try {
        Step step;
        step.changes.push_back(std::move(change));
        state.history.Push(std::move(step));
    } catch (...) {
        takeBack();
        throw;
    }
}

// Records an edit of one sprite that is made already; before is the sprite
// as it was. An edit that changed nothing is no step.
void RecordSpriteEdit(EditorState& state, int index, const Sprite& before, bool deletedBefore) {
    if (state.Sprites[size_t(index)] == before && state.Sprites.Deleted(size_t(index)) == deletedBefore) return;
    RecordStep(state, SpriteChange{index, before, deletedBefore}, [&] {
        state.Sprites[size_t(index)] = before;
        state.Sprites.SetDeleted(size_t(index), deletedBefore);
    });
}

template <typename Edit>
void EditCurrentSprite(EditorState& state, Edit edit) {
    const Sprite before = state.Current();
    const bool deletedBefore = state.Sprites.Deleted(size_t(state.CurSprite));
    edit(state.Current());
    RecordSpriteEdit(state, state.CurSprite, before, deletedBefore);
}

// The library goes into the step and the step's into the library, so that
// the old one is never copied; should the step not fit in memory, the swap is
// taken back.
void ReplaceLibrary(EditorState& state, SpriteLibrary library) {
    Step step;
    step.changes.emplace_back(LibraryChange{std::move(library), 0});
    auto& change = std::get<LibraryChange>(step.changes.back());
    std::swap(change.other, state.Sprites);
    std::swap(change.otherCurSprite, state.CurSprite);
    try {
        state.history.Push(std::move(step));
    } catch (...) {
        std::swap(change.other, state.Sprites);
        std::swap(change.otherCurSprite, state.CurSprite);
        throw;
    }
}

// Puts the sprite at index: one step.
void InsertSprite(EditorState& state, int index, const Sprite& sprite, bool deleted) {
    state.Sprites.Insert(size_t(index), sprite, deleted);
    RecordStep(state, AddedSprite{Sprite{}, false, index, state.CurSprite},
               [&] { state.Sprites.Remove(size_t(index)); });
}

void AppendBlankSprite(EditorState& state) { InsertSprite(state, int(state.Sprites.size()), Sprite{}, false); }

template <typename Transform>
void TransformCurrentSprite(EditorState& state, Transform transform) {
    FinishEditing(state);
    EditCurrentSprite(state, [&](Sprite& sprite) { sprite = transform(sprite); });
}

void RemoveMarker(EditorState& state) {
    const Marker marker = std::exchange(state.marker, Marker{});
    if (marker.sprite < 0 || marker.sprite > state.SpriteLast()) return;
    uint8_t& pixel = state.Sprites[size_t(marker.sprite)].Pixels(marker.cell.x, marker.cell.y);
    if (pixel == CodeMarker) pixel = marker.code;
}

void FinishStroke(EditorState& state) {
    Stroke& stroke = state.stroke;
    if (!stroke.active) return;
    stroke.active = false;
    if (stroke.sprite > state.SpriteLast()) return;
    RecordSpriteEdit(state, stroke.sprite, stroke.before, state.Sprites.Deleted(size_t(stroke.sprite)));
}

void PaintPenLine(EditorState& state, int Button, Cell from, Cell to) {
    if (const auto code = PaintCode(state, Button)) {
        DrawLine(state.Sprites[size_t(state.stroke.sprite)], from.x, from.y, to.x, to.y, *code);
    }
}

void StartStroke(EditorState& state, int Button, Cell cell) {
    state.stroke = Stroke{true, state.CurSprite, state.Current(), cell};
    PaintPenLine(state, Button, cell, cell);
}

// The first point leaves a marker; the second draws the shape over the
// sprite as it was without the marker, in PrimaryColor whatever the button.
void PlaceShapePoint(EditorState& state, int tool, Cell cell) {
    state.ShapePoints[size_t(state.PendingPoints)] = cell;
    if (++state.PendingPoints == 1) {
        state.marker = Marker{state.CurSprite, cell, state.Current().Pixels(cell.x, cell.y)};
        state.Current().Pixels(cell.x, cell.y) = CodeMarker;
        return;
    }
    state.PendingPoints = 0;
    RemoveMarker(state);
    const Cell p0 = state.ShapePoints[0], p1 = state.ShapePoints[1];
    EditCurrentSprite(state, [&](Sprite& sprite) {
        if (tool == Line) {
            DrawLine(sprite, p0.x, p0.y, p1.x, p1.y, state.PrimaryColor);
        } else {
            FillRect(sprite, p0.x, p0.y, p1.x, p1.y, state.PrimaryColor);
        }
    });
}

void Fill(EditorState& state, int Button, Cell cell) {
    if (const auto code = PaintCode(state, Button)) {
        EditCurrentSprite(state, [&](Sprite& sprite) { FloodFill(sprite, cell.x, cell.y, *code); });
    }
}

void ResetSettings(EditorState& state) {
    state.PendingPoints = 0;
    state.marker = Marker{};
    state.PrimaryColor = CodeDark;
    state.SecondaryColor = CodeLight;
    state.PixelColors = kPixelColors;
    state.DimColors = kDimColors;
    for (size_t n = 0; n < state.BitValue.size(); ++n) state.BitValue[n] = 1u << n;
}

}  // namespace

void StartUp(EditorState& state) {
    ResetSettings(state);
    state.Sprites = SpriteLibrary();
}

void ClickToolBox(EditorState& state, int box) {
    FinishStroke(state);
    bool& ticked = state.ToolTicked[size_t(box)];
    if (state.PendingPoints != 0) {
        if (ticked) {
            AbandonShape(state);
            ticked = false;
        }
        return;
    }
    ticked = !ticked;
    if (!ticked) return;
    for (int other = 0; other < kToolBoxes; ++other) {
        if (other != box) state.ToolTicked[size_t(other)] = false;
    }
}

void SelectTool(EditorState& state, int box) {
    if (!state.ToolTicked[size_t(box)]) ClickToolBox(state, box);
}

void ChooseColour(EditorState& state, int Index, int Button) {
    (Button == kRightButton ? state.SecondaryColor : state.PrimaryColor) = uint8_t(Index);
}

void SwapColours(EditorState& state) { std::swap(state.PrimaryColor, state.SecondaryColor); }

void CanvasPress(EditorState& state, int Button, float X, float Y) {
    FinishStroke(state);
    if (!OnCanvas(X, Y)) return;
    const Cell cell = CellUnderPointer(X, Y);
    switch (const int tool = FirstTickedTool(state)) {
        case Pen: StartStroke(state, Button, cell); break;
        case Line:
        case Rect: PlaceShapePoint(state, tool, cell); break;
        case Floodfill: Fill(state, Button, cell); break;
    }
}

void CanvasMove(EditorState& state, int Button, float X, float Y) {
    if (!state.stroke.active || !state.ToolTicked[Pen]) return;
    const Cell cell = CellUnderPointer(X, Y);
    PaintPenLine(state, Button, state.stroke.last, cell);
    state.stroke.last = cell;
}

void CanvasRelease(EditorState& state) { FinishStroke(state); }

void AbandonShape(EditorState& state) {
    RemoveMarker(state);
    state.PendingPoints = 0;
}

void FinishEditing(EditorState& state) {
    FinishStroke(state);
    AbandonShape(state);
}

void SelectSprite(EditorState& state, int index) {
    if (index >= 0 && index <= state.SpriteLast()) state.CurSprite = index;
}

void AddSprite(EditorState& state) {
    FinishEditing(state);
    AppendBlankSprite(state);
}

void MarkCurrentSprite(EditorState& state, bool deleted) {
    FinishEditing(state);
    EditCurrentSprite(state, [&](Sprite&) { state.Sprites.SetDeleted(size_t(state.CurSprite), deleted); });
}

void LoadLibrary(EditorState& state, std::vector<Sprite> sprites) {
    FinishEditing(state);
    ReplaceLibrary(state, SpriteLibrary(std::move(sprites)));
    state.history.MarkClean();
}

void ImportRawSprite(EditorState& state, const Sprite& sprite) {
    FinishEditing(state);
    ResetSettings(state);
    ReplaceLibrary(state, SpriteLibrary({sprite}));
}

void ImportSprite(EditorState& state, const Sprite& sprite) {
    FinishEditing(state);
    EditCurrentSprite(state, [&](Sprite& current) {
        current = sprite;
        state.Sprites.SetDeleted(size_t(state.CurSprite), false);
    });
}

void AppendSprites(EditorState& state, const std::vector<Sprite>& sprites) {
    FinishEditing(state);
    if (sprites.empty()) return;
    Step step;
    step.changes.reserve(sprites.size());
    for (size_t n = 0; n < sprites.size(); ++n) {
        step.changes.emplace_back(AddedSprite{Sprite{}, false, int(state.Sprites.size() + n), state.CurSprite});
    }
    size_t appended = 0;
    try {
        for (; appended < sprites.size(); ++appended) state.Sprites.Append(sprites[appended], false);
        state.history.Push(std::move(step));
    } catch (...) {
        for (; appended > 0; --appended) state.Sprites.RemoveLast();
        throw;
    }
}

void AddSpriteAndImport(EditorState& state, const std::optional<Sprite>& sprite) {
    FinishEditing(state);
    AppendBlankSprite(state);
    state.CurSprite = state.SpriteLast();
    if (!sprite || *sprite == Sprite{}) return;
    state.history.AddToLast(SpriteChange{state.CurSprite, Sprite{}, false});
    state.Current() = *sprite;
}

void FlipHorizontally(EditorState& state) { TransformCurrentSprite(state, FlippedHorizontally); }

void FlipVertically(EditorState& state) { TransformCurrentSprite(state, FlippedVertically); }

void RotateClockwise(EditorState& state) { TransformCurrentSprite(state, RotatedClockwise); }

void RotateCounterClockwise(EditorState& state) { TransformCurrentSprite(state, RotatedCounterClockwise); }

void ShiftSprite(EditorState& state, int dx, int dy) {
    TransformCurrentSprite(state, [=](const Sprite& sprite) { return Shifted(sprite, dx, dy); });
}

void SwapLightAndDark(EditorState& state) { TransformCurrentSprite(state, LightAndDarkSwapped); }

void ClearSprite(EditorState& state) {
    TransformCurrentSprite(state, [](const Sprite&) { return Sprite{}; });
}

void DuplicateSprite(EditorState& state) {
    FinishEditing(state);
    const int copy = state.CurSprite + 1;
    InsertSprite(state, copy, state.Current(), state.Sprites.Deleted(size_t(state.CurSprite)));
    state.CurSprite = copy;
}

// Two neighbours alike in pixels and mark leave the library as it was: the
// sprite moves, but no step is recorded.
void MoveSprite(EditorState& state, int step) {
    FinishEditing(state);
    const int from = state.CurSprite, to = from + step;
    if (step == 0 || to < 0 || to > state.SpriteLast()) return;
    const SpriteLibrary& library = state.Sprites;
    const bool alike =
        library[size_t(from)] == library[size_t(to)] && library.Deleted(size_t(from)) == library.Deleted(size_t(to));
    state.Sprites.Swap(size_t(from), size_t(to));
    if (!alike) RecordStep(state, MovedSprite{from, to}, [&] { state.Sprites.Swap(size_t(from), size_t(to)); });
    state.CurSprite = to;
}

void PasteSprite(EditorState& state, const Sprite& sprite) {
    TransformCurrentSprite(state, [&](const Sprite&) { return sprite; });
}

void Undo(EditorState& state) {
    FinishStroke(state);
    if (state.PendingPoints != 0) {
        AbandonShape(state);
        return;
    }
    state.history.Undo(state.Sprites, state.CurSprite);
}

void Redo(EditorState& state) {
    FinishEditing(state);
    state.history.Redo(state.Sprites, state.CurSprite);
}

void StartHistory(EditorState& state) {
    FinishEditing(state);
    state.history.Reset();
}

void LibrarySaved(EditorState& state) { state.history.MarkClean(); }

bool LibraryModified(const EditorState& state) { return !state.history.IsClean(); }
