#!/usr/bin/env bash
# Renders the editable SVG sources in pictures/src/ into the PNGs the program
# loads: <name>.png at the SVG's own size and <name>@2x.png at twice that size
# for high-dpi screens. Safe to run again; every PNG is simply overwritten.
# Needs rsvg-convert (Debian: librsvg2-bin) and python3.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
src="$here/pictures/src"
out="$here/pictures"

# The program places these pictures at fixed pixel positions, so their sizes
# are part of the layout. A source drawn at any other size is an error.
declare -A expected=(
    [start78]=78x78   [start_hell]=78x78
    [stop78]=78x78    [stop_hell]=78x78
    [lap78]=78x78     [lap_hell]=78x78
    [reset78]=78x78   [reset_hell]=78x78
    [button_gelb]=13x13 [green13]=13x13 [red13]=13x13 [blau13]=13x13
    [backTrans]=556x374 [studioScreen]=556x374
    [timeback1]=73x25
    [icon80]=80x80
)

command -v rsvg-convert >/dev/null || { echo "rsvg-convert not found (install librsvg2-bin)" >&2; exit 1; }
command -v python3 >/dev/null || { echo "python3 not found" >&2; exit 1; }

# Prints "W H" for an SVG, taken from the width/height of its root element.
# Only plain pixel numbers are accepted: every picture must have an exact size.
svg_size() {
    python3 - "$1" <<'PY'
import re, sys
import xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
dims = []
for attr in ("width", "height"):
    v = root.get(attr, "")
    m = re.fullmatch(r"\s*(\d+)(px)?\s*", v)
    if not m:
        sys.exit("%s: %s=%r is not a whole pixel number" % (sys.argv[1], attr, v))
    dims.append(m.group(1))
print(*dims)
PY
}

# Prints "W H" read straight from a PNG's IHDR chunk.
png_size() {
    python3 - "$1" <<'PY'
import struct, sys
with open(sys.argv[1], "rb") as f:
    head = f.read(24)
if len(head) < 24 or head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
    sys.exit("%s: not a PNG file" % sys.argv[1])
print(*struct.unpack(">II", head[16:24]))
PY
}

render() {
    local svg="$1" png="$2" w="$3" h="$4"
    tmp="$png.part"
    rsvg-convert --format=png --width="$w" --height="$h" --output="$tmp" "$svg"
    local got
    got="$(png_size "$tmp")"
    if [[ "$got" != "$w $h" ]]; then
        echo "error: $png came out as ${got/ /x}, expected ${w}x${h}" >&2
        return 1
    fi
    mv -f "$tmp" "$png"
    tmp=""
    echo "  ${png#"$here"/}  ${w}x${h}"
}

# A half-written PNG must never be left behind under its real name.
tmp=""
trap 'if [[ -n "$tmp" ]]; then rm -f "$tmp"; fi' EXIT

shopt -s nullglob
for svg in "$src"/*.svg; do
    name="$(basename "$svg" .svg)"
    if [[ -z "${expected[$name]+set}" ]]; then
        echo "error: $svg is not one of the program's pictures" >&2
        exit 1
    fi
done

count=0
for name in $(printf '%s\n' "${!expected[@]}" | sort); do
    svg="$src/$name.svg"
    if [[ ! -f "$svg" ]]; then
        echo "error: missing source $svg" >&2
        exit 1
    fi
    size="$(svg_size "$svg")"
    if [[ "${size/ /x}" != "${expected[$name]}" ]]; then
        echo "error: $svg is ${size/ /x}, the program expects ${expected[$name]}" >&2
        exit 1
    fi
    read -r w h <<<"$size"
    render "$svg" "$out/$name.png" "$w" "$h"
    render "$svg" "$out/$name@2x.png" "$((w * 2))" "$((h * 2))"
    count=$((count + 1))
done
echo "rendered $count pictures, $((count * 2)) PNGs"
