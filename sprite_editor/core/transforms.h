// Transforms of a whole sprite. Each returns the transformed sprite and keeps
// every pixel code as it is, the mask and codes past it included, apart from
// the one exchange that LightAndDarkSwapped makes.
#pragma once

#include "sprite.h"

Sprite FlippedHorizontally(const Sprite& sprite);
Sprite FlippedVertically(const Sprite& sprite);
// By 90 degrees about the sprite's centre.
Sprite RotatedClockwise(const Sprite& sprite);
Sprite RotatedCounterClockwise(const Sprite& sprite);
// By dx pixels right and dy pixels down (negative: left and up), wrapping
// round: what leaves one edge comes in at the other.
Sprite Shifted(const Sprite& sprite, int dx, int dy);
// Codes CodeLight and CodeDark exchange; every other code stays.
Sprite LightAndDarkSwapped(const Sprite& sprite);
