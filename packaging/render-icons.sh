#!/usr/bin/env bash
# Renders the program icon's source into the desktop icons the package
# installs: a PNG for each size below, all sizes the hicolor theme's index
# lists (a desktop only looks in the sizes it lists), and the source itself as
# the scalable icon. Safe to run again; every icon is simply overwritten.
# Needs rsvg-convert (Debian: librsvg2-bin) and python3.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source_svg="$here/../resources/pictures/src/icon80.svg"
out="$here/icons/hicolor"
sizes=(16 24 32 48 64 128 256 512)

command -v rsvg-convert >/dev/null || { echo "rsvg-convert not found (install librsvg2-bin)" >&2; exit 1; }
command -v python3 >/dev/null || { echo "python3 not found" >&2; exit 1; }

# The scalable icon is installed as it is, so it must stand alone: an SVG
# root element, and nothing it refers to outside its own file.
python3 - "$source_svg" <<'PY'
import sys
import xml.etree.ElementTree as ET

path = sys.argv[1]
root = ET.parse(path).getroot()
if root.tag != "{http://www.w3.org/2000/svg}svg":
    sys.exit("%s: the root element is %s, not an SVG" % (path, root.tag))
if not root.get("viewBox"):
    sys.exit("%s: no viewBox, so it cannot be scaled" % path)
for element in root.iter():
    for name, value in element.attrib.items():
        if name.endswith("href") and not value.startswith("#"):
            sys.exit("%s: refers to %s outside the file" % (path, value))
PY

tmp=""
trap 'if [[ -n "$tmp" ]]; then rm -f "$tmp"; fi' EXIT

for size in "${sizes[@]}"; do
    png="$out/${size}x$size/apps/tickora.png"
    mkdir -p "$(dirname "$png")"
    tmp="$png.part"
    rsvg-convert --format=png --width="$size" --height="$size" --output="$tmp" "$source_svg"
    mv -f "$tmp" "$png"
    tmp=""
    echo "  ${png#"$here"/}  ${size}x$size"
done
mkdir -p "$out/scalable/apps"
cp -f "$source_svg" "$out/scalable/apps/tickora.svg"
echo "  icons/hicolor/scalable/apps/tickora.svg"
