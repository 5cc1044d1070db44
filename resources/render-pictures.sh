#!/usr/bin/env bash
# Renders the editable SVG sources in pictures/src/ into the PNGs the program
# loads: <name>.png at the SVG's own size and <name>@2x.png at twice that size
# for high-dpi screens. Safe to run again; every PNG is simply overwritten.
#
#   render-pictures.sh             render every picture from its SVG source
#   render-pictures.sh --reencode  only re-encode the PNGs already in pictures/
#
# Every PNG the script writes goes through store_png: the same pixels, every
# row stored without a filter, at zlib's best compression. Decoding the
# pictures is most of what start-up costs above an empty Qt window, and a row
# stored with a filter (Paeth above all) costs the decoder several times an
# unfiltered one, for a file hardly smaller. tests/resources checks that every
# bundled PNG is stored this way.
# Needs rsvg-convert (Debian: librsvg2-bin; not for --reencode) and python3.
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

reencode_only=0
case ${1:-} in
'') ;;
--reencode) reencode_only=1 ;;
*) echo "usage: $0 [--reencode]" >&2; exit 2 ;;
esac

if ((!reencode_only)); then
    command -v rsvg-convert >/dev/null || { echo "rsvg-convert not found (install librsvg2-bin)" >&2; exit 1; }
fi
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

# Writes the PNG "from" anew as "to" (they may be the same file), pixel for
# pixel: 8-bit RGB when every pixel is opaque, else 8-bit RGBA, each row with
# filter type 0, deflated at level 9 by whichever zlib strategy packs it
# smallest. Other chunks (a background colour) stay as they were. "to" takes
# its name only once it is whole. Prints its size before and after in bytes.
store_png() {
    python3 - "$1" "$2" <<'PY'
import os, struct, sys, zlib

source, target = sys.argv[1], sys.argv[2]

def fail(why):
    sys.exit("%s: %s" % (source, why))

with open(source, "rb") as f:
    data = f.read()
if data[:8] != b"\x89PNG\r\n\x1a\n":
    fail("not a PNG file")
chunks, pos = [], 8
while not chunks or chunks[-1][0] != b"IEND":
    if pos + 12 > len(data):
        fail("cut short")
    length, kind = struct.unpack(">I4s", data[pos:pos + 8])
    body, crc = data[pos + 8:pos + 8 + length], data[pos + 8 + length:pos + 12 + length]
    if len(crc) != 4 or zlib.crc32(kind + body) != struct.unpack(">I", crc)[0]:
        fail("chunk %r is damaged" % kind.decode("latin-1"))
    chunks.append((kind, body))
    pos += 12 + length
if chunks[0][0] != b"IHDR":
    fail("IHDR is not the first chunk")
width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
if depth != 8 or colour not in (2, 6) or interlace:
    fail("only 8-bit RGB and RGBA without interlacing are read here")
channels = 4 if colour == 6 else 3
stride = width * channels
raw = zlib.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
if len(raw) != height * (stride + 1):
    fail("pixel data of the wrong length")

# The filters undone, row by row, as the PNG standard defines them.
rows, above = [], bytearray(stride)
for y in range(height):
    kind = raw[y * (stride + 1)]
    row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    if kind == 1:
        for i in range(channels, stride):
            row[i] = (row[i] + row[i - channels]) & 255
    elif kind == 2:
        for i in range(stride):
            row[i] = (row[i] + above[i]) & 255
    elif kind == 3:
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            row[i] = (row[i] + ((left + above[i]) >> 1)) & 255
    elif kind == 4:
        for i in range(stride):
            a = row[i - channels] if i >= channels else 0
            b = above[i]
            c = above[i - channels] if i >= channels else 0
            pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
            row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    elif kind != 0:
        fail("row %d has filter type %d, which does not exist" % (y, kind))
    rows.append(row)
    above = row

if colour == 6 and all(row[3::4] == b"\xff" * width for row in rows):
    colour = 2
    for y, row in enumerate(rows):
        rgb = bytearray(width * 3)
        for c in range(3):
            rgb[c::3] = row[c::4]
        rows[y] = rgb
pixels = b"".join(b"\0" + bytes(row) for row in rows)

def deflate(strategy):
    packer = zlib.compressobj(9, zlib.DEFLATED, 15, 9, strategy)
    return packer.compress(pixels) + packer.flush()

def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

first_idat = next(i for i, (kind, _) in enumerate(chunks) if kind == b"IDAT")
kept = [(i < first_idat, chunk(kind, body)) for i, (kind, body) in enumerate(chunks)
        if kind not in (b"IHDR", b"IDAT", b"IEND")]
packed = min((deflate(s) for s in (zlib.Z_DEFAULT_STRATEGY, zlib.Z_FILTERED, zlib.Z_RLE)), key=len)
written = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour, 0, 0, 0))
           + b"".join(c for early, c in kept if early) + chunk(b"IDAT", packed)
           + b"".join(c for early, c in kept if not early) + chunk(b"IEND", b""))
try:
    with open(target + ".part", "wb") as f:
        f.write(written)
    os.replace(target + ".part", target)
finally:
    if os.path.exists(target + ".part"):
        os.remove(target + ".part")
print(len(data), len(written))
PY
}

render() {
    local svg="$1" png="$2" w="$3" h="$4"
    tmp="$png.rendered.part"
    rsvg-convert --format=png --width="$w" --height="$h" --output="$tmp" "$svg"
    local got
    got="$(png_size "$tmp")"
    if [[ "$got" != "$w $h" ]]; then
        echo "error: $png came out as ${got/ /x}, expected ${w}x${h}" >&2
        return 1
    fi
    store_png "$tmp" "$png" >/dev/null
    rm -f "$tmp"
    tmp=""
    echo "  ${png#"$here"/}  ${w}x${h}"
}

# A half-written PNG must never be left behind under its real name.
tmp=""
trap 'if [[ -n "$tmp" ]]; then rm -f "$tmp"; fi' EXIT

shopt -s nullglob
if ((reencode_only)); then
    count=0 was=0 is=0
    for png in "$out"/*.png; do
        sizes="$(store_png "$png" "$png")"
        read -r old new <<<"$sizes"
        echo "  ${png#"$here"/}  $old -> $new bytes"
        count=$((count + 1)) was=$((was + old)) is=$((is + new))
    done
    ((count > 0)) || { echo "error: no PNG in $out" >&2; exit 1; }
    echo "re-encoded $count PNGs, $was -> $is bytes"
    exit 0
fi

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
