#!/usr/bin/env bash
# Whole-program timings of dotpress: "-t" of a 4096 x 4096 24-bit bitmap
# (48 MiB) side by side with cp of the same file, to a new name and over an
# existing file, and next to ImageMagick writing the same bytes; the same
# conversions written as C source side by side with raw output; the same
# noise and a gradient as 4096 x 4096 RGB PNGs, and a photo-like picture as
# ImageMagick writes it (every row Paeth-filtered), read by dotpress -t and by
# ImageMagick; every layout; the palette layout on a 1024 x 1024 gradient.
#   whole_program.sh <folder with dotpress and make_bitmap>
# The files go to a folder on disk (BENCH_DIR, else /var/tmp, else the build
# folder), where the fresh pages of a new file and the file system's
# write-back cost what they cost a user; memory (/dev/shm) would hide them.
# Each figure is the median of 7 runs, 11 for the comparison with cp.
set -euo pipefail

bin=$1
runs=7
base=${BENCH_DIR:-/var/tmp}
[ -d "$base" ] && [ -w "$base" ] || base=$(cd "$bin/.." && pwd)
work=$(mktemp -d "$base/dotpress-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

"$bin/make_bitmap" 4096 4096 noise "$work/in.bmp"
"$bin/make_bitmap" 1024 1024 gradient "$work/gradient.bmp" "$work/palette.act"
"$bin/make_bitmap" 4096 4096 noise "$work/noise.png"
"$bin/make_bitmap" 4096 4096 gradient "$work/gradient.png"
"$bin/make_bitmap" 4096 4096 gradient "$work/gradient4096.bmp"

# Wall time of one run of a command in microseconds.
elapsed_us() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    echo $(( (end - start) / 1000 ))
}

# The median of figures in microseconds, in milliseconds.
median_ms_of() {
    printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p" | awk '{ printf "%.1f", $1 / 1000 }'
}

# Median wall time of a command in milliseconds.
median_ms() {
    local times=()
    for _ in $(seq $runs); do times+=("$(elapsed_us "$@")"); done
    median_ms_of "${times[@]}"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

megapixels_per_second() {  # pixels, milliseconds
    awk -v p="$1" -v ms="$2" 'BEGIN { printf "%.0f", p / ms / 1000 }'
}

# cp and dotpress -t take turns writing their 48 MiB: to a new name, then
# over the file they wrote.
compare_with_cp() {
    local cp_new=() cp_over=() dp_new=() dp_over=()
    for _ in $(seq 11); do
        rm -f "$work/copy.bmp" "$work/out.raw"
        cp_new+=("$(elapsed_us cp "$work/in.bmp" "$work/copy.bmp")")
        dp_new+=("$(elapsed_us "$bin/dotpress" -t "$work/in.bmp" "$work/out.raw")")
        cp_over+=("$(elapsed_us cp "$work/in.bmp" "$work/copy.bmp")")
        dp_over+=("$(elapsed_us "$bin/dotpress" -t "$work/in.bmp" "$work/out.raw")")
    done
    local cp_n cp_o dp_n dp_o
    cp_n=$(median_ms_of "${cp_new[@]}") cp_o=$(median_ms_of "${cp_over[@]}")
    dp_n=$(median_ms_of "${dp_new[@]}") dp_o=$(median_ms_of "${dp_over[@]}")
    echo "Files in $base ($(df --output=fstype "$base" | tail -n 1)), cp and dotpress in turns:"
    printf '%-34s %12s %18s\n' "" "new output" "over an existing"
    printf '%-34s %9s ms %15s ms\n' "cp of the 48 MiB bitmap" "$cp_n" "$cp_o"
    printf '%-34s %9s ms %15s ms\n' "dotpress -t" "$dp_n" "$dp_o"
    printf '%-34s %10s x %16s x\n' "dotpress -t / cp" "$(ratio "$dp_n" "$cp_n")" "$(ratio "$dp_o" "$cp_o")"
}

# Raw output and C source ("--c-source") take turns, to a new name and over
# the file they wrote, for the handheld's layouts and the wider ones. The C
# text holds 6.25 characters a byte ("0x1f," and its share of indents and
# line breaks), so where writing the bytes is most of a run it costs about
# as much more.
compare_c_with_raw() {
    echo "C source against raw output, files in $base, in turns (C / raw at most 3 x):"
    printf '%-8s %12s %12s %10s %16s %16s %10s\n' "options" "raw new" "C new" "C / raw" "raw over old" "C over old" "C / raw"
    local options
    for options in -k -kK -e -g -t; do
        local raw_new=() c_new=() raw_over=() c_over=()
        for _ in $(seq $runs); do
            rm -f "$work/out.raw" "$work/out.c"
            raw_new+=("$(elapsed_us "$bin/dotpress" "$options" "$work/in.bmp" "$work/out.raw")")
            c_new+=("$(elapsed_us "$bin/dotpress" "$options" --c-source picture "$work/in.bmp" "$work/out.c")")
            raw_over+=("$(elapsed_us "$bin/dotpress" "$options" "$work/in.bmp" "$work/out.raw")")
            c_over+=("$(elapsed_us "$bin/dotpress" "$options" --c-source picture "$work/in.bmp" "$work/out.c")")
        done
        local rn cn ro co
        rn=$(median_ms_of "${raw_new[@]}") cn=$(median_ms_of "${c_new[@]}")
        ro=$(median_ms_of "${raw_over[@]}") co=$(median_ms_of "${c_over[@]}")
        printf '%-8s %9s ms %9s ms %8s x %13s ms %13s ms %8s x\n' "$options" "$rn" "$cn" "$(ratio "$cn" "$rn")" \
            "$ro" "$co" "$(ratio "$co" "$ro")"
    done
    rm -f "$work/out.c"
}

big=$((4096 * 4096))
small=$((1024 * 1024))

compare_with_cp
echo
compare_c_with_raw
echo
t_ms=$(median_ms "$bin/dotpress" -t "$work/in.bmp" "$work/out.raw")
if command -v convert >/dev/null 2>&1; then
    im_ms=$(median_ms convert "$work/in.bmp" -depth 8 "rgb:$work/im.raw")
    if cmp -s "$work/out.raw" "$work/im.raw"; then same="same bytes"; else same="DIFFERENT bytes"; fi
    printf '%-34s %9s ms  (dotpress -t, %s ms, is %.1f x faster, %s)\n' "convert in.bmp -depth 8 rgb:out" \
        "$im_ms" "$t_ms" "$(awk -v a="$im_ms" -v b="$t_ms" 'BEGIN { print a / b }')" "$same"
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
