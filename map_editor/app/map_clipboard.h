// Copied cells on the system clipboard. Other programs get them as text, one
// line a row of tile numbers separated by commas, and such text from another
// program pastes as cells. The cells copied last are also kept here whole,
// col flags included, and pasted from here for as long as the clipboard
// holds what this window put there.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "map_block.h"

class MapClipboard {
public:
    // The block as the clipboard's content. Text is left out for a block of
    // more than kLargestText cells, whose text would take hundreds of
    // megabytes; such a block pastes in this window only.
    void Copy(tilora::MapBlock block);
    // What the clipboard holds as cells; nothing, with refusal set to the
    // message to show, when it holds anything else.
    std::optional<tilora::MapBlock> Paste(QString& refusal) const;

    static constexpr int64_t kLargestText = int64_t(1) << 22;

private:
    std::optional<tilora::MapBlock> copied_;
    QByteArray mark_;  // tells this window's copy from any other on the clipboard
};
