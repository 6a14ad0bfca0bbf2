#!/bin/sh
# Converts the sample bitmaps of examples/ into each Pokemon Mini layout and
# says what it wrote.
#   dotpress-demo.sh <dotpress> <examples folder> <output folder>
set -eu
dotpress=$1
examples=$2
out=$3
mkdir -p "$out"

press() {  # options, bitmap, output name, what it is
    "$dotpress" "$1" "$examples/$2" "$out/$3"
    printf '%-28s %5d bytes  %s\n' "$out/$3" "$(wc -c < "$out/$3")" "$4"
}

echo "dotpress $(basename "$examples")/tiles.bmp ($("$dotpress" -w "$examples/tiles.bmp")) and sprite.bmp ($("$dotpress" -w "$examples/sprite.bmp")):"
press -m tiles.bmp tiles-m.raw "1 bit, dithered, 1st screen"
press -M tiles.bmp tiles-M.raw "1 bit, dithered, 2nd screen"
press -k tiles.bmp tiles-k.raw "1 bit, non-dithered, 1st screen"
press -K tiles.bmp tiles-K.raw "1 bit, non-dithered, 2nd screen"
press -kK sprite.bmp sprite-kK.raw "sprite data with masking"
