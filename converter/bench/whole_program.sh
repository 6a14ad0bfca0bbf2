#!/usr/bin/env bash
# Whole-program timings of dotpress: every layout on a 4096 x 4096 24-bit
# bitmap (48 MiB), next to cp of the same file and ImageMagick writing the same
# bytes as "-t"; the same noise and a gradient as 4096 x 4096 RGB PNGs, and a
# photo-like picture as ImageMagick writes it (every row Paeth-filtered), read
# by dotpress -t and by ImageMagick; the palette layout on a 1024 x 1024
# gradient.
#   whole_program.sh <folder with dotpress and make_bitmap>
# The files go to memory (/dev/shm) when it is there, so that the disk's
# write-back does not blur the figures. Each figure is the median of 7 runs.
set -euo pipefail

bin=$1
runs=7
base=${BENCH_DIR:-/dev/shm}
[ -d "$base" ] && [ -w "$base" ] || base=${TMPDIR:-/tmp}
work=$(mktemp -d "$base/dotpress-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

"$bin/make_bitmap" 4096 4096 noise "$work/in.bmp"
"$bin/make_bitmap" 1024 1024 gradient "$work/gradient.bmp" "$work/palette.act"
"$bin/make_bitmap" 4096 4096 noise "$work/noise.png"
"$bin/make_bitmap" 4096 4096 gradient "$work/gradient.png"
"$bin/make_bitmap" 4096 4096 gradient "$work/gradient4096.bmp"

# Median wall time of a command in milliseconds.
median_ms() {
    local times=()
    for _ in $(seq $runs); do
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null
        end=$(date +%s%N)
        times+=($(( (end - start) / 1000 )))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p" | awk '{ printf "%.1f", $1 / 1000 }'
}

megapixels_per_second() {  # pixels, milliseconds
    awk -v p="$1" -v ms="$2" 'BEGIN { printf "%.0f", p / ms / 1000 }'
}

big=$((4096 * 4096))
small=$((1024 * 1024))

cp_ms=$(median_ms cp "$work/in.bmp" "$work/copy.bmp")
t_ms=$(median_ms "$bin/dotpress" -t "$work/in.bmp" "$work/out.raw")
printf '%-34s %9s ms\n' "cp of the 48 MiB bitmap" "$cp_ms"
printf '%-34s %9s ms  (%.2f x cp)\n' "dotpress -t" "$t_ms" "$(awk -v a="$t_ms" -v b="$cp_ms" 'BEGIN { print a / b }')"

if command -v convert >/dev/null 2>&1; then
    im_ms=$(median_ms convert "$work/in.bmp" -depth 8 "rgb:$work/im.raw")
    if cmp -s "$work/out.raw" "$work/im.raw"; then same="same bytes"; else same="DIFFERENT bytes"; fi
    printf '%-34s %9s ms  (dotpress -t is %.1f x faster, %s)\n' "convert in.bmp -depth 8 rgb:out" "$im_ms" \
        "$(awk -v a="$im_ms" -v b="$t_ms" 'BEGIN { print a / b }')" "$same"
else
    echo "ImageMagick's convert is not installed: no comparison"
fi

# The PNG of a picture must give the bytes its bitmap gives.
png_against_imagemagick() {  # kind, the bitmap of the same picture
    "$bin/dotpress" -t "$2" "$work/bmp.raw"
    ms=$(median_ms "$bin/dotpress" -t "$work/$1.png" "$work/png.raw")
    cmp -s "$work/png.raw" "$work/bmp.raw" && same="same bytes as its BMP" || same="DIFFERENT bytes from its BMP"
    printf '%-38s %9s ms  (%s MiB, %s)\n' "dotpress -t $1.png" "$ms" \
        "$(awk -v b="$(stat -c %s "$work/$1.png")" 'BEGIN { printf "%.1f", b / 1048576 }')" "$same"
    command -v convert >/dev/null 2>&1 || return 0
    im_ms=$(median_ms convert "$work/$1.png" -depth 8 "rgb:$work/im.raw")
    cmp -s "$work/png.raw" "$work/im.raw" && same="same bytes" || same="DIFFERENT bytes"
    printf '%-38s %9s ms  (dotpress -t is %.1f x faster, %s)\n' "convert $1.png -depth 8 rgb:out" "$im_ms" \
        "$(awk -v a="$im_ms" -v b="$ms" 'BEGIN { print a / b }')" "$same"
}

echo
png_against_imagemagick noise "$work/in.bmp"
png_against_imagemagick gradient "$work/gradient4096.bmp"
if command -v convert >/dev/null 2>&1; then
    convert -seed 3 -size 4096x4096 plasma:fractal -blur 0x2 "PNG24:$work/photo.png"
    convert "$work/photo.png" "BMP3:$work/photo.bmp"
    png_against_imagemagick photo "$work/photo.bmp"
fi

echo
printf '%-12s %9s %12s\n' "options" "ms" "Mpixel/s"
for options in -t -e -i -g -p -c -m -M -k -K -kK -tr -gb -nw; do
    ms=$(median_ms "$bin/dotpress" "$options" "$work/in.bmp" "$work/out.raw")
    printf '%-12s %9s %12s\n' "$options" "$ms" "$(megapixels_per_second $big "$ms")"
done
ms=$(median_ms "$bin/dotpress" -1 "$work/palette.act" "$work/gradient.bmp" "$work/out.raw")
printf '%-12s %9s %12s   (1024 x 1024 gradient, 6x6x6 cube and greys)\n' "-1" "$ms" "$(megapixels_per_second $small "$ms")"
