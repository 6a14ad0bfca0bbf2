// The editing rules of the sprite editor, as named operations on the editor
// state: the tools on the canvas, the tool boxes and colour buttons, the
// library commands, and undo and redo. Every change of the library is one
// undo step; a pending line or rectangle's marker never is.
#pragma once

#include <optional>
#include <vector>

#include "editor_state.h"

// Mouse buttons as the handlers receive them; a move reports their sum.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;

// The start-up defaults: a library of one blank sprite, the colours, no
// pending shape.
void StartUp(EditorState& state);

// A click on a tool box: ticking one unticks the others, clicking the ticked
// one unticks it. While a shape waits for its second point no other box can
// be ticked, and unticking the shape's own box abandons the shape.
void ClickToolBox(EditorState& state, int box);

// A tool's key: ticks its box as a click would when it is not ticked; a
// ticked box stays ticked.
void SelectTool(EditorState& state, int box);

// A colour button: the right button chooses SecondaryColor, any other
// PrimaryColor.
void ChooseColour(EditorState& state, int Index, int Button);
void SwapColours(EditorState& state);

// The canvas, in canvas pixels. A press outside the 256 x 256 drawing area
// does nothing; one inside applies the first ticked tool: the pen starts a
// stroke, line and rectangle take a point, the fill fills. Moves of a stroke
// paint every cell on the way from the last position, clamped to the sprite;
// the release ends the stroke.
void CanvasPress(EditorState& state, int Button, float X, float Y);
void CanvasMove(EditorState& state, int Button, float X, float Y);
void CanvasRelease(EditorState& state);

// Puts back the code under a pending shape's marker.
void AbandonShape(EditorState& state);
// Ends a stroke whose release never came and abandons a pending shape, so
// that neither a stroke in progress nor a marker reaches a file.
void FinishEditing(EditorState& state);

// The sprite under a press in the sprite list becomes current; -1 is none.
void SelectSprite(EditorState& state, int index);

// Library commands; each is one undo step. Short of memory they throw
// std::bad_alloc with the library as it was.
void AddSprite(EditorState& state);
void MarkCurrentSprite(EditorState& state, bool deleted);
// A loaded library file: the library it replaces can be undone, and it is
// the clean point.
void LoadLibrary(EditorState& state, std::vector<Sprite> sprites);
// The raw import: the start-up defaults, then a library of just this sprite.
void ImportRawSprite(EditorState& state, const Sprite& sprite);
// A sprite file into the current sprite, which loses its deletion mark.
void ImportSprite(EditorState& state, const Sprite& sprite);
// Appends the sprites, in order: one step.
void AppendSprites(EditorState& state, const std::vector<Sprite>& sprites);
// Appends a blank sprite and makes it current, then imports the sprite if
// there is one: one step.
void AddSpriteAndImport(EditorState& state, const std::optional<Sprite>& sprite);

// Transforms of the current sprite, each one undo step that makes the
// sprite current; a pending line or rectangle is abandoned first. Every
// pixel code moves with its pixel, the mask and codes past it included.
void FlipHorizontally(EditorState& state);
void FlipVertically(EditorState& state);
// By 90 degrees about the sprite's centre.
void RotateClockwise(EditorState& state);
void RotateCounterClockwise(EditorState& state);
// One pixel right (dx 1), left (-1), down (dy 1) or up (-1), wrapping round:
// what leaves one edge comes in at the other.
void ShiftSprite(EditorState& state, int dx, int dy);
// Codes CodeLight and CodeDark exchange; every other code stays.
void SwapLightAndDark(EditorState& state);
// Every pixel CodeLight, as in a sprite that AddSprite appends.
void ClearSprite(EditorState& state);

// A copy of the current sprite, with its deletion mark, inserted right after
// it and made current: one step.
void DuplicateSprite(EditorState& state);
// The current sprite swaps places with its neighbour before it (step -1) or
// after it (step 1), its mark with it, and stays current: one step; nothing
// at the library's ends.
void MoveSprite(EditorState& state, int step);
// The current sprite's pixels become the sprite's; its mark stays: one step.
void PasteSprite(EditorState& state, const Sprite& sprite);

// Undo while a shape waits for its second point abandons the shape; that is
// the undo. Undo and redo make the sprite they change current.
void Undo(EditorState& state);
void Redo(EditorState& state);

// The library as it is now is where the history starts, as for a file opened
// with the program: nothing to undo or redo, and it is the clean point.
void StartHistory(EditorState& state);

// The library was saved as a library file: it is the clean point.
void LibrarySaved(EditorState& state);
// Whether the library differs from the one last loaded or saved.
bool LibraryModified(const EditorState& state);
