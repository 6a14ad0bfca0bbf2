#!/bin/sh
# Compares dotpress with ImageMagick on every PNG and BMP variant ImageMagick
# writes, each made by ImageMagick from the test picture data/ref-rgb.bmp, and
# on the bitmaps of data/bmpsuite: "dotpress -t" must write the bytes that
# "convert X -depth 8 rgb:-" decodes (red, green, blue a pixel; alpha is left
# out by both). Two rules of dotpress differ from ImageMagick's, and are
# checked as such: 16-bit samples v become round(v / 257), where ImageMagick
# cuts them down (so those files are compared with its 16-bit decode), and
# 4-bit channels are widened by repeating their bits (v * 17), where
# ImageMagick shifts them (v * 16).
#   imagemagick_check.sh <dotpress> <data folder>
# Skips (exit 77) where ImageMagick's convert is not installed.
set -eu

dotpress=$1
source=$2/ref-rgb.bmp
convert=${CONVERT:-convert}
command -v "$convert" >/dev/null 2>&1 || { echo "convert is not installed: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

same=0
different=0
# One sample a line: numbers FILE BYTES-A-SAMPLE.
numbers() { od -An -v -tu"$2" --endian=little "$1" | tr -s ' ' '\n' | sed '/^$/d'; }

# Whether dotpress -t on NAME writes, for each sample v of ImageMagick's
# BITS-bit decode, the byte the awk EXPRESSION of v gives, or, without one,
# exactly ImageMagick's 8-bit decode: agrees NAME [BITS EXPRESSION].
agrees() {
    "$dotpress" -t "$work/$1" "$work/dotpress.raw" || return 1
    "$convert" "$work/$1" -depth "${2:-8}" -endian LSB "rgb:$work/magick.raw"
    [ $# -eq 1 ] && { cmp -s "$work/dotpress.raw" "$work/magick.raw"; return; }
    numbers "$work/dotpress.raw" 1 > "$work/dotpress.txt"
    numbers "$work/magick.raw" $(($2 / 8)) > "$work/magick.txt"
    [ "$(wc -l < "$work/dotpress.txt")" -eq "$(wc -l < "$work/magick.txt")" ] &&
        paste "$work/dotpress.txt" "$work/magick.txt" | awk "{ v = \$2; if (\$1 != $3) exit 1 }"
}

check() {
    if agrees "$@"; then
        same=$((same + 1))
    else
        different=$((different + 1))
        echo "DIFFERENT: $1"
    fi
}

# variant NAME FORMAT CONVERT-OPTIONS...: ImageMagick writes NAME in FORMAT
# from the picture $from; dotpress must decode it as ImageMagick does.
variant() {
    name=$1
    format=$2
    shift 2
    "$convert" "$from" "$@" "$format:$work/$name"
    check "$name"
}

from=$source
variant png24.png PNG24
variant png32.png PNG32 -alpha set -channel A -fx 'i/w' +channel
variant png48.png PNG48
variant png64.png PNG64 -alpha set -channel A -fx 'j/h' +channel
variant grey8.png PNG -colorspace Gray -depth 8
variant grey4.png PNG -colorspace Gray -depth 4
variant grey2.png PNG -colorspace Gray -depth 2
variant grey-alpha.png PNG -colorspace Gray -alpha set -channel A -fx 'i/w' +channel -depth 8
variant palette-alpha.png PNG8 -alpha set -channel A -fx 'j/h' +channel
variant png24-interlaced.png PNG24 -interlace PNG
variant png64-interlaced.png PNG64 -interlace PNG -alpha set
variant bmp3-24.bmp BMP3
variant bmp2-24.bmp BMP2
variant bmp-v5.bmp BMP
variant rgb565.bmp BMP -define bmp:subtype=RGB565
variant rgb555.bmp BMP -define bmp:subtype=RGB555
variant argb8888.bmp BMP -alpha set -define bmp:subtype=ARGB8888
variant rgba5551.bmp BMP -alpha set -define bmp:subtype=RGBA5551

# Palettes: the picture reduced once to 200, 16 and 2 colours.
"$convert" "$source" +dither -colors 200 "PNG:$work/colours200.png"
"$convert" "$source" +dither -colors 16 "PNG:$work/colours16.png"
"$convert" "$source" -colorspace Gray -threshold 50% "PNG:$work/colours2.png"
from=$work/colours200.png
variant png8.png PNG8
variant bmp3-8.bmp BMP3 -type Palette
variant bmp3-rle8.bmp BMP3 -type Palette -compress RLE
variant bmp2-8.bmp BMP2 -type Palette
from=$work/colours16.png
variant png8-interlaced.png PNG8 -interlace PNG
variant bmp3-4.bmp BMP3 -type Palette
from=$work/colours2.png
variant grey1.png PNG -type Bilevel
variant bmp3-1.bmp BMP3 -type Bilevel

# Full 16-bit samples: grey made from the picture, and a plasma made anew
# from a fixed seed.
rounded='int((2 * v + 257) / 514)'
"$convert" "$source" -colorspace Gray -depth 16 "PNG:$work/grey16.png"
check grey16.png 16 "$rounded"
"$convert" "$source" -colorspace Gray -depth 16 -interlace PNG "PNG:$work/grey16-interlaced.png"
check grey16-interlaced.png 16 "$rounded"
"$convert" -seed 7 -size 61x37 plasma:fractal -depth 16 "PNG48:$work/plasma48.png"
check plasma48.png 16 "$rounded"
# 4-bit channels.
"$convert" "$source" -alpha set -define bmp:subtype=ARGB4444 "BMP:$work/argb4444.bmp"
check argb4444.bmp 8 'int(v / 16) * 17'

# The BMP Suite's good set, as it comes.
for file in "$2"/bmpsuite/*.bmp; do
    cp "$file" "$work/"
    check "$(basename "$file")"
done

echo "$same passed, $different failed"
[ "$different" -eq 0 ]
