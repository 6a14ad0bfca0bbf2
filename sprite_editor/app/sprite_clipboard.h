// Copied sprites on the system clipboard, where other programs get them as a
// 16 x 16 picture with transparency, and where a picture from another program
// pastes as a sprite. The sprite copied last is also kept here, every pixel
// code as it was, and pasted from here for as long as the clipboard holds
// what this window put there.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "pixel_codes.h"
#include "sprite.h"

class SpriteClipboard {
public:
    void Copy(const Sprite& sprite, const CodeColours& colours);
    // What the clipboard holds as a sprite; nothing, with refusal set to the
    // message to show, when it holds anything else.
    std::optional<Sprite> Paste(QString& refusal) const;

private:
    std::optional<Sprite> copied_;
    QByteArray mark_;  // tells this window's copy from any other on the clipboard
};
