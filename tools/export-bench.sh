#!/usr/bin/env bash
# Whole-process timings of the editors' exports, as a build script runs them:
# tilora --export map on a 1024 x 1024 project and pixolin --export raw2-all
# on a library of 10,000 sprites, next to Tiled exporting a map of the same
# size (Debian's tiled, which make bench installs); and tilora
# --import-picture of a 4096 x 4096 PNG (drawn by ImageMagick, which make
# bench installs). Each figure is the median
# of 7 runs. The files go to a folder on disk (BENCH_DIR, else /var/tmp, else
# the build folder): the editors flush what they save to disk, which memory
# (/dev/shm) would make free.
#   export-bench.sh <folder with pixolin and tilora>
set -euo pipefail

bin=$(cd "$1" && pwd)
runs=7
base=${BENCH_DIR:-/var/tmp}
[ -d "$base" ] && [ -w "$base" ] || base=$(cd "$bin/.." && pwd)
work=$(mktemp -d "$base/export-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

python3 - "$work" <<'PY'
import struct, sys
work = sys.argv[1]
side = 1024
cells = bytes((x * 7 + y * 13) % 64 for y in range(side) for x in range(side))
with open(f"{work}/level.tlp", "wb") as f:
    f.write(b"TLP" + struct.pack("<ii", side, side) + b"tiles.bmp".ljust(256))
    f.write(cells + bytes(c % 2 for c in cells))
with open(f"{work}/sprites.pxl", "wb") as f:
    f.write(b"PXL" + struct.pack("<i", 9999))
    f.write(bytes((i * 3 + i // 256) % 4 for i in range(256 * 10000)))
rows = ",\n".join(",".join(str(cells[y * side + x] + 1) for x in range(side)) for y in range(side))
with open(f"{work}/level.tmx", "w") as f:
    f.write(f'''<?xml version="1.0" encoding="UTF-8"?>
<map version="1.10" orientation="orthogonal" renderorder="right-down" width="{side}" height="{side}" tilewidth="8" tileheight="8" infinite="0" nextlayerid="2" nextobjectid="1">
 <tileset firstgid="1" name="tiles" tilewidth="8" tileheight="8" tilecount="64" columns="16">
  <image source="tiles.bmp" width="128" height="32"/>
 </tileset>
 <layer id="1" name="Tiles" width="{side}" height="{side}">
  <data encoding="csv">
{rows}
</data>
 </layer>
</map>
''')
PY
cp "$(dirname "$0")/../examples/tiles.bmp" "$work/"

# Runs a command once, stopping the script if it fails, so that only working
# runs are timed.
check() {
    "$@" >/dev/null 2>&1 || { echo "export-bench: failed: $*" >&2; exit 1; }
}

# Median wall time of a command in milliseconds.
median_ms() {
    local times=()
    for _ in $(seq $runs); do
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        times+=($(( (end - start) / 1000 )))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p" | awk '{ printf "%.1f", $1 / 1000 }'
}

headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
cd "$work"
check "${headless[@]}" "$bin/tilora" --export map level.tlp level.map
check "${headless[@]}" "$bin/pixolin" --export raw2-all sprites.pxl s1.raw s2.raw
cmp -s <(head -c $((1024 * 1024 + 267)) level.tlp | tail -c $((1024 * 1024))) level.map ||
    { echo "export-bench: level.map does not hold the project's tiles" >&2; exit 1; }
if command -v convert >/dev/null 2>&1; then
    convert -size 4096x4096 tile:tiles.bmp picture.png
    check "${headless[@]}" "$bin/tilora" --import-picture picture.png picture.tlp picture-tiles.png
    import_ms=$(median_ms "${headless[@]}" "$bin/tilora" --import-picture picture.png picture.tlp picture-tiles.png)
    printf '%-52s %9s ms\n' "tilora --import-picture, 4096 x 4096 PNG" "$import_ms"
fi
tilora_ms=$(median_ms "${headless[@]}" "$bin/tilora" --export map level.tlp level.map)
pixolin_ms=$(median_ms "${headless[@]}" "$bin/pixolin" --export raw2-all sprites.pxl s1.raw s2.raw)
printf '%-52s %9s ms\n' "tilora --export map, 1024 x 1024 project" "$tilora_ms"
printf '%-52s %9s ms\n' "pixolin --export raw2-all, 10,000 sprites" "$pixolin_ms"
if command -v tiled >/dev/null 2>&1; then
    check env QT_QPA_PLATFORM=offscreen tiled --export-map csv level.tmx level.csv
    tiled_ms=$(median_ms env QT_QPA_PLATFORM=offscreen tiled --export-map csv level.tmx level.csv)
    printf '%-52s %9s ms  (tilora is %.1f x faster)\n' "tiled --export-map csv, 1024 x 1024 map" "$tiled_ms" \
        "$(awk -v a="$tiled_ms" -v b="$tilora_ms" 'BEGIN { print a / b }')"
else
    echo "tiled is not installed: no comparison"
fi
