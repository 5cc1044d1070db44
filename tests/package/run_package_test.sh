#!/usr/bin/env bash
# The Debian package as a user meets it: made by tools/package and checked by
# lintian (an error fails), installed with apt-get, after which the program
# is on the PATH, the desktop entry and the AppStream metadata pass their
# validators and the entry's icon is found by the icon theme lookup a menu
# makes; the installed program starts on a private Xvfb and Ctrl+Q ends it
# with status 0; removed with --purge, it leaves no file of its own behind.
# A tickora installed before is purged first, so the run always installs the
# package it has just made; none is installed afterwards.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
for tool in apt-get dpkg-query lintian appstreamcli desktop-file-validate /usr/bin/python3 Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "missing $tool (tools/test installs it)" >&2; exit 2; }
done
/usr/bin/python3 -c 'import xdg.IconTheme' 2>/dev/null ||
    { echo "missing python3-xdg (tools/test installs it)" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tickora-package.XXXXXX")
xvfb_pid=
app_pid=
cleanup() {
    local status=$? pid
    for pid in "$app_pid" "$xvfb_pid"; do
        if [[ -n "$pid" ]]; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT

fail() {
    echo "package: $*" >&2
    exit 1
}

as_root=()
if ((EUID != 0)); then
    command -v sudo >/dev/null || { echo "installing a package needs root or sudo" >&2; exit 2; }
    as_root=(sudo)
fi
apt() {
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get -o DPkg::Lock::Timeout=600 -y -q "$@" >"$work/apt.log" 2>&1 ||
        { cat "$work/apt.log" >&2; fail "apt-get $* failed"; }
}

now_us() { echo "${EPOCHREALTIME//[!0-9]/}"; }
poll() {
    local deadline=$(($(now_us) + $1 * 1000000))
    shift
    until "$@"; do
        (($(now_us) < deadline)) || return 1
        sleep 0.05
    done
}

# dpkg's two letters for the package: "ii" installed, "rc" removed with its
# configuration kept, "un" or nothing when dpkg holds nothing of it.
state() { dpkg-query -W -f='${db:Status-Abbrev}' tickora 2>/dev/null || true; }
installed() { [[ "$(state)" == ii* ]]; }
known() {
    local letters
    letters=$(state)
    [[ -n "$letters" && "${letters:1:1}" != n ]]
}

deb=$("$root/tools/package" | tail -n 1)
[[ -f "$deb" ]] || fail "tools/package did not end with the package's path (it said \"$deb\")"
echo "package: made $deb ($(stat -c %s "$deb") bytes)"

lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log" >&2; fail "lintian found errors"; }
grep -E '^[EWI]: ' "$work/lintian.log" || true
echo "package: lintian: $(grep -c '^E: ' "$work/lintian.log" || true) errors, $(grep -c '^W: ' "$work/lintian.log" || true) warnings"

if known; then
    echo "package: purging the tickora installed before"
    apt remove --purge tickora
fi
apt install "$deb"
installed || fail "tickora is not installed after apt-get install $deb"
dpkg-query -L tickora >"$work/files"

expected=(
    /usr/bin/tickora
    /usr/share/applications/tickora.desktop
    /usr/share/metainfo/software.velmoran.tickora.metainfo.xml
    /usr/share/man/man1/tickora.1.gz
    /usr/share/doc/tickora/copyright
    /usr/share/doc/tickora/changelog.gz
    /usr/share/icons/hicolor/scalable/apps/tickora.svg
)
for path in "${expected[@]}"; do
    grep -qxF "$path" "$work/files" || fail "the package does not install $path"
done
[[ "$(command -v tickora)" == /usr/bin/tickora ]] || fail "tickora on the PATH is \"$(command -v tickora)\", not /usr/bin/tickora"
desktop-file-validate /usr/share/applications/tickora.desktop || fail "the desktop entry is not valid"
appstreamcli validate --no-net /usr/share/metainfo/software.velmoran.tickora.metainfo.xml >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log" >&2; fail "the AppStream metadata is not valid"; }

# The freedesktop icon theme lookup (pyxdg's), as a menu or launcher makes it
# for the entry's Icon= at the sizes they draw: it looks only in the size
# folders the hicolor theme's index lists.
lookup=$(XDG_DATA_HOME="$work/data" XDG_DATA_DIRS=/usr/local/share:/usr/share HOME="$work" /usr/bin/python3 - <<'PY'
from xdg.DesktopEntry import DesktopEntry
from xdg.IconTheme import getIconPath

icon = DesktopEntry("/usr/share/applications/tickora.desktop").getIcon()
for size in (48, 64, 128, 256):
    print(size, getIconPath(icon, size, "hicolor"))
PY
)
while read -r size found; do
    expect="/usr/share/icons/hicolor/${size}x$size/apps/tickora.png"
    [[ "$found" == "$expect" ]] || fail "the icon lookup at $size px finds $found, not $expect"
    echo "package: the icon lookup at $size px finds $found"
done <<<"$lookup"

: >"$work/display"
Xvfb -displayfd 3 -screen 0 1440x900x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
xvfb_ready() { kill -0 "$xvfb_pid" 2>/dev/null && (($(wc -l <"$work/display") >= 1)); }
poll 10 xvfb_ready || { cat "$work/xvfb.log" >&2; fail "Xvfb did not come up within 10 s"; }
DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
export DISPLAY
mkdir -m 700 "$work/runtime"
QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" \
    XDG_CACHE_HOME="$work/cache" XDG_DATA_HOME="$work/data" tickora >"$work/tickora.log" 2>&1 &
app_pid=$!
window=
window_shown() {
    kill -0 "$app_pid" 2>/dev/null ||
        { cat "$work/tickora.log" >&2; fail "the installed program ended before showing its window"; }
    window=$(xdotool search --onlyvisible --name '^stopwatch$' 2>/dev/null | head -n 1 || true)
    [[ -n "$window" ]]
}
poll 10 window_shown || fail "the installed program showed no window within 10 s"
timeout 5 xdotool windowfocus --sync "$window" || fail "could not focus the window"
xdotool key --clearmodifiers ctrl+q
app_gone() { ! kill -0 "$app_pid" 2>/dev/null; }
poll 10 app_gone || fail "the installed program still runs 10 s after Ctrl+Q"
status=0
wait "$app_pid" || status=$?
app_pid=
((status == 0)) || { cat "$work/tickora.log" >&2; fail "the installed program ended with status $status after Ctrl+Q"; }
echo "package: the installed tickora showed its window and ended with status 0 on Ctrl+Q"

apt remove --purge tickora
! known || fail "dpkg still holds tickora after the purge: $(state)"
left=()
while read -r path; do
    if [[ -L "$path" || (-e "$path" && ! -d "$path") ]]; then
        left+=("$path")
    elif [[ -d "$path" ]] && ! dpkg-query -S "$path" >/dev/null 2>&1; then
        left+=("$path/")
    fi
done <"$work/files"
((${#left[@]} == 0)) || fail "left behind after the purge: ${left[*]}"
echo "package: purged; none of its $(wc -l <"$work/files") paths is left"
